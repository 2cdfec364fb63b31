// Prints the symbol of a text through the library's C interface, as the window will draw it.
#include <cstdio>
#include <string>
#include <vector>

#include "qrcodewin32.h"

int main(int argc, char** argv) {
    const char* text = argc > 1 ? argv[1] : "12";
    QRSetDefault();
    QRSetMessage(text);
    uint32_t size = 0;
    int16_t rows = 0;
    int16_t columns = 0;
    if (QRGetPatternData(nullptr, &size, &rows, &columns) != 0 || size == 0) {
        std::fprintf(stderr, "qr-demo: the text does not fit a version-40 symbol\n");
        return 1;
    }
    std::vector<char> pattern(size);
    QRGetPatternData(pattern.data(), &size, &rows, &columns);
    // Two characters per module, with a four-module quiet zone.
    const std::string light(8 + 2 * static_cast<size_t>(columns) + 8, ' ');
    for (int q = 0; q < 4; ++q) std::printf("\033[47m%s\033[0m\n", light.c_str());
    for (int r = 0; r < rows; ++r) {
        std::printf("\033[47m        ");
        for (int c = 0; c < columns; ++c) {
            const bool dark = pattern[static_cast<size_t>(r * columns + c)] == '1';
            std::printf(dark ? "\033[40m  " : "\033[47m  ");
        }
        std::printf("        \033[0m\n");
    }
    for (int q = 0; q < 4; ++q) std::printf("\033[47m%s\033[0m\n", light.c_str());
    std::printf("%s: version %d, %d x %d modules\n", text, (rows - 17) / 4, rows, columns);
    return 0;
}
