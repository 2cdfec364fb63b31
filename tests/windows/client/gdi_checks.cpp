// Drawing on and measuring real device contexts: QRRender through GDI must give the same
// pixels as the library's own BMP output, in the right place and colours.
#include <windows.h>

#include <string>

#include "checks.h"
#include "dib_surface.h"
#include "library.h"
#include "observe.h"
#include "suites.h"

namespace qrwin {

namespace {

constexpr uint32_t kSentinel = 0x00ABCDEF;

// Counts the pixels of the surface that differ from the BMP's.
int DifferingPixels(const DibSurface& s, const BmpImage& img) {
    if (!img.valid || img.width != s.Width() || img.height != s.Height()) return -1;
    int differing = 0;
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) differing += s.Pixel(x, y) != img.Pixel(x, y);
    }
    return differing;
}

void PlacementCheck() {
    ResetWith("12");
    Api().QRSetSize(100, 80);
    const std::string pattern = PatternNow();
    DibSurface s(140, 120, kSentinel);
    if (!Check(s.Valid() && pattern.size() == 441, "DIB section and pattern for QRRender")) return;
    Api().QRRender(s.Dc(), 10, 20);

    bool background = true;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const bool inside = x >= 10 && x < 110 && y >= 20 && y < 100;
            const uint32_t p = s.Pixel(x, y);
            if (inside ? (p != 0xFFFFFF && p != 0) : p != kSentinel) background = false;
        }
    }
    Check(background, "QRRender(dc, 10, 20) covers exactly x 10..109, y 20..99");

    // 63-pixel symbol centred in 100 x 80: offsets 18 and 8.
    bool modules = true;
    for (int i = 0; i < 21; ++i) {
        for (int j = 0; j < 21; ++j) {
            const uint32_t p = s.Pixel(10 + 18 + j * 3 + 1, 20 + 8 + i * 3 + 1);
            if ((p == 0) != (pattern[i * 21 + j] == '1')) modules = false;
        }
    }
    Check(modules, "QRRender draws the pattern data's modules, 3 pixels each");
}

void SameAsBmp(const char* what, int16_t rotation, int16_t frame, int32_t width, int32_t height) {
    ResetWith("https://example.com/render");
    Api().QRSetSize(width, height);
    Api().QRAppearance(0.1, rotation, frame);
    const BmpImage img = BmpNow();
    DibSurface s(width, height, kSentinel);
    Api().QRRender(s.Dc(), 0, 0);
    const int differing = DifferingPixels(s, img);
    Check(differing == 0, std::string("QRRender on a GDI context equals the BMP: ") + what,
          std::to_string(differing) + " pixels differ");
}

void ColourCheck() {
    ResetWith("12");
    Api().QRSetBackColor(18, 52, 86);
    Api().QRSetBarColor(0, 0, 1);
    DibSurface s(500, 300, kSentinel);
    Api().QRRender(s.Dc(), 0, 0);
    // The top-left module of the finder pattern is dark in rotation 0.
    Check(s.Pixel(0, 0) == 0x123456 && s.Pixel(218 + 1, 118 + 1) == 0x000001,
          "QRSetBackColor(18, 52, 86) and QRSetBarColor(0, 0, 1) draw those exact colours");
    Api().QRSetBackColor(255, 255, 256);
    Api().QRRender(s.Dc(), 0, 0);
    Check(s.Pixel(0, 0) == 0xFFFF00, "QRSetBackColor(255, 255, 256) draws yellow");
}

void MapModeAndMeasureChecks() {
    ResetWith("12");
    DibSurface s(500, 300, kSentinel);
    ::SetMapMode(s.Dc(), MM_LOMETRIC);
    Api().QRRender(s.Dc(), 0, 0);
    Check(::GetMapMode(s.Dc()) == MM_LOMETRIC, "QRRender restores the caller's map mode");
    Check(s.Pixel(219, 119) == 0, "QRRender draws in pixels whatever the caller's map mode");

    int32_t w = 0, h = 0;
    Api().QRGetActualSize(0, s.Dc(), &w, &h);
    Check(w == 63 && h == 63, "QRGetActualSize on a 96-dpi device context gives 63 x 63",
          std::to_string(w) + " x " + std::to_string(h));
    Check(::GetObjectType(s.Dc()) == OBJ_MEMDC && ::GetDeviceCaps(s.Dc(), LOGPIXELSX) == 96,
          "QRGetActualSize leaves the caller's device context alive");

    Api().QRSetMessage(std::string(3000, 'a').c_str());
    Api().QRConfigure(0, 3, 0);
    DibSurface untouched(100, 100, kSentinel);
    Api().QRRender(untouched.Dc(), 0, 0);
    Check(untouched.Pixel(0, 0) == kSentinel && untouched.Pixel(50, 50) == kSentinel,
          "QRRender draws nothing when the text cannot be encoded");
}

}  // namespace

void RunGdiChecks() {
    if (!Check(AllResolved(), "all exports resolved for the drawing checks")) return;
    PlacementCheck();
    SameAsBmp("rotation 0, solid frame", 0, 2, 500, 300);
    SameAsBmp("rotation 1, dashed frame", 1, 1, 504, 250);
    SameAsBmp("rotation 2, odd size", 2, 0, 301, 211);
    SameAsBmp("rotation 3, dashed frame, odd size", 3, 1, 333, 123);
    SameAsBmp("negative margins", 0, 2, 60, 50);
    ColourCheck();
    MapModeAndMeasureChecks();
}

}  // namespace qrwin
