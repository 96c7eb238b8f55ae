// The bar of links to the other windows, the tool buttons, the panels, the
// quarter and week of a picked day and the programs of the system.
#include "support/user_hands.h"
#include "assets_fixture.h"

#include "assets/system_programs.h"
#include "platform/forms/controls.h"

#include <QFile>

TEST_F(AssetsTest, BarOpensOtherWindowsAndGivesWayWhereItShould)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Command18")));
    EXPECT_NE(qv::Windows::loaded("frmEmployee"), nullptr);
    click(w.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_NE(qv::Windows::loaded("frmCustomers"), nullptr);
    click(w.findChild<QPushButton*>(QStringLiteral("Command24")));
    EXPECT_NE(qv::Windows::loaded("Frmdatabase"), nullptr);
    click(w.findChild<QPushButton*>(QStringLiteral("Command25")));
    EXPECT_NE(qv::Windows::loaded("Form6a"), nullptr);
    click(w.findChild<QPushButton*>(QStringLiteral("CmdCalulator")));
    EXPECT_NE(qv::Windows::loaded("Calculator"), nullptr);
    click(w.findChild<QPushButton*>(QStringLiteral("Cmdtavrine")));
    EXPECT_EQ(qv::Windows::loaded("Form2"), &w);
    // Tools; the help window reads the help text beside the program.
    {
        QFile help(db.folder() + "/Index.rtf");
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.write("{\\rtf1\\ansi Help\\par}");
    }
    click(w.findChild<QPushButton*>(QStringLiteral("Command10")));
    EXPECT_NE(qv::Windows::loaded("Frmhelp"), nullptr);
    click(w.findChild<QPushButton*>(QStringLiteral("Command11")));
    EXPECT_NE(qv::Windows::loaded("ViewerForm"), nullptr);
    click(w.findChild<QPushButton*>(QStringLiteral("Image3")));
    EXPECT_NE(qv::Windows::loaded("frmTip"), nullptr);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();

    // The appointment book takes over from the management menu and this window.
    qv::Windows::show("frmmangement");
    click(w.findChild<QPushButton*>(QStringLiteral("Command20")));
    settle();
    EXPECT_NE(qv::Windows::loaded("Form3"), nullptr);
    EXPECT_EQ(qv::Windows::loaded("frmmangement"), nullptr);
    EXPECT_EQ(qv::Windows::loaded("Form2"), nullptr);
}

TEST_F(AssetsTest, ManagementButtonClosesTheWindowAndExitClosesAll)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Command19")));
    settle();
    EXPECT_NE(qv::Windows::loaded("frmmangement"), nullptr);
    EXPECT_EQ(qv::Windows::loaded("Form2"), nullptr);

    seed = false;
    BusinessAssets& again = open();
    qv::Windows::show("frmEmployee");
    qv::Windows::show("Calculator");
    // An asset being edited is asked about first: Yes saves it as Update does.
    click(again.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(PurchasedFromBox), "Salon Depot");
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(again.findChild<QPushButton*>(QStringLiteral("Command23")));
    settle();
    EXPECT_EQ(messages(), QStringList{"This record is still being added or changed. Save it before the window closes?"});
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(stored("Salon Chair", "PurchasedFrom").toString(), "Salon Depot");
}

TEST_F(AssetsTest, TypedTextIsSavedWhenTheBarClosesTheWindow)
{
    BusinessAssets& w = open();
    type(box(PurchasedFromBox), "Salon Depot");
    click(w.findChild<QPushButton*>(QStringLiteral("Command19")));
    settle();
    EXPECT_EQ(stored("Salon Chair", "PurchasedFrom").toString(), "Salon Depot");
}

TEST_F(AssetsTest, PanelsOpenAndCloseWithTheirFocus)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Command13")));
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("Command16"))->isVisible());
    EXPECT_TRUE(box(BusinessNameBox)->hasFocus());
    qvtest::clickAt(box(AddressBox));
    qvtest::clickAt(w.findChild<QWidget*>(QStringLiteral("Picture2")), QPoint(w.findChild<QWidget*>(QStringLiteral("Picture2"))->width() - 4, w.findChild<QWidget*>(QStringLiteral("Picture2"))->height() - 4));
    EXPECT_TRUE(box(BusinessNameBox)->hasFocus());
    click(w.findChild<QPushButton*>(QStringLiteral("Command16")));
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_TRUE(box(CategoryBox)->hasFocus());

    // The grid hides the calendar, and closing the grid hides it too.
    click(w.findChild<QPushButton*>(QStringLiteral("Image1")));
    EXPECT_TRUE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());
    click(w.findChild<QPushButton*>(QStringLiteral("Command15")));
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("Picture3"))->isVisible());
    EXPECT_FALSE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());
    click(w.findChild<QPushButton*>(QStringLiteral("Image1")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture3"))->isVisible());
    EXPECT_FALSE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("Command22"))->isVisible());
}

TEST_F(AssetsTest, GridPickMovesTheRecordAndItsPicture)
{
    const QString path = pictureFile("dryer.bmp", Qt::darkGreen);
    db.seed();
    db.execRaw(QStringLiteral("UPDATE Business SET Imagekey = '%1' WHERE ItemName = 'Hair Dryer'").arg(path));
    seed = false;
    BusinessAssets& w = open();
    EXPECT_FALSE(pictureShown());
    click(w.findChild<QPushButton*>(QStringLiteral("Command15")));
    const QRect cell = w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid2"))->visualRect(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid2"))->model()->index(1, 3));
    qvtest::clickAt(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid2"))->viewport(), cell.center());
    EXPECT_EQ(box(ItemNameBox)->text(), "Hair Dryer");
    EXPECT_EQ(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid2"))->model()->headerData(12, Qt::Horizontal).toString(), "Appraised By");
    EXPECT_EQ(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid2"))->model()->data(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid2"))->model()->index(0, 9)).toString(), "$1,200.00");
    EXPECT_TRUE(pictureShown());
}

TEST_F(AssetsTest, PickedDayTellsQuarterAndWeek)
{
    EXPECT_EQ(BusinessAssets::quarterAndWeek(QDate(2026, 8, 12)), "Third Quarter of 2026  Week 33");
    EXPECT_EQ(BusinessAssets::quarterAndWeek(QDate(2026, 3, 31)), "First Quarter of 2026  Week 14");
    EXPECT_EQ(BusinessAssets::quarterAndWeek(QDate(2026, 4, 1)), "Second Quarter of 2026  Week 14");
    EXPECT_EQ(BusinessAssets::quarterAndWeek(QDate(2025, 10, 1)).left(18), "Fourth Quarter of ");
    EXPECT_EQ(BusinessAssets::quarterAndWeek(QDate(2025, 12, 31)).left(18), "Fourth Quarter of ");

    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Image1")));
    ASSERT_TRUE(qvtest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1")), QDate(2026, 11, 3)));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label3"))->text(), "Fourth Quarter of 2026  Week 45");
}

TEST_F(AssetsTest, EveryShownSundayIsBold)
{
    const QVector<bool> bold = BusinessAssets::boldWeekStarts(1, 42);
    for (int i = 0; i < 42; ++i)
        EXPECT_EQ(bold[i], i % 7 == 0) << i;
    // Another first day of the week never reaches before the first shown day.
    const QVector<bool> monday = BusinessAssets::boldWeekStarts(2, 42);
    EXPECT_EQ(monday.size(), 42);
    EXPECT_FALSE(monday[0]);
    EXPECT_TRUE(monday[6]);

    BusinessAssets& w = open();
    const QDate first = w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->firstShownDay();
    EXPECT_EQ(first.dayOfWeek(), Qt::Sunday);
    EXPECT_TRUE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->dateTextFormat(first).font().bold());
    EXPECT_TRUE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->dateTextFormat(first.addDays(14)).font().bold());
    EXPECT_FALSE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->dateTextFormat(first.addDays(15)).font().bold());
}

TEST_F(AssetsTest, ProgramsStartByTheirStandInsAndAMissingOneIsPassedOverQuietly)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Picture4")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command7")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command8")));
    QStringList started;
    for (const qv::UiEvent& e : ui.script.events)
        if (e.kind == qv::UiEvent::Launch)
            started << e.text;
    ASSERT_EQ(started.size(), 5);
    EXPECT_TRUE(systemProgramCandidates("Notepad.exe").contains(started[0]));
    EXPECT_TRUE(systemProgramCandidates("Pbrush.exe").contains(started[1]));
    // Both scanning programs are asked for.
    EXPECT_TRUE(systemProgramCandidates("kodakimg.exe").contains(started[2]));
    EXPECT_TRUE(systemProgramCandidates("WangImg.exe").contains(started[3]));
    EXPECT_EQ(started[4], webOpener());
    EXPECT_EQ(ui.script.events.back().arguments, QStringList{makerWebPage()});
    EXPECT_TRUE(messages().isEmpty());

    ui.script.clear();
    ui.script.launchSucceeds = false;
    click(w.findChild<QPushButton*>(QStringLiteral("Picture4")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command7")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command8")));
    // A program the system lacks is not started, and nothing is said; both
    // scanners are still asked for.
    EXPECT_EQ(ui.script.events.size(), 4);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(w.isVisible());
}
