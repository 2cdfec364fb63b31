#include "common/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace qrcommon {

void AppendNumber(std::string& out, double value, int decimals) {
    decimals = std::clamp(decimals, 0, 10);
    if (!std::isfinite(value) || std::abs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;
    // The largest double has 309 digits before the point.
    std::array<char, 330> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value,
                                            std::chars_format::fixed, decimals);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    std::string_view number(text.data(), static_cast<size_t>(end - text.data()));
    if (decimals > 0) {
        number.remove_suffix(number.size() - 1 - number.find_last_not_of('0'));
        if (number.back() == '.') number.remove_suffix(1);
    }
    out += number == "-0" ? "0" : number;
}

}  // namespace qrcommon
