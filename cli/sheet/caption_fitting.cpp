#include "caption_fitting.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string_view>

namespace qrsheet {

namespace {

constexpr std::u32string_view kBreakAfter = U" /-_.?&=,;:|";

bool IsIdeograph(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

double Sum(const std::vector<double>& advances, size_t begin, size_t end) {
    return std::accumulate(advances.begin() + static_cast<std::ptrdiff_t>(begin),
                           advances.begin() + static_cast<std::ptrdiff_t>(end), 0.0);
}

size_t TrimEnd(const std::u32string& text, size_t begin, size_t end) {
    while (end > begin && text[end - 1] == U' ') --end;
    return end;
}

// Pieces of one line no wider than room (thousandths of an em): broken after a space or a
// web address' punctuation, or between ideographs, where there is such a place; at any
// cluster's edge where there is not.
void Wrap(size_t index, const std::u32string& text, const std::vector<double>& advances,
          double room, std::vector<CaptionPiece>& pieces) {
    size_t start = 0;
    while (start < text.size() && text[start] == U' ') ++start;
    if (start == text.size()) {
        pieces.push_back({index, 0, 0, false});
        return;
    }
    while (start < text.size()) {
        double used = 0;
        size_t end = start;
        while (end < text.size() && used + advances[end] <= room + 1e-9) used += advances[end++];
        // The cluster under way stays whole.
        while (end > start && end < text.size() && advances[end] == 0) --end;
        if (end == text.size()) {
            pieces.push_back({index, start, TrimEnd(text, start, end), false});
            break;
        }
        size_t cut = 0;
        for (size_t b = end; b > start && cut == 0; --b) {
            const bool edge = advances[b] != 0;
            const bool soft = kBreakAfter.find(text[b - 1]) != std::u32string_view::npos ||
                              IsIdeograph(text[b - 1]) || IsIdeograph(text[b]);
            if (edge && soft) cut = b;
        }
        if (cut == 0) cut = end;
        if (cut == start) {  // one cluster wider than the room: it goes alone
            cut = start + 1;
            while (cut < text.size() && advances[cut] == 0) ++cut;
        }
        pieces.push_back({index, start, TrimEnd(text, start, cut), false});
        start = cut;
        while (start < text.size() && text[start] == U' ') ++start;
    }
}

}  // namespace

CaptionFit FitCaption(const std::vector<std::u32string>& lines,
                      const std::vector<std::vector<double>>& advances, double ellipsis,
                      const CaptionRoom& room) {
    CaptionFit fit;
    if (lines.empty()) return fit;
    double widest = 0;
    for (const auto& line : advances) widest = std::max(widest, Sum(line, 0, line.size()));
    const double count = static_cast<double>(lines.size());
    fit.size = room.largest;
    if (widest * fit.size / 1000 > room.width) fit.size = room.width * 1000 / widest;
    fit.size = std::min(fit.size, room.height / (count * kLineSpacing));
    fit.size = std::max(fit.size, std::min(room.smallest, room.largest));

    const double roomEm = room.width * 1000 / fit.size;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Sum(advances[i], 0, lines[i].size()) <= roomEm + 1e-9) {
            fit.pieces.push_back({i, 0, lines[i].size(), false});
        } else {
            Wrap(i, lines[i], advances[i], roomEm, fit.pieces);
        }
    }
    const auto most = static_cast<size_t>(
        std::max(1.0, std::floor(room.height / (fit.size * kLineSpacing) + 1e-9)));
    if (fit.pieces.size() <= most) return fit;

    // More lines than the room holds: the last that fits ends in an ellipsis.
    fit.cut = true;
    fit.pieces.resize(most);
    CaptionPiece& last = fit.pieces.back();
    const auto& text = lines[last.line];
    const auto& widths = advances[last.line];
    auto insideCluster = [&](size_t at) { return at < text.size() && widths[at] == 0; };
    while (last.end > last.begin && (Sum(widths, last.begin, last.end) + ellipsis > roomEm + 1e-9 ||
                                     text[last.end - 1] == U' ' || insideCluster(last.end))) {
        --last.end;
    }
    last.ellipsis = true;
    return fit;
}

}  // namespace qrsheet
