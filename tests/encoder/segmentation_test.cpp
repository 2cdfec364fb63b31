#include "segmentation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bit_stream.h"
#include "micro_symbol.h"
#include "segment_writing.h"

namespace qr {
namespace {

std::span<const uint8_t> Span(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

using M = SegmentMode;

struct PlanCase {
    std::string text;
    SegmentHeader header;
    bool shiftJis;
    size_t bits;  // worked out by hand: indicator + count + data per segment
    std::vector<std::pair<M, size_t>> segments;
};

TEST(PlanSegments, BitsAndSegmentsAsWorkedOutByHand) {
    const SegmentHeader v1 = QrSegmentHeader(1);    // counts 10, 9, 8, 8
    const SegmentHeader v10 = QrSegmentHeader(10);  // 12, 11, 16, 10
    const std::vector<PlanCase> cases = {
        {"0123456789", v1, false, 4 + 10 + 30 + 4, {{M::kNumeric, 10}}},
        {"HELLO WORLD", v1, false, 4 + 9 + 55 + 6, {{M::kAlphanumeric, 11}}},
        {"hello", v1, false, 4 + 8 + 40, {{M::kByte, 5}}},
        {"hello", v10, false, 4 + 16 + 40, {{M::kByte, 5}}},
        // A digit run after a lowercase address: its own numeric segment.
        {"https://example.com/order/123456789012",
         v1,
         false,
         (4 + 8 + 208) + (4 + 10 + 40),
         {{M::kByte, 26}, {M::kNumeric, 12}}},
        // One digit between bytes: a switch would cost more than it saves.
        {"a1b", v1, false, 4 + 8 + 24, {{M::kByte, 3}}},
        {"ABC123", v1, false, 4 + 9 + 33, {{M::kAlphanumeric, 6}}},
        // The numeric tail wins by one bit only because 7 digits take 24 bits, not 7 x 10/3.
        {"AB1234567",
         v1,
         false,
         (4 + 9 + 11) + (4 + 10 + 24),
         {{M::kAlphanumeric, 2}, {M::kNumeric, 7}}},
        // Shift JIS 日本 then digits: Kanji mode only when the text is declared so.
        {"\x93\xfa\x96\x7b", v1, true, 4 + 8 + 26, {{M::kKanji, 4}}},
        {"\x93\xfa\x96\x7b", v1, false, 4 + 8 + 32, {{M::kByte, 4}}},
        {"\x93\xfa\x96\x7b"
         "0123456789",
         v1,
         true,
         (4 + 8 + 26) + (4 + 10 + 34),
         {{M::kKanji, 4}, {M::kNumeric, 10}}},
        // A double-byte Shift JIS character outside the Kanji set whose second byte is a capital
        // letter stays whole, in byte mode.
        {"\xF0\x41"
         "BCDEFGH",
         v1,
         true,
         (4 + 8 + 16) + (4 + 9 + 33 + 6),
         {{M::kByte, 2}, {M::kAlphanumeric, 7}}},
        {"", v1, false, 4 + 10, {{M::kNumeric, 0}}},
        // Micro QR: M1 has no mode indicator and a 3-bit count; M2 a 1-bit indicator.
        {"12345", MicroSegmentHeader(1), false, 0 + 3 + 17, {{M::kNumeric, 5}}},
        {"AB12", MicroSegmentHeader(2), false, 1 + 3 + 22, {{M::kAlphanumeric, 4}}},
        {"a1", MicroSegmentHeader(3), false, 2 + 4 + 16, {{M::kByte, 2}}},
    };
    for (const PlanCase& c : cases) {
        const SegmentPlan plan = PlanSegments(Span(c.text), c.header, c.shiftJis);
        EXPECT_EQ(plan.bits, c.bits) << c.text;
        std::vector<std::pair<M, size_t>> got;
        size_t next = 0;
        for (const Segment& s : plan.segments) {
            EXPECT_EQ(s.begin, next) << c.text;
            next = s.begin + s.length;
            got.emplace_back(s.mode, s.length);
        }
        EXPECT_EQ(got, c.segments) << c.text;
        EXPECT_EQ(next, c.text.size()) << c.text;
    }
}

TEST(PlanSegments, ModesASymbolLacksAreNotUsed) {
    EXPECT_EQ(PlanSegments(Span("A1"), MicroSegmentHeader(1), false).bits, kNoFit);
    EXPECT_EQ(PlanSegments(Span("a"), MicroSegmentHeader(2), false).bits, kNoFit);
    // 16 digits overflow M1's 3-bit count.
    EXPECT_EQ(PlanSegments(Span(std::string(16, '7')), MicroSegmentHeader(2), false).bits, kNoFit);
}

// Every split of a short text into segments, every mode each may take: the fewest bits.
size_t BruteForceBits(const std::string& text, const SegmentHeader& header) {
    const size_t n = text.size();
    std::vector<size_t> best(n + 1, SIZE_MAX);
    best[0] = 0;
    for (size_t end = 1; end <= n; ++end) {
        for (size_t begin = 0; begin < end; ++begin) {
            if (best[begin] == SIZE_MAX) continue;
            const std::string piece = text.substr(begin, end - begin);
            for (M mode : {M::kNumeric, M::kAlphanumeric, M::kByte}) {
                const bool fits = std::all_of(piece.begin(), piece.end(), [&](char c) {
                    return mode == M::kByte ||
                           (mode == M::kNumeric ? c >= '0' && c <= '9'
                                                : AlphanumericValue(static_cast<uint8_t>(c)) >= 0);
                });
                if (!fits) continue;
                best[end] =
                    std::min(best[end], best[begin] + SegmentBits(mode, piece.size(), header));
            }
        }
    }
    return best[n];
}

TEST(PlanSegments, NeverLongerThanAnySplitNorOneModeAndWrittenAsCounted) {
    std::mt19937 random(19);
    const std::string alphabet = "0123456789ABC:/ab";
    for (int round = 0; round < 3000; ++round) {
        std::string text(1 + random() % 10, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        for (int version : {1, 10, 27}) {
            const SegmentHeader header = QrSegmentHeader(version);
            const SegmentPlan plan = PlanSegments(Span(text), header, false);
            ASSERT_EQ(plan.bits, BruteForceBits(text, header)) << text;
            EXPECT_LE(plan.bits,
                      static_cast<size_t>(BitCost(text.size(), ChooseMode(Span(text)), version)));
            BitBuffer written;
            WriteSegments(written, Span(text), plan.segments, header);
            EXPECT_EQ(written.length(), plan.bits) << text;
        }
    }
}

struct CodewordCase {
    std::string bits;  // as 0 and 1
    size_t capacityBits;
    int terminator;
    std::vector<uint8_t> codewords;
};

TEST(FillDataCodewords, TerminatorZerosAndPadCodewordsFourBitLastCodewordEmpty) {
    const std::vector<CodewordCase> cases = {
        {"1111", 32, 4, {0xF0, 0xEC, 0x11, 0xEC}},
        {"1111111111111111111111111111", 32, 4, {0xFF, 0xFF, 0xFF, 0xF0}},   // room for 4
        {"11111111111111111111111111111", 32, 4, {0xFF, 0xFF, 0xFF, 0xF8}},  // 3 zeros fit
        // M1: 20 bits, the last codeword 4 bits and kept in the high half.
        {"1111111111111111111", 20, 3, {0xFF, 0xFF, 0xE0}},
        {"1", 20, 3, {0x80, 0xEC, 0x00}},
        // M3-L: 84 bits; 2 bits and the 7-bit terminator take two codewords, pad codewords go
        // up to the four-bit one, which stays 0000.
        {"11", 84, 7, {0xC0, 0x00, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0x00}},
    };
    for (const CodewordCase& c : cases) {
        BitBuffer bits;
        for (char b : c.bits) bits.Append(b == '1', 1);
        EXPECT_EQ(FillDataCodewords(bits, c.capacityBits, c.terminator), c.codewords) << c.bits;
    }
}

}  // namespace
}  // namespace qr
