// Finding tickets by phone, name and ticket number, and listing a range of
// appointment dates in the grid.
#include "appointments/ticket_finders.h"
#include "book_fixture.h"
#include "support/user_hands.h"

namespace {

const QString kRangeMessage =
    " You must enter a range of dates, or if searching one date enter the same date into both textboxes.";

} // namespace

TEST_F(BookTest, FindersJumpToTheFirstTicketContainingTheText)
{
    db.seed();
    db.insert("Servicemenu", {{"CustomerID", "1007"}, {"CustomerName", "Cara O'Brien"},
                              {"CustomerPhone", "(212) 555-1212"}, {"SalonArtist", "Maria"},
                              {"DateAppointment", QDate(2001, 7, 31)}, {"Service", "Color"}});
    seed = false;
    AppointmentBook& f = open();

    // A lower-case part of a name.
    ui.script.inputAnswers = {"stone"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command12")));
    EXPECT_EQ(box(50)->text(), "1002");
    EXPECT_EQ(ui.script.events.at(0).text,
              "To find a scheduled appointment for this client ,enter a last name for this client.Note:Do not use "
              "names with apostrophe's ie:O'brien..Enter Obrien as name and search by Obrien.");
    EXPECT_TRUE(messages().isEmpty());

    // An apostrophe is part of the name, not of a query.
    ui.script.inputAnswers = {"o'b"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command12")));
    EXPECT_EQ(box(50)->text(), "1007");
    EXPECT_EQ(box(8)->text(), "Cara O'Brien");
    EXPECT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 1);

    // Nothing found: the message with the typed text, back on the ticket shown before.
    ui.script.inputAnswers = {"Zed"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command12")));
    EXPECT_EQ(messages(), QStringList{"Could not find a client by this last name. Zed"});
    EXPECT_EQ(box(50)->text(), "1007");

    // The phone match is on the text as stored.
    ui.script.clear();
    ui.script.inputAnswers = {"4348888"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command11")));
    EXPECT_EQ(messages(), QStringList{"Could not find appointment for this number. 4348888"});
    ui.script.inputAnswers = {"858-98"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command11")));
    EXPECT_EQ(box(50)->text(), "1004");

    // "1" is contained in the first ticket's number.
    ui.script.clear();
    ui.script.inputAnswers = {"1"};
    click(f.findChild<QPushButton*>(QStringLiteral("Command6")));
    EXPECT_EQ(box(50)->text(), "1001");
    EXPECT_EQ(ui.script.events.at(0).text, "Search by ticket to find a scheduled appointment for this client.");

    // An empty answer changes nothing.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    ui.script.clear();
    ui.script.inputAnswers = {""};
    click(f.findChild<QPushButton*>(QStringLiteral("Command6")));
    EXPECT_EQ(box(50)->text(), "1007");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(BookTest, FindersWaitWhileATicketIsBeingWritten)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command11"))->isEnabled());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command12"))->isEnabled());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("Command6"))->isEnabled());
    // Even when its button is let through, a finder leaves the new ticket alone.
    ui.script.inputAnswers = {"Stone"};
    f.findChild<QPushButton*>(QStringLiteral("Command12"))->setEnabled(true);
    click(f.findChild<QPushButton*>(QStringLiteral("Command12")));
    EXPECT_TRUE(f.isAddingRecord());
    EXPECT_TRUE(box(8)->text().isEmpty());
    EXPECT_EQ(ui.script.inputAnswers.size(), 1u);
    click(f.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command12"))->isEnabled());
}

TEST_F(BookTest, TheDateRangeListsTicketsOfTheDaysBetweenBothEndsIncluded)
{
    AppointmentBook& f = open();
    auto rows = [&] { return f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(); };

    type(box(48), "7/2/01");
    type(box(49), "7/9/01");
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(f.gridShows(), AppointmentBook::GridShows::DateRange);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(f.queryText(), "SELECT *FROM Servicemenu  WHERE DateAppointment >= ? And DateAppointment<= ? ");
    // The ticket boxes stay on the current ticket and keep working.
    EXPECT_EQ(box(50)->text(), "1001");
    click(f.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(50)->text(), "1002");
    EXPECT_EQ(rows(), 3);

    // One day: the same date in both boxes.
    type(box(48), "July 16, 2001");
    type(box(49), "7/16/2001");
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(rows(), 1);

    // A text that is no date says so and runs nothing: the grid keeps that day.
    type(box(48), "7/1/01# Or #1/1/1900");
    type(box(49), "7/31/01");
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_NE(messages()[0], kRangeMessage);
    EXPECT_EQ(rows(), 1);
    ui.script.clear();

    // From after To: no rows, no message.
    type(box(48), "7/30/01");
    type(box(49), "7/1/01");
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(messages().isEmpty());

    // Clear empties both boxes; Find then asks for a range.
    ui.script.clear();
    click(f.findChild<QPushButton*>(QStringLiteral("Command8")));
    EXPECT_TRUE(box(48)->text().isEmpty());
    EXPECT_TRUE(box(49)->text().isEmpty());
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(messages(), QStringList{kRangeMessage});
    EXPECT_EQ(rows(), 0);

    // Add binds the grid to the client history again.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(f.gridShows(), AppointmentBook::GridShows::ClientHistory);
}

TEST(DateRange, ReadsBothEndsAsDatesOrNothing)
{
    const std::optional<DateRange> day = readDateRange("6/7/01", "6/7/01");
    ASSERT_TRUE(day);
    EXPECT_EQ(day->from, QDateTime(QDate(2001, 6, 7), QTime(0, 0)));
    EXPECT_EQ(day->to, day->from);
    const std::optional<DateRange> timed = readDateRange("6/7/01 9:30 am", "June 8, 2001");
    ASSERT_TRUE(timed);
    EXPECT_EQ(timed->from, QDateTime(QDate(2001, 6, 7), QTime(9, 30)));
    EXPECT_EQ(timed->to, QDateTime(QDate(2001, 6, 8), QTime(0, 0)));
    EXPECT_FALSE(readDateRange("", "6/7/01"));
    EXPECT_FALSE(readDateRange("6/7/01", "tomorrow"));
    EXPECT_FALSE(readDateRange("6/7/01'", "6/8/01"));
}

// The last client's tender and change must not print on the receipt of the
// ticket the receptionist goes to: every way there empties both boxes. A
// finder that finds nothing stays on the ticket, tender and all.
TEST_F(BookTest, EveryWayToAnotherTicketEmptiesTenderedAndChange)
{
    AppointmentBook& f = open();
    const auto press = [&f](const QString& button) { qvtest::clickAt(f.findChild<QPushButton*>(button)); };
    const auto tender = [&] {
        qvtest::typeInto(box(46), "100");
        press("Command17");
        return box(46)->text() + " " + box(45)->text();
    };
    // The finder or All Clients, what is typed, the ticket found.
    const QStringList ways[] = {{"Command6", "1004", "1004"}, {"Command11", "555-1212", "1002"},
                                {"Command12", "Fox", "1004"}, {"cmdRefresh", "", "1001"}};
    for (const QStringList& way : ways) {
        SCOPED_TRACE(way[0].toStdString());
        press("cmdLast");   // ticket 1006, total 50.37
        ASSERT_EQ(tender(), "$100.00 $49.63");
        ui.script.inputAnswers = {"no such", way[1]};
        if (!way[1].isEmpty())
            press(way[0]);
        EXPECT_EQ(box(46)->text() + " " + box(45)->text(), "$100.00 $49.63");
        press(way[0]);
        EXPECT_EQ(box(50)->text(), way[2]);
        EXPECT_EQ(box(46)->text() + box(45)->text(), "");
    }
    // A new ticket tendered for, then dropped: back on the ticket before it, with no tender.
    press("cmdAdd");
    tender();
    press("cmdCancel");
    EXPECT_EQ(box(50)->text(), "1001");
    EXPECT_EQ(box(46)->text() + box(45)->text(), "");
}
