// The bar of links to the other windows, the tool buttons, the panels, the
// quarter and week of a picked day and the programs of the system.
#include "support/user_hands.h"
#include "assets_fixture.h"

#include "assets/system_programs.h"
#include "platform/forms/controls.h"

TEST_F(AssetsTest, BarOpensOtherWindowsAndGivesWayWhereItShould)
{
    Form2& w = open();
    click(w.Command18);
    EXPECT_NE(qv::Windows::loaded("frmEmployee"), nullptr);
    click(w.Command17);
    EXPECT_NE(qv::Windows::loaded("frmCustomers"), nullptr);
    click(w.Command24);
    EXPECT_NE(qv::Windows::loaded("Frmdatabase"), nullptr);
    click(w.Command25);
    EXPECT_NE(qv::Windows::loaded("Form6a"), nullptr);
    click(w.CmdCalulator);
    EXPECT_NE(qv::Windows::loaded("Calculator"), nullptr);
    click(w.Cmdtavrine);
    EXPECT_EQ(qv::Windows::loaded("Form2"), &w);
    // Tools.
    click(w.Command10);
    EXPECT_NE(qv::Windows::loaded("Frmhelp"), nullptr);
    click(w.Command11);
    EXPECT_NE(qv::Windows::loaded("ViewerForm"), nullptr);
    click(w.Image3);
    EXPECT_NE(qv::Windows::loaded("frmTip"), nullptr);
    EXPECT_TRUE(messages().isEmpty());

    // The appointment book takes over from the management menu and this window.
    qv::Windows::show("frmmangement");
    click(w.Command20);
    settle();
    EXPECT_NE(qv::Windows::loaded("Form3"), nullptr);
    EXPECT_EQ(qv::Windows::loaded("frmmangement"), nullptr);
    EXPECT_EQ(qv::Windows::loaded("Form2"), nullptr);
}

TEST_F(AssetsTest, ManagementButtonClosesTheWindowAndExitClosesAll)
{
    Form2& w = open();
    click(w.Command19);
    settle();
    EXPECT_NE(qv::Windows::loaded("frmmangement"), nullptr);
    EXPECT_EQ(qv::Windows::loaded("Form2"), nullptr);

    seed = false;
    Form2& again = open();
    qv::Windows::show("frmEmployee");
    qv::Windows::show("Calculator");
    click(again.Command23);
    settle();
    EXPECT_TRUE(qv::Windows::all().isEmpty());
}

TEST_F(AssetsTest, TypedTextIsSavedWhenTheBarClosesTheWindow)
{
    Form2& w = open();
    type(box(9), "Salon Depot");
    click(w.Command19);
    settle();
    EXPECT_EQ(stored("Salon Chair", "PurchasedFrom").toString(), "Salon Depot");
}

TEST_F(AssetsTest, PanelsOpenAndCloseWithTheirFocus)
{
    Form2& w = open();
    click(w.Command13);
    EXPECT_TRUE(w.Picture2->isVisible());
    EXPECT_TRUE(w.Command16->isVisible());
    EXPECT_TRUE(box(23)->hasFocus());
    qvtest::clickAt(box(22));
    qvtest::clickAt(w.Picture2, QPoint(w.Picture2->width() - 4, w.Picture2->height() - 4));
    EXPECT_TRUE(box(23)->hasFocus());
    click(w.Command16);
    EXPECT_FALSE(w.Picture2->isVisible());
    EXPECT_TRUE(box(0)->hasFocus());

    // The grid hides the calendar, and closing the grid hides it too.
    click(w.Image1);
    EXPECT_TRUE(w.MonthView1->isVisible());
    click(w.Command15);
    EXPECT_TRUE(w.Picture3->isVisible());
    EXPECT_FALSE(w.MonthView1->isVisible());
    click(w.Image1);
    click(w.Command5);
    EXPECT_FALSE(w.Picture3->isVisible());
    EXPECT_FALSE(w.MonthView1->isVisible());
    EXPECT_FALSE(w.Command22->isVisible());
}

TEST_F(AssetsTest, GridPickMovesTheRecordAndItsPicture)
{
    const QString path = pictureFile("dryer.bmp", Qt::darkGreen);
    db.seed();
    db.execRaw(QStringLiteral("UPDATE Business SET Imagekey = '%1' WHERE ItemName = 'Hair Dryer'").arg(path));
    seed = false;
    Form2& w = open();
    EXPECT_FALSE(pictureShown());
    click(w.Command15);
    const QRect cell = w.DataGrid2->visualRect(w.DataGrid2->model()->index(1, 3));
    qvtest::clickAt(w.DataGrid2->viewport(), cell.center());
    EXPECT_EQ(box(2)->text(), "Hair Dryer");
    EXPECT_EQ(w.DataGrid2->model()->headerData(12, Qt::Horizontal).toString(), "Appraised By");
    EXPECT_EQ(w.DataGrid2->model()->data(w.DataGrid2->model()->index(0, 9)).toString(), "$1,200.00");
    EXPECT_TRUE(pictureShown());
}

TEST_F(AssetsTest, PickedDayTellsQuarterAndWeek)
{
    EXPECT_EQ(Form2::quarterAndWeek(QDate(2026, 8, 12)), "Third Quarter of 2026  Week 33");
    EXPECT_EQ(Form2::quarterAndWeek(QDate(2026, 3, 31)), "First Quarter of 2026  Week 14");
    EXPECT_EQ(Form2::quarterAndWeek(QDate(2026, 4, 1)), "Second Quarter of 2026  Week 14");
    EXPECT_EQ(Form2::quarterAndWeek(QDate(2025, 10, 1)).left(18), "Fourth Quarter of ");
    EXPECT_EQ(Form2::quarterAndWeek(QDate(2025, 12, 31)).left(18), "Fourth Quarter of ");

    Form2& w = open();
    click(w.Image1);
    ASSERT_TRUE(qvtest::clickDay(w.MonthView1, QDate(2026, 11, 3)));
    EXPECT_EQ(w.Label3->text(), "Fourth Quarter of 2026  Week 45");
}

TEST_F(AssetsTest, EveryShownSundayIsBold)
{
    const QVector<bool> bold = Form2::MonthView1_GetDayBold(1, 42);
    for (int i = 0; i < 42; ++i)
        EXPECT_EQ(bold[i], i % 7 == 0) << i;
    // Another first day of the week never reaches before the first shown day.
    const QVector<bool> monday = Form2::MonthView1_GetDayBold(2, 42);
    EXPECT_EQ(monday.size(), 42);
    EXPECT_FALSE(monday[0]);
    EXPECT_TRUE(monday[6]);

    Form2& w = open();
    const QDate first = w.MonthView1->firstShownDay();
    EXPECT_EQ(first.dayOfWeek(), Qt::Sunday);
    EXPECT_TRUE(w.MonthView1->dateTextFormat(first).font().bold());
    EXPECT_TRUE(w.MonthView1->dateTextFormat(first.addDays(14)).font().bold());
    EXPECT_FALSE(w.MonthView1->dateTextFormat(first.addDays(15)).font().bold());
}

TEST_F(AssetsTest, ProgramsStartByTheirStandInsAndAMissingOneIsPassedOverQuietly)
{
    Form2& w = open();
    click(w.Picture4);
    click(w.Command9);
    click(w.Command7);
    click(w.Command8);
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
    click(w.Picture4);
    click(w.Command7);
    click(w.Command8);
    // A program the system lacks is not started, and nothing is said; both
    // scanners are still asked for.
    EXPECT_EQ(ui.script.events.size(), 4);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(w.isVisible());
}
