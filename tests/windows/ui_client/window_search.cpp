#include "window_search.h"

#include <vector>

#include "text.h"

namespace ui_client {

namespace {

struct Search {
    DWORD processId;
    const wchar_t* className;
    const std::optional<std::string>* title;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    Search& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || ClassOf(window) != search.className) return TRUE;
    // A top-level window of another process: its title is read without a message.
    if (search.title->has_value()) {
        wchar_t title[512] = {};
        ::GetWindowTextW(window, title, 512);
        if (Narrow(title) != **search.title) return TRUE;
    }
    search.found = window;
    return FALSE;
}

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className,
                       const std::optional<std::string>& title) {
    Search search{processId, className, &title};
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForProcessWindow(const Program& program, const wchar_t* className,
                          const std::optional<std::string>& title, double limitSeconds) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindProcessWindow(program.Id(), className, title);
            return found != nullptr || !program.Running();
        },
        limitSeconds, 100);
    return found;
}

std::optional<std::string> ReadText(HWND window, int limitMilliseconds) {
    const UINT limit = static_cast<UINT>(limitMilliseconds);
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, limit, &length))
        return std::nullopt;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                               reinterpret_cast<LPARAM>(buffer.data()), SMTO_NORMAL, limit,
                               &copied))
        return std::nullopt;
    return Narrow(std::wstring_view(buffer.data(), copied));
}

}  // namespace ui_client
