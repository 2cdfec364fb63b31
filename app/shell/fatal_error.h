#pragma once

#include <string>

// Reports that the QR library or one of its exports could not be loaded and ends the program.
// The message names the library file and the export; it goes to standard error and, on an
// interactive display, into a message box.
[[noreturn]] void FailLibraryLoad(const std::string& exportName, const std::string& detail);
