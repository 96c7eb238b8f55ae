// The appointment manager: browsing, correcting and deleting ticket headers,
// the grid of the client's tickets by phone (or of every ticket), the
// finders, and the first ticket of an empty book.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "window_hands.h"

#include "appointments/appointment_manager.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "support/grid_readers.h"
#include "support/layout_check.h"
#include "support/layout_extras.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        // Other tests of this binary may have put a stand-in under this name.
        qv::Windows::registerFactory("frmServicemenu3", [] { return new AppointmentManager; });
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    AppointmentManager& open()
    {
        m_w = qv::Windows::show<AppointmentManager>();
        m_w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_w));
        ui.script.clear();
        return *m_w;
    }
    AppointmentManager& w() { return *m_w; }
    qv::TextBox* box(int i) { return m_w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", i)); }

    void click(QAbstractButton* b)
    {
        ASSERT_TRUE(b->isVisible()) << b->objectName().toStdString();
        qvtest::clickAt(b);
    }
    // Clicks into the box, selects what it holds and types over it.
    void type(qv::TextBox* b, const QString& text) { qvtest::typeInto(b, text); }
    // A column of the grid, as shown.
    QStringList gridColumn(int col) { return qvtest::gridColumn(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid")), col); }
    QStringList gridNames() { return gridColumn(0); }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    AppointmentManager* m_w = nullptr;
};

TEST_F(ManagerTest, ShowsTicketHeadersAndTheTicketsOfTheSamePhone)
{
    db.seed();
    // Same phone as Ann Lee, another name: it belongs to her grid and she to its.
    db.insert("Servicemenu", {{"CustomerID", "1007"}, {"CustomerName", "Al Lee"}, {"CustomerPhone", "434-8888"},
                              {"SalonArtist", "Tom"}, {"DateAppointment", QDate(2001, 8, 1)}});
    open();
    EXPECT_EQ(w().windowTitle(), QStringLiteral("Manage Appointments"));
    EXPECT_TRUE(w().closeCommandRemoved());
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Record: 1"));
    EXPECT_EQ(box(50)->text(), QStringLiteral("1001"));
    EXPECT_EQ(box(0)->text(), QStringLiteral("434-8888"));
    EXPECT_EQ(box(1)->text(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("Maria"));
    EXPECT_EQ(box(3)->text(), QStringLiteral("7/2/2001"));
    EXPECT_EQ(box(4)->text(), QStringLiteral("9:00 AM"));
    EXPECT_EQ(box(5)->text(), QStringLiteral("9:30 AM"));
    EXPECT_EQ(box(6)->text(), QStringLiteral("$27.06"));

    QAbstractItemModel* m = w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"))->model();
    ASSERT_TRUE(m);
    QStringList captions;
    for (int c = 0; c < m->columnCount(); ++c)
        captions << m->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"Customer Name", "Customer Phone", "Salon Artist", "Date Of Appointment",
                                     "Time Of Appointment", "Time Block", "Total Sales"}));
    EXPECT_EQ(gridNames(), (QStringList{"Ann Lee", "Ann Lee", "Ann Lee", "Al Lee"}));
    EXPECT_EQ(gridColumn(6).value(0), QStringLiteral("$27.06"));

    // The grid follows the ticket shown.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(1)->text(), QStringLiteral("Bob Stone"));
    EXPECT_EQ(gridNames(), (QStringList{"Bob Stone", "Bob Stone"}));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_EQ(box(1)->text(), QStringLiteral("Al Lee"));
    EXPECT_EQ(gridNames(), (QStringList{"Ann Lee", "Ann Lee", "Ann Lee", "Al Lee"}));
}

TEST_F(ManagerTest, AllClientsListsEveryTicketUntilUpdateOrCancel)
{
    db.seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh"))->text(), QStringLiteral("&All Clients"));
    EXPECT_EQ(w().gridShows(), AppointmentManager::GridShows::AllTickets);
    EXPECT_EQ(gridNames().size(), 6);
    EXPECT_EQ(box(50)->text(), QStringLiteral("1001"));
    // Moving does not narrow the list again.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(gridNames().size(), 6);

    // Cancel stays on the ticket edited, with that client's tickets.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(50)->text(), QStringLiteral("1002"));
    EXPECT_EQ(w().gridShows(), AppointmentManager::GridShows::ClientTickets);
    EXPECT_EQ(gridNames(), (QStringList{"Bob Stone", "Bob Stone"}));

    click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(gridNames().size(), 6);
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(gridNames(), (QStringList{"Ann Lee", "Ann Lee", "Ann Lee"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(ManagerTest, EveryColumnReadsWholeWithoutScrollingSideways)
{
    db.seed();
    // A client whose number is written with its area code.
    db.insert("Servicemenu", {{"CustomerID", "1008"}, {"CustomerName", "Cara O'Brien"},
                              {"CustomerPhone", "(212) 555-1212"}, {"SalonArtist", "Maria"},
                              {"DateAppointment", QDate(2001, 12, 28)}, {"TimeAppointment", QTime(11, 30)},
                              {"TimeBlock", QTime(12, 30)}, {"Totals", 1234.5}});
    open();
    for (bool all : {false, true}) {
        SCOPED_TRACE(all ? "every ticket" : "the client's tickets");
        if (all)
            click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
        const QStringList faults = qvtest::layoutFaults(&w(), QStringLiteral("frmServicemenu3"))
                                   + qvtest::columnsOutOfSight(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid")));
        EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
    }
    EXPECT_EQ(gridColumn(6).contains(QStringLiteral("$1,234.50")), true);
}

TEST_F(ManagerTest, CorrectionIsSavedAndARefusedValueKeepsTheEdit)
{
    db.seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));   // ticket 1002
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Edit record"));
    type(box(2), "Tom");
    type(box(4), "2 pm");
    type(box(6), "45.505");   // stored to the cent it shows, as the book stores its money
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(db.scalar("SELECT SalonArtist FROM Servicemenu WHERE CustomerID='1002'").toString(), "Tom");
    EXPECT_EQ(box(4)->text(), QStringLiteral("2:00 PM"));
    EXPECT_EQ(db.scalarRaw("SELECT Totals FROM Servicemenu WHERE CustomerID='1002'").toDouble(), 45.51);
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());

    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(3), "not a date");
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(ui.script.messages(),
              QStringList{"You have not added any information into the text boxes. Click cancel"});
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(w().isEditingRecord());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(3)->text(), QStringLiteral("7/2/2001"));
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Servicemenu WHERE DateAppointment=#7/2/2001#").toInt(), 2);
}

TEST_F(ManagerTest, DeleteAsksFirstAndTheLastDeletionIsSaid)
{
    db.seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));   // ticket 1003
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, QStringLiteral("Do you really want to delete this record?"));
    EXPECT_EQ(ui.script.events[0].title, QStringLiteral("Delete Record"));
    EXPECT_EQ(ui.script.events[0].style, 545);
    EXPECT_EQ(db.count("Servicemenu"), 6);
    EXPECT_EQ(box(50)->text(), QStringLiteral("1003"));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Record: 3"));

    ui.script.clear();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));   // OK
    EXPECT_EQ(db.count("Servicemenu"), 5);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Servicemenu WHERE CustomerID='1003'").toInt(), 0);
    EXPECT_EQ(box(50)->text(), QStringLiteral("1004"));
    EXPECT_EQ(gridNames(), (QStringList{"Dan Fox"}));

    // Down to the last ticket, then that one too.
    for (int left = 5; left > 1; --left)
        click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Servicemenu"), 1);
    ui.script.clear();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Servicemenu"), 0);
    EXPECT_EQ(ui.script.messages(), (QStringList{"Do you really want to delete this record?",
                                                  "You have deleted the last record in the database."}));
    EXPECT_TRUE(gridNames().isEmpty());
}

TEST_F(ManagerTest, EnterOnTheRealDeleteQuestionKeepsTheTicket)
{
    db.seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));   // ticket 1002
    // The box people see, answered by the key a hurried user presses.
    qv::setUi(nullptr);
    QString asked;
    qvtest::answerNextDialogWith(Qt::Key_Return, &asked);
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    qv::setUi(&ui.script);
    EXPECT_EQ(asked, QStringLiteral("Do you really want to delete this record?"));
    EXPECT_EQ(db.count("Servicemenu"), 6);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Servicemenu WHERE CustomerID='1002'").toInt(), 1);
    EXPECT_EQ(box(50)->text(), QStringLiteral("1002"));
}

TEST_F(ManagerTest, FirstTicketOfAnEmptyBookNeedsNoFieldButThose)
{
    open();   // empty tables
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Add record"));
    type(box(0), "555-0000");
    type(box(1), "Gil Ray");
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join("|").toStdString();
    ASSERT_EQ(db.count("Servicemenu"), 1);
    auto row = db.query("SELECT * FROM Servicemenu");
    EXPECT_EQ(row->value("CustomerName").toString(), "Gil Ray");
    EXPECT_EQ(row->value("CustomerPhone").toString(), "555-0000");
    for (const char* untouched : {"CustomerID", "Service", "Price", "ProductsSold", "Quantity", "Totals"})
        EXPECT_TRUE(row->value(untouched).isNull()) << untouched;
    EXPECT_EQ(box(1)->text(), QStringLiteral("Gil Ray"));
    EXPECT_EQ(gridNames(), (QStringList{"Gil Ray"}));
}

TEST_F(ManagerTest, CancelledAddReturnsToTheTicketItStartedFrom)
{
    db.seed();
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdPrevious")));   // ticket 1005
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_FALSE(w().findChild<QPushButton*>(QStringLiteral("Command1"))->isEnabled());
    type(box(1), "Never Saved");
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(50)->text(), QStringLiteral("1005"));
    EXPECT_EQ(gridNames(), (QStringList{"Bob Stone", "Bob Stone"}));
    EXPECT_EQ(db.count("Servicemenu"), 6);
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("Command1"))->isEnabled());
}

TEST_F(ManagerTest, FindersJumpToTheTicketOrSayWhatWasNotFound)
{
    db.seed();
    open();
    ui.script.inputAnswers = {"1004"};
    click(w().findChild<QPushButton*>(QStringLiteral("Command6")));
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Input);
    EXPECT_EQ(ui.script.events[0].text,
              QStringLiteral("Search by ticket to find a scheduled appointment for this client."));
    EXPECT_EQ(box(1)->text(), QStringLiteral("Dan Fox"));
    EXPECT_EQ(gridNames(), (QStringList{"Dan Fox"}));

    ui.script.clear();
    ui.script.inputAnswers = {"Stone"};
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(ui.script.events[0].text, QStringLiteral("Enter a LastName."));
    EXPECT_EQ(box(50)->text(), QStringLiteral("1002"));

    ui.script.clear();
    ui.script.inputAnswers = {"999-"};
    click(w().findChild<QPushButton*>(QStringLiteral("Command11")));
    EXPECT_EQ(ui.script.events[0].text, QStringLiteral("Enter the client's Phone#."));
    EXPECT_EQ(ui.script.messages(), QStringList{"Could not find appointment for this number. 999-"});
    EXPECT_EQ(box(50)->text(), QStringLiteral("1002"));

    ui.script.clear();
    ui.script.inputAnswers = {"O'B"};
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(ui.script.messages(), QStringList{"Could not find your client. O'B"});
    EXPECT_EQ(box(50)->text(), QStringLiteral("1002"));
}

TEST_F(ManagerTest, MissingDatabaseLeavesAnEmptyWindowSilently)
{
    QFile::remove(db.file());
    m_w = qv::Windows::show<AppointmentManager>();
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_TRUE(w().isVisible());
    EXPECT_TRUE(box(50)->text().isEmpty());
    // The buttons still answer, each in its own way.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(ui.script.messages().value(1), QStringLiteral("You have deleted the last record in the database."));
}

TEST_F(ManagerTest, Screenshot)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    db.seed();
    open();
    QTest::qWait(50);
    EXPECT_TRUE(w().grab().save(folder + "/frmServicemenu3.png"));
}

} // namespace
