#pragma once

#include <cstdint>

#include "batch/fit_rule.h"

// At the window's fixed module side of 0.2 cm, symbols of version 3 and up are larger than the
// default image and would be cut off. Before each symbol is drawn, the module side is lowered
// for that symbol alone when it does not fit, by the rule of fit_rule.h. Symbols that fit at
// 0.2 cm are drawn exactly as before.
inline constexpr double kModuleSideCm = 0.2;

// The module side the library holds, as one click has set it. Made right after
// ApplySymbolSettings, which sends the fixed side; a side is sent again only when it changes,
// so a symbol that fits costs no setter call between its two queries and its save, and the
// library answers all three from one encoding (it keeps the last one until a setter is called).
class ModuleSide {
  public:
    void Set(double centimetres);

  private:
    double sent_ = kModuleSideCm;
};

// Sets the module side for the current message and image size (width and height as given to
// the library; 0 stands for its defaults) and says how the symbol will be drawn.
SymbolFit FitSymbolToImage(std::int32_t width, std::int32_t height, ModuleSide& moduleSide);

// Whether the library is asked to draw the symbol at all: a symbol cut off by the image edge is
// never written, as no reader could use it, and a text that encodes to no symbol has none.
inline bool CanBeDrawn(SymbolFit fit) {
    return fit == SymbolFit::AsSet || fit == SymbolFit::Smaller;
}
