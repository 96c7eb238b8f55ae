// The five password dialogs: the exact password, the refusal, the empty box
// on every showing, and what a correct password unlocks on the window that
// opened the dialog.
#include "support/user_hands.h"
#include "shell_fixture.h"

#include "shell/main_screen.h"
#include "shell/password_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace shelltest;

namespace {

struct Guarded {
    const char* name;
    const char* title;
    const char* label;
    const char* target;
    QStringList shown;      // controls made visible
    QStringList enabled;    // boxes enabled
    QStringList unlocked;   // boxes no longer read-only
    QStringList untouched;  // controls that stay as they were
};

const std::vector<Guarded>& guardedDialogs()
{
    static const std::vector<Guarded> list = {
        {"frmLogin2", "Management Only!", "&Password:", "FormProductsA",
         {"Command5", "Command6", "Command2", "Command13", "Command12", "Command9"},
         {"txtfields_9", "txtfields_5"}, {}, {"Command4", "txtfields_4"}},
        {"frmLogin3", "Login WholeSale Form", "&Password:", "Form10", {"Command9"}, {"txtfields_5", "txtfields_9"}, {},
         {"Command6"}},
        {"frmLogin4", "Salon Retail Login", "&Password:", "frmServiceMenu1",
         {"Command10", "Command9", "cmdUpdate", "cmdCancel", "cmdDelete", "cmdRefresh", "cmdClose", "cmdAdd", "cmdEdit"},
         {"txtfields_4"}, {"txtfields_2"}, {}},
        {"frmLogin5", "Calendar", "&Password:", "frmCalendar",
         {"Command9", "cmdUpdate", "cmdCancel", "cmdRefresh", "cmdClose", "cmdAdd"}, {}, {}, {"cmdEdit"}},
    };
    return list;
}

// Visible, enabled and read-only state of every control of a window.
QMap<QString, QString> stateOf(QWidget* window)
{
    QMap<QString, QString> out;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        QString s = c->isVisibleTo(window) ? "shown" : "hidden";
        s += c->isEnabled() ? " enabled" : " disabled";
        if (auto* box = qobject_cast<QLineEdit*>(c))
            s += box->isReadOnly() ? " locked" : " unlocked";
        out.insert(c->objectName(), s);
    }
    return out;
}

class PasswordTest : public ShellTest {
protected:
    PasswordDialog* dialog(const char* name)
    {
        auto* d = open<PasswordDialog>(QString::fromLatin1(name));
        EXPECT_TRUE(d);
        return d;
    }
    void enter(PasswordDialog* d, const QString& password)
    {
        qvtest::typeInto(d->findChild<QLineEdit*>(QStringLiteral("txtPassword")), password);
        qvtest::clickAt(d->findChild<QPushButton*>(QStringLiteral("cmdOK")));
    }
};

} // namespace

TEST_F(PasswordTest, EveryDialogRefusesAllButTheExactPassword)
{
    const char* names[] = {"frmLogin1", "frmLogin2", "frmLogin3", "frmLogin4", "frmLogin5"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        PasswordDialog* d = dialog(name);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->echoMode(), QLineEdit::Password);
        for (const QString& wrong : {QStringLiteral("MARVO"), QStringLiteral("marvo "), QStringLiteral(" marvo"),
                                     QStringLiteral("marv"), QString()}) {
            ui.script.clear();
            enter(d, wrong);
            ASSERT_EQ(ui.script.events.size(), 1u);
            EXPECT_EQ(ui.script.events[0].text, "Invalid Password, try again!");
            EXPECT_EQ(ui.script.events[0].title, "Login");
            EXPECT_EQ(ui.script.events[0].style, 0);
            EXPECT_TRUE(d->isVisible());
            EXPECT_FALSE(d->loginSucceeded());
            // The old text is selected, so typing replaces it.
            EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->selectedText(), wrong);
        }
        qvtest::typeKeys("marvo");
        EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->text(), "marvo");
    }
}

TEST_F(PasswordTest, EnterAfterThePasswordPressesOk)
{
    const char* names[] = {"frmLogin1", "frmLogin2", "frmLogin3", "frmLogin4", "frmLogin5"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        PasswordDialog* d = dialog(name);
        ASSERT_TRUE(d);
        EXPECT_TRUE(d->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isDefault());
        EXPECT_FALSE(d->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isDefault());
        ui.script.clear();
        qvtest::typeInto(d->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marv");
        qvtest::press(Qt::Key_Return);
        EXPECT_EQ(ui.script.messages(), QStringList{"Invalid Password, try again!"});
        EXPECT_TRUE(d->isVisible());
        // The refused text is selected: the right one is typed over it.
        qvtest::typeKeys("marvo");
        qvtest::press(Qt::Key_Enter);
        settle();
        EXPECT_TRUE(d->loginSucceeded());
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(ui.script.messages().size(), QString::fromLatin1(name) == "frmLogin3" ? 2 : 1);
    }
}

TEST_F(PasswordTest, GuardedDialogsUnlockTheirWindowAndHide)
{
    for (const Guarded& g : guardedDialogs()) {
        SCOPED_TRACE(g.name);
        qv::Window* target = qv::Windows::show(QString::fromLatin1(g.target));
        ASSERT_TRUE(target);
        const auto before = stateOf(target);
        PasswordDialog* d = dialog(g.name);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->windowTitle(), g.title);
        EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("lblLabels"))->text(), g.label);
        ui.script.clear();
        enter(d, QStringLiteral("marvo"));

        EXPECT_TRUE(d->loginSucceeded());
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(isLoaded(QString::fromLatin1(g.name)));   // hidden, not unloaded
        const auto after = stateOf(target);
        for (const QString& c : g.shown)
            EXPECT_TRUE(after.value(c).startsWith("shown")) << c.toStdString();
        for (const QString& c : g.enabled)
            EXPECT_TRUE(after.value(c).contains(" enabled")) << c.toStdString();
        for (const QString& c : g.unlocked)
            EXPECT_TRUE(after.value(c).endsWith(" unlocked")) << c.toStdString();
        for (const QString& c : g.untouched)
            EXPECT_EQ(after.value(c), before.value(c)) << c.toStdString();

        if (QString::fromLatin1(g.name) == "frmLogin3")
            EXPECT_EQ(ui.script.messages(),
                      QStringList{" The Returned to Stock and Lost or Damaged fields are now enabled. Click the closed "
                                  "Padlock button to disable."});
        else
            EXPECT_TRUE(ui.script.events.empty());
    }
}

TEST_F(PasswordTest, CancelLeavesTheWindowAsItWas)
{
    for (const Guarded& g : guardedDialogs()) {
        SCOPED_TRACE(g.name);
        qv::Window* target = qv::Windows::show(QString::fromLatin1(g.target));
        const auto before = stateOf(target);
        PasswordDialog* d = dialog(g.name);
        qvtest::typeInto(d->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marvo");
        qvtest::clickAt(d->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
        EXPECT_FALSE(d->loginSucceeded());
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(stateOf(target), before);
        EXPECT_TRUE(ui.script.events.empty());
    }
}

TEST_F(PasswordTest, EachShowingStartsWithAnEmptyBox)
{
    // The calendar's padlock does not empty the box itself.
    qv::Windows::show(QStringLiteral("frmCalendar"));
    PasswordDialog* d = dialog("frmLogin5");
    qvtest::typeInto(d->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marvo");
    qvtest::clickAt(d->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    d = dialog("frmLogin5");
    EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->text(), "");
    qvtest::clickAt(d->findChild<QPushButton*>(QStringLiteral("cmdOK")));
    EXPECT_EQ(ui.script.messages(), QStringList{"Invalid Password, try again!"});
    EXPECT_FALSE(qv::Windows::loaded(QStringLiteral("frmCalendar"))->findChild<QWidget*>("cmdAdd")->isVisible());
}

TEST_F(PasswordTest, UnlockingAWindowThatIsNotOpenChangesNothing)
{
    PasswordDialog* d = dialog("frmLogin2");
    enter(d, QStringLiteral("marvo"));
    EXPECT_TRUE(d->loginSucceeded());
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(isLoaded(QStringLiteral("FormProductsA")));
}

TEST_F(PasswordTest, ManagementPasswordLeavesTheMainScreenForTheMenu)
{
    auto* mainScreen = open<MainScreen>(QStringLiteral("FrmMain"));
    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command10")));
    auto* d = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin1")));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Management Login");
    EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("lblLabels"))->text(), "Login Password:");

    enter(d, QStringLiteral("Marvo"));
    EXPECT_TRUE(isLoaded(QStringLiteral("FrmMain")));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmmangement")));

    enter(d, QStringLiteral("marvo"));
    settle();
    EXPECT_FALSE(isLoaded(QStringLiteral("FrmMain")));
    EXPECT_TRUE(isLoaded(QStringLiteral("frmmangement")));
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->text(), "");
    EXPECT_EQ(programEnds, 0);
}

TEST_F(PasswordTest, WithoutTheMenuTheMainScreenStays)
{
    WithoutWindow noMenu(QStringLiteral("frmmangement"));
    auto* mainScreen = open<MainScreen>(QStringLiteral("FrmMain"));
    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command10")));
    auto* d = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin1")));
    ASSERT_TRUE(d);
    enter(d, QStringLiteral("marvo"));
    settle();
    EXPECT_TRUE(d->loginSucceeded());
    EXPECT_FALSE(d->isVisible());
    ASSERT_TRUE(isLoaded(QStringLiteral("FrmMain")));
    EXPECT_TRUE(mainScreen->isVisible());
    EXPECT_EQ(programEnds, 0);
}

TEST_F(PasswordTest, CancelOfTheLastWindowOnScreenEndsTheProgram)
{
    auto* mainScreen = open<MainScreen>(QStringLiteral("FrmMain"));
    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command10")));
    auto* d = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin1")));
    ASSERT_TRUE(d);
    mainScreen->close();   // the title bar's close, while the dialog is up
    settle();
    EXPECT_FALSE(isLoaded(QStringLiteral("FrmMain")));
    EXPECT_EQ(programEnds, 0);
    qvtest::clickAt(d->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    settle();
    EXPECT_TRUE(isLoaded(QStringLiteral("frmLogin1")));   // hidden, not unloaded
    EXPECT_EQ(programEnds, 1);
}

TEST(PasswordControls, ArrayMembersAreFoundByTheirIndexedName)
{
    registerStandIns();
    qv::Windows::show(QStringLiteral("Form10"));
    QWidget* box = PasswordDialog::controlOf(QStringLiteral("Form10"), QStringLiteral("txtfields(9)"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->objectName(), "txtfields_9");
    EXPECT_EQ(PasswordDialog::controlOf(QStringLiteral("Form10"), QStringLiteral("txtfields(7)")), nullptr);
    EXPECT_EQ(PasswordDialog::controlOf(QStringLiteral("frmCalendar"), QStringLiteral("cmdAdd")), nullptr);
    unloadAll();
}
