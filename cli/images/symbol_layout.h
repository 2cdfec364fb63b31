// One line's symbol and where it goes in the image: the encoder and the module size, with no
// shared state, so any number of lines can be laid out at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encode_symbol.h"
#include "options/batch_options.h"
#include "symbol_drawing.h"

namespace qrcli {

struct LaidOutSymbol {
    qr::EncodedSymbol symbol;
    qrlib::Appearance look;  // the image's size is this line's
    bool micro = false;
    int part = 0;  // linked symbols: this one's index (from 0) and their number
    int parts = 1;
    size_t textBegin = 0;  // this symbol's share of the line
    size_t textLength = 0;
};

// Nothing, with the reason, when the text does not fit version 40 at the level, or the
// symbol and its quiet zone do not fit the image: at one pixel per module when the module
// size follows the image, at the module size asked for otherwise. The window's own files
// (--app-names) follow the window's rule: smaller modules where the fixed size would not fit.
// A pixel format keeps whole pixels: when that puts the module more than 1 % off the physical
// size asked for, how far, to be said once on standard error.
std::optional<std::string> RasterSizeNote(const BatchOptions& options);

std::optional<LaidOutSymbol> LayOutLine(std::string_view line, const BatchOptions& options,
                                        std::string& reason);

// Every symbol of the line (several when it is split into linked symbols), each laid out as
// LayOutLine lays out one.
std::optional<std::vector<LaidOutSymbol>> LayOutSymbols(std::string_view line,
                                                        const BatchOptions& options,
                                                        std::string& reason);

}  // namespace qrcli
