#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace win32 {

// Where a control goes: a direct child of the main window, so that every control can be found
// by its number there, at its container's origin plus its own offset.
struct Placement {
    HWND parent = nullptr;
    int id = 0;
    RECT rect{};        // in the main window's client area
    int roomRight = 0;  // the right edge of the container's client area
    HFONT font = nullptr;
};

// A native child window standing for one control of the description. The main window passes
// on what Windows tells it about the control: commands, colour questions, owner drawing.
class NativeControl {
  public:
    NativeControl() = default;
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;
    virtual ~NativeControl() = default;

    HWND Handle() const { return handle_; }
    // Edit boxes, buttons and lists take the keyboard focus in the Tab order.
    virtual bool TakesFocus() const { return false; }
    virtual void OnCommand(unsigned /*notification*/) {}
    // The brush for the background, or null for the system's colours.
    virtual HBRUSH OnColour(HDC /*dc*/) { return nullptr; }
    virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}

  protected:
    void Create(const wchar_t* className, const std::string& text, DWORD style, DWORD extendedStyle,
                const Placement& placement);
    // The window's bindings pass every event through the behaviours' one-at-a-time rule.
    static void Raise(const std::function<void()>& handler) {
        if (handler) handler();
    }

    HWND handle_ = nullptr;
};

// The whole text of a window, as UTF-8.
std::string TextOf(HWND window);
void SetTextOf(HWND window, const std::string& utf8);

}  // namespace win32
