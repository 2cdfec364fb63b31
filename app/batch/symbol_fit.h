#pragma once

#include <cstdint>

// At the window's fixed module side of 0.2 cm, symbols of version 3 and up are larger than the
// default image and would be cut off. Before each symbol is drawn, the module side is lowered
// for that symbol alone when it does not fit: to the largest whole number of pixels at which
// the symbol and a quiet zone of at least two modules on each side fit the image. Symbols that
// fit at 0.2 cm are drawn exactly as before.
enum class SymbolFit {
    AsSet,          // fits at 0.2 cm
    Smaller,        // drawn with smaller modules
    TooSmall,       // the image cannot hold the whole symbol even at one pixel per module
    DoesNotEncode,  // the text fits no symbol at the chosen version and level
};

inline constexpr double kModuleSideCm = 0.2;

// Sets the module side for the current message and image size (width and height as given to
// the library; 0 stands for its defaults) and says how the symbol will be drawn.
SymbolFit FitSymbolToImage(std::int32_t width, std::int32_t height);
