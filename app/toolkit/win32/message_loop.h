#pragma once

namespace win32 {

class MainFrame;

// The program's message loop with the window's keyboard rules: Esc closes the main window from
// any control but an open drop-down list, Tab and Shift+Tab move the focus, Enter does nothing
// but in the input box (and in a dropped list). Returns the exit code once the window is gone.
int RunMessageLoop(MainFrame& frame);

}  // namespace win32
