#include "common/path_names.h"

#include <system_error>

#if defined(_WIN32)
#include "common/utf16_text.h"
#endif

namespace qrcommon {

#if defined(_WIN32)

std::filesystem::path PathOfName(const std::string& name) {
    // A name that is not UTF-8 keeps its bytes as characters: it names nothing that exists.
    const auto wide = Utf8ToUtf16(name);
    if (!wide) return std::filesystem::path(std::wstring(name.begin(), name.end()));
    return std::filesystem::path(std::wstring(wide->begin(), wide->end()));
}

std::string NameOfPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

#else

std::filesystem::path PathOfName(const std::string& name) {
    return std::filesystem::path(name);
}

std::string NameOfPath(const std::filesystem::path& path) {
    return path.string();
}

#endif

bool IsFolder(const std::string& name) {
    std::error_code ignored;
    return std::filesystem::is_directory(PathOfName(name), ignored);
}

}  // namespace qrcommon
