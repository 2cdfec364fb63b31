// The name of a line's image: the line's bytes as they are, plus the extension.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrcli {

// The file name inside the output folder, or nothing with the reason when the line cannot
// name a file there (a "/" would reach into other folders; "", "." and ".." name no file of
// their own).
std::optional<std::string> FileNameFor(std::string_view line, std::string_view extension,
                                       std::string& reason);

}  // namespace qrcli
