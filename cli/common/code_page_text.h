// GB18030 text read through the Windows code page tables, where Linux uses iconv: code page
// 54936, or 936 (GBK, the part of GB18030 that lists are saved in) on a system without it.
#pragma once

#if defined(_WIN32)

#include <optional>
#include <string>
#include <string_view>

namespace qrcommon {

// The text in UTF-16, or nothing when a byte sequence is not GB18030.
std::optional<std::u16string> Gb18030ToUtf16(std::string_view bytes);

}  // namespace qrcommon

#endif
