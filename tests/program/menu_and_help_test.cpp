// The management menu and help among the real windows: from the main screen
// through the password to the menu, from the book through the user login to
// the menu and back, and the book's Help button.
#include "support/user_hands.h"
#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "common/help_access.h"
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "shell/main_screen.h"
#include "shell/management_menu.h"
#include "shell/password_dialog.h"
#include "shell/user_login.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void unloadAll()
{
    for (int round = 0; round < 5 && !qv::Windows::all().isEmpty(); ++round)
        qvtest::unloadEveryWindow();
    settle();
}

class MenuAndHelp : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([this] { ++programEnds; });
        db.seed();
    }
    void TearDown() override
    {
        unloadAll();
        qv::Windows::setOnLastClosed(nullptr);
    }
    static bool isLoaded(const char* name) { return qv::Windows::loaded(QString::fromLatin1(name)) != nullptr; }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    int programEnds = 0;
};

TEST_F(MenuAndHelp, FromTheMainScreenToTheMenuToTheBookAndBack)
{
    auto* mainScreen = qobject_cast<MainScreen*>(qv::Windows::show("FrmMain"));
    ASSERT_TRUE(mainScreen);
    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command10")));
    auto* password = qobject_cast<PasswordDialog*>(qv::Windows::loaded("frmLogin1"));
    ASSERT_TRUE(password);
    qvtest::typeInto(password->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marvo");
    qvtest::press(Qt::Key_Return);
    settle();
    auto* menu = qobject_cast<ManagementMenu*>(qv::Windows::loaded("frmmangement"));
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(isLoaded("FrmMain"));

    // The appointment manager gives way with the menu when the book opens.
    qvtest::clickAt(menu->findChild<QToolButton*>(QStringLiteral("Command9")));
    qvtest::clickAt(menu->findChild<QToolButton*>(QStringLiteral("Command7")));
    settle();
    auto* book = qobject_cast<AppointmentBook*>(qv::Windows::loaded("Form3"));
    ASSERT_TRUE(book);
    EXPECT_TRUE(book->isVisible());
    EXPECT_FALSE(isLoaded("frmmangement"));
    EXPECT_FALSE(isLoaded("frmServicemenu3"));

    // Back through the user login: the book gives way to the menu.
    qvtest::clickAt(book->findChild<QPushButton*>(QStringLiteral("Command10")));
    auto* login = qobject_cast<UserLogin*>(qv::Windows::loaded("frmLogin"));
    ASSERT_TRUE(login);
    qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtUserName")), "admin");
    qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "secret");
    qvtest::clickAt(login->findChild<QPushButton*>(QStringLiteral("Command1")));
    settle();
    EXPECT_TRUE(isLoaded("frmmangement"));
    EXPECT_FALSE(isLoaded("Form3"));
    EXPECT_FALSE(isLoaded("frmLogin"));
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();

    // Exit Program ends it all.
    menu = qobject_cast<ManagementMenu*>(qv::Windows::loaded("frmmangement"));
    ASSERT_TRUE(menu);
    qvtest::clickAt(menu->findChild<QToolButton*>(QStringLiteral("Command4")));
    settle();
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MenuAndHelp, TheBooksHelpButtonShowsTheHelpText)
{
    QFile rtf(db.folder() + "/Index.rtf");
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Booking a client\\par}");
    rtf.close();
    setHelpFile(QString());

    auto* book = qobject_cast<AppointmentBook*>(qv::Windows::show("Form3"));
    ASSERT_TRUE(book);
    qvtest::clickAt(book->findChild<QPushButton*>(QStringLiteral("Command19")));
    EXPECT_EQ(helpFile(), programFolder() + "\\HelpFile.hlp");
    qv::Window* help = qv::Windows::loaded("Frmhelp");
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(book->isVisible());
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
}

} // namespace
