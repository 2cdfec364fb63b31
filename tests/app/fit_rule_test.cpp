#include <gtest/gtest.h>

#include <tuple>

#include "batch/fit_rule.h"

namespace {

TEST(FitRule, FitsShrinksOrRefusesByTheImagesShorterSide) {
    // modules, pixels at the fixed side (8 a module), width, height: fit, pixels a module
    const std::tuple<int, int, int, int, SymbolFit, int> cases[] = {
        {0, 0, 200, 200, SymbolFit::DoesNotEncode, 0},
        {25, 200, 200, 200, SymbolFit::AsSet, 8},    // exactly the image
        {29, 232, 300, 150, SymbolFit::Smaller, 4},  // 150 / (29 + 4)
        {29, 232, 0, 0, SymbolFit::AsSet, 8},        // 0 stands for 500 x 300
        {21, 168, 24, 24, SymbolFit::Smaller, 1},    // whole, with a narrower quiet zone
        {33, 264, 24, 24, SymbolFit::TooSmall, 0},
        {21, 168, -200, 200, SymbolFit::TooSmall, 0},
    };
    for (const auto& [modules, pixels, width, height, fit, modulePixels] : cases) {
        SCOPED_TRACE(testing::Message() << modules << " modules in " << width << " x " << height);
        const ModuleFit result = FitModuleSide(modules, pixels, width, height);
        EXPECT_EQ(result.fit, fit);
        EXPECT_EQ(result.modulePixels, modulePixels);
    }
}

}  // namespace
