// A line's symbols outside --app-names: the encoder's smallest symbols for the text (optimal
// segments, --exact, --eci, --micro, --split), or the reason there are none. With --app-names
// the window's own encoding is used, so that its files stay byte for byte the same.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encode_symbol.h"
#include "options/batch_options.h"

namespace qrcli {

struct LineSymbols {
    std::vector<qr::EncodedSymbol> symbols;  // one, or the linked symbols in their order
    std::vector<size_t> ends;                // where each symbol's share of the line ends
};

std::optional<LineSymbols> EncodeLine(std::string_view line, const BatchOptions& options,
                                      std::string& reason);

// How many linked symbols EncodeLine makes of the line (0: one symbol or none), without
// making them: their file names are claimed, in line order, before anything is drawn.
size_t LinkedSymbolsOf(std::string_view line, const BatchOptions& options);

// "version 3", or "Micro QR M2".
std::string SymbolName(int version, bool micro);

// The file of linked symbol k (from 1) of a line: "-k" before the extension (codes.png gives
// codes-1.png, codes-2.png, ...), or at the end of a name without one.
std::string PartFileName(const std::string& fileName, int part);

}  // namespace qrcli
