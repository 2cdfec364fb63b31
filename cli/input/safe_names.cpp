#include "input/safe_names.h"

#include <algorithm>
#include <array>

namespace qrcli {

namespace {

// Length of the valid UTF-8 sequence at the start of text, or 0 when it is not one.
size_t Utf8Length(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates, which Windows names cannot hold
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

bool ForbiddenAscii(char c) {
    static constexpr std::string_view kForbidden = "<>:\"/\\|?*";
    return static_cast<unsigned char>(c) < 0x20 || kForbidden.find(c) != std::string_view::npos;
}

// CON, PRN, AUX, NUL, COM1..9, LPT1..9 in any case, before the first dot.
bool IsDeviceName(std::string_view name) {
    std::string base(name.substr(0, name.find('.')));
    std::transform(base.begin(), base.end(), base.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    if (std::find(kPlain.begin(), kPlain.end(), base) != kPlain.end()) return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string SafeFileName(std::string_view text, size_t maxBytes) {
    std::string name;
    name.reserve(std::min(text.size(), maxBytes));
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8Length(text.substr(at));
        const size_t kept = length == 0 ? 1 : length;
        if (name.size() + kept > maxBytes) break;
        if (length == 0 || (length == 1 && ForbiddenAscii(text[at]))) {
            name += '_';
        } else {
            name.append(text.substr(at, length));
        }
        at += kept;
    }
    // Windows drops spaces and dots at the end of a name.
    for (auto it = name.rbegin(); it != name.rend() && (*it == ' ' || *it == '.'); ++it) *it = '_';
    if (IsDeviceName(name)) {
        const size_t dot = std::min(name.find('.'), name.size());
        if (name.size() < maxBytes) {
            name.insert(name.begin() + static_cast<std::ptrdiff_t>(dot), '_');
        } else {
            name[dot - 1] = '_';
        }
    }
    return name;
}

std::string NumberedName(std::string_view format, size_t number) {
    std::string name;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            name += format[i];
            continue;
        }
        if (format[++i] == '%') {
            name += '%';
            continue;
        }
        const bool zeros = format[i] == '0';
        if (zeros) ++i;
        size_t width = 0;
        for (; format[i] >= '0' && format[i] <= '9'; ++i) width = width * 10 + (format[i] - '0');
        const std::string digits = std::to_string(number);
        if (digits.size() < width) name.append(width - digits.size(), zeros ? '0' : ' ');
        name += digits;  // format[i] is the d
    }
    return name;
}

}  // namespace qrcli
