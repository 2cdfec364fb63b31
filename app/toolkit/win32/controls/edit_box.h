#pragma once

#include "shell/window_description.h"
#include "toolkit/controls.h"
#include "toolkit/win32/controls/native_control.h"

namespace win32 {

// An EDIT control, single-line or the multi-line input box (CR LF between lines, as Windows
// edit controls keep them).
class EditBox : public ui::EditBox, public NativeControl {
  public:
    EditBox(const ControlDescription& control, const Placement& placement, bool multiLine);

    std::string Content() const override;
    void SetContent(const std::string& content) override;

    bool TakesFocus() const override { return true; }
    void OnCommand(unsigned notification) override;

  private:
    bool assigning_ = false;
};

}  // namespace win32
