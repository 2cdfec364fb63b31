#include "window_layout_checks.h"

#include <string>

#include "client/checks.h"
#include "expected_window.h"
#include "text.h"
#include "window_search.h"

namespace ui_client {

namespace {

using qrwin::Check;

// Invisible components have no window.
bool HasWindow(Kind kind) {
    return kind != Kind::Timer && kind != Kind::SaveFileDialog;
}

LONG StyleOf(HWND control) {
    return ::GetWindowLongW(control, GWL_STYLE);
}

// Whether the window is a control of the kind: its system class and the style bits that tell
// the kinds of one class apart. Labels and picture boxes may be the program's own classes.
bool IsOfKind(HWND control, Kind kind) {
    const std::wstring type = ClassOf(control);
    const LONG style = StyleOf(control);
    switch (kind) {
        case Kind::GroupBox:
            return type == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX;
        case Kind::Button:
            return type == L"Button" && (style & BS_TYPEMASK) == BS_PUSHBUTTON;
        case Kind::EditBox:
            return type == L"Edit" && (style & ES_MULTILINE) == 0;
        case Kind::MultiLineEditBox:
            return type == L"Edit" && (style & ES_MULTILINE) != 0;
        case Kind::DropDownList:
            return type == L"ComboBox" && (style & 3) == CBS_DROPDOWNLIST;
        case Kind::TransparentLabel:
        case Kind::Label:
            return type == L"Static";
        default:
            return true;
    }
}

// Where the table puts the control, in the main window's client coordinates.
RECT ExpectedRect(const ExpectedControl& control) {
    int left = control.left, top = control.top;
    if (std::string(control.container) != "window") {
        const ExpectedControl* box = FindExpected(control.container);
        left += box->left;
        top += box->top;
    }
    return {left, top, left + control.width, top + control.height};
}

RECT ClientRectOf(HWND control, HWND main) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

}  // namespace

void RunLayoutChecks(const WindowDriver& window) {
    RECT outer{};
    ::GetWindowRect(window.Main(), &outer);
    Check(outer.right - outer.left == kWindowWidth && outer.bottom - outer.top == kWindowHeight,
          "main window outer size 879 x 554", RectText(outer));

    int windows = 0;
    std::string missing, wrongParent, wrongKind, misplaced, wrongText;
    for (const ExpectedControl& control : ExpectedControls()) {
        if (!HasWindow(control.kind)) continue;
        ++windows;
        HWND handle = window.Control(control.name);
        if (handle == nullptr) {
            missing += std::string(" ") + control.name;
            continue;
        }
        if (::GetParent(handle) != window.Main()) wrongParent += std::string(" ") + control.name;
        if (!IsOfKind(handle, control.kind))
            wrongKind += std::string(" ") + control.name + "=" + Narrow(ClassOf(handle));

        const RECT want = ExpectedRect(control);
        RECT got = ClientRectOf(handle, window.Main());
        // A closed drop-down list takes the height the system gives its font; the progress
        // bar's width is the progress, checked with the batch.
        if (control.kind == Kind::DropDownList) got.bottom = got.top + control.height;
        if (control.kind == Kind::Label) got.right = got.left + control.width;
        if (got.left != want.left || got.top != want.top || got.right != want.right ||
            got.bottom != want.bottom)
            misplaced += std::string(" ") + control.name + " at " + RectText(got) + " not " +
                         RectText(want) + ";";

        if (control.text != nullptr) {
            const auto text = ReadText(handle);
            if (text != std::string(control.text))
                wrongText += std::string(" ") + control.name + "=" +
                             Shown(text.value_or("(no answer)")) + ";";
        }
    }
    Check(windows == 39 && missing.empty(), "all 39 window controls found by name (GetDlgItem)",
          "missing:" + missing);
    Check(wrongParent.empty(), "every control is a direct child of the main window", wrongParent);
    Check(wrongKind.empty(), "every control is of its kind (system class and style)", wrongKind);
    Check(misplaced.empty(), "every control at its place and size", misplaced);
    Check(wrongText.empty(), "captions and texts as the template has them", wrongText);
}

}  // namespace ui_client
