// The record form driven as a user drives it: buttons, keys and typing into
// its bound boxes, checked against the database file and the messages shown.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "common/record_form.h"
#include "common/control_rescaling.h"
#include "common/find_by_text.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "support/program_folder.h"
#include <QApplication>
#include <QFile>
#include <sqlite3.h>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString connectionText()
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + qv::ProgramFolder::path()
        + QStringLiteral("\\KVD.mdb;Persist Security Info=False");
}

RecordForm::DeleteConfirm g_confirm = RecordForm::DeleteConfirm::None;

// A plain member of the family: four boxes and a box of several lines over
// one small table.
class PeopleForm : public RecordForm {
    Q_OBJECT
public:
    using RecordForm::addingRecord;
    using RecordForm::bookmarkBeforeAdd;
    using RecordForm::editingRecord;
    using RecordForm::primaryRecordset;
    PeopleForm()
    {
        setWindowTitle("People");
        const char* captions[] = {"Name:", "Age:", "Fee:", "Joined:"};
        for (int i = 0; i < 4; ++i) {
            captionLabels[i] = new QLabel(captions[i], this);
            qv::place(captionLabels[i], 120, 120 + i * 400, 1000, 300);
        }
        qv::place(addField(0, "Name"), 1200, 120, 3000, 300);
        qv::place(addField(1, "Age"), 1200, 520, 1000, 300);
        qv::place(addField(2, "Fee", "Currency"), 1200, 920, 1500, 300);
        qv::place(addField(3, "Joined", "M/d/yyyy"), 1200, 1320, 1500, 300);
        notes = new qv::ManyLineBox(addField(4, "Notes"), this);
        qv::place(notes, 1200, 1720, 3000, 900);
    }
    qv::ManyLineBox* notes = nullptr;

protected:
    QString connectionString() const override { return connectionText(); }
    QString recordSource() const override { return "SELECT * FROM People"; }
    DeleteConfirm deleteConfirm() const override { return g_confirm; }
};
QV_REGISTER_WINDOW(PeopleForm);

class RecordFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_confirm = RecordForm::DeleteConfirm::None;
        qv::Windows::setOnLastClosed([] {});
        const QString file = folder.file("KVD.mdb");
        qv::Database::create(file, {{"People",
                                     {{"Name", qv::FieldType::Text, true},
                                      {"Age", qv::FieldType::Long},
                                      {"Fee", qv::FieldType::Currency},
                                      {"Joined", qv::FieldType::DateTime},
                                      {"Notes", qv::FieldType::Memo}}}});
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qv::Windows::setOnLastClosed(nullptr);
    }

    void addPeople(const QStringList& names)
    {
        qv::Connection c;
        c.open(connectionText());
        qv::Recordset rs;
        rs.open("SELECT * FROM People", c);
        int age = 30;
        for (const QString& name : names) {
            rs.addNew();
            rs.setValue("Name", name);
            rs.setValue("Age", age++);
            rs.setValue("Fee", "12.5");
            rs.setValue("Joined", "6/7/2001");
            rs.update();
        }
    }
    // What the table holds now, read on a connection of its own.
    QStringList tableColumn(const QString& field)
    {
        qv::Connection c;
        c.open(connectionText());
        auto rs = c.execute("SELECT * FROM People");
        QStringList out;
        for (; !rs->eof(); rs->moveNext())
            out << qv::formatValue(rs->value(field), QString());
        return out;
    }

    PeopleForm* open()
    {
        auto* w = qobject_cast<PeopleForm*>(qv::Windows::show("PeopleForm"));
        QApplication::setActiveWindow(w);
        return w;
    }
    static QString status(PeopleForm* w) { return w->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(); }
    // A key pressed while the caret is in the first box.
    static void key(PeopleForm* w, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        if (qvtest::focused() != w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)))
            ASSERT_TRUE(qvtest::clickAt(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))));
        qvtest::press(k, mods);
    }
    static bool browsing(PeopleForm* w)
    {
        return !w->editingRecord && !w->addingRecord && w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisibleTo(w)
               && !w->findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisibleTo(w) && w->findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled();
    }

    qvtest::TempProgramFolder folder;
    qv::ScopedScriptedUi ui;
};

TEST_F(RecordFormTest, LoadShowsTheFirstRecordInItsFormats)
{
    addPeople({"Ann", "Bob"});
    PeopleForm* w = open();
    EXPECT_EQ(status(w), "Record: 1");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Ann");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "30");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 2))->text(), "$12.50");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3))->text(), "6/7/2001");
    EXPECT_TRUE(browsing(w));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->text(), "&Add");
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("cmdRefresh"))->text(), "&Refresh");
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(RecordFormTest, MovingPastEitherEndBeepsOnceAndStays)
{
    addPeople({"Ann", "Bob", "Cyd"});
    PeopleForm* w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(status(w), "Record: 1");
    EXPECT_EQ(ui.script.beeps(), 1);
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(status(w), "Record: 3");
    EXPECT_EQ(ui.script.beeps(), 1);
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(status(w), "Record: 3");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Cyd");
    EXPECT_EQ(ui.script.beeps(), 2);
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Ann");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Cyd");
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(RecordFormTest, EmptyTableNeitherBeepsNorFails)
{
    PeopleForm* w = open();
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(ui.script.beeps(), 0);
    EXPECT_TRUE(ui.script.messages().isEmpty());

    // Add on an empty table keeps no bookmark; Cancel goes to the first record: none.
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(status(w), "Add record");
    EXPECT_EQ(w->bookmarkBeforeAdd, 0);
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Zed");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(browsing(w));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "");
    EXPECT_TRUE(tableColumn("Name").isEmpty());
}

TEST_F(RecordFormTest, KeysNavigateOnlyWhileBrowsing)
{
    addPeople({"Ann", "Bob", "Cyd", "Dee", "Eve"});
    PeopleForm* w = open();
    key(w, Qt::Key_Down);
    EXPECT_EQ(status(w), "Record: 2");
    key(w, Qt::Key_PageDown);
    EXPECT_EQ(status(w), "Record: 3");
    key(w, Qt::Key_Up);
    EXPECT_EQ(status(w), "Record: 2");
    key(w, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);   // not Ctrl alone: Down
    EXPECT_EQ(status(w), "Record: 3");
    key(w, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(status(w), "Record: 5");
    key(w, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(status(w), "Record: 1");
    // Home and End are the box's own; with Ctrl they are the records'.
    key(w, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(status(w), "Record: 5");
    key(w, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(status(w), "Record: 1");
    key(w, Qt::Key_PageUp);   // before the first: beep, stay
    EXPECT_EQ(status(w), "Record: 1");
    EXPECT_EQ(ui.script.beeps(), 1);

    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_EQ(status(w), "Edit record");
    key(w, Qt::Key_Down);
    // Esc while editing is a way out: it asks once something was typed,
    // and Cancel stays.
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "x");
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    key(w, Qt::Key_Escape);
    EXPECT_EQ(ui.script.messages(),
              QStringList{"This record is still being added or changed. Save it before the window closes?"});
    EXPECT_EQ(status(w), "Edit record");
    EXPECT_EQ(qv::Windows::loaded("PeopleForm"), w);
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    key(w, Qt::Key_Escape);
    EXPECT_EQ(qv::Windows::loaded("PeopleForm"), nullptr);
}

TEST_F(RecordFormTest, KeysThatMoveInTheTextOfABoxStayWithTheRecordBeingTypedIn)
{
    addPeople({"Ann", "Bob", "Cyd", "Dee", "Eve"});
    {
        qv::Connection c;
        c.open(connectionText());
        qv::Recordset rs;
        rs.open("SELECT * FROM People WHERE Name = 'Cyd'", c);
        rs.setValue("Notes", "first line\nsecond line");
        rs.update();
    }
    PeopleForm* w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Bob
    ASSERT_TRUE(qvtest::clickAt(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))));
    qvtest::press(Qt::Key_Home);
    qvtest::typeKeys("Dr ");
    qvtest::press(Qt::Key_End);
    qvtest::typeKeys(" Jr");
    EXPECT_EQ(status(w), "Record: 2");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Dr Bob Jr");
    qvtest::press(Qt::Key_Home, Qt::ShiftModifier);   // selects, still the box's
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->selectedText(), "Dr Bob Jr");
    EXPECT_EQ(status(w), "Record: 2");

    // With Ctrl the keys move; the typing belongs to Bob and is saved there.
    qvtest::press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(status(w), "Record: 5");
    qvtest::press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(status(w), "Record: 1");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann", "Dr Bob Jr", "Cyd", "Dee", "Eve"}));

    // Up and Down in a box of one line move between records.
    qvtest::press(Qt::Key_Down);
    qvtest::press(Qt::Key_PageDown);
    EXPECT_EQ(status(w), "Record: 3");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Cyd");

    // In the box of several lines every moving key is the box's.
    ASSERT_TRUE(qvtest::clickAt(w->notes, QPoint(10, 5)));
    for (Qt::Key k : {Qt::Key_Home, Qt::Key_End, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_PageUp}) {
        qvtest::press(k);
        EXPECT_EQ(status(w), "Record: 3") << k;
    }
    qvtest::press(Qt::Key_Down);
    qvtest::press(Qt::Key_End);
    qvtest::typeKeys(" too");
    EXPECT_EQ(w->notes->toPlainText(), "first line\nsecond line too");
    qvtest::press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(status(w), "Record: 5");
    EXPECT_EQ(tableColumn("Notes")[2], "first line\nsecond line too");

    // Outside a box, and in a box that cannot be typed in, the keys move.
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(qvtest::focused(), w->findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    qvtest::press(Qt::Key_End);
    EXPECT_EQ(status(w), "Record: 5");
    w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->setReadOnly(true);
    qvtest::clickAt(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)));
    qvtest::press(Qt::Key_Home);
    EXPECT_EQ(status(w), "Record: 1");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann", "Dr Bob Jr", "Cyd", "Dee", "Eve"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(RecordFormTest, AddThenUpdateSavesAndShowsTheNewLastRecord)
{
    addPeople({"Ann", "Bob"});
    PeopleForm* w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(status(w), "Add record");
    EXPECT_TRUE(w->addingRecord);
    EXPECT_TRUE(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisibleTo(w));
    EXPECT_FALSE(w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisibleTo(w));
    EXPECT_FALSE(w->findChild<QPushButton*>(QStringLiteral("cmdClose"))->isVisibleTo(w));
    EXPECT_FALSE(w->findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "");
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Cyd");
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 2)), "$7.25");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(browsing(w));
    EXPECT_EQ(status(w), "Record: 3");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Cyd");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 2))->text(), "$7.25");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann", "Bob", "Cyd"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(RecordFormTest, CancelReturnsToTheRecordOfTheLastAdd)
{
    addPeople({"Ann", "Bob", "Cyd", "Dee", "Eve"});
    PeopleForm* w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Cyd
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Nobody");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(browsing(w));
    EXPECT_EQ(status(w), "Record: 3");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Cyd");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann", "Bob", "Cyd", "Dee", "Eve"}));

    // The record of that Add is no place to land after an Edit elsewhere.
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdLast")));
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Eve");
    EXPECT_EQ(status(w), "Record: 5");
}

TEST_F(RecordFormTest, EditAndCancelStaysOnTheRecordBeingEdited)
{
    addPeople({"Ann", "Bob", "Cyd", "Dee", "Eve"});
    PeopleForm* w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Dee
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_EQ(status(w), "Edit record");
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Changed");
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "99");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(browsing(w));
    EXPECT_EQ(status(w), "Record: 4");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Dee");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "33");
    // The typed text went into no row; the next move saves nothing.
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Eve");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann", "Bob", "Cyd", "Dee", "Eve"}));
    EXPECT_EQ(tableColumn("Age"), QStringList({"30", "31", "32", "33", "34"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

// A save the database refuses says why in a second line, and the window
// goes on adding with what was typed: the value the table requires, then a
// second copy of the program holding the file. Only an Update with no record
// at all gets the sentence that advises Cancel.
TEST_F(RecordFormTest, ARefusedUpdateSaysWhyAndKeepsWhatWasTyped)
{
    addPeople({"Ann"});
    PeopleForm* w = open();
    auto* nameBox = w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0));
    auto* ageBox = w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1));
    const QString notSaved = QStringLiteral("The record was not saved; what you typed is still here.\r\n");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    qvtest::typeInto(ageBox, "44");   // the required Name stays empty
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(ui.script.messages(),
              QStringList({notSaved + "The field 'People.Name' cannot contain a Null value because it is required. "
                                      "Enter a value in this field."}));
    EXPECT_EQ(ui.script.events[0].style, 0);
    EXPECT_TRUE(w->addingRecord);
    EXPECT_TRUE(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisibleTo(w));
    EXPECT_TRUE(w->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisibleTo(w));
    EXPECT_FALSE(w->findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    EXPECT_EQ(status(w), "Add record");
    EXPECT_EQ(ageBox->text(), "44");

    // Another copy of the program is writing to the file.
    qvtest::typeInto(nameBox, "Bob");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(folder.file("KVD.mdb")).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    ui.script.clear();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(ui.script.messages(),
              QStringList({notSaved + "The database is locked by another user or program. Try again in a moment."}));
    EXPECT_TRUE(w->addingRecord);
    EXPECT_EQ(nameBox->text(), "Bob");
    EXPECT_EQ(ageBox->text(), "44");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann"}));

    // Mended, the same Update now saves.
    ui.script.clear();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();
    EXPECT_TRUE(browsing(w));
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(tableColumn("Age"), QStringList({"30", "44"}));
}

TEST_F(RecordFormTest, EditWithNoRecordDoesNothing)
{
    PeopleForm* w = open();   // an empty table: no record to edit
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_FALSE(w->editingRecord);
    EXPECT_TRUE(browsing(w));
    key(w, Qt::Key_Escape);   // nothing to ask about: the window goes
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(qv::Windows::loaded("PeopleForm"), nullptr);
}

TEST_F(RecordFormTest, DeleteOfTheLastAndOfTheOnlyRecord)
{
    addPeople({"Ann", "Bob"});
    PeopleForm* w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdLast")));
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Ann");
    EXPECT_EQ(status(w), "Record: 1");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());

    // The only record: gone, and the move to the last record that follows
    // fails on the empty recordset with the data layer's text.
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_TRUE(tableColumn("Name").isEmpty());
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_FALSE(ui.script.messages()[0].isEmpty());
    EXPECT_EQ(ui.script.events[0].style, 0);
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "");
    EXPECT_TRUE(browsing(w));
}

TEST_F(RecordFormTest, DeleteConfirmationsInBothStyles)
{
    addPeople({"Ann", "Bob", "Cyd"});
    PeopleForm* w = open();
    g_confirm = RecordForm::DeleteConfirm::YesNo;
    ui.script.msgAnswers = {qv::MsgResult::No};
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(tableColumn("Name").size(), 3);
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(tableColumn("Name"), QStringList({"Bob", "Cyd"}));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Bob");

    g_confirm = RecordForm::DeleteConfirm::OkCancel;
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(tableColumn("Name").size(), 2);
    ui.script.msgAnswers = {qv::MsgResult::Ok};
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(tableColumn("Name"), QStringList({"Cyd"}));

    ASSERT_EQ(ui.script.events.size(), 4u);
    EXPECT_EQ(ui.script.events[0].text, "Delete the Current Record");
    EXPECT_EQ(ui.script.events[0].style, 36);
    EXPECT_EQ(ui.script.events[0].title, "Delete Record");
    EXPECT_EQ(ui.script.events[2].text, "Do you really want to delete this record?");
    EXPECT_EQ(ui.script.events[2].style, 545);
    EXPECT_EQ(ui.script.events[2].title, "Delete Record");
}

TEST_F(RecordFormTest, RefreshReadsTheTableAgainFromTheFirstRecord)
{
    addPeople({"Ann", "Bob"});
    PeopleForm* w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdLast")));
    addPeople({"Cyd"});   // written by another window meanwhile
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(status(w), "Record: 1");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Cyd");
}

TEST_F(RecordFormTest, BoxesWriteOnlyWhatWasTypedAndKeepTheRowOnARefusal)
{
    addPeople({"Ann", "Bob"});
    PeopleForm* w = open();
    // Typing while browsing changes the record; leaving it saves the change,
    // and only the typed field: the formatted "$12.50" is not written back.
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Anna");
    EXPECT_TRUE(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->isDirty());
    EXPECT_FALSE(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 2))->isDirty());
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Bob");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Anna", "Bob"}));
    EXPECT_EQ(tableColumn("Fee"), QStringList({"12.5", "12.5"}));

    // A value the field refuses: the error is shown, the move does not
    // happen, the table keeps the old value.
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "abc");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_FALSE(ui.script.messages()[0].isEmpty());
    EXPECT_EQ(tableColumn("Age"), QStringList({"30", "31"}));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "abc");   // typed text stays until the row is shown again

    // Put right, the same move saves it.
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "32");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Anna");
    EXPECT_EQ(tableColumn("Age"), QStringList({"30", "32"}));
}

TEST_F(RecordFormTest, ClosingWhileBrowsingKeepsWhatWasTypedOrStaysOpenToSaySo)
{
    addPeople({"Ann", "Bob"});
    PeopleForm* w = open();
    // Close and Esc leave the record just as a move does: the typing is saved.
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Anna");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QCoreApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded("PeopleForm"), nullptr);
    EXPECT_EQ(tableColumn("Name"), QStringList({"Anna", "Bob"}));

    w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Bobby");
    key(w, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded("PeopleForm"), nullptr);
    EXPECT_EQ(tableColumn("Name"), QStringList({"Anna", "Bobby"}));

    // A value the field refuses: said, and the window stays with the typing.
    w = open();
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "abc");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QCoreApplication::processEvents();
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_EQ(qv::Windows::loaded("PeopleForm"), w);
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "abc");
    EXPECT_EQ(tableColumn("Age"), QStringList({"30", "31"}));

    // A window left on a row it has just deleted has nothing to save and closes.
    ui.script.clear();
    w->primaryRecordset->deleteCurrent();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QCoreApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded("PeopleForm"), nullptr);
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_EQ(tableColumn("Name"), QStringList({"Bobby"}));
}

TEST_F(RecordFormTest, FindByTextMovesTheWindowAndComesBackWhenNothingMatches)
{
    addPeople({"Ann", "Bob", "Cyd"});
    PeopleForm* w = open();
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdLast")));
    ui.script.inputAnswers = {"bo"};
    EXPECT_TRUE(findByText(*w->primaryRecordset, "Name", "Name?", "Could not find the Name. "));
    EXPECT_EQ(status(w), "Record: 2");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Bob");

    // Text typed before a find belongs to the record it was typed on.
    qvtest::typeInto(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "Bobby");
    ui.script.inputAnswers = {"zz"};
    EXPECT_FALSE(findByText(*w->primaryRecordset, "Name", "Name?", "Could not find the Name. "));
    EXPECT_EQ(ui.script.messages(), QStringList({"Could not find the Name. zz"}));
    EXPECT_EQ(status(w), "Record: 2");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Bobby");
    EXPECT_EQ(tableColumn("Name"), QStringList({"Ann", "Bobby", "Cyd"}));
}

TEST_F(RecordFormTest, ResizeKeepsTheStatusBarAcrossTheWindow)
{
    addPeople({"Ann"});
    PeopleForm* w = open();
    w->setTwipsSize(9000, 4500);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->width(), qv::px(9000 - 1500));
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("cmdNext"))->x(), qv::px(qv::twips(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->width()) + 700));
    EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("picStatBox"))->geometry().bottom(), w->height() - 1);
    EXPECT_LT(w->findChild<QWidget*>(QStringLiteral("picButtons"))->geometry().bottom(), w->findChild<QWidget*>(QStringLiteral("picStatBox"))->y());

    if (qEnvironmentVariableIsSet("QV_SCREENSHOTS"))
        w->grab().save(qEnvironmentVariable("QV_SCREENSHOTS") + "/record_form.png");
}

TEST_F(RecordFormTest, EveryShownButtonHasItsOwnPlace)
{
    addPeople({"Ann"});
    PeopleForm* w = open();
    const QRect addPlace = w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->geometry(), editPlace = w->findChild<QPushButton*>(QStringLiteral("cmdEdit"))->geometry();

    // Adding: Update and Cancel stand where Add and Edit stood.
    ASSERT_TRUE(qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))));
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->geometry(), addPlace);
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->geometry(), editPlace);
    ASSERT_TRUE(qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdCancel"))));
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->geometry(), addPlace);

    // A window that shows them all at once (the service price list does,
    // after its password) gives each a place of its own, in their order.
    w->setTwipsSize(9600, 6000);
    for (QPushButton* b : {w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")), w->findChild<QPushButton*>(QStringLiteral("cmdCancel"))})
        b->show();
    QCoreApplication::processEvents();
    const QList<QPushButton*> all = {w->findChild<QPushButton*>(QStringLiteral("cmdAdd")), w->findChild<QPushButton*>(QStringLiteral("cmdEdit")), w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")),
                                     w->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                                     w->findChild<QPushButton*>(QStringLiteral("cmdDelete")), w->findChild<QPushButton*>(QStringLiteral("cmdRefresh")), w->findChild<QPushButton*>(QStringLiteral("cmdClose"))};
    for (int i = 0; i < all.size(); ++i) {
        EXPECT_EQ(qvtest::widgetAtCentreOf(all[i]), all[i]) << all[i]->objectName().toStdString();
        EXPECT_TRUE(w->findChild<QWidget*>(QStringLiteral("picButtons"))->rect().contains(all[i]->geometry())) << all[i]->objectName().toStdString();
        if (i > 0)
            EXPECT_GT(all[i]->x(), all[i - 1]->geometry().right()) << all[i]->objectName().toStdString();
    }
}

TEST_F(RecordFormTest, ScaledUpTheBarsStayAtTheFootWithTheirButtonsWholeAndNextAndLastTakeClicks)
{
    addPeople({"Ann", "Bob", "Cy"});
    PeopleForm* w = open();
    // As a window that rescales itself does on a screen of 1280 x 1024.
    resizeFormToo = -1;
    resizeControls(1280.0f / 800, 1024.0f / 600, w);
    resizeFormToo = 0;
    QCoreApplication::processEvents();

    EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("picStatBox"))->geometry().bottom(), w->height() - 1);
    EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("picButtons"))->geometry().bottom() + 1, w->findChild<QWidget*>(QStringLiteral("picStatBox"))->y());
    for (QWidget* bar : {w->findChild<QWidget*>(QStringLiteral("picButtons")), w->findChild<QWidget*>(QStringLiteral("picStatBox"))})
        for (QWidget* b : bar->findChildren<QPushButton*>())
            if (b->isVisibleTo(w))
                EXPECT_TRUE(bar->rect().contains(b->geometry())) << b->objectName().toStdString() << " is not whole";
    EXPECT_LT(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->geometry().right(), w->findChild<QPushButton*>(QStringLiteral("cmdNext"))->x());
    EXPECT_LT(w->findChild<QPushButton*>(QStringLiteral("cmdNext"))->geometry().right(), w->findChild<QPushButton*>(QStringLiteral("cmdLast"))->x());
    EXPECT_LE(w->findChild<QPushButton*>(QStringLiteral("cmdLast"))->geometry().right(), w->width());

    ASSERT_TRUE(qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdNext"))));
    EXPECT_EQ(status(w), "Record: 2");
    ASSERT_TRUE(qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdLast"))));
    EXPECT_EQ(status(w), "Record: 3");
    ASSERT_TRUE(qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("cmdFirst"))));
    EXPECT_EQ(status(w), "Record: 1");
}

} // namespace

#include "record_form_test.moc"
