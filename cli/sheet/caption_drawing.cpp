#include "caption_drawing.h"

#include <cstdio>

#include "caption_text.h"
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

FontChain* CaptionPainter::Fonts(std::string& failure) {
    if (!fonts_ && fontError_.empty()) {
        fonts_ = FontChain::Open(family_, fontError_);
        if (fonts_) shaper_ = std::make_unique<CaptionShaper>(*fonts_);
    }
    if (!fonts_) failure = "no caption font: " + fontError_;
    return fonts_.get();
}

std::optional<ShapedCaption> CaptionPainter::Shape(std::string_view bytes, std::string& failure) {
    ShapedCaption caption;
    if (!Fonts(failure)) return std::nullopt;
    for (size_t start = 0; start <= bytes.size();) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size());
        caption.lines.push_back(CaptionCharacters(bytes.substr(start, end - start)));
        start = end + 1;
    }
    for (const auto& line : caption.lines) {
        char32_t missing = 0;
        auto shaped = shaper_->Shape(line, missing);
        if (!shaped) {
            failure = "no installed font draws the caption's character " + CodePointName(missing);
            return std::nullopt;
        }
        caption.advances.push_back(shaped->advances);
        caption.shaped.push_back(std::move(*shaped));
    }
    return caption;
}

double CaptionPainter::EllipsisAdvance() {
    if (!ellipsis_) {
        char32_t missing = 0;
        const auto shaped = shaper_->Shape(U"\u2026", missing);
        ellipsis_ = shaped ? shaped->width : 0;
    }
    return *ellipsis_;
}

std::string CaptionPainter::GlyphName(int font, unsigned glyph) {
    const auto key = std::make_pair(font, glyph);
    const auto known = glyphNames_.find(key);
    if (known != glyphNames_.end()) return known->second;
    OutlineFont& outlines = fonts_->Outlines(font);
    const OutlineFont::Glyph outline = outlines.Load(glyph);
    std::string name;
    if (!outline.path.empty()) {
        // Font units scaled to thousandths of an em, so that every glyph is placed alike.
        const int number = file_.Reserve();
        name = "/G" + std::to_string(number);
        std::string body = "<< /Type /XObject /Subtype /Form /BBox [" +
                           std::to_string(outline.left) + ' ' + std::to_string(outline.bottom) +
                           ' ' + std::to_string(outline.right) + ' ' + std::to_string(outline.top) +
                           "] /Matrix [";
        AppendNumber(body, 1000.0 / outlines.UnitsPerEm(), 6);
        body += " 0 0 ";
        AppendNumber(body, 1000.0 / outlines.UnitsPerEm(), 6);
        body += " 0 0] /Length " + std::to_string(outline.path.size() + 1) + " >>\nstream\n" +
                outline.path + "f\nendstream";
        file_.WriteObject(number, body);
        resources_ += name + ' ' + std::to_string(number) + " 0 R ";
    }
    glyphNames_.emplace(key, name);
    return name;
}

void CaptionPainter::Append(std::string& content, const ShapedCaption& caption,
                            const CaptionFit& fit, const CaptionPlace& place) {
    double baseline = place.firstBaseline;
    for (const CaptionPiece& piece : fit.pieces) {
        const std::u32string& line = caption.lines[piece.line];
        std::u32string shown = line.substr(piece.begin, piece.end - piece.begin);
        if (piece.ellipsis) shown += kEllipsis;
        const bool whole = piece.begin == 0 && piece.end == line.size() && !piece.ellipsis;
        char32_t missing = 0;
        std::optional<ShapedLine> reshaped;
        if (!whole) reshaped = shaper_->Shape(shown, missing);
        const ShapedLine& glyphs = whole || !reshaped ? caption.shaped[piece.line] : *reshaped;

        const double perEm = fit.size / 1000;
        const double width = glyphs.width * perEm;
        double x = place.left;
        if (place.centred) {
            x = (place.left + place.right - width) / 2;
        } else if (glyphs.rightToLeft) {
            x = place.right - width;
        }
        content += "/Span << /ActualText " + Utf16Hex(shown) + " >> BDC q ";
        AppendNumber(content, perEm, 6);
        content += " 0 0 ";
        AppendNumber(content, perEm, 6);
        content += ' ';
        AppendNumber(content, x);
        content += ' ';
        AppendNumber(content, baseline);
        content += " cm\n";
        double penX = 0;  // where the last glyph was placed, in thousandths of an em
        double penY = 0;
        for (const PlacedGlyph& glyph : glyphs.glyphs) {
            const std::string name = GlyphName(glyph.font, glyph.glyph);
            if (name.empty()) continue;
            content += "1 0 0 1 ";
            AppendNumber(content, glyph.x - penX, 1);
            content += ' ';
            AppendNumber(content, glyph.y - penY, 1);
            content += " cm " + name + " Do\n";
            penX = glyph.x;
            penY = glyph.y;
        }
        content += "Q\n";
        // An invisible letter stretched over the line carries the marked text: readers give
        // the text of a marked span only where something in it is text. No q/Q around it:
        // readers place the marked text with the text state at the span's end.
        if (width > 0) {
            content += "BT 3 Tr /F1 ";
            AppendNumber(content, fit.size, 2);
            content += " Tf ";
            AppendNumber(content, width / (HelveticaWidth(U'x') * fit.size / 1000) * 100, 1);
            content += " Tz ";
            AppendNumber(content, x);
            content += ' ';
            AppendNumber(content, baseline);
            content += " Td (x) Tj ET ";
        }
        content += "EMC\n";
        baseline -= kLineSpacing * fit.size;
    }
}

}  // namespace qrsheet
