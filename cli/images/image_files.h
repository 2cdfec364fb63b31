// The bytes of one line's image file in the run's format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "images/grey_image.h"
#include "images/symbol_layout.h"
#include "options/batch_options.h"

namespace qrcli {

// Nothing, with the reason, when the image cannot be made (memory, a metafile too large).
std::optional<std::vector<uint8_t>> ImageFileBytes(const LaidOutSymbol& laid,
                                                   const BatchOptions& options,
                                                   std::string& reason);

// The same drawing as pixels: what a reader of the vector formats would show.
std::optional<GreyImage> DrawingAsPixels(const LaidOutSymbol& laid, const BatchOptions& options);

}  // namespace qrcli
