#pragma once
// Data files: the 1074 bytes of the codeplug image, byte n of the file = image index n, with no
// header, length or checksum of their own.

#include <filesystem>
#include <optional>
#include <string>

#include "model/codeplug_image.h"

namespace rvm46::storage {

// Reads the first 1074 bytes into a zeroed image: a shorter file leaves the tail zero, bytes after
// the image are ignored. nullopt (with a reason in *error) when the file cannot be opened or read.
std::optional<CodeplugImage> ReadImageFile(const std::filesystem::path& file, std::string* error);

// Writes a new file of exactly the image's bytes, through a temporary file in the same folder that
// is renamed over the target, so a failure leaves no partial file behind. false (with a reason in
// *error) when it failed.
bool WriteNewImageFile(const std::filesystem::path& file, const CodeplugImage& image,
                       std::string* error);

}  // namespace rvm46::storage
