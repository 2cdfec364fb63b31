// The text split into numeric, alphanumeric, byte and Kanji segments so that its bit stream is
// as short as it can be: a shortest path over the characters and the modes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qr {

enum class SegmentMode : uint8_t { kNumeric, kAlphanumeric, kByte, kKanji };
inline constexpr size_t kSegmentModes = 4;

// What one kind of symbol spends on each segment's header: the mode indicator (its width and
// the value of each mode) and the character-count field, whose width 0 means the mode is not
// available in that symbol.
struct SegmentHeader {
    int indicatorBits = 4;
    std::array<uint8_t, kSegmentModes> indicators{1, 2, 4, 8};
    std::array<int, kSegmentModes> countBits{};
};

// QR Code symbols of this version: the count widths change at versions 10 and 27.
SegmentHeader QrSegmentHeader(int version);

struct Segment {
    SegmentMode mode;
    size_t begin;   // byte offset in the text
    size_t length;  // bytes (two per Kanji character)
};

struct SegmentPlan {
    std::vector<Segment> segments;
    size_t bits = 0;  // headers and data; kNoFit when a segment overflows its count field
};
inline constexpr size_t kNoFit = SIZE_MAX;

// Characters and bits of a segment of `length` bytes: headers included.
size_t SegmentBits(SegmentMode mode, size_t length, const SegmentHeader& header);

// The split with the fewest bits. With shiftJis the text is Shift JIS: its double-byte
// characters stay whole, in byte or (where their code allows) Kanji mode; otherwise Kanji mode
// is not used. An empty text is one empty numeric segment, as readers expect a segment.
SegmentPlan PlanSegments(std::span<const uint8_t> text, const SegmentHeader& header, bool shiftJis);

// The value of a double-byte Shift JIS character in Kanji mode (13 bits), or -1.
int KanjiValue(uint8_t lead, uint8_t trail);

}  // namespace qr
