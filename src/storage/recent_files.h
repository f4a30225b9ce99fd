#pragma once
// The recent-file list at the foot of the File menu: up to ten paths, entry 1 the most recent.
// It lives in memory only; every run starts with it empty.

#include <array>
#include <string>

namespace rvm46::storage {

inline constexpr int kRecentFileMax = 10;

// Entries 1..10 (entry 0 is not used); the count is kept as decimal text "0".."10".
using RecentFileArray = std::array<std::string, kRecentFileMax + 1>;

// Puts `path` at entry 1 and moves every entry down one; the tenth drops off. A path already
// listed is listed again (the menu shows what was opened, in order). Returns the new count.
std::string PushRecentFile(RecentFileArray& files, const std::string& count,
                           const std::string& path);

// The menu caption of entry `position` (1..10): "&", the position, two spaces, the path.
std::string RecentFileCaption(int position, const std::string& path);

// The count text as a number, 0 when it is not a number (as the program reads any count).
int RecentFileCount(const std::string& count);

}  // namespace rvm46::storage
