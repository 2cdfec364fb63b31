#pragma once

#include "shell/window_description.h"
#include "toolkit/controls.h"
#include "toolkit/win32/controls/native_control.h"

namespace win32 {

// A push button; never the default button, so Enter does not press it.
class Button : public ui::Button, public NativeControl {
  public:
    Button(const ControlDescription& control, const Placement& placement);

    std::string Caption() const override;
    void Click() override;

    bool TakesFocus() const override { return true; }
    void OnCommand(unsigned notification) override;
};

}  // namespace win32
