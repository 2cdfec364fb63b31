#include "device_context.h"

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

}  // namespace qrplat
