// The employee records: load, the social security rule of Update, Cancel,
// Delete, moving past the ends, the finds, the grid panel, the report button
// and moving the window by its labels.
#include "support/user_hands.h"
#include "employee_fixture.h"

#include "common/picture_viewport.h"
#include "platform/forms/window.h"
#include "platform/report/report_preview.h"

#include <QRegularExpression>
#include <QMouseEvent>
#include <QTimer>

namespace {
const QString kNoNumber = QStringLiteral(" You must enter an ID # for this Employee.");
} // namespace

TEST_F(EmployeeTest, OpensOnTheFirstEmployeeWithTheGridHidden)
{
    EmployeeWindow& w = open();
    EXPECT_EQ(w.windowTitle(), "Employee Database");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(box(1)->text(), "Lopez");
    EXPECT_EQ(box(2)->text(), "Maria");
    EXPECT_EQ(box(13)->text(), "111-22-3333");
    EXPECT_EQ(box(7)->text(), "434-1000");
    EXPECT_FALSE(box(0)->text().isEmpty());   // the table numbered the employee
    EXPECT_TRUE(box(0)->isReadOnly());
    EXPECT_EQ(w.findChildren<qv::TextBox*>(QRegularExpression(QStringLiteral("^txtfields_\\d+$"))).size(), 17);
    EXPECT_EQ(w.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 1))->text(), "Remember!  Social Security # is a required field.");
    EXPECT_EQ(w.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 6))->text(), "State:");
    EXPECT_EQ(w.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 14))->text(), "Employee SS#:");
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture1"))->isVisible());
    EXPECT_TRUE(w.closeCommandRemoved());
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, MissingDatabaseOpensAnEmptyWindowWithoutAMessage)
{
    seed = false;
    QFile::remove(db.file());
    EmployeeWindow& w = open();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(box(1)->text().isEmpty());
}

TEST_F(EmployeeTest, NewEmployeeWithANumberIsSavedAndStaysCurrent)
{
    EmployeeWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    type(box(13), "444-55-6666");
    type(box(1), "Sato");
    type(box(2), "Kenji");
    type(box(15), "3/5/2002");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(db.count("Employees"), 4);
    EXPECT_EQ(stored("Sato", "EmployeeSS").toString(), "444-55-6666");
    EXPECT_EQ(stored("Sato", "TerminationDate").toDate(), QDate(2002, 3, 5));
    // Still on the new employee, shown as stored.
    EXPECT_EQ(box(1)->text(), "Sato");
    EXPECT_EQ(box(15)->text(), "3/05/02");
    EXPECT_FALSE(box(0)->text().isEmpty());
    for (QAbstractButton* b : {w.findChild<QPushButton*>(QStringLiteral("cmdAdd")), w.findChild<QPushButton*>(QStringLiteral("cmdEdit")), w.findChild<QPushButton*>(QStringLiteral("cmdDelete")), w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")),
                               w.findChild<QPushButton*>(QStringLiteral("cmdClose"))})
        EXPECT_TRUE(b->isVisible()) << b->objectName().toStdString();
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
}

TEST_F(EmployeeTest, UpdateWithoutANumberSavesNothingAndKeepsWhatWasTyped)
{
    EmployeeWindow& w = open();
    // A new employee without one is not saved; what was typed waits for the number.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(1), "Nobody");
    type(box(2), "Tina");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kNoNumber});
    EXPECT_EQ(db.count("Employees"), 3);
    EXPECT_TRUE(w.isAddingRecord());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_EQ(box(1)->text(), "Nobody");
    EXPECT_EQ(box(2)->text(), "Tina");
    EXPECT_EQ(qvtest::focused(), box(13));
    qvtest::typeKeys("999-88-7777");
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_EQ(db.count("Employees"), 4);
    EXPECT_EQ(stored("Nobody", "EmployeeSS").toString(), "999-88-7777");

    // An edit that empties the number keeps the stored row as it was; Cancel
    // then drops the edit.
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    ASSERT_EQ(box(1)->text(), "Park");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(1), "Parker");
    type(box(13), "");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kNoNumber});
    EXPECT_EQ(stored("Park", "EmployeeSS").toString(), "222-33-4444");
    EXPECT_FALSE(stored("Parker", "EmployeeSS").isValid());
    EXPECT_TRUE(w.isEditingRecord());
    EXPECT_EQ(box(1)->text(), "Parker");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(1)->text(), "Park");
    EXPECT_EQ(box(13)->text(), "222-33-4444");
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());

    // Blanks are a number as far as the rule goes.
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(13), "   ");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(stored("Park", "EmployeeSS").toString(), "   ");
}

TEST_F(EmployeeTest, CancelReturnsToTheRecordBeforeAdd)
{
    EmployeeWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(1), "Temp");
    type(box(13), "999-99-9999");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(db.count("Employees"), 3);
    EXPECT_EQ(box(1)->text(), "Reed");
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, DeleteAsksAndKeepsAnUnsavedNewRowFromDeletingOthers)
{
    EmployeeWindow& w = open();
    const QString red = pictureFile("park.bmp", Qt::red);
    db.execRaw(QStringLiteral("UPDATE Employees SET Photo = '%1' WHERE LastName = 'Park'").arg(red));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    ASSERT_EQ(photoColour(), QColor(Qt::red));

    // No: the row stays and its photo is shown again.
    ui.script.msgAnswers = {qv::MsgResult::No};
    w.findChild<PictureViewport*>()->clearPicture();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Delete the Current Record");
    EXPECT_EQ(ui.script.events[0].title, "Delete Record");
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::YesNo | qv::MsgStyle::Question);
    EXPECT_EQ(db.count("Employees"), 3);
    EXPECT_EQ(box(1)->text(), "Park");
    EXPECT_EQ(photoColour(), QColor(Qt::red));

    // Yes while adding (the hidden button pressed without the mouse): nothing stored goes.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    w.findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
    EXPECT_EQ(db.count("Employees"), 3);
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));

    // Yes on a stored row: it goes, the next one takes its place.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    ASSERT_EQ(box(1)->text(), "Park");
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(w.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Employees"), 2);
    EXPECT_FALSE(stored("Park", "LastName").isValid());
    EXPECT_EQ(box(1)->text(), "Reed");
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    // The last one deleted leaves the new last one on screen.
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(w.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Employees"), 1);
    EXPECT_EQ(box(1)->text(), "Lopez");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
}

TEST_F(EmployeeTest, MovingPastEitherEndBeepsAndStays)
{
    EmployeeWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(ui.script.beeps(), 1);
    EXPECT_EQ(box(1)->text(), "Lopez");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 3");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(ui.script.beeps(), 2);
    EXPECT_EQ(box(1)->text(), "Reed");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 3");
    // The moves leave the focus in the number box.
    EXPECT_EQ(QApplication::focusWidget(), box(13));

    // Keys act while browsing only; in a box being typed in, Home and End
    // move in its text, so the records move with Ctrl.
    qvtest::press(Qt::Key_Home);
    EXPECT_EQ(box(1)->text(), "Reed");
    qvtest::press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(box(1)->text(), "Lopez");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::clickAt(box(13));
    qvtest::press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(box(1)->text(), "Lopez");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, FindsByLastNameAndByNumber)
{
    EmployeeWindow& w = open();
    // Any part of the name, any letter case.
    ui.script.inputAnswers = {"EED"};
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Input);
    EXPECT_EQ(ui.script.events[0].text, "Enter an employee's Last Name");
    EXPECT_EQ(box(1)->text(), "Reed");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 3");

    ui.script.clear();
    ui.script.inputAnswers = {"Smith"};
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    EXPECT_EQ(messages(), QStringList{"Could not find the Employee Name. Smith"});
    EXPECT_EQ(box(1)->text(), "Park");

    // The number as stored, hyphens and all.
    ui.script.clear();
    ui.script.inputAnswers = {"111-22", "333445555"};
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(ui.script.events[0].text, "Enter a Social Security #");
    EXPECT_EQ(box(1)->text(), "Lopez");
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(messages(), QStringList{"Could not find this Employee by Social Security#. 333445555"});
    EXPECT_EQ(box(1)->text(), "Lopez");
}

TEST_F(EmployeeTest, AFindAnsweredWithNothingDoesNothing)
{
    EmployeeWindow& w = open();
    const QString green = pictureFile("green.bmp", Qt::green);
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    // A path typed but not yet shown stays unshown: not even the photo is read again.
    type(box(16), green);
    ui.script.inputAnswers = {"", ""};
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    EXPECT_EQ(box(1)->text(), "Park");
    EXPECT_TRUE(messages().isEmpty());
    // A find that lands shows the photo of the row it found.
    ui.script.inputAnswers = {"par"};
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    EXPECT_EQ(photoColour(), QColor(Qt::green));
}

TEST_F(EmployeeTest, GridPanelShowsFourColumnsAndPicksTheRecord)
{
    EmployeeWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Command6")));
    ASSERT_TRUE(w.findChild<QWidget*>(QStringLiteral("Picture1"))->isVisible());
    EXPECT_TRUE(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->isVisible());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("Command5"))->isVisible());
    auto* model = w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model();
    ASSERT_EQ(model->columnCount(), 4);
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"Employee ID", "LastName", "HireDate", "Termination Date"}));
    EXPECT_EQ(model->index(1, 0).data().toString(), "222-33-4444");

    const QString blue = pictureFile("reed.bmp", Qt::blue);
    db.execRaw(QStringLiteral("UPDATE Employees SET Photo = '%1' WHERE LastName = 'Reed'").arg(blue));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    const QRect cell = w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->visualRect(model->index(2, 1));
    qvtest::clickAt(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->viewport(), cell.center());
    EXPECT_EQ(box(1)->text(), "Reed");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 3");
    EXPECT_EQ(photoColour(), QColor(Qt::blue));
    click(w.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture1"))->isVisible());
}

TEST_F(EmployeeTest, ReportClosesTheWindowBeforeTheReportAppears)
{
    EmployeeWindow& w = open();
    bool windowGoneWhileShown = false;
    QStringList printed;
    QTimer::singleShot(0, [&] {
        qv::ReportPreview* preview = qv::ReportPreview::current();
        if (!preview)
            return;
        windowGoneWhileShown = qv::Windows::loaded("frmEmployee") == nullptr;
        for (const qv::ReportPage& page : preview->document().pages)
            printed << page.texts();
        preview->close();
    });
    click(w.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_TRUE(windowGoneWhileShown);
    EXPECT_TRUE(printed.join(' ').contains("Reed"));
    settle();
    EXPECT_EQ(qv::Windows::loaded("frmEmployee"), nullptr);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, DraggingTheTitleOrAFindLabelMovesTheWindow)
{
    EmployeeWindow& w = open();
    for (int index : {0, 11, 12}) {
        QLabel* label = w.findChild<QLabel*>(qv::arrayMemberName("Label1", index));
        ASSERT_TRUE(label) << index;
        const QPoint before = w.pos();
        auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent e(type, at, label->mapToGlobal(at), Qt::RightButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(label, &e);
        };
        send(QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton);
        send(QEvent::MouseMove, QPoint(25, 12), Qt::RightButton);
        send(QEvent::MouseButtonRelease, QPoint(25, 12), Qt::NoButton);
        EXPECT_EQ(w.pos(), before + QPoint(20, 7)) << index;
        send(QEvent::MouseMove, QPoint(60, 40), Qt::NoButton);
        EXPECT_EQ(w.pos(), before + QPoint(20, 7)) << index;
    }
}
