// The command line of the window test client.
#pragma once

#include <optional>
#include <string>

namespace ui_client {

struct Options {
    std::wstring programFolder;  // holds only qrbatch.exe before the first start
    std::wstring libraryCopy;    // the built library, to compare the deployed file with
    std::wstring outputFolder;   // an existing, empty folder for the batch run
    std::wstring workFolder;     // the client's own scratch folder
    std::string serverBase;      // "http://127.0.0.1:PORT" of the notice server
    std::string closedBase;      // "http://127.0.0.1:PORT" where nothing listens
    std::wstring scenario;       // empty for all scenarios, "installed" or "installer-pages"
};

inline constexpr char kUsage[] =
    "usage: qr-windows-ui-client --program FOLDER --library FILE --output FOLDER --work FOLDER\n"
    "                            --server http://127.0.0.1:PORT --closed http://127.0.0.1:PORT\n"
    "                            [--scenario installed|installer-pages]\n";

// Folders and files become absolute paths. nullopt, with error set, on a bad command line.
std::optional<Options> ParseOptions(int argc, wchar_t** argv, std::string& error);

}  // namespace ui_client
