#include "options/option_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "options/colours.h"

namespace qrcli {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return lower;
}

bool ParseHex(std::string_view text, uint32_t& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out, 16);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool ParseWholeNumber(std::string_view text, int low, int high, int& out) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return false;
    if (value < low || value > high) return false;
    out = value;
    return true;
}

bool ParseSize(std::string_view text, int& width, int& height) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    return ParseWholeNumber(text.substr(0, x), 1, kMaxImageSide, width) &&
           ParseWholeNumber(text.substr(x + 1), 1, kMaxImageSide, height);
}

bool ParseCentimetres(std::string_view text, double& out) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return false;
    if (!std::isfinite(value) || value <= 0 || value > 100) return false;
    out = value;
    return true;
}

bool ParseLevel(std::string_view text, int& ecLevel) {
    static constexpr std::string_view kLevels = "lmqh";
    const std::string lower = Lower(text);
    if (lower.size() != 1 || kLevels.find(lower[0]) == std::string_view::npos) return false;
    ecLevel = static_cast<int>(kLevels.find(lower[0]));
    return true;
}

bool ParseMask(std::string_view text, int& maskSetting) {
    if (text == "auto") {
        maskSetting = 0;
        return true;
    }
    int pattern = 0;
    if (!ParseWholeNumber(text, 0, 7, pattern)) return false;
    maskSetting = pattern + 1;
    return true;
}

bool ParseFormat(std::string_view text, ImageFormat& out) {
    static constexpr ImageFormat kAll[] = {ImageFormat::kPng,  ImageFormat::kSvg, ImageFormat::kEps,
                                           ImageFormat::kPdf,  ImageFormat::kBmp, ImageFormat::kWmf,
                                           ImageFormat::kUtf8, ImageFormat::kAnsi};
    const std::string lower = Lower(text);
    for (ImageFormat format : kAll) {
        if (lower == FormatName(format)) {
            out = format;
            return true;
        }
    }
    return false;
}

bool ParseColour(std::string_view text, uint32_t& out) {
    if (Lower(text) == "transparent") {
        out = WithAlpha(0xFFFFFF, 0);
        return true;
    }
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    uint32_t value = 0;
    if ((text.size() != 6 && text.size() != 8) || !ParseHex(text, value)) return false;
    const uint32_t alpha = text.size() == 8 ? value & 0xFF : 0xFF;
    const uint32_t rgb = text.size() == 8 ? value >> 8 : value;
    // Written as #RRGGBB, kept as 0x00BBGGRR like every colour of the library.
    const uint32_t bgr = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    out = WithAlpha(bgr, static_cast<uint8_t>(alpha));
    return true;
}

bool ParseDegrees(std::string_view text, int& rotation) {
    // Each step up of the library's code turns the symbol a quarter counter-clockwise from
    // code 1, the upright symbol.
    static constexpr std::string_view kDegrees[] = {"0", "90", "180", "270"};
    static constexpr int kCodes[] = {1, 0, 3, 2};
    for (int i = 0; i < 4; ++i) {
        if (text == kDegrees[i]) {
            rotation = kCodes[i];
            return true;
        }
    }
    return false;
}

bool ParseNaming(std::string_view text, Naming& out) {
    if (text == "line")
        out = Naming::kLine;
    else if (text == "safe")
        out = Naming::kSafe;
    else if (text == "index")
        out = Naming::kIndex;
    else
        return false;
    return true;
}

bool ParseInputFormat(std::string_view text, InputFormat& out) {
    if (text == "lines")
        out = InputFormat::kLines;
    else if (text == "tsv")
        out = InputFormat::kTsv;
    else if (text == "csv")
        out = InputFormat::kCsv;
    else if (text == "xlsx")
        out = InputFormat::kXlsx;
    else
        return false;
    return true;
}

bool ParsePayload(std::string_view text, Payload& out) {
    if (text == "wifi")
        out = Payload::kWifi;
    else if (text == "vcard")
        out = Payload::kVcard;
    else if (text == "mecard")
        out = Payload::kMecard;
    else if (text == "text")
        out = Payload::kText;
    else
        return false;
    return true;
}

bool ParseInputEncoding(std::string_view text, bool& fromGb18030) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "utf-8" || lower == "utf8") {
        fromGb18030 = false;
        return true;
    }
    fromGb18030 = lower == "gbk" || lower == "gb18030" || lower == "gb2312" || lower == "cp936";
    return fromGb18030;
}

bool ParseColumnWord(std::string_view text) {
    return !text.empty() && text.find_first_not_of('0') != std::string_view::npos;
}

bool ParseNameFormat(std::string_view text) {
    if (text.find('/') != std::string_view::npos || text.find('\0') != std::string_view::npos) {
        return false;
    }
    int conversions = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (++i < text.size() && text[i] == '%') continue;
        if (i < text.size() && text[i] == '0') ++i;
        const size_t widthStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        if (i - widthStart > 2 || i >= text.size() || text[i] != 'd') return false;
        ++conversions;
    }
    return conversions == 1;
}

bool ParseArchive(std::string_view text, ArchiveFormat& out) {
    const std::string lower = Lower(text);
    if (lower != "zip" && lower != "tar") return false;
    out = lower == "zip" ? ArchiveFormat::kZip : ArchiveFormat::kTar;
    return true;
}

bool ParseShard(std::string_view text, size_t& index, size_t& count) {
    const size_t slash = text.find('/');
    int k = 0;
    int n = 0;
    if (slash == std::string_view::npos ||
        !ParseWholeNumber(text.substr(slash + 1), 1, kMaxShards, n) ||
        !ParseWholeNumber(text.substr(0, slash), 0, n - 1, k)) {
        return false;
    }
    index = static_cast<size_t>(k);
    count = static_cast<size_t>(n);
    return true;
}

bool ParseSymbolVersion(std::string_view text, int& version, bool& micro) {
    if (!text.empty() && (text[0] == 'M' || text[0] == 'm')) {
        micro = true;
        return ParseWholeNumber(text.substr(1), 1, 4, version);
    }
    return ParseWholeNumber(text, 0, 40, version);
}

bool ParseEci(std::string_view text, int& eci) {
    for (std::string_view name : {"utf8", "UTF8", "utf-8", "UTF-8", "26"}) {
        if (text == name) {
            eci = 26;
            return true;
        }
    }
    return false;
}

bool ParseSplit(std::string_view text, int& parts, bool& whenLong) {
    if (text == "auto") {
        whenLong = true;
        return true;
    }
    return ParseWholeNumber(text, 2, 16, parts);
}

}  // namespace qrcli
