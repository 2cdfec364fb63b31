#include "options.h"

#include <windows.h>

#include <map>

#include "text.h"

namespace ui_client {

namespace {

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH * 2, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH * 2) return path;
    std::wstring full(buffer, length);
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full;
}

}  // namespace

std::optional<Options> ParseOptions(int argc, wchar_t** argv, std::string& error) {
    std::map<std::wstring, std::wstring> values;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) {
            error = "missing value after " + Narrow(argv[i]);
            return std::nullopt;
        }
        values[argv[i]] = argv[i + 1];
    }
    for (const wchar_t* name :
         {L"--program", L"--library", L"--output", L"--work", L"--server", L"--closed"}) {
        if (values.count(name) == 0) {
            error = "missing " + Narrow(name);
            return std::nullopt;
        }
    }
    const bool installed = values.count(L"--scenario") != 0;
    if (installed && values[L"--scenario"] != L"installed" &&
        values[L"--scenario"] != L"installer-pages") {
        error = "unknown scenario";
        return std::nullopt;
    }
    if (values.size() != (installed ? 7u : 6u)) {
        error = "unknown option";
        return std::nullopt;
    }
    Options options;
    options.programFolder = FullPath(values[L"--program"]);
    options.libraryCopy = FullPath(values[L"--library"]);
    options.outputFolder = FullPath(values[L"--output"]);
    options.workFolder = FullPath(values[L"--work"]);
    options.serverBase = Narrow(values[L"--server"]);
    options.closedBase = Narrow(values[L"--closed"]);
    if (installed) options.scenario = values[L"--scenario"];
    return options;
}

}  // namespace ui_client
