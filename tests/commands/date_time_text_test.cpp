#include "runtime/commands/date_time_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/gbk_literal.h"

namespace veltrano::commands {
namespace {

using test::gbk;

constexpr double kSecond = 1.0 / 86400.0;

TEST(CivilDateTime, DayZeroIsTheLastButOneDayOf1899) {
    EXPECT_EQ(civilDateTime(0.0), (CivilDateTime{1899, 12, 30, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(1.0), (CivilDateTime{1899, 12, 31, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(2.0), (CivilDateTime{1900, 1, 1, 0, 0, 0}));
}

TEST(CivilDateTime, CountsLeapYearsOfTheGregorianCalendar) {
    EXPECT_EQ(civilDateTime(45000.0), (CivilDateTime{2023, 3, 15, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(36585.0), (CivilDateTime{2000, 2, 29, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(36586.0), (CivilDateTime{2000, 3, 1, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(61.0), (CivilDateTime{1900, 3, 1, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(60.0), (CivilDateTime{1900, 2, 28, 0, 0, 0}));
}

TEST(CivilDateTime, FractionIsTheTimeOfDay) {
    EXPECT_EQ(civilDateTime(45000.75), (CivilDateTime{2023, 3, 15, 18, 0, 0}));
    EXPECT_EQ(civilDateTime(45000.0 + (13 * 3600 + 4 * 60 + 5) * kSecond), (CivilDateTime{2023, 3, 15, 13, 4, 5}));
}

TEST(CivilDateTime, NegativeValuesCountDaysBackAndKeepTheTimeOfDay) {
    EXPECT_EQ(civilDateTime(-1.0), (CivilDateTime{1899, 12, 29, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(-1.25), (CivilDateTime{1899, 12, 29, 6, 0, 0}));
    EXPECT_EQ(civilDateTime(-0.5), (CivilDateTime{1899, 12, 30, 12, 0, 0}));
    EXPECT_EQ(civilDateTime(-36522.0), (CivilDateTime{1800, 1, 1, 0, 0, 0}));
}

TEST(CivilDateTime, SecondsRoundToTheNearest) {
    EXPECT_EQ(civilDateTime(0.1), (CivilDateTime{1899, 12, 30, 2, 24, 0}));
    EXPECT_EQ(civilDateTime(10.0 + 59.4 * kSecond), (CivilDateTime{1900, 1, 9, 0, 0, 59}));
    EXPECT_EQ(civilDateTime(10.0 + 59.6 * kSecond), (CivilDateTime{1900, 1, 9, 0, 1, 0}));
}

TEST(CivilDateTime, RoundingUpToMidnightMovesToTheNextDay) {
    EXPECT_EQ(civilDateTime(45000.0 + 86399.7 * kSecond), (CivilDateTime{2023, 3, 16, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(-1.0 - 86399.7 * kSecond), (CivilDateTime{1899, 12, 30, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(36616.0 + 86399.8 * kSecond), (CivilDateTime{2000, 4, 1, 0, 0, 0}));
}

TEST(CivilDateTime, ClampsToTheYears100To9999) {
    EXPECT_EQ(civilDateTime(-657434.0), (CivilDateTime{100, 1, 1, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(-657434.5), (CivilDateTime{100, 1, 1, 12, 0, 0}));
    EXPECT_EQ(civilDateTime(-657435.0), (CivilDateTime{100, 1, 1, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(-1e300), (CivilDateTime{100, 1, 1, 0, 0, 0}));
    EXPECT_EQ(civilDateTime(2958465.5), (CivilDateTime{9999, 12, 31, 12, 0, 0}));
    EXPECT_EQ(civilDateTime(2958466.0), (CivilDateTime{9999, 12, 31, 23, 59, 59}));
    EXPECT_EQ(civilDateTime(2958465.0 + 86399.9 * kSecond), (CivilDateTime{9999, 12, 31, 23, 59, 59}));
    EXPECT_EQ(civilDateTime(std::numeric_limits<double>::infinity()), (CivilDateTime{9999, 12, 31, 23, 59, 59}));
    EXPECT_EQ(civilDateTime(-std::numeric_limits<double>::infinity()), (CivilDateTime{100, 1, 1, 0, 0, 0}));
}

TEST(CivilDateTime, NotANumberCountsAsDayZero) {
    EXPECT_EQ(civilDateTime(std::numeric_limits<double>::quiet_NaN()), (CivilDateTime{1899, 12, 30, 0, 0, 0}));
}

TEST(DateTimeText, ShowsTheTimeUpToItsLastNonZeroPart) {
    EXPECT_EQ(dateTimeText(45000.5), gbk("2023年3月15日12时"));
    EXPECT_EQ(dateTimeText(45000.0), gbk("2023年3月15日"));
    EXPECT_EQ(dateTimeText(45000.0 + (12 * 3600 + 30 * 60) * kSecond), gbk("2023年3月15日12时30分"));
    EXPECT_EQ(dateTimeText(45000.0 + 5 * kSecond), gbk("2023年3月15日0时0分5秒"));
    EXPECT_EQ(dateTimeText(45000.0 + 7 * 60 * kSecond), gbk("2023年3月15日0时7分"));
    EXPECT_EQ(dateTimeText(45000.0 + (9 * 3600 + 5) * kSecond), gbk("2023年3月15日9时0分5秒"));
}

TEST(DateTimeText, ClampedEnds) {
    EXPECT_EQ(dateTimeText(-1e9), gbk("100年1月1日"));
    EXPECT_EQ(dateTimeText(1e9), gbk("9999年12月31日23时59分59秒"));
}

}  // namespace
}  // namespace veltrano::commands
