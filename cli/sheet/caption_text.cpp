#include "caption_text.h"

#include <cerrno>
#include <cstring>
#include <optional>

#if defined(_WIN32)
#include "common/code_page_text.h"
#include "common/utf16_text.h"
#else
#include <iconv.h>
#endif

namespace qrsheet {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

#if defined(_WIN32)

// The whole text in the encoding, or nothing when any byte does not belong to it.
std::optional<std::u32string> Convert(std::string_view bytes, const char* encoding) {
    const auto wide = std::string_view(encoding) == "UTF-8" ? qrcommon::Utf8ToUtf16(bytes)
                                                            : qrcommon::Gb18030ToUtf16(bytes);
    if (!wide) return std::nullopt;
    return qrcommon::Utf16ToUtf32(*wide);
}

#else

// The whole text in the encoding, or nothing when any byte does not belong to it.
std::optional<std::u32string> Convert(std::string_view bytes, const char* encoding) {
    const iconv_t converter = ::iconv_open("UTF-32LE", encoding);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(bytes);
    std::u32string out(bytes.size() + 1, U'\0');  // never more characters than bytes
    char* inAt = in.data();
    size_t inLeft = in.size();
    char* outAt = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * sizeof(char32_t);
    const size_t done = ::iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    ::iconv_close(converter);
    if (done == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft / sizeof(char32_t));
    return out;
}

#endif

}  // namespace

std::u32string CaptionCharacters(std::string_view bytes) {
    auto text = Convert(bytes, "UTF-8");
    if (!text) text = Convert(bytes, "GB18030");
    if (!text) {
        // Neither: ASCII stays readable, every other byte shows it was not understood.
        text.emplace();
        for (const char byte : bytes) {
            const auto value = static_cast<unsigned char>(byte);
            text->push_back(value < 0x80 ? value : kReplacement);
        }
    }
    std::u32string shown;
    for (const char32_t c : *text) {
        if (c == 0xFEFF) continue;  // a byte-order mark has no look
        shown.push_back(c < 0x20 || (c >= 0x7F && c < 0xA0) ? U' ' : c);
    }
    return shown;
}

}  // namespace qrsheet
