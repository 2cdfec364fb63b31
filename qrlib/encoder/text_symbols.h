// A text as the smallest symbols that hold it: optimally segmented, with an ECI designator,
// as Micro QR, or split into linked symbols (structured append). Beside EncodeSymbol, which
// the library's C interface keeps using unchanged; pure and reentrant like it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "encode_symbol.h"

namespace qr {

inline constexpr int kEciUtf8 = 26;
inline constexpr int kMaxLinkedSymbols = 16;

struct TextOptions {
    int level = 0;              // 0 L, 1 M, 2 Q, 3 H
    int version = 0;            // 0 automatic, else the smallest to use (Micro QR: 1..4 = M1..M4)
    bool exactVersion = false;  // the version given or nothing, never a larger one
    int maskSetting = 0;        // 0 automatic, else the pattern + 1 (Micro QR: 1..4)
    int eci = 0;                // 0 none, else the assignment number (below 128) written first
    bool shiftJis = false;      // the text is Shift JIS: Kanji mode where it is shorter
    bool micro = false;
    int parts = 1;               // linked symbols wanted: 1 one symbol, 2..16 exactly so many
    bool splitWhenLong = false;  // with parts == 1: as few linked symbols as hold the text
};

// Why a text has no symbols.
enum class NoSymbol { kNone, kTooLong, kMicroLevel, kMicroExtras, kTooFewCharacters };

struct TextSymbols {
    std::vector<EncodedSymbol> symbols;  // one, or the linked symbols in their order
    std::vector<size_t> ends;            // where each symbol's share of the text ends
    NoSymbol failure = NoSymbol::kNone;
    size_t bits = 0;          // the shortest bit stream of the text in one symbol of the
                              // largest version tried (for the message when it is too long)
    size_t capacityBits = 0;  // what that version holds at the level
    int largestVersion = 0;   // the largest version tried
    int neededVersion = 0;    // with exactVersion: the smallest that would hold it, 0 none
};

TextSymbols EncodeText(std::span<const uint8_t> text, const TextOptions& options);

// How many linked symbols EncodeText makes of the text (0: one symbol or none), found without
// making them, so that their files can be named before they are drawn.
size_t LinkedSymbolCount(std::span<const uint8_t> text, const TextOptions& options);

// The bits of the text's shortest bit stream in a QR Code symbol of this version, with the
// designator of eci (0 none) and a structured-append header when linked.
size_t QrTextBits(std::span<const uint8_t> text, int version, int eci, bool linked, bool shiftJis);

// The parity byte of the structured-append header: all the text's bytes XORed.
uint8_t TextParity(std::span<const uint8_t> text);

}  // namespace qr
