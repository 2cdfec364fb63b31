// Numbers as PDF, PostScript and SVG read them: plain decimal, no exponent, no locale.
#pragma once

#include <string>

namespace qrcommon {

// Appends the value with at most `decimals` decimals (0 to 10), trailing zeros dropped and no
// "-0". Every finite value is written in full; one that is not finite, which no caller should
// pass, is written as 0 rather than as text a reader cannot take.
void AppendNumber(std::string& out, double value, int decimals = 3);

}  // namespace qrcommon
