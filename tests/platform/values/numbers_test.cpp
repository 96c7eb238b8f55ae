// Reading and writing numbers and money as the ticket boxes hold them.
#include "platform/values/convert.h"
#include "platform/values/error.h"
#include "platform/values/money.h"

#include <gtest/gtest.h>

using qv::Money;

namespace {

Money units(std::int64_t u) { return Money::fromUnits(u); }

} // namespace

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText)
{
    const struct { const char* text; double expected; } cases[] = {
        {"", 0},
        {"$45.00", 0},            // a currency sign is no number
        {"1,250.00", 1250},       // grouped digits are read whole
        {"12,345,678.9", 12345678.9},
        {"1,000.00", 1000},
        {"1,25", 1},              // not a group of three
        {"1,2500", 1},
        {"1234,567", 1234},       // the first group is longer than three
        {"1,250,00", 1250},
        {"8.25%", 8.25},
        {"858-9899", 858},
        {" 1 2\t3\n4", 1234},     // blanks, tabs and line feeds are skipped anywhere
        {"- 5", -5},
        {"+7", 7},
        {"--5", 0},
        {".5", 0.5},
        {"5.", 5},
        {"12.5.3", 12.5},
        {"1e3", 1000},
        {"2.5E-1", 0.25},
        {"1e", 1},
        {"3 e 2x", 300},
        {"abc", 0},
        {"0", 0},
        {"38.97", 38.97},
        {"2.3382", 2.3382},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(qv::leadingNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(LeadingNumber, ANumberTooLargeForADoubleIsAnOverflow)
{
    try {
        qv::leadingNumber(QStringLiteral("1e400"));
        FAIL() << "no error";
    } catch (const qv::Error& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Overflow"));
    }
}

TEST(MoneyReading, AcceptsTheWaysAnAmountIsShown)
{
    const struct { const char* text; std::int64_t units; } cases[] = {
        {"$1,234.50", 12345000},
        {"  41.3082 ", 413082},
        {"($16.88)", -168800},
        {"-$5", -50000},
        {"$-5", -50000},
        {"5-", -50000},
        {"+3", 30000},
        {"166.88", 1668800},
        {"0", 0},
        {".5", 5000},
        {"1e2", 1000000},
        // four decimals, halves to even
        {"0.00005", 0},
        {"0.00015", 2},
        {"0.00025", 2},
        {"0.000251", 3},
        {"-0.00015", -2},
        {"2.33819999", 23382},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qv::readMoney(QString::fromUtf8(c.text)), units(c.units)) << c.text;
        EXPECT_EQ(qv::tryReadMoney(QString::fromUtf8(c.text)), units(c.units)) << c.text;
    }
}

TEST(MoneyReading, EmptyOrNonMoneyTextIsATypeMismatch)
{
    for (const char* text : {"", "   ", "abc", "8.25%", "$", "12abc", "(-5)", "1.2.3", "--5", "60%", "5 5"}) {
        EXPECT_FALSE(qv::tryReadMoney(QString::fromUtf8(text)).has_value()) << text;
        try {
            qv::readMoney(QString::fromUtf8(text));
            ADD_FAILURE() << "no error for " << text;
        } catch (const qv::Error& e) {
            EXPECT_EQ(e.description(), QStringLiteral("Type mismatch")) << text;
            EXPECT_EQ(e.number(), 13);
        }
    }
}

TEST(MoneyReading, AnAmountBeyondTheFixedPointRangeIsAnOverflow)
{
    EXPECT_THROW(qv::readMoney(QStringLiteral("1e30")), qv::Error);
    EXPECT_THROW(Money::fromDouble(1e20), qv::Error);
    EXPECT_EQ(qv::readMoney(QStringLiteral("922337203685477.5807")).units(), INT64_MAX);
}

TEST(MoneyFromDouble, RoundsAsTheNumberReadsToFourDecimalsHalvesToEven)
{
    EXPECT_EQ(Money::fromDouble(2.3382), units(23382));
    EXPECT_EQ(Money::fromDouble(12.99 * 3), units(389700));
    EXPECT_EQ(Money::fromDouble(0.00005), units(0));
    EXPECT_EQ(Money::fromDouble(0.00015), units(2));
    EXPECT_EQ(Money::fromDouble(-41.30825), units(-413082));
    EXPECT_EQ(Money::fromDouble(0.1 + 0.2), units(3000));
    EXPECT_EQ(Money::fromDouble(1.00005), units(10000));
    EXPECT_EQ(Money::fromDouble(1.00015), units(10002));
    EXPECT_EQ(Money::fromDouble(-1.00015), units(-10002));
    EXPECT_EQ(Money::fromDouble(5e-324), units(0));
    // Fifteen digits of 922337203685477.5 are 922337203685478: beyond the range.
    EXPECT_THROW(Money::fromDouble(922337203685477.5), qv::Error);
    EXPECT_EQ(Money::fromDouble(922337203685477.0), units(9223372036854770000));
    EXPECT_EQ(Money::fromDouble(-922337203685477.0), units(-9223372036854770000));
}

TEST(LineAmount, WorkedOutExactlyThenToTheCentHalvesAwayFromZero)
{
    EXPECT_EQ(Money::lineAmount(units(565250), units(10000)), units(565300));
    EXPECT_EQ(Money::lineAmount(units(565249), units(10000)), units(565200));
    EXPECT_EQ(Money::lineAmount(units(-50), units(10000)), units(-100));
    EXPECT_EQ(Money::lineAmount(units(-49), units(10000)), units(0));
    // 37.35 x 1.5 = 56.025 and 12.99 x 2.5 = 32.475: no binary fraction decides.
    EXPECT_EQ(Money::lineAmount(units(373500), units(15000)), units(560300));
    EXPECT_EQ(Money::lineAmount(units(129900), units(25000)), units(324800));
    EXPECT_EQ(Money::lineAmount(Money::fromDouble(1.005), units(10000)), units(10100));
    EXPECT_EQ(Money::lineAmount(units(-373500), units(15000)), units(-560300));
    // The eight decimals of the product fit; an amount beyond the range does not.
    EXPECT_EQ(Money::lineAmount(Money::fromDouble(900000000000), units(10000)), units(9000000000000000));
    EXPECT_THROW(Money::lineAmount(Money::fromDouble(900000000000000), units(100000)), qv::Error);
}

TEST(PlainText, ShortestFormWithFifteenSignificantDigits)
{
    const struct { double value; const char* text; } cases[] = {
        {12.99 * 3, "38.97"},
        {25.0 * 1 + 45.5 * 2, "116"},
        {38.97 * 6 / 100, "2.3382"},
        {116 * 8.25 / 100, "9.57"},
        {0.1 + 0.2, "0.3"},
        {-2.5, "-2.5"},
        {0.0, "0"},
        {-0.0, "0"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1.0 / 3, "0.333333333333333"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qv::plainText(c.value), QString::fromLatin1(c.text)) << c.text;
        // What is written is read back by the leading-number reading.
        EXPECT_DOUBLE_EQ(qv::leadingNumber(qv::plainText(c.value)), std::stod(c.text)) << c.text;
    }

    // Fifteen digits of what the double holds, though a shorter text would
    // read back as the same double.
    EXPECT_EQ(qv::plainText(1234567890123455.0), QStringLiteral("1.23456789012346E+15"));
    EXPECT_EQ(qv::plainText(123456789012345680.0), QStringLiteral("1.23456789012346E+17"));
    EXPECT_EQ(qv::plainText(0.1 + 0.7), QStringLiteral("0.8"));
    EXPECT_EQ(qv::plainText(2.2250738585072014e-308), QStringLiteral("2.2250738585072E-308"));
    EXPECT_EQ(qv::plainText(-5e-324), QStringLiteral("-4.94065645841247E-324"));
    EXPECT_EQ(qv::plainText(1e100), QStringLiteral("1E+100"));

    EXPECT_EQ(qv::plainText(units(1668800)), QStringLiteral("166.88"));
    EXPECT_EQ(qv::plainText(units(123456)), QStringLiteral("12.3456"));
    EXPECT_EQ(qv::plainText(units(1000000)), QStringLiteral("100"));
    EXPECT_EQ(qv::plainText(units(-5000)), QStringLiteral("-0.5"));
    EXPECT_EQ(qv::plainText(units(0)), QStringLiteral("0"));
    EXPECT_EQ(qv::plainText(units(12345678900000)), QStringLiteral("1234567890"));
}

TEST(CurrencyText, TwoDecimalsHalvesAwayFromZeroNegativesInParentheses)
{
    const struct { double value; const char* text; } cases[] = {
        {41.3082, "$41.31"},
        {-5, "($5.00)"},
        {2.3382, "$2.34"},
        {1234.5, "$1,234.50"},
        {1234567.891, "$1,234,567.89"},
        {0.005, "$0.01"},
        {0.015, "$0.02"},
        {2.675, "$2.68"},       // as it reads, though the double lies just below
        {-0.005, "($0.01)"},
        {-0.004, "$0.00"},
        {0, "$0.00"},
        {999.995, "$1,000.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qv::currencyText(c.value), QString::fromLatin1(c.text)) << c.value;
        EXPECT_EQ(qv::currencyText(Money::fromDouble(c.value)), QString::fromLatin1(c.text)) << c.value;
    }
    // The currency text is read back as the same two-decimal amount.
    EXPECT_EQ(qv::readMoney(qv::currencyText(-16.88)), units(-168800));
}

// The ticket's computation, done with these conversions box text by box text:
// two service lines, one product line, 8.25 and 6 percent.
TEST(TicketConversions, TheWorkedTicketComesOutAsTheBoxesShowIt)
{
    using qv::leadingNumber;
    using qv::plainText;
    const QString productSales = plainText(leadingNumber("12.99") * leadingNumber("3"));
    const QString serviceSales = plainText(leadingNumber("25.00") * leadingNumber("1")
                                           + leadingNumber("45.50") * leadingNumber("2"));
    EXPECT_EQ(productSales, QStringLiteral("38.97"));
    EXPECT_EQ(serviceSales, QStringLiteral("116"));

    QString services = plainText(leadingNumber(serviceSales) * leadingNumber("8.25") / 100);
    EXPECT_EQ(services, QStringLiteral("9.57"));
    services = plainText(leadingNumber(serviceSales) + leadingNumber(services));
    EXPECT_EQ(services, QStringLiteral("125.57"));
    EXPECT_EQ(qv::currencyText(qv::readMoney(services)), QStringLiteral("$125.57"));

    QString products = plainText(leadingNumber(productSales) * leadingNumber("6") / 100);
    EXPECT_EQ(products, QStringLiteral("2.3382"));
    products = plainText(leadingNumber(productSales) + leadingNumber(products));
    EXPECT_EQ(products, QStringLiteral("41.3082"));
    EXPECT_EQ(qv::currencyText(qv::readMoney(products)), QStringLiteral("$41.31"));

    const QString productTax = qv::currencyText(
        qv::readMoney(plainText(leadingNumber(productSales) * leadingNumber("6") / 100)));
    const QString serviceTax = qv::currencyText(
        qv::readMoney(plainText(leadingNumber(serviceSales) * leadingNumber("8.25") / 100)));
    EXPECT_EQ(productTax, QStringLiteral("$2.34"));
    EXPECT_EQ(serviceTax, QStringLiteral("$9.57"));

    const Money total = qv::readMoney(productTax) + qv::readMoney(serviceTax) + qv::readMoney(serviceSales)
                        + qv::readMoney(productSales);
    EXPECT_EQ(qv::plainText(total), QStringLiteral("166.88"));

    // The change due on what was tendered.
    const QString shownTotal = qv::currencyText(qv::readMoney(qv::plainText(total)));
    EXPECT_EQ(shownTotal, QStringLiteral("$166.88"));
    auto change = [&](const char* tendered) {
        const QString shownTendered = qv::currencyText(qv::readMoney(QString::fromLatin1(tendered)));
        const QString due = qv::plainText(qv::readMoney(shownTendered) - qv::readMoney(shownTotal));
        return std::make_pair(shownTendered, qv::currencyText(qv::readMoney(due)));
    };
    EXPECT_EQ(change("200"), std::make_pair(QStringLiteral("$200.00"), QStringLiteral("$33.12")));
    EXPECT_EQ(change("150"), std::make_pair(QStringLiteral("$150.00"), QStringLiteral("($16.88)")));
}
