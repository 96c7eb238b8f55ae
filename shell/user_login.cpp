#include "shell/user_login.h"

#include "common/window_helpers.h"
#include "common/connections.h"
#include "platform/data/database.h"
#include "platform/services/services.h"
#include "shell/pictures.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <sqlite3.h>

QV_REGISTER_WINDOW(frmLogin);

namespace shell {

int countUsers(qv::Connection& connection, const QString& userName, const QString& password)
{
    sqlite3* db = connection.handle();
    if (!db)
        throw qv::Error(QStringLiteral("The connection is not open."));
    static const char* const sql =
        "SELECT COUNT(*) FROM Users WHERE UserName = ?1 COLLATE NOCASE AND Password = ?2 COLLATE NOCASE";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        const QString why = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(statement);
        throw qv::Error(why);
    }
    const QByteArray name = userName.toUtf8(), word = password.toUtf8();
    sqlite3_bind_text(statement, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, word.constData(), int(word.size()), SQLITE_TRANSIENT);
    const int step = sqlite3_step(statement);
    if (step != SQLITE_ROW) {
        const QString why = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(statement);
        throw qv::Error(why);
    }
    const int count = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return count;
}

} // namespace shell

frmLogin::frmLogin()
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Management"));
    setTwipsSize(5400, 3000);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    qv::place(Picture1, 0, 0, 5400, 600);
    Image2 = new QLabel(Picture1);
    Image2->setObjectName(QStringLiteral("Image2"));
    qv::place(Image2, 120, 60, 480, 480);
    Image2->setPixmap(shell::padlockPicture(Image2->width()));

    Label4 = new QLabel(QStringLiteral("Area restricted to management!"), Picture1);
    Label4->setObjectName(QStringLiteral("Label4"));
    QFont bold = Label4->font();
    bold.setBold(true);
    Label4->setFont(bold);
    qv::place(Label4, 720, 150, 4500, 300);

    Label1 = new QLabel(QStringLiteral("User Name"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    qv::place(Label1, 240, 900, 1320, 300);
    txtUserName = new QLineEdit(this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    qv::place(txtUserName, 1620, 860, 3480, 360);

    Label3 = new QLabel(QStringLiteral("Password"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    qv::place(Label3, 240, 1440, 1320, 300);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    qv::place(txtPassword, 1620, 1400, 3480, 360);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    qv::place(Command1, 1620, 2160, 1560, 420);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    qv::place(Command2, 3540, 2160, 1560, 420);

    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command2, [this] { Command2_Click(); });
}

void frmLogin::formLoad()
{
    MakeTopMost(this);
    txtUserName->clear();
    txtPassword->clear();
}

void frmLogin::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        txtUserName->setFocus();
    qv::Window::showEvent(e);
}

void frmLogin::Command2_Click()
{
    unload();
}

void frmLogin::Command1_Click()
{
    qv::Connection connection;
    connection.open(reportConnectionString());
    const int count = shell::countUsers(connection, txtUserName->text(), txtPassword->text());
    connection.close();

    if (count < 1) {
        unload();
        qv::ui().msgBox(QStringLiteral("Invalid user name/password."));
        return;
    }
    const bool menuShown = qv::Windows::show(QStringLiteral("frmmangement")) != nullptr;
    unload();
    // The appointment book gives way to the menu only, never to nothing.
    if (menuShown && qv::Windows::loaded(QStringLiteral("Form3")))
        qv::Windows::unload(QStringLiteral("Form3"));
}
