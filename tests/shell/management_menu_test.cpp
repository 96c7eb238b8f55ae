// The management menu: reached through the management password, opening
// the windows of every part of the program by name, the count-guarded
// openers, the five report buttons, help, and Exit Program.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "shell_fixture.h"

#include "common/connections.h"
#include "common/help_access.h"
#include "platform/print/rich_text_box.h"
#include "platform/report/report_preview.h"
#include "shell/main_screen.h"
#include "shell/management_menu.h"
#include "shell/password_dialog.h"
#include "shell/user_list.h"

#include <QFile>
#include <QMap>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <optional>

using namespace shelltest;

// Readable texts in failure messages.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class MenuTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        realMenu.emplace(QStringLiteral("frmmangement"), [] { return new ManagementMenu; });
    }
    void TearDown() override
    {
        unloadAll();
        for (const QString& name : probes)
            qv::Windows::registerFactory(name, [] { return nullptr; });
        realMenu.reset();
        ShellTest::TearDown();
    }

    ManagementMenu* menu() { return open<ManagementMenu>(QStringLiteral("frmmangement")); }

    // Windows not built into this test program get a stand-in for the test,
    // so that opening them by name can be seen.
    void probe(const QString& name)
    {
        if (qv::Windows::get(name)) {
            qv::Windows::unload(name);
            settle();
            return;
        }
        qv::Windows::registerFactory(name, [] { return new StandIn({}, {}); });
        probes << name;
    }

    static void click(QAbstractButton* button) { qvtest::clickAt(button); }

    // Clicks a report button and returns what its preview showed; the preview
    // is closed as a user closes it.
    qv::ReportDocument reportOf(QAbstractButton* button, QString* title = nullptr)
    {
        qv::ReportDocument shown;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            qv::ReportPreview* p = qv::ReportPreview::current();
            if (!p)
                return;
            opened = true;
            shown = p->document();
            if (title)
                *title = p->windowTitle();
            p->cmdClose->click();
        });
        click(button);
        EXPECT_TRUE(opened) << button->objectName().toStdString();
        return shown;
    }

    static QStringList detailTexts(const qv::ReportDocument& doc, const QString& field)
    {
        QStringList out;
        for (const qv::ReportPage& page : doc.pages)
            for (const qv::ReportItem& item : page.itemsIn(qv::ReportBand::Detail))
                if (item.dataField.compare(field, Qt::CaseInsensitive) == 0)
                    out << item.text;
        return out;
    }

    std::optional<WithRealWindow> realMenu;
    QStringList probes;
};

} // namespace

TEST_F(MenuTest, TheManagementPasswordLeadsFromTheMainScreenToTheMenu)
{
    auto* mainScreen = open<MainScreen>(QStringLiteral("FrmMain"));
    ASSERT_TRUE(mainScreen);
    click(mainScreen->findChild<QToolButton*>(QStringLiteral("Command10")));
    auto* d = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin1")));
    ASSERT_TRUE(d);
    qvtest::typeInto(d->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marvo");
    click(d->findChild<QPushButton*>(QStringLiteral("cmdOK")));
    settle();

    auto* m = qobject_cast<ManagementMenu*>(qv::Windows::loaded(QStringLiteral("frmmangement")));
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(m->closeCommandRemoved());
    // No title text, and not the program's name either (which the windowing
    // system puts into an empty title): a blank.
    EXPECT_TRUE(m->windowTitle().trimmed().isEmpty());
    EXPECT_FALSE(m->windowTitle().isEmpty());
    EXPECT_FALSE(isLoaded(QStringLiteral("FrmMain")));
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();

    // No close from the title bar: the menu stays.
    m->close();
    settle();
    EXPECT_TRUE(isLoaded(QStringLiteral("frmmangement")));
}

TEST_F(MenuTest, ButtonsOpenTheirWindowsAndTheMenuStays)
{
    db->seed();
    ManagementMenu* m = menu();
    ASSERT_TRUE(m);
    const std::vector<std::pair<QAbstractButton*, QString>> opens = {
        {m->findChild<QToolButton*>(QStringLiteral("Command31")), "frmUsers"},       {m->findChild<QToolButton*>(QStringLiteral("Command11")), "frmServicemenu"},
        {m->findChild<QToolButton*>(QStringLiteral("Command28")), "frmServiceMenu1"},
        {m->findChild<QToolButton*>(QStringLiteral("Command9")), "frmServicemenu3"}, {m->findChild<QToolButton*>(QStringLiteral("Command26")), "frmCustomers"},
          {m->findChild<QToolButton*>(QStringLiteral("Command14")), "frmCalendar"},
        {m->findChild<QToolButton*>(QStringLiteral("Command30")), "FRMGETR"},        {m->findChild<QToolButton*>(QStringLiteral("Command8")), "Frmdatabase"},
            {m->findChild<QToolButton*>(QStringLiteral("Command3")), "Form2"},
        {m->findChild<QToolButton*>(QStringLiteral("Command2")), "Form6a"},          {m->findChild<QToolButton*>(QStringLiteral("Command13")), "frmEmployee"},
           {m->findChild<QToolButton*>(QStringLiteral("Command16")), "SalonStats"},
        {m->findChild<QToolButton*>(QStringLiteral("Command15")), "chart2"},         {m->findChild<QToolButton*>(QStringLiteral("Command1")), "Frmcommissions"},
         {m->findChild<QToolButton*>(QStringLiteral("Command18")), "frmCustomers"},
        {m->findChild<QToolButton*>(QStringLiteral("CmdCalulator")), "Calculator"},  {m->findChild<QToolButton*>(QStringLiteral("Command17")), "frmEmployee"},
           {m->findChild<QToolButton*>(QStringLiteral("Cmdtavrine")), "Form2"},
        {m->findChild<QToolButton*>(QStringLiteral("Command12")), "frmCalendar"},    {m->findChild<QToolButton*>(QStringLiteral("Command24")), "Frmdatabase"},
           {m->findChild<QToolButton*>(QStringLiteral("Command25")), "Form6a"},
        {m->findChild<QToolButton*>(QStringLiteral("Command27")), "FormProductsA"},  {m->findChild<QToolButton*>(QStringLiteral("Command29")), "Form10"},
    };
    for (const auto& [button, window] : opens)
        probe(window);
    for (const auto& [button, window] : opens) {
        SCOPED_TRACE(button->objectName().toStdString() + " -> " + window.toStdString());
        click(button);
        qv::Window* w = qv::Windows::loaded(window);
        ASSERT_TRUE(w);
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(m->isVisible());
        w->unload();
        settle();
    }
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
}

TEST_F(MenuTest, TheBookOpensFromTheFrameOnlyWithTicketsAndFromTheToolbarAlways)
{
    probe(QStringLiteral("frmServicemenu3"));

    // No tickets: the frame's button does nothing at all.
    ManagementMenu* m = menu();
    click(m->findChild<QToolButton*>(QStringLiteral("Command7")));
    settle();
    EXPECT_FALSE(isLoaded(QStringLiteral("Form3")));
    EXPECT_TRUE(isLoaded(QStringLiteral("frmmangement")));
    EXPECT_TRUE(ui.script.events.empty());

    // The toolbar's button does not count.
    qv::Windows::show(QStringLiteral("frmServicemenu3"));
    click(m->findChild<QToolButton*>(QStringLiteral("Command20")));
    settle();
    EXPECT_TRUE(isLoaded(QStringLiteral("Form3")));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmServicemenu3")));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmmangement")));
    EXPECT_EQ(programEnds, 0);

    // With tickets the frame's button opens the book as well.
    unloadAll();
    programEnds = 0;
    db->seed();
    m = menu();
    qv::Windows::show(QStringLiteral("frmServicemenu3"));
    click(m->findChild<QToolButton*>(QStringLiteral("Command7")));
    settle();
    EXPECT_TRUE(isLoaded(QStringLiteral("Form3")));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmServicemenu3")));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmmangement")));
    EXPECT_EQ(programEnds, 0);
}

TEST_F(MenuTest, WithoutTheBookTheMenuStays)
{
    db->seed();
    WithoutWindow noBook(QStringLiteral("Form3"));
    ManagementMenu* m = menu();
    click(m->findChild<QToolButton*>(QStringLiteral("Command20")));
    click(m->findChild<QToolButton*>(QStringLiteral("Command7")));
    settle();
    EXPECT_TRUE(isLoaded(QStringLiteral("frmmangement")));
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(programEnds, 0);
}

TEST_F(MenuTest, ProductWindowsNeedStockButTheStockWindowDoesNot)
{
    probe(QStringLiteral("Form6a"));
    ManagementMenu* m = menu();
    click(m->findChild<QToolButton*>(QStringLiteral("Command27")));
    click(m->findChild<QToolButton*>(QStringLiteral("Command29")));
    settle();
    EXPECT_FALSE(isLoaded(QStringLiteral("FormProductsA")));
    EXPECT_FALSE(isLoaded(QStringLiteral("Form10")));
    EXPECT_TRUE(ui.script.events.empty());
    click(m->findChild<QToolButton*>(QStringLiteral("Command2")));
    EXPECT_TRUE(isLoaded(QStringLiteral("Form6a")));
    EXPECT_TRUE(m->isVisible());
}

TEST_F(MenuTest, AMissingTableIsShownAndTheMenuStays)
{
    db->execRaw("DROP TABLE StockControl");
    ManagementMenu* m = menu();
    click(m->findChild<QToolButton*>(QStringLiteral("Command27")));
    settle();
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(ui.script.messages().first().contains("StockControl", Qt::CaseInsensitive))
        << ui.script.messages().first().toStdString();
    EXPECT_FALSE(isLoaded(QStringLiteral("FormProductsA")));

    ui.script.clear();
    bool previewShown = false;
    QTimer::singleShot(0, [&] { previewShown = qv::ReportPreview::current() != nullptr; });
    click(m->findChild<QToolButton*>(QStringLiteral("Command6")));
    QCoreApplication::processEvents();
    EXPECT_FALSE(previewShown);
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(m->isVisible());
}

TEST_F(MenuTest, ReportButtonsShowTheirReportsOverTheirQueries)
{
    db->seed();
    // A calendar sheet stored after the others but earlier in the year: the
    // schedule comes in the table's own order.
    db->insert("Calendar", {{"MonthYear", "January 2001"}});
    ManagementMenu* m = menu();

    QString title;
    qv::ReportDocument doc = reportOf(m->findChild<QToolButton*>(QStringLiteral("Command10")), &title);
    EXPECT_EQ(title, "Salon Schedule");
    EXPECT_EQ(detailTexts(doc, "MonthYear"), (QStringList{"July 2001", "August 2001", "January 2001"}));

    doc = reportOf(m->findChild<QToolButton*>(QStringLiteral("Command6")), &title);
    EXPECT_EQ(title, "Inventory Report");
    EXPECT_EQ(detailTexts(doc, "Category"), (QStringList{"Conditioner", "Foils", "Gloves", "Hair Gel", "Shampoo"}));

    doc = reportOf(m->findChild<QToolButton*>(QStringLiteral("Command21")), &title);
    EXPECT_EQ(title, "Employee Commissions Report");
    EXPECT_EQ(detailTexts(doc, "LastName"), (QStringList{"Lopez", "Lopez", "Park"}));

    // Tickets by date (those of one day in any order among themselves).
    const QList<qvtest::SeedTicket> tickets = qvtest::SalonDb::tickets();
    QMap<QDate, QStringList> days;
    for (const qvtest::SeedTicket& t : tickets)
        days[t.date] << t.name;
    doc = reportOf(m->findChild<QToolButton*>(QStringLiteral("Command22")), &title);
    EXPECT_EQ(title, "Memo list for Clients");
    const QStringList names = detailTexts(doc, "CustomerName");
    ASSERT_EQ(names.size(), tickets.size());
    QStringList expected, shown;
    int at = 0;
    for (QStringList day : days) {
        QStringList got = names.mid(at, day.size());
        std::sort(day.begin(), day.end());
        std::sort(got.begin(), got.end());
        expected << day.join("+");
        shown << got.join("+");
        at += day.size();
    }
    EXPECT_EQ(shown, expected);

    doc = reportOf(m->findChild<QToolButton*>(QStringLiteral("Command5")), &title);
    EXPECT_EQ(title, "Products and Services Report");
    EXPECT_EQ(detailTexts(doc, "SalonArtist").size(), tickets.size());

    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
    EXPECT_TRUE(m->isVisible());
}

// A record being added is settled before anything closes: Cancel goes back
// to it with everything still open, No drops it and ends the program.
TEST_F(MenuTest, ExitProgramAsksFirstAboutARecordBeingAdded)
{
    db->seed();
    ManagementMenu* m = menu();
    click(m->findChild<QToolButton*>(QStringLiteral("Command14")));
    click(m->findChild<QToolButton*>(QStringLiteral("Command31")));
    auto* users = qobject_cast<UserList*>(qv::Windows::loaded(QStringLiteral("frmUsers")));
    ASSERT_TRUE(users);
    click(users->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    auto* nameBox = users->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1));
    qvtest::typeInto(nameBox, "Kim");
    qv::Windows::get(QStringLiteral("FormProductsA"));   // loaded but never shown
    const int usersBefore = db->count("Users");
    const QList<qv::Window*> open = qv::Windows::all();
    const QString question =
        QStringLiteral("This record is still being added or changed. Save it before the window closes?");

    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    click(m->findChild<QToolButton*>(QStringLiteral("Command4")));
    settle();
    ASSERT_EQ(ui.script.messages(), QStringList{question});
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::YesNoCancel | qv::MsgStyle::Question);
    EXPECT_EQ(ui.script.events[0].title, QStringLiteral("Exit Program"));
    EXPECT_EQ(qv::Windows::all(), open);
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(users->isAddingRecord());
    EXPECT_EQ(nameBox->text(), QStringLiteral("Kim"));

    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No};
    click(m->findChild<QToolButton*>(QStringLiteral("Command4")));
    settle();
    EXPECT_EQ(ui.script.messages(), QStringList{question});
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(db->count("Users"), usersBefore);
}

TEST_F(MenuTest, TheToolbarsExitAndManagementKeyDoNothing)
{
    ManagementMenu* m = menu();
    const QList<qv::Window*> before = qv::Windows::all();
    click(m->findChild<QToolButton*>(QStringLiteral("Command23")));
    click(m->findChild<QToolButton*>(QStringLiteral("Command19")));
    settle();
    EXPECT_EQ(m->findChild<QToolButton*>(QStringLiteral("Command23"))->text(), "Exit");
    EXPECT_EQ(qv::Windows::all(), before);
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(ui.script.events.empty());
}

TEST_F(MenuTest, HelpShowsTheHelpTextOfTheProgramFolder)
{
    QFile rtf(db->folder() + "/Index.rtf");
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 How to book an appointment\\par}");
    rtf.close();

    setHelpFile(QString());
    ManagementMenu* m = menu();
    click(m->findChild<QToolButton*>(QStringLiteral("Command32")));
    EXPECT_EQ(helpFile(), programFolder() + "\\HelpFile.hlp");
    qv::Window* help = qv::Windows::loaded(QStringLiteral("Frmhelp"));
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    auto* text = help->findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text().trimmed(), "How to book an appointment");
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
}

// Pictures for a person to look at: set QV_SHOT_DIR to a folder.
TEST_F(MenuTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    QFile rtf(db->folder() + "/Index.rtf");
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs28\\b Quorvel Help\\b0\\par\\fs20 "
              "Booking an appointment: open the Appointment Book, press Add, type the ticket number, "
              "pick the date and time.\\par Management: the menu opens every record window.\\par}");
    rtf.close();
    ManagementMenu* m = menu();
    QTest::qWait(100);
    EXPECT_TRUE(m->grab().save(folder + "/frmmangement.png"));
    click(m->findChild<QToolButton*>(QStringLiteral("Command32")));
    qv::Window* help = qv::Windows::loaded(QStringLiteral("Frmhelp"));
    ASSERT_TRUE(help);
    QTest::qWait(100);
    EXPECT_TRUE(help->grab().save(folder + "/Frmhelp.png"));
}
