#include "common/windows_names.h"

#include <algorithm>
#include <array>
#include <cctype>

#if defined(_WIN32)
#include <windows.h>

#include "common/utf16_text.h"
#endif

namespace qrcommon {

namespace {

constexpr std::string_view kRefusedLetters = "<>:\"/\\|?*";

// The names of devices, which Windows finds in every folder, whatever the extension.
constexpr std::array<std::string_view, 24> kDeviceNames = {
    "CON",  "CONIN$", "CONOUT$", "PRN",  "AUX",  "NUL",  "COM1", "COM2",
    "COM3", "COM4",   "COM5",    "COM6", "COM7", "COM8", "COM9", "LPT1",
    "LPT2", "LPT3",   "LPT4",    "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

bool SameLetters(std::string_view a, std::string_view upper) {
    return std::equal(a.begin(), a.end(), upper.begin(), upper.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == y;
    });
}

}  // namespace

bool WindowsTakesName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.back() == '.' || name.back() == ' ') return false;  // Windows would drop them
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            kRefusedLetters.find(c) != std::string_view::npos)
            return false;
    }
    // "nul.png" and "nul .png" are the device too: the stem up to the first dot, spaces cut.
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    return std::none_of(kDeviceNames.begin(), kDeviceNames.end(),
                        [&](std::string_view device) { return SameLetters(stem, device); });
}

std::string WindowsNameKey(std::string_view name) {
#if defined(_WIN32)
    auto wide = Utf8ToUtf16(name);
    if (!wide || wide->empty()) return std::string(name);
    // The upper case of the system's own table, as NTFS keeps it for its names.
    CharUpperBuffW(reinterpret_cast<wchar_t*>(wide->data()), static_cast<DWORD>(wide->size()));
    return Utf16ToUtf8(*wide);
#else
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return key;
#endif
}

}  // namespace qrcommon
