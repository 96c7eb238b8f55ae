// Values as the bound boxes show them in their display formats.
#include "platform/values/convert.h"
#include "platform/values/money.h"

#include <gtest/gtest.h>

using qv::formatValue;

namespace {

const QString kDollars = QStringLiteral("\"$\"#,##0.00");
const QDateTime kJune7 = QDateTime(QDate(2001, 6, 7), QTime(10, 30));

QString fmt(const QVariant& v, const char* format) { return formatValue(v, QString::fromUtf8(format)); }

} // namespace

TEST(FormatValue, NullShowsEmptyInEveryFormat)
{
    for (const char* format : {"", "Currency", "\"$\"#,##0.00", "#,##0.00", "0.00", "0", "M/d/yyyy", "h:nn AM/PM",
                               "Long Time", "General Date"}) {
        EXPECT_EQ(fmt(QVariant(), format), QString()) << format;
        EXPECT_EQ(fmt(QVariant(QString()), format), QString()) << format;
    }
}

TEST(FormatValue, NumberFormats)
{
    const struct { QVariant value; const char* format; const char* text; } cases[] = {
        {41.3082, "Currency", "$41.31"},
        {-5.0, "Currency", "($5.00)"},
        {QVariant::fromValue(qv::Money::fromUnits(-168800)), "Currency", "($16.88)"},
        {1234.5, "\"$\"#,##0.00", "$1,234.50"},
        {-5.0, "\"$\"#,##0.00", "-$5.00"},
        {QVariant::fromValue(qv::Money::fromUnits(1668800)), "\"$\"#,##0.00", "$166.88"},
        {0.0, "\"$\"#,##0.00", "$0.00"},
        {1000.0, "#,##0.00", "1,000.00"},
        {-1234567.125, "#,##0.00", "-1,234,567.13"},
        {12.5, "#,##0.00", "12.50"},
        {0.5, "0.00", "0.50"},
        {2.005, "0.00", "2.01"},
        {1234.5, "0.00", "1234.50"},
        {2.5, "0", "3"},
        {0.4, "0", "0"},
        {-0.4, "0", "0"},
        {QVariant(qlonglong(1002)), "0", "1002"},
        {QVariant(3), "#,##0.00", "3.00"},
        {QVariant(true), "0", "-1"},
        // Text is read first when it is a number, and shown unchanged when not.
        {QStringLiteral("41.3"), "Currency", "$41.30"},
        {QStringLiteral("$1,234.50"), "#,##0.00", "1,234.50"},
        {QStringLiteral("  2 "), "0", "2"},
        {QStringLiteral("Shampoo"), "#,##0.00", "Shampoo"},
        {QStringLiteral("8.25%"), "Currency", "8.25%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fmt(c.value, c.format), QString::fromUtf8(c.text)) << c.format << " " << c.text;
}

TEST(FormatValue, DateFormatsUseTheOldLetters)
{
    const struct { QVariant value; const char* format; const char* text; } cases[] = {
        {kJune7, "M/d/yyyy", "6/7/2001"},
        {kJune7, "M/d/yy", "6/7/01"},
        {kJune7, "M/dd/yy", "6/07/01"},
        {kJune7, "mm/dd/yyyy", "06/07/2001"},          // mm with no hour before it is the month
        {kJune7, "MMMM dd, yyyy", "June 07, 2001"},
        {QDateTime(QDate(2001, 7, 30), QTime(0, 0)), "MMMM dd, yyyy", "July 30, 2001"},
        {kJune7, "h:nn AM/PM", "10:30 AM"},
        {QDateTime(qv::dayZero(), QTime(0, 5)), "h:nn AM/PM", "12:05 AM"},
        {QDateTime(qv::dayZero(), QTime(12, 0)), "h:nn AM/PM", "12:00 PM"},
        {QDateTime(qv::dayZero(), QTime(17, 45)), "h:nn AM/PM", "5:45 PM"},
        {kJune7, "h:mm", "10:30"},                     // mm after an hour is minutes
        {kJune7, "hh:mm:ss", "10:30:00"},
        {kJune7, "m/d", "6/7"},
        {kJune7, "Long Time", "10:30:00 AM"},
        {kJune7, "Short Date", "6/7/2001"},
        {kJune7, "Long Date", "Thursday, June 07, 2001"},
        {kJune7, "ddd mmm d \"at\" h am/pm", "Thu Jun 7 at 10 am"},
        {QDate(2001, 6, 7), "M/d/yyyy", "6/7/2001"},
        {37049.4375, "M/d/yyyy h:nn AM/PM", "6/7/2001 10:30 AM"},
        // Text is read first when it is a date, and shown unchanged when not.
        {QStringLiteral("6/7/01"), "MMMM dd, yyyy", "June 07, 2001"},
        {QStringLiteral("9am"), "h:nn AM/PM", "9:00 AM"},
        {QStringLiteral("next week"), "M/d/yyyy", "next week"},
        {1e10, "M/d/yyyy", "10000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fmt(c.value, c.format), QString::fromUtf8(c.text)) << c.format << " " << c.text;
}

TEST(FormatValue, GeneralShowsDatesByWhatTheyHoldAndNumbersPlain)
{
    EXPECT_EQ(fmt(kJune7, ""), QStringLiteral("6/7/2001 10:30:00 AM"));
    EXPECT_EQ(fmt(kJune7, "General Date"), QStringLiteral("6/7/2001 10:30:00 AM"));
    EXPECT_EQ(fmt(QDateTime(QDate(2001, 6, 7), QTime(0, 0)), ""), QStringLiteral("6/7/2001"));
    EXPECT_EQ(fmt(QDateTime(qv::dayZero(), QTime(10, 30)), ""), QStringLiteral("10:30:00 AM"));
    // A time of midnight is still a time: day zero is never shown as a date.
    EXPECT_EQ(fmt(QDateTime(qv::dayZero(), QTime(0, 0)), ""), QStringLiteral("12:00:00 AM"));
    EXPECT_EQ(fmt(12.99 * 3, ""), QStringLiteral("38.97"));
    EXPECT_EQ(fmt(QVariant::fromValue(qv::Money::fromUnits(1668800)), ""), QStringLiteral("166.88"));
    EXPECT_EQ(fmt(QVariant(qlonglong(-7)), ""), QStringLiteral("-7"));
    EXPECT_EQ(fmt(true, ""), QStringLiteral("True"));
    EXPECT_EQ(fmt(QStringLiteral(" 1,250.00 "), ""), QStringLiteral(" 1,250.00 "));
}

TEST(FormatValue, WhatADateFormatShowsIsReadBackAsTheSameValue)
{
    const QDateTime values[] = {kJune7, QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)),
                                QDateTime(QDate(2029, 1, 1), QTime(0, 0)), QDateTime(qv::dayZero(), QTime(9, 0))};
    for (const QDateTime& v : values) {
        for (const char* format : {"", "General Date"}) {
            const QString shown = fmt(v, format);
            EXPECT_EQ(qv::readDateTime(shown), v) << shown.toStdString();
        }
    }
    EXPECT_EQ(qv::readDateTime(fmt(kJune7, "Long Date"))->date(), kJune7.date());
    EXPECT_EQ(qv::readDateTime(fmt(kJune7, "h:nn AM/PM"))->time(), kJune7.time());
}
