#pragma once
// The one writer of the program's data and channel-list files.
//
// New content normally goes to a temporary file in the target's folder that is flushed to disk
// and renamed over the target, so the old file stays whole until the new one is complete. The
// file the user named keeps what makes it theirs:
// - a file the user may not write (its mode, an ACL, a read-only file system) is refused and left
//   as it is;
// - through a symbolic link the file the link names is written (a dangling link creates it);
// - a file with several hard links, an ACL, another owner or group than a new file would get, or
//   in a folder where the user may not create or replace files, is rewritten in place (same
//   inode, so owner, group, mode and every other name stay), after its previous content has been
//   kept (see KeepPrevious) and with the old bytes put back when the rewrite fails;
// - a new file gets the owner, group and mode of the file it replaces.
// Temporary files are named ".rvm46-PID-N.tmp"; those a killed save left behind are removed by
// the next save into the same folder.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace rvm46::storage {

// Runs once the new content is complete on disk, just before it replaces the target; returning
// false abandons the write as a failure (how tests put a failure at that point).
using BeforeReplace = std::function<bool(const std::filesystem::path& temporary)>;

// Keeps what the existing target holds before it is replaced; false (with a reason in *error)
// fails the write and leaves the target as it was. Called only when the content changes.
using KeepPrevious = std::function<bool(const std::filesystem::path& target, std::string* error)>;

struct ReplaceOptions {
    // Keep the bytes of a longer existing file after the new content's length.
    bool keepTail = false;
    KeepPrevious keepPrevious;
    BeforeReplace beforeReplace;
};

// Puts `head` at offset 0 of the file (followed, with keepTail, by the old file's bytes after
// the head's length). false (with a reason in *error) when it failed; the target is then as it
// was, and no temporary file is left.
bool ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> head,
                 const ReplaceOptions& options, std::string* error);

// The same, with only the tail choice and the test hook.
bool ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> head,
                 bool keepTail, std::string* error, const BeforeReplace& beforeReplace = {});

// Whether `name` is one of our temporary files (also the older ".NAME.saving-PID-N").
bool IsOwnTemporaryName(const std::string& name);

// Removes the temporary files of ours in `folder` whose process no longer runs (or that are a
// day old); returns how many.
int RemoveStaleTemporaries(const std::filesystem::path& folder);

}  // namespace rvm46::storage
