// The user login against table Users, and the user list that keeps it.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "shell_fixture.h"

#include "shell/user_list.h"
#include "shell/user_login.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace shelltest;

namespace {

class LoginTest : public ShellTest {
protected:
    // Types the name and password into a fresh login window and presses OK.
    void login(const QString& name, const QString& password)
    {
        auto* w = open<UserLogin>(QStringLiteral("frmLogin"));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("txtUserName"))->text(), "");
        EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->text(), "");
        qvtest::typeInto(w->findChild<QLineEdit*>(QStringLiteral("txtUserName")), name);
        qvtest::typeInto(w->findChild<QLineEdit*>(QStringLiteral("txtPassword")), password);
        ASSERT_EQ(w->findChild<QLineEdit*>(QStringLiteral("txtUserName"))->text(), name);
        qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("Command1")));
        EXPECT_FALSE(isLoaded(QStringLiteral("frmLogin")));   // closed in both outcomes
    }
    bool signedIn() const { return isLoaded(QStringLiteral("frmmangement")); }
};

} // namespace

TEST_F(LoginTest, EnterAfterThePasswordLogsIn)
{
    db->seed();
    auto* w = open<UserLogin>(QStringLiteral("frmLogin"));
    ASSERT_TRUE(w);
    qvtest::typeInto(w->findChild<QLineEdit*>(QStringLiteral("txtUserName")), "admin");
    qvtest::press(Qt::Key_Tab);
    qvtest::typeKeys("secret");
    qvtest::press(Qt::Key_Return);
    settle();
    EXPECT_TRUE(signedIn());
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(LoginTest, NamesAndPasswordsMatchIgnoringCaseButNotBlanks)
{
    db->seed();   // "admin"/"secret", "O'Neil"/"it's"
    db->insert(QStringLiteral("Users"), {{"UserName", "Renée"}, {"Password", "Crème"}});
    struct Case {
        const char* name;
        const char* password;
        bool accepted;
    };
    const Case cases[] = {
        {"admin", "secret", true},
        {"ADMIN", "Secret", true},
        {"O'Neil", "it's", true},
        {"o'neil", "IT'S", true},
        // Every letter folds alike, not only A to Z.
        {"RENÉE", "CRÈME", true},
        {"renée", "crème", true},
        {"renee", "creme", false},
        {"admin ", "secret", false},
        {" admin", "secret", false},
        {"admin", "secret ", false},
        {"admin", "wrong", false},
        {"O'Neil", "", false},
        {"", "", false},
        {"' OR '1'='1", "' OR '1'='1", false},
        {"admin' --", "x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "/" + c.password);
        ui.script.clear();
        login(QString::fromUtf8(c.name), QString::fromUtf8(c.password));
        EXPECT_EQ(signedIn(), c.accepted);
        EXPECT_EQ(ui.script.messages(), c.accepted ? QStringList() : QStringList{"Invalid user name/password."});
        unloadAll();
    }
}

TEST_F(LoginTest, EmptyUserTableRefusesEveryone)
{
    login(QStringLiteral("admin"), QStringLiteral("secret"));
    EXPECT_FALSE(signedIn());
    EXPECT_EQ(ui.script.messages(), QStringList{"Invalid user name/password."});
    EXPECT_EQ(ui.script.events.front().style, 0);
    EXPECT_EQ(ui.script.events.front().title, "");
}

TEST_F(LoginTest, SuccessFromTheBookClosesTheBookAndLeavesTheMenu)
{
    db->insert(QStringLiteral("Users"), {{"UserName", "kim"}, {"Password", "pw"}});
    qv::Windows::show(QStringLiteral("Form3"));
    login(QStringLiteral("kim"), QStringLiteral("pw"));
    settle();
    EXPECT_TRUE(signedIn());
    EXPECT_FALSE(isLoaded(QStringLiteral("Form3")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(programEnds, 0);
}

TEST_F(LoginTest, WithoutTheMenuTheBookStays)
{
    WithoutWindow noMenu(QStringLiteral("frmmangement"));
    db->insert(QStringLiteral("Users"), {{"UserName", "kim"}, {"Password", "pw"}});
    qv::Windows::show(QStringLiteral("Form3"));
    login(QStringLiteral("kim"), QStringLiteral("pw"));
    settle();
    EXPECT_TRUE(isLoaded(QStringLiteral("Form3")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(programEnds, 0);
}

TEST_F(LoginTest, CancelClosesWithoutAsking)
{
    auto* w = open<UserLogin>(QStringLiteral("frmLogin"));
    EXPECT_EQ(w->windowTitle(), "Management");
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->echoMode(), QLineEdit::Password);
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_FALSE(isLoaded(QStringLiteral("frmLogin")));
    EXPECT_TRUE(ui.script.events.empty());
}

TEST_F(LoginTest, MissingUsersTableShowsTheErrorAndKeepsTheWindow)
{
    db->execRaw(QStringLiteral("DROP TABLE Users"));
    auto* w = open<UserLogin>(QStringLiteral("frmLogin"));
    qvtest::typeInto(w->findChild<QLineEdit*>(QStringLiteral("txtUserName")), "admin");
    qvtest::clickAt(w->findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_NE(ui.script.messages().first(), "Invalid user name/password.");
    EXPECT_TRUE(isLoaded(QStringLiteral("frmLogin")));
}

namespace {

class UserListTest : public ShellTest {
protected:
    UserList* users()
    {
        auto* w = open<UserList>(QStringLiteral("frmUsers"));
        EXPECT_TRUE(w);
        return w;
    }
    // The stored users, "name/password", in table order.
    QStringList stored()
    {
        QStringList out;
        auto rs = db->query(QStringLiteral("SELECT UserName, Password FROM Users"));
        for (; !rs->eof(); rs->moveNext())
            out << rs->value(0).toString() + "/" + rs->value(1).toString();
        return out;
    }
    static void type(qv::TextBox* box, const QString& text) { qvtest::typeInto(box, text); }
    static void click(QPushButton* b) { qvtest::clickAt(b); }
};

} // namespace

TEST_F(UserListTest, AddEditCancelAndDeleteReachTheFile)
{
    db->insert(QStringLiteral("Users"), {{"UserName", "admin"}, {"Password", "secret"}});
    UserList* w = users();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Add Users");
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "admin");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->text(), "secret");   // shown in plain text
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0))->echoMode(), QLineEdit::Normal);

    // Add and Update: a new row at the end.
    click(w->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Add record");
    EXPECT_FALSE(w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_TRUE(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    type(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "O'Neil");
    type(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "it's");
    click(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(stored(), QStringList({"admin/secret", "O'Neil/it's"}));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    EXPECT_TRUE(w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());

    // Add, then Cancel: nothing stored, back on the record Add left.
    click(w->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "ghost");
    click(w->findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(stored(), QStringList({"admin/secret", "O'Neil/it's"}));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "O'Neil");

    // Edit the first user.
    click(w->findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    click(w->findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Edit record");
    type(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "n3w pass");
    click(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(stored(), QStringList({"admin/n3w pass", "O'Neil/it's"}));

    // Delete asks nothing.
    click(w->findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_TRUE(ui.script.events.empty());
    EXPECT_EQ(stored(), QStringList({"O'Neil/it's"}));
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "O'Neil");
}

TEST_F(UserListTest, HomeAndEndInANameBeingTypedStayOnThatUser)
{
    db->insert(QStringLiteral("Users"), {{"UserName", "admin"}, {"Password", "secret"}});
    db->insert(QStringLiteral("Users"), {{"UserName", "kim"}, {"Password", "pw"}});
    db->insert(QStringLiteral("Users"), {{"UserName", "lee"}, {"Password", "pw2"}});
    UserList* w = users();
    click(w->findChild<QPushButton*>(QStringLiteral("cmdNext")));   // kim
    ASSERT_TRUE(qvtest::clickAt(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))));
    qvtest::press(Qt::Key_End);
    qvtest::typeKeys("berly");
    qvtest::press(Qt::Key_Home);
    qvtest::typeKeys("K");
    qvtest::press(Qt::Key_Delete);
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    EXPECT_EQ(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1))->text(), "Kimberly");
    // Ctrl+Home moves to the first user; the name typed is kept where it was typed.
    qvtest::press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(stored(), QStringList({"admin/secret", "Kimberly/pw", "lee/pw2"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(UserListTest, TestLoginOpensTheLoginBesideTheList)
{
    db->insert(QStringLiteral("Users"), {{"UserName", "admin"}, {"Password", "secret"}});
    UserList* w = users();
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("Command1"))->text(), "Test Login ");
    click(w->findChild<QPushButton*>(QStringLiteral("Command1")));
    auto* login = qobject_cast<UserLogin*>(qv::Windows::loaded(QStringLiteral("frmLogin")));
    ASSERT_TRUE(login);
    EXPECT_TRUE(login->isVisible());
    EXPECT_TRUE(isLoaded(QStringLiteral("frmUsers")));

    // A user added in the list can sign in at once.
    login->unload();
    click(w->findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 1)), "Kim");
    type(w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", 0)), "pw");
    click(w->findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    click(w->findChild<QPushButton*>(QStringLiteral("Command1")));
    login = qobject_cast<UserLogin*>(qv::Windows::loaded(QStringLiteral("frmLogin")));
    qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtUserName")), "kim");
    qvtest::typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "PW");
    qvtest::clickAt(login->findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_TRUE(isLoaded(QStringLiteral("frmmangement")));
    EXPECT_TRUE(isLoaded(QStringLiteral("frmUsers")));
}
