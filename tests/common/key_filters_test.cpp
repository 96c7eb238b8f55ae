// The numeric key filters, by their table and by typing into a real box.
#include "common/key_filters.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int Enter = 13;
constexpr int CtrlV = 22;

int filtered(const char* typeWord, const char* text, int key, bool selectAll = false)
{
    QLineEdit box;
    box.setText(QString::fromUtf8(text));
    if (selectAll) box.selectAll();
    int code = key;
    ValidateKeyPress(&box, code, QString::fromUtf8(typeWord));
    return code;
}

// A box whose key presses go through the filter first, as a ticket's
// quantity and price boxes do.
class FilteredBox : public QLineEdit {
public:
    explicit FilteredBox(QString typeWord) : m_typeWord(std::move(typeWord)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        int code = 0;
        if (event->key() == Qt::Key_Backspace) code = 8;
        else if (event->matches(QKeySequence::Paste)) code = CtrlV;
        else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) code = Enter;
        else if (event->text().size() == 1) code = event->text()[0].unicode();
        const int typed = code;
        ValidateKeyPress(this, code, m_typeWord);
        if (typed != 0 && code == 0) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    QString m_typeWord;
};

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
    EXPECT_EQ(ValidateRealKey('-', nullptr), '-');
    EXPECT_EQ(ValidateRealKey('.', nullptr), '.');
    EXPECT_EQ(ValidateRealKey('4', nullptr), '4');
    EXPECT_EQ(ValidateRealKey('x', nullptr), 0);
}

TEST(KeyFilters, TypingIntoFilteredBoxes)
{
    FilteredBox quantity(QStringLiteral("Int"));
    quantity.show();
    QTest::keyClicks(&quantity, QStringLiteral("1-2.a 3"));
    EXPECT_EQ(quantity.text(), QStringLiteral("123"));
    QTest::keyClick(&quantity, Qt::Key_Backspace);
    EXPECT_EQ(quantity.text(), QStringLiteral("12"));

    FilteredBox price(QStringLiteral("Real"));
    price.show();
    QTest::keyClicks(&price, QStringLiteral(".-12.3.4-5/6"));
    EXPECT_EQ(price.text(), QStringLiteral("-12.3456"));

    // Pasting by keyboard is blocked.
    QApplication::clipboard()->setText(QStringLiteral("999"));
    FilteredBox unfiltered(QStringLiteral("Text"));
    unfiltered.show();
    QTest::keyClick(&unfiltered, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(unfiltered.text(), QStringLiteral("999"));   // the paste itself works here
    price.clear();
    QTest::keyClick(&price, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(price.text(), QString());
}
