#pragma once

#include <cstdint>

// How a symbol goes into an image of a given size, worked out from numbers alone (no library
// call, no toolkit), so that every program that draws the window's files draws them alike.
// A symbol that fits at the fixed module side is drawn as it is; a larger one gets the largest
// whole number of pixels a module at which the symbol and a quiet zone of at least two modules
// on each side fit the image; failing that, one pixel a module with a narrower quiet zone when
// the symbol itself fits; otherwise it is not drawn, as no reader could use a cut-off code.
enum class SymbolFit {
    AsSet,          // fits at the fixed module side
    Smaller,        // drawn with smaller modules
    TooSmall,       // the image cannot hold the whole symbol even at one pixel per module
    DoesNotEncode,  // the text fits no symbol at the chosen version and level
};

struct ModuleFit {
    SymbolFit fit = SymbolFit::DoesNotEncode;
    // Pixels a module side: as at the fixed side (AsSet) or lowered (Smaller); 0 otherwise.
    int modulePixels = 0;
};

// modules: the symbol's side in modules, 0 when the text encodes to no symbol;
// pixelsAtFixedSide: the symbol's side in pixels at the fixed module side;
// width, height: the image as given to the library, where 0 stands for its defaults 500 x 300.
ModuleFit FitModuleSide(int modules, std::int32_t pixelsAtFixedSide, std::int32_t width,
                        std::int32_t height);
