#include "images/image_files.h"

#include <span>

#include "dib_canvas.h"
#include "images/index_canvas.h"
#include "images/packed_drawing.h"
#include "images/png_file.h"
#include "images/terminal_text.h"
#include "images/vector_images.h"
#include "metafile_recorder.h"
#include "placeable_header.h"

namespace qrcli {

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::optional<std::vector<uint8_t>> BmpBytes(const LaidOutSymbol& laid, const BatchOptions& o) {
    // The library's BMP export: the same canvas, the same drawing at the origin.
    const auto& look = laid.look;
    const int bits = qrlib::BmpBitsFor(look.backColor, look.barColor);
    auto canvas = qrplat::DibCanvas::Create(look.width, look.height, bits, o.dpi, o.dpi);
    if (!canvas) return std::nullopt;
    qrlib::DrawSymbol(*canvas, laid.symbol.matrix, look, 0, 0);
    return canvas->FileBytes();
}

std::unique_ptr<IndexCanvas> DrawIndexed(const LaidOutSymbol& laid, const qrlib::Appearance& look,
                                         int dpi) {
    auto canvas = IndexCanvas::Create(look.width, look.height, dpi, look.backColor);
    if (canvas) qrlib::DrawSymbol(*canvas, laid.symbol.matrix, look, 0, 0);
    return canvas;
}

std::optional<std::vector<uint8_t>> PngBytes(const LaidOutSymbol& laid, const BatchOptions& o) {
    if (const auto picture = DrawPacked(laid.symbol.matrix, laid.look)) {
        return WritePng(*picture, o.dpi);
    }
    const auto canvas = DrawIndexed(laid, laid.look, o.dpi);
    if (!canvas) return std::nullopt;
    return EncodePng(*canvas, o.dpi);
}

std::vector<uint8_t> VectorBytes(const LaidOutSymbol& laid, const BatchOptions& o) {
    VectorCanvas canvas(laid.look.width, laid.look.height, o.dpi);
    if (o.moduleMm > 0) canvas.PrintModuleAt(o.moduleMm, laid.look.modulePixels);
    qrlib::DrawSymbol(canvas, laid.symbol.matrix, laid.look, 0, 0);
    switch (o.format) {
        case ImageFormat::kEps:
            return Bytes(EpsImage(canvas));
        case ImageFormat::kPdf:
            return Bytes(PdfImage(canvas));
        default:
            return Bytes(SvgImage(canvas));
    }
}

std::optional<std::vector<uint8_t>> WmfBytes(const LaidOutSymbol& laid, const BatchOptions& o,
                                             std::string& reason) {
    // The library's metafile writer behind the placeable header, in the run's resolution.
    const auto& look = laid.look;
    qrplat::WmfRecorder recorder(o.dpi);
    recorder.SetWindowExt(look.width, look.height);
    recorder.SetWindowOrg(0, 0);
    qrlib::DrawSymbol(recorder, laid.symbol.matrix, look, 0, 0);
    const std::vector<uint8_t> records = recorder.Finish();
    if (recorder.overflowed()) {
        reason = "the drawing is too large for a Windows metafile";
        return std::nullopt;
    }
    const auto header = qrplat::PlaceableHeader(look.width, look.height, o.dpi);
    std::vector<uint8_t> file(header.begin(), header.end());
    file.insert(file.end(), records.begin(), records.end());
    return file;
}

}  // namespace

std::optional<std::vector<uint8_t>> ImageFileBytes(const LaidOutSymbol& laid,
                                                   const BatchOptions& options,
                                                   std::string& reason) {
    std::optional<std::vector<uint8_t>> bytes;
    try {
        switch (options.format) {
            case ImageFormat::kBmp:
                bytes = BmpBytes(laid, options);
                break;
            case ImageFormat::kPng:
                bytes = PngBytes(laid, options);
                break;
            case ImageFormat::kSvg:
            case ImageFormat::kEps:
            case ImageFormat::kPdf:
                bytes = VectorBytes(laid, options);
                break;
            case ImageFormat::kWmf:
                bytes = WmfBytes(laid, options, reason);
                if (!bytes) return std::nullopt;
                break;
            case ImageFormat::kUtf8:
            case ImageFormat::kAnsi:
                bytes = Bytes(TerminalText(laid.symbol.matrix, options));
                break;
        }
    } catch (const std::bad_alloc&) {
        bytes.reset();
    }
    if (!bytes) reason = "not enough memory for the image";
    return bytes;
}

std::optional<GreyImage> DrawingAsPixels(const LaidOutSymbol& laid, const BatchOptions& options) {
    // Character cells are one module each; a reader wants a few pixels per module.
    qrlib::Appearance look = laid.look;
    if (IsTerminalFormat(options.format)) {
        constexpr int kPixels = 4;
        look.modulePixels *= kPixels;
        look.width *= kPixels;
        look.height *= kPixels;
    }
    try {
        const auto canvas = DrawIndexed(laid, look, options.dpi);
        if (!canvas) return std::nullopt;
        return GreyImage{canvas->width(), canvas->height(), canvas->Grey()};
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace qrcli
