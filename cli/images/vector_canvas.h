// A canvas that keeps the drawing as filled boxes for the vector formats (SVG, EPS, PDF):
// vertically touching squares of one colour in a column merged, the frame's one-pixel lines
// made filled pixels too, everything clipped to the picture as a pixel surface would clip it.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace qrcli {

class VectorCanvas final : public qrplat::Canvas {
  public:
    struct Box {
        int left, top, right, bottom;
        qrplat::ColorRef color;  // with transparency, see colours.h
    };

    VectorCanvas(int width, int height, int dpi) : width_(width), height_(height), dpi_(dpi) {}

    void FillRect(int left, int top, int right, int bottom, qrplat::ColorRef color) override;
    void MoveTo(int x, int y) override;
    // Only the axis-parallel lines a frame is made of are drawn.
    void LineTo(int x, int y) override;
    int LogPixelsX() const override { return dpi_; }
    int LogPixelsY() const override { return dpi_; }
    bool Extent(int& width, int& height) const override {
        width = width_;
        height = height_;
        return true;
    }

    int width() const { return width_; }
    int height() const { return height_; }
    int dpi() const { return dpi_; }
    // A pixel's printed side: 1/dpi inch, unless a physical module size rescales it.
    double PixelPoints() const { return pixelPoints_ > 0 ? pixelPoints_ : 72.0 / dpi_; }
    // A module of modulePixels pixels printed exactly moduleMm wide; the SVG then says its size
    // in millimetres.
    void PrintModuleAt(double moduleMm, int modulePixels) {
        pixelPoints_ = moduleMm * 72 / 25.4 / modulePixels;
    }
    bool HasPhysicalSize() const { return pixelPoints_ > 0; }
    // In drawing order: the background first.
    const std::vector<Box>& boxes() const { return boxes_; }

  private:
    int width_;
    int height_;
    int dpi_;
    double pixelPoints_ = 0;
    int penX_ = 0;
    int penY_ = 0;
    std::vector<Box> boxes_;
};

}  // namespace qrcli
