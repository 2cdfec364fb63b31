#include "image_files.h"

#include <span>

#include "dib_canvas.h"
#include "index_canvas.h"
#include "metafile_recorder.h"
#include "placeable_header.h"
#include "png_file.h"
#include "svg_canvas.h"

namespace qrcli {

namespace {

std::optional<std::vector<uint8_t>> BmpBytes(const LaidOutSymbol& laid, const BatchOptions& o) {
    // The library's BMP export: the same canvas, the same drawing at the origin.
    const int bits = qrlib::BmpBitsFor(o.backColor, o.barColor);
    auto canvas = qrplat::DibCanvas::Create(o.width, o.height, bits, o.dpi, o.dpi);
    if (!canvas) return std::nullopt;
    qrlib::DrawSymbol(*canvas, laid.symbol.matrix, laid.look, 0, 0);
    return canvas->FileBytes();
}

std::unique_ptr<IndexCanvas> DrawIndexed(const LaidOutSymbol& laid, const BatchOptions& o) {
    auto canvas = IndexCanvas::Create(o.width, o.height, o.dpi, o.backColor);
    if (canvas) qrlib::DrawSymbol(*canvas, laid.symbol.matrix, laid.look, 0, 0);
    return canvas;
}

std::optional<std::vector<uint8_t>> PngBytes(const LaidOutSymbol& laid, const BatchOptions& o) {
    const auto canvas = DrawIndexed(laid, o);
    if (!canvas) return std::nullopt;
    return EncodePng(*canvas, o.dpi);
}

std::vector<uint8_t> SvgBytes(const LaidOutSymbol& laid, const BatchOptions& o) {
    SvgCanvas canvas(o.width, o.height, o.dpi);
    qrlib::DrawSymbol(canvas, laid.symbol.matrix, laid.look, 0, 0);
    const std::string document = canvas.Document();
    return {document.begin(), document.end()};
}

std::optional<std::vector<uint8_t>> WmfBytes(const LaidOutSymbol& laid, const BatchOptions& o,
                                             std::string& reason) {
    // The library's metafile writer behind the placeable header, in the run's resolution.
    qrplat::WmfRecorder recorder(o.dpi);
    recorder.SetWindowExt(o.width, o.height);
    recorder.SetWindowOrg(0, 0);
    qrlib::DrawSymbol(recorder, laid.symbol.matrix, laid.look, 0, 0);
    const std::vector<uint8_t> records = recorder.Finish();
    if (recorder.overflowed()) {
        reason = "the drawing is too large for a Windows metafile";
        return std::nullopt;
    }
    const auto header = qrplat::PlaceableHeader(o.width, o.height, o.dpi);
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
        switch (options.appNames ? ImageFormat::kBmp : options.format) {
            case ImageFormat::kBmp:
                bytes = BmpBytes(laid, options);
                break;
            case ImageFormat::kPng:
                bytes = PngBytes(laid, options);
                break;
            case ImageFormat::kSvg:
                bytes = SvgBytes(laid, options);
                break;
            case ImageFormat::kWmf:
                bytes = WmfBytes(laid, options, reason);
                if (!bytes) return std::nullopt;
                break;
        }
    } catch (const std::bad_alloc&) {
        bytes.reset();
    }
    if (!bytes) reason = "not enough memory for the image";
    return bytes;
}

std::optional<GreyImage> DrawingAsPixels(const LaidOutSymbol& laid, const BatchOptions& options) {
    try {
        const auto canvas = DrawIndexed(laid, options);
        if (!canvas) return std::nullopt;
        return GreyImage{canvas->width(), canvas->height(), canvas->Grey()};
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace qrcli
