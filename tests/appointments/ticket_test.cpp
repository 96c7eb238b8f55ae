// A ticket's life in the appointment book: added, filled, saved with its
// required-field checks, cancelled, and what reaches the table.
#include "support/user_hands.h"
#include "book_fixture.h"

#include "platform/print/printer.h"

#include <QApplication>
#include <QFile>

namespace {

const QString kNoTicket = "You have not entered a ticket for this client, click cancel or enter information.";
const QString kNoArtist = "You have not entered Salon Artist, click cancel or enter information.";
const QString kNoName = "You have not entered Client Name, click cancel or enter information.";
const QString kNoPhone = "You have not entered Client Phone, click cancel or enter information.";
const QString kNoDate = "You have not entered Appointment Date, click cancel or enter information.";
const QString kNoTime = "You have not entered Appointment Time, click cancel or enter information.";
const QString kNoBlock = "You have not entered Appointment Block, click cancel or enter information.";
const QString kNoService = "You have not entered a service, click cancel or enter information.";

} // namespace

TEST_F(BookTest, OpensOnTheFirstTicketWithItsClientHistoryAndArtists)
{
    AppointmentBook& f = open();
    EXPECT_EQ(f.windowTitle(), "Appointment book");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(box(50)->text(), "1001");
    EXPECT_EQ(box(8)->text(), "Ann Lee");
    EXPECT_EQ(box(5)->text(), "July 02, 2001");
    EXPECT_EQ(box(6)->text(), "9:00 AM");
    EXPECT_EQ(box(38)->text(), "9:30 AM");
    EXPECT_EQ(box(9)->text(), "$25.00");
    EXPECT_EQ(f.serviceSlot(1).price->text(), "25.00");
    EXPECT_EQ(f.serviceSlot(1).quantity->text(), "1");
    EXPECT_EQ(box(2)->text(), "$27.06");
    EXPECT_EQ(box(47)->text(), "$27.06");
    EXPECT_EQ(input(0)->text(), "8.25");
    EXPECT_TRUE(box(46)->text().isEmpty());
    EXPECT_TRUE(box(45)->text().isEmpty());
    EXPECT_EQ(f.findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->count(), 3);
    EXPECT_EQ(f.gridShows(), AppointmentBook::GridShows::ClientHistory);
    ASSERT_TRUE(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model());
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 3);   // Ann Lee's three tickets
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->columnCount(), 9);
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->headerData(3, Qt::Horizontal).toString(), "Date Of Appointment");
    EXPECT_TRUE(f.closeCommandRemoved());
    EXPECT_FALSE(f.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());

    // The history follows the ticket shown, and highlights it among the client's others.
    qv::DataGrid* history = f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"));
    const auto highlighted = [history] { return history->currentIndex().siblingAtColumn(0).data().toString(); };
    EXPECT_EQ(highlighted(), "1001");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(8)->text(), "Bob Stone");
    EXPECT_EQ(history->model()->rowCount(), 2);
    EXPECT_EQ(highlighted(), "1002");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(50)->text(), "1003");
    EXPECT_EQ(history->model()->rowCount(), 3);
    EXPECT_EQ(highlighted(), "1003");
    EXPECT_EQ(history->selectionModel()->selectedRows().size(), 1);
}

TEST_F(BookTest, AWholeVisitFromAddToTheSavedTicket)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    EXPECT_TRUE(box(50)->text().isEmpty());

    fillAppointment("2001", "Ann Lee", "434-8888");
    EXPECT_EQ(box(1)->text(), "Maria");
    EXPECT_EQ(box(5)->text(), "8/6/2001");
    EXPECT_EQ(box(6)->text(), "12:30 Pm");
    EXPECT_EQ(box(38)->text(), "1 Pm");
    fillWorkedExample();

    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(box(2)->text(), "166.88");
    type(box(46), "200");
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_EQ(box(45)->text(), "$33.12");

    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_FALSE(f.isAddingRecord());
    EXPECT_EQ(db.count("Servicemenu"), 7);
    EXPECT_EQ(box(50)->text(), "2001");   // the new ticket stays current
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 7");
    // Update leaves the tender as it was; the totals ran again on the saved ticket.
    EXPECT_EQ(box(46)->text(), "$200.00");
    EXPECT_EQ(box(45)->text(), "$33.12");
    EXPECT_EQ(box(2)->text(), "166.88");
    EXPECT_EQ(box(5)->text(), "August 06, 2001");
    EXPECT_EQ(box(6)->text(), "12:30 PM");
    // Ann Lee's history now holds the new ticket too.
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 4);

    // The receipt of the saved ticket.
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("Cmdprint")));
    ASSERT_EQ(printing->jobs().size(), 1);
    ASSERT_EQ(printing->jobs()[0].pages.size(), 1);
    EXPECT_EQ(printing->jobs()[0].pages[0].lines(),
              (QStringList{"Service Totals 116", "Tax Amt On Services:$9.57", "Tax &Pct.8.25", "Total:$125.57",
                           "Product Sales Totals:38.97", "Tax Amt On Products:$2.34", "Tax &Pct.6", "Total:$41.31",
                           "Total Ticket:166.88", "Amount Tendered:$200.00", "Change:$33.12"}));

    // Every money figure is a number in its field.
    auto raw = [&](const char* field) {
        return db.scalarRaw(QString("SELECT %1 FROM Servicemenu WHERE CustomerID = '2001'").arg(field));
    };
    auto kind = [&](const char* field) {
        return db.scalarRaw(QString("SELECT typeof(%1) FROM Servicemenu WHERE CustomerID = '2001'").arg(field)).toString();
    };
    for (const char* field : {"Price", "ProductSales", "TaxTotals", "TaxTotals1", "Taxamount", "taxamount1", "Totals",
                              "ServicePrice1", "ProductsPrice", "TaxPercent"})
        EXPECT_NE(kind(field), "text") << field;
    EXPECT_DOUBLE_EQ(raw("Totals").toDouble(), 166.88);
    EXPECT_DOUBLE_EQ(raw("Price").toDouble(), 116);
    EXPECT_DOUBLE_EQ(raw("ProductSales").toDouble(), 38.97);
    EXPECT_DOUBLE_EQ(raw("Taxamount").toDouble(), 125.57);
    EXPECT_DOUBLE_EQ(raw("taxamount1").toDouble(), 41.31);
    EXPECT_DOUBLE_EQ(raw("TaxTotals").toDouble(), 9.57);
    EXPECT_DOUBLE_EQ(raw("TaxTotals1").toDouble(), 2.34);
    EXPECT_EQ(raw("SalonArtist").toString(), "Maria");
    EXPECT_EQ(raw("SystemStockNumber").toString(), "1002");
    EXPECT_EQ(raw("DateAppointment").toString(), "2001-08-06 00:00:00");
    EXPECT_EQ(raw("TimeAppointment").toString(), "1899-12-30 12:30:00");
    EXPECT_EQ(raw("TimeBlock").toString(), "1899-12-30 13:00:00");
}

TEST_F(BookTest, RequiredFieldsAreCheckedInOrderAndOnlyTheFirstGapIsReported)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    struct Step { QWidget* fill; QString text; QString expected; };
    // Each step fills the box the previous message asked for; a single blank counts as filled.
    const QList<Step> steps = {
        {nullptr, "", kNoTicket},
        {box(50), " ", kNoArtist},
        {box(1), "Maria", kNoName},
        {box(8), "Eve Hart", kNoPhone},
        {box(0), "619-555-0101", kNoDate},
        {box(5), "8/6/2001", kNoTime},
        {box(6), "10am", kNoBlock},
        {box(38), "11am", kNoService},
        {f.serviceSlot(1).name, "   ", kNoService},   // blanks only: still no service
    };
    for (const Step& s : steps) {
        if (s.fill)
            type(s.fill, s.text);
        ui.script.clear();
        click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
        EXPECT_EQ(messages(), QStringList{s.expected});
        EXPECT_TRUE(f.isAddingRecord());
        EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
        EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
        EXPECT_EQ(db.count("Servicemenu"), 6);
    }
    // Prices and quantities without a service name are no service either.
    type(f.serviceSlot(1).price, "30");
    type(f.serviceSlot(1).quantity, "1");
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kNoService});
    EXPECT_EQ(db.count("Servicemenu"), 6);

    // A service in slot 3 alone is enough.
    type(f.serviceSlot(1).name, "");
    type(f.serviceSlot(3).name, "Perm");
    type(f.serviceSlot(3).price, "60");
    type(f.serviceSlot(3).quantity, "1");
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_FALSE(f.isAddingRecord());
    EXPECT_EQ(db.count("Servicemenu"), 7);
    EXPECT_EQ(db.scalarRaw("SELECT Service2 FROM Servicemenu WHERE CustomerName = 'Eve Hart'").toString(), "Perm");
    EXPECT_EQ(db.scalarRaw("SELECT CustomerID FROM Servicemenu WHERE CustomerName = 'Eve Hart'").toString(), " ");
}

TEST_F(BookTest, ATicketCommittedBySubtotalIsStillDiscardedByCancel)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // ticket 1003, Ann Lee
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    fillAppointment("3001", "Gina Holt", "619-555-0199");
    fillWorkedExample();
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(box(2)->text(), "166.88");
    EXPECT_EQ(db.count("Servicemenu"), 6);

    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(db.count("Servicemenu"), 6);
    EXPECT_FALSE(f.isAddingRecord());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    // Back on the ticket that was current when Add was pressed.
    EXPECT_EQ(box(50)->text(), "1003");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 3");
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 3);
}

TEST_F(BookTest, EditThenCancelKeepsTheTableAsItWasAndTheTicketInView)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // 1002, Bob Stone
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Edit record");
    type(box(8), "Robert Stone");
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));   // commits into the row only
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(db.scalarRaw("SELECT CustomerName FROM Servicemenu WHERE CustomerID = '1002'").toString(), "Bob Stone");
    // The receptionist keeps her place: the ticket she was editing, shown as stored.
    EXPECT_EQ(box(50)->text(), "1002");
    EXPECT_EQ(box(8)->text(), "Bob Stone");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 2);   // Bob Stone's history
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->isVisible());

    // An Add cancelled earlier on another ticket does not pull a later Edit's Cancel there.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(50)->text(), "1002");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));   // 1006
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(8), "Nobody");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(50)->text(), "1006");
    EXPECT_EQ(box(8)->text(), "Ann Lee");
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 6");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(box(50)->text(), "1005");
    EXPECT_EQ(db.scalarRaw("SELECT count(*) FROM Servicemenu WHERE CustomerName = 'Nobody'").toInt(), 0);
    EXPECT_EQ(db.count("Servicemenu"), 6);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(BookTest, ASaveTheDatabaseRefusesIsReportedAndTheTicketStaysInAdding)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    fillAppointment("4001", "Hal Ng", "619-555-0177");
    type(f.serviceSlot(1).name, "Haircut");
    type(f.serviceSlot(1).price, "25");
    type(f.serviceSlot(1).quantity, "1");
    // Product boxes take any key; "two" is no quantity for the table.
    type(f.productSlot(1).quantity, "two");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[0].startsWith("You have generated an error."));
    EXPECT_FALSE(messages()[1].isEmpty());
    EXPECT_TRUE(f.isAddingRecord());
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_EQ(db.count("Servicemenu"), 6);

    // Mended, the same ticket saves.
    type(f.productSlot(1).quantity, "");
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_FALSE(f.isAddingRecord());
    EXPECT_EQ(db.count("Servicemenu"), 7);
}

TEST_F(BookTest, KeysFilterTheServiceNumbersOnly)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    // A service quantity is a number as the price list posts one: digits
    // and one decimal point, no sign.
    type(f.serviceSlot(2).quantity, "1a-.2.5");
    EXPECT_EQ(f.serviceSlot(2).quantity->text(), "1.25");
    type(f.serviceSlot(2).price, "-1a2.5.0/");
    EXPECT_EQ(f.serviceSlot(2).price->text(), "-12.50");
    type(f.productSlot(2).quantity, "1a-.2");
    EXPECT_EQ(f.productSlot(2).quantity->text(), "1a-.2");
}

TEST_F(BookTest, NavigationEmptiesTheTenderAndEditKeepsIt)
{
    AppointmentBook& f = open();
    type(box(46), "50");
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_EQ(box(46)->text(), "$50.00");
    EXPECT_EQ(box(45)->text(), "$22.94");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_EQ(box(46)->text(), "$50.00");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(46)->text(), "$50.00");
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(box(46)->text(), "$50.00");

    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_TRUE(box(46)->text().isEmpty());
    EXPECT_TRUE(box(45)->text().isEmpty());

    // The keys run the same handlers.
    type(box(46), "10");
    qvtest::clickAt(box(19));
    qvtest::press(Qt::Key_Down);
    EXPECT_EQ(box(50)->text(), "1003");
    EXPECT_TRUE(box(46)->text().isEmpty());
    qvtest::press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(box(50)->text(), "1006");

    // Add empties them too.
    type(box(46), "10");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_TRUE(box(46)->text().isEmpty());
}

TEST_F(BookTest, TheDeleteButtonDoesNothing)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Servicemenu"), 6);
    EXPECT_EQ(box(50)->text(), "1001");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(BookTest, AllClientsListsEveryTicketAndAPickedRowBecomesTheTicket)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    type(box(46), "20");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh"))->text(), "&All Clients");
    EXPECT_EQ(f.gridShows(), AppointmentBook::GridShows::AllTickets);
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 6);
    EXPECT_EQ(box(50)->text(), "1001");   // the first ticket is current
    EXPECT_TRUE(box(46)->text().isEmpty());   // the tender stays with the ticket left

    // A click on the fourth row shows ticket 1004 and empties the tender.
    type(box(46), "20");
    QTableView* grid = f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"));
    grid->scrollTo(grid->model()->index(3, 0));
    const QRect cell = grid->visualRect(grid->model()->index(3, 0));
    qvtest::clickAt(grid->viewport(), cell.center());
    EXPECT_EQ(box(50)->text(), "1004");
    EXPECT_TRUE(box(46)->text().isEmpty());
    // With the grid holding the focus, Down and Up move one ticket each, and
    // the row highlighted is the ticket shown.
    qvtest::press(Qt::Key_Down);
    EXPECT_EQ(box(50)->text(), "1005");
    EXPECT_EQ(grid->currentIndex().row(), 4);
    qvtest::press(Qt::Key_Up);
    qvtest::press(Qt::Key_Up);
    EXPECT_EQ(box(50)->text(), "1003");
    EXPECT_EQ(grid->currentIndex().row(), 2);

    // Add binds the grid to one client's history again.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(f.gridShows(), AppointmentBook::GridShows::ClientHistory);
    // While adding, a click in the grid is refused: the blank ticket stays.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    grid->scrollTo(grid->model()->index(4, 0));
    const QRect other = grid->visualRect(grid->model()->index(4, 0));
    qvtest::clickAt(grid->viewport(), other.center());
    EXPECT_EQ(box(50)->text(), "1001");
    EXPECT_TRUE(f.isEditingRecord());
}

TEST_F(BookTest, AClickOnTheLastRowInSightHighlightsTheTicketItShows)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    QTableView* grid = f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"));
    // Past the view's own delayed scrolling after a click.
    const auto settle = [] { QTest::qWait(QApplication::doubleClickInterval() + 150); };
    // Each time the row the user clicks is the lowest one in sight, partly
    // cut by the grid's foot: the ticket shown and the row highlighted are
    // that row's, wherever the grid scrolls to show it whole.
    for (int step = 0; step < 3; ++step) {
        const int viewHeight = grid->viewport()->height();
        int last = grid->rowAt(viewHeight - 1);
        if (last < 0)
            last = grid->model()->rowCount() - 1;
        const QRect cell = grid->visualRect(grid->model()->index(last, 0));
        const QPoint at(cell.center().x(), (cell.top() + qMin(cell.bottom(), viewHeight - 1)) / 2);
        const QString ticket = grid->model()->index(last, 0).data().toString();
        qvtest::clickAt(grid->viewport(), at);
        settle();
        EXPECT_EQ(box(50)->text(), ticket) << "step " << step;
        const QModelIndexList highlighted = grid->selectionModel()->selectedRows();
        ASSERT_EQ(highlighted.size(), 1) << "step " << step;
        EXPECT_EQ(highlighted.first().row(), last) << "step " << step;
        EXPECT_EQ(grid->currentIndex().row(), last) << "step " << step;
        EXPECT_TRUE(grid->viewport()->rect().intersects(grid->visualRect(highlighted.first()))) << "step " << step;
    }
}

TEST_F(BookTest, WithoutItsDatabaseTheBookStillOpensEmpty)
{
    seed = false;
    ASSERT_TRUE(QFile::remove(db.file()));
    AppointmentBook& f = open();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(box(50)->text().isEmpty());
    EXPECT_EQ(f.findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->count(), 0);
    // Add passes its errors over; the navigation says what went wrong.
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_TRUE(messages().isEmpty());
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(messages().size(), 1);
    EXPECT_FALSE(QFile::exists(db.file()));
}

TEST_F(BookTest, AnEmptyBookTakesItsFirstTicket)
{
    db.seed();
    db.execRaw("DELETE FROM Servicemenu");
    seed = false;
    AppointmentBook& f = open();
    EXPECT_TRUE(box(50)->text().isEmpty());
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 0);

    // Cancel of an Add on no tickets leaves the book empty and quiet.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(50), "1");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_TRUE(box(50)->text().isEmpty());
    EXPECT_EQ(db.count("Servicemenu"), 0);

    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    fillAppointment("1", "Eve Hart", "619-555-0101");
    type(f.serviceSlot(1).name, "Haircut");
    type(f.serviceSlot(1).price, "25");
    type(f.serviceSlot(1).quantity, "1");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_FALSE(f.isAddingRecord());
    EXPECT_EQ(db.count("Servicemenu"), 1);
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(box(2)->text(), "25");
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 1);
}
