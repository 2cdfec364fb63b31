#include "waiting.h"

#include <windows.h>

namespace ui_client {

bool WaitUntil(const std::function<bool()>& done, double limitSeconds, int pollMilliseconds) {
    const Stopwatch watch;
    for (;;) {
        if (done()) return true;
        if (watch.Seconds() >= limitSeconds) return false;
        ::Sleep(static_cast<DWORD>(pollMilliseconds));
    }
}

void Pause(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace ui_client
