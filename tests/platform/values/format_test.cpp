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

TEST(FormatValue, AmountsAreRoundedAndWrittenWholeAtEveryScale)
{
    using qv::Money;
    const QVariant most = QVariant::fromValue(Money::fromUnits(INT64_MAX));
    const QVariant least = QVariant::fromValue(Money::fromUnits(INT64_MIN));
    const struct { QVariant value; const char* format; const char* text; } cases[] = {
        // Half a cent goes away from zero; what rounds to nothing has no sign.
        {QVariant::fromValue(Money::fromUnits(50)), "0.00", "0.01"},
        {QVariant::fromValue(Money::fromUnits(-50)), "0.00", "-0.01"},
        {QVariant::fromValue(Money::fromUnits(-49)), "0.00", "0.00"},
        {QVariant::fromValue(Money::fromUnits(-49)), "0.00;(0.00)", "0.00"},
        {QVariant::fromValue(Money::fromUnits(5)), "0.000", "0.001"},
        // The ends of the money range, and places beyond its four decimals.
        {most, "#,##0.0000000000", "922,337,203,685,477.5807000000"},
        {least, "0.00", "-922337203685477.58"},
        {least, "Currency", "($922,337,203,685,477.58)"},
        {least, "0.####", "-922337203685477.5808"},
        {QVariant(qulonglong(UINT64_MAX)), "#,##0", "18,446,744,073,709,551,615"},
        {QVariant(qulonglong(UINT64_MAX)), "0.00", "18446744073709551615.00"},
        {0.1 + 0.2, "0.00000000000000000", "0.30000000000000000"},
        {5e-324, "0.00", "0.00"},
        {7.0, "00000", "00007"},
        {1234.0, "#,#00000", "01,234"},
        {0.4, "#", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fmt(c.value, c.format), QString::fromUtf8(c.text)) << c.format << " " << c.text;
    EXPECT_EQ(fmt(1e300, "0"), u'1' + QString(300, u'0'));
}

TEST(FormatValue, AFormatIsReadAsItStandsNow)
{
    // A format text changed in place, and the same text in another string.
    QString format = QStringLiteral("0.00");
    EXPECT_EQ(formatValue(1.5, format), "1.50");
    format += u'0';
    EXPECT_EQ(formatValue(1.5, format), "1.500");
    format = QStringLiteral("M/d/yyyy");
    EXPECT_EQ(formatValue(kJune7, format), "6/7/2001");
    EXPECT_EQ(formatValue(kJune7, QString::fromUtf8("M/d/yyyy")), "6/7/2001");
    EXPECT_EQ(qv::formatDateTime(kJune7, QString::fromUtf8("M/d/yyyy")), "6/7/2001");

    // Many formats made as the program runs, each written as it reads, the
    // first again after all the others.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 600; ++i) {
            const QString f = QStringLiteral("\"%1:\"#,##0.00").arg(i);
            ASSERT_EQ(formatValue(1234.5, f), QStringLiteral("%1:1,234.50").arg(i)) << f.toStdString();
            const QString d = QStringLiteral("yyyy \"%1\" d").arg(i);
            ASSERT_EQ(qv::formatDateTime(kJune7, d), QStringLiteral("2001 %1 7").arg(i)) << d.toStdString();
        }
    }
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
