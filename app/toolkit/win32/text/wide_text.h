#pragma once

#include <string>
#include <string_view>

// Conversions at the boundary to the W functions: the controls speak UTF-8, Windows UTF-16,
// and paths and library texts are 8-bit text in the ANSI code page.
namespace win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// 8-bit text in the given code page to UTF-16 and back; characters the code page cannot hold
// become its default character.
std::wstring WidenFrom(unsigned codePage, std::string_view bytes);
std::string NarrowTo(unsigned codePage, std::wstring_view wide);

}  // namespace win32
