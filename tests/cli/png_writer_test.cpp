#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "encode_symbol.h"
#include "images/index_canvas.h"
#include "images/packed_drawing.h"
#include "images/png_file.h"
#include "symbol_drawing.h"

namespace {

struct Chunk {
    std::string type;
    std::vector<uint8_t> data;
    uint32_t crc = 0;
};

uint32_t BigEndian(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// The CRC of PNG chunks bit by bit, independent of the writer's compressor library.
uint32_t SlowCrc(const std::string& type, const std::vector<uint8_t>& data) {
    uint32_t crc = 0xFFFFFFFFU;
    auto add = [&](uint8_t byte) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
    };
    for (const char c : type) add(static_cast<uint8_t>(c));
    for (const uint8_t b : data) add(b);
    return ~crc;
}

// The chunks of a file after its signature; empty when the file does not hold together.
std::vector<Chunk> ChunksOf(const std::vector<uint8_t>& file) {
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(signature, signature + 8, file.begin())) return {};
    std::vector<Chunk> chunks;
    for (size_t at = 8; at < file.size();) {
        if (file.size() - at < 12) return {};
        const uint32_t length = BigEndian(&file[at]);
        if (file.size() - at - 12 < length) return {};
        Chunk chunk;
        chunk.type.assign(file.begin() + static_cast<ptrdiff_t>(at) + 4,
                          file.begin() + static_cast<ptrdiff_t>(at) + 8);
        chunk.data.assign(file.begin() + static_cast<ptrdiff_t>(at) + 8,
                          file.begin() + static_cast<ptrdiff_t>(at + 8 + length));
        chunk.crc = BigEndian(&file[at + 8 + length]);
        chunks.push_back(std::move(chunk));
        at += 12 + length;
    }
    return chunks;
}

qr::EncodedSymbol Symbol(const std::string& text) {
    return *qr::EncodeSymbol({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, {});
}

std::unique_ptr<qrcli::IndexCanvas> OnCanvas(const qr::EncodedSymbol& s,
                                             const qrlib::Appearance& look) {
    auto canvas = qrcli::IndexCanvas::Create(look.width, look.height, 96, look.backColor);
    qrlib::DrawSymbol(*canvas, s.matrix, look, 0, 0);
    return canvas;
}

// Looks that change the margins, the turn, the module size and the colours.
struct Look {
    const char* name;
    qrlib::Appearance look;
};
const Look kLooks[] = {
    {"defaults", {200, 200, 6, 0, 0, 0xFFFFFF, 0x000000}},
    {"odd margins turned once", {204, 212, 5, 1, 0, 0xFFFFFF, 0x000000}},
    {"turned twice", {204, 212, 5, 2, 0, 0xFFFFFF, 0x000000}},
    {"turned three times", {204, 212, 5, 3, 0, 0xFFFFFF, 0x000000}},
    {"white on black", {64, 61, 2, 0, 0, 0x000000, 0xFFFFFF}},
    {"colours", {150, 150, 3, 0, 0, 0xCCEEFF, 0x663300}},
    {"see-through background", {90, 90, 1, 3, 0, 0xFFFFFFFF, 0x102030}},
    {"one colour", {40, 40, 1, 0, 0, 0x336699, 0x336699}},
    {"no margin, width not a byte", {21, 21, 1, 0, 0, 0xFFFFFF, 0x000000}},
    {"beyond one block: the general compressor", {2400, 2410, 80, 1, 0, 0xFFFFFF, 0x000000}},
};

TEST(PackedDrawing, SameFileAsTheCanvasDrawingForEveryLook) {
    const auto symbol = Symbol("packed rows");
    for (const auto& [name, look] : kLooks) {
        const auto packed = qrcli::DrawPacked(symbol.matrix, look);
        ASSERT_TRUE(packed) << name;
        const auto fromCanvas = qrcli::EncodePng(*OnCanvas(symbol, look), 96);
        EXPECT_EQ(qrcli::WritePng(*packed, 96), fromCanvas) << name;
    }
}

TEST(PackedDrawing, LeavesToTheCanvasWhatItCannotDraw) {
    const auto symbol = Symbol("canvas");
    const struct {
        const char* name;
        qrlib::Appearance look;
    } refused[] = {
        {"a frame", {200, 200, 6, 0, 2, 0xFFFFFF, 0}},
        {"a dashed frame", {200, 200, 6, 0, 1, 0xFFFFFF, 0}},
        {"the symbol wider than the image", {20, 200, 6, 0, 0, 0xFFFFFF, 0}},
        {"the symbol taller than the image", {200, 20, 6, 1, 0, 0xFFFFFF, 0}},
    };
    for (const auto& [name, look] : refused)
        EXPECT_FALSE(qrcli::DrawPacked(symbol.matrix, look)) << name;
}

TEST(PngWriter, ChunksInOrderWithValidCrcsResolutionAndPixels) {
    const auto symbol = Symbol("chunks");
    const struct {
        int dpi;
        uint32_t perMetre;  // rounded
    } resolutions[] = {{72, 2835}, {96, 3780}, {300, 11811}, {600, 23622}};
    for (const auto& [name, look] : kLooks) {
        for (const auto& [dpi, perMetre] : resolutions) {
            const auto canvas = OnCanvas(symbol, look);
            const auto file = qrcli::EncodePng(*canvas, dpi);
            ASSERT_TRUE(file);
            const auto chunks = ChunksOf(*file);
            ASSERT_GE(chunks.size(), 4U) << name;
            for (const auto& chunk : chunks) {
                EXPECT_EQ(chunk.crc, SlowCrc(chunk.type, chunk.data)) << name << " " << chunk.type;
            }
            EXPECT_EQ(chunks.front().type, "IHDR");
            EXPECT_EQ(chunks.back().type, "IEND");
            std::vector<uint8_t> phys;
            for (const auto& chunk : chunks) {
                if (chunk.type == "pHYs") phys = chunk.data;
            }
            ASSERT_EQ(phys.size(), 9U) << name;
            EXPECT_EQ(BigEndian(&phys[0]), perMetre) << name << " " << dpi;
            EXPECT_EQ(BigEndian(&phys[4]), perMetre) << name << " " << dpi;
            EXPECT_EQ(phys[8], 1) << "the unit is the metre";
            // libpng reads back the pixels drawn; it turns colours to grey its own way, so
            // those are checked as the palette.
            const auto decoded = qrcli::DecodePng(*file);
            ASSERT_TRUE(decoded) << name;
            EXPECT_EQ(decoded->width, look.width);
            if (qrcli::IsBlackAndWhite(canvas->palette())) {
                EXPECT_EQ(decoded->pixels, canvas->Grey()) << name;
            } else {
                std::vector<uint8_t> palette;
                for (const auto& chunk : chunks) {
                    if (chunk.type == "PLTE") palette = chunk.data;
                }
                ASSERT_EQ(palette.size(), 3 * canvas->palette().size()) << name;
                EXPECT_EQ(palette[0], look.backColor & 0xFF) << name;  // red first
                EXPECT_EQ(palette[2], (look.backColor >> 16) & 0xFF) << name;
            }
        }
    }
}

}  // namespace
