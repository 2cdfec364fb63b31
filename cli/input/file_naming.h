// The name of a line's image in the output folder, by the run's naming: the line's bytes as
// they are, the line made safe, or the line's number; plus the extension.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "options/batch_options.h"

namespace qrcli {

inline constexpr size_t kMaxFileNameBytes = 255;  // what Linux file systems hold

// base is the text, or the name column of a TSV line; number counts lines from 1. Nothing,
// with the reason, when no file in the folder can have that name (a "/" would reach into
// other folders; "", "." and ".." name no file of their own), so that nothing is drawn for it.
std::optional<std::string> FileNameFor(std::string_view base, size_t number,
                                       const BatchOptions& options, std::string& reason);

}  // namespace qrcli
