// The vendor address book: vendors in their boxes and grid, adding,
// correcting, deleting, closing, the phone dialer, and a missing database.
#include "record_window_hands.h"
#include "platform/forms/window.h"

#include "inventory/vendor_book.h"
#include "platform/data/recordset.h"

#include <QFile>

namespace {

using Base = invtest::RecordWindowTest<VendorBook>;

class VendorBookTest : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        qv::Windows::registerFactory("Frmdatabase", [] { return new VendorBook; });
    }
    QStringList companies() { return gridColumn(w().findChild<qv::DataGrid*>(QStringLiteral("DataGrid1")), 0); }
};

TEST_F(VendorBookTest, ShowsTheVendorsInBoxesAndGrid)
{
    db.seed();
    open();
    EXPECT_EQ(w().windowTitle(), QStringLiteral("Vendor Address Book"));
    EXPECT_TRUE(w().closeCommandRemoved());
    EXPECT_TRUE(w().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(w().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(box(10)->text(), QStringLiteral("Beauty Supply Co"));
    EXPECT_EQ(box(1)->text(), QStringLiteral("Lee Wong"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("800-555-0100"));
    EXPECT_EQ(box(4)->text(), QStringLiteral("Los Angeles"));
    EXPECT_FALSE(w().findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)));
    EXPECT_EQ(w().findChild<QLabel*>(qv::arrayMemberName("lblLabels", 5))->text(), QStringLiteral("State:"));
    EXPECT_EQ(w().findChild<QLabel*>(qv::arrayMemberName("lblLabels", 11))->text(), QStringLiteral("Business Website:"));
    // The status label is never seen, yet keeps its texts.
    EXPECT_FALSE(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->isVisible());
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Record: 1"));

    EXPECT_EQ(gridCaptions(w().findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))),
              (QStringList{"CompanyName", "ContactName", "ContactTitle", "Address", "City", "Region", "PostalCode",
                           "Country", "Phone", "Fax", "HomePage"}));
    EXPECT_EQ(companies(), (QStringList{"Beauty Supply Co", "Salon Wholesale Inc"}));

    // Tab runs down the left column, then the right one.
    qvtest::clickAt(box(10));
    QStringList order;
    for (int i = 0; i < 11; ++i) {
        order << qvtest::focused()->objectName();
        key(Qt::Key_Tab);
    }
    EXPECT_EQ(order, (QStringList{"txtfields_10", "txtfields_2", "txtfields_3", "txtfields_4", "txtfields_5",
                                  "txtfields_6", "txtfields_7", "txtfields_1", "txtfields_8", "txtfields_9",
                                  "txtfields_11"}));

    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(10)->text(), QStringLiteral("Salon Wholesale Inc"));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Record: 2"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));   // past the end: a beep, and the last vendor stays
    EXPECT_EQ(ui.script.beeps(), 1);
    EXPECT_EQ(box(10)->text(), QStringLiteral("Salon Wholesale Inc"));
}

TEST_F(VendorBookTest, AddsAVendorWithItsOwnNumberAndEditsOne)
{
    db.seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Add record"));
    EXPECT_FALSE(w().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    type(box(10), QStringLiteral("Nail Depot"));
    type(box(2), QStringLiteral("800-555-0300"));
    type(box(11), QStringLiteral("www.naildepot.example"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_EQ(box(10)->text(), QStringLiteral("Nail Depot"));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Record: 3"));
    EXPECT_EQ(companies().size(), 3);

    auto rows = db.query("SELECT * FROM Suppliers ORDER BY SupplierID");
    ASSERT_EQ(rows->recordCount(), 3);
    rows->moveLast();
    EXPECT_EQ(rows->value("CompanyName").toString(), QStringLiteral("Nail Depot"));
    EXPECT_EQ(rows->value("HomePage").toString(), QStringLiteral("www.naildepot.example"));
    // Every vendor has a number of its own: the inventory's vendor list depends on it.
    const QVariant id = rows->value("SupplierID");
    EXPECT_FALSE(id.isNull());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM Suppliers WHERE SupplierID=%1").arg(id.toString()))
                  .toInt(),
              1);

    click(w().findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Edit record"));
    type(box(7), QStringLiteral("800-555-0199"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(db.scalar("SELECT Fax FROM Suppliers WHERE CompanyName='Beauty Supply Co'").toString(),
              QStringLiteral("800-555-0199"));
    EXPECT_EQ(box(10)->text(), QStringLiteral("Beauty Supply Co"));
}

TEST_F(VendorBookTest, NothingTypedIsRefusedAndCancelReturnsToTheVendorBeforeOrToTheOneEdited)
{
    db.seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(ui.script.messages(),
              QStringList{"You have not entered a record. Enter information or click cancel to continue."});
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());
    EXPECT_EQ(db.count("Suppliers"), 2);

    // Esc asks once something is typed; Cancel keeps the vendor being added.
    type(box(10), QStringLiteral("Dropped"));
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    key(Qt::Key_Escape);
    EXPECT_TRUE(w().isLoaded());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(10)->text(), QStringLiteral("Salon Wholesale Inc"));
    EXPECT_EQ(companies(), (QStringList{"Beauty Supply Co", "Salon Wholesale Inc"}));
    EXPECT_EQ(db.count("Suppliers"), 2);
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());

    click(w().findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(10), QStringLiteral("Dropped"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(10)->text(), QStringLiteral("Beauty Supply Co"));
    EXPECT_EQ(companies(), (QStringList{"Beauty Supply Co", "Salon Wholesale Inc"}));
}

// A vendor half-typed is stored only by Update: a row picked in the grid
// leaves it pending, so that Cancel still drops it; and no vendor is kept
// without its company name, whether added, edited or typed over while browsing.
TEST_F(VendorBookTest, AGridPickWhileAddingStoresNothingAndNoVendorIsKeptWithoutAName)
{
    db.seed();
    open();
    auto* grid = w().findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"));
    const auto pickRow = [&](int row) {
        qvtest::clickAt(grid->viewport(), grid->visualRect(grid->model()->index(row, 0)).center());
        QApplication::processEvents();
    };
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(2), QStringLiteral("800-555-0300"));
    pickRow(0);
    EXPECT_EQ(db.count("Suppliers"), 2);
    EXPECT_TRUE(w().isAddingRecord());
    EXPECT_EQ(box(2)->text(), QStringLiteral("800-555-0300"));

    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    const QString noName = QStringLiteral(
        "You have not entered a Company Name for this vendor. Enter one, or click cancel to drop the change.");
    const QString pickRefused =
        QStringLiteral("Click Update to save this record, or Cancel to drop it, before you move to another record.");
    EXPECT_EQ(ui.script.messages(), (QStringList{pickRefused, noName}));
    EXPECT_EQ(qvtest::focused(), box(10));
    EXPECT_EQ(db.count("Suppliers"), 2);
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(db.count("Suppliers"), 2);
    EXPECT_EQ(companies(), (QStringList{"Beauty Supply Co", "Salon Wholesale Inc"}));

    // An edit that empties the name is refused too, and a pick in the grid
    // does not carry it off.
    ui.script.clear();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(10), QString());
    pickRow(1);
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(ui.script.messages(), (QStringList{pickRefused, noName}));
    EXPECT_TRUE(w().isEditingRecord());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(db.scalarRaw("SELECT count(*) FROM Suppliers WHERE CompanyName = 'Beauty Supply Co'").toInt(), 1);

    // While browsing, a name typed away stops the move that would save it.
    ui.script.clear();
    type(box(10), QString());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(ui.script.messages(), QStringList{noName});
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Record: 1"));
    EXPECT_EQ(db.scalarRaw("SELECT count(*) FROM Suppliers WHERE CompanyName = 'Beauty Supply Co'").toInt(), 1);
    type(box(10), QStringLiteral("Beauty Supply Company"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(db.scalarRaw("SELECT count(*) FROM Suppliers WHERE CompanyName = 'Beauty Supply Company'").toInt(), 1);
    EXPECT_EQ(db.scalarRaw("SELECT count(*) FROM Suppliers WHERE CompanyName IS NULL OR CompanyName = ''").toInt(), 0);
}

TEST_F(VendorBookTest, CancelOnAnEmptyBookLeavesItEmpty)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(10), QStringLiteral("Dropped"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(box(10)->text().isEmpty());
    EXPECT_EQ(db.count("Suppliers"), 0);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(VendorBookTest, DeleteBeepsAsksAndStaysOnThePlaceUntilAMove)
{
    db.seed();
    open();
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(ui.script.beeps(), 1);
    ASSERT_EQ(ui.script.events.size(), 2u);
    EXPECT_EQ(ui.script.events[1].text, QStringLiteral("Delete the Current Record"));
    EXPECT_EQ(ui.script.events[1].title, QStringLiteral("Delete Record"));
    EXPECT_EQ(ui.script.events[1].style, 36);
    EXPECT_EQ(db.count("Suppliers"), 2);

    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Suppliers"), 1);
    // No move: the boxes hold nothing of the deleted vendor, and nothing is written back.
    EXPECT_TRUE(box(10)->text().isEmpty());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(10)->text(), QStringLiteral("Salon Wholesale Inc"));

    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Suppliers"), 0);

    // An empty book has nothing to delete: said in a box, the window stays.
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(ui.script.messages().size(), 2);
    EXPECT_TRUE(w().isLoaded());
    EXPECT_EQ(db.count("Suppliers"), 0);
}

TEST_F(VendorBookTest, CloseRightAfterADeleteCloses)
{
    db.seed();
    open();
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Suppliers"), 1);
    ui.script.clear();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();
    EXPECT_FALSE(loaded("Frmdatabase"));
    EXPECT_EQ(db.count("Suppliers"), 1);
}

TEST_F(VendorBookTest, TheDialerStartsWithoutANumberAndItsFailureStopsNothing)
{
    db.seed();
    open();
    EXPECT_EQ(box(2)->text(), QStringLiteral("800-555-0100"));
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Launch);
    EXPECT_EQ(ui.script.events[0].text, QStringLiteral("dialer.exe"));
    EXPECT_TRUE(ui.script.events[0].arguments.isEmpty());

    ui.script.clear();
    ui.script.launchSucceeds = false;
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(ui.script.events.size(), 1u);
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_TRUE(w().isVisible());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(10)->text(), QStringLiteral("Salon Wholesale Inc"));
}

TEST_F(VendorBookTest, CloseAndEscKeepWhatWasTypedAndReleaseTheRecords)
{
    db.seed();
    open();
    type(box(9), QStringLiteral("USA"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_FALSE(loaded("Frmdatabase"));
    EXPECT_EQ(db.scalar("SELECT Country FROM Suppliers WHERE CompanyName='Beauty Supply Co'").toString(),
              QStringLiteral("USA"));

    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    qvtest::clickAt(box(10));
    key(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(loaded("Frmdatabase"));
    // Closed and released: another window may delete every vendor at once.
    db.execRaw("DELETE FROM Suppliers");
    EXPECT_EQ(db.count("Suppliers"), 0);
}

TEST_F(VendorBookTest, WithoutItsDatabaseTheWindowSaysWhyAndStaysUsable)
{
    QFile::remove(db.file());
    m_w = qv::Windows::show<VendorBook>();
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(ui.script.messages().at(0).contains(QStringLiteral("KVD.mdb"))) << ui.script.messages().at(0).toStdString();
    ASSERT_TRUE(loaded("Frmdatabase"));
    ui.script.clear();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(ui.script.messages().size(), 1);
    click(w().findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_FALSE(loaded("Frmdatabase"));
    EXPECT_FALSE(QFile::exists(db.file()));
}

} // namespace
