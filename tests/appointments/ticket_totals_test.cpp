// The ticket's money as "Subtotal" and "$" compute it, read from the boxes
// the receptionist filled.
#include "book_fixture.h"
#include "support/user_hands.h"

#include <QLabel>
#include <QApplication>

namespace {

const QString kServiceQuantity = "A quantity amount for a service was not included. Please enter now.";
const QString kProductQuantity = "A quantity and or Stock # for a Product was not included. Please enter now.";

// Every text a box is given, in order.
struct TextLog {
    explicit TextLog(QLineEdit* box)
    {
        connection = QObject::connect(box, &QLineEdit::textChanged, box, [this](const QString& t) { texts << t; });
    }
    // The book outlives the log: the ticket dropped at the end of the test
    // changes the box again.
    ~TextLog() { QObject::disconnect(connection); }
    QStringList texts;
    QMetaObject::Connection connection;
};

// Every widget that gets the focus, in order, and the focus at each message.
struct FocusLog {
    FocusLog()
    {
        connection = QObject::connect(qApp, &QApplication::focusChanged, qApp,
                                      [this](QWidget*, QWidget* now) { moves << (now ? now->objectName() : QString()); });
    }
    ~FocusLog() { QObject::disconnect(connection); }
    QStringList moves;
    QMetaObject::Connection connection;
};

} // namespace

TEST_F(BookTest, TheWorkedExampleToTheLastFocusMove)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    fillWorkedExample();
    type(box(19), "");   // start from the memo box

    TextLog serviceTotal(input(1)), productTotal(input(2)), productTax(box(39)), serviceTax(box(27));
    FocusLog focus;
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));

    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_EQ(box(4)->text(), "38.97");
    EXPECT_EQ(box(9)->text(), "116");
    EXPECT_EQ(serviceTotal.texts, (QStringList{"9.57", "125.57", "$125.57"}));
    EXPECT_EQ(productTotal.texts, (QStringList{"2.3382", "41.3082", "$41.31"}));
    EXPECT_EQ(productTax.texts, (QStringList{"2.3382", "$2.34"}));
    EXPECT_EQ(serviceTax.texts, (QStringList{"9.57", "$9.57"}));
    EXPECT_EQ(box(2)->text(), "166.88");
    // The tender row's total is the same field and shows the new total at once.
    EXPECT_EQ(box(47)->text(), "166.88");
    // Step 1 re-showed the typed boxes in their formats.
    EXPECT_EQ(f.serviceSlot(1).price->text(), "25.00");
    EXPECT_EQ(f.serviceSlot(2).price->text(), "45.50");
    EXPECT_EQ(input(0)->text(), "8.25");

    // Slot 1 complete: slot 3's name; slot 2 complete: slot 4's name;
    // product 1 complete: product 2's name, where it stays.
    EXPECT_EQ(focus.moves, (QStringList{"txtfields_29", "txtfields_30", "txtfields_10"}));
    EXPECT_EQ(focused(), box(10));

    type(box(46), "200");
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_EQ(box(47)->text(), "$166.88");
    EXPECT_EQ(box(46)->text(), "$200.00");
    EXPECT_EQ(box(45)->text(), "$33.12");

    type(box(46), "150");
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_EQ(box(45)->text(), "($16.88)");
    EXPECT_TRUE(messages().isEmpty());

    // A change already worked out follows a new total: the receipt must not
    // print the change of an earlier one. Service 2 (2 x 45.50) goes: 25.00
    // and its tax 2.06, 38.97 of products and their tax 2.34.
    type(f.serviceSlot(2).price, "");
    type(f.serviceSlot(2).quantity, "");
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(box(2)->text(), "68.37");
    EXPECT_EQ(box(46)->text(), "$150.00");
    EXPECT_EQ(box(45)->text(), "$81.63");
}

TEST_F(BookTest, MissingQuantitiesAreReportedDownTheLeftSlotsThenTheRight)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    for (int slot = 1; slot <= 4; ++slot) {
        type(f.serviceSlot(slot).name, QString("Service %1").arg(slot));
        type(f.serviceSlot(slot).price, "30");
    }
    // A product without quantity, and one without stock number that still counts.
    type(f.productSlot(2).price, "12.99");
    type(f.productSlot(2).quantity, "0");
    type(f.productSlot(3).price, "12.99");
    type(f.productSlot(3).quantity, "2");

    FocusLog focus;
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(messages(), (QStringList{kServiceQuantity, kServiceQuantity, kServiceQuantity, kServiceQuantity,
                                       kProductQuantity}));
    // Each message comes with the focus in the quantity box it is about.
    EXPECT_EQ(focus.moves, (QStringList{"txtfields_31", "txtfields_25", "txtfields_32", "txtfields_33", "txtfields_20"}));
    EXPECT_EQ(focused(), box(20));
    EXPECT_EQ(box(9)->text(), "0");            // no quantity, nothing summed
    EXPECT_EQ(box(4)->text(), "25.98");        // the line without stock number counts
}

TEST_F(BookTest, TwoIncompleteServiceLinesEndInSlotTwo)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(f.serviceSlot(2).price, "30");
    type(f.serviceSlot(3).price, "40");
    // A price below 1 counts but is never checked.
    type(f.serviceSlot(4).price, "0.50");
    type(f.serviceSlot(4).quantity, "2");
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(messages(), (QStringList{kServiceQuantity, kServiceQuantity}));
    EXPECT_EQ(focused(), box(32));
    EXPECT_EQ(box(9)->text(), "1");
}

TEST_F(BookTest, AnEmptyTicketTotalsToZeroWithoutAMessage)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(box(4)->text(), "0");
    EXPECT_EQ(box(9)->text(), "0");
    EXPECT_EQ(input(1)->text(), "$0.00");
    EXPECT_EQ(input(2)->text(), "$0.00");
    EXPECT_EQ(box(27)->text(), "$0.00");
    EXPECT_EQ(box(39)->text(), "$0.00");
    EXPECT_EQ(box(2)->text(), "0");

    // The change of an empty tender: nothing shown, nothing filled.
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(box(46)->text().isEmpty());
    EXPECT_TRUE(box(45)->text().isEmpty());
}

TEST_F(BookTest, PricesOfAThousandOrMoreAreReadWhole)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(f.serviceSlot(1).name, "Bridal package");
    type(f.serviceSlot(1).price, "1250");
    type(f.serviceSlot(1).quantity, "2");
    type(f.productSlot(1).stockNumber, "1001");
    type(f.productSlot(1).price, "1000");
    type(f.productSlot(1).quantity, "1");
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(f.serviceSlot(1).price->text(), "1,250.00");
    EXPECT_EQ(box(9)->text(), "2500");
    EXPECT_EQ(box(4)->text(), "1000");
    EXPECT_EQ(box(2)->text(), "3500");
}

TEST_F(BookTest, ABoxItsFieldRefusesStopsTheTotalsWithTheirMessage)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(f.serviceSlot(1).price, "30");   // would be warned about, were the checks reached
    type(input(0), "abc");
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0],
              "You have generated an error.Did you enter a tax amount for services and then tried to delete it? Once "
              "you have entered a tax amount you cannot leave the field empty.You must now use at least a digit of (0) ");
    EXPECT_EQ(input(0)->text(), "abc");
    EXPECT_TRUE(box(2)->text().isEmpty());
}

TEST_F(BookTest, UpdateWithAPricedLineAndNoQuantitySavesNothing)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    fillAppointment("4001", "Hal Ng", "619-555-0177");
    ASSERT_TRUE(qvtest::typeInto(f.serviceSlot(1).name, "Haircut"));
    ASSERT_TRUE(qvtest::typeInto(f.serviceSlot(1).price, "25"));
    QLabel* status = f.findChild<QLabel*>(QStringLiteral("lblStatus"));

    // Subtotal on the new ticket reports the missing quantity; the ticket is still being added.
    qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(messages(), QStringList{kServiceQuantity});
    EXPECT_EQ(status->text(), "Add record");
    ui.script.clear();

    qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kServiceQuantity});
    EXPECT_EQ(db.count("Servicemenu"), 6);
    EXPECT_TRUE(f.isAddingRecord());
    EXPECT_EQ(status->text(), "Add record");
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_EQ(qvtest::focused(), f.serviceSlot(1).quantity);

    // The receptionist types the quantity where the focus waits, and saves.
    qvtest::typeKeys("1");
    ui.script.clear();
    qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_FALSE(f.isAddingRecord());
    EXPECT_EQ(db.count("Servicemenu"), 7);
    EXPECT_TRUE(status->text().startsWith("Record: ")) << status->text().toStdString();
    EXPECT_DOUBLE_EQ(db.scalarRaw("SELECT Price FROM Servicemenu WHERE CustomerID = '4001'").toDouble(), 25);

    // Editing: a product line priced without its quantity stops the save too.
    qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    ASSERT_TRUE(qvtest::typeInto(f.productSlot(2).stockNumber, "1001"));
    ASSERT_TRUE(qvtest::typeInto(f.productSlot(2).price, "12.99"));
    ui.script.clear();
    qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(messages(), QStringList{kProductQuantity});
    EXPECT_TRUE(f.isEditingRecord());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_EQ(qvtest::focused(), f.productSlot(2).quantity);
    EXPECT_TRUE(db.scalarRaw("SELECT ProductsPrice1 FROM Servicemenu WHERE CustomerID = '4001'").isNull());
    EXPECT_DOUBLE_EQ(db.scalarRaw("SELECT Totals FROM Servicemenu WHERE CustomerID = '4001'").toDouble(), 25);
}

TEST_F(BookTest, AnUnreadableTenderShowsNoChange)
{
    AppointmentBook& f = open();   // ticket 1001, total 27.06
    ASSERT_TRUE(qvtest::typeInto(box(46), "40"));
    qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_EQ(box(45)->text(), "$12.94");

    for (const char* tender : {"abc", ""}) {
        SCOPED_TRACE(tender);
        ASSERT_TRUE(qvtest::typeInto(box(46), tender));
        qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("Command17")));
        EXPECT_EQ(box(46)->text(), tender);
        EXPECT_TRUE(box(45)->text().isEmpty()) << box(45)->text().toStdString();
        ASSERT_TRUE(qvtest::typeInto(box(46), "40"));
        qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("Command17")));
        EXPECT_EQ(box(45)->text(), "$12.94");
    }
    EXPECT_TRUE(messages().isEmpty());
}

// One and a half typed into a service line's Qty box is one and a half, and
// every line is charged to the cent before it is summed: the sums, the
// stored row, the receipt and the change all work on the same cents.
TEST_F(BookTest, AFractionalQuantityTypedIntoTheTicketIsChargedToTheCent)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    fillAppointment("4002", "Ivy Moss", "619-555-0190");
    type(f.serviceSlot(1).name, "Color");
    type(f.serviceSlot(1).price, "37.35");
    type(f.serviceSlot(1).quantity, "1.5");   // 56.025
    type(input(0), "8.25");
    type(f.productSlot(1).stockNumber, "1001");
    type(f.productSlot(1).name, "Shampoo");
    type(f.productSlot(1).price, "12.99");
    type(f.productSlot(1).quantity, "2.5");   // 32.475
    type(input(3), "6");
    // Below one is no quantity: charged nothing, and asked for.
    type(f.serviceSlot(2).name, "Trim");
    type(f.serviceSlot(2).price, "10");
    type(f.serviceSlot(2).quantity, "0.5");

    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(messages(), QStringList{kServiceQuantity});
    EXPECT_EQ(f.serviceSlot(1).quantity->text(), "1.5");
    EXPECT_EQ(box(9)->text(), "56.03");
    EXPECT_EQ(box(4)->text(), "32.48");
    EXPECT_EQ(box(27)->text(), "$4.62");       // 8.25 % of 56.03
    EXPECT_EQ(input(1)->text(), "$60.65");
    EXPECT_EQ(box(39)->text(), "$1.95");       // 6 % of 32.48
    EXPECT_EQ(input(2)->text(), "$34.43");
    EXPECT_EQ(box(2)->text(), "95.08");

    type(f.serviceSlot(2).quantity, "1");     // 10.00 more, 0.83 more tax
    type(box(46), "120");
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_FALSE(f.isAddingRecord());
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    EXPECT_EQ(box(45)->text(), "$14.09");     // 120 - 105.91

    const auto stored = [this](const char* field) {
        return QString::number(
            db.scalarRaw(QString("SELECT %1 FROM Servicemenu WHERE CustomerID = '4002'").arg(field)).toDouble());
    };
    EXPECT_EQ(stored("QuantityService1"), "1.5");
    EXPECT_EQ(stored("Quantity"), "2.5");
    EXPECT_EQ(stored("Price"), "66.03");
    EXPECT_EQ(stored("TaxTotals"), "5.45");
    EXPECT_EQ(stored("ProductSales"), "32.48");
    EXPECT_EQ(stored("TaxTotals1"), "1.95");
    EXPECT_EQ(stored("Totals"), "105.91");

    click(f.findChild<QPushButton*>(QStringLiteral("Cmdprint")));
    ASSERT_EQ(printing->jobs().size(), 1);
    const QStringList lines = printing->jobs()[0].pages[0].lines();
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "Service Totals 66.03");
    EXPECT_EQ(lines[4], "Product Sales Totals:32.48");
    EXPECT_EQ(lines[8], "Total Ticket:105.91");
    EXPECT_EQ(lines[10], "Change:$14.09");
}

// A price typed into a saved ticket while only looking at it is stored when
// the receptionist moves on, with no Subtotal: whichever way the book leaves
// the ticket, its stored totals and taxes are those of its lines.
TEST_F(BookTest, ATicketStoredWithoutSubtotalAddsUp)
{
    AppointmentBook& f = open();   // ticket 1001: Haircut 25.00 at 8.25 %, stored 2.06 / 27.06
    // The way on (Next, Find Ticket, All Clients, Exit Program), the price, its tax and the total.
    const QStringList ways[] = {{"cmdNext", "40", "3.3", "43.3"}, {"Command6", "30", "2.48", "32.48"},
                                {"cmdRefresh", "50", "4.13", "54.13"}, {"Command23", "35", "2.89", "37.89"}};
    const auto stored = [this](const char* field) {
        return db.scalarRaw(QString("SELECT %1 FROM Servicemenu WHERE CustomerID = '1001'").arg(field)).toString();
    };
    for (const QStringList& way : ways) {
        SCOPED_TRACE(way[0].toStdString());
        qvtest::clickAt(f.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
        ASSERT_TRUE(qvtest::typeInto(f.serviceSlot(1).price, way[1]));
        ui.script.inputAnswers = {"1004"};
        qvtest::clickAt(f.findChild<QPushButton*>(way[0]));
        EXPECT_EQ((QStringList{stored("ServicePrice1"), stored("Price"), stored("TaxTotals"), stored("Taxamount"),
                               stored("ProductSales"), stored("Totals")}),
                  (QStringList{way[1], way[1], way[2], way[3], "0", way[3]}));
    }
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    QApplication::processEvents();
    EXPECT_FALSE(qv::Windows::loaded("Form3"));
    // A ticket nobody changed keeps its figures as stored.
    EXPECT_EQ(stored("Totals"), "37.89");
    EXPECT_EQ(db.scalarRaw("SELECT Totals FROM Servicemenu WHERE CustomerID = '1002'").toDouble(), 139.82);
}
