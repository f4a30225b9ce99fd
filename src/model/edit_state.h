#pragma once
// The edit state that stands beside the codeplug image while the user edits: the channel table in
// natural units and the selected indexes of the radio-wide lists (-1 = no selection).

#include <array>
#include <cstdint>

namespace rvm46 {

// Fields of a channel in the channel table.
enum ChannelField : int {
    kFieldRx = 0,           // receive MHz; -1 = channel not in use
    kFieldTx = 1,           // transmit MHz; -1 = no transmit frequency
    kFieldDecodeTone = 2,   // tone index, 0 = none
    kFieldEncodeTone = 3,   // tone index, 0 = none, -1 = no transmit frequency
    kFieldBusyLockout = 4,  // 1 on, 0 off
    kFieldShift = 5,        // 1 on, 0 off
    kChannelFields = 8,     // fields 6 and 7 carry no data
};

using ChannelRecord = std::array<double, kChannelFields>;
using ChannelTable = std::array<ChannelRecord, 16>;

// Every field -1: the state of an empty table.
ChannelTable EmptyChannelTable();

// Selected indexes of the radio-wide lists; -1 = no selection.
struct ListSelections {
    int beepTone = -1;      // cboVoiceHintSel: 0 ON, 1 OFF
    int batterySave = -1;   // cboSavePowSel: 0 ON, 1 OFF
    int squelch = -1;       // cboSqlSel: 0..9
    int monitorKey = -1;    // cboMoniSel: 0..3
    int timeOutTimer = -1;  // cboTransTimeSel: 0..10
    int wideNarrow = -1;    // cboWideNarrow: 0 Wide, 1 Narrow
    int model = -1;         // cboTypeSel
};

// Item counts of the fixed radio-wide lists: a stored byte is a valid selection only below these.
inline constexpr int kOnOffItems = 2;
inline constexpr int kSquelchItems = 10;
inline constexpr int kMonitorKeyItems = 4;
inline constexpr int kTimeOutItems = 11;
inline constexpr int kWideNarrowItems = 2;

}  // namespace rvm46
