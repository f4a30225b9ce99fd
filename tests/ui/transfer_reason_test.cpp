// The communication dialog's reason line in both languages, and a note beside a failure or alone.
#include "ui/transfer_reason.h"

#include <gtest/gtest.h>

#include "ui/text_table.h"

namespace rvm46::ui {
namespace {

using comm::FailureKind;
using comm::Step;

TEST(TransferReasonTest, ChineseLinesAndNotes) {
    const comm::Failure timeout{Step::kReadBlock, FailureKind::kTimeout, 40, 12, 0, 0, 0, {}};
    const comm::Failure port{Step::kWriteBlock,
                             FailureKind::kPortError,
                             3,
                             0,
                             0,
                             0,
                             0,
                             "/dev/ttyUSB0: the port is not open"};
    const comm::Failure refused{Step::kHandshake, FailureKind::kWrongReply, -1, 0, 0, 6, 0x15, {}};
    struct Case {
        std::optional<comm::Failure> failure;
        bool writing;
        std::string note;
        int language;
        std::string line;
    };
    const Case cases[] = {
        {timeout, false, "", kLanguageChinese, "电台在第 40 块（地址 0140h）时无应答"},
        {refused, true, "", kLanguageChinese, "电台拒绝了握手"},
        {comm::Failure{Step::kWriteBlock, FailureKind::kTimeout, 7, 1, 0, 0, 0, {}}, true, "",
         kLanguageChinese,
         "电台在第 7 块（地址 0038h）时无应答\n电台可能只写入了一部分，再次写入是安全的。"},
        {port, false, "", kLanguageEnglish,
         "The serial port failed at block 3 (address 0018h): /dev/ttyUSB0: the port is not open"},
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
