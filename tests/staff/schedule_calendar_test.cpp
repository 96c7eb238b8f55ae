// The schedule calendar driven as the staff and the manager use it: sheets
// browsed and typed into while locked, the password and the lock, adding a
// month, finding one, the memo panel and its drag, the report of all sheets,
// and what reaches the database file.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "platform/forms/many_line_box.h"
#include "platform/report/report_preview.h"
#include "platform/services/services.h"
#include "shell/calendar_login.h"
#include "staff/calendar_tips.h"
#include "staff/schedule_calendar.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QDateEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        db.seed();
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    ScheduleCalendar& open()
    {
        w = qv::Windows::show<ScheduleCalendar>();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        ui.script.clear();
        return *w;
    }
    static void click(QWidget* target)
    {
        ASSERT_TRUE(target->isVisible()) << target->objectName().toStdString();
        qvtest::clickAt(target);
    }
    static void type(QWidget* target, const QString& text) { qvtest::typeInto(target, text); }
    // Types lines into a cell, Enter between them.
    static void typeLines(QWidget* target, const QStringList& lines)
    {
        ASSERT_TRUE(qvtest::typeInto(target, lines.value(0)));
        for (int i = 1; i < lines.size(); ++i) {
            qvtest::press(Qt::Key_Return);
            qvtest::typeKeys(lines[i]);
        }
    }
    void unlock()
    {
        click(w->findChild<QPushButton*>(QStringLiteral("Command4")));
        auto* dialog = qv::Windows::loaded<CalendarLogin>();
        ASSERT_NE(dialog, nullptr);
        type(dialog->findChild<QLineEdit*>(QStringLiteral("txtPassword")), PasswordDialog::kPassword);
        qvtest::press(Qt::Key_Return);
    }
    QString stored(const QString& month, const QString& field)
    {
        return db.scalar("SELECT " + field + " FROM Calendar WHERE MonthYear='" + month + "'").toString();
    }
    QString month() const { return w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 43))->text(); }
    void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        QMouseEvent e(type, QPointF(at), target->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    ScheduleCalendar* w = nullptr;
};

} // namespace

TEST_F(CalendarTest, OpensLockedOnTheFirstSheetWithTheCellsInTheirWeekdays)
{
    db.insert("Calendar", {{"MonthYear", "September 2001"}, {"day1", "Sun one"}, {"day7", "Sat one"},
                           {"day15", "Mon three"}, {"day16", "Tue three"}, {"day41", "Fri six"},
                           {"day42", "Sat six"}});
    ScheduleCalendar& f = open();
    EXPECT_EQ(f.windowTitle(), "Employee and Salon Schedule");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(month(), "July 2001");
    EXPECT_EQ(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 42))->text(), "July 2001");
    EXPECT_EQ(f.cell(1, 1)->toPlainText(), "1\nClosed");
    EXPECT_FALSE(f.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(f.closeCommandRemoved());

    for (QWidget* shown : {(QWidget*)f.findChild<QPushButton*>(QStringLiteral("Command1")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("Command2")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("Command4")),
                           (QWidget*)f.findChild<qv::PictureBox*>(QStringLiteral("Image3")), (QWidget*)f.findChild<QFrame*>(QStringLiteral("Picture1")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdClose")),
                           (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdFirst")),
                           (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdPrevious")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdNext")),
                           (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdLast")), (QWidget*)f.findChild<QDateEdit*>(QStringLiteral("DTPicker1"))})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden : {(QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdAdd")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")),
                            (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdCancel")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")),
                            (QWidget*)f.findChild<QPushButton*>(QStringLiteral("Command9")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdEdit")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdDelete")),
                            (QWidget*)f.findChild<QFrame*>(QStringLiteral("Picture2")),
                            (QWidget*)f.findChild<QPushButton*>(QStringLiteral("Command5")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("Command6"))})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();

    // The cell of week row r and weekday c shows field 7(r-1)+c, whatever the
    // order of the boxes' indexes.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(month(), "September 2001");
    EXPECT_EQ(f.cell(1, 1)->toPlainText(), "Sun one");
    EXPECT_EQ(f.cell(1, 7)->toPlainText(), "Sat one");
    EXPECT_EQ(f.cell(3, 1)->toPlainText(), "Mon three");
    EXPECT_EQ(f.cell(3, 2)->toPlainText(), "Tue three");
    EXPECT_EQ(f.cell(6, 6)->toPlainText(), "Fri six");
    EXPECT_EQ(f.cell(6, 7)->toPlainText(), "Sat six");
    EXPECT_EQ(f.cell(6, 7)->box(), f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 15)));
    EXPECT_EQ(f.cell(3, 2)->box(), f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 16)));
    EXPECT_EQ(f.cell(6, 6)->box(), f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 41)));

    // Tab runs through the cells in day order.
    click(f.cell(3, 1));
    qvtest::press(Qt::Key_Tab);
    EXPECT_EQ(qvtest::focused(), f.cell(3, 2));
    click(f.cell(2, 7));
    qvtest::press(Qt::Key_Tab);
    EXPECT_EQ(qvtest::focused(), f.cell(3, 1));
}

TEST_F(CalendarTest, TypingWhileLockedIsWrittenByAMoveAndByClose)
{
    ScheduleCalendar& f = open();
    typeLines(f.cell(1, 4), {"4", "Maria 9-5", "Tom off"});
    EXPECT_EQ(stored("July 2001", "day4"), "");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(stored("July 2001", "day4"), "4\nMaria 9-5\nTom off");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");

    // Close (here by Esc) writes what was typed on the sheet it is on.
    typeLines(f.cell(1, 6), {"3", "Jenny late"});
    qvtest::press(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded<ScheduleCalendar>(), nullptr);
    EXPECT_EQ(stored("August 2001", "day6"), "3\nJenny late");
    EXPECT_EQ(db.count("Calendar"), 2);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(CalendarTest, ADayReadsOnItsLinesWithoutAScrollBarUntilItHoldsMore)
{
    ScheduleCalendar& f = open();
    qv::ManyLineBox* cell = f.cell(2, 1);
    typeLines(cell, {"8", "Closed (Easter)"});
    EXPECT_FALSE(cell->verticalScrollBar()->isVisible());
    const QTextBlock closed = cell->document()->findBlockByNumber(1);
    ASSERT_EQ(closed.text(), "Closed (Easter)");
    EXPECT_EQ(closed.layout()->lineCount(), 1) << "wrapped in a cell " << cell->viewport()->width() << " px wide";

    // A day of more lines than the cell shows scrolls.
    typeLines(cell, {"8", "Maria 9-5", "Jenny 10-6", "Tom 12-8", "Ann 9-1", "Bob off"});
    EXPECT_TRUE(cell->verticalScrollBar()->isVisible());
}

TEST_F(CalendarTest, ShowingSheetsWritesNothingBack)
{
    // Line ends as another program left them: showing the sheet must not
    // rewrite the cell.
    db.insert("Calendar", {{"MonthYear", "Windows 2002"}, {"day9", QStringLiteral("9\r\nAnn")}});
    ScheduleCalendar& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(f.dayCell(9)->toPlainText().remove('\r'), "9\nAnn");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    EXPECT_EQ(stored("Windows 2002", "day9"), QStringLiteral("9\r\nAnn"));
    EXPECT_EQ(stored("July 2001", "day1"), "1\nClosed");
}

TEST_F(CalendarTest, PasswordShowsTheEditButtonsAndTheLockHidesThem)
{
    ScheduleCalendar& f = open();
    unlock();
    for (QWidget* b : {(QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdAdd")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                       (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")),
                       (QWidget*)f.findChild<QPushButton*>(QStringLiteral("Command9")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdClose"))})
        EXPECT_TRUE(b->isVisible()) << b->objectName().toStdString();
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdDelete"))->isVisible());
    EXPECT_FALSE(qv::Windows::loaded<CalendarLogin>()->isVisible());

    click(f.findChild<QPushButton*>(QStringLiteral("Command9")));
    for (QWidget* b : {(QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdAdd")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")), (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                       (QWidget*)f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")),
                       (QWidget*)f.findChild<QPushButton*>(QStringLiteral("Command9"))})
        EXPECT_FALSE(b->isVisible()) << b->objectName().toStdString();
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdClose"))->isVisible());

    // A new load starts locked again.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    ScheduleCalendar& again = open();
    EXPECT_FALSE(again.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
}

TEST_F(CalendarTest, AddingAMonthKeysWaitAndUpdateStoresItAsTheLastSheet)
{
    ScheduleCalendar& f = open();
    unlock();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
    EXPECT_TRUE(month().isEmpty());
    EXPECT_TRUE(f.cell(1, 1)->toPlainText().isEmpty());
    // No buttons switch: Add stays, Close stays.
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdClose"))->isVisible());

    type(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 43)), "September 2001");
    typeLines(f.cell(1, 7), {"1", "Maria"});
    // Esc asks about the month (Cancel stays); the moving keys wait until
    // the month is saved.
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    qvtest::press(Qt::Key_Escape);
    EXPECT_EQ(ui.script.messages(),
              QStringList{"This record is still being added or changed. Save it before the window closes?"});
    ui.script.clear();
    click(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 43)));
    qvtest::press(Qt::Key_Home);
    qvtest::press(Qt::Key_PageUp);
    QApplication::processEvents();
    ASSERT_EQ(qv::Windows::loaded<ScheduleCalendar>(), &f);
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");

    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_FALSE(f.isAddingRecord());
    EXPECT_EQ(db.count("Calendar"), 3);
    EXPECT_EQ(stored("September 2001", "day7"), "1\nMaria");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 3");
    EXPECT_EQ(month(), "September 2001");

    // Browsing again: the keys move, but Home and End in the month's box
    // are the box's own (with Ctrl, the sheets'). The password dialog has
    // gone; the schedule is the active window again.
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    qvtest::clickAt(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 43)));
    qvtest::press(Qt::Key_Home);
    EXPECT_EQ(month(), "September 2001");
    qvtest::press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(month(), "July 2001");
    qvtest::press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(month(), "September 2001");
    qvtest::press(Qt::Key_Up);
    EXPECT_EQ(month(), "August 2001");

    // In a day's cell of several lines every moving key is the cell's, and
    // what is typed next stays on this sheet.
    ASSERT_TRUE(qvtest::clickAt(f.cell(1, 4), QPoint(8, 6)));
    for (Qt::Key k : {Qt::Key_End, Qt::Key_Home, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_PageUp})
        qvtest::press(k);
    EXPECT_EQ(month(), "August 2001");
    qvtest::press(Qt::Key_Down);
    qvtest::press(Qt::Key_End);
    qvtest::typeKeys(", Tom");
    qvtest::press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(month(), "September 2001");
    EXPECT_EQ(stored("August 2001", "day4"), "1\nMaria, Tom");
    EXPECT_EQ(stored("September 2001", "day4"), "");
}

TEST_F(CalendarTest, ANewSheetIsWrittenByUpdateNotByTheButtonsMovingOffIt)
{
    ScheduleCalendar& f = open();
    unlock();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 43)), "October 2001");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    EXPECT_EQ(month(), "October 2001");
    EXPECT_EQ(db.count("Calendar"), 2);
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Calendar WHERE MonthYear='October 2001'").toInt(), 1);
}

TEST_F(CalendarTest, CancelDropsTypingAndTheNewSheetAndReturnsToTheSheetBefore)
{
    ScheduleCalendar& f = open();
    unlock();
    typeLines(f.cell(1, 2), {"2", "nobody"});
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(f.cell(1, 2)->toPlainText(), "2\nMaria, Jenny");

    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 43)), "Never 2001");
    typeLines(f.cell(2, 2), {"9"});
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_FALSE(f.isAddingRecord());
    EXPECT_EQ(month(), "August 2001");
    EXPECT_EQ(f.cell(2, 2)->toPlainText(), "");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    EXPECT_EQ(db.count("Calendar"), 2);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Calendar WHERE MonthYear='Never 2001'").toInt(), 0);
    EXPECT_EQ(stored("July 2001", "day2"), "2\nMaria, Jenny");
}

TEST_F(CalendarTest, UpdateIsSilentWithNothingToWriteAndSaysSoWhenTheWriteIsRefused)
{
    ScheduleCalendar& f = open();
    unlock();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty());

    db.execRaw("CREATE TRIGGER no_change BEFORE UPDATE ON Calendar BEGIN SELECT RAISE(ABORT, 'sheet locked'); END");
    typeLines(f.cell(1, 3), {"3", "Tom", "Jenny"});
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(ui.script.messages(), QStringList{"You have nothing to update.Click Cancel or make an entry."});
    EXPECT_EQ(stored("July 2001", "day3"), "3\nTom");

    // Close does not drop what the database refused: it says why and stays.
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    ASSERT_EQ(qv::Windows::loaded<ScheduleCalendar>(), &f);
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(ui.script.messages().first().contains("sheet locked", Qt::CaseInsensitive)) << ui.script.messages().first().toStdString();
    EXPECT_EQ(f.cell(1, 3)->toPlainText(), "3\nTom\nJenny");

    db.execRaw("DROP TRIGGER no_change");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded<ScheduleCalendar>(), nullptr);
    EXPECT_EQ(stored("July 2001", "day3"), "3\nTom\nJenny");
}

TEST_F(CalendarTest, FindSearchesTheMonthTextAnywhere)
{
    db.insert("Calendar", {{"MonthYear", "July 2002"}});
    ScheduleCalendar& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));

    // Nothing typed: nothing changes and nothing is shown.
    ui.script.inputAnswers.push_back(QString());
    click(f.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(month(), "August 2001");
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Enter In the Month and Year you want to find");
    EXPECT_TRUE(ui.script.events[0].title.isEmpty());

    // Not there: the sentence runs straight into the typed text; the sheet stays.
    ui.script.clear();
    ui.script.inputAnswers.push_back("March");
    click(f.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(ui.script.messages(), QStringList{"Sorry, couldn't find this month and yearMarch"});
    EXPECT_EQ(month(), "August 2001");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");

    // The first sheet in table order, the text anywhere, letters in any case.
    ui.script.clear();
    ui.script.inputAnswers.push_back("jul");
    click(f.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(month(), "July 2001");
    ui.script.inputAnswers.push_back("y 2002");
    click(f.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(month(), "July 2002");
    EXPECT_EQ(f.cell(1, 1)->toPlainText(), "");
    // A quote is text like any other.
    ui.script.clear();
    ui.script.inputAnswers.push_back("O'Neil");
    click(f.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(ui.script.messages(), QStringList{"Sorry, couldn't find this month and yearO'Neil"});
    EXPECT_EQ(month(), "July 2002");
}

TEST_F(CalendarTest, ReportPrintsEverySheetWhicheverIsShown)
{
    db.insert("Calendar", {{"MonthYear", "January 2002"}, {"day3", "1\nNew Year"}});
    ScheduleCalendar& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));

    qv::ReportDocument shown;
    QString title;
    bool opened = false;
    QTimer::singleShot(0, [&] {
        qv::ReportPreview* p = qv::ReportPreview::current();
        if (!p)
            return;
        opened = true;
        shown = p->document();
        title = p->windowTitle();
        p->cmdClose->click();
    });
    click(f.findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_TRUE(opened);
    EXPECT_EQ(title, "Salon Schedule");
    QStringList months, cells;
    for (const qv::ReportPage& page : shown.pages)
        for (const qv::ReportItem& item : page.itemsIn(qv::ReportBand::Detail)) {
            if (item.dataField == "MonthYear")
                months << item.text;
            if (item.dataField == "day3")
                cells << item.text;
        }
    EXPECT_EQ(months, (QStringList{"July 2001", "August 2001", "January 2002"}));
    EXPECT_TRUE(cells.contains("1\nNew Year"));
    EXPECT_EQ(month(), "August 2001");
}

TEST_F(CalendarTest, MemoPanelShowsTheSheetsMemoAndSavesIt)
{
    ScheduleCalendar& f = open();
    click(f.findChild<QLabel*>(QStringLiteral("Label4")));
    EXPECT_TRUE(f.findChild<QFrame*>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command5"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command6"))->isVisible());
    EXPECT_EQ(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_44_lines"))->toPlainText(), "Inventory count on the 31st");
    EXPECT_EQ(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_44_lines"))->toolTip(), "Type in Memo");
    EXPECT_EQ(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 42))->text(), "July 2001");

    // The two month boxes are one field.
    type(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 42)), "July 2001 (summer)");
    EXPECT_EQ(month(), "July 2001 (summer)");

    // The memo takes at most 255 characters.
    typeLines(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_44_lines")), {"Order foils", QString(300, QLatin1Char('x'))});
    EXPECT_EQ(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_44_lines"))->toPlainText().size(), 255);
    click(f.findChild<QPushButton*>(QStringLiteral("Command6")));   // Update over the panel, even while locked
    EXPECT_TRUE(ui.script.messages().isEmpty());
    const QString memo = db.scalar("SELECT Memo FROM Calendar WHERE MonthYear='July 2001 (summer)'").toString();
    EXPECT_EQ(memo.size(), 255);
    EXPECT_TRUE(memo.startsWith("Order foils\nxxx"));

    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_44_lines"))->toPlainText(), "");
    EXPECT_EQ(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 42))->text(), "August 2001");

    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_FALSE(f.findChild<QFrame*>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command5"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command6"))->isVisible());
    click(f.findChild<QFrame*>(QStringLiteral("Picture1")));
    EXPECT_TRUE(f.findChild<QFrame*>(QStringLiteral("Picture2"))->isVisible());
}

TEST_F(CalendarTest, DraggingTheMemoPanelMovesTheWholeWindow)
{
    ScheduleCalendar& f = open();
    click(f.findChild<QFrame*>(QStringLiteral("Picture1")));
    f.move(100, 80);
    const QPoint start = f.pos();

    sendMouse(f.findChild<QFrame*>(QStringLiteral("Picture2")), QEvent::MouseMove, {40, 60}, Qt::NoButton);
    EXPECT_EQ(f.pos(), start);

    sendMouse(f.findChild<QFrame*>(QStringLiteral("Picture2")), QEvent::MouseButtonPress, {10, 100}, Qt::LeftButton);
    EXPECT_TRUE(f.isDragging());
    sendMouse(f.findChild<QFrame*>(QStringLiteral("Picture2")), QEvent::MouseMove, {30, 85}, Qt::LeftButton);
    EXPECT_EQ(f.pos(), start + QPoint(20, -15));
    // The panel moved with the window: the pointer is back where it was taken.
    sendMouse(f.findChild<QFrame*>(QStringLiteral("Picture2")), QEvent::MouseMove, {15, 100}, Qt::LeftButton);
    EXPECT_EQ(f.pos(), start + QPoint(25, -15));
    sendMouse(f.findChild<QFrame*>(QStringLiteral("Picture2")), QEvent::MouseButtonRelease, {15, 100}, Qt::NoButton);
    EXPECT_FALSE(f.isDragging());

    sendMouse(f.findChild<QFrame*>(QStringLiteral("Picture2")), QEvent::MouseMove, {200, 10}, Qt::NoButton);
    EXPECT_EQ(f.pos(), start + QPoint(25, -15));
}

TEST_F(CalendarTest, TheTipsPictureShowsTheCalendarTips)
{
    ScheduleCalendar& f = open();
    click(f.findChild<qv::PictureBox*>(QStringLiteral("Image3")));
    auto* tips = qv::Windows::loaded<CalendarTips>();
    ASSERT_NE(tips, nullptr);
    EXPECT_TRUE(tips->isVisible());
    EXPECT_EQ(tips->windowTitle(), "Calendar Tips");
    EXPECT_TRUE(tips->findChild<QLabel*>(QStringLiteral("Label1"))->text().contains("month and year"));
}

TEST_F(CalendarTest, WithoutItsTableTheWindowSaysWhyAndStillCloses)
{
    db.execRaw("DROP TABLE Calendar");
    qv::Windows::show<ScheduleCalendar>();
    EXPECT_EQ(ui.script.messages().size(), 1);
    auto* f = qv::Windows::loaded<ScheduleCalendar>();
    ASSERT_NE(f, nullptr);
    ui.script.clear();
    click(f->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(ui.script.messages().size(), 1);
    click(f->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded<ScheduleCalendar>(), nullptr);
}

// Pictures for a person to look at: set QV_SHOT_DIR to a folder; skipped without it.
TEST_F(CalendarTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    // October 2001 begins on a Monday.
    QVariantMap sheet{{"MonthYear", "October 2001"}, {"Memo", "Staff meeting on the 15th"}};
    for (int day = 1; day <= 31; ++day)
        sheet.insert(QStringLiteral("day%1").arg(day + 1),
                     QStringLiteral("%1\n%2").arg(day).arg(day % 7 == 6 ? "Closed" : "Maria 9-5\nTom 12-8"));
    db.insert("Calendar", sheet);
    ScheduleCalendar& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    unlock();
    QTest::qWait(50);
    EXPECT_TRUE(f.grab().save(folder + "/frmCalendar.png"));
    click(f.findChild<QFrame*>(QStringLiteral("Picture1")));
    QTest::qWait(50);
    EXPECT_TRUE(f.grab().save(folder + "/frmCalendar_memo.png"));
    click(f.findChild<qv::PictureBox*>(QStringLiteral("Image3")));
    QTest::qWait(50);
    EXPECT_TRUE(qv::Windows::loaded<CalendarTips>()->grab().save(folder + "/frmquicktips3.png"));

    QTimer::singleShot(0, [&] {
        if (qv::ReportPreview* p = qv::ReportPreview::current()) {
            const qv::ReportDocument doc = p->document();
            EXPECT_TRUE(qv::reportPageImage(doc, doc.pages.size() - 1, 60).save(folder + "/DataReport5.png"));
            p->cmdClose->click();
        }
    });
    click(f.findChild<QPushButton*>(QStringLiteral("Command1")));
}

TEST_F(CalendarTest, ANewSalonsEmptyScheduleTakesTypingOnlyOnceAddGivesItASheet)
{
    db.execRaw("DELETE FROM Calendar");
    ScheduleCalendar& f = open();
    // Locked, with no sheet: nothing typed can be kept, so nothing is taken.
    qvtest::typeInto(f.cell(1, 1), "1");
    qvtest::typeInto(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 43)), "May 2027");
    EXPECT_TRUE(f.cell(1, 1)->toPlainText().isEmpty());
    EXPECT_TRUE(month().isEmpty());

    // Add gives the typing a sheet; Update keeps it, and the cells stay open.
    unlock();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 43)), "May 2027");
    typeLines(f.cell(1, 6), {"1", "Maria 9-5"});
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(stored("May 2027", "day6"), "1\nMaria 9-5");
    typeLines(f.cell(1, 7), {"2"});
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_EQ(stored("May 2027", "day7"), "2");
    EXPECT_EQ(db.count("Calendar"), 1);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}
