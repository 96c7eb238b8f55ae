// The retail product window driven as the front desk and the manager use it:
// products found and sent onto the open ticket, the stock figures booked,
// saved and shown again, and the manager's corrections.
#include "support/line_hands.h"
#include "platform/forms/window.h"
#include "support/user_hands.h"
#include "appointments/appointment_book.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "platform/values/money.h"
#include "retail/retail_products.h"
#include "shell/retail_products_login.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class RetailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        db.seed();
        // Sorts first by name, descending: 20 taken in, 5 sold, tax 8.
        db.insert("StockControl", {{"Category", "Zinc Cream"}, {"SystemStockNumber", "1009"}, {"Price", 12.5},
                                   {"CostValueOfStock", 7.0}, {"StartingQuantity", 20}, {"Sold", 5},
                                   {"ReturnToStockTotals", 1}, {"taxpercent1", 8.0}});
        // Never a retail product: no price, or one below 0.
        db.insert("StockControl", {{"Category", "Zz Free Sample"}, {"SystemStockNumber", "1010"}});
        db.insert("StockControl", {{"Category", "Zz Refund"}, {"SystemStockNumber", "1011"}, {"Price", -3.0}});
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    RetailProducts& open(bool withBook = true)
    {
        if (withBook)
            book = qv::Windows::show<AppointmentBook>();
        w = qv::Windows::show<RetailProducts>();
        activate(w);
        ui.script.clear();
        return *w;
    }
    qv::TextBox* box(int index) { return w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", index)); }
    // The window the user turns to takes the keyboard.
    static void activate(QWidget* window)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // Clicks into the box, selects what it holds and types over it.
    void type(QWidget* target, const QString& text) { qvtest::typeInto(target, text); }
    void click(QAbstractButton* button)
    {
        ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        qvtest::clickAt(button);
    }
    void unlock()
    {
        click(w->findChild<QPushButton*>(QStringLiteral("Command4")));
        auto& dialog = *qv::Windows::get<RetailProductsLogin>();
        type(dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marvo");
        click(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")));
        activate(w);   // the dialog gone, the window is the user's again
    }
    // A stored figure (money fields included) as a number; null stays null.
    QVariant stored(const QString& category, const QString& field)
    {
        const QVariant v = db.scalar("SELECT " + field + " FROM StockControl WHERE Category='" + category + "'");
        if (v.canConvert<qv::Money>() && v.metaType() == QMetaType::fromType<qv::Money>())
            return v.value<qv::Money>().toDouble();
        return v;
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    AppointmentBook* book = nullptr;
    RetailProducts* w = nullptr;
};

} // namespace

TEST_F(RetailTest, OpensOnTheLastNameWithOnlyRetailRowsAndNoManagerControls)
{
    RetailProducts& f = open();
    EXPECT_EQ(f.windowTitle(), "Products Menu");
    EXPECT_EQ(box(17)->text(), "Zinc Cream");
    EXPECT_EQ(box(8)->text(), "12.50");
    EXPECT_TRUE(box(18)->text().isEmpty());
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(f.recordset()->recordCount(), 4);   // Zinc Cream, Shampoo, Hair Gel, Conditioner
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 4);
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->index(3, 0).data().toString(), "Conditioner");
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->index(0, 2).data().toString(), "$12.50");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("Label9"))->text().left(56), "Scroll to the product that your client is purchasing. En");
    EXPECT_TRUE(f.closeCommandRemoved());
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_TRUE(f.slotButton(slot)->isEnabled());
        EXPECT_FALSE(f.slotClearButton(slot)->isVisibleTo(&f));
    }
    EXPECT_EQ(f.slotButton(1)->text(), "1#");
    EXPECT_EQ(f.slotButton(5)->text(), "#5");
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command9"))->isVisibleTo(&f));
    EXPECT_FALSE(box(9)->isEnabled());
    EXPECT_FALSE(box(5)->isEnabled());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisibleTo(&f));
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdDelete"))->isVisibleTo(&f));
}

TEST_F(RetailTest, UpdatePostsTheEntryAndSavesTheFiguresWithIt)
{
    RetailProducts& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(18), "3");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    // Saved at once, and shown as saved.
    EXPECT_EQ(box(10)->text(), "8");
    EXPECT_EQ(box(2)->text(), "12");
    EXPECT_EQ(box(15)->text(), "100.00");
    EXPECT_EQ(box(16)->text(), "44.00");
    EXPECT_EQ(box(20)->text(), "84.00");
    EXPECT_TRUE(box(18)->text().isEmpty());
    EXPECT_TRUE(box(21)->text().isEmpty());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 8);
    EXPECT_EQ(stored("Zinc Cream", "CurrentlyInStock").toDouble(), 12);

    // No sale is taken back through the quantity, and "1,5" is no quantity:
    // each is refused as the slot buttons refuse it, and nothing is booked.
    for (const char* typed : {"-2", "1,5"}) {
        ui.script.clear();
        click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
        type(box(18), typed);
        click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
        EXPECT_EQ(ui.script.messages(), QStringList{"A quantity for a Product was not included. Please enter now "
                                                    "and click the Update button again."})
            << typed;
        click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
        EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 8) << typed;
        EXPECT_EQ(stored("Zinc Cream", "GrossSales").toDouble(), 100) << typed;
    }
    ui.script.msgAnswers = {qv::MsgResult::Yes};   // "Post amounts" while browsing: Update is hidden
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(ui.script.messages().last(), "A quantity for a Product was not included. Please enter now and post it again, or clear it with its X button.");
    type(box(18), "");   // Cancel leaves it typed
    ui.script.clear();

    // The manager gives back 2 and writes off 1.
    unlock();
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command9"))->isVisible());
    EXPECT_TRUE(box(9)->isEnabled());
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(9), "2");
    type(box(5), "1");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    // The returned units undo sales; the broken one is no sale.
    EXPECT_EQ(box(2)->text(), "13");
    EXPECT_EQ(box(10)->text(), "6");
    EXPECT_EQ(box(15)->text(), "75.00");
    EXPECT_EQ(box(16)->text(), "33.00");

    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));   // reads the rows again: the first shows
    EXPECT_EQ(box(17)->text(), "Zinc Cream");
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 6);
    EXPECT_EQ(stored("Zinc Cream", "CurrentlyInStock").toDouble(), 13);
    EXPECT_EQ(stored("Zinc Cream", "GrossSales").toDouble(), 75);
    EXPECT_EQ(stored("Zinc Cream", "NetProfitFromSales").toDouble(), 33);
    EXPECT_EQ(stored("Zinc Cream", "QuantityStatus").toDouble(), 91);
    EXPECT_EQ(stored("Zinc Cream", "ReturnToStockTotals").toDouble(), 3);
    EXPECT_EQ(stored("Zinc Cream", "LostDamagedTotals").toDouble(), 1);
    EXPECT_TRUE(stored("Zinc Cream", "ReturnedToStock").isNull());
    EXPECT_EQ(box(20)->text(), "91.00");
    EXPECT_EQ(box(2)->text(), "13");
}

// An entry typed and not posted is neither booked in part nor dropped
// unseen: each way out of the window asks the record form's question, each
// move asks whether to post, and the answer books it whole or not at all.
TEST_F(RetailTest, AnEntryNotPostedIsAskedAboutWhicheverWayTheUserLeavesIt)
{
    const QString question = "The amounts typed for this item have not been posted to the stock. Post them now? "
                             "(No clears them.)";
    const QString wayOut = "This record is still being added or changed. Save it before the window closes?";
    RetailProducts& f = open();
    unlock();
    ui.script.clear();

    // Close and Esc offer Cancel, which stays with the entry as typed.
    type(box(18), "3");
    type(box(5), "1");
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, wayOut);
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::YesNoCancel | qv::MsgStyle::Question);
    EXPECT_EQ(ui.script.events[0].owner.data(), &f);
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    qvtest::press(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(ui.script.messages(), QStringList({wayOut, wayOut}));
    ASSERT_TRUE(qv::Windows::loaded<RetailProducts>());
    EXPECT_EQ(box(18)->text(), "3");
    EXPECT_EQ(box(5)->text(), "1");
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 5);
    EXPECT_TRUE(stored("Zinc Cream", "LostOrDamaged").isNull());
    EXPECT_TRUE(stored("Zinc Cream", "CurrentlyInStock").isNull());

    // Refresh offers Yes and No; Yes posts the whole entry as Update does.
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::YesNo | qv::MsgStyle::Question);
    EXPECT_EQ(box(17)->text(), "Zinc Cream");
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 8);
    EXPECT_EQ(stored("Zinc Cream", "LostDamagedTotals").toDouble(), 1);
    EXPECT_EQ(stored("Zinc Cream", "CurrentlyInStock").toDouble(), 11);   // 20 - 8 sold - 1 lost
    EXPECT_EQ(stored("Zinc Cream", "GrossSales").toDouble(), 100);
    EXPECT_TRUE(stored("Zinc Cream", "LostOrDamaged").isNull());
    EXPECT_TRUE(box(18)->text().isEmpty());
    EXPECT_TRUE(box(5)->text().isEmpty());

    // A pick in the grid answered No books nothing and empties the boxes.
    type(box(9), "2");
    type(box(18), "1");
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No};
    auto* grid = f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"));
    qvtest::clickAt(grid->viewport(), grid->visualRect(grid->model()->index(1, 0)).center());
    EXPECT_EQ(ui.script.messages(), QStringList{question});
    EXPECT_EQ(box(17)->text(), "Shampoo");
    EXPECT_TRUE(box(18)->text().isEmpty());
    EXPECT_TRUE(box(9)->text().isEmpty());
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 8);
    EXPECT_EQ(stored("Zinc Cream", "ReturnToStockTotals").toDouble(), 1);
    EXPECT_TRUE(stored("Zinc Cream", "ReturnedToStock").isNull());

    // Next answered Yes books a loss on the item being left: stock and its
    // value fall, sales stay.
    type(box(5), "1");
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(17)->text(), "Hair Gel");
    EXPECT_EQ(stored("Shampoo", "Sold").toDouble(), 5);
    EXPECT_EQ(stored("Shampoo", "LostDamagedTotals").toDouble(), 1);
    EXPECT_EQ(stored("Shampoo", "CurrentlyInStock").toDouble(), 14);
    EXPECT_EQ(stored("Shampoo", "QuantityStatus").toDouble(), 98);
    EXPECT_NEAR(stored("Shampoo", "GrossSales").toDouble(), 64.95, 1e-9);

    // So does a find; a loss answered No is not left in the row.
    type(box(5), "1");
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No};
    ui.script.inputAnswers = {"Cond"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(ui.script.messages(), QStringList{question});
    EXPECT_EQ(box(17)->text(), "Conditioner");
    EXPECT_TRUE(box(5)->text().isEmpty());
    EXPECT_TRUE(stored("Hair Gel", "LostOrDamaged").isNull());
    EXPECT_TRUE(stored("Hair Gel", "LostDamagedTotals").isNull());

    // Close answered No: nothing is booked and the window goes.
    type(box(18), "2");
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_EQ(ui.script.messages(), QStringList{wayOut});
    EXPECT_FALSE(qv::Windows::loaded<RetailProducts>());
    EXPECT_EQ(stored("Conditioner", "Sold").toDouble(), 2);
}

TEST_F(RetailTest, AMoveAndCloseWithNothingTypedWriteNoFigure)
{
    db.execRaw("UPDATE StockControl SET GrossSales=NULL, CurrentlyInStock=NULL, Totals=4 WHERE Category='Zinc Cream'");
    RetailProducts& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_FALSE(qv::Windows::loaded<RetailProducts>());
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 5);
    EXPECT_TRUE(stored("Zinc Cream", "GrossSales").isNull());
    EXPECT_TRUE(stored("Zinc Cream", "CurrentlyInStock").isNull());
    EXPECT_EQ(stored("Zinc Cream", "Totals").toDouble(), 4);
    EXPECT_EQ(stored("Zinc Cream", "ReturnToStockTotals").toDouble(), 1);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

// The sale of a dropped ticket goes back to the row it was booked on, found
// by that row and not by its stock number, even while the window edits it.
TEST_F(RetailTest, ADroppedTicketGivesEachSaleBackToTheRowItWasBookedOn)
{
    // Two products without a stock number, and one that repeats Shampoo's.
    for (const char* name : {"Zz Bare 1", "Zz Bare 2"})
        db.insert("StockControl", {{"Category", name}, {"Price", 4.0}, {"CostValueOfStock", 1.0},
                                   {"StartingQuantity", 10}, {"Sold", 0}});
    db.insert("StockControl", {{"Category", "Aa Twin"}, {"SystemStockNumber", "1001"}, {"Price", 5.0},
                               {"CostValueOfStock", 2.0}, {"StartingQuantity", 10}, {"Sold", 0}});
    RetailProducts& f = open();
    book->activateWindow();
    click(book->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    activate(w);
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    ASSERT_EQ(box(17)->text(), "Zz Bare 1");
    type(box(18), "1");
    click(f.slotButton(1));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    ASSERT_EQ(box(17)->text(), "Aa Twin");
    type(box(18), "2");
    click(f.slotButton(2));
    EXPECT_EQ(stored("Zz Bare 1", "Sold").toDouble(), 1);
    EXPECT_EQ(stored("Aa Twin", "Sold").toDouble(), 2);

    // The window is left in Edit on the twin, a memo typed.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_6_lines")), "count again");
    ui.script.clear();
    book->activateWindow();
    click(book->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    for (const char* name : {"Zz Bare 1", "Aa Twin"}) {
        EXPECT_EQ(stored(name, "Sold").toDouble(), 0) << name;
        EXPECT_EQ(stored(name, "CurrentlyInStock").toDouble(), 10) << name;
        EXPECT_EQ(stored(name, "GrossSales").toDouble(), 0) << name;
    }
    EXPECT_EQ(stored("Zz Bare 2", "Sold").toDouble(), 0);
    EXPECT_EQ(stored("Shampoo", "Sold").toDouble(), 5);

    // The window still edits, shows the figures given back, keeps the memo
    // and saves it without a clash.
    activate(w);
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_EQ(box(10)->text(), "0");
    EXPECT_EQ(box(6)->text(), "count again");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_EQ(stored("Aa Twin", "Memo").toString(), "count again");
    EXPECT_EQ(stored("Aa Twin", "Sold").toDouble(), 0);
}

TEST_F(RetailTest, ASlotButtonPutsTheProductOnTheTicketAndBooksTheSale)
{
    db.execRaw("UPDATE StockControl SET CostValueOfStock = 7.35 WHERE Category = 'Shampoo'");
    RetailProducts& f = open();
    type(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    AppointmentBook::ProductSlot p = book->productSlot(1);
    EXPECT_EQ(p.name->text(), "Zinc Cream");
    EXPECT_EQ(p.price->text(), "12.50");
    EXPECT_EQ(p.quantity->text(), "2");
    EXPECT_EQ(p.stockNumber->text(), "1009");
    EXPECT_EQ(book->productTaxPercent()->text(), "8");
    EXPECT_EQ(box(10)->text(), "7");
    EXPECT_EQ(box(2)->text(), "13");
    EXPECT_TRUE(box(18)->text().isEmpty());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command16"))->isEnabled());
    EXPECT_TRUE(ui.script.messages().isEmpty());

    // A second product into slot 2 brings its own tax percent; 1.5 is a quantity.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Shampoo, tax 6; the move saves Zinc Cream
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 7);
    type(box(18), "1.5");
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_EQ(book->productSlot(2).quantity->text(), "1.5");
    EXPECT_EQ(book->productTaxPercent()->text(), "6");
    EXPECT_EQ(box(10)->text(), "6.5");

    // Its money is kept to the cent, halves away from zero, as the ticket
    // charges the line (12.99 x 1.5 = 19.485, charged 19.49): 6.5 sold at
    // 12.99 is 84.435, kept as 84.44; 7.35 x 6.5 = 47.775 of cost, 47.78.
    EXPECT_EQ(stored("Shampoo", "Sold").toDouble(), 6.5);
    EXPECT_EQ(stored("Shampoo", "GrossSales").toDouble(), 84.44);
    EXPECT_EQ(stored("Shampoo", "NetProfitFromSales").toDouble(), 36.66);
    EXPECT_EQ(stored("Shampoo", "CurrentlyInStock").toDouble(), 13.5);
    EXPECT_EQ(stored("Shampoo", "QuantityStatus").toDouble(), 99.23);   // 7.35 x 13.5 = 99.225
    qvtest::clickAt(book->findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(book->box(4)->text(), "44.49");   // with the 25.00 of slot 1
}

// The ticket dropped by No at the question Exit Program asks gives its
// product's sale back, as its Cancel does.
TEST_F(RetailTest, ATicketDroppedAtExitProgramGivesItsProductBack)
{
    RetailProducts& f = open();
    activate(book);
    click(book->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    activate(&f);
    type(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    ASSERT_TRUE(book->isAddingRecord());
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 7);
    ui.script.msgAnswers = {qv::MsgResult::No};
    activate(book);
    qvtest::clickAt(book->findChild<QPushButton*>(QStringLiteral("Command23")));
    EXPECT_EQ(ui.script.messages(),
              QStringList{"This record is still being added or changed. Save it before the window closes?"});
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 5);
}

TEST_F(RetailTest, AMissingQuantityOrAnOccupiedSlotChangesNeitherTicketNorStock)
{
    RetailProducts& f = open();
    for (const char* typed : {"", "0", "0.5", "abc"}) {
        ui.script.clear();
        type(box(18), typed);
        qvtest::clickAt(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_6_lines")));
        click(f.findChild<QPushButton*>(QStringLiteral("Command18")));
        EXPECT_EQ(ui.script.messages(), QStringList{"A quantity for a Product was not included. Please enter now and "
                                                    "click the 3# button again."})
            << typed;
        EXPECT_EQ(f.focusWidget(), box(18)) << typed;
        EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command18"))->isEnabled());
        EXPECT_TRUE(book->productSlot(3).name->text().isEmpty());
        EXPECT_EQ(box(10)->text(), "5");
    }

    // A name with no quantity leaves the slot free; a quantity of 1 takes it.
    type(book->productSlot(1).name, "Old product");
    type(book->productSlot(2).quantity, "1");
    ui.script.clear();
    type(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_EQ(ui.script.messages(), QStringList{"This product entry was already made into the corresponding box on the "
                                                "Appointment Form, choose another."});
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command17"))->isEnabled());
    EXPECT_TRUE(box(18)->text().isEmpty());
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_TRUE(book->productSlot(2).name->text().isEmpty());

    type(box(18), "1");
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    EXPECT_EQ(book->productSlot(1).name->text(), "Zinc Cream");
    EXPECT_EQ(book->productSlot(1).quantity->text(), "1");
}

TEST_F(RetailTest, WithoutTheAppointmentBookNothingIsPostedOrCounted)
{
    RetailProducts& f = open(false);
    type(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    EXPECT_EQ(ui.script.messages(), QStringList({AppointmentBook::kNoTicket}));
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command16"))->isEnabled());
}

TEST_F(RetailTest, ABookOnNoTicketTakesNoProductAndNothingIsCounted)
{
    // Past its last ticket the book shows none: a sale booked then would
    // change the stock for a ticket that does not exist.
    RetailProducts& f = open();
    book->recordset()->moveLast();
    book->recordset()->moveNext();
    ASSERT_TRUE(book->recordset()->eof());
    type(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    EXPECT_EQ(ui.script.messages(), QStringList({AppointmentBook::kNoTicket}));
    EXPECT_EQ(box(10)->text(), "5");
    EXPECT_TRUE(book->productSlot(1).quantity->text().isEmpty());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command16"))->isEnabled());
    ui.script.msgAnswers = {qv::MsgResult::No};   // the 2 left typed is not to be posted
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 5);

    // Adding a ticket is being on one.
    ui.script.clear();
    click(book->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_EQ(book->productSlot(1).quantity->text(), "2");
}

TEST_F(RetailTest, TheLastUnitSoldWarnsAfterTheTicketIsFilled)
{
    RetailProducts& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));   // Conditioner: 10 taken in, 2 sold
    ASSERT_EQ(box(17)->text(), "Conditioner");
    type(box(18), "7");
    click(f.findChild<QPushButton*>(QStringLiteral("Command15")));
    EXPECT_EQ(ui.script.messages(), QStringList{"TIME TO RE-ORDER!"});
    EXPECT_EQ(ui.script.beeps(), 1);
    EXPECT_EQ(book->productSlot(4).name->text(), "Conditioner");
    EXPECT_EQ(box(2)->text(), "1");
}

TEST_F(RetailTest, ManagerEmptiesATicketSlotButTheStockAndTheButtonStay)
{
    RetailProducts& f = open();
    type(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    unlock();
    for (int slot = 1; slot <= 5; ++slot)
        EXPECT_TRUE(f.slotClearButton(slot)->isVisible());

    ui.script.msgAnswers = {qv::MsgResult::No};
    click(f.findChild<QPushButton*>(QStringLiteral("Command6")));
    EXPECT_EQ(book->productSlot(1).name->text(), "Zinc Cream");
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(f.findChild<QPushButton*>(QStringLiteral("Command6")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Delete the Current product from the Appointment form?");
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::YesNo | qv::MsgStyle::Question);
    EXPECT_EQ(ui.script.events[0].title, "Delete Product");
    AppointmentBook::ProductSlot p = book->productSlot(1);
    for (qv::TextBox* b : {p.stockNumber, p.name, p.price, p.quantity})
        EXPECT_TRUE(b->text().isEmpty());
    EXPECT_EQ(box(10)->text(), "7");
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command16"))->isEnabled());

    // The closed padlock reminds every time and locks the corrections again.
    for (int i = 0; i < 2; ++i) {
        ui.script.clear();
        if (i == 1)
            unlock();
        click(f.findChild<QPushButton*>(QStringLiteral("Command9")));
        EXPECT_EQ(ui.script.messages().size(), 1);
        EXPECT_TRUE(ui.script.messages().value(0).startsWith("Remember that deleting and then re-inserting"));
    }
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command6"))->isVisible());
    EXPECT_FALSE(box(9)->isEnabled());

    // Opening the window anew enables the slot buttons again.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    RetailProducts& again = *qv::Windows::show<RetailProducts>();
    EXPECT_TRUE(again.findChild<QPushButton*>(QStringLiteral("Command16"))->isEnabled());
    EXPECT_FALSE(again.findChild<QPushButton*>(QStringLiteral("Command9"))->isVisibleTo(&again));
}

TEST_F(RetailTest, TheMemoShowsItsLinesAndEnterAddsOne)
{
    db.execRaw("UPDATE StockControl SET Memo = 'Reorder in May' || char(13) || char(10) || 'Top shelf' "
               "WHERE Category = 'Zinc Cream'");
    RetailProducts& f = open();
    ASSERT_EQ(box(17)->text(), "Zinc Cream");
    EXPECT_EQ(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_6_lines"))->blockCount(), 2);
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::addLineAtEnd(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_6_lines")), "Ask Pat");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_EQ(stored("Zinc Cream", "Memo").toString().remove('\r'), "Reorder in May\nTop shelf\nAsk Pat");
}

TEST_F(RetailTest, NavigationEmptiesTheSubtotalWithoutBeepingAndCancelStaysOnTheRowEdited)
{
    RetailProducts& f = open();
    type(box(18), "3");
    click(f.findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(box(21)->text(), "$37.50");
    type(box(18), "");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));   // already first: stays, no beep
    EXPECT_EQ(box(17)->text(), "Zinc Cream");
    EXPECT_TRUE(box(21)->text().isEmpty());
    click(f.findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(box(21)->text(), "$0.00");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(17)->text(), "Conditioner");
    EXPECT_EQ(ui.script.beeps(), 0);
    EXPECT_TRUE(ui.script.messages().isEmpty());

    click(f.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    type(f.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_6_lines")), "changed memo");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(17)->text(), "Hair Gel");
    EXPECT_TRUE(box(6)->text().isEmpty());
    EXPECT_TRUE(stored("Hair Gel", "Memo").isNull());
}

TEST_F(RetailTest, FindsSearchFromTheFirstRowAndComeBackWhenNothingMatches)
{
    RetailProducts& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    ui.script.inputAnswers = {""};
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(box(17)->text(), "Conditioner");

    ui.script.inputAnswers = {"ham"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(box(17)->text(), "Shampoo");
    EXPECT_EQ(ui.script.events.back().text, "Enter a Category for this product.");

    ui.script.clear();
    ui.script.inputAnswers = {"9999"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command8")));
    EXPECT_EQ(ui.script.messages(), QStringList{"Could not find your Product by Stock#. 9999"});
    EXPECT_EQ(box(17)->text(), "Shampoo");

    ui.script.inputAnswers = {"100"};   // every stock number holds it: the first in the window's order
    click(f.findChild<QPushButton*>(QStringLiteral("Command8")));
    EXPECT_EQ(box(17)->text(), "Zinc Cream");
}

// QV_SHOT=<folder> keeps a picture of the window in manager mode, for a look.
TEST_F(RetailTest, LayoutFitsItsScreen)
{
    RetailProducts& f = open();
    unlock();
    type(box(18), "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command3")));
    QApplication::processEvents();
    EXPECT_LE(f.width(), 800);
    EXPECT_LE(f.height(), 600);
    for (QWidget* c : f.findChildren<QWidget*>())
        if (c->isVisibleTo(&f) && c->parentWidget() == &f)
            EXPECT_TRUE(f.rect().contains(c->geometry())) << c->objectName().toStdString();
    if (const QByteArray folder = qgetenv("QV_SHOT"); !folder.isEmpty())
        f.grab().save(QString::fromLocal8Bit(folder) + "/retail_products.png");
}

TEST_F(RetailTest, APriceWithAThousandsSeparatorCountsWholeOnTheTicket)
{
    db.insert("StockControl", {{"Category", "Blow Dryer"}, {"SystemStockNumber", "1020"}, {"Price", 1200.0},
                               {"CostValueOfStock", 700.0}, {"StartingQuantity", 5}, {"taxpercent1", 8.0}});
    RetailProducts& f = open();
    ui.script.inputAnswers = {"dryer"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    ASSERT_EQ(box(8)->text(), "1,200.00");
    type(box(18), "1");
    click(f.findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(box(21)->text(), "$1,200.00");
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    EXPECT_EQ(book->productSlot(1).price->text(), "1,200.00");
    EXPECT_EQ(box(15)->text(), "1200.00");
    EXPECT_EQ(box(16)->text(), "500.00");
    EXPECT_EQ(stored("Blow Dryer", "GrossSales").toDouble(), 1200);
    qvtest::clickAt(book->findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(qv::leadingNumber(book->box(4)->text()), 1200);
}

TEST_F(RetailTest, WithoutItsDatabaseTheWindowSaysWhyAndDoesNotOpen)
{
    ASSERT_TRUE(QFile::remove(db.file()));
    qv::Windows::show("FormProductsA");
    QApplication::processEvents();
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_FALSE(qv::Windows::loaded("FormProductsA"));
}

TEST_F(RetailTest, AnUpdateTheDatabaseRefusesIsShownAndKeepsTheWindowEditing)
{
    RetailProducts& f = open();
    unlock();
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(9), "abc");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());
    EXPECT_EQ(box(9)->text(), "abc");
    EXPECT_EQ(stored("Zinc Cream", "Sold").toDouble(), 5);
}
