#include "platform/text_conversions.h"

#include <gtest/gtest.h>
#include <limits>

using namespace platform;

struct IntCase {
    const char *text;
    int expected;
};

class TextToInt : public ::testing::TestWithParam<IntCase>
{
};

TEST_P(TextToInt, ConvertsAsTyped)
{
    EXPECT_EQ(textToInt(QString::fromUtf8(GetParam().text)), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToInt,
                         ::testing::Values(IntCase{"42", 42}, IntCase{"  42  ", 42}, IntCase{"+7", 7},
                                           IntCase{"-7", -7}, IntCase{"3.99", 3}, IntCase{"-3.99", -3},
                                           IntCase{"5.", 5}, IntCase{".5", 0}, IntCase{"", 0}, IntCase{"   ", 0},
                                           IntCase{"abc", 0}, IntCase{"12abc", 0}, IntCase{"1 2", 0}, IntCase{"--1", 0},
                                           IntCase{"2147483647", 2147483647},
                                           IntCase{"2147483648", std::numeric_limits<int>::max()},
                                           IntCase{"-2147483648", std::numeric_limits<int>::min()},
                                           IntCase{"-99999999999999999999", std::numeric_limits<int>::min()},
                                           IntCase{"99999999999999999999.5", std::numeric_limits<int>::max()}));

struct DateCase {
    const char *text;
    QDateTime expected; // invalid: no date
};

class TextToDateTime : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(TextToDateTime, AcceptsTheKnownFormsOnly)
{
    EXPECT_EQ(textToDateTime(QString::fromUtf8(GetParam().text)), GetParam().expected) << GetParam().text;
}

const QDateTime day(QDate(2026, 12, 10), QTime(0, 0));
const QDateTime morning(QDate(2026, 12, 10), QTime(8, 5, 3));
const QDateTime minute(QDate(2026, 12, 10), QTime(8, 5));
const QDateTime earlyYear(QDate(999, 1, 1), QTime(0, 0));
const QDateTime firstCentury(QDate(5, 3, 4), QTime(1, 2, 3));

INSTANTIATE_TEST_SUITE_P(Cases, TextToDateTime,
                         ::testing::Values(DateCase{"2026年12月10日8时5分3秒", morning},
                                           DateCase{"2026年12月10日", day}, DateCase{"2026-12-10", day},
                                           DateCase{"2026-12-10 8:05", minute},
                                           DateCase{"2026-12-10 08:05:03", morning}, DateCase{"2026/12/10", day},
                                           DateCase{"2026/12/10 8:05:03", morning}, DateCase{" 2026-12-10 ", day},
                                           DateCase{"2026-2-30", {}}, DateCase{"2026-12-10 24:00", {}},
                                           DateCase{"2026年2月29日", {}}, DateCase{"2026-12/10", {}},
                                           DateCase{"2026-01-01'", {}}, DateCase{"10/12/2026", {}}, DateCase{"", {}},
                                           DateCase{"tomorrow", {}}, DateCase{"2026年12月10日8时", {}},
                                           // A year below 1000 is written with four digits.
                                           DateCase{"0999-01-01", earlyYear}, DateCase{"0999年1月1日", earlyYear},
                                           DateCase{"0005/3/4 1:02:03", firstCentury}, DateCase{"999年1月1日", {}},
                                           DateCase{"0000-01-01", {}}));

TEST(DateTimeText, SystemFormRoundTripsAndShowsMidnightAsTheDate)
{
    EXPECT_EQ(valueToText(morning), QStringLiteral("2026年12月10日8时5分3秒"));
    EXPECT_EQ(valueToText(day), QStringLiteral("2026年12月10日"));
    EXPECT_EQ(valueToText(QDateTime()), QString());
    EXPECT_EQ(valueToText(earlyYear), QStringLiteral("0999年1月1日"));
    EXPECT_EQ(valueToText(firstCentury), QStringLiteral("0005年3月4日1时2分3秒"));
    for (const QDateTime &value :
         {morning, day, QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)), earlyYear, firstCentury})
        EXPECT_EQ(textToDateTime(valueToText(value)), value) << valueToText(value).toStdString();
}

TEST(DateTimeText, StorageFormSortsAsText)
{
    EXPECT_EQ(dateTimeToStorage(morning), QStringLiteral("2026-12-10 08:05:03"));
    EXPECT_LT(dateTimeToStorage(QDateTime(QDate(2026, 9, 1), QTime(0, 0))), dateTimeToStorage(day));
    EXPECT_EQ(dateTimeToStorage(earlyYear), QStringLiteral("0999-01-01 00:00:00"));
    EXPECT_LT(dateTimeToStorage(firstCentury), dateTimeToStorage(earlyYear));
    for (const QDateTime &value : {morning, earlyYear, firstCentury})
        EXPECT_EQ(dateTimeFromStorage(dateTimeToStorage(value)), value);
    for (const char *bad : {"", "2026-12-10", "2026-02-30 08:00:00", "2026-12-10T08:05:03", "2026-12-10 8:05:03 ",
                            "２０２６-12-10 08:05:03", "2026-12-10 24:00:00", "0000-01-01 00:00:00"})
        EXPECT_FALSE(dateTimeFromStorage(QString::fromUtf8(bad)).isValid()) << bad;
}
