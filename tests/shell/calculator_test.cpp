// The calculator driven by clicks on its buttons: what the readout shows after
// each key, the refusals (division by zero, numbers beyond a double), and the
// fresh start after "C" and after the window is opened anew.
#include "support/layout_check.h"
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "shell_fixture.h"

#include "shell/calculator.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace shelltest;

namespace {

class CalculatorTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        calc = open<Calculator>(QStringLiteral("Calculator"));
        ASSERT_TRUE(calc);
    }

    QPushButton* buttonFor(const QString& key) const
    {
        if (key.size() == 1 && key.at(0).isDigit())
            return calc->findChild<QPushButton*>(qv::arrayMemberName("Number", key.toInt()));
        const QStringList ops = {"/", "+", "X", "-", "="};
        if (ops.contains(key))
            return calc->findChild<QPushButton*>(qv::arrayMemberName("Operator", ops.indexOf(key)));
        if (key == "C")
            return calc->findChild<QPushButton*>(QStringLiteral("Cancel"));
        if (key == "CE")
            return calc->findChild<QPushButton*>(QStringLiteral("CancelEntry"));
        if (key == ".")
            return calc->findChild<QPushButton*>(QStringLiteral("Decimal"));
        if (key == "%")
            return calc->findChild<QPushButton*>(QStringLiteral("Percent"));
        ADD_FAILURE() << "no key " << key.toStdString();
        return nullptr;
    }

    // Clicks the keys (separated by blanks) and returns the readout after each.
    QStringList press(const QString& keys)
    {
        QStringList shown;
        for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts)) {
            if (QPushButton* b = buttonFor(key))
                qvtest::clickAt(b);
            shown << calc->findChild<QLabel*>(QStringLiteral("Readout"))->text();
        }
        return shown;
    }

    Calculator* calc = nullptr;
};

struct Sequence {
    const char* keys;
    const char* readouts;   // after each key, separated by " / "
};

} // namespace

TEST_F(CalculatorTest, ReadoutAfterEachKey)
{
    const Sequence sequences[] = {
        {"5 + 3 =", "5. / 5. / 3. / 8"},
        {"5 0 X 1 0 % =", "5. / 50. / 50. / 1. / 10. / 0.1 / 5"},
        {"5 0 + 1 0 % =", "5. / 50. / 50. / 1. / 10. / 0.1 / 5"},
        {"2 . 5 X 4 =", "2. / 2. / 2.5 / 2.5 / 4. / 10"},
        {"- 3 X 2 =", "-0. / -3. / -3. / 2. / -6"},
        // Leading zeros stay in the text; the value is read without them.
        {"0 5 + 1 =", "0. / 05. / 05. / 1. / 6"},
        // A second point changes nothing.
        {"5 . . 3", "5. / 5. / 5. / 5.3"},
        // A minus right after an operator starts a negative number; after "=" it subtracts.
        {"5 + - 3 =", "5. / 5. / - / -3. / 2"},
        {"5 = - 2 =", "5. / 5. / 5. / 2. / 3"},
        // A second operator in a row replaces the first.
        {"5 + X 3 =", "5. / 5. / 5. / 3. / 15"},
        // CE between the operator and "=" drops the operation; elsewhere it drops the entry only.
        {"5 + CE =", "5. / 5. / 0. / 0."},
        {"5 + 3 CE 4 =", "5. / 5. / 3. / 0. / 4. / 9"},
        // A number typed after "=" replaces the result.
        {"5 + 3 = 4 + 1 =", "5. / 5. / 3. / 8 / 4. / 4 / 1. / 5"},
        // Percent straight after a number.
        {"5 0 % =", "5. / 50. / 0.5 / 0.5"},
        // Chains compute at each operator.
        {"2 + 3 X 4 - 1 =", "2. / 2. / 3. / 5 / 4. / 20 / 1. / 19"},
        // Computed results: 15 significant digits, exponent form when large.
        {"1 / 3 =", "1. / 1. / 3. / 0.333333333333333"},
        {"1 0 0 0 0 0 0 0 X 1 0 0 0 0 0 0 0 0 =",
         "1. / 10. / 100. / 1000. / 10000. / 100000. / 1000000. / 10000000. / 10000000. / 1. / 10. / 100. / 1000. / "
         "10000. / 100000. / 1000000. / 10000000. / 100000000. / 1E+15"},
        // "C" forgets the operation under way.
        {"5 + 3 C 2 + 1 =", "5. / 5. / 3. / 0. / 2. / 2. / 1. / 3"},
    };
    for (const Sequence& s : sequences) {
        press("C");
        EXPECT_EQ(press(s.keys).join(" / "), QString::fromLatin1(s.readouts)) << s.keys;
    }
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join("|").toStdString();
}

TEST_F(CalculatorTest, DivisionByZeroIsRefusedAndTheLeftOperandStays)
{
    for (const char* keys : {"7 / 0 =", "7 / 0 . 0 0 =", "7 / - 0 ="}) {
        press("C");
        ui.script.clear();
        press(keys);
        ASSERT_EQ(ui.script.events.size(), 1u) << keys;
        EXPECT_EQ(ui.script.events[0].text, "Can't divide by zero");
        EXPECT_EQ(ui.script.events[0].style, 48);
        EXPECT_EQ(ui.script.events[0].title, "Calculator");
        // The left operand was never turned into a number: its typed text comes back.
        EXPECT_EQ(calc->findChild<QLabel*>(QStringLiteral("Readout"))->text(), "7.") << keys;
        // ... and the calculator goes on from there.
        EXPECT_EQ(press("+ 1 =").last(), "8") << keys;
    }
}

TEST_F(CalculatorTest, DoublePercentStopsTheOperatorsUntilCancel)
{
    EXPECT_EQ(press("5 0 X 1 0 % %").last(), "0.001");
    // Operators compute nothing now; digits still change the readout.
    EXPECT_EQ(press("+ 3 = X 2 =").join(" / "), "0.001 / 3. / 3. / 3. / 2. / 2.");
    EXPECT_EQ(press("C 2 + 2 =").last(), "4");
}

TEST_F(CalculatorTest, ALoneMinusCountsAsZero)
{
    // The minus that starts a negative number, taken as an operand.
    EXPECT_EQ(press("5 + - X 3 =").join(" / "), "5. / 5. / - / - / -3. / -3");
    EXPECT_EQ(press("C 5 + - %").last(), "0");
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(CalculatorTest, NumbersBeyondADoubleAreReportedNotShown)
{
    press("C");
    for (int i = 0; i < 200; ++i)
        press("9");
    const QString typed = calc->findChild<QLabel*>(QStringLiteral("Readout"))->text();
    ASSERT_EQ(typed.size(), 201);
    press("X");
    for (int i = 0; i < 200; ++i)
        press("9");
    press("=");
    ASSERT_EQ(ui.script.messages(), QStringList{"Overflow"});
    EXPECT_EQ(ui.script.events[0].title, "Calculator");
    // The left operand is kept, and the calculator still works.
    EXPECT_EQ(calc->findChild<QLabel*>(QStringLiteral("Readout"))->text(), typed);
    EXPECT_EQ(press("C 6 / 4 =").last(), "1.5");

    // A typed number too long for a double at all.
    ui.script.clear();
    press("C");
    for (int i = 0; i < 400; ++i)
        press("9");
    press("+ 1 =");
    EXPECT_EQ(ui.script.messages(), QStringList{"Overflow"});
    ui.script.clear();
    for (int i = 0; i < 400; ++i)
        press("9");
    press("%");
    EXPECT_EQ(ui.script.messages(), QStringList{"Overflow"});
    EXPECT_EQ(calc->findChild<QLabel*>(QStringLiteral("Readout"))->text().size(), 401);
}

TEST_F(CalculatorTest, TheSeparatorFollowsTheUsersSettings)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QStringList shown = press("C 5 . 2 X 2 = 1 / 4 =");
    QLocale::setDefault(before);
    EXPECT_EQ(shown.join(" / ").toStdString(), "0, / 5, / 5, / 5,2 / 5,2 / 2, / 10,4 / 1, / 1 / 4, / 0,25");
}

TEST_F(CalculatorTest, ReopenedAfterTheTitleBarCloseItStartsAfresh)
{
    EXPECT_TRUE(calc->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(press("5 +").last(), "5.");
    calc->close();
    settle();
    EXPECT_FALSE(isLoaded("Calculator"));
    calc = open<Calculator>(QStringLiteral("Calculator"));
    ASSERT_TRUE(calc);
    EXPECT_EQ(calc->findChild<QLabel*>(QStringLiteral("Readout"))->text(), "0.");
    EXPECT_EQ(press("3 =").last(), "3.");
}

TEST_F(CalculatorTest, ButtonsDoNotOverlap)
{
    // "0" spans two columns, ending before ".".
    EXPECT_EQ(calc->findChild<QPushButton*>(qv::arrayMemberName("Number", 0))->geometry(), QRect(qv::px(240), qv::px(2640), qv::px(1080), qv::px(480)));
    EXPECT_LT(calc->findChild<QPushButton*>(qv::arrayMemberName("Number", 0))->geometry().right(), calc->findChild<QPushButton*>(QStringLiteral("Decimal"))->geometry().left());
    // Every button lies inside the window and none overlaps another.
    QList<QPushButton*> all = calc->findChildren<QPushButton*>();
    EXPECT_EQ(all.size(), 19);
    for (int i = 0; i < all.size(); ++i) {
        EXPECT_TRUE(calc->rect().contains(all[i]->geometry())) << all[i]->objectName().toStdString();
        for (int j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(all[i]->geometry().intersects(all[j]->geometry()))
                << all[i]->objectName().toStdString() << " " << all[j]->objectName().toStdString();
    }
}

TEST_F(CalculatorTest, ALongResultIsShownWhole)
{
    auto* readout = calc->findChild<QLabel*>(QStringLiteral("Readout"));
    const QFont usual = readout->font();
    // Results of 21 characters, as long as a double's text gets: every
    // character stays inside the readout (the layout check measures what
    // the label draws against its room).
    press("2");
    for (int i = 0; i < 101; ++i)
        press("0");
    for (const QString& keys : {QStringLiteral("/ 3 ="), QStringLiteral("C - 1 / 3 0 0 0 0 =")}) {
        const QString result = press(keys).last();
        EXPECT_EQ(result.size(), 21) << result.toStdString();
        const QStringList faults = qvtest::layoutFaults(calc, QStringLiteral("Calculator"));
        EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
    }
    // The next short entry is shown in the readout's own type again.
    EXPECT_EQ(press("C 5").last(), "5.");
    EXPECT_EQ(readout->font(), usual);
}
