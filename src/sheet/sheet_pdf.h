#pragma once
// The channel sheet on paper: one A4 page laid out from its texts, in the font of its language,
// as a PDF file with a real text layer and the fonts embedded, or on a printer. Needs a
// QGuiApplication (the fonts).

#include <memory>
#include <string>

#include "ui/channel_sheet.h"

class QGuiApplication;
class QPagedPaintDevice;

namespace rvm46::sheet {

// Lays the sheet out on `device` (a PDF writer or a printer).
void PaintSheet(const ui::ChannelSheet& sheet, QPagedPaintDevice& device);

// Writes the sheet as a PDF file; false with a reason a user can act on.
bool WriteSheetPdf(const ui::ChannelSheet& sheet, const std::string& path, std::string* error);

// A QGuiApplication for a program that has none (the command line), on the offscreen platform
// unless another one is chosen, for as long as the session lives; nothing where one exists.
class GuiSession {
  public:
    GuiSession();
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

  private:
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace rvm46::sheet
