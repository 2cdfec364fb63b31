#include "input/text_escapes.h"

#include <algorithm>

namespace qrcli {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of the count hex digits at text[at], or -1.
long HexDigits(std::string_view text, size_t at, size_t count) {
    if (text.size() - at < count) return -1;
    long value = 0;
    for (size_t i = 0; i < count; ++i) {
        const int digit = HexValue(text[at + i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

void AppendUtf8(std::string& out, long c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

std::optional<std::string> Unescape(std::string_view text, std::string& error) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
            continue;
        }
        const size_t at = i + 1;
        const char kind = at < text.size() ? text[at] : '\0';
        long value = -1;
        size_t used = 1;
        switch (kind) {
            case 'n':
                value = '\n';
                break;
            case 'r':
                value = '\r';
                break;
            case 't':
                value = '\t';
                break;
            case '\\':
                value = '\\';
                break;
            case 'x':
                value = HexDigits(text, at + 1, 2);
                used = 3;
                break;
            case 'u':
                value = HexDigits(text, at + 1, 4);
                used = 5;
                // A lone half of a surrogate pair is no character.
                if (value >= 0xD800 && value <= 0xDFFF) value = -1;
                break;
            default:
                break;
        }
        if (value < 0) {
            const std::string_view shown =
                text.substr(i, std::min<size_t>(used + 1, text.size() - i));
            error = "--esc: \"" + std::string(shown) + "\" at byte " + std::to_string(i + 1) +
                    " is not an escape (\\n, \\r, \\t, \\\\, \\xNN, \\uNNNN)";
            return std::nullopt;
        }
        if (kind == 'u') {
            AppendUtf8(out, value);
        } else {
            out.push_back(static_cast<char>(value));
        }
        i += used;
    }
    return out;
}

}  // namespace qrcli
