#include "batch/symbol_reading.h"

#include <ZXing/ReadBarcode.h>

namespace qrcli {

std::optional<std::vector<uint8_t>> ReadQrBytes(const GreyImage& image) {
    if (image.width <= 0 || image.height <= 0) return std::nullopt;
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height,
                                ZXing::ImageFormat::Lum);
    const auto hints = ZXing::DecodeHints()
                           .setFormats(ZXing::BarcodeFormat::QRCode)
                           .setTryHarder(true)
                           .setTryRotate(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return std::nullopt;
    const auto& bytes = result.bytes();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace qrcli
