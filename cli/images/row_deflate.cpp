#include "images/row_deflate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "images/deflater.h"
#include "images/png_chunks.h"

namespace qrcli {

namespace {

constexpr size_t kLongestMatch = 258;
constexpr size_t kShortestMatch = 3;

constexpr uint32_t Reverse(uint32_t code, int count) {
    uint32_t r = 0;
    for (int k = 0; k < count; ++k) r |= ((code >> k) & 1U) << (count - 1 - k);
    return r;
}

// Bits go out from the lowest; Huffman codes are sent from their highest bit, so they are
// reversed first. Bytes gather in a small buffer and join the output a buffer at a time.
class BitWriter {
  public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

    // At most 32 bits at a time; they go out four bytes at a time.
    void Put(uint32_t value, int count) {
        bits_ |= static_cast<uint64_t>(value) << filled_;
        filled_ += count;
        if (filled_ >= 32) {
            if (pending_ + 4 > buffer_.size()) Flush();
            for (int k = 0; k < 4; ++k) buffer_[pending_++] = static_cast<uint8_t>(bits_ >> 8 * k);
            bits_ >>= 32;
            filled_ -= 32;
        }
    }
    void PutCode(uint32_t code, int count);
    void Finish() {
        Flush();
        for (; filled_ > 0; filled_ -= 8) {
            out_.push_back(static_cast<uint8_t>(bits_));
            bits_ >>= 8;
        }
        bits_ = 0;
        filled_ = 0;
    }

  private:
    void Flush() {
        out_.insert(out_.end(), buffer_.begin(),
                    buffer_.begin() + static_cast<ptrdiff_t>(pending_));
        pending_ = 0;
    }

    std::vector<uint8_t>& out_;
    std::array<uint8_t, 256> buffer_;
    size_t pending_ = 0;
    uint64_t bits_ = 0;
    int filled_ = 0;
};

void BitWriter::PutCode(uint32_t code, int count) {
    Put(Reverse(code, count), count);
}

struct FixedCode {
    uint16_t reversed;  // ready to go out lowest bit first
    uint8_t bits;
};

// The fixed literal/length codes of symbols 0 to 287.
constexpr std::array<FixedCode, 288> MakeFixedCodes() {
    std::array<FixedCode, 288> codes{};
    for (unsigned s = 0; s < 288; ++s) {
        const auto [code, bits] = s < 144   ? std::pair{0x30 + s, 8}
                                  : s < 256 ? std::pair{0x190 + s - 144, 9}
                                  : s < 280 ? std::pair{s - 256, 7}
                                            : std::pair{0xC0 + s - 280, 8};
        codes[s] = {static_cast<uint16_t>(Reverse(code, bits)), static_cast<uint8_t>(bits)};
    }
    return codes;
}

constexpr std::array<FixedCode, 288> kFixedCodes = MakeFixedCodes();

void PutSymbol(BitWriter& bits, unsigned symbol) {
    bits.Put(kFixedCodes[symbol].reversed, kFixedCodes[symbol].bits);
}

// The symbol, extra bits and their count of a length (3 to 258) or a distance (1 to 32768):
// each code after the first few covers a span twice the width of the code two before it.
struct Coded {
    unsigned symbol;
    unsigned extra;
    int extraBits;
};

Coded LengthCode(size_t length) {
    if (length == kLongestMatch) return {285, 0, 0};
    const auto n = static_cast<unsigned>(length - 3);
    if (n < 8) return {257 + n, 0, 0};
    const int extraBits =
        static_cast<int>(std::bit_width(n)) - 3;  // 8..15: 1 bit, 16..31: 2 bits, ...
    const unsigned base = (4U + ((n >> extraBits) & 3U)) << extraBits;
    return {257 + 4 * static_cast<unsigned>(extraBits) + 4 + ((n >> extraBits) & 3U), n - base,
            extraBits};
}

Coded DistanceCode(size_t distance) {
    const auto n = static_cast<unsigned>(distance - 1);
    if (n < 4) return {n, 0, 0};
    const int extraBits =
        static_cast<int>(std::bit_width(n)) - 2;  // 4..7: 1 bit, 8..15: 2 bits, ...
    const unsigned base = (2U + ((n >> extraBits) & 1U)) << extraBits;
    return {2 * static_cast<unsigned>(extraBits) + 2 + ((n >> extraBits) & 1U), n - base,
            extraBits};
}

void PutMatch(BitWriter& bits, size_t length, size_t distance) {
    const Coded d = DistanceCode(distance);
    while (length > 0) {
        size_t part = std::min(length, kLongestMatch);
        // Never leave a rest too short to be a match.
        if (length > part && length - part < kShortestMatch) part = length - kShortestMatch;
        const Coded l = LengthCode(part);
        PutSymbol(bits, l.symbol);
        bits.Put(l.extra, l.extraBits);
        bits.PutCode(d.symbol, 5);
        bits.Put(d.extra, d.extraBits);
        length -= part;
    }
}

// A row on its own: bytes, a run of four or more as the byte and a match one back.
void PutRow(BitWriter& bits, const uint8_t* row, size_t size) {
    for (size_t i = 0; i < size;) {
        size_t run = 1;
        while (i + run < size && row[i + run] == row[i]) ++run;
        PutSymbol(bits, row[i]);
        if (run > kShortestMatch) {
            PutMatch(bits, run - 1, 1);
        } else {
            for (size_t k = 1; k < run; ++k) PutSymbol(bits, row[i]);
        }
        i += run;
    }
}

}  // namespace

void AppendRowDeflated(std::span<const uint8_t> rows, size_t rowBytes, std::vector<uint8_t>& out) {
    // Deflate with a 32 KiB window, no dictionary; the check bits make the pair a multiple of 31.
    out.push_back(0x78);
    out.push_back(0x01);
    BitWriter bits(out);
    bits.Put(1, 1);  // the last block
    bits.Put(1, 2);  // fixed codes
    const size_t count = rowBytes == 0 ? 0 : rows.size() / rowBytes;
    // A match reaches back at most 32 KiB: wider rows are written whole.
    const bool rowsRepeat = rowBytes <= 32768;
    for (size_t r = 0; r < count;) {
        const uint8_t* row = rows.data() + r * rowBytes;
        PutRow(bits, row, rowBytes);
        size_t same = 0;
        while (rowsRepeat && r + 1 + same < count &&
               std::memcmp(row, row + (1 + same) * rowBytes, rowBytes) == 0) {
            ++same;
        }
        if (same * rowBytes >= kShortestMatch) {
            PutMatch(bits, same * rowBytes, rowBytes);
        } else {
            for (size_t k = 0; k < same; ++k) PutRow(bits, row, rowBytes);
        }
        r += 1 + same;
    }
    PutSymbol(bits, 256);  // the end of the block
    bits.Finish();
    AppendBigEndian(out, Adler32(rows));
}

}  // namespace qrcli
