// What the window program gives the system's file dialog, checked without showing it: driving
// the dialog itself under the emulator crashes the program now and then.
#pragma once

namespace ui_client {

// The save dialog is not asked for existing files only; a later save opens in the initial
// folder, whatever the folder of the name chosen before.
void CheckFileDialogRequests();

}  // namespace ui_client
