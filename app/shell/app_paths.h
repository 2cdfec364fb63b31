#pragma once

#include <string>

// Paths are built by plain concatenation with the platform's separator and never normalised.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The locations the program works with, as 8-bit text in the system code page.
struct AppPaths {
    std::string programFolder;  // the folder of the program file, no trailing separator
    std::string settingsFile;   // kSettingsFile, computed by start-up
    std::string libraryPath;    // the program folder + separator + "QRCodeWin32.dll"
};
