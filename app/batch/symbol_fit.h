#pragma once

#include <cstdint>

#include "batch/fit_rule.h"

// At the window's fixed module side of 0.2 cm, symbols of version 3 and up are larger than the
// default image and would be cut off. Before each symbol is drawn, the module side is lowered
// for that symbol alone when it does not fit, by the rule of fit_rule.h. Symbols that fit at
// 0.2 cm are drawn exactly as before.
inline constexpr double kModuleSideCm = 0.2;

// Sets the module side for the current message and image size (width and height as given to
// the library; 0 stands for its defaults) and says how the symbol will be drawn.
SymbolFit FitSymbolToImage(std::int32_t width, std::int32_t height);

// Whether the library is asked to draw the symbol at all: a symbol cut off by the image edge is
// never written, as no reader could use it, and a text that encodes to no symbol has none.
inline bool CanBeDrawn(SymbolFit fit) {
    return fit == SymbolFit::AsSet || fit == SymbolFit::Smaller;
}
