// Finding the top-level windows of a process and reading window texts across processes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "program.h"

namespace ui_client {

inline constexpr wchar_t kMainWindowClass[] = L"QRBatchMainWindow";
inline constexpr wchar_t kDialogClass[] = L"#32770";

std::wstring ClassOf(HWND window);

// The first top-level window of the process with that class (and title, when given).
HWND FindProcessWindow(DWORD processId, const wchar_t* className,
                       const std::optional<std::string>& title = std::nullopt);

// Waits for such a window; gives up early when the program ends.
HWND WaitForProcessWindow(const Program& program, const wchar_t* className,
                          const std::optional<std::string>& title, double limitSeconds);

// The window's text through WM_GETTEXT; nullopt when the window's thread does not answer within
// the limit, which is the case while one of its handlers runs.
std::optional<std::string> ReadText(HWND window, int limitMilliseconds = 2000);

}  // namespace ui_client
