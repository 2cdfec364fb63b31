// Reading back the BMP files this tool and the library write (1, 4 or 8 bits per pixel with
// a colour table, or 24 bits), for the check after writing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "images/grey_image.h"

namespace qrcli {

// Nothing when the bytes are not such a BMP file.
std::optional<GreyImage> DecodeBmp(std::span<const uint8_t> file);

}  // namespace qrcli
