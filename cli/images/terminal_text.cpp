#include "images/terminal_text.h"

#include "canvas.h"
#include "options/colours.h"

namespace qrcli {

namespace {

// The symbol with its quiet zone: outside the symbol everything is light.
struct Grid {
    const qr::ModuleMatrix& matrix;
    int rotation;
    int border;
    int side() const { return matrix.side + 2 * border; }
    bool Dark(int row, int column) const {
        const int r = row - border;
        const int c = column - border;
        if (r < 0 || c < 0 || r >= matrix.side || c >= matrix.side) return false;
        return DarkAt(matrix, rotation, r, c);
    }
};

std::string HalfBlocks(const Grid& grid) {
    static constexpr const char* kCells[] = {" ", "\u2584", "\u2580", "\u2588"};  // top, bottom
    std::string text;
    for (int row = 0; row < grid.side(); row += 2) {
        for (int column = 0; column < grid.side(); ++column) {
            const bool topLight = !grid.Dark(row, column);
            // Below an odd last row the terminal's own background stays.
            const bool bottomLight = row + 1 < grid.side() && !grid.Dark(row + 1, column);
            text += kCells[(topLight ? 2 : 0) | (bottomLight ? 1 : 0)];
        }
        text += '\n';
    }
    return text;
}

std::string Background(qrplat::ColorRef color, bool standard, bool dark) {
    if (standard) return dark ? "\033[40m" : "\033[47m";
    return "\033[48;2;" + std::to_string(qrplat::RedOf(color)) + ";" +
           std::to_string(qrplat::GreenOf(color)) + ";" + std::to_string(qrplat::BlueOf(color)) +
           "m";
}

std::string Coloured(const Grid& grid, const BatchOptions& options) {
    const bool standard =
        OpaquePart(options.barColor) == 0x000000 && OpaquePart(options.backColor) == 0xFFFFFF;
    const std::string dark = Background(options.barColor, standard, true);
    const std::string light = Background(options.backColor, standard, false);
    std::string text;
    for (int row = 0; row < grid.side(); ++row) {
        int last = -1;
        for (int column = 0; column < grid.side(); ++column) {
            const int now = grid.Dark(row, column) ? 1 : 0;
            if (now != last) text += now ? dark : light;
            text += "  ";
            last = now;
        }
        text += "\033[0m\n";
    }
    return text;
}

}  // namespace

bool DarkAt(const qr::ModuleMatrix& m, int rotation, int row, int column) {
    const int last = m.side - 1;
    switch (rotation) {
        case 0:  // a quarter clockwise
            return m.Module(last - column, row) != 0;
        case 2:  // a quarter counter-clockwise
            return m.Module(column, last - row) != 0;
        case 3:  // half a turn
            return m.Module(last - row, last - column) != 0;
        default:
            return m.Module(row, column) != 0;
    }
}

std::string TerminalText(const qr::ModuleMatrix& matrix, const BatchOptions& options) {
    const Grid grid{matrix, options.rotation, options.border};
    return options.format == ImageFormat::kAnsi ? Coloured(grid, options) : HalfBlocks(grid);
}

}  // namespace qrcli
