#pragma once
// What differs between two codeplugs, in the words of the window: channel by channel, setting by
// setting, then the addresses of any other differing bytes.

#include <string>
#include <vector>

#include "model/codeplug_image.h"
#include "model/model_table.h"
#include "model/tone_table.h"

namespace rvm46::storage {

// One line per differing channel, setting or other byte; empty when the images are equal.
std::vector<std::string> DiffImages(const CodeplugImage& a, const CodeplugImage& b,
                                    const ModelTable& models, const ToneTable& tones);

}  // namespace rvm46::storage
