#include "comm/system_files.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/xattr.h>
#endif

namespace rvm46::comm {

namespace {
constexpr std::size_t kMaxRead = 1024 * 1024;
constexpr int kMaxLinks = 40;
}  // namespace

SystemFiles::SystemFiles(std::filesystem::path root) : root_(std::move(root)) {}

std::filesystem::path SystemFiles::Under(const std::string& path) const {
    const std::filesystem::path relative = std::filesystem::path(path).relative_path();
    return root_ / relative;
}

std::optional<std::string> SystemFiles::Read(const std::string& path) const {
    const auto real = Resolve(path);
    if (!real) return std::nullopt;
    std::ifstream in(Under(*real), std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    char buffer[4096];
    while (text.size() < kMaxRead && (in.read(buffer, sizeof buffer) || in.gcount() > 0)) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return text;
}

std::vector<std::string> SystemFiles::List(const std::string& folder) const {
    std::vector<std::string> names;
    const auto real = Resolve(folder);
    if (!real) return names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(Under(*real), ec), end; !ec && it != end;
         it.increment(ec)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> SystemFiles::LinkTarget(const std::string& path) const {
    // The folders on the way may be links themselves (/sys/bus/usb/devices/1-1:1.0/driver).
    const std::filesystem::path given(path);
    const auto folder = Resolve(given.parent_path().string());
    if (!folder) return std::nullopt;
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(
        Under((std::filesystem::path(*folder) / given.filename()).string()), ec);
    if (ec) return std::nullopt;
    return target.string();
}

// Resolves one component at a time so that a link's absolute target stays under the root.
std::optional<std::string> SystemFiles::Resolve(const std::string& path) const {
    std::vector<std::string> pending;
    for (const auto& part : std::filesystem::path(path).relative_path()) {
        pending.push_back(part.string());
    }
    std::reverse(pending.begin(), pending.end());
    std::filesystem::path done = "/";
    int links = 0;
    while (!pending.empty()) {
        const std::string part = pending.back();
        pending.pop_back();
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            done = done.parent_path();
            continue;
        }
        const std::filesystem::path next = done / part;
        std::error_code ec;
        const auto status = std::filesystem::symlink_status(Under(next.string()), ec);
        if (ec || !std::filesystem::exists(status)) return std::nullopt;
        if (!std::filesystem::is_symlink(status)) {
            done = next;
            continue;
        }
        if (++links > kMaxLinks) return std::nullopt;
        const std::filesystem::path target =
            std::filesystem::read_symlink(Under(next.string()), ec);
        if (ec) return std::nullopt;
        if (target.is_absolute()) done = "/";
        std::vector<std::string> parts;
        for (const auto& t : target.relative_path()) parts.push_back(t.string());
        for (auto it = parts.rbegin(); it != parts.rend(); ++it) pending.push_back(*it);
    }
    return done.string();
}

std::optional<FileFacts> SystemFiles::Facts(const std::string& path) const {
    const auto real = Resolve(path);
    if (!real) return std::nullopt;
#ifdef _WIN32
    return FileFacts{};
#else
    struct stat st {};
    if (::stat(Under(*real).c_str(), &st) != 0) return std::nullopt;
    FileFacts facts;
    facts.owner = st.st_uid;
    facts.group = st.st_gid;
    facts.mode = st.st_mode & 07777;
    return facts;
#endif
}

std::string SystemFiles::AccessList(const std::string& path) const {
#ifdef _WIN32
    (void)path;
    return {};
#else
    const auto real = Resolve(path);
    if (!real) return {};
    char buffer[1024];
    const ssize_t size =
        ::getxattr(Under(*real).c_str(), "system.posix_acl_access", buffer, sizeof buffer);
    if (size <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(size));
#endif
}

}  // namespace rvm46::comm
