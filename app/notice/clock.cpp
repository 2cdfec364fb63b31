#include "notice/clock.h"

#include "shell/main_window.h"

// The clock line is not drawn yet: 透明标签20 keeps its template caption.
void OnClockTick(MainWindow&) {}
