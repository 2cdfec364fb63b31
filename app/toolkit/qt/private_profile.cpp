// The settings file on Linux: an own private-profile layer, since no such functions exist here.
#include "toolkit/services.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <span>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "scratch_file.h"

namespace {

struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\n", "\r\n" or "" for a last line without one
};

// A settings file is a few lines; anything larger is not one and is left alone.
constexpr off_t kMaxSettingsBytes = 1024 * 1024;

// The whole file, or nothing when it is missing, unreadable, too large or not a regular file.
// Opened without blocking, so a pipe of that name cannot hold the program up.
std::optional<std::string> ReadFileBytes(const std::string& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return std::nullopt;
    std::optional<std::string> bytes;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        status.st_size <= kMaxSettingsBytes) {
        bytes.emplace();
        char buffer[8192];
        for (;;) {
            const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) bytes.reset();
            if (count <= 0) break;
            bytes->append(buffer, std::size_t(count));
            if (bytes->size() > std::size_t(kMaxSettingsBytes)) {
                bytes.reset();
                break;
            }
        }
    }
    ::close(descriptor);
    return bytes;
}

// CR LF, LF and a lone CR all end a line.
std::vector<Line> SplitIntoLines(const std::string& bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        const bool crLf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        const std::size_t endingLength = crLf ? 2 : 1;
        lines.push_back({bytes.substr(start, end - start), bytes.substr(end, endingLength)});
        start = end + endingLength;
    }
    return lines;
}

// New lines follow the file's own line ending; a file without one gets LF.
std::string LineEndingOf(const std::vector<Line>& lines) {
    for (const Line& line : lines)
        if (!line.ending.empty()) return line.ending;
    return "\n";
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

// Replaced through a scratch file of the shared kind (a name no user chooses, removed as a
// leftover only when its writer is gone), in the folder of the file a link leads to.
bool ReplaceAtomically(const std::string& file, const std::string& bytes) {
    // The file keeps its permissions; a new one is the user's to read and write, like any
    // settings file.
    struct stat existing {};
    const int mode = ::stat(file.c_str(), &existing) == 0 ? int(existing.st_mode & 07777) : 0644;
    const std::span<const uint8_t> parts[] = {
        {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}};
    return qrplat::ReplaceFileAtPath(file, parts, qrplat::ReplaceOptions{mode, true}) == 0;
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
                        const std::string& link) {
    value = value.substr(0, value.find_first_of("\r\n"));
    const std::string file = qrplat::ResolveLinks(link);
    std::vector<Line> lines;
    if (const auto bytes = ReadFileBytes(file)) {
        lines = SplitIntoLines(*bytes);
    } else {
        // Only a file that does not exist may be created; an unreadable one is left alone.
        struct stat existing {};
        if (::stat(file.c_str(), &existing) == 0) return false;
    }
    const std::string newLine = LineEndingOf(lines);
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
