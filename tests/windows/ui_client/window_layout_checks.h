// The main window against the client's own copy of the control table: every control there, of
// its kind, at its place, with its caption.
#pragma once

#include "window_driver.h"

namespace ui_client {

// After an offline start-up, when only the counters and the clock differ from the template.
void RunLayoutChecks(const WindowDriver& window);

}  // namespace ui_client
