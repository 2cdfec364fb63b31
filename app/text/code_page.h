#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The system's 8-bit code page: texts to the library and file names travel in it.
enum class CodePage {
    Gbk,   // a byte with the high bit set starts a two-byte character
    Utf8,  // lead bytes announce sequences of two to four bytes
};

// GBK on Windows systems whose ANSI code page is 936, UTF-8 elsewhere. Each toolkit's
// services define it.
CodePage SystemCodePage();

// Length in bytes of the character that starts at text[position] (at least 1, never past the end).
std::size_t CharacterLength(std::string_view text, std::size_t position, CodePage codePage);
