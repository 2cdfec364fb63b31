#pragma once

#include "shell/window_description.h"
#include "toolkit/controls.h"
#include "toolkit/win32/controls/native_control.h"

namespace win32 {

// The link line: an owner-drawn STATIC with embossed text in its own font and colour, the hand
// pointer, and an event on the press of the left button (not on its release).
class LinkLabel : public ui::LinkLabel, public NativeControl {
  public:
    LinkLabel(const ControlDescription& control, const Placement& placement);
    ~LinkLabel() override;

    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    ui::Colour TextColour() const override;
    void SetTextColour(ui::Colour colour) override;

    void OnDrawItem(const DRAWITEMSTRUCT& item) override;

  private:
    static LRESULT CALLBACK Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    ui::Colour colour_;
    bool handPointer_;
    HFONT font_ = nullptr;
    WNDPROC staticProcedure_ = nullptr;
};

}  // namespace win32
