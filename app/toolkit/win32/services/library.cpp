// Loading the QR library and its exports by name, and the fatal error when that fails.
#include <windows.h>

#include <string>

#include "toolkit/services.h"
#include "toolkit/win32/text/wide_text.h"

namespace services {

namespace {

// The system's text for an error code, without its trailing line break; its "%1" names the
// file or export concerned.
std::string ErrorText(DWORD error, const std::string& subject) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length) : "";
    if (text != nullptr) LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    for (std::size_t at = message.find("%1"); at != std::string::npos;
         at = message.find("%1", at + subject.size()))
        message.replace(at, 2, subject);
    return "error " + std::to_string(error) + (message.empty() ? "" : ": " + message);
}

// The text also goes to a standard error stream when the program was started with one.
void WriteToStandardError(const std::string& ansiText) {
    const HANDLE stream = GetStdHandle(STD_ERROR_HANDLE);
    if (stream == nullptr || stream == INVALID_HANDLE_VALUE) return;
    const std::string line = ansiText + "\r\n";
    DWORD written = 0;
    WriteFile(stream, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

void* LoadLibraryFile(const std::string& pathOrName, std::string& detail) {
    // A file that is no library is refused quietly, without the system's own error box.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const HMODULE library = LoadLibraryA(pathOrName.c_str());
    const DWORD error = GetLastError();
    SetErrorMode(previousMode);
    if (library == nullptr) detail = pathOrName + ": " + ErrorText(error, pathOrName);
    return reinterpret_cast<void*>(library);
}

void* FindExport(void* library, const char* exportName, std::string& detail) {
    const FARPROC address = GetProcAddress(static_cast<HMODULE>(library), exportName);
    const DWORD error = GetLastError();
    if (address == nullptr) detail = std::string(exportName) + ": " + ErrorText(error, exportName);
    return reinterpret_cast<void*>(address);
}

void ShowFatalErrorAndExit(const std::string& caption, const std::string& text) {
    WriteToStandardError(ToSystem8Bit(text));
    MessageBoxW(nullptr, win32::Widen(text).c_str(), win32::Widen(caption).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    // The program ends here, in the middle of a handler: nothing is left to save.
    ExitProcess(1);
}

}  // namespace services
