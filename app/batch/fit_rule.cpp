#include "fit_rule.h"

#include <algorithm>

namespace {

constexpr int kQuietModules = 2;  // at least, on each side
// The library stands in these for a width or height of 0.
constexpr std::int32_t kDefaultWidth = 500;
constexpr std::int32_t kDefaultHeight = 300;

}  // namespace

ModuleFit FitModuleSide(int modules, std::int32_t pixelsAtFixedSide, std::int32_t width,
                        std::int32_t height) {
    if (modules <= 0) return {SymbolFit::DoesNotEncode, 0};
    const std::int32_t side =
        std::min(width == 0 ? kDefaultWidth : width, height == 0 ? kDefaultHeight : height);
    if (pixelsAtFixedSide <= side) return {SymbolFit::AsSet, pixelsAtFixedSide / modules};

    std::int32_t smaller = side / (modules + 2 * kQuietModules);
    if (smaller < 1 && modules <= side) smaller = 1;  // whole, with a narrower quiet zone
    if (smaller < 1) return {SymbolFit::TooSmall, 0};
    return {SymbolFit::Smaller, static_cast<int>(smaller)};
}
