#pragma once

#include <string>

// The clock line's date and time: the value (days since midnight of 30 December 1899) broken
// down by the system, its date written with datePattern and its time with timePattern, joined
// without a separator. A pattern of two bytes or fewer gives no part; a part that would not fit
// the system's 50-character buffer is left empty, as the system's formatting leaves it; a value
// the system cannot convert gives the empty text.
std::string FormatDateTime(double value, const std::string& datePattern,
                           const std::string& timePattern, bool force24Hour);
