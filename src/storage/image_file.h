#pragma once
// Data files: the 1074 bytes of the codeplug image, byte n of the file = image index n, with no
// header, length or checksum of their own.
//
// Every write goes through ReplaceFile (storage/file_replace.h): a failure leaves the old file
// byte for byte and no temporary file behind.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "model/codeplug_image.h"
#include "storage/file_replace.h"

namespace rvm46::storage {

// Reads the first 1074 bytes into a zeroed image: a shorter file leaves the tail zero, bytes after
// the image are ignored; *fileSize (when given) receives the file's whole length. Never creates a
// file. nullopt (with a reason in *error) when the file cannot be opened or read, or is not a
// regular file (a FIFO or a device is refused without reading from it).
std::optional<CodeplugImage> ReadImageFile(const std::filesystem::path& file, std::string* error,
                                           std::uintmax_t* fileSize = nullptr);

// Writes a new file of exactly the image's bytes (a longer existing file is cut to the image).
// false (with a reason in *error) when it failed. Both writes refuse a path that holds anything
// but a regular file (a folder, a FIFO, a device). `keepPrevious` (when given) keeps an existing
// file's previous content first.
bool WriteNewImageFile(const std::filesystem::path& file, const CodeplugImage& image,
                       std::string* error, const KeepPrevious& keepPrevious = {});

// Puts the image at offset 0 of the file: a missing file is created, an existing longer file keeps
// its bytes after the image. false (with a reason in *error) when it failed; the old file is then
// unchanged.
bool SaveImageFile(const std::filesystem::path& file, const CodeplugImage& image,
                   std::string* error, const KeepPrevious& keepPrevious = {});

}  // namespace rvm46::storage
