#pragma once
// Kept versions: copies of what a radio held (every read) and of what a data file held before a
// save replaced it, in one folder (the program folder's Data/Backup), named
// NAME_YYYYMMDD_HHMMSS.EXT by the local time they were kept (NAME_YYYYMMDD_HHMMSS_2.EXT and so
// on when that name is taken).
//
// The folder is kept from growing without bound: a kept file is removed once it is older than 90
// days and not among the 200 newest. Only names of that pattern are ever removed.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "storage/file_replace.h"

namespace rvm46::storage {

using KeptClock = std::chrono::system_clock;

struct Retention {
    std::chrono::hours keepYoungerThan{24 * 90};
    std::size_t keepNewest = 200;
};

// Writes `bytes` into `folder` (created when missing) as STEM_YYYYMMDD_HHMMSS`extension`, then
// applies the retention rule to the folder. The kept file's path, or nullopt with the reason.
std::optional<std::filesystem::path> KeepVersion(std::span<const std::uint8_t> bytes,
                                                 const std::filesystem::path& folder,
                                                 const std::string& stem,
                                                 const std::string& extension, std::string* error,
                                                 KeptClock::time_point when = KeptClock::now());

// The ReplaceFile hook that keeps a file's content in `folder` before it is replaced, named by
// the file's own name without its extension and ending in `extension` (".Dat" for data files).
KeepPrevious KeepPreviousIn(const std::filesystem::path& folder, const std::string& extension);

// Removes the kept files the rule does not keep; how many were removed.
std::size_t PruneKeptVersions(const std::filesystem::path& folder, KeptClock::time_point now,
                              const Retention& rule = {});

}  // namespace rvm46::storage
