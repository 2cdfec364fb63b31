// UTF-8 and UTF-16, the two forms a name takes between this tool (UTF-8 throughout) and the
// Windows file and console calls (UTF-16). Written out here rather than through the system, so
// that both ways behave alike everywhere and can be checked on any machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrcommon {

// The text in UTF-16, or nothing when it is not well-formed UTF-8 (an overlong form, a
// surrogate, a value past U+10FFFF or a sequence cut short).
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

// The text in UTF-8. A lone surrogate, which only a damaged name holds, becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The characters of the UTF-16 text, a lone surrogate as U+FFFD.
std::u32string Utf16ToUtf32(std::u16string_view text);

}  // namespace qrcommon
