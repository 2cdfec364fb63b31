#include "window_layout_checks.h"

#include <map>
#include <string>

#include "client/checks.h"
#include "shell/window_description.h"
#include "text.h"
#include "window_search.h"

namespace ui_client {

namespace {

using qrwin::Check;

// Invisible components have no window.
bool HasWindow(ControlKind kind) {
    return kind != ControlKind::Timer && kind != ControlKind::SaveFileDialog;
}

// The system classes behind the kinds; labels and picture boxes may be the program's own.
const wchar_t* SystemClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
        case ControlKind::Button:
            return L"Button";
        case ControlKind::EditBox:
        case ControlKind::MultiLineEditBox:
            return L"Edit";
        case ControlKind::DropDownList:
            return L"ComboBox";
        default:
            return nullptr;
    }
}

bool ShowsTemplateCaption(const ControlDescription& control) {
    switch (control.kind) {
        case ControlKind::GroupBox:
        case ControlKind::Button:
        case ControlKind::TransparentLabel:
        case ControlKind::LinkLabel:
            // Empty captions are counters that start-up fills; the clock line ticks.
            return control.caption[0] != '\0' && std::string(control.name) != "透明标签20";
        default:
            return false;
    }
}

// Where the description puts the control, in the main window's client coordinates.
RECT DescribedRect(const ControlDescription& control) {
    int left = control.left, top = control.top;
    if (std::string(control.container) != "window") {
        const ControlDescription* box = FindControl(control.container);
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
    Check(outer.right - outer.left == kMainWindowOuterWidth &&
              outer.bottom - outer.top == kMainWindowOuterHeight,
          "main window outer size 879 x 554", RectText(outer));

    int windows = 0;
    std::string missing, wrongParent, wrongClass, misplaced, wrongCaption;
    for (const ControlDescription& control : MainWindowControls()) {
        if (!HasWindow(control.kind)) continue;
        ++windows;
        HWND handle = window.Control(control.name);
        if (handle == nullptr) {
            missing += std::string(" ") + control.name;
            continue;
        }
        if (::GetParent(handle) != window.Main()) wrongParent += std::string(" ") + control.name;
        const wchar_t* systemClass = SystemClass(control.kind);
        if (systemClass != nullptr && ClassOf(handle) != systemClass)
            wrongClass += std::string(" ") + control.name + "=" + Narrow(ClassOf(handle));

        const RECT want = DescribedRect(control);
        RECT got = ClientRectOf(handle, window.Main());
        // A closed drop-down list takes the height the system gives its font; the progress
        // bar's width is the progress, checked with the batch.
        if (control.kind == ControlKind::DropDownList) got.bottom = got.top + control.height;
        if (control.kind == ControlKind::Label) got.right = got.left + control.width;
        if (got.left != want.left || got.top != want.top || got.right != want.right ||
            got.bottom != want.bottom)
            misplaced += std::string(" ") + control.name + " at " + RectText(got) + " not " +
                         RectText(want) + ";";

        if (ShowsTemplateCaption(control)) {
            const auto caption = ReadText(handle);
            if (caption != std::string(control.caption))
                wrongCaption += std::string(" ") + control.name + "=" +
                                Shown(caption.value_or("(no answer)")) + ";";
        }
    }
    Check(missing.empty(),
          "all " + std::to_string(windows) + " window controls found by name (GetDlgItem)",
          "missing:" + missing);
    Check(wrongParent.empty(), "every control is a direct child of the main window", wrongParent);
    Check(wrongClass.empty(), "edit boxes, buttons, group boxes and lists are system controls",
          wrongClass);
    Check(misplaced.empty(), "every control at its described place and size", misplaced);
    Check(wrongCaption.empty(), "group boxes, buttons and labels show their template captions",
          wrongCaption);
}

}  // namespace ui_client
