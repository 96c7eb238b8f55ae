// The numeric key filters, by their table and by typing into a real box.
#include "common/key_filters.h"
#include "platform/forms/controls.h"
#include "support/user_hands.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int Enter = 13;
constexpr int CtrlV = 22;

int filtered(const char* typeWord, const char* text, int key, bool selectAll = false)
{
    QLineEdit box;
    box.setText(QString::fromUtf8(text));
    if (selectAll) box.selectAll();
    int code = key;
    validateKeyPress(&box, code, QString::fromUtf8(typeWord));
    return code;
}

// A bound-box kind of text box whose key presses go through the filter
// first, as a ticket's quantity and price boxes are wired.
std::unique_ptr<qv::TextBox> filteredBox(const QString& typeWord)
{
    auto box = std::make_unique<qv::TextBox>();
    qv::TextBox* b = box.get();
    b->keyPress = [b, typeWord](int& keyAscii) { validateKeyPress(b, keyAscii, typeWord); };
    b->show();
    return box;
}

// Ctrl+V as the X server reports it: the control character 22 as its text.
void pasteKey(QWidget* box)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(CtrlV)));
    QApplication::sendEvent(box, &press);
}

} // namespace

TEST(KeyFilters, IntLetsOnlyDigitsAndBackspaceThrough)
{
    EXPECT_EQ(filtered("Int", "", '7'), '7');
    EXPECT_EQ(filtered("Int", "12", '0'), '0');
    EXPECT_EQ(filtered("Int", "12", '9'), '9');
    for (int key : {int('-'), int('.'), int('a'), int('/'), Enter, CtrlV, int(' ')})
        EXPECT_EQ(filtered("Int", "", key), 0) << key;
    EXPECT_EQ(filtered("Int", "12", 8), 8);
}

TEST(KeyFilters, RealLooksAtTheWholeTextOfTheBox)
{
    const struct { const char* text; int key; int expected; bool selectAll; } cases[] = {
        {"", '-', '-', false},
        {"", '.', 0, false},          // never a point first
        {"", '5', '5', false},
        {"-", '-', 0, false},
        {"-", '.', '.', false},       // gives "-."
        {"12.5", '.', 0, false},
        {"12.5", '3', '3', false},
        {"12", '.', '.', false},
        {"12", '-', 0, true},         // a selection the key would replace does not count
        {"12.3456", '7', '7', false}, // no limit on the decimals
        {"", '/', 0, false},
        {"", ',', 0, false},
        {"", 'e', 0, false},
        {"", Enter, 0, false},
        {"", CtrlV, 0, false},
        {"12", 8, 8, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(filtered("Real", c.text, c.key, c.selectAll), c.expected) << c.text << " " << c.key;
}

TEST(KeyFilters, OtherTypeWordsFilterNothing)
{
    for (const char* word : {"int", "REAL", "", "Text"})
        for (int key : {int('a'), int('-'), int('.'), CtrlV})
            EXPECT_EQ(filtered(word, "1.5", key), key) << word << " " << key;
}

TEST(KeyFilters, ARealKeyForABoxThatCannotBeReadPasses)
{
    EXPECT_EQ(validateRealKey('-', nullptr), '-');
    EXPECT_EQ(validateRealKey('.', nullptr), '.');
    EXPECT_EQ(validateRealKey('4', nullptr), '4');
    EXPECT_EQ(validateRealKey('x', nullptr), 0);
}

TEST(KeyFilters, TypingIntoFilteredBoxes)
{
    auto quantity = filteredBox(QStringLiteral("Int"));
    ASSERT_TRUE(qvtest::typeInto(quantity.get(), QStringLiteral("1-2.a 3")));
    EXPECT_EQ(quantity->text(), QStringLiteral("123"));
    qvtest::press(Qt::Key_Backspace);
    EXPECT_EQ(quantity->text(), QStringLiteral("12"));
    // Keys that type nothing are no business of the filter, Delete included,
    // which the X server reports with the character 127.
    qvtest::press(Qt::Key_Left);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(127)));
    QApplication::sendEvent(qvtest::focused(), &del);
    EXPECT_EQ(quantity->text(), QStringLiteral("1"));

    auto price = filteredBox(QStringLiteral("Real"));
    ASSERT_TRUE(qvtest::typeInto(price.get(), QStringLiteral(".-12.3.4-5/6")));
    EXPECT_EQ(price->text(), QStringLiteral("-12.3456"));

    // Pasting by keyboard is blocked; a box with another type word pastes.
    QApplication::clipboard()->setText(QStringLiteral("999"));
    auto unfiltered = filteredBox(QStringLiteral("Text"));
    pasteKey(unfiltered.get());
    ASSERT_EQ(unfiltered->text(), QStringLiteral("999"));
    for (qv::TextBox* box : {quantity.get(), price.get()}) {
        ASSERT_TRUE(qvtest::typeInto(box, QString()));
        pasteKey(box);
        EXPECT_EQ(box->text(), QString());
        qvtest::press(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text(), QString());
    }
}
