// The assets register as a record window: what it shows, saving, moving,
// deleting, the pick lists and the clear buttons.
#include "support/user_hands.h"
#include "assets_fixture.h"

#include "platform/data/recordset.h"
#include "platform/print/rich_text_box.h"
#include "platform/values/clock.h"

#include "platform/print/print_devices.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>

TEST_F(AssetsTest, OpensOnTheFirstItemWithFormatsTimeAndDate)
{
    qv::ScopedClock clock(QDateTime(QDate(2026, 8, 12), QTime(14, 5, 9)));
    Form2& w = open();
    EXPECT_EQ(w.windowTitle(), "Business");
    EXPECT_EQ(w.Label1->text(), "Business Assets and Equipment Inventory");
    EXPECT_EQ(w.lblStatus->text(), "Record: 1");
    EXPECT_EQ(box(2)->text(), "Salon Chair");
    EXPECT_EQ(box(7)->text(), "$1,200.00");
    EXPECT_EQ(box(10)->text(), "$1,400.00");
    EXPECT_EQ(box(11)->text(), "$900.00");
    EXPECT_EQ(box(8)->text(), "5/1/00");
    // Both boxes of one field show it.
    EXPECT_EQ(box(17)->text(), "On");
    EXPECT_EQ(box(18)->text(), "On");
    EXPECT_EQ(box(23)->text(), "Quorvel Hair Studio");
    EXPECT_EQ(box(24)->text(), "Quorvel Hair Studio");
    EXPECT_EQ(w.Label2->text(), "The time is 2:05:09 PM");
    EXPECT_EQ(w.Label3->text(), "Today's date....8/12/2026");
    EXPECT_TRUE(w.closeCommandRemoved());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    // Panels and the calendar wait to be asked for.
    EXPECT_FALSE(w.Picture2->isVisible());
    EXPECT_FALSE(w.Picture3->isVisible());
    EXPECT_FALSE(w.MonthView1->isVisible());
    EXPECT_EQ(w.Combo3->currentText(), "Category");
    EXPECT_EQ(w.Combo2->currentText(), "Location");
    EXPECT_EQ(w.Combo6->currentText(), "On/Off");
    EXPECT_EQ(w.Combo3->count(), 14);
    EXPECT_EQ(w.Combo2->count(), 17);
    EXPECT_EQ(w.DataGrid2->model()->columnCount(), 21);
}

TEST_F(AssetsTest, AddedItemIsStoredWithItsTypesAndNotes)
{
    Form2& w = open();
    click(w.cmdAdd);
    EXPECT_EQ(w.lblStatus->text(), "Add record");
    EXPECT_TRUE(w.txtfields.value(0)->hasFocus());
    type(box(0), "Electronics");
    type(box(2), "Till");
    type(box(7), "$1,234.50");
    type(box(8), "3/4/05");
    type(w.rtf3, "Serviced yearly");
    click(w.cmdUpdate);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_TRUE(w.cmdAdd->isVisible());
    EXPECT_EQ(db.count("Business"), 3);
    EXPECT_EQ(stored("Till", "Category").toString(), "Electronics");
    EXPECT_DOUBLE_EQ(storedMoney("Till", "PurchasePrice"), 1234.5);
    EXPECT_EQ(stored("Till", "PurchaseDate").toDate(), QDate(2005, 3, 4));
    EXPECT_TRUE(stored("Till", "Notes").toString().contains("Serviced yearly"));
}

TEST_F(AssetsTest, EnterInBrowseModeSavesTypedText)
{
    Form2& w = open();
    type(box(4), "Takara");
    qvtest::press(Qt::Key_Return);
    EXPECT_EQ(stored("Salon Chair", "Manufacturer").toString(), "Takara");
    EXPECT_TRUE(messages().isEmpty());
    // While editing, Enter does nothing.
    click(w.cmdEdit);
    type(box(4), "Belmont");
    qvtest::press(Qt::Key_Return);
    EXPECT_EQ(stored("Salon Chair", "Manufacturer").toString(), "Takara");
    EXPECT_TRUE(w.cmdUpdate->isVisible());
}

TEST_F(AssetsTest, NextAndPreviousStopAtTheEndsWithoutBeepOrMessage)
{
    Form2& w = open();
    click(w.cmdNext);
    EXPECT_EQ(box(2)->text(), "Hair Dryer");
    click(w.cmdNext);
    EXPECT_EQ(box(2)->text(), "Hair Dryer");
    EXPECT_EQ(w.lblStatus->text(), "Record: 2");
    click(w.cmdPrevious);
    click(w.cmdPrevious);
    EXPECT_EQ(box(2)->text(), "Salon Chair");
    EXPECT_EQ(ui.script.beeps(), 0);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(AssetsTest, EmptyTableMovesNowhereQuietly)
{
    seed = false;
    Form2& w = open();
    click(w.cmdNext);
    click(w.cmdPrevious);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_EQ(w.DataGrid2->model()->rowCount(), 0);
    EXPECT_FALSE(pictureShown());
}

TEST_F(AssetsTest, DeleteAsksAndMovesOnWhateverTheAnswer)
{
    Form2& w = open();
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(w.cmdDelete);
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Delete the Current Record");
    EXPECT_EQ(ui.script.events[0].title, "Delete Record");
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::YesNo | qv::MsgStyle::Question);
    EXPECT_EQ(db.count("Business"), 2);
    EXPECT_EQ(box(2)->text(), "Hair Dryer");

    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(w.cmdDelete);
    EXPECT_EQ(db.count("Business"), 1);
    EXPECT_FALSE(stored("Hair Dryer", "ItemName").isValid());
    EXPECT_EQ(box(2)->text(), "Salon Chair");
}

TEST_F(AssetsTest, DeleteWhileAddingDeletesNothing)
{
    Form2& w = open();
    click(w.cmdAdd);
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    // The button is not on screen while adding: the handler itself is asked.
    w.cmdDelete_Click();
    EXPECT_FALSE(stored("Salon Chair", "ItemName").isNull());
    EXPECT_FALSE(stored("Hair Dryer", "ItemName").isNull());
}

TEST_F(AssetsTest, RefusedSaveSaysSoAndKeepsThePicturePath)
{
    Form2& w = open();
    const QString path = pictureFile("chair.bmp", Qt::red);
    ui.script.fileAnswers = {path};
    click(w.cmdEdit);
    click(w.Command2);
    type(box(8), "no date at all");
    click(w.cmdUpdate);
    EXPECT_EQ(messages(), QStringList{"You do not have a record to update. Click Cancel."});
    // Still editing, and the path is not lost with the failure.
    EXPECT_TRUE(w.cmdCancel->isVisible());
    EXPECT_EQ(box(16)->text(), path);
    type(box(8), "6/1/00");
    click(w.cmdUpdate);
    EXPECT_EQ(stored("Salon Chair", "Imagekey").toString(), path);
    EXPECT_EQ(stored("Salon Chair", "PurchaseDate").toDate(), QDate(2000, 6, 1));
    // The button that lost the focus shows the saved record's picture again.
    EXPECT_TRUE(pictureShown());
}

TEST_F(AssetsTest, ListsWriteIntoTheirBoxes)
{
    Form2& w = open();
    // A pick from the list.
    ASSERT_TRUE(qvtest::pick(w.Combo3, "Office Equipment"));
    EXPECT_EQ(box(0)->text(), "Office Equipment");
    // Typed text goes only when the list's own box is clicked.
    type(w.Combo2->lineEdit(), "Back Room");
    EXPECT_EQ(box(1)->text(), "Salon");
    qvtest::clickAt(w.Combo2->lineEdit());
    EXPECT_EQ(box(1)->text(), "Back Room");
    // Emptying the list empties the box.
    type(w.Combo3->lineEdit(), "");
    EXPECT_EQ(box(0)->text(), "");
    // The site list writes only its two values, in the first box.
    type(w.Combo6->lineEdit(), "Off Site");
    qvtest::clickAt(w.Combo6->lineEdit());
    EXPECT_EQ(box(17)->text(), "Off Site");
    type(w.Combo6->lineEdit(), "Elsewhere");
    qvtest::clickAt(w.Combo6->lineEdit());
    EXPECT_EQ(box(17)->text(), "Off Site");
    click(w.cmdNext);
    click(w.cmdPrevious);
    EXPECT_EQ(stored("Salon Chair", "On_OffSite").toString(), "Off Site");
    EXPECT_EQ(box(18)->text(), "Off Site");
    EXPECT_EQ(stored("Salon Chair", "Location").toString(), "Back Room");
}

TEST_F(AssetsTest, ClearButtonsEmptyTheBoxButNotTheList)
{
    Form2& w = open();
    ASSERT_TRUE(qvtest::pick(w.Combo3, "Vehicle"));
    click(w.Command14);
    EXPECT_EQ(box(0)->text(), "");
    EXPECT_EQ(w.Combo3->currentText(), "Vehicle");
    click(w.Command12);
    EXPECT_EQ(box(1)->text(), "");
    click(w.cmdNext);
    EXPECT_TRUE(stored("Salon Chair", "Category").toString().isEmpty());
    EXPECT_TRUE(stored("Salon Chair", "Location").toString().isEmpty());
}

TEST_F(AssetsTest, FocusedBoxTurnsWhiteAndBackToTheWindowColour)
{
    Form2& w = open();
    type(box(3), "x");
    EXPECT_TRUE(box(3)->styleSheet().contains("#FFFFFF"));
    qvtest::clickAt(box(5));
    EXPECT_TRUE(box(3)->styleSheet().contains("#BAC9D1"));
    (void)w;
}

// Notes keep the size of the window's design (8 points) whatever screen they
// were typed on; on a larger screen they are only shown larger, as the rest
// of the window, and they print in the size they were written in.
TEST_F(AssetsTest, NotesAreStoredInTheDesignSizeWhateverTheScreen)
{
    Form2& w = open();
    const QRegularExpression sizes(QStringLiteral("\\\\fs(\\d+)"));
    auto storedSizes = [&] {
        QStringList found;
        const QString rtf = stored("Salon Chair", "Notes").toString();
        for (auto it = sizes.globalMatch(rtf); it.hasNext();)
            found << it.next().captured(1);
        found.removeDuplicates();
        return found;
    };
    // The test screen is larger than the window was drawn for.
    const double firstShown = w.rtf3->font().pointSizeF();
    ASSERT_GT(firstShown, 8.5);
    click(w.cmdEdit);
    type(w.rtf3, "Serviced yearly");
    click(w.cmdUpdate);
    EXPECT_EQ(storedSizes().join(","), "16");

    // On to a screen of 1280 x 1024: the window grows again when it is next active.
    w.scaling.screenPixels = [] { return QSize(1280, 1024); };
    qv::Window& other = *qv::Windows::show(QStringLiteral("Calculator"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const double shown = w.rtf3->font().pointSizeF();
    ASSERT_GT(shown, firstShown);
    // The stored note is shown as large as what is typed now.
    QTextCursor first(w.rtf3->document());
    first.setPosition(1);
    EXPECT_NEAR(first.charFormat().font().resolve(w.rtf3->document()->defaultFont()).pointSizeF(), shown, 0.01);

    click(w.cmdEdit);
    w.rtf3->setFocus();
    qvtest::press(Qt::Key_End, Qt::ControlModifier);
    qvtest::typeKeys(" and oiled");
    click(w.cmdUpdate);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_TRUE(stored("Salon Chair", "Notes").toString().contains("Serviced yearly and oiled"));
    EXPECT_EQ(storedSizes().join(","), "16");

    // On paper the note has the size it was written in.
    click(w.Command1);
    ASSERT_EQ(printing->jobs().size(), 1);
    bool printed = false;
    for (const qv::PrintedText& t : printing->jobs()[0].pages[0].texts)
        if (t.text.contains("oiled")) {
            printed = true;
            EXPECT_NEAR(t.size, 8.0, 0.01);
        }
    EXPECT_TRUE(printed);
}
