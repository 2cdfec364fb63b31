// The settings file on Linux: an own private-profile layer, since no such functions exist here.
#include "toolkit/services.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\n", "\r\n" or "" for a last line without one
};

// The whole file, or nothing when it is missing, unreadable or not a regular file.
std::optional<std::string> ReadFileBytes(const std::string& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return std::nullopt;
    std::optional<std::string> bytes;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        bytes.emplace();
        char buffer[8192];
        for (;;) {
            const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) bytes.reset();
            if (count <= 0) break;
            bytes->append(buffer, std::size_t(count));
        }
    }
    ::close(descriptor);
    return bytes;
}

std::vector<Line> SplitIntoLines(const std::string& bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t newline = bytes.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        std::size_t end = newline;
        std::string ending = "\n";
        if (end > start && bytes[end - 1] == '\r') {
            --end;
            ending = "\r\n";
        }
        lines.push_back({bytes.substr(start, end - start), ending});
        start = newline + 1;
    }
    return lines;
}

std::string_view Trim(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing when the line has no "=".
std::optional<std::string_view> KeyName(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, equals));
}

std::string_view ValueOf(std::string_view line) {
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    // A value enclosed in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

bool WriteAll(int descriptor, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (result < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += std::size_t(result);
    }
    return true;
}

std::string FolderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

bool ReplaceAtomically(const std::string& file, const std::string& bytes) {
    std::string temporary = file + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) return false;
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0)
        ::fchmod(descriptor, existing.st_mode & 07777);
    else
        ::fchmod(descriptor, 0644);
    const bool written = WriteAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int folder = ::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

}  // namespace

namespace services {

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& file,
                              std::size_t bufferSize) {
    std::string result(defaultValue);
    if (const auto bytes = ReadFileBytes(file)) {
        bool inSection = false;
        for (const Line& line : SplitIntoLines(*bytes)) {
            if (const auto name = SectionName(line.text)) {
                if (inSection) break;  // only the first section of that name is read
                inSection = EqualNoCase(*name, section);
                continue;
            }
            const auto name = KeyName(line.text);
            if (inSection && name && EqualNoCase(*name, key)) {
                result = ValueOf(line.text);
                break;
            }
        }
    }
    const std::size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
    if (result.size() > limit) result.resize(limit);
    return result;
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& file) {
    value = value.substr(0, value.find_first_of("\r\n"));
    const std::string newLine = "\n";
    std::vector<Line> lines;
    if (const auto bytes = ReadFileBytes(file)) {
        lines = SplitIntoLines(*bytes);
    } else {
        // Only a file that does not exist may be created; an unreadable one is left alone.
        struct stat existing {};
        if (::stat(file.c_str(), &existing) == 0) return false;
    }
    const std::string entry = std::string(key) + "=" + std::string(value);

    std::optional<std::size_t> sectionLine;
    std::optional<std::size_t> keyLine;
    std::size_t lastEntryOfSection = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionName(lines[i].text)) {
            if (sectionLine) break;
            if (EqualNoCase(*name, section)) sectionLine = lastEntryOfSection = i;
            continue;
        }
        if (!sectionLine) continue;
        if (!Trim(lines[i].text).empty()) lastEntryOfSection = i;
        const auto name = KeyName(lines[i].text);
        if (name && EqualNoCase(*name, key)) {
            keyLine = i;
            break;
        }
    }

    if (keyLine) {
        lines[*keyLine].text = entry;
    } else if (sectionLine) {
        Line& previous = lines[lastEntryOfSection];
        const std::string ending = previous.ending.empty() ? newLine : previous.ending;
        if (previous.ending.empty()) previous.ending = ending;
        lines.insert(lines.begin() + std::ptrdiff_t(lastEntryOfSection) + 1, Line{entry, ending});
    } else {
        if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = newLine;
        lines.push_back({"[" + std::string(section) + "]", newLine});
        lines.push_back({entry, newLine});
    }

    std::string bytes;
    for (const Line& line : lines) bytes += line.text + line.ending;
    return ReplaceAtomically(file, bytes);
}

}  // namespace services
