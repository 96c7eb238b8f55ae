// The assets register as a record window: what it shows, saving, moving,
// deleting, the pick lists and the clear buttons.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "assets_fixture.h"

#include "platform/data/recordset.h"
#include "platform/print/rich_text_box.h"
#include "platform/values/clock.h"

#include "platform/print/print_devices.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QWheelEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>

TEST_F(AssetsTest, OpensOnTheFirstItemWithFormatsTimeAndDate)
{
    qv::ScopedClock clock(QDateTime(QDate(2026, 8, 12), QTime(14, 5, 9)));
    BusinessAssets& w = open();
    EXPECT_EQ(w.windowTitle(), "Business");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label1"))->text(), "Business Assets and Equipment Inventory");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(box(ItemNameBox)->text(), "Salon Chair");
    EXPECT_EQ(box(PurchasePriceBox)->text(), "$1,200.00");
    EXPECT_EQ(box(ReplacementCostBox)->text(), "$1,400.00");
    EXPECT_EQ(box(AppraisedValueBox)->text(), "$900.00");
    EXPECT_EQ(box(PurchaseDateBox)->text(), "5/1/00");
    // Both boxes of one field show it.
    EXPECT_EQ(box(SiteBox)->text(), "On");
    EXPECT_EQ(box(SiteAgainBox)->text(), "On");
    EXPECT_EQ(box(BusinessNameBox)->text(), "Quorvel Hair Studio");
    EXPECT_EQ(box(BusinessNameAgainBox)->text(), "Quorvel Hair Studio");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label2"))->text(), "The time is 2:05:09 PM");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label3"))->text(), "Today's date....8/12/2026");
    EXPECT_TRUE(w.closeCommandRemoved());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    // Panels and the calendar wait to be asked for.
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Picture3"))->isVisible());
    EXPECT_FALSE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("Combo3"))->currentText(), "Category");
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("Combo2"))->currentText(), "Location");
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("Combo6"))->currentText(), "On/Off");
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("Combo3"))->count(), 14);
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("Combo2"))->count(), 17);
    EXPECT_EQ(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid2"))->model()->columnCount(), 21);
}

TEST_F(AssetsTest, AddedItemIsStoredWithItsTypesAndNotes)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
    EXPECT_TRUE(w.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", CategoryBox))->hasFocus());
    type(box(CategoryBox), "Electronics");
    type(box(ItemNameBox), "Till");
    type(box(PurchasePriceBox), "$1,234.50");
    type(box(PurchaseDateBox), "3/4/05");
    type(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3")), "Serviced yearly");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_EQ(db.count("Business"), 3);
    EXPECT_EQ(stored("Till", "Category").toString(), "Electronics");
    EXPECT_DOUBLE_EQ(storedMoney("Till", "PurchasePrice"), 1234.5);
    EXPECT_EQ(stored("Till", "PurchaseDate").toDate(), QDate(2005, 3, 4));
    EXPECT_TRUE(stored("Till", "Notes").toString().contains("Serviced yearly"));
}

TEST_F(AssetsTest, EnterInBrowseModeSavesTypedText)
{
    BusinessAssets& w = open();
    type(box(ManufacturerBox), "Takara");
    qvtest::press(Qt::Key_Return);
    EXPECT_EQ(stored("Salon Chair", "Manufacturer").toString(), "Takara");
    EXPECT_TRUE(messages().isEmpty());
    // While editing, Enter does nothing.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(ManufacturerBox), "Belmont");
    qvtest::press(Qt::Key_Return);
    EXPECT_EQ(stored("Salon Chair", "Manufacturer").toString(), "Takara");
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
}

TEST_F(AssetsTest, NextAndPreviousStopAtTheEndsWithoutBeepOrMessage)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(ItemNameBox)->text(), "Hair Dryer");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(ItemNameBox)->text(), "Hair Dryer");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(box(ItemNameBox)->text(), "Salon Chair");
    EXPECT_EQ(ui.script.beeps(), 0);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(AssetsTest, EmptyTableMovesNowhereQuietly)
{
    seed = false;
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_EQ(w.findChild<qv::DataGrid*>(QStringLiteral("DataGrid2"))->model()->rowCount(), 0);
    EXPECT_FALSE(pictureShown());
}

TEST_F(AssetsTest, DeleteAsksAndMovesOnWhateverTheAnswer)
{
    BusinessAssets& w = open();
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(w.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Delete the Current Record");
    EXPECT_EQ(ui.script.events[0].title, "Delete Record");
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::YesNo | qv::MsgStyle::Question);
    EXPECT_EQ(db.count("Business"), 2);
    EXPECT_EQ(box(ItemNameBox)->text(), "Hair Dryer");

    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(w.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Business"), 1);
    EXPECT_FALSE(stored("Hair Dryer", "ItemName").isValid());
    EXPECT_EQ(box(ItemNameBox)->text(), "Salon Chair");
}

TEST_F(AssetsTest, DeleteWhileAddingDeletesNothing)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    // The button is not on screen while adding: it is pressed without the mouse.
    w.findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
    EXPECT_FALSE(stored("Salon Chair", "ItemName").isNull());
    EXPECT_FALSE(stored("Hair Dryer", "ItemName").isNull());
}

TEST_F(AssetsTest, RefusedSaveSaysSoAndKeepsThePicturePath)
{
    BusinessAssets& w = open();
    const QString path = pictureFile("chair.bmp", Qt::red);
    ui.script.fileAnswers = {path};
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    type(box(PurchaseDateBox), "no date at all");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    // There is a record: the refusal gives the date's reason, not advice to cancel.
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("The record was not saved; what you typed is still here.\r\nThe value "
                                         "'no date at all'"))
        << messages()[0].toStdString();
    // Still editing, and the path is not lost with the failure.
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());
    EXPECT_EQ(box(PicturePathBox)->text(), path);
    type(box(PurchaseDateBox), "6/1/00");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(stored("Salon Chair", "Imagekey").toString(), path);
    EXPECT_EQ(stored("Salon Chair", "PurchaseDate").toDate(), QDate(2000, 6, 1));
    // The button that lost the focus shows the saved record's picture again.
    EXPECT_TRUE(pictureShown());
}

TEST_F(AssetsTest, ListsWriteIntoTheirBoxes)
{
    BusinessAssets& w = open();
    // A pick from the list.
    ASSERT_TRUE(qvtest::pick(w.findChild<QComboBox*>(QStringLiteral("Combo3")), "Office Equipment"));
    EXPECT_EQ(box(CategoryBox)->text(), "Office Equipment");
    // Typed text goes only when the list's own box is clicked.
    type(w.findChild<QComboBox*>(QStringLiteral("Combo2"))->lineEdit(), "Back Room");
    EXPECT_EQ(box(LocationBox)->text(), "Salon");
    qvtest::clickAt(w.findChild<QComboBox*>(QStringLiteral("Combo2"))->lineEdit());
    EXPECT_EQ(box(LocationBox)->text(), "Back Room");
    // Emptying the list empties the box.
    type(w.findChild<QComboBox*>(QStringLiteral("Combo3"))->lineEdit(), "");
    EXPECT_EQ(box(CategoryBox)->text(), "");
    // The site list writes only its two values, in the first box.
    type(w.findChild<QComboBox*>(QStringLiteral("Combo6"))->lineEdit(), "Off Site");
    qvtest::clickAt(w.findChild<QComboBox*>(QStringLiteral("Combo6"))->lineEdit());
    EXPECT_EQ(box(SiteBox)->text(), "Off Site");
    type(w.findChild<QComboBox*>(QStringLiteral("Combo6"))->lineEdit(), "Elsewhere");
    qvtest::clickAt(w.findChild<QComboBox*>(QStringLiteral("Combo6"))->lineEdit());
    EXPECT_EQ(box(SiteBox)->text(), "Off Site");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(stored("Salon Chair", "On_OffSite").toString(), "Off Site");
    EXPECT_EQ(box(SiteAgainBox)->text(), "Off Site");
    EXPECT_EQ(stored("Salon Chair", "Location").toString(), "Back Room");
}

TEST_F(AssetsTest, ClearButtonsEmptyTheBoxButNotTheList)
{
    BusinessAssets& w = open();
    ASSERT_TRUE(qvtest::pick(w.findChild<QComboBox*>(QStringLiteral("Combo3")), "Vehicle"));
    click(w.findChild<QPushButton*>(QStringLiteral("Command14")));
    EXPECT_EQ(box(CategoryBox)->text(), "");
    EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("Combo3"))->currentText(), "Vehicle");
    click(w.findChild<QPushButton*>(QStringLiteral("Command12")));
    EXPECT_EQ(box(LocationBox)->text(), "");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_TRUE(stored("Salon Chair", "Category").toString().isEmpty());
    EXPECT_TRUE(stored("Salon Chair", "Location").toString().isEmpty());
}

TEST_F(AssetsTest, FocusedBoxTurnsWhiteAndBackToTheWindowColour)
{
    BusinessAssets& w = open();
    type(box(ItemDescriptionBox), "x");
    EXPECT_TRUE(box(ItemDescriptionBox)->styleSheet().contains("#FFFFFF"));
    qvtest::clickAt(box(ModelBox));
    EXPECT_TRUE(box(ItemDescriptionBox)->styleSheet().contains("#BAC9D1"));
    (void)w;
}

// Notes keep the size of the window's design (8 points) whatever screen they
// were typed on; on a larger screen they are only shown larger, as the rest
// of the window, and they print in the size they were written in.
TEST_F(AssetsTest, NotesAreStoredInTheDesignSizeWhateverTheScreen)
{
    BusinessAssets& w = open();
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
    const double firstShown = w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->font().pointSizeF();
    ASSERT_GT(firstShown, 8.5);
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3")), "Serviced yearly");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(storedSizes().join(","), "16");

    // On to a screen of 1280 x 1024: the window grows again when it is next active.
    w.scaling.screenPixels = [] { return QSize(1280, 1024); };
    qv::Window& other = *qv::Windows::show(QStringLiteral("Calculator"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const double shown = w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->font().pointSizeF();
    ASSERT_GT(shown, firstShown);
    // The stored note is shown as large as what is typed now.
    QTextCursor first(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->document());
    first.setPosition(1);
    EXPECT_NEAR(first.charFormat().font().resolve(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->document()->defaultFont()).pointSizeF(), shown, 0.01);

    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3"))->setFocus();
    qvtest::press(Qt::Key_End, Qt::ControlModifier);
    qvtest::typeKeys(" and oiled");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_TRUE(stored("Salon Chair", "Notes").toString().contains("Serviced yearly and oiled"));
    EXPECT_EQ(storedSizes().join(","), "16");

    // On paper the note has the size it was written in.
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_EQ(printing->jobs().size(), 1);
    bool printed = false;
    for (const qv::PrintedText& t : printing->jobs()[0].pages[0].texts)
        if (t.text.contains("oiled")) {
            printed = true;
            EXPECT_NEAR(t.size, 8.0, 0.01);
        }
    EXPECT_TRUE(printed);
}

TEST_F(AssetsTest, AfterAPickTheMovingKeysAndTheWheelOnlyMove)
{
    BusinessAssets& w = open();
    auto* categories = w.findChild<QComboBox*>(QStringLiteral("Combo3"));
    auto* locations = w.findChild<QComboBox*>(QStringLiteral("Combo2"));
    ASSERT_TRUE(qvtest::pick(categories, "Office Equipment"));
    ASSERT_TRUE(categories->hasFocus() || categories->lineEdit()->hasFocus());
    // Down, with the list still holding the focus, moves to the next item and
    // writes nothing into it; the list keeps its choice.
    qvtest::press(Qt::Key_Down);
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    EXPECT_EQ(box(CategoryBox)->text(), "HairDryers");
    EXPECT_EQ(categories->currentText(), "Office Equipment");
    qvtest::press(Qt::Key_PageUp);
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(stored("Salon Chair", "Category").toString(), "Office Equipment");
    EXPECT_EQ(stored("Hair Dryer", "Category").toString(), "HairDryers");

    // The wheel over a closed list picks nothing.
    const QPoint centre = locations->rect().center();
    QWheelEvent wheel(QPointF(centre), QPointF(locations->mapToGlobal(centre)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(locations, &wheel);
    EXPECT_EQ(locations->currentText(), "Location");
    EXPECT_EQ(box(LocationBox)->text(), "Salon");
    qvtest::press(Qt::Key_Down);
    EXPECT_EQ(stored("Salon Chair", "Location").toString(), "Salon");
    EXPECT_EQ(stored("Hair Dryer", "Location").toString(), "Salon");
}
