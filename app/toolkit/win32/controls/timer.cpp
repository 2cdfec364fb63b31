#include "toolkit/win32/controls/timer.h"

namespace win32 {

Timer::Timer(const ControlDescription& control, const Placement& placement)
    : window_(placement.parent), id_(static_cast<UINT_PTR>(placement.id)) {
    SetInterval(control.extras.interval);
}

Timer::~Timer() {
    if (interval_ > 0 && IsWindow(window_)) KillTimer(window_, id_);
}

void Timer::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    if (milliseconds > 0)
        SetTimer(window_, id_, static_cast<UINT>(milliseconds), nullptr);
    else
        KillTimer(window_, id_);
}

void Timer::OnTick() {
    if (interval_ > 0 && tick) tick();
}

}  // namespace win32
