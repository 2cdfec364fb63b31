// A BMP file of other colours than black on white holds the 16 standard colours only (as the
// library writes it): the run says so before it starts, rather than change colours unasked.
#pragma once

#include <optional>
#include <string>

#include "options/batch_options.h"

namespace qrcli {

// The notice for standard error, or nothing when the colours stay as they are.
std::optional<std::string> BmpColourNotice(const BatchOptions& options);

// The usage error when the two colours become one in the table, so that no reader could see
// the code; nothing otherwise.
std::optional<std::string> BmpColoursMeet(const BatchOptions& options);

}  // namespace qrcli
