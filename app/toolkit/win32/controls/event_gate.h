#pragma once

#include <functional>

namespace win32 {

// Every control event of the window passes through here, one at a time on the GUI thread.
// It knows whether a handler is running, so that timer ticks wait their turn and a close
// asked for inside a handler happens once the handler has returned.
class EventGate {
  public:
    void Raise(const std::function<void()>& handler) {
        if (!handler) return;
        ++depth_;
        handler();
        --depth_;
        if (depth_ == 0 && whenIdle) whenIdle();
    }
    bool Busy() const { return depth_ > 0; }
    // Runs after the outermost handler has returned.
    std::function<void()> whenIdle;

  private:
    int depth_ = 0;
};

}  // namespace win32
