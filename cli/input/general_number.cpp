#include "input/general_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qrcli {

namespace {

constexpr size_t kWidth = 11;  // the characters of a cell of standard width

std::string Printed(const char* format, int digits, double value) {
    char text[512];
    std::snprintf(text, sizeof text, format, digits, value);
    return text;
}

// 0.500 -> 0.5, 2.000 -> 2; an exponent's zeros stay.
std::string WithoutTrailingZeros(std::string text) {
    const size_t e = text.find_first_of("eE");
    std::string exponent = e == std::string::npos ? "" : text.substr(e);
    text.resize(e == std::string::npos ? text.size() : e);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text + exponent;
}

// 1.23457e+11 -> 1.23457E+11, 1e-5 -> 1E-05.
std::string Scientific(double value) {
    std::string text = WithoutTrailingZeros(Printed("%.*e", 5, value));
    const size_t e = text.find('e');
    std::string digits = text.substr(e + 2);
    while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
    return text.substr(0, e) + "E" + text[e + 1] + digits;
}

}  // namespace

std::optional<std::string> GeneralNumber(std::string_view stored) {
    const std::string text(stored);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0) return "0";
    const size_t width = kWidth + (value < 0 ? 1 : 0);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    if (magnitude >= static_cast<int>(kWidth)) return Scientific(value);
    // The most decimals that fit; rounding can add a digit before the point (9.99 -> 10.0).
    for (int decimals = 30; decimals >= 0; --decimals) {
        const std::string fixed = Printed("%.*f", decimals, value);
        if (fixed.size() > width) continue;
        const std::string shown = WithoutTrailingZeros(fixed);
        // Rounded away to nothing, or to too few digits to tell: shown as the exponent form.
        const bool lost = std::strtod(shown.c_str(), nullptr) == 0 ||
                          (magnitude < -4 && std::fabs(std::strtod(shown.c_str(), nullptr) -
                                                       value) > std::fabs(value) * 5e-6);
        return lost ? Scientific(value) : shown;
    }
    return Scientific(value);
}

}  // namespace qrcli
