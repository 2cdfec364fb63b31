#include "program.h"

#include "text.h"

namespace ui_client {

NoticeAddresses OfflineAddresses(const std::string& closedBase) {
    return {closedBase + "/", closedBase + "/1.html", closedBase + "/logo.png"};
}

Program::~Program() {
    if (process_ == nullptr) return;
    if (Running()) {
        ::TerminateProcess(process_, 99);
        ::WaitForSingleObject(process_, 30000);
    }
    ::CloseHandle(process_);
}

bool Program::Start(const std::wstring& executable, const NoticeAddresses& addresses,
                    const std::wstring& outputFile, const std::wstring& arguments) {
    // The child inherits this process's environment.
    ::SetEnvironmentVariableW(L"QRBATCH_ONLINE_URL", Widen(addresses.online).c_str());
    ::SetEnvironmentVariableW(L"QRBATCH_NOTICE_URL", Widen(addresses.page).c_str());
    ::SetEnvironmentVariableW(L"QRBATCH_LOGO_URL", Widen(addresses.logo).c_str());

    // Its messages are in the ANSI code page; kept apart, they leave this client's output UTF-8.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE output =
        ::CreateFileW(outputFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      &inheritable, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::wstring commandLine = L"\"" + executable + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output != INVALID_HANDLE_VALUE) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION started{};
    sinceStart_ = Stopwatch();
    const bool ok = ::CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr,
                                     output != INVALID_HANDLE_VALUE, 0, nullptr, nullptr, &startup,
                                     &started) != 0;
    const DWORD error = ::GetLastError();
    if (output != INVALID_HANDLE_VALUE) ::CloseHandle(output);
    ::SetLastError(error);
    if (!ok) return false;
    ::CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
    return true;
}

bool Program::Running() const {
    return process_ != nullptr && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(double limitSeconds) {
    if (process_ == nullptr) return std::nullopt;
    const DWORD limit = static_cast<DWORD>(limitSeconds * 1000);
    if (::WaitForSingleObject(process_, limit) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(process_, &code);
    return code;
}

}  // namespace ui_client
