// The non-retail stock window driven as the salon uses it: an item used is
// posted with Edit and Update, the figures reach the table when the row is
// left, Refresh and Close recompute and save, and the manager unlocks the
// returned and lost boxes through the real password dialog.
#include "support/line_hands.h"
#include "platform/forms/window.h"
#include "support/user_hands.h"
#include "inventory/inventory_master.h"
#include "inventory/wholesale_products.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "platform/values/money.h"
#include "shell/wholesale_login.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class WholesaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        db.seed();   // non-retail: Gloves (wholesale 9) before Foils (wholesale 5)
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    // An item used in the salon; wholesale decides its place (highest first).
    void item(const QString& category, double wholesale, double start, double used, double cost,
              const QVariantMap& more = {})
    {
        QVariantMap row{{"Category", category}, {"SystemStockNumber", "3" + category.left(3)}, {"Price", 0.0},
                        {"WholeSale", wholesale}, {"StartingQuantity", start}, {"Sold", used},
                        {"CostValueOfStock", cost}};
        row.insert(more);
        db.insert("StockControl", row);
    }

    NonRetailProducts& open()
    {
        w = qv::Windows::show<NonRetailProducts>();
        activate(w);
        ui.script.clear();
        return *w;
    }
    // The window the user turns to takes the keyboard.
    static void activate(QWidget* window)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    qv::TextBox* box(int index) { return w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", index)); }
    // Clicks into the box, selects what it holds and types over it.
    void type(QWidget* target, const QString& text) { qvtest::typeInto(target, text); }
    void click(QAbstractButton* button)
    {
        ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        qvtest::clickAt(button);
    }
    void unlock(const QString& password = "marvo")
    {
        click(w->findChild<QPushButton*>(QStringLiteral("Command6")));
        auto* dialog = qv::Windows::loaded<NonRetailProductsLogin>();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        type(dialog->findChild<QLineEdit*>(QStringLiteral("txtPassword")), password);
        click(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")));
        if (!dialog->isVisible())
            activate(w);   // the dialog gone, the window is the user's again
    }
    // Edit, the quantity (and the corrections, when given), Update.
    void post(const QString& quantity, const QString& returned = {}, const QString& lost = {})
    {
        click(w->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
        type(box(18), quantity);
        if (!returned.isEmpty())
            type(box(9), returned);
        if (!lost.isEmpty())
            type(box(5), lost);
        click(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    }
    // A stored figure (money fields included) as a number; null stays null.
    QVariant stored(const QString& category, const QString& field)
    {
        const QVariant v = db.scalar("SELECT " + field + " FROM StockControl WHERE Category='" + category + "'");
        if (v.metaType() == QMetaType::fromType<qv::Money>())
            return v.value<qv::Money>().toDouble();
        return v;
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    NonRetailProducts* w = nullptr;
};

} // namespace

TEST_F(WholesaleTest, OpensOnTheItemsWithoutPriceHighestWholesaleFirstAndLocked)
{
    NonRetailProducts& f = open();
    EXPECT_EQ(f.windowTitle(), "Wholesale Products");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("Label1"))->text(), "Non Retail Inventory");
    EXPECT_TRUE(
        f.findChild<QLabel*>(QStringLiteral("Label3"))->text().startsWith("Enter Your non retail use of Items as they are used per Client."));
    EXPECT_TRUE(f.closeCommandRemoved());
    EXPECT_EQ(box(17)->text(), "Gloves");
    EXPECT_EQ(box(1)->text(), "2.00");
    EXPECT_EQ(box(8)->text(), "0.00");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(f.recordset()->recordCount(), 2);
    ASSERT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 2);
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->index(1, 0).data().toString(), "Foils");
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->index(0, 1).data().toString(), "2002");
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->index(0, 2).data().toString(), "$0.00");
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->headerData(2, Qt::Horizontal).toString(), "Selling Price");

    // Locked: the corrections, the closed padlock; no Add, no Delete, no tax box.
    EXPECT_FALSE(box(9)->isEnabled());
    EXPECT_FALSE(box(5)->isEnabled());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command6"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command9"))->isVisibleTo(&f));
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisibleTo(&f));
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdDelete"))->isVisibleTo(&f));
    EXPECT_FALSE(f.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 11)));
    EXPECT_EQ(f.findChild<QLabel*>(qv::arrayMemberName("lblLabels", 21))->text(), "MGR EDIT");
    for (int hidden : {19, 21, 23, 24})
        EXPECT_FALSE(box(hidden)->isVisibleTo(&f)) << hidden;
    // Only the comment, in-stock, memo and entry boxes take typing.
    for (auto [index, open] : std::initializer_list<std::pair<int, bool>>{
             {0, true}, {2, true}, {6, true}, {18, true}, {1, false}, {7, false}, {8, false}, {10, false},
             {15, false}, {16, false}, {17, false}, {20, false}})
        EXPECT_EQ(!box(index)->isReadOnly(), open) << index;
    EXPECT_TRUE(f.findChild<qv::TextBox*>(QStringLiteral("TxtSupplier_25"))->isReadOnly());
}

TEST_F(WholesaleTest, UpdatePostsTheQuantityUsedAndSavesTheFiguresWithIt)
{
    item("Bleach", 50, 10, 3, 2.5);
    NonRetailProducts& f = open();
    ASSERT_EQ(box(17)->text(), "Bleach");
    post("2");
    // Saved at once, and shown as saved.
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_EQ(box(15)->text(), "0.00");
    EXPECT_EQ(box(16)->text(), "-12.50");
    EXPECT_EQ(box(2)->text(), "5");
    EXPECT_EQ(box(20)->text(), "12.50");
    for (int emptied : {18, 21, 9, 5})
        EXPECT_TRUE(box(emptied)->text().isEmpty()) << emptied;
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    EXPECT_EQ(stored("Bleach", "Sold").toDouble(), 5);

    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(17)->text(), "Gloves");
    EXPECT_EQ(stored("Bleach", "CurrentlyInStock").toDouble(), 5);
    EXPECT_EQ(stored("Bleach", "NetProfitFromSales").toDouble(), -12.5);
    EXPECT_EQ(stored("Bleach", "QuantityStatus").toDouble(), 12.5);
    EXPECT_EQ(stored("Bleach", "GrossSales").toDouble(), 0);
    EXPECT_EQ(stored("Bleach", "Totals").toDouble(), 0);

    // Back on it, the saved figures show in their formats.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    EXPECT_EQ(box(20)->text(), "12.50");
    EXPECT_EQ(box(16)->text(), "-12.50");
    EXPECT_EQ(box(2)->text(), "5");
}

TEST_F(WholesaleTest, TheManagerBooksLossesAndReturnsThroughThePassword)
{
    item("Bleach", 50, 10, 5, 2.5, {{"LostDamagedTotals", 2}});
    NonRetailProducts& f = open();

    unlock("wrong");
    EXPECT_EQ(ui.script.messages().value(0), "Invalid Password, try again!");
    EXPECT_FALSE(box(5)->isEnabled());
    click(qv::Windows::loaded<NonRetailProductsLogin>()->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    ui.script.clear();

    unlock();
    EXPECT_EQ(ui.script.messages(),
              QStringList{" The Returned to Stock and Lost or Damaged fields are now enabled. Click the closed "
                          "Padlock button to disable."});
    EXPECT_FALSE(qv::Windows::loaded<NonRetailProductsLogin>()->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command9"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command6"))->isVisible());
    EXPECT_TRUE(box(5)->isEnabled());
    EXPECT_TRUE(box(9)->isEnabled());

    // No quantity, one lost: the stock and its value fall, the quantity
    // used stays (10 taken in, 5 used, 3 lost in all).
    post("", {}, "1");
    EXPECT_EQ(box(16)->text(), "-12.50");
    EXPECT_EQ(box(2)->text(), "2");
    EXPECT_EQ(box(20)->text(), "5.00");
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_EQ(box(24)->text(), "3");
    EXPECT_TRUE(box(5)->text().isEmpty());
    EXPECT_TRUE(box(5)->isEnabled());   // a post leaves the gate as it was

    // Four come back: the three lost are found again before a use is taken
    // back, so the cost of what was used falls by one unit only.
    post("", "4");
    EXPECT_EQ(box(16)->text(), "-10.00");
    // A correction is read as a quantity is: "-1" returned would book a use
    // and run the returned total back, "2,5" would book 2. Nothing is booked.
    for (const char* typed : {"-1", "2,5"}) {
        ui.script.clear();
        post("", typed);
        EXPECT_EQ(ui.script.messages(), QStringList{"Returned To Stock takes a number of units of at least 1, like 1 "
                                                    "or 2.5. Please enter it and click the Update button again."});
        EXPECT_EQ(box(10)->text(), "4") << typed;
        click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    }
    // More than was used and lost cannot come back: nothing is booked (read below).
    ui.script.clear();
    post("", "5");
    EXPECT_EQ(ui.script.messages(),
              QStringList{"Returned To Stock cannot be more than the units this item has sold and lost (4)."});
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    ui.script.clear();

    click(f.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command9"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command6"))->isVisible());
    EXPECT_FALSE(box(5)->isEnabled());
    EXPECT_FALSE(box(9)->isEnabled());
    EXPECT_TRUE(ui.script.messages().isEmpty());

    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(stored("Bleach", "CurrentlyInStock").toDouble(), 6);
    EXPECT_EQ(stored("Bleach", "Sold").toDouble(), 4);
    EXPECT_EQ(stored("Bleach", "NetProfitFromSales").toDouble(), -10);
    EXPECT_EQ(stored("Bleach", "LostDamagedTotals").toDouble(), 0);
    EXPECT_EQ(stored("Bleach", "ReturnToStockTotals").toDouble(), 4);
    EXPECT_TRUE(stored("Bleach", "LostOrDamaged").isNull());
    EXPECT_TRUE(stored("Bleach", "ReturnedToStock").isNull());
}

TEST_F(WholesaleTest, FewerThanTwoInStockWarnsOnEveryPost)
{
    item("Bleach", 50, 10, 8, 1);
    NonRetailProducts& f = open();
    post("");   // 2 left: no warning
    EXPECT_EQ(box(2)->text(), "2");
    EXPECT_TRUE(ui.script.messages().isEmpty());
    post("1");
    EXPECT_EQ(ui.script.messages(), QStringList{"TIME TO RE-ORDER!"});
    EXPECT_EQ(ui.script.beeps(), 1);
    // The beep comes once the warning has been answered.
    ASSERT_EQ(ui.script.events.size(), 2u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Message);
    EXPECT_EQ(ui.script.events[1].kind, qv::UiEvent::Beep);
    post("");   // nothing used, still 1 left
    post("3");  // below nothing
    EXPECT_EQ(box(2)->text(), "-2");
    EXPECT_EQ(ui.script.messages().size(), 3);
    EXPECT_EQ(ui.script.beeps(), 3);
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());
}

// Foils counts a loss in its quantity used too, as the salon's older postings did.
TEST_F(WholesaleTest, RefreshAndCloseWithNothingTypedWriteNoFigure)
{
    db.execRaw("UPDATE StockControl SET LostDamagedTotals=1 WHERE Category='Foils'");
    NonRetailProducts& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));   // Foils: 100 taken in, 10 used, cost 3
    ASSERT_EQ(box(17)->text(), "Foils");
    type(box(18), "4");
    ui.script.msgAnswers = {qv::MsgResult::No};   // not to be posted
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));   // the last row: saved, wrapped to the first and shown from the top
    EXPECT_EQ(box(17)->text(), "Gloves");
    EXPECT_EQ(stored("Foils", "Sold").toDouble(), 10);
    EXPECT_EQ(stored("Foils", "CurrentlyInStock").toDouble(), 90);
    EXPECT_EQ(stored("Foils", "QuantityStatus").toDouble(), 270);
    EXPECT_TRUE(stored("Foils", "NetProfitFromSales").isNull());
    EXPECT_EQ(ui.script.messages().size(), 1);   // whether to post the 4

    // Close after a post saves the posted figures, then the window goes.
    post("5");
    EXPECT_EQ(box(2)->text(), "40");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_FALSE(qv::Windows::loaded<NonRetailProducts>());
    EXPECT_EQ(stored("Gloves", "Sold").toDouble(), 10);
    EXPECT_EQ(stored("Gloves", "CurrentlyInStock").toDouble(), 40);
    EXPECT_EQ(stored("Gloves", "QuantityStatus").toDouble(), 80);
    EXPECT_EQ(stored("Foils", "Sold").toDouble(), 10);
    EXPECT_EQ(stored("Foils", "CurrentlyInStock").toDouble(), 90);
}

TEST_F(WholesaleTest, EscClosesWhileBrowsingAndAsksWhileEditing)
{
    NonRetailProducts& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::clickAt(box(0));
    qvtest::press(Qt::Key_X);
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    qvtest::press(Qt::Key_Escape);
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(qv::Windows::loaded<NonRetailProducts>());
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    qvtest::clickAt(box(0));
    qvtest::press(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(qv::Windows::loaded<NonRetailProducts>());
}

TEST_F(WholesaleTest, AnItemAtCostNetsZero)
{
    item("Towels", 50, 20, 4, 0);
    item("Dryer Parts", 40, 5, 1, 1200);
    NonRetailProducts& f = open();
    post("1");
    EXPECT_EQ(box(16)->text(), "0.00");
    EXPECT_EQ(box(2)->text(), "15");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    ASSERT_EQ(box(1)->text(), "1,200.00");
    post("1");   // the cost counts whole, thousands and all
    EXPECT_EQ(box(16)->text(), "-2400.00");
    EXPECT_EQ(box(20)->text(), "3,600.00");
}

TEST_F(WholesaleTest, AQuantityIsAPlainNumberAndAMissingCostCountsAsNothing)
{
    item("Capes", 50, 12, 2, 0, {{"CostValueOfStock", QVariant()}});
    NonRetailProducts& f = open();
    ASSERT_EQ(box(17)->text(), "Capes");
    ASSERT_TRUE(box(1)->text().isEmpty());
    // Read as the ticket's slot buttons read it: nothing is booked, Update stays.
    post("3 capes");
    EXPECT_EQ(ui.script.messages(), QStringList{"A quantity for a Product was not included. Please enter now "
                                                "and click the Update button again."});
    EXPECT_EQ(stored("Capes", "Sold").toDouble(), 2);
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    post("3");
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_EQ(box(2)->text(), "7");
    // No cost known: nothing lost on what was used, and the stock has no value.
    EXPECT_EQ(box(16)->text(), "0.00");
    EXPECT_EQ(box(20)->text(), "0.00");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(stored("Capes", "Sold").toDouble(), 5);
    EXPECT_EQ(stored("Capes", "NetProfitFromSales").toDouble(), 0);
}

TEST_F(WholesaleTest, TheMemoShowsItsLinesAndEnterAddsOne)
{
    item("Towels", 50, 20, 4, 0, {{"Memo", QStringLiteral("Wash at 60\r\nFold in three")}});
    NonRetailProducts& f = open();
    ASSERT_EQ(box(17)->text(), "Towels");
    EXPECT_EQ(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_6_lines"))->blockCount(), 2);
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::addLineAtEnd(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_6_lines")), "Ask Pat");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_EQ(stored("Towels", "Memo").toString().remove('\r'), "Wash at 60\nFold in three\nAsk Pat");
}

TEST_F(WholesaleTest, MovingOnEmptiesTheEntryAndTheCorrectionsOfTheRowLeft)
{
    // Corrections left in the row, never posted: moving on asks about them.
    item("Bleach", 50, 10, 3, 2.5, {{"ReturnedToStock", 2}, {"LostOrDamaged", 1}});
    NonRetailProducts& f = open();
    ASSERT_EQ(box(9)->text(), "2");
    ASSERT_FALSE(box(9)->isEnabled());
    type(box(18), "3");
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(f.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));   // the first row already: stays, without a beep
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_EQ(box(17)->text(), "Bleach");
    for (int emptied : {18, 21, 9, 5})
        EXPECT_TRUE(box(emptied)->text().isEmpty()) << emptied;
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_TRUE(stored("Bleach", "ReturnedToStock").isNull());
    EXPECT_TRUE(stored("Bleach", "LostOrDamaged").isNull());
    EXPECT_EQ(stored("Bleach", "Sold").toDouble(), 3);
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(17)->text(), "Foils");
    EXPECT_EQ(ui.script.beeps(), 0);
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 3");

    // Keys move too; Ctrl+Up goes to the first row.
    qvtest::clickAt(box(0));
    qvtest::press(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(box(17)->text(), "Bleach");

    // A pick in the grid asks too; No leaves the entry behind.
    type(box(18), "2");
    ui.script.msgAnswers = {qv::MsgResult::No};
    qvtest::clickAt(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->viewport(),
                    f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->visualRect(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->index(1, 0)).center());
    EXPECT_EQ(box(17)->text(), "Gloves");
    EXPECT_TRUE(box(18)->text().isEmpty());
    EXPECT_EQ(ui.script.messages().size(), 2);
    EXPECT_EQ(stored("Bleach", "Sold").toDouble(), 3);

    // Cancel drops what was typed and stays on the row edited.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Edit record");
    type(w->findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_6_lines")), "changed memo");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(17)->text(), "Gloves");
    EXPECT_TRUE(box(6)->text().isEmpty());
    EXPECT_TRUE(stored("Gloves", "Memo").isNull());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());
}

TEST_F(WholesaleTest, TheClearButtonsEmptyTheirBoxes)
{
    item("Bleach", 50, 10, 3, 2.5, {{"ReturnedToStock", 2}, {"LostOrDamaged", 1}, {"Totals", 4.0}});
    NonRetailProducts& f = open();
    type(box(18), "3");
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(f.findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Delete the Current Quantity This Entry and Total This Entry? ");
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::YesNo | qv::MsgStyle::Question);
    EXPECT_EQ(ui.script.events[0].title, "Delete amounts");
    EXPECT_EQ(box(18)->text(), "3");
    EXPECT_EQ(box(21)->text(), "4.00");
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(f.findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_TRUE(box(18)->text().isEmpty());
    EXPECT_TRUE(box(21)->text().isEmpty());

    // Locked or not, the two small X buttons empty their box without asking.
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("Command19")));
    EXPECT_TRUE(box(9)->text().isEmpty());
    EXPECT_EQ(box(5)->text(), "1");
    click(f.findChild<QPushButton*>(QStringLiteral("Command21")));
    EXPECT_TRUE(box(5)->text().isEmpty());
    EXPECT_TRUE(ui.script.events.empty());
}

TEST_F(WholesaleTest, WithNoItemWithoutPriceTheWindowOpensEmptyAndStillCloses)
{
    db.execRaw("DELETE FROM StockControl WHERE Price=0");
    NonRetailProducts& f = open();
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 0);
    EXPECT_TRUE(box(17)->text().isEmpty());
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));   // no item: nothing to edit
    EXPECT_FALSE(f.isChangingRecord());
    EXPECT_TRUE(ui.script.messages().isEmpty());
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_FALSE(qv::Windows::loaded<NonRetailProducts>());
    EXPECT_EQ(db.count("StockControl"), 3);
    EXPECT_EQ(stored("Shampoo", "Sold").toDouble(), 5);
}

TEST_F(WholesaleTest, WithoutItsDatabaseTheWindowSaysWhyAndDoesNotOpen)
{
    ASSERT_TRUE(QFile::remove(db.file()));
    qv::Windows::show("Form10");
    QApplication::processEvents();
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_FALSE(qv::Windows::loaded("Form10"));
}

TEST_F(WholesaleTest, AnUpdateTheDatabaseRefusesIsShownAndNothingIsPosted)
{
    NonRetailProducts& f = open();
    unlock();
    ui.script.clear();
    post("2", "abc");
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_EQ(box(18)->text(), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(stored("Gloves", "Sold").toDouble(), 5);

    // A figure the table cannot hold (the cost of all that was used): the
    // posting is refused whole, and the entry is there to be corrected.
    ui.script.clear();
    post("1000000000000000");
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_EQ(box(18)->text(), "1000000000000000");
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_EQ(box(2)->text(), "45");
    qvtest::typeInto(box(18), "1");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(stored("Gloves", "Sold").toDouble(), 6);
    EXPECT_EQ(stored("Gloves", "CurrentlyInStock").toDouble(), 44);
}

// QV_SHOT=<folder> keeps a picture of the window unlocked, for a look.
TEST_F(WholesaleTest, LayoutFitsItsScreen)
{
    NonRetailProducts& f = open();
    unlock();
    type(box(18), "2");
    QApplication::processEvents();
    EXPECT_LE(f.width(), 800);
    EXPECT_LE(f.height(), 600);
    for (QWidget* c : f.findChildren<QWidget*>())
        if (c->isVisibleTo(&f) && c->parentWidget() == &f)
            EXPECT_TRUE(f.rect().contains(c->geometry())) << c->objectName().toStdString();
    for (QLabel* l : f.findChildren<QLabel*>())
        if (l->isVisibleTo(&f) && !l->wordWrap() && !l->text().isEmpty())
            EXPECT_LE(l->sizeHint().width(), l->width()) << l->text().toStdString();
    if (const QByteArray folder = qgetenv("QV_SHOT"); !folder.isEmpty())
        f.grab().save(QString::fromLocal8Bit(folder) + "/wholesale_products.png");
}

TEST_F(WholesaleTest, RefreshLeavesNoQuantityForTheItemShownNext)
{
    NonRetailProducts& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    ASSERT_EQ(box(17)->text(), "Foils");
    qvtest::typeInto(box(18), "4");   // typed, never posted
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    ASSERT_EQ(box(17)->text(), "Gloves");
    EXPECT_TRUE(box(18)->text().isEmpty());
    // The next posting is Gloves' own, with nothing typed for it.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(stored("Gloves", "Sold").toDouble(), 5);
    EXPECT_EQ(stored("Gloves", "CurrentlyInStock").toDouble(), 45);
    EXPECT_EQ(stored("Foils", "Sold").toDouble(), 10);
}

TEST_F(WholesaleTest, APostingIsSavedAtOnceSoEditAndCancelCannotDropIt)
{
    item("Bleach", 50, 10, 3, 2.5, {{"LostDamagedTotals", 2}});
    NonRetailProducts& f = open();
    unlock();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::typeInto(box(18), "2");
    qvtest::typeInto(box(5), "1");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    // 10 taken in, 5 used, 3 lost in all.
    EXPECT_EQ(stored("Bleach", "Sold").toDouble(), 5);
    EXPECT_EQ(stored("Bleach", "CurrentlyInStock").toDouble(), 2);
    EXPECT_EQ(stored("Bleach", "LostDamagedTotals").toDouble(), 3);
    EXPECT_TRUE(stored("Bleach", "LostOrDamaged").isNull());

    // Edit and Cancel straight after change nothing of it.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(17)->text(), "Bleach");
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_EQ(box(2)->text(), "2");
    EXPECT_EQ(stored("Bleach", "Sold").toDouble(), 5);
    EXPECT_EQ(stored("Bleach", "CurrentlyInStock").toDouble(), 2);
    EXPECT_EQ(stored("Bleach", "QuantityStatus").toDouble(), 5);
    EXPECT_EQ(stored("Bleach", "NetProfitFromSales").toDouble(), -12.5);
    EXPECT_EQ(stored("Bleach", "LostDamagedTotals").toDouble(), 3);
}

TEST_F(WholesaleTest, APostingCountsFromTheFiguresTheMasterJustSaved)
{
    item("Bleach", 50, 10, 3, 2.5);
    NonRetailProducts& f = open();
    ASSERT_EQ(box(7)->text(), "10");

    // Meanwhile the manager takes in ten more in the inventory master.
    InventoryMaster& master = *qv::Windows::show<InventoryMaster>();
    activate(&master);
    ui.script.inputAnswers = {"Bleach"};
    click(master.findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(master.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "Bleach");
    click(master.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::typeInto(master.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 22)), "20");
    click(master.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    ASSERT_EQ(stored("Bleach", "StartingQuantity").toDouble(), 20);

    // Back at the non-retail window, which still shows 10 taken in.
    activate(&f);
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::typeInto(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(box(7)->text(), "20");
    EXPECT_EQ(box(2)->text(), "15");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(stored("Bleach", "StartingQuantity").toDouble(), 20);
    EXPECT_EQ(stored("Bleach", "Sold").toDouble(), 5);
    EXPECT_EQ(stored("Bleach", "CurrentlyInStock").toDouble(), 15);
    EXPECT_EQ(stored("Bleach", "QuantityStatus").toDouble(), 37.5);
}

// The inventory master deletes the item the window shows: the window has
// nothing left to post onto, and each way out of it still works.
TEST_F(WholesaleTest, AnItemDeletedInTheMasterLeavesEveryWayOutOpen)
{
    InventoryMaster& master = *qv::Windows::show<InventoryMaster>();
    const auto deleteShownInMaster = [&] {
        const QString category = box(17)->text();
        activate(&master);
        ui.script.inputAnswers = {category};
        click(master.findChild<QPushButton*>(QStringLiteral("Command4")));
        ui.script.msgAnswers = {qv::MsgResult::Ok};
        click(master.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
        ASSERT_FALSE(stored(category, "Sold").isValid()) << category.toStdString();
        activate(w);
        ui.script.clear();
    };
    // It opens ready for the quantity used.
    open();
    EXPECT_EQ(w->focusWidget(), box(18));
    click(w->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    deleteShownInMaster();   // Gloves, being edited; a quantity typed for it goes with it
    type(box(18), "3");
    click(w->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(17)->text(), "Foils");
    EXPECT_TRUE(box(18)->text().isEmpty());
    deleteShownInMaster();
    type(box(18), "3");
    ui.script.msgAnswers = {qv::MsgResult::Yes};   // "Post amounts": posted nowhere
    click(w->findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(ui.script.messages().value(1), "This item was deleted in another window; what was typed for it was not posted or saved.");
    click(w->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_FALSE(qv::Windows::loaded<NonRetailProducts>());

    db.insert("StockControl", {{"Category", "Bleach"}, {"Price", 0.0}, {"StartingQuantity", 10}});
    open();
    deleteShownInMaster();
    qvtest::press(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(qv::Windows::loaded<NonRetailProducts>());
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
}
