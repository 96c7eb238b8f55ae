// The client records: load, the phone rule of Update, Cancel, Delete, the
// finds, the grid panel, the report button and moving the window by its labels.
#include "support/user_hands.h"
#include "customers_fixture.h"

#include "platform/data/recordset.h"
#include "platform/forms/many_line_box.h"
#include "platform/forms/window.h"
#include "platform/print/rich_text_box.h"
#include "platform/report/report_preview.h"

#include <QClipboard>
#include <QMimeData>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTimer>

namespace {
const QString kLongPhoneMessage = QStringLiteral(
    "You have not entered a Phone#  or The Phone # you are trying to enter is already in the database. Select "
    "another, Click cancel or add A letter to the Phone # ie 858-9899F");
const QString kNoPhone = QStringLiteral(" You must enter a phone number for this client.");
} // namespace

TEST_F(CustomersTest, OpensOnTheFirstClientWithPanelsHiddenAndNoCloseCommand)
{
    CustomerWindow& w = open();
    EXPECT_EQ(w.windowTitle(), "Customers");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(box(0)->text(), "Ann Lee");
    EXPECT_EQ(box(8)->text(), "434-8888");
    EXPECT_EQ(box(1)->text(), "Maria");
    EXPECT_EQ(box(10)->text(), "5/14");
    EXPECT_EQ(box(9)->text(), "ann@example.com");
    EXPECT_FALSE(box(13)->text().isEmpty());   // the table numbered the client
    EXPECT_TRUE(box(13)->isReadOnly());
    EXPECT_FALSE(w.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 14)));
    EXPECT_FALSE(w.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 15)));
    EXPECT_EQ(w.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 6))->text(), "State:");
    EXPECT_EQ(w.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 14))->text(), "Required! *");
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture1"))->isVisible());
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_FALSE(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->isVisible());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("Command9"))->isEnabled());
    EXPECT_TRUE(w.closeCommandRemoved());
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);

    // Both panels come and go with their buttons, and stay while moving.
    click(w.findChild<QPushButton*>(QStringLiteral("Command10")));
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_TRUE(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->isVisible());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_TRUE(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->isVisible());
    click(w.findChild<QPushButton*>(QStringLiteral("Command11")));
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_FALSE(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->isVisible());
    click(w.findChild<QPushButton*>(QStringLiteral("Command6")));
    EXPECT_TRUE(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->isVisible());
    click(w.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture1"))->isVisible());
}

TEST_F(CustomersTest, MissingDatabaseOpensAnEmptyWindowWithoutAMessage)
{
    seed = false;
    QFile::remove(db.file());
    CustomerWindow& w = open();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(box(0)->text().isEmpty());
}

TEST_F(CustomersTest, NewClientIsSavedAndStaysCurrent)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    type(box(0), "Eve Moss");
    type(box(8), "619-2222");
    type(box(1), "Jenny");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_EQ(box(0)->text(), "Eve Moss");
    EXPECT_EQ(db.count("Customers"), 5);
    EXPECT_EQ(stored("Eve Moss", "Phone").toString(), "619-2222");
    EXPECT_EQ(stored("Eve Moss", "EmployeeID").toString(), "Jenny");
    EXPECT_FALSE(stored("Eve Moss", "CustomerID").isNull());
}

TEST_F(CustomersTest, UpdateWithoutPhoneSavesNothingAndKeepsWhatWasTyped)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Bob Stone
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(0), "No Phone");
    type(box(5), "Typed City");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kNoPhone});
    // Still adding, with what was typed, the focus where the number goes.
    EXPECT_TRUE(w.isAddingRecord());
    EXPECT_EQ(box(0)->text(), "No Phone");
    EXPECT_EQ(box(5)->text(), "Typed City");
    EXPECT_TRUE(box(8)->hasFocus());
    EXPECT_EQ(db.count("Customers"), 4);
    qvtest::typeKeys("619-3333");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(db.count("Customers"), 5);
    EXPECT_EQ(stored("No Phone", "City").toString(), "Typed City");
    EXPECT_EQ(stored("Bob Stone", "City").toString(), "La Jolla");

    // Emptying an existing client's phone saves nothing; Cancel drops the edit.
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    const QString client = box(0)->text();
    const QString phone = box(8)->text();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(8), "");
    type(box(2), "Someone");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kNoPhone});
    EXPECT_TRUE(w.isEditingRecord());
    EXPECT_EQ(box(2)->text(), "Someone");
    EXPECT_EQ(stored(client, "Phone").toString(), phone);
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(8)->text(), phone);
    EXPECT_NE(stored(client, "ContactName").toString(), "Someone");

    // Blanks are no phone either: refused the same way, at Update and when
    // typed while only looking at the client and moving on.
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(8), " ");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kNoPhone});
    EXPECT_TRUE(w.isEditingRecord());
    EXPECT_TRUE(box(8)->hasFocus());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    ui.script.clear();
    type(box(8), "   ");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(messages(), QStringList{kNoPhone});
    EXPECT_EQ(box(0)->text(), "Cara O'Brien");
    EXPECT_EQ(stored("Cara O'Brien", "Phone").toString(), "(212) 555-1212");
    type(box(8), "(212) 555-1212");   // as it was: the window may close
}

TEST_F(CustomersTest, DuplicatePhoneKeepsAddingUntilCancelReturnsToTheRememberedClient)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Cara O'Brien
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(0), "Copy Cat");
    type(box(8), "555-1212");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kLongPhoneMessage});
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());
    EXPECT_TRUE(w.isAddingRecord());
    EXPECT_EQ(db.count("Customers"), 4);

    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_EQ(box(0)->text(), "Cara O'Brien");
    EXPECT_EQ(db.count("Customers"), 4);
    // The grid is back on the recordset after the Requery.
    EXPECT_EQ(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 4);

    // The phone made unique with a letter is taken.
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(0), "Copy Cat");
    type(box(8), "555-1212F");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(stored("Copy Cat", "Phone").toString(), "555-1212F");
}

TEST_F(CustomersTest, DeleteAsksAndMovesToTheNextOrLastClient)
{
    CustomerWindow& w = open();
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(w.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Delete the Current Record");
    EXPECT_EQ(ui.script.events[0].title, "Delete Record");
    EXPECT_EQ(ui.script.events[0].style, 36);
    EXPECT_EQ(box(0)->text(), "Ann Lee");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(db.count("Customers"), 4);

    click(w.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdDelete")));   // Yes
    EXPECT_EQ(db.count("Customers"), 3);
    EXPECT_EQ(box(0)->text(), "Cara O'Brien");

    // Down to none: the window empties without an error box.
    ui.script.clear();
    for (int i = 0; i < 3; ++i)
        click(w.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Customers"), 0);
    EXPECT_EQ(messages(), QStringList(3, "Delete the Current Record"));
    EXPECT_TRUE(box(0)->text().isEmpty());
}

TEST_F(CustomersTest, FindByNameIgnoresCaseAndStaysPutWhenNothingMatches)
{
    CustomerWindow& w = open();
    ui.script.inputAnswers = {"stone"};
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    ASSERT_FALSE(ui.script.events.empty());
    EXPECT_EQ(ui.script.events[0].text, "Enter a customers First &  Last Name");
    EXPECT_EQ(box(0)->text(), "Bob Stone");

    ui.script.clear();
    ui.script.inputAnswers = {"Zed"};
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    EXPECT_EQ(messages(), QStringList{"Could not find the Customer Name. Zed"});
    EXPECT_EQ(box(0)->text(), "Bob Stone");

    // Nothing typed, or Cancel: nothing happens.
    ui.script.clear();
    ui.script.inputAnswers = {""};
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(box(0)->text(), "Bob Stone");

    // A name with an apostrophe is data, not a broken query.
    ui.script.inputAnswers = {"o'bri"};
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    EXPECT_EQ(box(0)->text(), "Cara O'Brien");
}

TEST_F(CustomersTest, FindByPhoneMatchesThePunctuationAsStored)
{
    CustomerWindow& w = open();
    ui.script.inputAnswers = {"(212) 555"};
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(ui.script.events[0].text, "Enter a Phone Number");
    EXPECT_EQ(box(0)->text(), "Cara O'Brien");

    ui.script.clear();
    ui.script.inputAnswers = {"8589899"};
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(messages(), QStringList{"Could not find Phone Number. 8589899"});
    EXPECT_EQ(box(0)->text(), "Cara O'Brien");

    ui.script.clear();
    ui.script.inputAnswers = {"858-98"};
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(box(0)->text(), "Dan Fox");
}

TEST_F(CustomersTest, GridListsEveryClientAndAPickedRowBecomesCurrent)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Command6")));
    QAbstractItemModel* model = w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model();
    ASSERT_EQ(model->rowCount(), 4);
    ASSERT_EQ(model->columnCount(), 4);
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"Customer Name", "Phone", "Salon Artist", "Birthday"}));
    EXPECT_EQ(model->index(0, 3).data().toString(), "5/14");

    const QRect cell = w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->visualRect(model->index(3, 0));
    qvtest::clickAt(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->viewport(), cell.center());
    EXPECT_EQ(box(0)->text(), "Dan Fox");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 4");
}

TEST_F(CustomersTest, ReportClosesTheWindowBeforeTheReportAppears)
{
    CustomerWindow& w = open();
    bool windowGoneWhileShown = false;
    int rows = -1;
    QTimer::singleShot(0, [&] {
        qv::ReportPreview* preview = qv::ReportPreview::current();
        if (!preview)
            return;
        windowGoneWhileShown = qv::Windows::loaded("frmCustomers") == nullptr;
        rows = int(preview->document().pageCount());
        preview->close();
    });
    click(w.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_TRUE(windowGoneWhileShown);
    EXPECT_GT(rows, 0);
    settle();
    EXPECT_EQ(qv::Windows::loaded("frmCustomers"), nullptr);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(CustomersTest, DraggingAnyTitleLabelMovesTheWindow)
{
    CustomerWindow& w = open();
    for (int index : {0, 1, 2, 11, 12}) {
        QLabel* label = w.findChild<QLabel*>(qv::arrayMemberName("Label1", index));
        ASSERT_TRUE(label) << index;
        const QPoint before = w.pos();
        // The mouse through the window, as the hands click: pressed on the
        // label, moved with the button held, released.
        if (index == 1)
            click(w.findChild<QPushButton*>(QStringLiteral("Command6")));   // the grid panel's strip shows with its panel
        QWindow* handle = w.windowHandle();
        const QPoint at = label->mapTo(&w, QPoint(5, 5));
        ASSERT_EQ(w.childAt(at), label) << index;
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseMove(handle, at + QPoint(20, 7));
        // The window followed the pointer: it is over the point pressed again.
        QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(w.pos(), before + QPoint(20, 7)) << index;
        // Released: moving no longer drags.
        QTest::mouseMove(handle, at + QPoint(60, 40));
        EXPECT_EQ(w.pos(), before + QPoint(20, 7)) << index;
        if (index == 1)
            click(w.findChild<QPushButton*>(QStringLiteral("Command5")));
    }
}

TEST_F(CustomersTest, EscClosesWhileBrowsingAndAsksWhileEditing)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::clickAt(box(0));
    qvtest::press(Qt::Key_X);
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    qvtest::press(Qt::Key_Escape);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(qv::Windows::loaded("frmCustomers"));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    qvtest::clickAt(box(0));
    qvtest::press(Qt::Key_Escape);
    settle();
    EXPECT_FALSE(qv::Windows::loaded("frmCustomers"));
}

TEST_F(CustomersTest, PastingIntoTheCommentsTakesWhatWasCopiedAndNothingWhenNothingWas)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    auto* comments = w.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_12_lines"));
    type(comments, "Allergic to ammonia");

    // Nothing copied yet: Ctrl+V leaves the comments as they were.
    // An X clipboard that nobody owns offers an object with no format in it.
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    qvtest::press(Qt::Key_End);
    qvtest::press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(comments->toPlainText(), "Allergic to ammonia");

    // Something copied: it goes in where the caret is, and is saved.
    QGuiApplication::clipboard()->setText(QStringLiteral(", and to latex"));
    qvtest::press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(comments->toPlainText(), "Allergic to ammonia, and to latex");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
    EXPECT_EQ(stored("Ann Lee", "Comments").toString(), "Allergic to ammonia, and to latex");
}
