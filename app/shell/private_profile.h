#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Private-profile (INI) files: one value read or written by section and key, every other line
// of the file kept as it is. Section and key names match without regard to ASCII case.

// The value of key in section, or defaultValue when the file, section or key is missing.
// Like a caller's buffer of bufferSize bytes, the result holds at most bufferSize - 1 bytes.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& file,
                              std::size_t bufferSize);

// Stores key=value in section, adding the section or the key when missing and creating the
// file when it does not exist. The file is replaced atomically: a new file is written beside
// it, flushed to disk and renamed over it, so a crash leaves either the old or the new file.
// A value stops at its first line break, which could not be read back. False on failure.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& file);
