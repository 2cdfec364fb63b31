// Shared rules of the pixel surfaces: clipping, and lines that draw the start point but not the
// end point in a black pen one pixel wide.
#pragma once

#include "canvas.h"

namespace qrplat {

class PixelCanvas : public Canvas {
  public:
    PixelCanvas(int width, int height, int dpiX, int dpiY)
        : width_(width), height_(height), dpiX_(dpiX), dpiY_(dpiY) {}

    void FillRect(int left, int top, int right, int bottom, ColorRef color) final;
    void MoveTo(int x, int y) final;
    void LineTo(int x, int y) final;
    int LogPixelsX() const final { return dpiX_; }
    int LogPixelsY() const final { return dpiY_; }
    bool Extent(int& width, int& height) const final {
        width = width_;
        height = height_;
        return true;
    }

    int width() const { return width_; }
    int height() const { return height_; }

  protected:
    // A non-empty span of one row, already clipped to the surface.
    virtual void FillSpan(int y, int x0, int x1, ColorRef color) = 0;
    // A non-empty rectangle, already clipped: row by row unless a surface does better.
    virtual void FillClipped(int x0, int y0, int x1, int y1, ColorRef color) {
        for (int y = y0; y < y1; ++y) FillSpan(y, x0, x1, color);
    }

  private:
    void Plot(int x, int y);

    int width_;
    int height_;
    int dpiX_;
    int dpiY_;
    int penX_ = 0;
    int penY_ = 0;
};

}  // namespace qrplat
