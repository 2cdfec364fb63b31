#include "input/text_decoding.h"

#include <stdexcept>

#if defined(_WIN32)
#include "common/code_page_text.h"
#include "common/utf16_text.h"
#else
#include <iconv.h>
#endif

namespace qrcli {

#if defined(_WIN32)

Gb18030Decoder::Gb18030Decoder() : converter_(nullptr) {}

Gb18030Decoder::~Gb18030Decoder() = default;

std::optional<std::string> Gb18030Decoder::ToUtf8(std::string_view bytes) {
    const auto wide = qrcommon::Gb18030ToUtf16(bytes);
    if (!wide) return std::nullopt;
    return qrcommon::Utf16ToUtf8(*wide);
}

#else

Gb18030Decoder::Gb18030Decoder() : converter_(::iconv_open("UTF-8", "GB18030")) {
    if (converter_ == reinterpret_cast<void*>(-1)) {
        throw std::runtime_error("this system's iconv cannot read GB18030");
    }
}

Gb18030Decoder::~Gb18030Decoder() {
    ::iconv_close(static_cast<iconv_t>(converter_));
}

std::optional<std::string> Gb18030Decoder::ToUtf8(std::string_view bytes) {
    const auto converter = static_cast<iconv_t>(converter_);
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);  // a fresh state for every text
    std::string in(bytes);
    std::string out(bytes.size() * 2 + 4, '\0');  // a GB18030 character never grows more
    char* inAt = in.data();
    size_t inLeft = in.size();
    char* outAt = out.data();
    size_t outLeft = out.size();
    if (::iconv(converter, &inAt, &inLeft, &outAt, &outLeft) == static_cast<size_t>(-1) ||
        ::iconv(converter, nullptr, nullptr, &outAt, &outLeft) == static_cast<size_t>(-1) ||
        inLeft != 0) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

#endif

}  // namespace qrcli
