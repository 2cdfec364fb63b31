#include "text/to_integer.h"

#include <limits>

namespace {

// The GBK folding: 0xA3 0xA1..0xFE become second byte - 0x80; a few characters of row 0xA1 too.
char FoldGbkPair(unsigned char first, unsigned char second) {
    if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) return char(second - 0x80);
    if (first == 0xA1) {
        if (second == 0xA1) return ' ';
        if (second == 0xAB) return '~';
        if (second == 0xEE || second == 0xEF) return '*';
    }
    return 0;
}

// The characters the GBK pairs above stand for, by Unicode code point.
char FoldCodePoint(char32_t codePoint) {
    if (codePoint >= 0xFF01 && codePoint <= 0xFF5D && codePoint != 0xFF04)
        return char(codePoint - 0xFEE0);
    switch (codePoint) {
        case 0xFFE5:
            return '$';  // GBK 0xA3 0xA4 is the full-width yen sign
        case 0xFFE3:
            return '~';  // GBK 0xA3 0xFE is the full-width macron
        case 0x3000:
            return ' ';
        case 0xFF5E:
            return '~';
        case 0x2606:
        case 0x2605:
            return '*';
        default:
            return 0;
    }
}

char32_t DecodeUtf8(std::string_view character) {
    const auto byte = [&](std::size_t i) {
        return char32_t(static_cast<unsigned char>(character[i]));
    };
    switch (character.size()) {
        case 2:
            return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
        case 3:
            return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        case 4:
            return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
                   (byte(3) & 0x3F);
        default:
            return byte(0);
    }
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string FoldFullWidth(std::string_view text, CodePage codePage) {
    std::string folded;
    folded.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t length = CharacterLength(text, position, codePage);
        const std::string_view character = text.substr(position, length);
        char ascii = 0;
        if (length > 1) {
            ascii = codePage == CodePage::Gbk
                        ? FoldGbkPair(static_cast<unsigned char>(character[0]),
                                      static_cast<unsigned char>(character[1]))
                        : FoldCodePoint(DecodeUtf8(character));
        }
        if (ascii != 0)
            folded.push_back(ascii);
        else
            folded.append(character);
        position += length;
    }
    return folded;
}

std::int32_t ToInteger(std::string_view text, CodePage codePage) {
    const std::string folded = FoldFullWidth(text, codePage);
    std::size_t position = 0;
    while (position < folded.size() && IsSpace(folded[position])) ++position;
    bool negative = false;
    if (position < folded.size() && (folded[position] == '+' || folded[position] == '-')) {
        negative = folded[position] == '-';
        ++position;
    }
    // Accumulate with room to spare, then clamp: out-of-range input must not overflow.
    constexpr std::int64_t kLimit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; position < folded.size() && folded[position] >= '0' && folded[position] <= '9';
         ++position) {
        magnitude = magnitude * 10 + (folded[position] - '0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return std::int32_t(value);
}
