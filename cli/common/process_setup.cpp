#include "common/process_setup.h"

#if defined(_WIN32)
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

#include "common/windows_calls.h"
#else
#include <csignal>
#endif

namespace qrcommon {

#if defined(_WIN32)

namespace {

UINT consolePage = 0;  // the console's output code page before this run, given back at exit

void GiveConsolePageBack() {
    if (consolePage != 0) SetConsoleOutputCP(consolePage);
}

}  // namespace

void PrepareProcess() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    consolePage = GetConsoleOutputCP();
    if (consolePage != 0 && consolePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(GiveConsolePageBack);
    }
    // The progress bar clears its line with an escape sequence, which a console of Windows 10
    // and later obeys once asked; an older one shows the bar without it.
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error != INVALID_HANDLE_VALUE && GetConsoleMode(error, &mode)) {
        SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(NarrowName(wide[i]));
    LocalFree(wide);
    return args;
}

#else

void PrepareProcess() {
    std::signal(SIGXFSZ, SIG_IGN);
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

#endif

}  // namespace qrcommon
