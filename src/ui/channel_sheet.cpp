#include "ui/channel_sheet.h"

#include <chrono>
#include <ctime>
#include <iomanip>
#include <sstream>

#include "model/codeplug_layout.h"
#include "storage/codeplug_document.h"
#include "ui/codeplug_words.h"
#include "ui/review_texts.h"

namespace rvm46::ui {

using namespace layout;

ChannelSheet BuildChannelSheet(const SheetSource& source, const ModelTable& models,
                               const ToneTable& tones, int language) {
    const WordTables words{models, tones, language};
    const storage::CodeplugDocument document =
        storage::DocumentFromImage(source.image, models, tones);
    const ListSelections& lists = document.lists;
    ChannelSheet sheet;
    sheet.language = language;
    sheet.title = ReviewText("sheet.title", language);

    const std::string model = SettingWords("model", lists.model, source.image[kModelCodeAt], words);
    const std::string band =
        lists.model >= 0 ? models.gstrFreRange.at(static_cast<std::size_t>(lists.model)) : "";
    sheet.facts = {
        {ReviewText("sheet.file", language),
         source.fileName.empty() ? ReviewText("sheet.noFile", language) : source.fileName},
        {ReviewText("sheet.model", language), model},
        {ReviewText("sheet.band", language), band},
        {ReviewText("sheet.date", language), source.when},
    };

    sheet.columns.push_back(ReviewText("sheet.number", language));
    for (const char* field : {"rx", "tx", "decode_tone", "encode_tone", "busy_lockout", "shift"}) {
        sheet.columns.push_back(FieldCaption(field, language));
    }
    for (std::size_t k = 0; k < document.channels.size(); ++k) {
        const ChannelRecord& channel = document.channels[k];
        std::vector<std::string> row{std::to_string(k + 1)};
        for (int f = kFieldRx; f <= kFieldShift; ++f) {
            const double value = channel[static_cast<std::size_t>(f)];
            // Empty channels are empty rows; no transmit frequency is an empty cell, as in the
            // grid.
            const bool empty = channel[kFieldRx] == -1 || value == -1;
            row.push_back(empty ? "" : ChannelCell(f, value, words));
        }
        sheet.rows.push_back(std::move(row));
    }

    sheet.settingsTitle = ReviewText("sheet.settings", language);
    const std::pair<const char*, std::pair<int, std::size_t>> settings[] = {
        {"beep_tone", {lists.beepTone, kOptionBits}},
        {"battery_save", {lists.batterySave, kOptionBits}},
        {"squelch", {lists.squelch, kSquelch}},
        {"monitor_key", {lists.monitorKey, kMonitorKey}},
        {"time_out_timer", {lists.timeOutTimer, kTimeOutTimer}},
        {"wide_narrow", {lists.wideNarrow, 0}},
    };
    for (const auto& [field, value] : settings) {
        sheet.settings.emplace_back(
            FieldCaption(field, language),
            SettingWords(field, value.first, source.image[value.second], words));
    }
    sheet.footer = source.program;
    return sheet;
}

std::string SheetTimeNow() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&t, &local);
    std::ostringstream text;
    text << std::put_time(&local, "%Y-%m-%d %H:%M");
    return text.str();
}

}  // namespace rvm46::ui
