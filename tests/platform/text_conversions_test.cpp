#include "platform/text_conversions.h"
#include "support/case_names.h"

#include <gtest/gtest.h>
#include <limits>

using namespace platform;

struct IntCase {
    const char *name;
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

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToInt,
    ::testing::Values(IntCase{"Plain", "42", 42}, IntCase{"Blanks", "  42  ", 42}, IntCase{"Plus", "+7", 7},
                      IntCase{"Minus", "-7", -7}, IntCase{"FractionTruncated", "3.99", 3},
                      IntCase{"NegativeFractionTruncated", "-3.99", -3}, IntCase{"TrailingPoint", "5.", 5},
                      IntCase{"BareFraction", ".5", 0}, IntCase{"Empty", "", 0}, IntCase{"OnlyBlanks", "   ", 0},
                      IntCase{"Letters", "abc", 0}, IntCase{"TrailingLetters", "12abc", 0},
                      IntCase{"InnerBlank", "1 2", 0}, IntCase{"DoubleSign", "--1", 0},
                      IntCase{"Max", "2147483647", 2147483647},
                      IntCase{"BeyondMaxClamped", "2147483648", std::numeric_limits<int>::max()},
                      IntCase{"Min", "-2147483648", std::numeric_limits<int>::min()},
                      IntCase{"FarBelowMinClamped", "-99999999999999999999", std::numeric_limits<int>::min()},
                      IntCase{"FarAboveMaxWithFraction", "99999999999999999999.5", std::numeric_limits<int>::max()}),
    CaseName());

struct DateCase {
    const char *name;
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

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToDateTime,
    ::testing::Values(DateCase{"SystemForm", "2026年12月10日8时5分3秒", morning},
                      DateCase{"SystemDate", "2026年12月10日", day}, DateCase{"DashDate", "2026-12-10", day},
                      DateCase{"DashMinutes", "2026-12-10 8:05", minute},
                      DateCase{"DashSeconds", "2026-12-10 08:05:03", morning}, DateCase{"SlashDate", "2026/12/10", day},
                      DateCase{"SlashSeconds", "2026/12/10 8:05:03", morning}, DateCase{"Blanks", " 2026-12-10 ", day},
                      DateCase{"ImpossibleDay", "2026-2-30", {}}, DateCase{"Hour24", "2026-12-10 24:00", {}},
                      DateCase{"NoLeapDay", "2026年2月29日", {}}, DateCase{"MixedSeparators", "2026-12/10", {}},
                      DateCase{"TrailingApostrophe", "2026-01-01'", {}}, DateCase{"DayFirst", "10/12/2026", {}},
                      DateCase{"Empty", "", {}}, DateCase{"Word", "tomorrow", {}},
                      DateCase{"HourWithoutMinutes", "2026年12月10日8时", {}},
                      // A year below 1000 is written with four digits.
                      DateCase{"DashYear999", "0999-01-01", earlyYear},
                      DateCase{"SystemYear999", "0999年1月1日", earlyYear},
                      DateCase{"SlashYear5", "0005/3/4 1:02:03", firstCentury},
                      DateCase{"ThreeDigitYear", "999年1月1日", {}}, DateCase{"YearZero", "0000-01-01", {}}),
    CaseName());

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
