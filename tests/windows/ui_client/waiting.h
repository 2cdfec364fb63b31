// Waiting with limits. Under an emulator everything is slow, so the limits are generous and
// every wait polls instead of sleeping for a guessed time.
#pragma once

#include <chrono>
#include <functional>

namespace ui_client {

class Stopwatch {
  public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_;
};

// Polls until done() holds or limitSeconds have passed; answers whether it held.
bool WaitUntil(const std::function<bool()>& done, double limitSeconds, int pollMilliseconds = 250);

// A short fixed pause, for the few places where nothing can be polled.
void Pause(int milliseconds);

}  // namespace ui_client
