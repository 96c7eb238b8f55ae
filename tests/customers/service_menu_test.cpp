// The service price list opened from the appointment book on a seeded salon:
// picking, the boxes the window binds when, posting into and clearing the
// ticket's service slots, and the manager's edits behind the password.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "appointments/appointment_book.h"
#include "customers/service_menu.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kMissing3 =
    QStringLiteral("A quantity for a Product was not included. Please enter now and click the 3# button again.");
const QString kOccupied = QStringLiteral(
    "This product entry was already made into the corresponding box on the appointment form, choose another.");
const QString kClearAsk = QStringLiteral("Do you really want to delete the information off the Appointment Form?");

class ServiceMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        db.seed();
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    AppointmentBook& openBook() { return *(book = qv::Windows::show<AppointmentBook>()); }
    // From the book's "Service Menu" button, as the front desk opens it.
    ServicePriceList& openMenu()
    {
        if (book)
            click(book->findChild<QPushButton*>(QStringLiteral("Command15")));
        else
            qv::Windows::show(QStringLiteral("frmServiceMenu1"));
        menu = qv::Windows::loaded<ServicePriceList>();
        EXPECT_TRUE(menu);
        ui.script.clear();
        return *menu;
    }

    void click(QAbstractButton* b)
    {
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << b->objectName().toStdString();
        qvtest::clickAt(b);
    }
    // Clicks into the box, selects what it holds and types over it.
    void type(QWidget* box, const QString& text) { qvtest::typeInto(box, text); }
    void pick(const QString& service)
    {
        const QList<QListWidgetItem*> items = menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->findItems(service, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << service.toStdString();
        const QRect r = menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->visualItemRect(items[0]);
        qvtest::clickAt(menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->viewport(), r.center());
    }
    QString boxText(int i) { return menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", i))->text(); }
    QStringList ticketSlot(int slot)
    {
        const AppointmentBook::ServiceSlot s = book->serviceSlot(slot);
        return {s.name->text(), s.price->text(), s.quantity->text()};
    }
    QStringList listed()
    {
        QStringList all;
        for (int i = 0; i < menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->count(); ++i)
            all << menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->item(i)->text();
        return all;
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    AppointmentBook* book = nullptr;
    ServicePriceList* menu = nullptr;
};

TEST_F(ServiceMenuTest, EveryBoxFollowsTheRowFromTheStart)
{
    openBook();
    openMenu();
    EXPECT_EQ(menu->windowTitle(), "Service Menu");
    EXPECT_EQ(listed(), QStringList({"Haircut", "Color", "Perm", "Manicure"}));
    EXPECT_EQ(boxText(0), "Haircut");
    EXPECT_EQ(boxText(1), "$25.00");
    EXPECT_EQ(boxText(3), "");
    EXPECT_EQ(boxText(4), "8.25");
    EXPECT_EQ(menu->findChild<QPlainTextEdit*>(QStringLiteral("commentsView"))->toPlainText(), "Wash, cut and style");

    // Locked: only Close of the edit buttons, Tax % disabled, Comments read-only.
    for (QWidget* w : std::initializer_list<QWidget*>{menu->findChild<QPushButton*>(QStringLiteral("cmdAdd")), menu->findChild<QPushButton*>(QStringLiteral("cmdEdit")),
                                                      menu->findChild<QPushButton*>(QStringLiteral("cmdUpdate")), menu->findChild<QPushButton*>(QStringLiteral("cmdDelete")),
                                                      menu->findChild<QPushButton*>(QStringLiteral("cmdRefresh")),
                       menu->findChild<QPushButton*>(QStringLiteral("Command10"))})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("cmdClose"))->isVisible());
    EXPECT_FALSE(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 4))->isEnabled());
    EXPECT_TRUE(menu->findChild<QPlainTextEdit*>(QStringLiteral("commentsView"))->isReadOnly());

    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "2");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(boxText(0), "Color");
    EXPECT_EQ(boxText(1), "$45.50");
    EXPECT_EQ(boxText(3), "");

    // At the end Next beeps and stays; the quantity is emptied all the same.
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdLast")));
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "2");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(ui.script.beeps(), 1);
    EXPECT_EQ(boxText(0), "Manicure");
    EXPECT_EQ(boxText(3), "");

    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "4");
    pick("Color");
    EXPECT_EQ(boxText(0), "Color");
    EXPECT_EQ(boxText(1), "$45.50");
    EXPECT_EQ(menu->findChild<QPlainTextEdit*>(QStringLiteral("commentsView"))->toPlainText(), "Single process");
    EXPECT_EQ(boxText(3), "");
    EXPECT_EQ(boxText(4), "8.25");
    // The arrow keys pick as they move through the list.
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "4");
    // A click on the list below its services gives it the focus and picks nothing.
    QWidget* list = menu->findChild<qv::DataList*>(QStringLiteral("DataList1"))->viewport();
    qvtest::clickAt(list, QPoint(list->width() / 2, list->height() - 4));
    qvtest::press(Qt::Key_Down);
    EXPECT_EQ(boxText(0), "Perm");
    EXPECT_EQ(boxText(1), "$60.00");
    EXPECT_EQ(boxText(3), "");

    // The typed quantity exists for posting only: it never lands in the list.
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "3");
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    EXPECT_FALSE(qv::Windows::loaded<ServicePriceList>());
    EXPECT_TRUE(db.scalar("SELECT Quantity FROM ServiceMenu1 WHERE Service='Color'").isNull());
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join("|").toStdString();
}

TEST_F(ServiceMenuTest, APostedServiceIsCountedAndSavedByTheBook)
{
    openBook();
    const QString ticket = book->recordset()->value("CustomerID").toString();
    ASSERT_EQ(ticketSlot(2), QStringList({"", "", ""}));
    openMenu();

    pick("Color");
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "2");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(ticketSlot(2), QStringList({"Color", "45.50", "2"}));
    EXPECT_EQ(book->serviceTaxPercent()->text(), "8.25");
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    EXPECT_EQ(boxText(3), "2");   // the window stays on the service with its quantity

    // A later posting's tax percent replaces the ticket's one.
    pick("Manicure");
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "1");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(book->serviceTaxPercent()->text(), "0");

    // The ticket counts the posted price ("$45.50" would read as nothing).
    const double before = qv::leadingNumber(ticketSlot(1)[1]) * qv::leadingNumber(ticketSlot(1)[2]);
    click(book->findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_DOUBLE_EQ(qv::leadingNumber(book->box(9)->text()), before + 45.5 * 2 + 15);

    click(book->findChild<QPushButton*>(QStringLiteral("cmdNext")));
    const QString where = QStringLiteral(" FROM Servicemenu WHERE CustomerID='%1'").arg(ticket);
    EXPECT_EQ(db.scalar("SELECT Service1" + where).toString(), "Color");
    EXPECT_DOUBLE_EQ(db.scalar("SELECT ServicePrice2" + where).value<qv::Money>().toDouble(), 45.5);
    EXPECT_DOUBLE_EQ(db.scalar("SELECT QuantityService2" + where).toDouble(), 2);
    EXPECT_EQ(db.scalar("SELECT Service2" + where).toString(), "Manicure");
    EXPECT_DOUBLE_EQ(db.scalar("SELECT TaxPercent" + where).toDouble(), 0);
}

TEST_F(ServiceMenuTest, RefusalsWriteNothingAndClearingEnablesTheButtonAgain)
{
    openBook();
    openMenu();
    pick("Perm");
    const QStringList slot3 = ticketSlot(3);
    const QString tax = book->serviceTaxPercent()->text();
    for (const QString& quantity : {QString(), QStringLiteral("0"), QStringLiteral("0.5"), QStringLiteral("abc")}) {
        type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), quantity);
        click(menu->findChild<QPushButton*>(QStringLiteral("Command3")));
        EXPECT_EQ(ui.script.messages(), QStringList{kMissing3}) << quantity.toStdString();
        EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("Command3"))->isEnabled());
        ui.script.clear();
    }
    EXPECT_EQ(ticketSlot(3), slot3);
    EXPECT_EQ(book->serviceTaxPercent()->text(), tax);
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "1.5");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(ticketSlot(3), QStringList({"Perm", "60.00", "1.5"}));
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("Command3"))->isEnabled());

    // Slot 2 taken (its quantity reads 1): refused and the button disabled.
    type(book->serviceSlot(2).quantity, "1");
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "2");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(ui.script.messages(), QStringList{kOccupied});
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    EXPECT_EQ(ticketSlot(2), QStringList({"", "", "1"}));

    // Cancel keeps the slot; OK empties it, leaves the tax and enables "2#".
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Cancel, qv::MsgResult::Ok};
    click(menu->findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(ticketSlot(2), QStringList({"", "", "1"}));
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    click(menu->findChild<QPushButton*>(QStringLiteral("Command7")));
    ASSERT_EQ(ui.script.events.size(), 2u);
    EXPECT_EQ(ui.script.events[1].text, kClearAsk);
    EXPECT_EQ(ui.script.events[1].title, "Delete Record");
    EXPECT_EQ(ui.script.events[1].style, 545);
    EXPECT_EQ(ticketSlot(2), QStringList({"", "", ""}));
    EXPECT_EQ(book->serviceTaxPercent()->text(), tax);
    EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());

    // Enter on the question people see keeps the slot: Cancel is its default.
    type(book->serviceSlot(2).quantity, "1");
    qv::setUi(nullptr);
    QString asked;
    qvtest::answerNextDialogWith(Qt::Key_Return, &asked);
    click(menu->findChild<QPushButton*>(QStringLiteral("Command7")));
    qv::setUi(&ui.script);
    EXPECT_EQ(asked, kClearAsk);
    EXPECT_EQ(ticketSlot(2), QStringList({"", "", "1"}));
    EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    type(book->serviceSlot(2).quantity, "");

    // A name with no quantity leaves the slot free.
    type(book->serviceSlot(2).name, "Old");
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "1");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(ticketSlot(2), QStringList({"Perm", "60.00", "1"}));

    // Reopened, the buttons start enabled, and "2#" is refused as taken.
    click(menu->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    openMenu();
    EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "1");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(ui.script.messages(), QStringList{kOccupied});
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
}

TEST_F(ServiceMenuTest, PostingBeforeAnyPickOrWithoutABook)
{
    openBook();
    openMenu();
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "1");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command4")));
    // The service shown goes over with its price and tax, pick or no pick.
    EXPECT_EQ(ticketSlot(4), QStringList({"Haircut", "25.00", "1"}));
    EXPECT_EQ(book->serviceTaxPercent()->text(), "8.25");

    click(book->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    book = nullptr;
    ASSERT_FALSE(qv::Windows::loaded<AppointmentBook>());
    openMenu();
    pick("Color");
    type(menu->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 3)), "1");
    click(menu->findChild<QPushButton*>(QStringLiteral("Command1")));
    click(menu->findChild<QPushButton*>(QStringLiteral("Command8")));
    EXPECT_EQ(ui.script.messages(), QStringList({AppointmentBook::kNoTicket, AppointmentBook::kNoTicket}));
    EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("Command1"))->isEnabled());
    EXPECT_FALSE(qv::Windows::loaded<AppointmentBook>());
}

} // namespace
