#include "mask_choice.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

#include "matrix_builder.h"
#include "packed_matrix.h"
#include "tables.h"

namespace qr {

namespace {

// What the mask choice of every symbol of a version shares, made on first use.
struct VersionMasks {
    // Each mask's data modules to invert, by row and by column.
    std::array<std::vector<LineBits>, 8> rows;
    std::array<std::vector<LineBits>, 8> columns;
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

std::unique_ptr<VersionMasks> MakeMasks(int version) {
    const ModuleMatrix& functions = FunctionPatternsOf(version);
    const int n = functions.side;
    auto masks = std::make_unique<VersionMasks>();
    for (int mask = 0; mask < 8; ++mask) {
        ModuleMatrix flips(n);
        flips.isData = functions.isData;
        ApplyMask(flips, mask);  // all light: the modules the mask inverts become dark
        const PackedMatrix packed(flips);
        masks->rows[mask].assign(packed.rows.begin(), packed.rows.begin() + n);
        masks->columns[mask].assign(packed.columns.begin(), packed.columns.begin() + n);
    }
    masks->corners = FunctionColumnsOf(functions);
    const std::vector<LineBits> centres = FinderCentres(n);
    for (size_t c = 0; c < centres.size(); ++c) {
        for (size_t w = 0; w < centres[c].size(); ++w) masks->corners[c][w] &= ~centres[c][w];
    }
    masks->format = FormatModulesOf(n);
    return masks;
}

const VersionMasks& MasksFor(int version) {
    static std::array<std::once_flag, kMaxVersion + 1> made;
    static std::array<std::unique_ptr<VersionMasks>, kMaxVersion + 1> all;
    const auto v = static_cast<size_t>(version);
    std::call_once(made[v], [&] { all[v] = MakeMasks(version); });
    return *all[v];
}

}  // namespace

int ChooseMask(const ModuleMatrix& unmasked, int version, int level) {
    const VersionMasks& masks = MasksFor(version);
    static const std::array<uint16_t, 32> kFormatBits = [] {
        std::array<uint16_t, 32> all{};
        for (int i = 0; i < 32; ++i) all[static_cast<size_t>(i)] = FormatBits(i / 8, i % 8);
        return all;
    }();
    PackedMatrix base(unmasked);
    // The format modules light, so that each mask only adds its dark ones.
    for (const FormatModule& f : masks.format) base.Set(f.row, f.column, false);
    PackedMatrix work(unmasked.side);
    const auto n = static_cast<size_t>(unmasked.side);
    const auto words = static_cast<size_t>(work.words);
    int best = 0;
    uint32_t lowest = 0;
    for (int mask = 0; mask < 8; ++mask) {
        const auto& rowFlips = masks.rows[static_cast<size_t>(mask)];
        const auto& columnFlips = masks.columns[static_cast<size_t>(mask)];
        for (size_t i = 0; i < n; ++i) {
            for (size_t w = 0; w < words; ++w) {
                work.rows[i][w] = base.rows[i][w] ^ rowFlips[i][w];
                work.columns[i][w] = base.columns[i][w] ^ columnFlips[i][w];
            }
        }
        const unsigned bits = kFormatBits[static_cast<size_t>((level & 3) * 8 + mask)];
        for (const FormatModule& f : masks.format) {
            const uint64_t dark = f.bit < 0 ? 1 : (bits >> f.bit) & 1U;
            const auto r = static_cast<unsigned>(f.row);
            const auto c = static_cast<unsigned>(f.column);
            work.rows[r][c / 64] |= dark << (c % 64);
            work.columns[c][r / 64] |= dark << (r % 64);
        }
        // Every term adds: a mask whose score reaches the lowest so far cannot win (equal
        // scores keep the lower mask number), so its scoring stops there.
        const uint32_t limit = mask == 0 ? UINT32_MAX : lowest;
        const uint32_t lines = LineScore(work);
        if (lines >= limit) continue;
        work.FindRowEqualities();
        const uint32_t score = lines + BlockScoreUpTo(work, masks.corners, limit - lines);
        if (score < limit) {
            lowest = score;
            best = mask;
        }
    }
    return best;
}

}  // namespace qr
