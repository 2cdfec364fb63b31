// The program entry of qrbatch.exe: the main window, start-up, then the message loop.
#include <windows.h>

#include <ole2.h>

#include <string>

#include "toolkit/win32/main_frame.h"
#include "toolkit/win32/message_loop.h"

namespace {

// The folder of the program file (ANSI), no trailing backslash.
std::string ProgramFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return ".";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t cut = path.rfind('\\');
    return cut == std::string::npos ? "." : path.substr(0, cut);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Relative output folders start at the program folder.
    const std::string programFolder = ProgramFolder();
    SetCurrentDirectoryA(programFolder.c_str());
    // The shell's folder browser and the imaging component are COM objects.
    const HRESULT com = OleInitialize(nullptr);

    int exitCode = 0;
    {
        win32::MainFrame frame(programFolder);
        if (frame.Handle() == nullptr) return 1;
        // The window shows its template state while start-up runs (and waits for the network).
        frame.ShowAndPaint();
        frame.RunStartUp();
        // Start-up may have closed the window (a declined mandatory update); the loop then ends
        // as soon as the window is gone.
        exitCode = win32::RunMessageLoop(frame);
    }
    if (SUCCEEDED(com)) OleUninitialize();
    return exitCode;
}
