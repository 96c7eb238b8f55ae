// The rich-text box bound to a memo field, and loading files.
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/print/rich_text_box.h"
#include "platform/print/rtf.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

// Readable texts in failure messages.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
#include <sqlite3.h>

namespace {

class BoundBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = dir.filePath("notes.db");
        qv::Database::create(file, {qv::TableDef{"Notes", {qv::FieldDef{"ID", qv::FieldType::Long, false, false, true},
                                                            qv::FieldDef{"Body", qv::FieldType::Memo}}}});
        exec("INSERT INTO Notes (Body) VALUES ('{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Bold} note\\par}')");
        exec("INSERT INTO Notes (Body) VALUES ('plain {note}')");
        exec("INSERT INTO Notes (Body) VALUES (NULL)");
        connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file + ";Persist Security Info=False");
        rs.open("SELECT * FROM Notes", connection);
    }

    void exec(const QString& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    QVariant stored(int id)
    {
        qv::Connection c;
        c.open("Data Source=" + file);
        auto r = c.execute(QString("SELECT Body FROM Notes WHERE ID = %1").arg(id));
        return r->value("Body");
    }

    QTemporaryDir dir;
    QString file;
    qv::Connection connection;
    qv::Recordset rs;
};

TEST_F(BoundBox, ShowsEachRowAndWritesOnlyWhatChanged)
{
    qv::RichTextBox box;
    box.bind(&rs, "Body");
    EXPECT_EQ(box.text(), "Bold note");
    QTextCursor c(box.document());
    c.setPosition(1);
    EXPECT_TRUE(c.charFormat().font().bold());
    EXPECT_FALSE(box.isDirty());

    rs.moveNext();
    EXPECT_EQ(box.text(), "plain {note}");   // not RTF: shown as it is
    rs.moveNext();
    EXPECT_EQ(box.text(), "");
    rs.moveFirst();
    EXPECT_EQ(box.text(), "Bold note");
    rs.update();
    // Looking is not changing: the plain value stays plain, the RTF as it was.
    EXPECT_EQ(stored(2).toString(), "plain {note}");
    EXPECT_TRUE(stored(1).toString().startsWith("{\\rtf1{\\fonttbl{\\f0 Arial;}}"));

    box.show();
    box.setFocus();
    box.moveCursor(QTextCursor::Start);
    QTest::keyClicks(&box, "New ");
    EXPECT_TRUE(box.isDirty());
    rs.update();
    const QString saved = stored(1).toString();
    ASSERT_TRUE(qv::isRtf(saved));
    QTextDocument back;
    qv::readRtf(saved, &back);
    EXPECT_EQ(back.toPlainText(), "New Bold note");
    QTextCursor b(&back);
    b.setPosition(back.toPlainText().indexOf("Bold") + 1);
    EXPECT_TRUE(b.charFormat().font().bold());
    EXPECT_FALSE(box.isDirty());

    // Typed text stays until the row is shown again.
    QTest::keyClicks(&box, "x");
    rs.move(0);
    EXPECT_EQ(box.text(), "xNew Bold note");
    EXPECT_FALSE(box.isDirty());
}

TEST_F(BoundBox, EmptiedBoxEmptiesTheField)
{
    qv::RichTextBox box;
    box.bind(&rs, "Body");
    box.clear();
    rs.update();
    EXPECT_TRUE(stored(1).isNull() || stored(1).toString().isEmpty());

    rs.moveNext();
    box.setTextRTF("{\\rtf1 {\\i formula}}");
    rs.update();
    EXPECT_TRUE(qv::isRtf(stored(2).toString()));
    box.unbind();
    rs.moveNext();
    EXPECT_EQ(box.text(), "formula");   // an unbound box keeps its text
}

// A box scaled with its window shows the sizes written in the text larger,
// keeps them as written, and does not take the rescaling for an edit.
TEST_F(BoundBox, ScaledBoxShowsLargerAndStoresAsWritten)
{
    exec("UPDATE Notes SET Body = '{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Ten {\\fs32 sixteen}\\par}' WHERE ID = 1");
    rs.requery();
    qv::RichTextBox box;
    QFont font("Arial");
    font.setPointSizeF(8);
    box.setFont(font);
    box.bind(&rs, "Body");
    auto shownSize = [&](const QString& word) {
        QTextCursor c(box.document());
        c.setPosition(box.text().indexOf(word) + 1);
        return c.charFormat().fontPointSize();
    };
    ASSERT_DOUBLE_EQ(shownSize("Ten"), 10);

    // The window grows by 1.5 on a larger screen, its fonts with it.
    font.setPointSizeF(12);
    box.setFont(font);
    box.setDisplayScale(1.5);
    EXPECT_DOUBLE_EQ(shownSize("Ten"), 15);
    EXPECT_DOUBLE_EQ(shownSize("sixteen"), 24);
    EXPECT_FALSE(box.isDirty());

    // The row shown again is shown scaled as well.
    rs.moveNext();
    rs.movePrevious();
    EXPECT_DOUBLE_EQ(shownSize("sixteen"), 24);

    // Text typed without a size of its own follows the box's font: 8 points as stored.
    box.moveCursor(QTextCursor::End);
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    end.insertBlock(QTextBlockFormat(), QTextCharFormat());
    end.insertText("typed");
    rs.update();
    QTextDocument back;
    qv::readRtf(stored(1).toString(), &back);
    EXPECT_EQ(back.toPlainText(), "Ten sixteen\ntyped");
    auto storedSize = [&](const QString& word) {
        QTextCursor c(&back);
        c.setPosition(back.toPlainText().indexOf(word) + 1);
        return c.charFormat().fontPointSize();
    };
    EXPECT_DOUBLE_EQ(storedSize("Ten"), 10);
    EXPECT_DOUBLE_EQ(storedSize("sixteen"), 16);
    EXPECT_DOUBLE_EQ(storedSize("typed"), 8);

    // Back to the size it was drawn for: shown as written.
    font.setPointSizeF(8);
    box.setFont(font);
    box.setDisplayScale(1.0);
    EXPECT_DOUBLE_EQ(shownSize("sixteen"), 16);
    EXPECT_FALSE(box.isDirty());
}

TEST(RichTextBox, LoadsRtfAndPlainFiles)
{
    QTemporaryDir dir;
    const QString rtfPath = dir.filePath("Index.rtf");
    QFile rtf(rtfPath);
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}\\f0 Caf\\'e9 {\\b help}\\par}");
    rtf.close();
    const QString txtPath = dir.filePath("tips.txt");
    QFile txt(txtPath);
    ASSERT_TRUE(txt.open(QIODevice::WriteOnly));
    txt.write("Caf\xe9 tip\r\nsecond");   // Windows-1252, not UTF-8
    txt.close();

    qv::RichTextBox box;
    ASSERT_TRUE(box.loadFile(rtfPath));
    EXPECT_EQ(box.text(), QString::fromUtf8("Café help"));
    ASSERT_TRUE(box.loadFile(txtPath));
    EXPECT_EQ(box.text(), QString::fromUtf8("Café tip\nsecond"));
    EXPECT_FALSE(box.loadFile(dir.filePath("missing.rtf")));
    EXPECT_EQ(box.text(), "");

    box.setText("a {plain} text");
    EXPECT_EQ(box.text(), "a {plain} text");
    QTextDocument back;
    qv::readRtf(box.textRTF(), &back);
    EXPECT_EQ(back.toPlainText(), "a {plain} text");
}

} // namespace
