#include "file_naming.h"

namespace qrcli {

std::optional<std::string> FileNameFor(std::string_view line, std::string_view extension,
                                       std::string& reason) {
    if (line.empty()) {
        reason = "an empty line cannot be a file name";
        return std::nullopt;
    }
    if (line == "." || line == "..") {
        reason = "\"" + std::string(line) + "\" cannot be a file name";
        return std::nullopt;
    }
    if (line.find('/') != std::string_view::npos) {
        reason = "cannot be a file name: it contains \"/\"";
        return std::nullopt;
    }
    if (line.find('\0') != std::string_view::npos) {
        reason = "cannot be a file name: it contains a NUL byte";
        return std::nullopt;
    }
    return std::string(line) + std::string(extension);
}

}  // namespace qrcli
