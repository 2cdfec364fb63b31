// Texts and settings whose pattern data and BMP bytes the Windows library must reproduce
// exactly as the Linux build writes them.
#pragma once

#include <cstdint>

namespace qrwin {

struct Rgb {
    int16_t red, green, blue;
};

struct ReferenceCase {
    const char* name;  // file stem of the reference files
    const char* text;
    int16_t version, level, mask;
    double moduleSizeCm;
    int16_t rotation, frameStyle;
    Rgb back, bar;
    int32_t width, height;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// Numeric, alphanumeric and byte mode (GBK bytes), fixed and automatic versions and masks,
// every rotation and frame style, one- and four-bit images, odd sizes and negative margins.
inline constexpr ReferenceCase kReferenceCases[] = {
    {"defaults", "12", 0, 0, 0, 0.07, 0, 0, kWhite, kBlack, 500, 300},
    {"numeric-v5-q", "01234567890123456789012345678901234567890123456789", 5, 2, 3, 0.1, 0, 2,
     kWhite, kBlack, 301, 211},
    {"alnum-auto-h", "HELLO WORLD $%*+-./:", 0, 3, 0, 0.2, 1, 1, kWhite, kBlack, 504, 250},
    {"gbk-bytes-m",
     "\xb2\xe2\xca\xd4\xca\xfd\xbe\xdd 42",
     0,
     1,
     5,
     0.07,
     2,
     0,
     {255, 0, 0},
     kWhite,
     200,
     200},
    {"url-rot3-colour",
     "https://example.com/qr?id=1234&lang=zh-CN",
     0,
     1,
     8,
     0.1,
     3,
     1,
     {18, 52, 86},
     {255, 255, 0},
     333,
     123},
    {"long-v12",
     "The quick brown fox jumps over the lazy dog. 0123456789 The quick brown fox "
     "jumps over the lazy dog. 0123456789 The quick brown fox jumps over the lazy "
     "dog. 0123456789 The quick brown fox jumps over the lazy dog.",
     12, 0, 0, 0.05, 0, 2, kWhite, kBlack, 640, 480},
    {"white-on-black", "white on black", 0, 2, 1, 0.2, 0, 0, kBlack, kWhite, 64, 64},
};

}  // namespace qrwin
