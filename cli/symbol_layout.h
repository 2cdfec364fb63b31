// One line's symbol and where it goes in the image: the encoder and the module size, with no
// shared state, so any number of lines can be laid out at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "batch_options.h"
#include "encode_symbol.h"
#include "symbol_drawing.h"

namespace qrcli {

inline constexpr int kQuietZoneModules = 4;

struct LaidOutSymbol {
    qr::EncodedSymbol symbol;
    qrlib::Appearance look;
};

// Nothing, with the reason, when the text does not fit version 40 at the level, or (with
// --fit) the symbol and its quiet zone do not fit the image at one pixel per module.
std::optional<LaidOutSymbol> LayOutLine(std::string_view line, const BatchOptions& options,
                                        std::string& reason);

}  // namespace qrcli
