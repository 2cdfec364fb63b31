#include "outline_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include "pdf_file.h"

namespace qrsheet {

struct OutlineFont::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Handles() {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

namespace {

// The path being written, and its current point for turning quadratic curves into cubic ones.
struct PathWriter {
    std::string path;
    double x = 0;
    double y = 0;

    void Point(double px, double py) {
        AppendNumber(path, px, 1);
        path += ' ';
        AppendNumber(path, py, 1);
        path += ' ';
    }
    void Close() {
        if (!path.empty()) path += "h ";
    }
};

PathWriter& Writer(void* user) {
    return *static_cast<PathWriter*>(user);
}

int MoveTo(const FT_Vector* to, void* user) {
    auto& w = Writer(user);
    w.Close();
    w.Point(to->x, to->y);
    w.path += "m ";
    w.x = to->x;
    w.y = to->y;
    return 0;
}

int LineTo(const FT_Vector* to, void* user) {
    auto& w = Writer(user);
    w.Point(to->x, to->y);
    w.path += "l ";
    w.x = to->x;
    w.y = to->y;
    return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto& w = Writer(user);
    // The same curve as a cubic: both controls two thirds of the way to the quadratic one.
    w.Point(w.x + 2.0 / 3.0 * (control->x - w.x), w.y + 2.0 / 3.0 * (control->y - w.y));
    w.Point(to->x + 2.0 / 3.0 * (control->x - to->x), to->y + 2.0 / 3.0 * (control->y - to->y));
    w.Point(to->x, to->y);
    w.path += "c ";
    w.x = to->x;
    w.y = to->y;
    return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
    auto& w = Writer(user);
    w.Point(control1->x, control1->y);
    w.Point(control2->x, control2->y);
    w.Point(to->x, to->y);
    w.path += "c ";
    w.x = to->x;
    w.y = to->y;
    return 0;
}

}  // namespace

std::unique_ptr<OutlineFont> OutlineFont::Open(const std::string& path, int index,
                                               std::string& error) {
    auto handles = std::make_unique<Handles>();
    if (FT_Init_FreeType(&handles->library) != 0) {
        error = "FreeType does not start";
        return nullptr;
    }
    if (FT_New_Face(handles->library, path.c_str(), index, &handles->face) != 0) {
        error = "cannot read the font " + path;
        return nullptr;
    }
    if (!FT_IS_SCALABLE(handles->face)) {
        error = "the font " + path + " has no outlines";
        return nullptr;
    }
    return std::unique_ptr<OutlineFont>(new OutlineFont(std::move(handles)));
}

OutlineFont::OutlineFont(std::unique_ptr<Handles> handles)
    : handles_(std::move(handles)), unitsPerEm_(handles_->face->units_per_EM) {}

OutlineFont::~OutlineFont() = default;

FT_FaceRec_* OutlineFont::Face() const {
    return handles_->face;
}

bool OutlineFont::Has(char32_t c) const {
    return FT_Get_Char_Index(handles_->face, c) != 0;
}

OutlineFont::Glyph OutlineFont::Load(unsigned glyphIndex) const {
    FT_Face face = handles_->face;
    Glyph glyph;
    if (FT_Load_Glyph(face, glyphIndex,
                      FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE || face->glyph->outline.n_points == 0) {
        return glyph;
    }
    static const FT_Outline_Funcs kFuncs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
    PathWriter writer;
    FT_Outline_Decompose(&face->glyph->outline, &kFuncs, &writer);
    writer.Close();
    glyph.path = std::move(writer.path);
    FT_BBox box;
    FT_Outline_Get_CBox(&face->glyph->outline, &box);
    glyph.left = box.xMin;
    glyph.bottom = box.yMin;
    glyph.right = box.xMax;
    glyph.top = box.yMax;
    return glyph;
}

}  // namespace qrsheet
