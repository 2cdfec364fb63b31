#include "device_context.h"

#if !defined(_WIN32)

namespace qrplat {

namespace {

// The screen has a resolution but no pixels to keep.
class ScreenCanvas final : public Canvas {
  public:
    void FillRect(int, int, int, int, ColorRef) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    int LogPixelsX() const override { return kScreenDpi; }
    int LogPixelsY() const override { return kScreenDpi; }
};

// Draws on the canvas a device context owns.
class BorrowedCanvas final : public Canvas {
  public:
    explicit BorrowedCanvas(Canvas& target) : target_(target) {}
    void FillRect(int l, int t, int r, int b, ColorRef c) override {
        target_.FillRect(l, t, r, b, c);
    }
    void MoveTo(int x, int y) override { target_.MoveTo(x, y); }
    void LineTo(int x, int y) override { target_.LineTo(x, y); }
    int LogPixelsX() const override { return target_.LogPixelsX(); }
    int LogPixelsY() const override { return target_.LogPixelsY(); }
    bool Extent(int& width, int& height) const override { return target_.Extent(width, height); }
    bool Saturated() const override { return target_.Saturated(); }

  private:
    Canvas& target_;
};

}  // namespace

int GetDeviceCaps(HDC dc, int capability) {
    if (dc == nullptr || !dc->canvas) return 0;
    return capability == kLogPixelsX ? dc->canvas->LogPixelsX() : dc->canvas->LogPixelsY();
}

HDC GetScreenDC() {
    static QRDeviceContext screen(std::make_unique<ScreenCanvas>());
    return &screen;
}

void ReleaseScreenDC(HDC) {}

int SetMapMode(HDC dc, int mode) {
    if (dc == nullptr) return 0;
    const int previous = dc->mapMode;
    dc->mapMode = mode;
    return previous;
}

std::unique_ptr<Canvas> CanvasFor(HDC dc) {
    if (dc == nullptr || !dc->canvas) return nullptr;
    return std::make_unique<BorrowedCanvas>(*dc->canvas);
}

}  // namespace qrplat

#endif
