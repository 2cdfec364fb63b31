#include "message_boxes.h"

#include <vector>

#include "text.h"
#include "waiting.h"
#include "window_search.h"

namespace ui_client {

namespace {

BOOL CALLBACK CollectStatic(HWND child, LPARAM parameter) {
    if (ClassOf(child) == L"Static")
        reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(child);
    return TRUE;
}

// The message is the box's one static control with a text; the icon's has none.
std::string MessageText(HWND box) {
    std::vector<HWND> statics;
    ::EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&statics));
    std::string text;
    for (HWND control : statics) text += ReadText(control).value_or("");
    return text;
}

}  // namespace

MessageBoxSeen WaitForMessageBox(const Program& program, const std::string& caption,
                                 double limitSeconds) {
    MessageBoxSeen seen;
    seen.window = WaitForProcessWindow(program, kDialogClass, caption, limitSeconds);
    if (seen.window == nullptr) return seen;
    // The box exists before its text and buttons are in place; wait until it answers.
    WaitUntil(
        [&] {
            DWORD_PTR result = 0;
            return ::SendMessageTimeoutW(seen.window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) !=
                   0;
        },
        60);
    seen.text = MessageText(seen.window);
    seen.hasOk = ::GetDlgItem(seen.window, IDOK) != nullptr;
    seen.hasCancel = ::GetDlgItem(seen.window, IDCANCEL) != nullptr;
    return seen;
}

bool HasDialog(const Program& program) {
    return FindProcessWindow(program.Id(), kDialogClass) != nullptr;
}

bool Answer(const MessageBoxSeen& box, int buttonId, double limitSeconds) {
    HWND button = ::GetDlgItem(box.window, buttonId);
    if (button == nullptr) return false;
    ::PostMessageW(button, BM_CLICK, 0, 0);
    return WaitUntil([&] { return ::IsWindow(box.window) == FALSE; }, limitSeconds);
}

}  // namespace ui_client
