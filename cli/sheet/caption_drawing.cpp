#include "caption_drawing.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "caption_text.h"
#include "pdf_file.h"
#include "standard_font.h"

namespace qrsheet {

namespace {

// UTF-16BE in hex, as an /ActualText string: what copying or searching the caption gives.
std::string Utf16Hex(std::u32string_view text) {
    std::string hex = "<FEFF";
    char unit[8];
    auto add = [&](unsigned value) {
        std::snprintf(unit, sizeof unit, "%04X", value);
        hex += unit;
    };
    for (const char32_t c : text) {
        if (c >= 0x10000) {
            add(0xD800 + ((c - 0x10000) >> 10));
            add(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            add(c);
        }
    }
    return hex + ">";
}

}  // namespace

size_t FittingCount(std::span<const double> advances, std::u32string_view text, double ellipsis,
                    double room, bool& cut) {
    double total = 0;
    for (const double advance : advances) total += advance;
    cut = total > room;
    if (!cut) return advances.size();
    size_t count = 0;
    double used = ellipsis;
    while (count < advances.size() && used + advances[count] <= room) used += advances[count++];
    while (count > 0 && text[count - 1] == U' ') --count;
    return count;
}

std::optional<std::string> CaptionPainter::TakeProblem() {
    return std::exchange(problem_, std::nullopt);
}

OutlineFont* CaptionPainter::Font() {
    if (!fontTried_) {
        fontTried_ = true;
        std::string error;
        font_ = OutlineFont::Open(fontPath_, error);
        if (!font_) problem_ = "captions that are not plain ASCII show '?': " + error;
    }
    return font_.get();
}

void CaptionPainter::Append(std::string& content, std::string_view bytes,
                            const CaptionPlace& place) {
    std::u32string text = CaptionCharacters(bytes);
    if (IsPlainAscii(text)) return AppendStandard(content, std::move(text), place);
    if (OutlineFont* font = Font()) return AppendOutlines(content, *font, text, place);
    for (char32_t& c : text) {
        if (c > 0x7E) c = U'?';
    }
    AppendStandard(content, std::move(text), place);
}

void CaptionPainter::AppendStandard(std::string& content, std::u32string text,
                                    const CaptionPlace& place) {
    const double perUnit = place.size / 1000;
    std::vector<double> advances;
    for (const char32_t c : text) advances.push_back(HelveticaWidth(c) * perUnit);
    bool cut = false;
    const size_t count =
        FittingCount(advances, text, HelveticaWidth(kEllipsis) * perUnit, place.room, cut);
    text.resize(count);
    if (cut) text += kEllipsis;
    double width = 0;
    for (const char32_t c : text) width += HelveticaWidth(c) * perUnit;

    content += "BT /F1 ";
    AppendNumber(content, place.size, 2);
    content += " Tf ";
    AppendNumber(content, place.centreX - width / 2);
    content += ' ';
    AppendNumber(content, place.baseline);
    content += " Td " + HelveticaString(text) + " Tj ET\n";
}

void CaptionPainter::AppendOutlines(std::string& content, OutlineFont& font,
                                    std::u32string_view text, const CaptionPlace& place) {
    const double perUnit = place.size / font.UnitsPerEm();
    std::vector<double> advances;
    for (const char32_t c : text) advances.push_back(font.GlyphFor(c).advance * perUnit);
    bool cut = false;
    const size_t count =
        FittingCount(advances, text, font.GlyphFor(kEllipsis).advance * perUnit, place.room, cut);
    std::u32string shown(text.substr(0, count));
    if (cut) shown += kEllipsis;
    double width = 0;
    for (const char32_t c : shown) width += font.GlyphFor(c).advance * perUnit;

    // Marked with the text itself, so that copying and searching find what is drawn.
    content += "/Span << /ActualText " + Utf16Hex(shown) + " >> BDC q ";
    AppendNumber(content, perUnit, 6);
    content += " 0 0 ";
    AppendNumber(content, perUnit, 6);
    content += ' ';
    AppendNumber(content, place.centreX - width / 2);
    content += ' ';
    AppendNumber(content, place.baseline);
    content += " cm\n";
    double pen = 0;  // font units moved since the last glyph drawn
    for (const char32_t c : shown) {
        const auto& glyph = font.GlyphFor(c);
        if (!glyph.path.empty()) {
            if (pen != 0) {
                content += "1 0 0 1 ";
                AppendNumber(content, pen, 1);
                content += " 0 cm ";
            }
            content += glyph.path + "f\n";
            pen = 0;
        }
        pen += glyph.advance;
    }
    content += "Q\n";
    // An invisible space stretched over the caption carries the marked text: readers give
    // the text of a marked span only where something in it is text.
    content += "q BT 3 Tr /F1 ";
    AppendNumber(content, place.size, 2);
    content += " Tf ";
    AppendNumber(content, width / (HelveticaWidth(U' ') * place.size / 1000) * 100, 1);
    content += " Tz ";
    AppendNumber(content, place.centreX - width / 2);
    content += ' ';
    AppendNumber(content, place.baseline);
    content += " Td ( ) Tj ET Q EMC\n";
}

}  // namespace qrsheet
