#include "storage/recent_files.h"

#include <algorithm>
#include <charconv>

namespace rvm46::storage {

int RecentFileCount(const std::string& count) {
    int value = 0;
    const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), value);
    (void)end;
    if (ec != std::errc()) return 0;
    return std::clamp(value, 0, kRecentFileMax);
}

std::string PushRecentFile(RecentFileArray& files, const std::string& count,
                           const std::string& path) {
    const int now = std::min(RecentFileCount(count) + 1, kRecentFileMax);
    for (int i = now; i >= 2; --i) files[i] = files[i - 1];
    files[1] = path;
    return std::to_string(now);
}

std::string RecentFileCaption(int position, const std::string& path) {
    // Appended in order: GCC 12 at -O3 warns falsely (-Wrestrict) on a literal prepended to a
    // temporary string.
    std::string caption = "&";
    caption += std::to_string(position);
    caption += "  ";
    caption += path;
    return caption;
}

}  // namespace rvm46::storage
