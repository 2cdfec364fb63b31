#include <charconv>

#include "images/vector_images.h"

namespace qrcli {

std::string Decimal(double value) {
    char text[48];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    std::string number(text, error == std::errc() ? end : text);
    if (number.find('.') != std::string::npos) {
        while (number.back() == '0') number.pop_back();
        if (number.back() == '.') number.pop_back();
    }
    return number == "-0" ? "0" : number;
}

std::string RgbFraction(qrplat::ColorRef c) {
    return Decimal(qrplat::RedOf(c) / 255.0) + " " + Decimal(qrplat::GreenOf(c) / 255.0) + " " +
           Decimal(qrplat::BlueOf(c) / 255.0);
}

}  // namespace qrcli
