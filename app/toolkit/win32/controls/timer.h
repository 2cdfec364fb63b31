#pragma once

#include "shell/window_description.h"
#include "toolkit/controls.h"
#include "toolkit/win32/controls/native_control.h"

namespace win32 {

// A window timer of the main window under the control's number. A tick that comes while
// another handler runs is dropped by the behaviours' rule that tick is bound through.
class Timer : public ui::Timer {
  public:
    Timer(const ControlDescription& control, const Placement& placement);
    ~Timer() override;

    int Interval() const override { return interval_; }
    void SetInterval(int milliseconds) override;
    void OnTick();
    int Id() const { return static_cast<int>(id_); }

  private:
    HWND window_;
    UINT_PTR id_;
    int interval_ = 0;
};

}  // namespace win32
