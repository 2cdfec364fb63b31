#include "common/code_page_text.h"

#if defined(_WIN32)

#include <windows.h>

namespace qrcommon {

std::optional<std::u16string> Gb18030ToUtf16(std::string_view bytes) {
    static const UINT page = IsValidCodePage(54936) ? 54936 : 936;
    if (bytes.empty()) return std::u16string();
    if (bytes.size() > 0x7FFFFFFF) return std::nullopt;
    const int length = static_cast<int>(bytes.size());
    // Never more UTF-16 units than bytes: a character of two or four bytes is one or two units.
    std::u16string wide(bytes.size(), u'\0');
    const int units = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), length,
                                          reinterpret_cast<wchar_t*>(wide.data()), length);
    if (units <= 0) return std::nullopt;
    wide.resize(static_cast<size_t>(units));
    return wide;
}

}  // namespace qrcommon

#endif
