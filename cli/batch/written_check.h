// The check of --verify: the written file, read back, holds a symbol of the line's own bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "images/symbol_layout.h"
#include "input/output_target.h"
#include "options/batch_options.h"

namespace qrcli {

// Nothing when the file is good; otherwise the reason. BMP and PNG files are decoded as
// written; the other formats must equal the bytes made, whose drawing is then read as pixels.
// The symbol read must be the kind made (Micro QR or not), hold `share` (the whole line, or a
// linked symbol's part of it), say so of an ECI designator when one was written, and a linked
// symbol its index, count and the parity of the whole line.
std::optional<std::string> CheckWrittenFile(const OutputTarget& target, const std::string& name,
                                            std::string_view share, std::string_view line,
                                            std::span<const uint8_t> madeBytes,
                                            const LaidOutSymbol& laid, const BatchOptions& options);

// The same check of a file's bytes already at hand.
std::optional<std::string> CheckFileBytes(std::span<const uint8_t> file, std::string_view share,
                                          std::string_view line, std::span<const uint8_t> madeBytes,
                                          const LaidOutSymbol& laid, const BatchOptions& options);

}  // namespace qrcli
