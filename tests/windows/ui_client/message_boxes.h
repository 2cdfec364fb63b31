// The system message boxes of the program under test: found by caption among the dialog
// windows of its process, read, and answered by their buttons.
#pragma once

#include <windows.h>

#include <string>

#include "program.h"

namespace ui_client {

struct MessageBoxSeen {
    HWND window = nullptr;
    std::string text;  // the message, as shown
    bool hasOk = false;
    bool hasCancel = false;
};

// Waits for a message box with exactly this caption; window stays null when none came.
MessageBoxSeen WaitForMessageBox(const Program& program, const std::string& caption,
                                 double limitSeconds);

// Any dialog window of the process, whatever its caption.
bool HasDialog(const Program& program);

// Presses the button (IDOK, IDCANCEL) and waits until the box is gone.
bool Answer(const MessageBoxSeen& box, int buttonId, double limitSeconds = 60);

}  // namespace ui_client
