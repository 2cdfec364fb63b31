// The symbol as two byte planes of side x side modules, row 0 at the top, column 0 at the left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qr {

struct ModuleMatrix {
    int side = 0;
    std::vector<uint8_t> modules;  // 1 dark, 0 light
    std::vector<uint8_t> isData;   // 1 encoding region (masked), 0 function module

    explicit ModuleMatrix(int n = 0)
        : side(n),
          modules(static_cast<size_t>(n) * static_cast<size_t>(n), 0),
          isData(static_cast<size_t>(n) * static_cast<size_t>(n), 1) {}

    size_t Index(int row, int column) const {
        return static_cast<size_t>(row) * static_cast<size_t>(side) + static_cast<size_t>(column);
    }
    uint8_t Module(int row, int column) const { return modules[Index(row, column)]; }
    bool IsData(int row, int column) const { return isData[Index(row, column)] != 0; }
    void SetFunction(int row, int column, bool dark) {
        modules[Index(row, column)] = dark ? 1 : 0;
        isData[Index(row, column)] = 0;
    }
};

}  // namespace qr
