#include <gtest/gtest.h>

#include "batch/progress.h"

namespace {

TEST(Progress, BarWidthIsTruncatedTowardZero) {
    EXPECT_EQ(ProgressBarWidth(1, 3), 66);
    EXPECT_EQ(ProgressBarWidth(2, 3), 133);
    EXPECT_EQ(ProgressBarWidth(3, 3), 200);
    EXPECT_EQ(ProgressBarWidth(1, 1001), 0);
    EXPECT_EQ(ProgressBarWidth(6, 1001), 1);
    EXPECT_EQ(ProgressBarWidth(1001, 1001), 200);
    EXPECT_EQ(ProgressBarWidth(0, 0), 0);
}

TEST(Progress, PercentUsesThirteenSignificantDigits) {
    EXPECT_EQ(FormatPercent(33.0), "33%");
    EXPECT_EQ(FormatPercent(66.5), "66.5%");
    EXPECT_EQ(FormatPercent(100.0), "100%");
    EXPECT_EQ(FormatPercent(0.0), "0%");
    EXPECT_EQ(FormatPercent(0.5), "0.5%");
    EXPECT_EQ(FormatPercent(1.0 / 3.0), "0.3333333333333%");
    EXPECT_EQ(FormatPercent(0.1 + 0.2), "0.3%");
    EXPECT_EQ(FormatPercent(1e15), "1e+15%");
}

}  // namespace
