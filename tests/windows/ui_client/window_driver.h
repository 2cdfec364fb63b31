// The main window of the program under test, its controls found by their names. A control's
// number is its place in the control table plus kFirstControlId, and it is a direct child of
// the main window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace ui_client {

// The Win32 control number of the named control; 0 when the description has no such name.
int ControlId(std::string_view name);

class WindowDriver {
  public:
    explicit WindowDriver(HWND main) : main_(main) {}
    HWND Main() const { return main_; }
    HWND Control(std::string_view name) const;

    std::optional<std::string> Text(std::string_view name) const;
    // WM_SETTEXT, as a paste does; answers after the control's change handlers have run.
    bool SetText(std::string_view name, const std::string& text) const;
    // Posts BM_CLICK: a click handler may run for minutes or wait in a message box, so the
    // client does not wait for it here.
    void Click(std::string_view name) const;
    // Posts a key press and release to the control, as the keyboard does.
    void PressKey(std::string_view name, UINT virtualKey) const;

    std::optional<int> ItemCount(std::string_view name) const;
    std::optional<int> SelectedIndex(std::string_view name) const;
    std::optional<std::string> ItemText(std::string_view name, int index) const;
    // Opens the list part of a drop-down list, as a click on its arrow does.
    bool ShowDropDown(std::string_view name) const;
    std::optional<bool> IsDropped(std::string_view name) const;

    // True when the window's thread answers a message within the limit: no handler is busy.
    bool Answers(int limitMilliseconds = 2000) const;

  private:
    HWND main_;
};

}  // namespace ui_client
