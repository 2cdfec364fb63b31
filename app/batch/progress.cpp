#include "batch/progress.h"

#include <charconv>

int ProgressBarWidth(std::size_t done, std::size_t count) {
    if (count == 0) return 0;
    return static_cast<int>(static_cast<double>(done) / static_cast<double>(count) *
                            static_cast<double>(kProgressBarWidth));
}

std::string FormatPercent(double value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 13);
    return std::string(text, result.ptr) + '%';
}
