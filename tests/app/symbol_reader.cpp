#include "symbol_reader.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <QPainter>
#include <QtEndian>

std::optional<BmpHeader> ReadBmpHeader(const QByteArray& file) {
    if (file.size() < 54 || !file.startsWith("BM")) return std::nullopt;
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    BmpHeader header;
    header.width = qFromLittleEndian<qint32>(bytes + 18);
    header.height = qFromLittleEndian<qint32>(bytes + 22);
    header.bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
    return header;
}

namespace {

bool IsDark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

QRect DarkArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsDark(image, x, y)) area |= QRect(x, y, 1, 1);
    return area;
}

// The 15 format bits next to the top-left finder pattern, read in the usual order.
int FormatBits(const QImage& image, QPoint origin, int modulePixels) {
    const auto module = [&](int column, int row) {
        return IsDark(image, origin.x() + column * modulePixels + modulePixels / 2,
                      origin.y() + row * modulePixels + modulePixels / 2);
    };
    int bits = 0;
    const auto take = [&](int column, int row) {
        bits = (bits << 1) | (module(column, row) ? 1 : 0);
    };
    for (int column = 0; column < 6; ++column) take(column, 8);
    take(7, 8);
    take(8, 8);
    take(8, 7);
    for (int row = 5; row >= 0; --row) take(8, row);
    return bits;
}

}  // namespace

ReadSymbol ReadSymbolFromFile(const QByteArray& file, int modulePixels) {
    ReadSymbol result;
    const QImage picture = QImage::fromData(file, "BMP");
    if (picture.isNull()) return result;

    // A white border gives the reader the quiet zone that small images cut off.
    QImage canvas(picture.width() + 64, picture.height() + 64, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.drawImage(32, 32, picture);
    }
    const QImage padded = canvas.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(padded.constBits(), padded.width(), padded.height(),
                                ZXing::ImageFormat::Lum, int(padded.bytesPerLine()));
    const ZXing::Result read =
        ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
    result.decoded = read.isValid();
    if (result.decoded) result.bytes.assign(read.bytes().begin(), read.bytes().end());

    const QRect dark = DarkArea(picture);
    if (dark.isEmpty() || dark.left() < 0) return result;
    result.sideModules = dark.width() / modulePixels;
    const int unmasked = FormatBits(picture, dark.topLeft(), modulePixels) ^ 0x5412;
    const int levelBits = (unmasked >> 13) & 3;
    constexpr int kLevelOfBits[] = {1, 0, 3, 2};  // 00 M, 01 L, 10 H, 11 Q
    result.level = kLevelOfBits[levelBits];
    result.maskPattern = (unmasked >> 10) & 7;
    return result;
}
