// "Enter": the client into the open ticket of the appointment book.
#include "support/user_hands.h"
#include "customers_fixture.h"

#include "appointments/appointment_book.h"
#include "platform/forms/window.h"

namespace {
const QStringList kRefusal = {
    "There is already a client entry made into the corresponding box on the appointment form. First click Add on the "
    "Appointment form.",
    " Click Refresh button to enable again."};
} // namespace

TEST_F(CustomersTest, EnterWithoutTheBookChangesNoTicket)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_FALSE(qv::Windows::loaded("Form3"));
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("Command9"))->isEnabled());
}

TEST_F(CustomersTest, EnterCopiesIntoANewTicketAndRefusesAPhoneNumber)
{
    db.seed();
    seed = false;
    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();
    CustomerWindow& w = open();
    qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    ASSERT_TRUE(book.isAddingRecord());

    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(book.clientName()->text(), "Ann Lee");
    EXPECT_EQ(book.clientPhone()->text(), "434-8888");
    EXPECT_EQ(book.salonArtist()->text(), "Maria");

    // The ticket now holds a phone: refused, and Enter stays off until Refresh.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_EQ(messages(), kRefusal);
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("Command9"))->isEnabled());
    EXPECT_EQ(book.clientName()->text(), "Ann Lee");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("Command9"))->isEnabled());

    // Once the book saves, the copied client is in the ticket's row.
    type(book.clientPhone(), "");
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Bob Stone after the Refresh
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    type(box(1), "");   // a client without an artist empties the ticket's artist
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_EQ(book.clientName()->text(), "Cara O'Brien");
    EXPECT_TRUE(book.salonArtist()->text().isEmpty());
}

TEST_F(CustomersTest, EnterReachesTheTableWhenTheBookSavesTheTicket)
{
    db.seed();
    seed = false;
    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();
    CustomerWindow& w = open();
    // The first ticket of the book: its phone is taken, so start a fresh one.
    qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(book.box(50), "2001");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdLast")));   // Dan Fox, artist Tom
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    type(book.box(5), "8/6/2001");
    type(book.box(6), "1 pm");
    type(book.box(38), "2 pm");
    type(book.serviceSlot(1).name, "Haircut");
    type(book.serviceSlot(1).price, "25");
    type(book.serviceSlot(1).quantity, "1");
    qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_EQ(db.scalar("SELECT CustomerName FROM Servicemenu WHERE CustomerID = '2001'").toString(), "Dan Fox");
    EXPECT_EQ(db.scalar("SELECT CustomerPhone FROM Servicemenu WHERE CustomerID = '2001'").toString(), "858-9899");
    EXPECT_EQ(db.scalar("SELECT SalonArtist FROM Servicemenu WHERE CustomerID = '2001'").toString(), "Tom");
}

TEST_F(CustomersTest, EnterNeverOverwritesATicketThatHoldsAnyPhone)
{
    db.seed();
    seed = false;
    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();
    // The book's first saved ticket belongs to Ann Lee; her phone is written
    // the way the customer window's note suggests.
    ASSERT_TRUE(qvtest::typeInto(book.clientPhone(), "(619) 555-0000"));
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Bob Stone
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_EQ(messages(), kRefusal);
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("Command9"))->isEnabled());
    EXPECT_EQ(book.clientName()->text(), "Ann Lee");
    EXPECT_EQ(book.clientPhone()->text(), "(619) 555-0000");
    EXPECT_EQ(book.salonArtist()->text(), "Maria");

    // A phone of letters, or one of blanks, is no phone at all.
    const struct { const char* phone; bool refused; } phones[] = {{"ask at desk", true}, {"   ", false}};
    for (const auto& p : phones) {
        SCOPED_TRACE(p.phone);
        click(w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
        ui.script.clear();
        book.activateWindow();
        ASSERT_TRUE(qvtest::typeInto(book.clientPhone(), p.phone));
        w.activateWindow();
        click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
        click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
        EXPECT_EQ(messages().size(), p.refused ? 2 : 0);
        EXPECT_EQ(book.clientPhone()->text() == QString::fromLatin1(p.phone), p.refused);
    }
    // The blank phone was a free ticket: the client went in.
    EXPECT_EQ(book.clientName()->text(), w.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text());
    EXPECT_EQ(book.clientPhone()->text(), w.findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 8))->text());
    // Nothing reached the table while browsing over the refusals.
    EXPECT_EQ(db.scalar("SELECT CustomerName FROM Servicemenu WHERE CustomerID = '1001'").toString(), "Ann Lee");
}
