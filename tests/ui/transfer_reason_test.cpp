// The communication dialog's reason line in both languages, and a note beside a failure or alone.
#include "ui/transfer_reason.h"

#include <gtest/gtest.h>

#include "ui/text_table.h"

namespace rvm46::ui {
namespace {

using comm::FailureKind;
using comm::Step;

TEST(TransferReasonTest, ChineseLinesAndNotes) {
    using F = comm::Failure;
    const F timeout{Step::kReadBlock, FailureKind::kTimeout, 40, 12, 0, 0, 0, {}};
    const F written{Step::kWriteBlock, FailureKind::kPortError, 7, 0, 0, 0, 0, "gone"};
    struct Case {
        std::optional<F> failure;
        bool writing;
        std::string note;
        int language;
        std::string line;
    };
    const Case cases[] = {
        {timeout, false, "", kLanguageChinese, "电台在第 40 块（地址 0140h）时无应答"},
        {written, true, "", kLanguageChinese,
         "串口在第 7 块（地址 0038h）时出错：gone\n电台可能只写入了一部分，再次写入是安全的。"},
        {std::nullopt, false, "no copy kept", kLanguageEnglish, "no copy kept"},
        {timeout, false, "no copy kept", kLanguageEnglish,
         "No answer from the radio at block 40 (address 0140h)\nno copy kept"},
        {std::nullopt, true, "", kLanguageEnglish, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(TransferReasonLine(c.failure, c.writing, c.note, c.language), c.line);
    }
}

}  // namespace
}  // namespace rvm46::ui
