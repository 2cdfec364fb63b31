// Device contexts on Windows: GDI's own, and a canvas that draws on them with GDI.
#include "device_context.h"

#if defined(_WIN32)

namespace qrplat {

namespace {

// Draws on a caller's device context. Brushes are made on demand and kept while the colour
// repeats (one per colour change instead of one per module); the pen is the context's own.
class GdiCanvas final : public Canvas {
  public:
    explicit GdiCanvas(HDC dc) : dc_(dc) {}
    ~GdiCanvas() override {
        if (brush_ != nullptr) ::DeleteObject(brush_);
    }
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void FillRect(int left, int top, int right, int bottom, ColorRef color) override {
        HBRUSH brush = BrushFor(color);
        if (brush == nullptr) return;
        const RECT r{left, top, right, bottom};
        ::FillRect(dc_, &r, brush);
    }
    void MoveTo(int x, int y) override { ::MoveToEx(dc_, x, y, nullptr); }
    void LineTo(int x, int y) override { ::LineTo(dc_, x, y); }
    int LogPixelsX() const override { return ::GetDeviceCaps(dc_, LOGPIXELSX); }
    int LogPixelsY() const override { return ::GetDeviceCaps(dc_, LOGPIXELSY); }

  private:
    HBRUSH BrushFor(ColorRef color) {
        if (brush_ != nullptr && color == brushColor_) return brush_;
        if (brush_ != nullptr) ::DeleteObject(brush_);
        brush_ = ::CreateSolidBrush(color);
        brushColor_ = color;
        return brush_;
    }

    HDC dc_;
    HBRUSH brush_ = nullptr;
    ColorRef brushColor_ = 0;
};

}  // namespace

int GetDeviceCaps(HDC dc, int capability) {
    if (dc == nullptr) return 0;
    return ::GetDeviceCaps(dc, capability);
}

HDC GetScreenDC() {
    return ::GetDC(nullptr);
}

void ReleaseScreenDC(HDC dc) {
    if (dc != nullptr) ::ReleaseDC(nullptr, dc);
}

int SetMapMode(HDC dc, int mode) {
    if (dc == nullptr) return 0;
    return ::SetMapMode(dc, mode);
}

std::unique_ptr<Canvas> CanvasFor(HDC dc) {
    if (dc == nullptr) return nullptr;
    return std::make_unique<GdiCanvas>(dc);
}

}  // namespace qrplat

#endif
