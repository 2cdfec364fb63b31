#include "batch/written_check.h"

#include <algorithm>

#include "batch/symbol_reading.h"
#include "images/bmp_reading.h"
#include "images/image_files.h"
#include "images/png_file.h"

namespace qrcli {

std::optional<std::string> CheckWrittenFile(const OutputTarget& target, const std::string& name,
                                            std::string_view line,
                                            std::span<const uint8_t> madeBytes,
                                            const LaidOutSymbol& laid,
                                            const BatchOptions& options) {
    const auto file = target.Read(name);
    if (!file) return "the written file cannot be read back";
    return CheckFileBytes(*file, line, madeBytes, laid, options);
}

std::optional<std::string> CheckFileBytes(std::span<const uint8_t> file, std::string_view line,
                                          std::span<const uint8_t> madeBytes,
                                          const LaidOutSymbol& laid, const BatchOptions& options) {
    std::optional<GreyImage> image;
    if (options.format == ImageFormat::kBmp) {
        image = DecodeBmp(file);
    } else if (options.format == ImageFormat::kPng) {
        image = DecodePng(file);
    } else {
        if (!std::equal(file.begin(), file.end(), madeBytes.begin(), madeBytes.end())) {
            return "the written file differs from the image made";
        }
        image = DrawingAsPixels(laid, options);
    }
    if (!image) return "the written file is not a readable image";

    const auto read = ReadQrBytes(*image);
    if (!read) return "does not decode: no symbol is read from the image";
    if (!std::equal(read->begin(), read->end(), line.begin(), line.end(),
                    [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); })) {
        return "does not decode to its own bytes (" + std::to_string(read->size()) +
               " other bytes read)";
    }
    return std::nullopt;
}

}  // namespace qrcli
