#include "batch/symbol_reading.h"

#if !defined(QRBATCH_WITHOUT_READER)
#include <ZXing/ReadBarcode.h>
#endif

namespace qrcli {

bool CanReadSymbols() {
#if defined(QRBATCH_WITHOUT_READER)
    return false;
#else
    return true;
#endif
}

std::optional<std::vector<uint8_t>> ReadQrBytes(const GreyImage& image) {
    auto read = ReadSymbol(image, false);
    if (!read) return std::nullopt;
    return std::move(read->bytes);
}

#if defined(QRBATCH_WITHOUT_READER)

std::optional<SymbolRead> ReadSymbol(const GreyImage&, bool) {
    return std::nullopt;
}

#else

std::optional<SymbolRead> ReadSymbol(const GreyImage& image, bool micro) {
    if (image.width <= 0 || image.height <= 0) return std::nullopt;
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height,
                                ZXing::ImageFormat::Lum);
    const auto hints =
        ZXing::DecodeHints()
            .setFormats(micro ? ZXing::BarcodeFormat::MicroQRCode : ZXing::BarcodeFormat::QRCode)
            .setTryHarder(true)
            .setTryRotate(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return std::nullopt;
    const auto& bytes = result.bytes();
    return SymbolRead{std::vector<uint8_t>(bytes.begin(), bytes.end()), result.hasECI(),
                      result.sequenceIndex(), result.sequenceSize(), result.sequenceId()};
}

#endif

}  // namespace qrcli
