// The splash window's three ways on and the main screen's two areas.
#include "support/user_hands.h"
#include "shell_fixture.h"

#include "shell/main_screen.h"
#include "shell/password_dialog.h"
#include "shell/splash_window.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace shelltest;

namespace {

class SplashTest : public ShellTest {
protected:
    SplashWindow* splash()
    {
        auto* s = open<SplashWindow>(QStringLiteral("frmSplash"));
        EXPECT_TRUE(s);
        // The window system gives the window it shows the focus.
        if (s) {
            s->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(s));
        }
        return s;
    }
    // Tab from control to control until the target has the focus.
    static void tabTo(QWidget* target)
    {
        for (int i = 0; i < 4 && qvtest::focused() != target; ++i)
            qvtest::press(Qt::Key_Tab);
        ASSERT_EQ(qvtest::focused(), target);
    }
};

} // namespace

TEST_F(SplashTest, ShowsNameAndVersionWithoutLeadingZeros)
{
    SplashWindow* s = splash();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->findChild<QLabel*>(QStringLiteral("lblProductName"))->text(), "Quorvel!");
    EXPECT_TRUE(QRegularExpression("^Version (0|[1-9][0-9]*)\\.(0|[1-9][0-9]*)\\.(0|[1-9][0-9]*)$")
                    .match(s->findChild<QLabel*>(QStringLiteral("lblVersion"))->text())
                    .hasMatch())
        << s->findChild<QLabel*>(QStringLiteral("lblVersion"))->text().toStdString();
    EXPECT_EQ(s->findChild<QPushButton*>(QStringLiteral("Command2"))->text(), "Start");
    EXPECT_EQ(s->findChild<QPushButton*>(QStringLiteral("Command1"))->text(), "Exit");
}

TEST_F(SplashTest, AnyCharacterKeyOpensTheBookEvenWithAButtonFocusedAndNoTickets)
{
    ASSERT_EQ(db->count(QStringLiteral("Servicemenu")), 0);
    const std::vector<std::pair<Qt::Key, QString>> keys = {
        {Qt::Key_A, "a"}, {Qt::Key_7, "7"}, {Qt::Key_Return, "\r"}, {Qt::Key_Escape, QString(QChar(27))},
        {Qt::Key_Backspace, "\b"}, {Qt::Key_Space, " "}};
    for (const auto& [key, text] : keys) {
        SCOPED_TRACE(text.toStdString());
        SplashWindow* s = splash();
        ASSERT_TRUE(s);
        tabTo(s->findChild<QPushButton*>(QStringLiteral("Command2")));
        // The key as the X server reports it, with its character.
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(qvtest::focused(), &press);
        EXPECT_TRUE(isLoaded(QStringLiteral("Form3")));
        EXPECT_FALSE(isLoaded(QStringLiteral("frmSplash")));
        EXPECT_FALSE(isLoaded(QStringLiteral("FrmMain")));   // Start was not pressed by Space
        unloadAll();
    }
}

TEST_F(SplashTest, KeysThatTypeNothingDoNothing)
{
    SplashWindow* s = splash();
    qvtest::press(Qt::Key_F5);
    qvtest::press(Qt::Key_Shift);
    // Tab moves between the buttons; Delete types nothing. The X server
    // reports both with a character ("\t", 127).
    tabTo(s->findChild<QPushButton*>(QStringLiteral("Command2")));
    for (const auto& [key, text] : {std::pair{Qt::Key_Tab, QStringLiteral("\t")},
                                    std::pair{Qt::Key_Delete, QString(QChar(127))}}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(qvtest::focused(), &press);
    }
    EXPECT_TRUE(isLoaded(QStringLiteral("frmSplash")));
    EXPECT_FALSE(isLoaded(QStringLiteral("Form3")));
}

TEST_F(SplashTest, ClickOnTheFrameOpensTheBook)
{
    SplashWindow* s = splash();
    qvtest::clickAt(s->findChild<QGroupBox*>(QStringLiteral("Frame1")), QPoint(s->findChild<QGroupBox*>(QStringLiteral("Frame1"))->width() - 10, s->findChild<QGroupBox*>(QStringLiteral("Frame1"))->height() - 10));
    EXPECT_TRUE(isLoaded(QStringLiteral("Form3")));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmSplash")));
}

TEST_F(SplashTest, StartOpensTheMainScreenAndExitEndsTheProgram)
{
    SplashWindow* s = splash();
    qvtest::clickAt(s->findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_TRUE(isLoaded(QStringLiteral("FrmMain")));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmSplash")));
    settle();
    EXPECT_EQ(programEnds, 0);
    unloadAll();
    programEnds = 0;

    s = splash();
    qvtest::clickAt(s->findChild<QPushButton*>(QStringLiteral("Command1")));
    settle();
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(programEnds, 1);
}

TEST_F(SplashTest, MainScreenOpensTheBookOnlyWhenThereAreTickets)
{
    auto* mainScreen = open<MainScreen>(QStringLiteral("FrmMain"));
    ASSERT_TRUE(mainScreen);
    EXPECT_EQ(mainScreen->windowTitle(), "Main Screen");
    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command7")));
    EXPECT_TRUE(ui.script.events.empty());   // no message, no window
    EXPECT_FALSE(isLoaded(QStringLiteral("Form3")));
    EXPECT_TRUE(isLoaded(QStringLiteral("FrmMain")));

    db->insert(QStringLiteral("Servicemenu"), {{"CustomerID", "1001"}, {"CustomerName", "Ann Lee"}});
    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command7")));
    EXPECT_TRUE(isLoaded(QStringLiteral("Form3")));
    EXPECT_FALSE(isLoaded(QStringLiteral("FrmMain")));
}

TEST_F(SplashTest, MainScreenWithoutItsDatabaseShowsTheErrorAndStays)
{
    auto* mainScreen = open<MainScreen>(QStringLiteral("FrmMain"));
    ASSERT_TRUE(QFile::remove(db->file()));
    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command7")));
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_FALSE(ui.script.messages().first().isEmpty());
    EXPECT_TRUE(isLoaded(QStringLiteral("FrmMain")));
    EXPECT_FALSE(isLoaded(QStringLiteral("Form3")));
}

TEST_F(SplashTest, ManagementButtonShowsThePasswordDialogEmpty)
{
    auto* mainScreen = open<MainScreen>(QStringLiteral("FrmMain"));
    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command10")));
    auto* dialog = qobject_cast<PasswordDialog*>(qv::Windows::loaded(QStringLiteral("frmLogin1")));
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    qvtest::typeInto(dialog->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marv");
    qvtest::clickAt(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_FALSE(dialog->isVisible());

    qvtest::clickAt(mainScreen->findChild<QToolButton*>(QStringLiteral("Command10")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->text(), "");
    EXPECT_TRUE(isLoaded(QStringLiteral("FrmMain")));
}
