// A canvas that writes SVG: the background as one rectangle, every colour's filled squares as
// one path (vertically touching squares of a column merged), crisp edges so that no reader
// blurs the module boundaries. The frame's one-pixel lines become filled pixels too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace qrcli {

class SvgCanvas final : public qrplat::Canvas {
  public:
    SvgCanvas(int width, int height, int dpi) : width_(width), height_(height), dpi_(dpi) {}

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

    std::string Document() const;

  private:
    struct Box {
        int left, top, right, bottom;
        qrplat::ColorRef color;
    };

    int width_;
    int height_;
    int dpi_;
    int penX_ = 0;
    int penY_ = 0;
    std::vector<Box> boxes_;  // in drawing order
};

}  // namespace qrcli
