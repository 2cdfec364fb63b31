#include "toolkit/win32/controls/button.h"

namespace win32 {

Button::Button(const ControlDescription& control, const Placement& placement) {
    Create(L"BUTTON", control.caption, WS_TABSTOP | BS_PUSHBUTTON, 0, placement);
}

std::string Button::Caption() const {
    return TextOf(handle_);
}

void Button::Click() {
    Raise(clicked);
}

void Button::OnCommand(unsigned notification) {
    if (notification == BN_CLICKED) Raise(clicked);
}

}  // namespace win32
