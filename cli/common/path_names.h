// Paths as the tool holds them (UTF-8 text, as given on the command line) and as the standard
// library's filesystem calls take them. On Windows a narrow path would go through the ANSI
// code page and lose every character outside it, so the wide form is used there.
#pragma once

#include <filesystem>
#include <string>

namespace qrcommon {

std::filesystem::path PathOfName(const std::string& name);

std::string NameOfPath(const std::filesystem::path& path);

// True when the path is an existing folder, or a link to one.
bool IsFolder(const std::string& name);

}  // namespace qrcommon
