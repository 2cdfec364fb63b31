// The scenarios of the window test client, one start of the program each, in the order main
// runs them: the first start needs the clean Wine prefix, the later ones the files it left.
#pragma once

#include "options.h"

namespace ui_client {

// Start-up on a clean prefix, the folder box and the settings file, the default batch, single
// generation, the size mirror, the clock line, Esc in an open list and Esc.
void RunFirstStartScenario(const Options& options);
// A notice page offering version 2: title, notice labels and both update questions.
void RunNoticeScenario(const Options& options);
// A notice server that accepts and never answers: start-up still ends within its limit.
void RunSilentServerScenario(const Options& options);
// A file that is no library at the library's place: the fatal message and the end.
void RunBrokenLibraryScenario(const Options& options);
// On its own (--scenario installed): the program in the folder the installer filled, the default
// batch into the output folder.
void RunInstalledScenario(const Options& options);
// On its own (--scenario installer-pages): FOLDER\installer.exe from the --program folder, each
// page pictured through a request in the work folder, then "Next" until it ends; the same for
// the uninstaller it installed.
void RunInstallerPages(const Options& options);

}  // namespace ui_client
