#pragma once
// The command line's programming station, `rvm46 program`: one template written to radio after
// radio, each backed up, checked and verified, with a job folder holding the backups and the log.

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "comm/protocol.h"
#include "comm/serial_line.h"

namespace rvm46::cli {

class ProgramCommand {
  public:
    // Polls and transfers wait at `timing`'s pace.
    ProgramCommand(CLI::App& app, std::string& config, std::string& tones,
                   const comm::Timing& timing);

    bool Parsed() const { return program_->parsed(); }
    // 0 when every radio passed, 1 when one did not or the template was refused (InputError for
    // a template, port or job folder that cannot be used). `progress` draws a bar on err.
    int Run(comm::SerialSystem& serial, std::ostream& out, std::ostream& err, bool progress);

  private:
    std::string& config_;
    std::string& tones_;
    const comm::Timing timing_;
    CLI::App* program_ = nullptr;
    std::string port_;
    std::string template_;
    std::string jobDir_;
    int count_ = 0;  // 0 = until stopped
    bool allowOtherModel_ = false;
    bool noWait_ = false;
};

}  // namespace rvm46::cli
