#include <gtest/gtest.h>

#include <QCoreApplication>

#include "notice/clock_text.h"
#include "toolkit/qt/date_time_format.h"

// Run once per regional setting (LC_ALL), with the expected texts given by the test's entry.
namespace {

QString ClockText(const QTime& time) {
    return QString::fromStdString(FormatDateTime(
        ToDateTimeValue(QDateTime(QDate(2021, 7, 6), time)), "yyyy/M/d dddd", "tt hh:mm:ss", true));
}

TEST(SystemLocaleClock, WeekdayAndDesignatorFollowTheUserSettings) {
    const QString morning = qEnvironmentVariable("EXPECT_MORNING");
    const QString afternoon = qEnvironmentVariable("EXPECT_AFTERNOON");
    ASSERT_FALSE(morning.isEmpty());
    ASSERT_FALSE(afternoon.isEmpty());
    EXPECT_EQ(ClockText(QTime(9, 5, 7)), morning);
    EXPECT_EQ(ClockText(QTime(13, 52, 42)), afternoon);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
