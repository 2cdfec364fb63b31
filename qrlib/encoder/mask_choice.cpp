#include "mask_choice.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <numeric>
#include <vector>

#include "matrix_builder.h"
#include "packed_matrix.h"
#include "tables.h"

namespace qr {

namespace {

// What the mask choice of every symbol of a version and level shares, made on first use.
struct VersionMasks {
    // For each mask, the modules to turn dark in a symbol whose format modules are light: the
    // data modules the mask inverts and the level's and mask's dark format modules, by row
    // and by column.
    std::array<std::vector<LineBits>, 8> rows;
    std::array<std::vector<LineBits>, 8> columns;
    // The same lines side by side, for symbols narrow enough.
    std::vector<SideBySideLines> sideBySide;
    // Where the block term's rectangles may start, but for the finder patterns' centres:
    // the rectangles in those 3 x 3 dark squares, ringed by light function modules, are the
    // same for every mask, and neither contain nor lie inside any other. They add the same to
    // every mask's score, so the comparison leaves them out.
    std::vector<LineBits> corners;
    std::array<FormatModule, kFormatModules> format;
};

// The three finder patterns' centres, as bits by column.
std::vector<LineBits> FinderCentres(int n) {
    std::vector<LineBits> centres(static_cast<size_t>(n), LineBits{});
    for (const auto& [top, left] : {std::pair{2, 2}, std::pair{2, n - 5}, std::pair{n - 5, 2}}) {
        for (int c = left; c < left + 3; ++c) {
            for (int r = top; r < top + 3; ++r) {
                centres[static_cast<size_t>(c)][static_cast<size_t>(r / 64)] |= uint64_t{1}
                                                                                << (r % 64);
            }
        }
    }
    return centres;
}

std::unique_ptr<VersionMasks> MakeMasks(int version, int level) {
    const ModuleMatrix& functions = FunctionPatternsOf(version);
    const int n = functions.side;
    auto masks = std::make_unique<VersionMasks>();
    masks->format = FormatModulesOf(n);
    for (int mask = 0; mask < 8; ++mask) {
        ModuleMatrix flips(n);
        flips.isData = functions.isData;
        ApplyMask(flips, mask);  // all light: the modules the mask inverts become dark
        PackedMatrix packed(flips);
        const unsigned bits = FormatBits(level, mask);
        for (const FormatModule& f : masks->format) {
            if (f.bit < 0 || ((bits >> f.bit) & 1U) != 0) packed.Set(f.row, f.column, true);
        }
        masks->rows[mask].assign(packed.rows.begin(), packed.rows.begin() + n);
        masks->columns[mask].assign(packed.columns.begin(), packed.columns.begin() + n);
        if (SideBySideLines::Fit(n)) masks->sideBySide.emplace_back(packed);
    }
    masks->corners = FunctionColumnsOf(functions);
    const std::vector<LineBits> centres = FinderCentres(n);
    for (size_t c = 0; c < centres.size(); ++c) {
        for (size_t w = 0; w < centres[c].size(); ++w) masks->corners[c][w] &= ~centres[c][w];
    }
    return masks;
}

const VersionMasks& MasksFor(int version, int level) {
    constexpr size_t kLevels = 4;
    static std::array<std::once_flag, (kMaxVersion + 1) * kLevels> made;
    static std::array<std::unique_ptr<VersionMasks>, (kMaxVersion + 1) * kLevels> all;
    const size_t i = static_cast<size_t>(version) * kLevels + static_cast<size_t>(level & 3);
    std::call_once(made[i], [&] { all[i] = MakeMasks(version, level & 3); });
    return *all[i];
}

}  // namespace

int ChooseMask(const ModuleMatrix& unmasked, int version, int level) {
    const VersionMasks& masks = MasksFor(version, level);
    PackedMatrix base(unmasked);
    // The format modules light, so that each mask only adds its dark ones.
    for (const FormatModule& f : masks.format) base.Set(f.row, f.column, false);
    PackedMatrix work(unmasked.side);
    const auto n = static_cast<size_t>(unmasked.side);
    const auto words = static_cast<size_t>(work.words);
    auto applyMask = [&](int mask) {
        const auto& rowFlips = masks.rows[static_cast<size_t>(mask)];
        const auto& columnFlips = masks.columns[static_cast<size_t>(mask)];
        for (size_t i = 0; i < n; ++i) {
            for (size_t w = 0; w < words; ++w) {
                work.rows[i][w] = base.rows[i][w] ^ rowFlips[i][w];
                work.columns[i][w] = base.columns[i][w] ^ columnFlips[i][w];
            }
        }
    };
    std::array<uint32_t, 8> lines{};
    std::array<int, 8> order{};
    if (SideBySideLines::Fit(unmasked.side)) {
        const SideBySideLines unmaskedLines(base);
        SideBySideLines masked = unmaskedLines;
        for (int mask = 0; mask < 8; ++mask) {
            const auto& flips = masks.sideBySide[static_cast<size_t>(mask)].words;
            for (size_t w = 0; w < masked.words.size(); ++w) {
                masked.words[w] = unmaskedLines.words[w] ^ flips[w];
            }
            lines[static_cast<size_t>(mask)] = LineScore(masked);
        }
    } else {
        for (int mask = 0; mask < 8; ++mask) {
            applyMask(mask);
            lines[static_cast<size_t>(mask)] = LineScore(work);
        }
    }
    std::iota(order.begin(), order.end(), 0);
    // The block term is the dearest, and it stops once a mask cannot win: masks with the
    // fewest line points first, so that the winner is usually scored first and the others
    // stop early. Every term adds; equal scores keep the lower mask number.
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const uint32_t pointsA = lines[static_cast<size_t>(a)];
        const uint32_t pointsB = lines[static_cast<size_t>(b)];
        return pointsA != pointsB ? pointsA < pointsB : a < b;
    });
    int best = -1;
    uint32_t lowest = 0;
    for (const int mask : order) {
        const uint32_t limit = best < 0 ? UINT32_MAX : mask < best ? lowest + 1 : lowest;
        const uint32_t lineScore = lines[static_cast<size_t>(mask)];
        if (lineScore >= limit) continue;
        applyMask(mask);
        work.FindRowEqualities();
        const uint32_t score = lineScore + BlockScoreUpTo(work, masks.corners, limit - lineScore);
        if (score < limit) {
            lowest = score;
            best = mask;
        }
    }
    return best;
}

}  // namespace qr
