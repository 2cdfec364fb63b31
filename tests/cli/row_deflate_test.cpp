#include "images/row_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

namespace {

// zlib's own inflate, independent of the writer.
std::vector<uint8_t> Inflated(const std::vector<uint8_t>& stream, size_t expected) {
    std::vector<uint8_t> out(expected + 16);
    uLongf size = static_cast<uLongf>(out.size());
    const int status =
        uncompress(out.data(), &size, stream.data(), static_cast<uLong>(stream.size()));
    if (status != Z_OK) return {0xEE};  // never a valid result of the cases below
    out.resize(size);
    return out;
}

// rowCount rows of rowBytes, row r made by fill(r, column).
template <typename Fill>
std::vector<uint8_t> Rows(size_t rowCount, size_t rowBytes, Fill fill) {
    std::vector<uint8_t> rows(rowCount * rowBytes);
    for (size_t r = 0; r < rowCount; ++r) {
        for (size_t c = 0; c < rowBytes; ++c) rows[r * rowBytes + c] = fill(r, c);
    }
    return rows;
}

TEST(RowDeflate, ZlibInflatesEveryShapeOfRowsBackExactly) {
    std::mt19937 random(21);
    const struct {
        const char* name;
        size_t rowBytes;
        std::vector<uint8_t> rows;
    } cases[] = {
        {"nothing", 26, {}},
        {"one row of one byte", 1, {0x5A}},
        {"two-byte rows repeated once (too short for a match)", 2,
         Rows(2, 2, [](size_t, size_t c) { return uint8_t(c); })},
        {"two-byte rows repeated twice", 2,
         Rows(3, 2, [](size_t, size_t c) { return uint8_t(c); })},
        // 26-byte rows: repeats of 10 rows (260 bytes) and 20 rows leave rests of 2 and 4 after
        // 258.
        {"module rows of ten pixel rows", 26,
         Rows(40, 26, [](size_t r, size_t c) { return uint8_t((r / 10 + c) % 3 ? 0xFF : 0x0F); })},
        {"one row repeated 1000 times", 37,
         Rows(1000, 37, [](size_t, size_t c) { return uint8_t(c * 7); })},
        {"runs of every length in a row", 700,
         Rows(3, 700,
              [](size_t r, size_t c) {
                  size_t start = 0, length = 1;  // runs of 1, 2, 3, ... bytes, alternating values
                  while (start + length <= c) start += length++;
                  return uint8_t(length % 2 ? 0x00 : 0xFF) ^ uint8_t(r);
              })},
        {"runs around the longest match", 800,
         Rows(2, 800,
              [](size_t, size_t c) {
                  return uint8_t(c < 258 ? 1 : c < 517 ? 2 : c < 777 ? 3 : 4);
              })},
        {"random bytes, no repeats", 50,
         Rows(30, 50, [&](size_t, size_t) { return uint8_t(random()); })},
        {"rows wider than the window", 40000,
         Rows(3, 40000, [](size_t, size_t c) { return uint8_t(c / 1000); })},
    };
    for (const auto& [name, rowBytes, rows] : cases) {
        std::vector<uint8_t> stream{0xAB};  // appended after what is there
        qrcli::AppendRowDeflated(rows, rowBytes, stream);
        ASSERT_EQ(stream[0], 0xAB) << name;
        stream.erase(stream.begin());
        EXPECT_EQ(Inflated(stream, rows.size()), rows) << name;
    }
}

TEST(RowDeflate, RunsGivenAsDistinctRowsMakeTheSameStreamAndChecksum) {
    // Counts around the checksum's modulus (65521), where its sums wrap.
    const struct {
        size_t rowBytes;
        std::vector<size_t> counts;
    } cases[] = {
        {26, {13, 6, 6, 6, 1, 6, 13}},
        {3, {65520, 65521, 65522}},
        {1, {131043}},
        {250, {2, 1, 70001}},
    };
    for (const auto& [rowBytes, counts] : cases) {
        std::vector<uint8_t> distinct;
        std::vector<uint8_t> whole;
        for (size_t i = 0; i < counts.size(); ++i) {
            std::vector<uint8_t> row(rowBytes);
            for (size_t c = 0; c < rowBytes; ++c) row[c] = uint8_t(255 - (i * 41 + c * 7) % 256);
            distinct.insert(distinct.end(), row.begin(), row.end());
            for (size_t k = 0; k < counts[i]; ++k)
                whole.insert(whole.end(), row.begin(), row.end());
        }
        std::vector<qrcli::RowRun> runs;
        for (size_t i = 0; i < counts.size(); ++i)
            runs.push_back({&distinct[i * rowBytes], counts[i]});
        const std::string name =
            std::to_string(rowBytes) + " bytes, " + std::to_string(counts.size()) + " runs";
        EXPECT_EQ(qrcli::Adler32OfRuns(runs, rowBytes),
                  adler32(adler32(0, nullptr, 0), whole.data(), static_cast<uInt>(whole.size())))
            << name;
        std::vector<uint8_t> fromRuns;
        std::vector<uint8_t> fromWhole;
        qrcli::AppendRowDeflated(runs, rowBytes, fromRuns);
        qrcli::AppendRowDeflated(whole, rowBytes, fromWhole);
        EXPECT_EQ(fromRuns, fromWhole) << name;
        EXPECT_EQ(Inflated(fromRuns, whole.size()), whole) << name;
    }
}

TEST(RowDeflate, RepeatedRowsCostAlmostNothing) {
    // A 200 x 200 one-bit picture of 25 distinct module rows, each 8 pixel rows high.
    const auto rows = Rows(
        200, 26, [](size_t r, size_t c) { return uint8_t(c == 0 ? 0 : (r / 8) * 37 + c * 11); });
    std::vector<uint8_t> stream;
    qrcli::AppendRowDeflated(rows, 26, stream);
    EXPECT_LT(stream.size(), 25U * 30U + 25U * 4U + 10U);
}

}  // namespace
