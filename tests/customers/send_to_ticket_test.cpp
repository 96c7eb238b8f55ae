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

    // Her phone "(212) 555-1212" reads as no number: the next client is
    // written over her; his "858-9899" then stops a third.
    ASSERT_EQ(book.clientPhone()->text(), "(212) 555-1212");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Dan Fox, artist Tom
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_EQ(book.clientName()->text(), "Dan Fox");
    EXPECT_EQ(book.clientPhone()->text(), "858-9899");
    EXPECT_EQ(book.salonArtist()->text(), "Tom");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_EQ(messages(), kRefusal);
    EXPECT_EQ(book.clientName()->text(), "Dan Fox");
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

// The appointment manager can save a ticket without a phone. Looked at in
// the book, it keeps its client whatever its phone box holds; only a ticket
// being added or edited takes one.
TEST_F(CustomersTest, EnterWritesOnlyIntoATicketBeingAddedOrEdited)
{
    db.seed();
    seed = false;
    db.execRaw("UPDATE Servicemenu SET CustomerPhone = NULL WHERE CustomerID = '1001'");
    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();
    ASSERT_EQ(book.box(50)->text(), "1001");   // Ann Lee's, artist Maria
    ASSERT_TRUE(book.clientPhone()->text().isEmpty());
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Bob Stone, artist Jenny

    // Looked at: refused for an empty phone, one of "(", of letters or blanks.
    for (const char* phone : {"", "(619) 555-0000", "ask at desk", "   "}) {
        SCOPED_TRACE(phone);
        click(w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
        ui.script.clear();
        if (*phone) {
            book.activateWindow();
            ASSERT_TRUE(qvtest::typeInto(book.clientPhone(), phone));
            w.activateWindow();
        }
        click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
        EXPECT_EQ(messages(), kRefusal);
        EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("Command9"))->isEnabled());
        EXPECT_EQ(book.clientName()->text(), "Ann Lee");
        EXPECT_EQ(book.clientPhone()->text(), QString::fromLatin1(phone));
        EXPECT_EQ(book.salonArtist()->text(), "Maria");
    }
    // Moving on stores the ticket as it stands: the sale stays Ann Lee's.
    book.activateWindow();
    ASSERT_TRUE(qvtest::typeInto(book.clientPhone(), ""));
    qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    ASSERT_EQ(book.box(50)->text(), "1001");
    EXPECT_EQ(db.scalar("SELECT CustomerName FROM Servicemenu WHERE CustomerID = '1001'").toString(), "Ann Lee");
    EXPECT_EQ(db.scalar("SELECT SalonArtist FROM Servicemenu WHERE CustomerID = '1001'").toString(), "Maria");

    // Edited, the same ticket takes the client; a phone of blanks is none.
    qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    ASSERT_TRUE(qvtest::typeInto(book.clientPhone(), "   "));
    w.activateWindow();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_EQ(book.clientName()->text(), "Bob Stone");
    EXPECT_EQ(book.clientPhone()->text(), "555-1212");
    EXPECT_EQ(book.salonArtist()->text(), "Jenny");
    // A phone on the ticket being edited is still refused.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_EQ(messages(), kRefusal);
    EXPECT_EQ(book.clientName()->text(), "Bob Stone");
}
