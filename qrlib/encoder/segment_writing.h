// The bit stream of planned segments, and the data codewords that carry it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "bit_buffer.h"
#include "segmentation.h"

namespace qr {

// Each segment's mode indicator, character count and data, as the header says.
void WriteSegments(BitBuffer& bits, std::span<const uint8_t> text,
                   const std::vector<Segment>& segments, const SegmentHeader& header);

// The ECI designator: mode 0111 and an assignment number below 128 in one byte (UTF-8 is 26).
void WriteEci(BitBuffer& bits, int assignment);
inline constexpr int kEciBits = 12;

// The data codewords of a symbol holding capacityBits: the bits, the terminator (up to
// terminatorBits zeros), zeros to the codeword's end, then 0xEC and 0x11 in turn. A capacity
// that is not whole bytes ends in a four-bit codeword (Micro QR M1 and M3), kept in the high
// half of the last byte and padded with zeros.
std::vector<uint8_t> FillDataCodewords(BitBuffer bits, size_t capacityBits, int terminatorBits);

}  // namespace qr
