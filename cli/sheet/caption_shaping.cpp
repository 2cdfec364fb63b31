#include "caption_shaping.h"

#include <algorithm>
#include <cstdio>

#include <hb.h>

namespace qrsheet {

namespace {

struct Run {
    size_t begin = 0;
    size_t end = 0;
    int font = 0;
    hb_script_t script = HB_SCRIPT_COMMON;
    bool rightToLeft = false;
    bool number = false;  // digits read left to right inside right-to-left text
};

// Characters that draw nothing and need no font of their own: joiners, marks of direction,
// variation selectors, the soft hyphen.
bool IsIgnorable(char32_t c) {
    return c == 0x00AD || c == 0x034F || (c >= 0x180B && c <= 0x180E) ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || (c >= 0xFE00 && c <= 0xFE0F) ||
           (c >= 0xE0100 && c <= 0xE01EF);
}

bool IsNeutral(hb_script_t script) {
    return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED ||
           script == HB_SCRIPT_UNKNOWN;
}

bool IsRightToLeft(hb_script_t script) {
    return hb_script_get_horizontal_direction(script) == HB_DIRECTION_RTL;
}

// The order the runs are drawn in, left to right: in a line that reads from the right the
// runs go backwards, except that neighbouring left-to-right runs (a Latin word, a number)
// keep their own order, but two numbers apart stay apart; in a line that reads from the left,
// the other way round.
std::vector<size_t> DrawingOrder(const std::vector<Run>& runs, bool rightToLeft) {
    std::vector<std::vector<size_t>> blocks;
    for (size_t i = 0; i < runs.size(); ++i) {
        const bool against = runs[i].rightToLeft != rightToLeft;
        const Run* before = blocks.empty() ? nullptr : &runs[blocks.back().back()];
        const bool joins = before != nullptr && against &&
                           before->rightToLeft == runs[i].rightToLeft &&
                           !(runs[i].number && before->number);
        if (joins) {
            blocks.back().push_back(i);
        } else {
            blocks.push_back({i});
        }
    }
    std::vector<size_t> order;
    if (rightToLeft) std::reverse(blocks.begin(), blocks.end());
    for (auto& block : blocks) {
        // A block against the line's direction: the runs inside it in their own direction.
        if (!rightToLeft && runs[block.front()].rightToLeft) {
            std::reverse(block.begin(), block.end());
        }
        order.insert(order.end(), block.begin(), block.end());
    }
    return order;
}

}  // namespace

std::string CodePointName(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

CaptionShaper::CaptionShaper(FontChain& fonts) : fonts_(fonts), buffer_(hb_buffer_create()) {}

CaptionShaper::~CaptionShaper() {
    hb_buffer_destroy(buffer_);
}

std::optional<ShapedLine> CaptionShaper::Shape(std::u32string_view text, char32_t& missing) {
    hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
    std::vector<Run> runs;
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        hb_script_t script = hb_unicode_script(unicode, c);
        const bool digit =
            hb_unicode_general_category(unicode, c) == HB_UNICODE_GENERAL_CATEGORY_DECIMAL_NUMBER;
        Run* current = runs.empty() ? nullptr : &runs.back();
        // Spaces, punctuation and marks go with the run they are in, in its font when it has
        // them; digits read left to right even inside a right-to-left run.
        if (current != nullptr && IsNeutral(script) && !(digit && current->rightToLeft) &&
            (IsIgnorable(c) || fonts_.Covers(current->font, c))) {
            current->end = i + 1;
            continue;
        }
        const bool keepsFont =
            current != nullptr &&
            (IsIgnorable(c) || (IsNeutral(script) && fonts_.Covers(current->font, c)));
        const int font = keepsFont ? current->font : fonts_.FontFor(c);
        if (font < 0) {
            if (IsIgnorable(c)) continue;  // alone at the start: nothing to draw
            missing = c;
            return std::nullopt;
        }
        if (IsNeutral(script) && current != nullptr && !digit) script = current->script;
        const bool rightToLeft = !digit && IsRightToLeft(script);
        const bool number =
            digit && current != nullptr && (current->rightToLeft || current->number);
        if (current != nullptr && current->font == font && current->script == script &&
            current->rightToLeft == rightToLeft && current->number == number) {
            current->end = i + 1;
        } else {
            runs.push_back({i, i + 1, font, script, rightToLeft, number});
        }
    }
    // A neutral start (a bracket, a dash) takes the script of what follows it in its font; a
    // number at the start stays a number.
    bool startsWithNumber = false;
    for (size_t i = 0; !runs.empty() && i < runs[0].end; ++i) {
        startsWithNumber = startsWithNumber || hb_unicode_general_category(unicode, text[i]) ==
                                                   HB_UNICODE_GENERAL_CATEGORY_DECIMAL_NUMBER;
    }
    for (size_t i = 1; i < runs.size() && IsNeutral(runs[0].script) && !startsWithNumber; ++i) {
        if (IsNeutral(runs[i].script)) continue;
        if (runs[i].font == runs[0].font) {
            runs[0].script = runs[i].script;
            runs[0].rightToLeft = runs[i].rightToLeft;
        }
        break;
    }
    ShapedLine line;
    line.advances.assign(text.size(), 0);
    for (const Run& run : runs) {
        if (!IsNeutral(run.script)) {
            line.rightToLeft = run.rightToLeft;
            break;
        }
    }
    // Spaces that end a run against the line's direction belong to the line: they go between
    // that run and the next, not inside the run's far end.
    for (size_t r = 0; r + 1 < runs.size(); ++r) {
        Run& run = runs[r];
        if (run.rightToLeft == line.rightToLeft) continue;
        size_t spaces = run.end;
        while (spaces > run.begin + 1 && text[spaces - 1] == U' ') --spaces;
        if (spaces == run.end) continue;
        Run gap = run;
        gap.begin = spaces;
        gap.rightToLeft = line.rightToLeft;
        gap.number = false;
        run.end = spaces;
        runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(r) + 1, gap);
        ++r;
    }
    std::vector<std::vector<PlacedGlyph>> shaped(runs.size());
    std::vector<double> widths(runs.size(), 0);
    for (size_t r = 0; r < runs.size(); ++r) {
        const Run& run = runs[r];
        hb_buffer_clear_contents(buffer_);
        hb_buffer_add_utf32(buffer_, reinterpret_cast<const uint32_t*>(text.data()),
                            static_cast<int>(text.size()), static_cast<unsigned>(run.begin),
                            static_cast<int>(run.end - run.begin));
        hb_buffer_set_direction(buffer_, run.rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
        if (!IsNeutral(run.script)) hb_buffer_set_script(buffer_, run.script);
        hb_buffer_guess_segment_properties(buffer_);
        hb_font_t* font = fonts_.Shaper(run.font);
        hb_shape(font, buffer_, nullptr, 0);
        unsigned count = 0;
        const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer_, &count);
        const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer_, &count);
        const double perUnit = 1000.0 / fonts_.Outlines(run.font).UnitsPerEm();
        double pen = 0;
        for (unsigned g = 0; g < count; ++g) {
            shaped[r].push_back({run.font, infos[g].codepoint,
                                 pen + positions[g].x_offset * perUnit,
                                 positions[g].y_offset * perUnit});
            const double advance = positions[g].x_advance * perUnit;
            pen += advance;
            if (infos[g].cluster < text.size()) line.advances[infos[g].cluster] += advance;
        }
        widths[r] = pen;
    }
    for (const size_t r : DrawingOrder(runs, line.rightToLeft)) {
        for (PlacedGlyph glyph : shaped[r]) {
            glyph.x += line.width;
            line.glyphs.push_back(glyph);
        }
        line.width += widths[r];
    }
    return line;
}

}  // namespace qrsheet
