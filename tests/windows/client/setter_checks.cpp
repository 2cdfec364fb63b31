// Setters never reject a value: out-of-range arguments become defaults. Each case is observed
// through what a client can see, the queries and the BMP output.
#include <cmath>
#include <limits>
#include <string>

#include "checks.h"
#include "library.h"
#include "observe.h"
#include "suites.h"

namespace qrwin {

namespace {

constexpr unsigned kBlackRgb = 0x000000;
constexpr unsigned kWhiteRgb = 0xFFFFFF;

std::string Size(const BmpImage& img) {
    return std::to_string(img.width) + " x " + std::to_string(img.height);
}

// Which corners hold a finder pattern for each rotation code (see FinderAt).
constexpr bool kFinders[4][4] = {
    {true, true, false, true},
    {true, true, true, false},
    {true, false, true, true},
    {false, true, true, true},
};

bool FindersMatch(const BmpImage& img, int rotation, int m, int n) {
    const int left = (img.width - n * m) / 2, top = (img.height - n * m) / 2;
    for (int corner = 0; corner < 4; ++corner) {
        if (FinderAt(img, left, top, m, n, corner, kBlackRgb) != kFinders[rotation][corner]) {
            return false;
        }
    }
    return true;
}

void SizeChecks() {
    const Exports& api = Api();
    ResetWith("12");
    api.QRSetSize(0, 0);
    BmpImage img = BmpNow();
    Check(img.valid && img.width == 500 && img.height == 300, "QRSetSize(0, 0) gives 500 x 300",
          Size(img));
    api.QRSetSize(200, 0);
    img = BmpNow();
    Check(img.valid && img.width == 200 && img.height == 300, "QRSetSize(200, 0) gives 200 x 300",
          Size(img));
    api.QRSetSize(123, 45);
    img = BmpNow();
    Check(img.valid && img.width == 123 && img.height == 45, "QRSetSize(123, 45) is kept",
          Size(img));
}

void ConfigureChecks() {
    const Exports& api = Api();
    ResetWith("12");
    api.QRConfigure(0, 0, 0);
    const std::string automatic = PatternNow();
    api.QRConfigure(0, 3, 8);
    const std::string high = PatternNow();
    Check(!automatic.empty() && automatic != high, "level and mask change the pattern");

    api.QRConfigure(41, 4, 9);
    Check(SideNow() == 21 && PatternNow() == automatic, "QRConfigure(41, 4, 9) stores 0, 0, 0");
    api.QRConfigure(-1, 3, 8);
    Check(SideNow() == 21 && PatternNow() == high, "QRConfigure(-1, 3, 8) stores 0, 3, 8");
    api.QRConfigure(40, 3, 8);
    Check(SideNow() == 177, "QRConfigure(40, 3, 8) keeps version 40", std::to_string(SideNow()));
    api.QRConfigure(7, 2, 3);
    Check(SideNow() == 45, "QRConfigure(7, 2, 3) gives a 45-module symbol");
}

void AppearanceChecks() {
    const Exports& api = Api();
    ResetWith("12");
    const BmpImage defaults = BmpNow();
    Check(defaults.valid && FindersMatch(defaults, 0, 3, 21),
          "defaults: finders top left, top right, bottom right");

    api.QRAppearance(0.0, 3, 2);
    BmpImage img = BmpNow();
    Check(ScreenSizeNow() == 63, "QRAppearance(0.0, ...) stores 0.07 cm (63 pixels)",
          std::to_string(ScreenSizeNow()));
    Check(FindersMatch(img, 3, 3, 21), "QRAppearance(.., 3, ..) turns the symbol a half turn");
    Check(img.valid && img.Pixel(0, 0) == kBlackRgb && img.Pixel(499, 299) == kBlackRgb &&
              img.Pixel(250, 0) == kBlackRgb && img.Pixel(1, 1) == kWhiteRgb,
          "QRAppearance(.., .., 2) draws the solid frame");

    api.QRAppearance(-1.0, 4, 3);
    img = BmpNow();
    Check(ScreenSizeNow() == 63, "QRAppearance(-1.0, ...) stores 0.07 cm");
    Check(img.valid && img.bytes == defaults.bytes,
          "QRAppearance(-1.0, 4, 3) stores rotation 0 and no frame (same file as defaults)");

    api.QRAppearance(0.1, 1, 1);
    img = BmpNow();
    Check(ScreenSizeNow() == 84, "QRAppearance(0.1, ...) stores 0.1 cm (84 pixels)",
          std::to_string(ScreenSizeNow()));
    Check(FindersMatch(img, 1, 4, 21), "QRAppearance(.., 1, ..) gives the standard orientation");
    Check(img.valid && img.Pixel(0, 0) == kBlackRgb && img.Pixel(3, 0) == kBlackRgb &&
              img.Pixel(4, 0) == kWhiteRgb && img.Pixel(7, 0) == kWhiteRgb &&
              img.Pixel(8, 0) == kBlackRgb,
          "QRAppearance(.., .., 1) draws the dashed frame");

    api.QRAppearance(std::numeric_limits<double>::quiet_NaN(), 2, 0);
    img = BmpNow();
    Check(ScreenSizeNow() == 63, "QRAppearance(NaN, ...) stores 0.07 cm");
    Check(FindersMatch(img, 2, 3, 21), "QRAppearance(.., 2, ..) turns the symbol");
}

void ColourChecks() {
    const Exports& api = Api();
    ResetWith("12");
    api.QRSetBackColor(255, 255, 255);
    BmpImage img = BmpNow();
    Check(img.valid && img.bitsPerPixel == 1 && img.Pixel(0, 0) == kWhiteRgb,
          "QRSetBackColor(255, 255, 255): white, one bit per pixel");
    api.QRSetBackColor(255, 255, 256);
    img = BmpNow();
    Check(img.valid && img.bitsPerPixel == 4 && img.Pixel(0, 0) == 0xFFFF00,
          "QRSetBackColor(255, 255, 256): yellow, four bits per pixel");
    api.QRSetBackColor(255, 255, 255);
    api.QRSetBarColor(256, 0, 0);
    img = BmpNow();
    Check(img.valid && img.bitsPerPixel == 1 && FindersMatch(img, 0, 3, 21),
          "QRSetBarColor(256, 0, 0): black, one bit per pixel");
    api.QRSetBarColor(0, 0, 1);
    img = BmpNow();
    Check(img.valid && img.bitsPerPixel == 4, "QRSetBarColor(0, 0, 1): four bits per pixel");
    api.QRSetBarColor(-1, -1, -1);
    img = BmpNow();
    Check(img.valid && img.bitsPerPixel == 1, "QRSetBarColor(-1, -1, -1): black");
}

void MessageChecks() {
    const Exports& api = Api();
    ResetWith("12");
    uint32_t size = 0;
    int16_t rows = 0, columns = 0;
    Check(api.QRGetPatternData(nullptr, &size, &rows, &columns) == 0 && size == 441 && rows == 21 &&
              columns == 21,
          "QRGetPatternData with size 0 asks for 441");
    std::string buffer(442, '#');
    Check(api.QRGetPatternData(buffer.data(), &size, &rows, &columns) == -1 && size == 441 &&
              buffer[441] == '#' && buffer.find_first_not_of("01") == 441,
          "QRGetPatternData fills exactly 441 characters");

    // Too long for version 40 at level H.
    const std::string huge(3000, 'a');
    api.QRConfigure(0, 3, 0);
    api.QRSetMessage(huge.c_str());
    size = 7;
    rows = columns = 7;
    Check(SideNow() == 0 && ScreenSizeNow() == 0 &&
              api.QRGetPatternData(nullptr, &size, &rows, &columns) == -1 && size == 0 && rows == 0,
          "a text beyond version 40 reports zeros");

    // Longer than the record holds: the library may cut or refuse, but must keep working.
    const std::string tooLong(9000, '7');
    api.QRConfigure(0, 0, 0);
    api.QRSetMessage(tooLong.c_str());
    const int side = SideNow();
    Check(side == 0 || (side >= 21 && side <= 177), "a 9000-byte text is cut or refused",
          std::to_string(side));
    api.QRSetMessage("12");
    Check(SideNow() == 21, "the library works after an over-long text");
}

}  // namespace

void RunSetterChecks() {
    if (!Check(AllResolved(), "all exports resolved for the setter checks")) return;
    SizeChecks();
    ConfigureChecks();
    AppearanceChecks();
    ColourChecks();
    MessageChecks();
}

}  // namespace qrwin
