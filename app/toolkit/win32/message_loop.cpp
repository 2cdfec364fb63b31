#include "toolkit/win32/message_loop.h"

#include <windows.h>

#include "toolkit/win32/main_frame.h"

namespace win32 {

namespace {

bool Held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// True when the key was handled here and must not reach the control. Dialog-style handling by
// IsDialogMessage would take Enter from the input box, so the few keys are handled by hand.
bool HandleKey(MainFrame& frame, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    const HWND window = frame.Handle();
    if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
    switch (message.wParam) {
        case VK_ESCAPE:
            // An open drop-down list takes Esc to close itself, as it does in a dialog.
            if (MainFrame::IsOpenList(message.hwnd)) return false;
            frame.Close();
            return true;
        case VK_TAB:
            if (Held(VK_CONTROL) || Held(VK_MENU)) return false;
            frame.MoveFocus(Held(VK_SHIFT));
            return true;
        case VK_RETURN:
            // No default button: elsewhere Enter neither presses nor moves anything.
            return !frame.AcceptsEnter(message.hwnd);
        default:
            return false;
    }
}

}  // namespace

int RunMessageLoop(MainFrame& frame) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (HandleKey(frame, message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace win32
