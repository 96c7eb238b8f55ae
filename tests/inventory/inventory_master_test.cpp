// The inventory master: every stock row through its boxes, the grid of the
// row's category or of all rows, the finds, the vendor list, adding and
// deleting rows, and the windows it opens.
#include "support/line_hands.h"
#include "platform/forms/window.h"
#include "support/layout_extras.h"
#include "support/user_hands.h"
#include "record_window_hands.h"

#include "common/connections.h"
#include "inventory/inventory_master.h"
#include "inventory/vendor_book.h"
#include "platform/data/recordset.h"
#include "platform/forms/many_line_box.h"
#include "platform/values/money.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QFile>
#include <QScrollBar>

namespace {

using Base = invtest::RecordWindowTest<InventoryMaster>;

class InventoryMasterTest : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        qv::Windows::registerFactory("Form6a", [] { return new InventoryMaster; });
        qv::Windows::registerFactory("Frmdatabase", [] { return new VendorBook; });
    }
    void seed()
    {
        db.seed();
        db.insert("StockControl", {{"Category", "Shampoo"}, {"SystemStockNumber", "1004"}, {"Price", 15.99},
                                   {"CostValueOfStock", 9.0}, {"SourceOrSupplier", "Old Vendor"}});
    }
    QStringList gridCategories() { return gridColumn(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid")), 0); }
    QStringList gridNumbers() { return gridColumn(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid")), 1); }
    QStringList vendors()
    {
        QStringList out;
        for (int i = 0; i < w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->count(); ++i)
            out << w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->itemText(i);
        return out;
    }
    // Opens the list with a click and clicks the vendor in it.
    void pickVendor(const QString& name)
    {
        qv::DataCombo* list = w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"));
        const int row = list->findText(name);
        ASSERT_GE(row, 0) << name.toStdString();
        qvtest::clickAt(list);
        QAbstractItemView* shown = list->view();
        ASSERT_TRUE(shown->isVisible());
        const QRect item = shown->visualRect(list->model()->index(row, list->modelColumn()));
        qvtest::clickAt(shown->viewport(), item.center());
        ASSERT_EQ(list->currentText(), name);
    }
    QColor base(int i) { return box(i)->palette().color(QPalette::Base); }
};

TEST_F(InventoryMasterTest, ShowsEveryStockRowWithTheGridOfItsCategoryAndTheVendors)
{
    seed();
    open();
    EXPECT_EQ(w().windowTitle(), QStringLiteral("StockControl"));
    EXPECT_TRUE(w().closeCommandRemoved());
    EXPECT_TRUE(w().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Shampoo"));
    EXPECT_EQ(box(26)->text(), QStringLiteral("1001"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("$7.00"));
    EXPECT_EQ(box(13)->text(), QStringLiteral("$12.99"));
    EXPECT_EQ(box(7)->text(), QStringLiteral("Shampoo item"));
    EXPECT_EQ(box(3)->text(), QStringLiteral("15"));
    EXPECT_TRUE(box(3)->isReadOnly());
    // No record text on this window.
    EXPECT_TRUE(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text().isEmpty());
    EXPECT_FALSE(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_FALSE(w().findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());

    // Hidden boxes never show, nor do the four that once lay below the window's edge.
    for (int i : {5, 6, 9, 10, 12, 14, 15, 16, 18, 19, 20, 24, 35, 27, 28, 29, 30})
        EXPECT_FALSE(box(i)->isVisible()) << i;
    for (int i : {0, 1, 2, 3, 4, 7, 8, 13, 17, 21, 22, 23, 25, 26, 31, 32, 33, 34}) {
        EXPECT_TRUE(box(i)->isVisible()) << i;
        EXPECT_LE(box(i)->geometry().bottom(), w().findChild<QWidget*>(QStringLiteral("picButtons"))->y()) << i;
    }
    EXPECT_LE(w().findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_11_lines"))->geometry().bottom(), w().findChild<QWidget*>(QStringLiteral("picButtons"))->y());
    // Two boxes on one field show the same value.
    EXPECT_EQ(box(30)->text(), box(32)->text());
    EXPECT_EQ(box(32)->text(), QStringLiteral("0"));

    EXPECT_EQ(gridCaptions(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"))), (QStringList{"Category", "System Stock #", "Price"}));
    EXPECT_EQ(gridNumbers(), (QStringList{"1001", "1004"}));
    EXPECT_EQ(gridColumn(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid")), 2), (QStringList{"$12.99", "$15.99"}));
    EXPECT_EQ(vendors(), (QStringList{"Beauty Supply Co", "Salon Wholesale Inc"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());

    // The grid follows the current row's category.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Conditioner"));
    EXPECT_EQ(gridNumbers(), (QStringList{"1002"}));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(box(26)->text(), QStringLiteral("1004"));
    EXPECT_EQ(gridNumbers(), (QStringList{"1001", "1004"}));
}

TEST_F(InventoryMasterTest, ViewAllListsEveryRowUntilRefresh)
{
    seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"))->focusPolicy(), Qt::NoFocus);
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(w().findChild<QPushButton*>(QStringLiteral("Command1"))->text(), QStringLiteral("&View All"));
    EXPECT_EQ(w().gridShows(), InventoryMaster::GridShows::AllRows);
    EXPECT_EQ(gridNumbers(), (QStringList{"1001", "1002", "1003", "2001", "2002", "1004"}));
    EXPECT_NE(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"))->focusPolicy(), Qt::NoFocus);
    // The requery put the first row back; moving keeps the whole list.
    EXPECT_EQ(box(26)->text(), QStringLiteral("1001"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(gridNumbers().size(), 6);
    EXPECT_EQ(box(26)->text(), QStringLiteral("1002"));

    click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(w().gridShows(), InventoryMaster::GridShows::Category);
    EXPECT_EQ(box(26)->text(), QStringLiteral("1001"));
    EXPECT_EQ(gridNumbers(), (QStringList{"1001", "1004"}));
}

TEST_F(InventoryMasterTest, AColumnTheUserWidensKeepsItsWidthUntilTheWindowCloses)
{
    seed();
    open();
    auto* grid = w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"));
    QHeaderView* header = grid->horizontalHeader();
    const int own = grid->columnWidth(1);
    // The user drags the right edge of "System Stock #" 40 pixels to the right.
    const QPoint edge(header->sectionViewportPosition(1) + header->sectionSize(1) - 1, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(20, 0));
    QTest::mouseMove(header->viewport(), edge + QPoint(40, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(40, 0));
    const int widened = grid->columnWidth(1);
    ASSERT_GE(widened, own + 30);

    // The grid is given other rows as the user moves, lists all and goes back.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(grid->columnWidth(1), widened);
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(grid->columnWidth(1), widened);
    click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(grid->columnWidth(1), widened);
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(grid->columnWidth(1), widened);

    // Opened anew, the window gives the column its own width again.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open();
    EXPECT_EQ(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"))->columnWidth(1), own);
}

TEST_F(InventoryMasterTest, AddsARowWithTheVendorPickedAndItsStockLeftEmpty)
{
    seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    pickVendor(QStringLiteral("Salon Wholesale Inc"));
    EXPECT_EQ(box(21)->text(), QStringLiteral("Salon Wholesale Inc"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Add record"));
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_FALSE(w().findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    // Add empties the vendor list's choice.
    EXPECT_TRUE(w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->currentText().isEmpty());
    EXPECT_TRUE(box(0)->text().isEmpty());

    type(box(0), QStringLiteral("Shampoo"));
    type(box(26), QStringLiteral("1005"));
    type(box(13), QStringLiteral("18.5"));
    type(box(2), QStringLiteral("10"));
    type(box(31), QStringLiteral("16 oz"));
    pickVendor(QStringLiteral("Beauty Supply Co"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_FALSE(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());

    auto rows = db.query("SELECT * FROM StockControl WHERE SystemStockNumber='1005'");
    ASSERT_EQ(rows->recordCount(), 1);
    EXPECT_EQ(rows->value("Category").toString(), QStringLiteral("Shampoo"));
    EXPECT_EQ(rows->value("SourceOrSupplier").toString(), QStringLiteral("Beauty Supply Co"));
    EXPECT_EQ(rows->value("UnitSize").toString(), QStringLiteral("16 oz"));
    EXPECT_EQ(rows->value("Price").value<qv::Money>(), qv::Money::fromUnits(185000));
    EXPECT_TRUE(rows->value("CurrentlyInStock").isNull());

    // The window stays on the new row, and the grid shows its category.
    EXPECT_EQ(box(26)->text(), QStringLiteral("1005"));
    EXPECT_EQ(box(13)->text(), QStringLiteral("$18.50"));
    EXPECT_EQ(gridNumbers(), (QStringList{"1001", "1004", "1005"}));
}

TEST_F(InventoryMasterTest, PickingAVendorReplacesTheSupplierOfTheRowWhenSaved)
{
    seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(box(21)->text(), QStringLiteral("Old Vendor"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    pickVendor(QStringLiteral("Beauty Supply Co"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(db.scalar("SELECT SourceOrSupplier FROM StockControl WHERE SystemStockNumber='1004'").toString(),
              QStringLiteral("Beauty Supply Co"));
}

TEST_F(InventoryMasterTest, AnEmptyNewRowIsRefusedAndCancelGoesBack)
{
    seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Hair Gel
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(ui.script.messages(), QStringList{" You have nothing to update. Click cancel and make an entry."});
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_EQ(db.count("StockControl"), 6);

    type(box(0), QStringLiteral("Not kept"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Hair Gel"));
    EXPECT_EQ(gridNumbers(), (QStringList{"1003"}));
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_EQ(db.count("StockControl"), 6);
}

// A row half-typed is stored only by Update: a find or a row picked in the
// grid while adding leaves it pending, and Cancel leaves the table as it was.
TEST_F(InventoryMasterTest, AFindOrAGridPickWhileAddingStoresNothing)
{
    seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));   // View All
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(0), QStringLiteral("Nails"));
    type(box(26), QStringLiteral("3001"));

    ui.script.inputAnswers = {QStringLiteral("Hair")};
    click(w().findChild<QPushButton*>(QStringLiteral("Command4")));
    EXPECT_EQ(ui.script.messages(),
              QStringList{"Click Update to save this record, or Cancel to drop it, before you search."});
    EXPECT_EQ(ui.script.inputAnswers.size(), 1u);   // nothing was asked
    EXPECT_EQ(db.count("StockControl"), 6);

    // View All reads the rows again: refused too.
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(ui.script.messages().size(), 2);
    auto* grid = w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"));
    ASSERT_GT(grid->model()->rowCount(), 1);
    qvtest::clickAt(grid->viewport(), grid->visualRect(grid->model()->index(1, 0)).center());
    QApplication::processEvents();
    EXPECT_EQ(db.count("StockControl"), 6);
    EXPECT_TRUE(w().isAddingRecord());
    EXPECT_EQ(box(0)->text(), QStringLiteral("Nails"));
    EXPECT_EQ(box(26)->text(), QStringLiteral("3001"));

    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(db.count("StockControl"), 6);
    EXPECT_EQ(db.scalarRaw("SELECT count(*) FROM StockControl WHERE Category = 'Nails' OR Category IS NULL").toInt(), 0);
    EXPECT_EQ(box(26)->text(), QStringLiteral("1001"));
}

TEST_F(InventoryMasterTest, CancelOfAnEditStaysOnTheItemSoTheNextDeleteHitsIt)
{
    seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Hair Gel, 1003
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(0), QStringLiteral("Not kept"));
    type(box(13), QStringLiteral("99"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(26)->text(), QStringLiteral("1003"));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Hair Gel"));
    EXPECT_EQ(box(13)->text(), QStringLiteral("$9.00"));
    EXPECT_EQ(gridNumbers(), (QStringList{"1003"}));
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdDelete"))->isVisible());

    ui.script.msgAnswers = {qv::MsgResult::Ok};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.scalar("SELECT count(*) FROM StockControl WHERE SystemStockNumber='1003'").toInt(), 0);
    EXPECT_EQ(db.count("StockControl"), 5);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM StockControl WHERE Category='Hair Gel'").toInt(), 0);

    // The item edited is deleted meanwhile from another window: Cancel
    // lands on the first item, without a word.
    ui.script.clear();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(box(26)->text(), QStringLiteral("1004"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    db.execRaw("DELETE FROM StockControl WHERE SystemStockNumber = '1004'");
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(26)->text(), QStringLiteral("1001"));
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();
}

TEST_F(InventoryMasterTest, DeleteAsksFirstAndTheLastRowLeftEmptiesTheStock)
{
    db.insert("StockControl", {{"Category", "Foils"}, {"SystemStockNumber", "2001"}, {"Price", 0.0}});
    db.insert("StockControl", {{"Category", "Gloves"}, {"SystemStockNumber", "2002"}, {"Price", 0.0}});
    open();
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, QStringLiteral("Do you really want to delete this record?"));
    EXPECT_EQ(ui.script.events[0].title, QStringLiteral("Delete Record"));
    EXPECT_EQ(ui.script.events[0].style, 545);
    EXPECT_EQ(db.count("StockControl"), 2);

    ui.script.msgAnswers = {qv::MsgResult::Ok};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("StockControl"), 1);
    EXPECT_EQ(db.scalar("SELECT SystemStockNumber FROM StockControl").toString(), QStringLiteral("2002"));
    // The deleted row's texts are gone from the boxes; nothing is written back.
    EXPECT_NE(box(26)->text(), QStringLiteral("2001"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    EXPECT_EQ(box(26)->text(), QStringLiteral("2002"));
    EXPECT_TRUE(countGuardedOpen(QStringLiteral("SELECT count(*) FROM [StockControl]")));

    ui.script.msgAnswers = {qv::MsgResult::Ok};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("StockControl"), 0);
    // The product windows' openers now find nothing to open.
    EXPECT_FALSE(countGuardedOpen(QStringLiteral("SELECT count(*) FROM [StockControl]")));
    // Nothing more to delete: no error reaches the user, the window stays.
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Ok};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(ui.script.messages(), QStringList{"Do you really want to delete this record?"});
    EXPECT_TRUE(w().isLoaded());
    // Nothing left to save: Close closes.
    ui.script.clear();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();
    EXPECT_FALSE(loaded("Form6a"));
}

TEST_F(InventoryMasterTest, FindsByCategoryAndStockNumber)
{
    seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Conditioner

    // Nothing typed: nothing moves.
    ui.script.inputAnswers = {QString()};
    click(w().findChild<QPushButton*>(QStringLiteral("Command4")));
    EXPECT_EQ(ui.script.events.at(0).text, QStringLiteral("Enter a Category for this product."));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Conditioner"));

    // No match: the sentence with the answer, and back to the row before.
    ui.script.clear();
    ui.script.inputAnswers = {QStringLiteral("Wax")};
    click(w().findChild<QPushButton*>(QStringLiteral("Command4")));
    EXPECT_EQ(ui.script.messages(), QStringList{"Could not find your category. Wax"});
    EXPECT_EQ(box(0)->text(), QStringLiteral("Conditioner"));
    EXPECT_EQ(gridNumbers(), (QStringList{"1002"}));

    // Part of the category anywhere, letter case ignored.
    ui.script.clear();
    ui.script.inputAnswers = {QStringLiteral("gel")};
    click(w().findChild<QPushButton*>(QStringLiteral("Command4")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(box(26)->text(), QStringLiteral("1003"));

    ui.script.inputAnswers = {QStringLiteral("200")};
    click(w().findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(ui.script.events.back().text, QStringLiteral("Enter a SystemStockNumber for this product."));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Foils"));
    EXPECT_EQ(gridNumbers(), (QStringList{"2001"}));

    // An apostrophe is only text.
    ui.script.clear();
    ui.script.inputAnswers = {QStringLiteral("1' OR '1'='1")};
    click(w().findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(ui.script.messages(), QStringList{"Could not find your Product by Stock#. 1' OR '1'='1"});
    EXPECT_EQ(box(0)->text(), QStringLiteral("Foils"));
}

TEST_F(InventoryMasterTest, BoxesTurnWhiteWhileFocusedAndTheWindowColourAfter)
{
    seed();
    open();
    const QColor background(0xBA, 0xC9, 0xD1);
    EXPECT_EQ(base(0), background);
    EXPECT_EQ(base(3), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(box(3)->palette().color(QPalette::Text), QColor(0xFF, 0, 0));
    qvtest::clickAt(box(0));
    QApplication::processEvents();
    EXPECT_EQ(base(0), QColor(Qt::white));
    EXPECT_EQ(box(0)->selectedText(), QStringLiteral("Shampoo"));
    qvtest::clickAt(box(3));
    QApplication::processEvents();
    EXPECT_EQ(base(0), background);
    EXPECT_EQ(base(3), QColor(Qt::white));
    // The memo's box of several lines turns white as the others do.
    const auto memoBase = [this] { return w().findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_11_lines"))->palette().color(QPalette::Base); };
    EXPECT_EQ(memoBase(), background);
    qvtest::clickAt(w().findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_11_lines")));
    QApplication::processEvents();
    EXPECT_EQ(base(3), background);
    EXPECT_EQ(memoBase(), QColor(Qt::white));
    qvtest::clickAt(box(0));
    QApplication::processEvents();
    EXPECT_EQ(memoBase(), background);
}

TEST_F(InventoryMasterTest, TabGoesOnlyToControlsInSight)
{
    seed();
    open();
    qvtest::clickAt(box(0));
    QStringList walk;
    for (int step = 0; step < 60; ++step) {
        key(Qt::Key_Tab);
        QWidget* now = qvtest::focused();
        ASSERT_TRUE(now) << "step " << step;
        walk << now->objectName();
        const QRect onWindow(now->mapTo(&w(), QPoint(0, 0)), now->size());
        EXPECT_TRUE(now->isVisible() && w().rect().contains(onWindow))
            << "step " << step << ": " << qvtest::describe(now).toStdString();
    }
    // Down the boxes at the left, then down the right half as it reads.
    EXPECT_TRUE(walk.join(' ').contains("txtfields_34 txtfields_2 txtfields_13 txtfields_22 txtfields_3 Command4 "
                                        "Command7 Command1 dcboCustomer txtfields_21 Check2"))
        << walk.join(' ').toStdString();
}

TEST_F(InventoryMasterTest, AnItemsDescriptionAndItsMemoReadWhole)
{
    db.seed();
    db.insert("StockControl", {{"Category", "Conditioner"}, {"SystemStockNumber", "1010"}, {"Price", 11.0},
                               {"Item", "Leave-in Conditioner"},
                               {"Memo", QStringLiteral("Order in spring\r\nKeep cool")}});
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    ASSERT_EQ(box(26)->text(), QStringLiteral("1010"));
    qv::TextBox* item = box(7);
    const int room = item->contentsRect().width() - item->textMargins().left() - item->textMargins().right() - 4;
    EXPECT_LE(item->fontMetrics().horizontalAdvance(item->text()), room) << item->text().toStdString();

    // The memo's lines show as lines, and Enter adds one.
    qv::ManyLineBox* memo = w().findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_11_lines"));
    EXPECT_EQ(memo->blockCount(), 2);
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::addLineAtEnd(memo, QStringLiteral("Ask Pat"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();
    EXPECT_EQ(db.scalar("SELECT Memo FROM StockControl WHERE SystemStockNumber='1010'").toString().remove('\r'),
              QStringLiteral("Order in spring\nKeep cool\nAsk Pat"));
}

// A salon's whole stock in the grid: the three columns stay in sight beside
// the scroll bar of a long list, with products of 30 characters and prices
// in the thousands read whole.
TEST_F(InventoryMasterTest, TheWholeStockKeepsTheGridsThreeColumnsInSight)
{
    db.seed();
    for (int i = 0; i < 30; ++i)
        db.insert("StockControl", {{"Category", QStringLiteral("Crème Developer 20 Volume %1oz").arg(10 + i)},
                                   {"SystemStockNumber", QString::number(30000 + i)}, {"Price", 1234.5}});
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    auto* grid = w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"));
    ASSERT_GT(grid->model()->rowCount(), 30);
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    const QStringList faults = qvtest::columnsOutOfSight(grid) + qvtest::cutCells(grid);
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
}

TEST_F(InventoryMasterTest, KeysMoveOnlyWhileBrowsingAndEscClosesAskingWhileEditing)
{
    seed();
    open();
    // Outside a box being typed in, the keys move between items.
    qvtest::clickAt(w().findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    key(Qt::Key_End);
    EXPECT_EQ(box(26)->text(), QStringLiteral("1004"));
    key(Qt::Key_Home);
    EXPECT_EQ(box(26)->text(), QStringLiteral("1001"));
    key(Qt::Key_PageDown);
    EXPECT_EQ(box(26)->text(), QStringLiteral("1002"));

    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(0), QStringLiteral("x"));
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    key(Qt::Key_Escape);
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(w().isLoaded());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    key(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(loaded("Form6a"));
}

TEST_F(InventoryMasterTest, OpensTheVendorBookEveryClickAndTheProductsSoldWindow)
{
    seed();
    open();
    EXPECT_EQ(w().findChild<QPushButton*>(QStringLiteral("Check2"))->toolTip(), QStringLiteral("Click on button if this Vendor is new."));
    click(w().findChild<QPushButton*>(QStringLiteral("Check2")));
    ASSERT_TRUE(loaded("Frmdatabase"));
    auto* book = qobject_cast<VendorBook*>(qv::Windows::loaded("Frmdatabase"));
    EXPECT_TRUE(book->isVisible());


    qv::Window* productsSold = qv::Windows::get(QStringLiteral("Form1"));
    if (!productsSold)
        GTEST_SKIP() << "the products-sold window is not part of this program yet";
    productsSold->unload();
    QApplication::processEvents();
    qvtest::clickAt(w().findChild<qv::PictureBox*>(QStringLiteral("Image1")));
    ASSERT_TRUE(loaded("Form1"));
    EXPECT_TRUE(qv::Windows::loaded("Form1")->isVisible());
}

// A vendor added through "New Vendor?" is in the vendor list the next time
// the list is opened, and can be picked at once; the list shows the vendor
// book as it is each time it drops down.
TEST_F(InventoryMasterTest, TheVendorListShowsTheVendorBookAsItIsWhenOpened)
{
    seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(w().findChild<QPushButton*>(QStringLiteral("Check2")));
    auto* book = qobject_cast<VendorBook*>(qv::Windows::loaded("Frmdatabase"));
    ASSERT_TRUE(book);
    ASSERT_TRUE(book->isVisible());
    click(book->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    qvtest::typeInto(book->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 10)), QStringLiteral("Nail Depot"));
    click(book->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    ASSERT_EQ(db.count("Suppliers"), 3);
    book->hide();

    // Back in the inventory, the user opens the list and picks the new vendor.
    w().activateWindow();
    qvtest::clickAt(w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer")));
    QAbstractItemView* list = w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->view();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(vendors(), (QStringList{"Beauty Supply Co", "Salon Wholesale Inc", "Nail Depot"}));
    if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
        list->window()->grab().save(shots + "/Form6a-vendor-list.png");
    const QModelIndex nail = list->model()->index(2, 0);
    qvtest::clickAt(list->viewport(), list->visualRect(nail).center());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(box(21)->text(), QStringLiteral("Nail Depot"));
    const QString number = box(26)->text();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();
    EXPECT_EQ(db.scalar("SELECT SourceOrSupplier FROM StockControl WHERE SystemStockNumber='" + number + "'").toString(),
              QStringLiteral("Nail Depot"));

    // A vendor renamed or removed in the book meanwhile: the list follows,
    // and the vendor the row shows stays shown.
    db.execRaw("UPDATE Suppliers SET CompanyName = 'Beauty Supply Ltd' WHERE CompanyName = 'Beauty Supply Co'");
    db.execRaw("DELETE FROM Suppliers WHERE CompanyName = 'Salon Wholesale Inc'");
    const QString shown = w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->text();
    qvtest::clickAt(w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer")));
    EXPECT_EQ(vendors(), (QStringList{"Beauty Supply Ltd", "Nail Depot"}));
    qvtest::press(Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->text(), shown);
}

TEST_F(InventoryMasterTest, WithoutItsDatabaseTheWindowOpensEmptyAndSaysNothing)
{
    QFile::remove(db.file());
    m_w = qv::Windows::show<InventoryMaster>();
    EXPECT_TRUE(w().isVisible());
    EXPECT_TRUE(box(0)->text().isEmpty());
    EXPECT_EQ(w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->count(), 0);
    EXPECT_EQ(gridNumbers(), QStringList{});
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();
    EXPECT_FALSE(QFile::exists(db.file()));
}

} // namespace
