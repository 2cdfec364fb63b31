#include "segment_writing.h"

#include <algorithm>
#include <utility>

#include "bit_stream.h"

namespace qr {

void WriteSegments(BitBuffer& bits, std::span<const uint8_t> text,
                   const std::vector<Segment>& segments, const SegmentHeader& header) {
    for (const Segment& s : segments) {
        const auto index = static_cast<size_t>(s.mode);
        const auto data = text.subspan(s.begin, s.length);
        const size_t count = s.mode == SegmentMode::kKanji ? s.length / 2 : s.length;
        bits.Append(header.indicators[index], header.indicatorBits);
        bits.Append(static_cast<uint32_t>(count), header.countBits[index]);
        switch (s.mode) {
            case SegmentMode::kNumeric:
                for (size_t i = 0; i < data.size(); i += 3) {
                    const size_t digits = std::min<size_t>(3, data.size() - i);
                    uint32_t value = 0;
                    for (size_t k = 0; k < digits; ++k) value = value * 10 + (data[i + k] - '0');
                    bits.Append(value, digits == 3 ? 10 : digits == 2 ? 7 : 4);
                }
                break;
            case SegmentMode::kAlphanumeric:
                for (size_t i = 0; i < data.size(); i += 2) {
                    const int first = AlphanumericValue(data[i]);
                    if (i + 1 < data.size()) {
                        bits.Append(
                            static_cast<uint32_t>(45 * first + AlphanumericValue(data[i + 1])), 11);
                    } else {
                        bits.Append(static_cast<uint32_t>(first), 6);
                    }
                }
                break;
            case SegmentMode::kByte:
                for (uint8_t byte : data) bits.Append(byte, 8);
                break;
            case SegmentMode::kKanji:
                for (size_t i = 0; i + 1 < data.size(); i += 2) {
                    bits.Append(static_cast<uint32_t>(KanjiValue(data[i], data[i + 1])), 13);
                }
                break;
        }
    }
}

void WriteEci(BitBuffer& bits, int assignment) {
    bits.Append(0b0111, 4);
    bits.Append(static_cast<uint32_t>(assignment) & 0x7F, 8);
}

std::vector<uint8_t> FillDataCodewords(BitBuffer bits, size_t capacityBits, int terminatorBits) {
    BitBuffer filled = std::move(bits);
    filled.Reserve((capacityBits + 7) / 8);
    const size_t room = capacityBits - filled.length();
    filled.Append(0, static_cast<int>(std::min<size_t>(room, static_cast<size_t>(terminatorBits))));
    const size_t wholeBytes = capacityBits / 8;
    while (filled.length() % 8 != 0 && filled.length() < capacityBits) filled.Append(0, 1);
    for (bool ec = true; filled.length() / 8 < wholeBytes; ec = !ec) {
        filled.Append(ec ? 0xEC : 0x11, 8);
    }
    std::vector<uint8_t> codewords = filled.Take();
    codewords.resize((capacityBits + 7) / 8, 0);  // the four-bit codeword, when there is one
    return codewords;
}

}  // namespace qr
