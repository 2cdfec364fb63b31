#pragma once

#include "shell/window_description.h"
#include "toolkit/controls.h"
#include "toolkit/win32/controls/native_control.h"

namespace win32 {

// The settings of the system's save (or open) dialog, shown modally over the main window.
class SaveFileDialog : public ui::SaveFileDialog {
  public:
    SaveFileDialog(const ControlDescription& control, const Placement& placement);
    bool Show() override;

  private:
    HWND owner_;
};

}  // namespace win32
