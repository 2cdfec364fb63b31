#pragma once

#include "shell/window_description.h"
#include "toolkit/controls.h"
#include "toolkit/win32/controls/native_control.h"

namespace win32 {

// A COMBOBOX of the drop-down-list kind: pick only, items in the order added.
class DropDownList : public ui::DropDownList, public NativeControl {
  public:
    DropDownList(const ControlDescription& control, const Placement& placement);

    void AddItem(const std::string& text) override;
    int ItemCount() const override;
    std::string ItemText(int index) const override;
    int SelectedIndex() const override;
    void SetSelectedIndex(int index) override;

    bool TakesFocus() const override { return true; }
};

}  // namespace win32
