#include "model/codeplug_image.h"

#include <algorithm>
#include <cstring>

namespace rvm46 {

CodeplugImage BlankImage() {
    CodeplugImage image;
    image.fill(0xFF);
    std::memcpy(&image[layout::kModelIdentAt], layout::kModelIdent, sizeof layout::kModelIdent - 1);
    std::memcpy(&image[layout::kVersionIdentAt], layout::kVersionIdent,
                sizeof layout::kVersionIdent - 1);
    return image;
}

void InitMatrixCode(CodeplugImage& gbytMatrixCode, LeadCode& gbytLeadCode) {
    gbytLeadCode = kLeadCode;
    gbytMatrixCode = BlankImage();
}

}  // namespace rvm46
