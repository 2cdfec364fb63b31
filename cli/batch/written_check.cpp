#include "batch/written_check.h"

#include <algorithm>

#include "batch/symbol_reading.h"
#include "images/bmp_reading.h"
#include "images/image_files.h"
#include "images/png_file.h"
#include "text_symbols.h"

namespace qrcli {

std::optional<std::string> CheckWrittenFile(const OutputTarget& target, const std::string& name,
                                            std::string_view share, std::string_view line,
                                            std::span<const uint8_t> madeBytes,
                                            const LaidOutSymbol& laid,
                                            const BatchOptions& options) {
    const auto file = target.Read(name);
    if (!file) return "the written file cannot be read back";
    return CheckFileBytes(*file, share, line, madeBytes, laid, options);
}

std::optional<std::string> CheckFileBytes(std::span<const uint8_t> file, std::string_view share,
                                          std::string_view line, std::span<const uint8_t> madeBytes,
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

    const auto read = ReadSymbol(*image, laid.micro);
    if (!read) {
        return std::string("does not decode: no ") + (laid.micro ? "Micro QR " : "") +
               "symbol is read from the image";
    }
    if (!std::equal(read->bytes.begin(), read->bytes.end(), share.begin(), share.end(),
                    [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); })) {
        return "does not decode to its own bytes (" + std::to_string(read->bytes.size()) +
               " other bytes read)";
    }
    if (options.eci != 0 && !read->hasEci) return "is read without its ECI designator";
    if (laid.parts > 1) {
        const std::string parity = std::to_string(
            qr::TextParity({reinterpret_cast<const uint8_t*>(line.data()), line.size()}));
        if (read->sequenceIndex != laid.part || read->sequenceSize != laid.parts ||
            read->sequenceId != parity) {
            return "is read as linked symbol " + std::to_string(read->sequenceIndex + 1) + " of " +
                   std::to_string(read->sequenceSize) + " (parity " + read->sequenceId + "), not " +
                   std::to_string(laid.part + 1) + " of " + std::to_string(laid.parts) +
                   " (parity " + parity + ")";
        }
    }
    return std::nullopt;
}

}  // namespace qrcli
