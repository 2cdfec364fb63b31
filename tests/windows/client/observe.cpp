#include "observe.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "library.h"

namespace qrwin {

std::string PatternNow() {
    uint32_t size = 0;
    int16_t rows = 0, columns = 0;
    if (Api().QRGetPatternData(nullptr, &size, &rows, &columns) != 0 || size == 0) return {};
    std::string data(size, '\0');
    if (Api().QRGetPatternData(data.data(), &size, &rows, &columns) != -1) return {};
    return data;
}

int ScreenSizeNow() {
    int32_t w = -1, h = -2;
    Api().QRGetActualSize(-1, nullptr, &w, &h);
    return w == h ? w : -1;
}

int SideNow() {
    int16_t rows = -1, columns = -2;
    Api().QRGetActualRC(&rows, &columns);
    return rows == columns ? rows : -1;
}

BmpImage BmpNow() {
    const std::string path = TempPath("setting.bmp");
    if (Api().QRSaveAsBMP(path.c_str()) != -1) return {};
    BmpImage img = ParseBmp(ReadWholeFile(path));
    ::DeleteFileA(path.c_str());
    return img;
}

bool FinderAt(const BmpImage& img, int left, int top, int m, int n, int corner, unsigned dark) {
    if (!img.valid) return false;
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            const int ring = std::max(std::abs(r - 3), std::abs(c - 3));
            const bool wantDark = ring != 2;
            const int row = corner >= 2 ? n - 1 - r : r;
            const int col = corner % 2 == 1 ? n - 1 - c : c;
            const int x = left + col * m + m / 2, y = top + row * m + m / 2;
            if (x < 0 || y < 0 || x >= img.width || y >= img.height) return false;
            if ((img.Pixel(x, y) == dark) != wantDark) return false;
        }
    }
    return true;
}

}  // namespace qrwin
