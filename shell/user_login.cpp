#include "shell/user_login.h"

#include "common/window_helpers.h"
#include "common/connections.h"
#include "common/record_form.h"
#include "platform/data/database.h"
#include "platform/services/services.h"
#include "shell/pictures.h"
#include "shell/management_menu.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <sqlite3.h>

QV_REGISTER_WINDOW_AS(UserLogin, "frmLogin");

namespace shell {

int countUsers(qv::Connection& connection, const QString& userName, const QString& password)
{
    sqlite3* db = connection.handle();
    if (!db)
        throw qv::Error(QStringLiteral("The connection is not open."));
    static const char* const sql =
        "SELECT COUNT(*) FROM Users WHERE qv_fold(UserName) = qv_fold(?1) AND qv_fold(Password) = qv_fold(?2)";
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

UserLogin::UserLogin()
{
    setWindowTitle(QStringLiteral("Management"));
    setTwipsSize(5400, 3000);

    banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("Picture1"));
    banner->setAutoFillBackground(true);
    qv::place(banner, 0, 0, 5400, 600);
    padlock = new QLabel(banner);
    padlock->setObjectName(QStringLiteral("Image2"));
    qv::place(padlock, 120, 60, 480, 480);
    padlock->setPixmap(shell::padlockPicture(padlock->width()));

    restrictedNote = new QLabel(QStringLiteral("Area restricted to management!"), banner);
    restrictedNote->setObjectName(QStringLiteral("Label4"));
    QFont bold = restrictedNote->font();
    bold.setBold(true);
    restrictedNote->setFont(bold);
    qv::place(restrictedNote, 720, 150, 4500, 300);

    userNameLabel = new QLabel(QStringLiteral("User Name"), this);
    userNameLabel->setObjectName(QStringLiteral("Label1"));
    qv::place(userNameLabel, 240, 900, 1320, 300);
    userNameBox = new QLineEdit(this);
    userNameBox->setObjectName(QStringLiteral("txtUserName"));
    qv::place(userNameBox, 1620, 860, 3480, 360);

    passwordLabel = new QLabel(QStringLiteral("Password"), this);
    passwordLabel->setObjectName(QStringLiteral("Label3"));
    qv::place(passwordLabel, 240, 1440, 1320, 300);
    passwordBox = new QLineEdit(this);
    passwordBox->setObjectName(QStringLiteral("txtPassword"));
    passwordBox->setEchoMode(QLineEdit::Password);
    passwordBox->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    qv::place(passwordBox, 1620, 1400, 3480, 360);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("Command1"));
    qv::place(okButton, 1620, 2160, 1560, 420);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("Command2"));
    qv::place(cancelButton, 3540, 2160, 1560, 420);

    onClick(okButton, [this] { logIn(); });
    onClick(cancelButton, [this] { cancelLogin(); });
    // Enter after the password logs in, as in the password dialogs.
    okButton->setDefault(true);
    connect(passwordBox, &QLineEdit::returnPressed, okButton, &QPushButton::click);
}

void UserLogin::formLoad()
{
    makeTopMost(this);
    userNameBox->clear();
    passwordBox->clear();
}

void UserLogin::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        userNameBox->setFocus();
    qv::Window::showEvent(e);
}

void UserLogin::cancelLogin()
{
    unload();
}

void UserLogin::logIn()
{
    qv::Connection connection;
    connection.open(reportConnectionString());
    const int count = shell::countUsers(connection, userNameBox->text(), passwordBox->text());
    connection.close();

    if (count < 1) {
        unload();
        qv::ui().msgBox(QStringLiteral("Invalid user name/password."));
        return;
    }
    // The book gives way to the menu: a ticket being added or edited is
    // asked about first, and Cancel (or a ticket that cannot be stored)
    // keeps the book and this login as they are, with nothing opened.
    if (!RecordForm::settleBeforeLeaving({qv::Windows::loaded(QStringLiteral("Form3"))}, windowTitle()))
        return;
    const bool menuWasLoaded = qv::Windows::loaded<ManagementMenu>() != nullptr;
    // The appointment book gives way to the menu only, never to nothing.
    if (!qv::Windows::show<ManagementMenu>()) {
        unload();
        return;
    }
    if (qv::Windows::loaded(QStringLiteral("Form3"))) {
        qv::Windows::unload(QStringLiteral("Form3"));
        // A book that still refuses to go keeps everything as it was.
        if (qv::Windows::loaded(QStringLiteral("Form3"))) {
            if (!menuWasLoaded)
                qv::Windows::unload<ManagementMenu>();
            return;
        }
    }
    unload();
}
