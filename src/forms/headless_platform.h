#pragma once
// The platform services that need no windowing toolkit, implemented for real: program folder,
// folders, sleeping, ending the process. Front ends and test doubles derive from it and supply
// the interactive parts.

#include <string>

#include "forms/platform.h"

namespace rvm46::forms {

class HeadlessPlatform : public Platform {
  public:
    // The folder of /proc/self/exe.
    std::string ProgramFolder() override;
    bool FolderExists(const std::string& path) override;
    void CreateFolder(const std::string& path) override;
    void Sleep(int milliseconds) override;
    void EndProcess() override;
    void PumpPaint() override {}
};

}  // namespace rvm46::forms
