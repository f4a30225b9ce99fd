#include "ui/transfer_reason.h"

#include <cstdio>

#include "ui/text_table.h"

namespace rvm46::ui {

namespace {

struct Text {
    const char* chinese;
    const char* english;
};

std::string In(const Text& text, int language) {
    return language == kLanguageChinese ? text.chinese : text.english;
}

// Replaces the one "%1" of a text.
std::string Fill(const Text& text, int language, const std::string& value) {
    std::string s = In(text, language);
    const std::size_t at = s.find("%1");
    if (at != std::string::npos) s.replace(at, 2, value);
    return s;
}

std::string Address(int block) {
    char text[8];
    std::snprintf(text, sizeof text, "%04Xh", static_cast<unsigned>(block * 8) & 0xFFFFu);
    return text;
}

// Where in the transfer the failure happened, to go in for %1.
std::string Where(const comm::Failure& f, int language) {
    const std::string n = std::to_string(f.block);
    switch (f.step) {
        case comm::Step::kHandshake:
            return In({"握手时", "the handshake"}, language);
        case comm::Step::kIdent:
            return In({"识别请求时", "the identity request"}, language);
        case comm::Step::kAcknowledge:
            if (f.block < 0)
                return In({"第一块之前的确认时", "the acknowledge before the first block"},
                          language);
            return Fill({"第 %1 块之前的确认时", "the acknowledge before block %1"}, language, n);
        case comm::Step::kClosing:
            return In({"结束确认时", "the closing acknowledge"}, language);
        case comm::Step::kReadBlock:
        case comm::Step::kWriteBlock:
            break;
    }
    return Fill({"第 %1 块（地址 ", "block %1 (address "}, language, n) + Address(f.block) +
           In({"）时", ")"}, language);
}

std::string Reason(const comm::Failure& f, int language) {
    const std::string where = Where(f, language);
    switch (f.kind) {
        case comm::FailureKind::kTimeout:
            return Fill({"电台在%1无应答", "No answer from the radio at %1"}, language, where);
        case comm::FailureKind::kWrongReply:
            if (f.received < f.awaited) {
                return Fill({"电台在%1的应答不完整", "Incomplete reply from the radio at %1"},
                            language, where);
            }
            if (f.step == comm::Step::kHandshake) {
                return In({"电台拒绝了握手", "The radio refused the handshake"}, language);
            }
            return Fill({"电台在%1的应答有误", "Wrong reply from the radio at %1"}, language,
                        where);
        case comm::FailureKind::kPortError:
            break;
    }
    // A line that vanished mid-transfer is a cable or adapter pulled out.
    if (f.portMessage.find("disappeared") != std::string::npos) {
        return In({"编程线已被拔出", "The cable was unplugged"}, language);
    }
    return Fill({"串口在%1出错：", "The serial port failed at %1: "}, language, where) +
           f.portMessage;
}

}  // namespace

std::string DescribeTransferFailure(const comm::Failure& failure, bool writing, int language) {
    std::string text = Reason(failure, language);
    // Before the first block frame nothing was written.
    if (writing && failure.step == comm::Step::kWriteBlock) {
        text += "\n" + In({"电台可能只写入了一部分，再次写入是安全的。",
                           "The radio may be half-written; writing it again is safe."},
                          language);
    }
    return text;
}

std::string TransferReasonLine(const std::optional<comm::Failure>& failure, bool writing,
                               std::string_view note, int language) {
    std::string line = failure ? DescribeTransferFailure(*failure, writing, language) : "";
    if (!note.empty()) line += (line.empty() ? "" : "\n") + std::string(note);
    return line;
}

std::string CurrentFileRefusedNote(std::string_view path, int language) {
    return Fill({"当前文件 %1 不是普通文件，程序没有打开它。",
                 "The current file %1 is not a regular file; it was left alone."},
                language, std::string(path));
}

}  // namespace rvm46::ui
