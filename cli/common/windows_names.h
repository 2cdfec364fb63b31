// The file names Windows takes as they are. Others it refuses, or worse takes for something
// else: "a:b" is a stream of the file "a", "a\b" a file in the folder "a", "name." the file
// "name", and "nul.png" the null device. This tool refuses them all, as it does a name that
// Linux refuses, so no line's file lands anywhere but under its own name.
#pragma once

#include <string>
#include <string_view>

namespace qrcommon {

// True when the name (UTF-8, one path component) is a plain file name on Windows.
bool WindowsTakesName(std::string_view name);

// The name as Windows' file systems compare names, which ignore case: "ABC.png" and "abc.png"
// are one file there. Two lines must not share a file unnoticed through it.
std::string WindowsNameKey(std::string_view name);

}  // namespace qrcommon
