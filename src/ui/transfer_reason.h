#pragma once
// What the communication dialog says under its progress bar after a transfer: why it failed, in
// the interface language, and what a failed write means for the radio. Texts of our own, built
// from the failing step of the transfer.

#include <optional>
#include <string>
#include <string_view>

#include "comm/outcome.h"

namespace rvm46::ui {

// "No answer from the radio at block 40 (address 0140h)"; a write that failed at a block frame
// adds, on a line of its own, that the radio may be half-written and that writing it again is
// safe.
std::string DescribeTransferFailure(const comm::Failure& failure, bool writing, int language);

// The whole reason line: the failure's description (nothing after a success), then `note` on a
// line of its own when there is one (something the user should know about a transfer that went
// through, such as a copy that could not be kept). `note` is in the interface language already.
std::string TransferReasonLine(const std::optional<comm::Failure>& failure, bool writing,
                               std::string_view note, int language);

// The note after a read whose current file is not a regular file (a pipe, a device, a folder):
// the read went through, the file was not touched.
std::string CurrentFileRefusedNote(std::string_view path, int language);

}  // namespace rvm46::ui
