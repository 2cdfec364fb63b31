#include "shell/event_gate.h"

bool EventGate::Start(const std::function<void()>& handler) {
    if (Busy()) return false;
    Run(handler);
    return true;
}

void EventGate::Follow(const std::function<void()>& handler) {
    Run(handler);
}

void EventGate::Run(const std::function<void()>& handler) {
    if (!handler) return;
    ++depth_;
    handler();
    --depth_;
    if (depth_ == 0 && whenIdle) whenIdle();
}
