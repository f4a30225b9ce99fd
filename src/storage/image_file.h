#pragma once
// Data files: the 1074 bytes of the codeplug image, byte n of the file = image index n, with no
// header, length or checksum of their own.
//
// Every write goes through a temporary file in the target's folder that is flushed to disk and
// then renamed over the target, so the old file stays whole, byte for byte, until the new one
// is complete, and a failure leaves neither a partial target nor a temporary file behind.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "model/codeplug_image.h"

namespace rvm46::storage {

// Reads the first 1074 bytes into a zeroed image: a shorter file leaves the tail zero, bytes after
// the image are ignored; *fileSize (when given) receives the file's whole length. Never creates a
// file. nullopt (with a reason in *error) when the file cannot be opened or read, or is not a
// regular file (a FIFO or a device is refused without reading from it).
std::optional<CodeplugImage> ReadImageFile(const std::filesystem::path& file, std::string* error,
                                           std::uintmax_t* fileSize = nullptr);

// Writes a new file of exactly the image's bytes (a longer existing file is cut to the image).
// false (with a reason in *error) when it failed. Both writes refuse a path that holds anything
// but a regular file (a folder, a FIFO, a device).
bool WriteNewImageFile(const std::filesystem::path& file, const CodeplugImage& image,
                       std::string* error);

// Puts the image at offset 0 of the file: a missing file is created, an existing longer file keeps
// its bytes after the image. false (with a reason in *error) when it failed; the old file is then
// unchanged.
bool SaveImageFile(const std::filesystem::path& file, const CodeplugImage& image,
                   std::string* error);

// Runs once the new content is complete on disk, just before it replaces the target; returning
// false abandons the write as a failure (how tests put a failure at that point).
using BeforeReplace = std::function<bool(const std::filesystem::path& temporary)>;

// The replacement both writes use: `head` at offset 0, followed, when `keepTail` is set, by the
// bytes of the existing file after the head's length.
bool ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> head,
                 bool keepTail, std::string* error, const BeforeReplace& beforeReplace = {});

}  // namespace rvm46::storage
