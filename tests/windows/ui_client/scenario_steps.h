// Steps that every scenario takes: start the program, wait for its window and the end of its
// start-up, close it.
#pragma once

#include <optional>
#include <string>

#include "options.h"
#include "program.h"
#include "window_driver.h"

namespace ui_client {

// Under the emulator the first start in a fresh prefix also brings up Wine's own services.
inline constexpr double kFirstStartLimit = 420;
inline constexpr double kStartLimit = 240;
inline constexpr double kReadyLimit = 120;

inline constexpr wchar_t kProgramFile[] = L"qrbatch.exe";
inline constexpr wchar_t kLibraryFile[] = L"QRCodeWin32.dll";
inline constexpr int kVersionItems = 41;

// Seconds since the program was started.
struct StartTimes {
    double window = -1;  // its main window exists
    double ready = -1;   // start-up has filled the version list
};

// Starts folder\qrbatch.exe and waits for its main window; nullopt, with a failed check, when
// it cannot be started or shows no main window. The program's own output goes to
// work\qrbatch-output.txt.
std::optional<WindowDriver> StartProgram(Program& program, const Options& options,
                                         const std::wstring& folder,
                                         const NoticeAddresses& addresses, double limitSeconds,
                                         StartTimes& times);

// Waits until start-up has filled the version list and the window answers again.
bool WaitUntilReady(const Program& program, const WindowDriver& window, double limitSeconds,
                    StartTimes& times);

// The main window's title; read without a message, so also while a handler runs.
std::string TitleOf(const WindowDriver& window);

// Posts WM_CLOSE, as the close box does, and checks that the program ends with code 0.
void CloseAndCheckEnd(Program& program, const WindowDriver& window, const std::string& what);

void PrintTime(const std::string& what, double seconds);

}  // namespace ui_client
