// The program entry of qrbatch.exe: the main window, start-up, then the message loop.
#include <windows.h>

#include <ole2.h>

#include "toolkit/services.h"
#include "toolkit/win32/main_frame.h"
#include "toolkit/win32/message_loop.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Relative output folders start at the program folder.
    const std::string programFolder = services::ProgramFolder();
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
