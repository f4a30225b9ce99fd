#pragma once
// A codeplug's values in the words of the window, in either language: frequencies as the grid
// shows them, tones by their texts, switches and list selections in words. The comparison window
// and the channel sheet both speak this way.

#include <string>
#include <vector>

#include "model/edit_state.h"
#include "model/model_table.h"
#include "model/tone_table.h"
#include "storage/codeplug_diff.h"

namespace rvm46::ui {

struct WordTables {
    const ModelTable& models;
    const ToneTable& tones;
    int language;  // 1 Chinese, otherwise English
};

// The caption of a field key ("rx", "squelch", ...) as the window labels it.
std::string FieldCaption(const std::string& field, int language);

// One channel field as its grid cell shows it ("" for no transmit frequency).
std::string ChannelCell(int field, double value, const WordTables& words);

// A radio-wide selection ("squelch", index 5) as its list shows it; `byte` is the stored byte,
// named when the index is no item of the list. "model": `index` is the model, `byte` its code.
std::string SettingWords(const std::string& field, int index, int byte, const WordTables& words);

// One row of the comparison window.
struct CompareRow {
    std::string where;  // "Channel 3" / "信道 3", or "Radio" / "整机"
    std::string what;   // the field's caption
    std::string thisSide;
    std::string otherSide;
};

// The differences worded, `a` being this side; in the order of the list (channels, then
// radio-wide settings, then other bytes).
std::vector<CompareRow> CompareRows(const std::vector<storage::Difference>& differences,
                                    const WordTables& words);

}  // namespace rvm46::ui
