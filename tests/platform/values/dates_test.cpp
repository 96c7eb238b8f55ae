// Dates and times as people type them, and the clock.
#include "platform/values/clock.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

QDateTime timeOnly(int h, int mi, int s = 0) { return QDateTime(qv::dayZero(), QTime(h, mi, s)); }

} // namespace

TEST(ReadDateTime, ReadsDatesAndTimesAsTyped)
{
    const struct { const char* text; QDateTime expected; } cases[] = {
        {"6/7/2001", at(2001, 6, 7)},
        {"06/07/2001", at(2001, 6, 7)},
        {"6-7-2001", at(2001, 6, 7)},
        {"6/7/01", at(2001, 6, 7)},
        {"6/7/00", at(2000, 6, 7)},
        {"6/7/29", at(2029, 6, 7)},     // 00-29 are this century
        {"6/7/30", at(1930, 6, 7)},     // 30-99 the last
        {"6/7/99", at(1999, 6, 7)},
        {"July 30, 2001", at(2001, 7, 30)},
        {"Jul 30 2001", at(2001, 7, 30)},
        {"jul. 30, 01", at(2001, 7, 30)},
        {"30 July 2001", at(2001, 7, 30)},
        {"Thursday, June 07, 2001", at(2001, 6, 7)},
        {"2001-06-07", at(2001, 6, 7)},
        {"2001-06-07 10:30:00", at(2001, 6, 7, 10, 30)},
        {"2001-06-07T10:30:00", at(2001, 6, 7, 10, 30)},
        {"  6/7/2001 10:30 AM ", at(2001, 6, 7, 10, 30)},
        {"6/7/2001 10:30:00 PM", at(2001, 6, 7, 22, 30)},
        {"July 30, 2001 5 pm", at(2001, 7, 30, 17, 0)},
        {"9am", timeOnly(9, 0)},
        {"5 pm", timeOnly(17, 0)},
        {"12:30 Pm", timeOnly(12, 30)},
        {"12 am", timeOnly(0, 0)},
        {"12:15 AM", timeOnly(0, 15)},
        {"10:30:00 AM", timeOnly(10, 30)},
        {"14:05", timeOnly(14, 5)},
        {"8:30 Am", timeOnly(8, 30)},
    };
    for (const auto& c : cases) {
        const auto read = qv::readDateTime(QString::fromUtf8(c.text));
        ASSERT_TRUE(read.has_value()) << c.text;
        EXPECT_EQ(*read, c.expected) << c.text;
    }
}

TEST(ReadDateTime, ADateWithoutAYearLiesInThisYear)
{
    qv::ScopedClock clock(at(2003, 2, 1, 9, 0));
    EXPECT_EQ(qv::readDateTime(QStringLiteral("6/7")), at(2003, 6, 7));
    EXPECT_EQ(qv::readDateTime(QStringLiteral("July 30")), at(2003, 7, 30));
}

TEST(ReadDateTime, TextThatIsNoDateIsRefused)
{
    for (const char* text : {"", "   ", "abc", "9", "1,250.00", "$45.00", "2/30/2001", "13/1/2001", "6/7/2001x",
                             "6/7/2001 abc", "25:00", "13 pm", "10:61", "6/7/20011", "July 32, 2001", "6/7/099"}) {
        EXPECT_FALSE(qv::readDateTime(QString::fromUtf8(text)).has_value()) << text;
        try {
            qv::readDateTimeOrThrow(QString::fromUtf8(text));
            ADD_FAILURE() << "no error for " << text;
        } catch (const qv::Error& e) {
            EXPECT_EQ(e.description(), QStringLiteral("Type mismatch"));
        }
    }
}

TEST(DateSerial, CountsDaysFromDayZeroWithTheTimeAsAFraction)
{
    EXPECT_EQ(qv::dayZero(), QDate(1899, 12, 30));
    EXPECT_DOUBLE_EQ(qv::dateSerial(at(2001, 6, 7, 10, 30)), 37049.4375);
    EXPECT_DOUBLE_EQ(qv::dateSerial(timeOnly(18, 0)), 0.75);
    EXPECT_DOUBLE_EQ(qv::dateSerial(at(1899, 12, 29, 6, 0)), -1.25);
    EXPECT_EQ(qv::fromDateSerial(37049.4375), at(2001, 6, 7, 10, 30));
    EXPECT_EQ(qv::fromDateSerial(-1.25), at(1899, 12, 29, 6, 0));
    EXPECT_EQ(qv::fromDateSerial(2.0 - 1e-10), at(1900, 1, 1));   // rounds up to the next midnight
    EXPECT_THROW(qv::fromDateSerial(1e10), qv::Error);
}

TEST(Clock, AFixedSourceHoldsNowAndTodayUntilItGoes)
{
    {
        qv::ScopedClock clock(at(2001, 6, 7, 10, 30));
        EXPECT_EQ(qv::Clock::now(), at(2001, 6, 7, 10, 30));
        EXPECT_EQ(qv::Clock::today(), QDate(2001, 6, 7));
    }
    const QDateTime system = QDateTime::currentDateTime();
    EXPECT_LE(std::llabs(qv::Clock::now().secsTo(system)), 5);
}
