// What the process settles before it reads its arguments or writes anything: how a file-size
// limit is met, the standard streams carrying bytes as they are, and the arguments as UTF-8 on
// every system.
#pragma once

#include <string>
#include <vector>

namespace qrcommon {

// On Linux a write past a file-size limit fails with EFBIG, reported like a full disk, instead
// of a signal ending the run with a short file. On Windows standard input and output carry
// bytes untranslated (no CR added before LF, no end at ^Z), and the console shows UTF-8.
void PrepareProcess();

// The arguments after the program's name. On Windows they come from the wide command line:
// the ANSI ones lose every character outside the system's code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace qrcommon
