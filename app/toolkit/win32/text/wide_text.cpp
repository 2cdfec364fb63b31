#include "toolkit/win32/text/wide_text.h"

#include <windows.h>

namespace win32 {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

std::wstring Decode(UINT codePage, DWORD flags, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), length);
    return wide;
}

// A double-byte code page one character at a time, so that a broken sequence costs only its
// own character, which becomes U+FFFD.
std::wstring DecodeEachCharacter(UINT codePage, std::string_view bytes) {
    std::wstring wide;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t length = 1;
        if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[at])) && at + 1 < bytes.size())
            length = 2;
        const std::wstring character =
            Decode(codePage, MB_ERR_INVALID_CHARS, bytes.substr(at, length));
        wide += character.empty() ? std::wstring(1, kReplacement) : character;
        at += length;
    }
    return wide;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    return Decode(CP_UTF8, 0, utf8);
}

std::string Narrow(std::wstring_view wide) {
    return NarrowTo(CP_UTF8, wide);
}

std::wstring WidenFrom(unsigned codePage, std::string_view bytes) {
    if (codePage == CP_UTF8) return Widen(bytes);
    std::wstring wide = Decode(codePage, MB_ERR_INVALID_CHARS, bytes);
    if (wide.empty() && !bytes.empty()) wide = DecodeEachCharacter(codePage, bytes);
    return wide;
}

std::string NarrowTo(unsigned codePage, std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace win32
