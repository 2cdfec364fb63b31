#include "images/png_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include <png.h>

#include "images/png_chunks.h"
#include "options/colours.h"

namespace qrcli {

namespace {

constexpr qrplat::ColorRef kBlack = 0x000000;
constexpr qrplat::ColorRef kWhite = 0xFFFFFF;

// For images beyond a file system block: level 6 of libdeflate is faster than zlib's 4 was,
// and its files are smaller.
constexpr int kDeflateLevel = 6;

PngPicture PictureOf(const IndexCanvas& canvas) {
    PngPicture picture;
    picture.width = canvas.width();
    picture.height = canvas.height();
    const auto& colors = canvas.palette();
    // Sample value of each palette index in the file.
    std::vector<uint8_t> sample(colors.size());
    if (IsBlackAndWhite(colors)) {
        for (size_t i = 0; i < colors.size(); ++i) sample[i] = colors[i] == kWhite ? 1 : 0;
    } else {
        picture.greyscale = false;
        picture.palette = colors;
        picture.bitDepth = colors.size() <= 2    ? 1
                           : colors.size() <= 4  ? 2
                           : colors.size() <= 16 ? 4
                                                 : 8;
        for (size_t i = 0; i < colors.size(); ++i) sample[i] = static_cast<uint8_t>(i);
    }
    const int perByte = 8 / picture.bitDepth;
    const auto width = static_cast<size_t>(picture.width);
    const size_t stride =
        (width + static_cast<size_t>(perByte) - 1) / static_cast<size_t>(perByte) + 1;
    picture.scanlines.assign(stride * static_cast<size_t>(picture.height), 0);
    const auto& indices = canvas.indices();
    for (size_t y = 0; y < static_cast<size_t>(picture.height); ++y) {
        uint8_t* row = picture.scanlines.data() + y * stride;
        const uint8_t* source = indices.data() + y * width;
        // A module is many pixel rows high: a row like the one above is copied, not packed.
        if (y > 0 && std::memcmp(source, source - width, width) == 0) {
            std::memcpy(row, row - stride, stride);
            continue;
        }
        for (size_t x = 0; x < width; x += static_cast<size_t>(perByte)) {
            unsigned packed = 0;
            for (int k = 0; k < perByte; ++k) {
                const unsigned value = x + static_cast<size_t>(k) < width
                                           ? sample[source[x + static_cast<size_t>(k)]]
                                           : 0;
                packed = packed << picture.bitDepth | value;
            }
            row[1 + x / static_cast<size_t>(perByte)] = static_cast<uint8_t>(packed);
        }
    }
    return picture;
}

std::vector<uint8_t> HeaderOf(const PngPicture& picture) {
    std::vector<uint8_t> header;
    header.reserve(13);
    AppendBigEndian(header, static_cast<uint32_t>(picture.width));
    AppendBigEndian(header, static_cast<uint32_t>(picture.height));
    const uint8_t kPaletteType = 3;
    // Depth, colour type, then deflate, adaptive filtering and no interlacing (all 0).
    const uint8_t rest[] = {static_cast<uint8_t>(picture.bitDepth),
                            picture.greyscale ? uint8_t{0} : kPaletteType, 0, 0, 0};
    header.insert(header.end(), std::begin(rest), std::end(rest));
    return header;
}

}  // namespace

bool IsBlackAndWhite(std::span<const qrplat::ColorRef> colours) {
    return std::all_of(colours.begin(), colours.end(),
                       [](auto c) { return c == kBlack || c == kWhite; });
}

std::optional<std::vector<uint8_t>> WritePng(const PngPicture& picture, int dpi) {
    try {
        std::vector<uint8_t> out;
        out.reserve(picture.scanlines.size() / 4 + 256);
        PngChunks file(out);
        file.Add("IHDR", HeaderOf(picture));
        if (!picture.greyscale) {
            std::vector<uint8_t> rgb;
            std::vector<uint8_t> alphas;
            for (const auto color : picture.palette) {
                rgb.insert(rgb.end(),
                           {qrplat::RedOf(color), qrplat::GreenOf(color), qrplat::BlueOf(color)});
                alphas.push_back(AlphaOf(color));
            }
            file.Add("PLTE", rgb);
            // Opaque palettes need no transparency chunk.
            if (std::any_of(alphas.begin(), alphas.end(), [](auto a) { return a != 255; })) {
                file.Add("tRNS", alphas);
            }
        }
        // Pixels per metre both ways, then the unit (1, the metre): printed at the run's size.
        const auto perMetre = static_cast<uint32_t>(std::lround(dpi / 0.0254));
        std::vector<uint8_t> resolution;
        resolution.reserve(9);
        AppendBigEndian(resolution, perMetre);
        AppendBigEndian(resolution, perMetre);
        resolution.push_back(1);
        file.Add("pHYs", resolution);
        if (picture.rowRepeats.empty()) {
            const size_t rowBytes = picture.scanlines.size() / static_cast<size_t>(picture.height);
            if (!file.AddImageData(picture.scanlines, rowBytes, kDeflateLevel)) return std::nullopt;
        } else {
            const size_t rowBytes = picture.scanlines.size() / picture.rowRepeats.size();
            std::vector<RowRun> runs;
            runs.reserve(picture.rowRepeats.size());
            for (size_t i = 0; i < picture.rowRepeats.size(); ++i) {
                runs.push_back({picture.scanlines.data() + i * rowBytes, picture.rowRepeats[i]});
            }
            if (!file.AddImageData(runs, rowBytes, kDeflateLevel)) return std::nullopt;
        }
        file.Add("IEND", {});
        return out;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<std::vector<uint8_t>> EncodePng(const IndexCanvas& canvas, int dpi) {
    try {
        return WritePng(PictureOf(canvas), dpi);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<GreyImage> DecodePng(std::span<const uint8_t> file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return std::nullopt;
    image.format = PNG_FORMAT_GRAY;
    GreyImage grey;
    try {
        grey.pixels.resize(PNG_IMAGE_SIZE(image));
    } catch (const std::bad_alloc&) {
        png_image_free(&image);
        return std::nullopt;
    }
    // Transparent pixels as they show on white paper.
    const png_color white{255, 255, 255};
    if (!png_image_finish_read(&image, &white, grey.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    grey.width = static_cast<int>(image.width);
    grey.height = static_cast<int>(image.height);
    return grey;
}

}  // namespace qrcli
