// The three windows that write into the appointment book's open ticket -- the
// customer window's "Enter", the service menu's slot buttons and the retail
// product window's slot buttons -- filling one new ticket together. The book
// boxes are named here by their indexes, not through the book's own slot
// accessors, so a slot written into the wrong box (or saved into the wrong
// field) shows up, both on the ticket and in the saved row.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "appointments/appointment_book.h"
#include "customers/customer_window.h"
#include "customers/service_menu.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/money.h"
#include "retail/retail_products.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TicketWriters : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        db.seed();
        // Five products that sort before the seeded ones (names descending):
        // "Zz 5" is shown first, "Zz 1" last. Each has its own stock number,
        // price and tax percent, so every slot's values are told apart.
        for (int k = 1; k <= 5; ++k)
            db.insert("StockControl", {{"Category", QString("Zz %1").arg(k)},
                                       {"SystemStockNumber", QString("90%1").arg(k)},
                                       {"Price", 10.0 + k}, {"CostValueOfStock", 1.0},
                                       {"StartingQuantity", 50}, {"Sold", 0}, {"taxpercent1", double(k)}});
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    void click(QAbstractButton* b)
    {
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << b->objectName().toStdString();
        qvtest::clickAt(b);
    }
    void type(QLineEdit* box, const QString& text) { qvtest::typeInto(box, text); }
    void pick(ServicePriceList& menu, const QString& service)
    {
        const QList<QListWidgetItem*> items = menu.findChild<qv::DataList*>(QStringLiteral("DataList1"))->findItems(service, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << service.toStdString();
        qvtest::clickAt(menu.findChild<qv::DataList*>(QStringLiteral("DataList1"))->viewport(), menu.findChild<qv::DataList*>(QStringLiteral("DataList1"))->visualItemRect(items[0]).center());
    }
    // The book on a new ticket 3001 with its date and times; the client,
    // the services and the products come from the writers.
    AppointmentBook& newTicket()
    {
        AppointmentBook& book = *qv::Windows::show<AppointmentBook>();
        click(book.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
        type(book.box(50), "3001");
        type(book.box(5), "8/7/2001");
        type(book.box(6), "10 am");
        type(book.box(38), "11 am");
        return book;
    }
    QString row(const QString& field)
    {
        const QVariant v = db.scalar("SELECT " + field + " FROM Servicemenu WHERE CustomerID = '3001'");
        if (v.metaType() == QMetaType::fromType<qv::Money>())
            return QString::number(v.value<qv::Money>().toDouble());
        if (v.metaType().id() == QMetaType::Double)
            return QString::number(v.toDouble());
        return v.toString();
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
};

TEST_F(TicketWriters, EachWriterFillsTheTicketBoxesAndFieldsOfItsSlot)
{
    AppointmentBook& book = newTicket();

    // The client: Dan Fox, artist Tom.
    auto& customers = *qv::Windows::show<CustomerWindow>();
    click(customers.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(customers.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_EQ(book.box(8)->text(), "Dan Fox");
    EXPECT_EQ(book.box(0)->text(), "858-9899");
    EXPECT_EQ(book.box(1)->text(), "Tom");

    // Four services, slot k with quantity k; Perm (8.25) is posted last.
    click(book.findChild<QPushButton*>(QStringLiteral("Command15")));
    auto* menu = qv::Windows::loaded<ServicePriceList>();
    ASSERT_TRUE(menu);
    const QStringList services = {"Haircut", "Manicure", "Color", "Perm"};
    QAbstractButton* serviceButtons[] = {menu->findChild<QPushButton*>(QStringLiteral("Command1")), menu->findChild<QPushButton*>(QStringLiteral("Command2")), menu->findChild<QPushButton*>(QStringLiteral("Command3")), menu->findChild<QPushButton*>(QStringLiteral("Command4"))};
    for (int k = 1; k <= 4; ++k) {
        pick(*menu, services[k - 1]);
        type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), QString::number(k));
        click(serviceButtons[k - 1]);
    }
    // name, price, quantity boxes of service slots 1 to 4
    const int serviceBoxes[4][3] = {{7, 34, 31}, {28, 35, 32}, {29, 36, 25}, {30, 37, 33}};
    const QStringList prices = {"25.00", "15.00", "45.50", "60.00"};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(book.box(serviceBoxes[k - 1][0])->text(), services[k - 1]) << "service slot " << k;
        EXPECT_EQ(book.box(serviceBoxes[k - 1][1])->text(), prices[k - 1]) << "service slot " << k;
        EXPECT_EQ(book.box(serviceBoxes[k - 1][2])->text(), QString::number(k)) << "service slot " << k;
    }
    EXPECT_EQ(book.taxBox(0)->text(), "8.25");

    // Five products: the window opens on "Zz 5"; slot k gets "Zz k" with
    // quantity k, so "Zz 1" (tax 1) is posted last.
    auto& retail = *qv::Windows::show<RetailProducts>();
    ASSERT_EQ(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 17))->text(), "Zz 5");
    QAbstractButton* productButtons[] = {retail.findChild<QPushButton*>(QStringLiteral("Command16")), retail.findChild<QPushButton*>(QStringLiteral("Command17")), retail.findChild<QPushButton*>(QStringLiteral("Command18")), retail.findChild<QPushButton*>(QStringLiteral("Command15")),
                                         retail.findChild<QPushButton*>(QStringLiteral("Command14"))};
    for (int k = 5; k >= 1; --k) {
        ASSERT_EQ(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 17))->text(), QString("Zz %1").arg(k));
        type(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 18)), QString::number(k));
        click(productButtons[k - 1]);
        click(retail.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    }
    // stock number, name, price, quantity boxes of product slots 1 to 5
    const int productBoxes[5][4] = {{40, 3, 11, 16}, {41, 10, 12, 20}, {42, 18, 15, 21}, {43, 13, 17, 22},
                                    {44, 14, 26, 24}};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(book.box(productBoxes[k - 1][0])->text(), QString("90%1").arg(k)) << "product slot " << k;
        EXPECT_EQ(book.box(productBoxes[k - 1][1])->text(), QString("Zz %1").arg(k)) << "product slot " << k;
        EXPECT_EQ(book.box(productBoxes[k - 1][2])->text(), QString("%1.00").arg(10 + k)) << "product slot " << k;
        EXPECT_EQ(book.box(productBoxes[k - 1][3])->text(), QString::number(k)) << "product slot " << k;
    }
    EXPECT_EQ(book.taxBox(3)->text(), "1");
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    if (const QByteArray folder = qgetenv("QV_SHOT"); !folder.isEmpty()) {
        const QString dir = QString::fromLocal8Bit(folder);
        book.grab().save(dir + "/ticket_book.png");
        customers.grab().save(dir + "/ticket_customers.png");
        menu->grab().save(dir + "/ticket_service_menu.png");
        retail.grab().save(dir + "/ticket_retail.png");
        click(customers.findChild<QPushButton*>(QStringLiteral("Command10")));   // the formulas panel
        customers.grab().save(dir + "/ticket_customers_formulas.png");
        click(customers.findChild<QPushButton*>(QStringLiteral("Command11")));
        if (qv::Window* certificate = qv::Windows::show("Form4"))
            certificate->grab().save(dir + "/ticket_certificate.png");
    }

    // The book saves the ticket: every value is in the field of its slot.
    click(book.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_EQ(row("CustomerName"), "Dan Fox");
    EXPECT_EQ(row("CustomerPhone"), "858-9899");
    EXPECT_EQ(row("SalonArtist"), "Tom");

    const QStringList nameFields = {"Service", "Service1", "Service2", "Service3"};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(row(nameFields[k - 1]), services[k - 1]) << "service slot " << k;
        EXPECT_EQ(row(QString("ServicePrice%1").arg(k)), QString::number(prices[k - 1].toDouble()))
            << "service slot " << k;
        EXPECT_EQ(row(QString("QuantityService%1").arg(k)), QString::number(k)) << "service slot " << k;
    }
    EXPECT_EQ(row("TaxPercent"), "8.25");

    for (int k = 1; k <= 5; ++k) {
        const QString n = k == 1 ? QString() : QString::number(k - 1);
        EXPECT_EQ(row("SystemStockNumber" + n), QString("90%1").arg(k)) << "product slot " << k;
        EXPECT_EQ(row("ProductsSold" + n), QString("Zz %1").arg(k)) << "product slot " << k;
        EXPECT_EQ(row("ProductsPrice" + n), QString::number(10 + k)) << "product slot " << k;
        EXPECT_EQ(row("Quantity" + n), QString::number(k)) << "product slot " << k;
    }
    EXPECT_EQ(row("taxpercent1"), "1");

    // 25 + 2 x 15 + 3 x 45.50 + 4 x 60 services, 11 + 2 x 12 + ... + 5 x 15 products
    EXPECT_EQ(row("Price"), "431.5");
    EXPECT_EQ(row("ProductSales"), "205");
}

TEST_F(TicketWriters, AFractionalQuantityIsShownAndChargedAsRecorded)
{
    AppointmentBook& book = newTicket();
    auto& customers = *qv::Windows::show<CustomerWindow>();
    click(customers.findChild<QPushButton*>(QStringLiteral("Command9")));   // Ann Lee

    // Color (45.50) for one and a half, Haircut (25.00) twice.
    click(book.findChild<QPushButton*>(QStringLiteral("Command15")));
    auto* menu = qv::Windows::loaded<ServicePriceList>();
    ASSERT_TRUE(menu);
    pick(*menu, "Color");
    ASSERT_TRUE(qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "1.5"));
    click(menu->findChild<QPushButton*>(QStringLiteral("Command1")));
    pick(*menu, "Haircut");
    ASSERT_TRUE(qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "2"));
    click(menu->findChild<QPushButton*>(QStringLiteral("Command2")));
    // "Zz 5" (15.00), one and a half.
    auto& retail = *qv::Windows::show<RetailProducts>();
    ASSERT_TRUE(qvtest::typeInto(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 18)), "1.5"));
    click(retail.findChild<QPushButton*>(QStringLiteral("Command16")));
    ASSERT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();

    book.activateWindow();
    click(book.findChild<QPushButton*>(QStringLiteral("Command5")));   // Subtotal shows the ticket again in its formats
    EXPECT_EQ(book.box(31)->text(), "1.5");
    EXPECT_EQ(book.box(32)->text(), "2");
    EXPECT_EQ(book.box(16)->text(), "1.5");
    EXPECT_EQ(book.box(9)->text(), "118.25");   // 1.5 x 45.50 + 2 x 25
    EXPECT_EQ(book.box(4)->text(), "22.5");     // 1.5 x 15

    click(book.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_EQ(row("QuantityService1"), "1.5");
    EXPECT_EQ(row("QuantityService2"), "2");
    EXPECT_EQ(row("Quantity"), "1.5");
    EXPECT_EQ(row("Price"), "118.25");
    EXPECT_EQ(row("ProductSales"), "22.5");
    // Shown again from the saved row, the quantities are still as recorded.
    EXPECT_EQ(book.box(31)->text(), "1.5");
    EXPECT_EQ(book.box(16)->text(), "1.5");
    EXPECT_EQ(book.box(9)->text(), "118.25");
    if (const QByteArray folder = qgetenv("QV_SHOT"); !folder.isEmpty())
        book.grab().save(QString::fromLocal8Bit(folder) + "/ticket_fractions.png");
}

TEST_F(TicketWriters, TheServiceMenuAndTheProductWindowReadAQuantityAlike)
{
    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();
    click(book.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    click(book.findChild<QPushButton*>(QStringLiteral("Command15")));
    auto* menu = qv::Windows::loaded<ServicePriceList>();
    ASSERT_TRUE(menu);
    pick(*menu, "Haircut");
    auto& retail = *qv::Windows::show<RetailProducts>();
    ASSERT_EQ(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 17))->text(), "Zz 5");
    qv::TextBox* sold = retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 10));
    const QString soldBefore = sold->text();
    const QString refused = "A quantity for a Product was not included. Please enter now and click the 1# button again.";

    // No plain number of 1 or more: neither window posts, and no stock is counted.
    for (const QString& typed : {QString("3abc"), QString("$2"), QString("1,5"), QString("2 x"), QString("0.5"),
                                 QString("1e1"), QString()}) {
        SCOPED_TRACE(typed.toStdString());
        ui.script.clear();
        menu->activateWindow();
        ASSERT_TRUE(qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), typed));
        click(menu->findChild<QPushButton*>(QStringLiteral("Command1")));
        retail.activateWindow();
        ASSERT_TRUE(qvtest::typeInto(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 18)), typed));
        click(retail.findChild<QPushButton*>(QStringLiteral("Command16")));
        EXPECT_EQ(ui.script.messages(), (QStringList{refused, refused}));
        EXPECT_TRUE(book.serviceSlot(1).quantity->text().isEmpty());
        EXPECT_TRUE(book.productSlot(1).quantity->text().isEmpty());
        EXPECT_EQ(sold->text(), soldBefore);
        EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("Command1"))->isEnabled());
        EXPECT_TRUE(retail.findChild<QPushButton*>(QStringLiteral("Command16"))->isEnabled());
    }

    // A plain number reaches the ticket and the stock as that one number.
    ui.script.clear();
    menu->activateWindow();
    ASSERT_TRUE(qvtest::typeInto(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), " 2 "));
    click(menu->findChild<QPushButton*>(QStringLiteral("Command1")));
    retail.activateWindow();
    ASSERT_TRUE(qvtest::typeInto(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 18)), " 2 "));
    click(retail.findChild<QPushButton*>(QStringLiteral("Command16")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_EQ(book.serviceSlot(1).quantity->text(), "2");
    EXPECT_EQ(book.productSlot(1).quantity->text(), "2");
    EXPECT_EQ(sold->text(), QString::number(soldBefore.toDouble() + 2));
}

// A ticket being browsed is stored as it stands when the book moves off it;
// lines the writers add or empty there are charged in what is stored.
TEST_F(TicketWriters, LinesWrittenIntoASavedTicketAreChargedWhenTheBookMovesOn)
{
    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();   // ticket 1001: Haircut, 27.06
    ASSERT_EQ(book.box(50)->text(), "1001");
    ASSERT_FALSE(book.isEditingRecord() || book.isAddingRecord());

    click(book.findChild<QPushButton*>(QStringLiteral("Command15")));
    auto* menu = qv::Windows::loaded<ServicePriceList>();
    ASSERT_TRUE(menu);
    pick(*menu, "Manicure");
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "1");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command2")));

    auto& retail = *qv::Windows::show<RetailProducts>();
    ASSERT_EQ(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 17))->text(), "Zz 5");
    type(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 18)), "1");
    click(retail.findChild<QPushButton*>(QStringLiteral("Command16")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join("|").toStdString();

    // The book shows the new money at once...
    EXPECT_EQ(book.box(9)->text(), "40");
    EXPECT_EQ(book.box(4)->text(), "15");

    // ...and stores it with the lines when it moves on.
    book.activateWindow();
    click(book.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    const auto stored = [this](const char* field) {
        return db.scalar(QString("SELECT %1 FROM Servicemenu WHERE CustomerID = '1001'").arg(field));
    };
    const auto amount = [&](const char* field) {
        const QVariant v = stored(field);
        return v.metaType() == QMetaType::fromType<qv::Money>() ? v.value<qv::Money>().toDouble() : v.toDouble();
    };
    EXPECT_EQ(stored("Service1").toString(), "Manicure");
    EXPECT_DOUBLE_EQ(amount("Price"), 40);
    EXPECT_DOUBLE_EQ(amount("ProductSales"), 15);
    EXPECT_NEAR(amount("Totals"), amount("Price") + amount("TaxTotals") + amount("ProductSales") + amount("TaxTotals1"),
                0.005);
    EXPECT_GT(amount("Totals"), 27.06 + 15);

    // Emptying the product line again is charged too.
    click(book.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    ASSERT_EQ(book.box(50)->text(), "1001");
    retail.activateWindow();
    click(retail.findChild<QPushButton*>(QStringLiteral("Command4")));   // the manager's padlock
    ASSERT_TRUE(qvtest::typeInto(qv::Windows::loaded(QStringLiteral("frmLogin2"))->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marvo"));
    qvtest::press(Qt::Key_Return);
    ui.script.msgAnswers = {qv::MsgResult::Yes};
    click(retail.slotClearButton(1));
    book.activateWindow();
    click(book.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_DOUBLE_EQ(amount("ProductSales"), 0);
    EXPECT_NEAR(amount("Totals"), amount("Price") + amount("TaxTotals"), 0.005);
}

// The product window books a line's stock the moment it writes the line; a
// ticket dropped before Update gives the sale back, one saved keeps it.
TEST_F(TicketWriters, ADroppedTicketGivesItsProductsBackToStock)
{
    const auto figures = [this] {
        const QVariant gross = db.scalar("SELECT GrossSales FROM StockControl WHERE SystemStockNumber = '905'");
        return QStringList{db.scalar("SELECT Sold FROM StockControl WHERE SystemStockNumber = '905'").toString(),
                           db.scalar("SELECT CurrentlyInStock FROM StockControl WHERE SystemStockNumber = '905'").toString(),
                           QString::number(gross.metaType() == QMetaType::fromType<qv::Money>()
                                               ? gross.value<qv::Money>().toDouble() : gross.toDouble())};
    };
    // Slot buttons 1# to 3#: each is used once while the window stays open.
    const char* slotButtons[] = {"Command16", "Command17", "Command18"};
    const auto sellTwo = [&](AppointmentBook& book, int slot) {
        auto& retail = *qv::Windows::show<RetailProducts>();
        ASSERT_EQ(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 17))->text(), "Zz 5");
        type(retail.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 18)), "2");
        click(retail.findChild<QPushButton*>(QString::fromLatin1(slotButtons[slot - 1])));
        ASSERT_EQ(book.productSlot(slot).quantity->text(), "2");
    };

    // Cancel of a new ticket: the two units are back, as if never sold.
    AppointmentBook& book = newTicket();
    sellTwo(book, 1);
    const QStringList sold = figures();
    EXPECT_EQ(sold[0], "2");
    EXPECT_EQ(sold[2], "30");
    book.activateWindow();
    click(book.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(figures()[0], "0");
    EXPECT_EQ(figures()[1], "50");
    EXPECT_EQ(figures()[2], "0");
    EXPECT_EQ(db.count("Servicemenu"), 6);

    // Update keeps the sale: the ticket holds the line.
    ASSERT_TRUE(qv::Windows::loaded<AppointmentBook>());
    click(book.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(book.box(50), "3001");
    type(book.box(8), "Eve Black");
    type(book.box(0), "555-0101");
    type(book.box(1), "Maria");
    type(book.box(5), "8/7/2001");
    type(book.box(6), "10 am");
    type(book.box(38), "11 am");
    type(book.serviceSlot(1).name, "Haircut");
    type(book.serviceSlot(1).price, "25");
    type(book.serviceSlot(1).quantity, "1");
    sellTwo(book, 2);
    book.activateWindow();
    click(book.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join("|").toStdString();
    EXPECT_EQ(row("Quantity1"), "2");
    EXPECT_EQ(figures(), sold);

    // Exit Program while editing, answered No: the edit and what it sold go.
    click(book.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    sellTwo(book, 3);
    EXPECT_EQ(db.scalar("SELECT Sold FROM StockControl WHERE SystemStockNumber = '905'").toString(), "4");
    book.activateWindow();
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(book.findChild<QPushButton*>(QStringLiteral("Command23")));   // Exit Program
    QApplication::processEvents();
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_FALSE(qv::Windows::loaded<AppointmentBook>());
    EXPECT_EQ(figures(), sold);
    EXPECT_TRUE(qv::Windows::all().isEmpty());
}

} // namespace
