// The settings file's reader and writer on any file contents: a store must keep every other line
// of the file and read back what it stored.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "toolkit/services.h"

using services::ReadProfileString;
using services::WriteProfileString;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string& SettingsPath() {
    static const std::string path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qrini-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        return std::string(made != nullptr ? made : "/tmp") + "/Set.ini";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input: file contents, then a 0xFF byte, then the value to store.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\xFF');
    const std::string contents = input.substr(0, cut);
    std::string value = cut == std::string::npos ? "D:\\codes" : input.substr(cut + 1);
    const std::string& path = SettingsPath();
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << contents; }
    (void)ReadProfileString("preservation", "route", "", path, 10240);
    if (!WriteProfileString("preservation", "route", value, path)) std::abort();

    // Every old line but the one replaced is still there, in order: the old and new files
    // share all lines but one (or none, when the key was added) from their two ends.
    const std::vector<std::string> before = Lines(contents);
    const std::vector<std::string> after = Lines(ReadAll(path));
    const size_t shorter = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    if (prefix + suffix + 1 < before.size()) std::abort();

    // What was stored reads back, up to its first line break, within the read limit, without
    // the white space around it and without a pair of enclosing quotes.
    value = value.substr(0, value.find_first_of("\r\n"));
    const size_t first = value.find_first_not_of(" \t");
    value = first == std::string::npos
                ? ""
                : value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    const std::string back = ReadProfileString("preservation", "route", "", path, 10240);
    if (value.size() < 10240 && value.find('\0') == std::string::npos && back != value)
        std::abort();
    return 0;
}
