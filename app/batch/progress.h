#pragma once

#include <cstddef>
#include <string>

// Full width of the progress bar 标签1 in pixels.
inline constexpr int kProgressBarWidth = 200;

// (done / count) x 200, in double precision, truncated toward zero.
int ProgressBarWidth(std::size_t done, std::size_t count);

// The value with at most 13 significant digits and no trailing zeros (printf's "%.13g",
// independent of the locale), followed by "%".
std::string FormatPercent(double value);
