// A number of a spreadsheet cell as the spreadsheet shows it in its General format: 12345, not
// 12345.0; 0.1, not 0.10000000000000001; 0.333333333; 1.23457E+11.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrcli {

// The cell's stored value (as written in the file: "12345", "1.0000000000000001E-3") shown in
// at most 11 characters (12 with a minus sign): rounded to fit, trailing zeros dropped, and in
// scientific form with 6 significant digits when it has 12 or more digits before the point or
// is too small to show. Nothing when the text is not a number.
std::optional<std::string> GeneralNumber(std::string_view stored);

}  // namespace qrcli
