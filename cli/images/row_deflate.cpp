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

// A code with its extra bits behind it, ready to go out in one step (at most 31 bits).
struct CodeAndExtra {
    uint32_t bits = 0;
    int count = 0;
};

CodeAndExtra DistanceBits(size_t distance) {
    const Coded d = DistanceCode(distance);
    return {Reverse(d.symbol, 5) | d.extra << 5, 5 + d.extraBits};
}

// Every match length's symbol and extra bits, made once.
const std::array<CodeAndExtra, kLongestMatch + 1>& LengthBits() {
    static const auto table = [] {
        std::array<CodeAndExtra, kLongestMatch + 1> all{};
        for (size_t length = kShortestMatch; length <= kLongestMatch; ++length) {
            const Coded l = LengthCode(length);
            const FixedCode& code = kFixedCodes[l.symbol];
            all[length] = {code.reversed | l.extra << code.bits, code.bits + l.extraBits};
        }
        return all;
    }();
    return table;
}

void PutMatch(BitWriter& bits, size_t length, const CodeAndExtra& distance) {
    const auto& lengths = LengthBits();
    while (length > 0) {
        size_t part = std::min(length, kLongestMatch);
        // Never leave a rest too short to be a match.
        if (length > part && length - part < kShortestMatch) part = length - kShortestMatch;
        bits.Put(lengths[part].bits, lengths[part].count);
        bits.Put(distance.bits, distance.count);
        length -= part;
    }
}

const CodeAndExtra kOneBack{0, 5};  // distance 1: code 0, no extra bits

// A row on its own: bytes, a run of four or more as the byte and a match one back.
void PutRow(BitWriter& bits, const uint8_t* row, size_t size) {
    for (size_t i = 0; i < size;) {
        size_t run = 1;
        while (i + run < size && row[i + run] == row[i]) ++run;
        PutSymbol(bits, row[i]);
        if (run > kShortestMatch) {
            PutMatch(bits, run - 1, kOneBack);
        } else {
            for (size_t k = 1; k < run; ++k) PutSymbol(bits, row[i]);
        }
        i += run;
    }
}

// Adds a row's bytes to sum, and to weighted each byte times the number of bytes from it to
// the row's end: the sum of the running sums.
void RowSums(const uint8_t* row, size_t size, uint64_t& sum, uint64_t& weighted) {
    size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Eight bytes at a time: the even and the odd ones in 16-bit lanes, summed (and each
        // times its weight, 8 for the first to 1 for the last) by one multiplication into the
        // top lane.
        constexpr uint64_t kLanes = 0x00FF00FF00FF00FFULL;
        for (; i + 8 <= size; i += 8) {
            uint64_t bytes = 0;
            std::memcpy(&bytes, row + i, 8);
            const uint64_t even = bytes & kLanes;
            const uint64_t odd = (bytes >> 8) & kLanes;
            weighted += 8 * sum + ((even * 0x0008000600040002ULL) >> 48) +
                        ((odd * 0x0007000500030001ULL) >> 48);
            sum += ((even + odd) * 0x0001000100010001ULL) >> 48;
        }
    }
    for (; i < size; ++i) {
        sum += row[i];
        weighted += sum;
    }
}

}  // namespace

std::vector<RowRun> RunsOf(std::span<const uint8_t> rows, size_t rowBytes) {
    std::vector<RowRun> runs;
    const size_t count = rowBytes == 0 ? 0 : rows.size() / rowBytes;
    for (size_t r = 0; r < count; ++r) {
        const uint8_t* row = rows.data() + r * rowBytes;
        if (!runs.empty() && std::memcmp(runs.back().row, row, rowBytes) == 0) {
            ++runs.back().count;
        } else {
            runs.push_back({row, 1});
        }
    }
    return runs;
}

void AppendRowDeflated(std::span<const RowRun> runs, size_t rowBytes, std::vector<uint8_t>& out) {
    // Deflate with a 32 KiB window, no dictionary; the check bits make the pair a multiple of 31.
    out.push_back(0x78);
    out.push_back(0x01);
    BitWriter bits(out);
    bits.Put(1, 1);  // the last block
    bits.Put(1, 2);  // fixed codes
    // A match reaches back at most 32 KiB: wider rows are written whole.
    const bool rowsRepeat = rowBytes <= 32768;
    const CodeAndExtra rowAbove = rowsRepeat ? DistanceBits(rowBytes) : kOneBack;
    for (const RowRun& run : runs) {
        if (run.count == 0 || rowBytes == 0) continue;
        PutRow(bits, run.row, rowBytes);
        const size_t same = run.count - 1;
        if (rowsRepeat && same * rowBytes >= kShortestMatch) {
            PutMatch(bits, same * rowBytes, rowAbove);
        } else {
            for (size_t k = 0; k < same; ++k) PutRow(bits, run.row, rowBytes);
        }
    }
    PutSymbol(bits, 256);  // the end of the block
    bits.Finish();
    AppendBigEndian(out, Adler32OfRuns(runs, rowBytes));
}

void AppendRowDeflated(std::span<const uint8_t> rows, size_t rowBytes, std::vector<uint8_t>& out) {
    AppendRowDeflated(RunsOf(rows, rowBytes), rowBytes, out);
}

uint32_t Adler32OfRuns(std::span<const RowRun> runs, size_t rowBytes) {
    // The checksum is two sums modulo 65521: a, 1 plus the bytes, and b, the sum of a after
    // each byte. A row of length L read k times over (a, b) adds k S to a and
    // k L a + L S k (k - 1) / 2 + k T to b, where S is its bytes' sum and T the sum of each
    // byte times the number of bytes from it to the row's end.
    constexpr uint64_t kPrime = 65521;
    const uint64_t length = rowBytes % kPrime;
    uint64_t a = 1;
    uint64_t b = 0;
    for (const RowRun& run : runs) {
        uint64_t sum = 0;
        uint64_t weighted = 0;
        if (rowBytes <= (size_t{1} << 20)) {  // the sums stay far within 64 bits
            RowSums(run.row, rowBytes, sum, weighted);
        } else {
            const uint32_t once = Adler32({run.row, rowBytes});
            sum = (once & 0xFFFF) + kPrime - 1;
            weighted = (once >> 16) + kPrime - length;
        }
        sum %= kPrime;
        weighted %= kPrime;
        const uint64_t k = run.count % kPrime;
        const uint64_t half = run.count / 2 % kPrime;
        const uint64_t pairs = run.count % 2 == 0 ? half * ((run.count + kPrime - 1) % kPrime)
                                                  : k * ((run.count - 1) / 2 % kPrime);
        b = (b + k * length % kPrime * a + length * sum % kPrime * (pairs % kPrime) +
             k * weighted) %
            kPrime;
        a = (a + k * sum) % kPrime;
    }
    return static_cast<uint32_t>(b << 16 | a);
}

}  // namespace qrcli
