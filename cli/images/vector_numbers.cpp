#include "common/number_text.h"
#include "images/vector_images.h"

namespace qrcli {

std::string Decimal(double value) {
    std::string number;
    qrcommon::AppendNumber(number, value, 4);
    return number;
}

std::string ScaleText(double value) {
    std::string number;
    qrcommon::AppendNumber(number, value, 8);
    return number;
}

std::string RgbFraction(qrplat::ColorRef c) {
    return Decimal(qrplat::RedOf(c) / 255.0) + " " + Decimal(qrplat::GreenOf(c) / 255.0) + " " +
           Decimal(qrplat::BlueOf(c) / 255.0);
}

}  // namespace qrcli
