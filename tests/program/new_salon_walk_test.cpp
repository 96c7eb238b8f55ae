// A new salon, step by step, as the help tells the manager to begin: from a
// program folder with no database, through the start, the management menu,
// the employees, the price list, the stock, a vendor, a client and the first
// ticket with a service and a product, to the receipt. Every figure the walk
// stores is read back from "KVD.mdb".
#include "support/user_hands.h"
#include "appointments/appointment_book.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/print/print_devices.h"
#include "platform/services/services.h"
#include "platform/values/money.h"
#include "shell/backup_window.h"
#include "shell/database_lock.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class NewSalon : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        // An empty program folder: the first start makes the database.
        ASSERT_TRUE(QFile::remove(db.file()));
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        shell::DatabaseLock::release();
        qv::Windows::setOnLastClosed(nullptr);
    }

    template <class Button = QPushButton>
    void click(qv::Window* w, const char* name)
    {
        ASSERT_TRUE(w) << name;
        auto* b = w->findChild<Button*>(QString::fromLatin1(name));
        ASSERT_TRUE(b) << name;
        ASSERT_TRUE(qvtest::clickAt(b)) << name;
    }
    static qv::TextBox* box(qv::Window* w, int index)
    {
        return w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", index));
    }
    void type(qv::Window* w, int index, const QString& text)
    {
        w->activateWindow();
        ASSERT_TRUE(qvtest::typeInto(box(w, index), text)) << index;
    }
    qv::Window* opened(const char* name)
    {
        qv::Window* w = qv::Windows::loaded(QString::fromLatin1(name));
        EXPECT_TRUE(w && w->isVisible()) << name;
        if (w) {
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << name;
        }
        return w;
    }
    void givePassword(const char* dialog)
    {
        qv::Window* login = opened(dialog);
        ASSERT_TRUE(login);
        ASSERT_TRUE(qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marvo"));
        qvtest::press(Qt::Key_Return);
        ASSERT_FALSE(login->isVisible()) << dialog;
    }
    void expectNoMessages()
    {
        EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
        ui.script.clear();
    }
    // A stored amount as a number, whatever the field's type.
    QString figure(const QString& sql)
    {
        const QVariant v = db.scalar(sql);
        if (v.metaType() == QMetaType::fromType<qv::Money>())
            return QString::number(v.value<qv::Money>().toDouble());
        return v.isNull() ? QStringLiteral("<null>") : QString::number(v.toDouble());
    }

    qvtest::SalonDb db;   // only its folder and its readers: the file is the program's
    qv::ScopedScriptedUi ui;
    qv::ScopedPrintRecording printing;
};

TEST_F(NewSalon, TheHelpsFirstStepsFromAnEmptyFolderToTheFirstReceipt)
{
    // 1. Start: the backup makes the empty database, Start, Management Area, the password.
    ASSERT_TRUE(shell::needsNewDatabase());
    shell::createDatabaseOnFirstStart();
    qv::Window* backup = qv::Windows::show(QStringLiteral("frmRepair"));
    ASSERT_TRUE(backup);
    // The backup goes to work once its window is shown, then opens the splash.
    for (int i = 0; i < 500 && !qv::Windows::loaded(QStringLiteral("frmSplash")); ++i)
        QTest::qWait(10);
    click(opened("frmSplash"), "Command2");
    click<QToolButton>(opened("FrmMain"), "Command10");
    givePassword("frmLogin1");
    qv::Window* menu = opened("frmmangement");
    ASSERT_TRUE(menu);
    expectNoMessages();
    EXPECT_EQ(db.count("Servicemenu"), 0);

    // 2. Employee Database: two employees, each with a social security number.
    click<QToolButton>(menu, "Command13");
    qv::Window* employees = opened("frmEmployee");
    ASSERT_TRUE(employees);
    const QStringList staff[] = {{"Lopez", "Maria", "111-22-3333"}, {"Park", "Jenny", "222-33-4444"}};
    for (const QStringList& e : staff) {
        click(employees, "cmdAdd");
        type(employees, 1, e[0]);
        type(employees, 2, e[1]);
        type(employees, 13, e[2]);
        click(employees, "cmdUpdate");
    }
    click(employees, "cmdClose");
    expectNoMessages();

    // 3. Service Menu: the padlock, the password, a service with its price
    // and tax percent typed into a list that has nothing to pick yet.
    menu->activateWindow();
    click<QToolButton>(menu, "Command28");
    qv::Window* services = opened("frmServiceMenu1");
    ASSERT_TRUE(services);
    click(services, "Command9");
    givePassword("frmLogin4");
    services->activateWindow();
    if (services->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible())
        click(services, "cmdCancel");   // Update and Cancel shown beside Add lie on it
    click(services, "cmdAdd");
    type(services, 0, "Cut & Color");
    type(services, 1, "37.35");
    type(services, 4, "8.25");
    click(services, "cmdUpdate");
    click(services, "Command10");   // locked again
    click(services, "cmdClose");
    expectNoMessages();

    // 4. Product Inventory: one retail product.
    menu->activateWindow();
    click<QToolButton>(menu, "Command2");
    qv::Window* stock = opened("Form6a");
    ASSERT_TRUE(stock);
    click(stock, "cmdAdd");
    type(stock, 0, "Shampoo");      // Category, the product's name
    type(stock, 26, "1001");        // stock number
    type(stock, 13, "12.99");       // selling price
    type(stock, 2, "7");            // cost
    type(stock, 22, "10");          // starting quantity
    type(stock, 33, "6");           // tax percent
    click(stock, "cmdUpdate");
    click(stock, "cmdClose");
    expectNoMessages();

    // 5. A vendor and a client.
    menu->activateWindow();
    click<QToolButton>(menu, "Command8");
    qv::Window* vendors = opened("Frmdatabase");
    ASSERT_TRUE(vendors);
    click(vendors, "cmdAdd");
    type(vendors, 10, "Beauty Supply Co");
    type(vendors, 2, "800-555-0100");
    click(vendors, "cmdUpdate");
    click(vendors, "cmdClose");
    menu->activateWindow();
    click<QToolButton>(menu, "Command26");
    qv::Window* clients = opened("frmCustomers");
    ASSERT_TRUE(clients);
    click(clients, "cmdAdd");
    type(clients, 0, "Ann Lee");
    type(clients, 8, "434-8888");
    type(clients, 1, "Maria");
    click(clients, "cmdUpdate");
    expectNoMessages();

    // 6. The first ticket, from the toolbar's Appointment Book.
    menu->activateWindow();
    click<QToolButton>(menu, "Command20");
    auto* book = qobject_cast<AppointmentBook*>(opened("Form3"));
    ASSERT_TRUE(book);
    click(book, "cmdAdd");
    type(book, AppointmentBook::TicketNumberBox, "1");
    // The client from the customer window's Enter: name, phone and artist.
    clients->activateWindow();
    click(clients, "Command9");
    EXPECT_EQ(book->clientName()->text(), "Ann Lee");
    EXPECT_EQ(book->salonArtist()->text(), "Maria");
    book->activateWindow();
    EXPECT_EQ(book->findChild<QComboBox*>(QStringLiteral("dcboCustomer"))->count(), 2);
    click(book, "Command9");   // the month calendar
    ASSERT_TRUE(qvtest::clickDay(book->findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1")), QDate(2001, 8, 6)));
    ASSERT_TRUE(qvtest::pick(book->findChild<QComboBox*>(QStringLiteral("Combo3")), "10 Am"));
    ASSERT_TRUE(qvtest::pick(book->findChild<QComboBox*>(QStringLiteral("Combo1")), "11 Am"));

    // The service from the price list, once; the front desk then makes it
    // one and a half in the ticket's own Qty box.
    click(book, "Command15");
    services = opened("frmServiceMenu1");
    ASSERT_TRUE(services);
    auto* list = services->findChild<qv::DataList*>(QStringLiteral("DataList1"));
    ASSERT_EQ(list->count(), 1);
    ASSERT_TRUE(qvtest::clickAt(list->viewport(), list->visualItemRect(list->item(0)).center()));
    type(services, 3, "1");
    click(services, "Command1");
    expectNoMessages();
    EXPECT_EQ(book->serviceSlot(1).price->text(), "37.35");
    type(book, AppointmentBook::Service1QuantityBox, "1.5");

    // The product from the Products Menu, two of them.
    book->activateWindow();
    click(book, "Command14");
    qv::Window* retail = opened("FormProductsA");
    ASSERT_TRUE(retail);
    type(retail, 18, "2");
    click(retail, "Command16");
    expectNoMessages();

    // Subtotal, the tender, the change, Update, the receipt.
    book->activateWindow();
    click(book, "Command5");
    expectNoMessages();
    EXPECT_EQ(book->box(AppointmentBook::ServiceTotalsBox)->text(), "56.03");   // 37.35 x 1.5 = 56.025
    EXPECT_EQ(book->box(AppointmentBook::TicketTotalBox)->text(), "88.19");
    type(book, AppointmentBook::TenderedBox, "100");
    click(book, "Command17");
    EXPECT_EQ(book->box(AppointmentBook::ChangeBox)->text(), "$11.81");
    click(book, "cmdUpdate");
    expectNoMessages();
    EXPECT_FALSE(book->isAddingRecord());
    click(book, "Cmdprint");
    ASSERT_EQ(printing->jobs().size(), 1);
    EXPECT_EQ(printing->jobs()[0].pages[0].lines(), (QStringList{
                                                        "Service Totals 56.03",
                                                        "Tax Amt On Services:$4.62",
                                                        "Tax &Pct.8.25",
                                                        "Total:$60.65",
                                                        "Product Sales Totals:25.98",
                                                        "Tax Amt On Products:$1.56",
                                                        "Tax &Pct.6",
                                                        "Total:$27.54",
                                                        "Total Ticket:88.19",
                                                        "Amount Tendered:$100.00",
                                                        "Change:$11.81",
                                                    }));

    // Every figure, read back from the file.
    EXPECT_EQ(db.count("Employees"), 2);
    EXPECT_EQ(db.scalar("SELECT EmployeeSS FROM Employees WHERE FirstName = 'Jenny'").toString(), "222-33-4444");
    EXPECT_EQ(db.count("ServiceMenu1"), 1);
    EXPECT_EQ(figure("SELECT Price FROM ServiceMenu1 WHERE Service = 'Cut & Color'"), "37.35");
    EXPECT_EQ(figure("SELECT Taxpercent FROM ServiceMenu1 WHERE Service = 'Cut & Color'"), "8.25");
    EXPECT_EQ(figure("SELECT Quantity FROM ServiceMenu1"), "<null>");
    EXPECT_EQ(db.count("Suppliers"), 1);
    EXPECT_EQ(db.scalar("SELECT CompanyName FROM Suppliers").toString(), "Beauty Supply Co");
    EXPECT_EQ(db.count("Customers"), 1);
    EXPECT_EQ(db.scalar("SELECT Phone FROM Customers WHERE CustomerName = 'Ann Lee'").toString(), "434-8888");

    const QString product = QStringLiteral(" FROM StockControl WHERE SystemStockNumber = '1001'");
    EXPECT_EQ(db.count("StockControl"), 1);
    EXPECT_EQ(figure("SELECT Price" + product), "12.99");
    EXPECT_EQ(figure("SELECT Sold" + product), "2");
    EXPECT_EQ(figure("SELECT CurrentlyInStock" + product), "8");
    EXPECT_EQ(figure("SELECT GrossSales" + product), "25.98");
    EXPECT_EQ(figure("SELECT NetProfitFromSales" + product), "11.98");
    EXPECT_EQ(figure("SELECT QuantityStatus" + product), "56");

    ASSERT_EQ(db.count("Servicemenu"), 1);
    const auto ticket = db.query("SELECT * FROM Servicemenu");
    EXPECT_EQ(ticket->value("CustomerID").toString(), "1");
    EXPECT_EQ(ticket->value("CustomerName").toString(), "Ann Lee");
    EXPECT_EQ(ticket->value("CustomerPhone").toString(), "434-8888");
    EXPECT_EQ(ticket->value("SalonArtist").toString(), "Maria");
    EXPECT_EQ(ticket->value("DateAppointment").toDateTime().date(), QDate(2001, 8, 6));
    EXPECT_EQ(ticket->value("TimeAppointment").toDateTime().time(), QTime(10, 0));
    EXPECT_EQ(ticket->value("TimeBlock").toDateTime().time(), QTime(11, 0));
    EXPECT_EQ(ticket->value("Service").toString(), "Cut & Color");
    EXPECT_EQ(ticket->value("ProductsSold").toString(), "Shampoo");
    EXPECT_EQ(ticket->value("SystemStockNumber").toString(), "1001");
    const QString row = QStringLiteral(" FROM Servicemenu");
    const std::pair<const char*, const char*> figures[] = {
        {"ServicePrice1", "37.35"}, {"QuantityService1", "1.5"}, {"Price", "56.03"},   {"TaxPercent", "8.25"},
        {"TaxTotals", "4.62"},      {"Taxamount", "60.65"},       {"ProductsPrice", "12.99"}, {"Quantity", "2"},
        {"ProductSales", "25.98"},  {"taxpercent1", "6"},         {"TaxTotals1", "1.56"}, {"taxamount1", "27.54"},
        {"Totals", "88.19"}};
    for (const auto& [field, value] : figures)
        EXPECT_EQ(figure(QStringLiteral("SELECT %1").arg(field) + row), value) << field;
}

} // namespace
