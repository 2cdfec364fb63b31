#include "input_lines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qrcli {

std::vector<std::string> SplitInputLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = bytes.find('\n'); at != std::string_view::npos; at = bytes.find('\n', start)) {
        size_t end = at;
        if (end > start && bytes[end - 1] == '\r') --end;
        lines.emplace_back(bytes.substr(start, end - start));
        start = at + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::optional<std::string> ReadInput(const std::string& name, std::string& error) {
    const bool standardInput = name == "-";
    FILE* file = standardInput ? stdin : std::fopen(name.c_str(), "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    if (!standardInput) std::fclose(file);
    if (failed) {
        error = std::strerror(readErrno);
        return std::nullopt;
    }
    return bytes;
}

}  // namespace qrcli
