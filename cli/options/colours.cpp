#include "options/colours.h"

#include <cstdio>

namespace qrcli {

std::string ColourText(uint32_t colour) {
    char text[10];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    std::string result = text;
    if (AlphaOf(colour) != 255) {
        std::snprintf(text, sizeof text, "%02X", AlphaOf(colour));
        result += text;
    }
    return result;
}

}  // namespace qrcli
