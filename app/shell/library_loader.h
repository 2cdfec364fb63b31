#pragma once

#include <string>

// The file name the application uses for the QR library on every platform.
inline constexpr const char* kLibraryFileName = "QRCodeWin32.dll";

// Where the first export lookup loads the library from before trying the bare name.
void SetLibraryPath(const std::string& path);

// The fatal error's text, the same on every platform: a line naming the library file and the
// export, then the system's reason (detail, in the system code page).
std::string LibraryFailureText(const std::string& exportName, const std::string& detail);

// The address of an export of the QR library. The library is loaded on the first lookup, from
// the library path and then by its bare name, and stays loaded. When either step fails the
// program ends with a fatal error naming the library file and the export.
void* ResolveLibraryExport(const char* exportName);
