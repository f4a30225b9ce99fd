#pragma once
// The state shared by every subsystem. The main window owns the one instance for the whole run of
// the program; the other windows and the transfers read and write it through the main window.

#include <cstdint>
#include <string>

#include "model/codeplug_image.h"
#include "model/edit_state.h"
#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46 {

struct ModuleState {
    // Codeplug image (the protocol's buffers and counters are in comm::ProtocolState).
    CodeplugImage gbytMatrixCode = BlankImage();

    // Edit state and tables.
    ChannelTable gdblChannel = EmptyChannelTable();
    ModelTable models;
    ToneTable tones;

    // Settings and transfer progress.
    std::int16_t gintLanguage = 2;  // 1 Chinese, 2 English
    std::int16_t gintComPort = 1;   // 1..16 valid; anything else means no port is set
    bool gblnPortClosed = true;
    bool gblnCommError = false;
    std::int16_t gintFrameTotal = 0;
    bool gblnReadMode = false;
    std::int16_t gintCommunEndCnt = 0;
    std::int16_t gintCurChannel = 0;
    std::int16_t gintConvert = 0;
    std::string gstrTempDataFile = "\\Data\\TempData.dat";
};

}  // namespace rvm46
