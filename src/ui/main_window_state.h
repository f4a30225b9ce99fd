#pragma once
// The main window's own module-level state, beside the state every subsystem shares.

#include <cstdint>
#include <optional>
#include <string>

#include "forms/control.h"
#include "storage/recent_files.h"

namespace rvm46::ui {

struct MainWindowState {
    // Files and fonts, recorded at start-up.
    std::string gstrConfigFile;
    std::string gstrQTDQTFile;
    std::string gstrEngFont;
    std::string gstrChsFont;
    std::string gstrCurFont;

    // Model applied and its band label.
    std::int16_t gintCurModel = 0;
    std::string gstrFreVal;

    // Titles, version and release lines per language.
    std::string gstrChsTitle, gstrEngTitle;
    std::string gstrChsVer, gstrEngVer;
    std::string gstrChsRelease, gstrEngRelease;

    // Default list indexes of the function lists and of wide/narrow.
    std::int16_t gintDefToneHint = 0;
    std::int16_t gintDefSql = 6;
    std::int16_t gintDefMoniKey = 3;
    std::int16_t gintDefTimeOut = 2;
    std::int16_t gintDefBatSave = 1;
    std::int16_t gintDefWideNarrow = 1;

    // Nesting guards.
    bool gblnLoadDefault = false;  // no model-change question while settings or a codeplug apply
    bool gblnFormLoaded = false;   // no focus jump while start-up or a grid click runs

    // Settings read from the configuration file.
    forms::Color gdblColorFull = 0xCADCEC;
    forms::Color gdblColorText = 0xCACEDF;
    forms::Color gdblColorTextText = 0xCADCE7;
    forms::Color gdblColorHint = 0x0000FF;
    forms::Color gdblColorBlack = 0x000000;
    bool gblnValLegal = true;
    std::string gstrOverFreFont = "True";

    // Full path of the current data file, empty = none. nullopt until start-up first sets it:
    // a save before that removes the "Path" key instead of writing it.
    std::optional<std::string> gstrCurrentFile;
    std::string gstrRecentCount = "0";        // entries in the recent-file list
    storage::RecentFileArray gstrRecentFile;  // recent data files, entry 1 the most recent

    // The channel raster: one step in units of 10 Hz and in MHz (12.5 kHz).
    long glngFreStep = 1250;
    double gdblFreStep = 0.0125;

    // Frequency checks of the channel edit panel.
    bool gblnTransOrRece = true;      // box DetValLegal checks: true receive, false transmit
    bool gblnFreLegal = true;         // the last band check found the value inside the band
    bool gblnReceOverRange = false;   // the last JudgeFreRange found the receive box outside
    bool gblnTransOverRange = false;  // the last JudgeFreRange found the transmit box outside
    bool gblnNoneFre = true;          // the receive box was empty at the last check

    // Channel handed to ChAccord: the row picked in the grid or named by the channel list.
    std::int16_t gintChNum = 0;
};

}  // namespace rvm46::ui
