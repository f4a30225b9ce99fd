#pragma once
// The channel sheet handed to a customer: what one printed page shows of a codeplug, as plain
// texts in the interface language. Rendering it (PDF, printer) is the front end's business.

#include <string>

#include "forms/printed_sheet.h"
#include "model/codeplug_image.h"
#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46::ui {

// The sheet's texts, laid out by the front end.
using ChannelSheet = forms::PrintedSheet;

struct SheetSource {
    CodeplugImage image{};
    std::string fileName;  // shown as given; empty: not saved
    std::string when;      // date and time, already formatted
    std::string program;   // the program's name and version
};

ChannelSheet BuildChannelSheet(const SheetSource& source, const ModelTable& models,
                               const ToneTable& tones, int language);

// "2026-12-07 03:45" in local time, the form the sheet shows.
std::string SheetTimeNow();

}  // namespace rvm46::ui
