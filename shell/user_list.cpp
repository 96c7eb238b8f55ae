#include "shell/user_list.h"

#include "common/connections.h"
#include "shell/user_login.h"

#include <QLabel>
#include <QPushButton>

QV_REGISTER_WINDOW_AS(UserList, "frmUsers");

UserList::UserList()
{
    setWindowTitle(QStringLiteral("Add Users"));
    setTwipsSize(5880, 3420);

    assignUsersNote = new QLabel(QStringLiteral("Assign users to the management area."), this);
    assignUsersNote->setObjectName(QStringLiteral("Label1"));
    qv::place(assignUsersNote, 120, 120, 5600, 300);

    const QString captions[2] = {QStringLiteral("UserName:"), QStringLiteral("Password:")};
    const int boxes[2] = {UserNameBox, PasswordBox};
    const QString fields[2] = {QStringLiteral("UserName"), QStringLiteral("Password")};
    for (int row = 0; row < 2; ++row) {
        const int top = 540 + row * 420;
        QLabel* caption = new QLabel(captions[row], this);
        caption->setObjectName(qv::arrayMemberName("lblLabels", row));
        qv::place(caption, 120, top + 40, 1500, 300);
        captionLabels.insert(row, caption);
        qv::TextBox* box = addField(boxes[row], fields[row]);
        qv::place(box, 1700, top, 3300, 330);
    }

    testLoginButton = new QPushButton(QStringLiteral("Test Login "), this);
    testLoginButton->setObjectName(QStringLiteral("Command1"));
    qv::place(testLoginButton, 1700, 1440, 1500, 360);
    onClick(testLoginButton, [this] { testLogin(); });
}

QString UserList::connectionString() const
{
    return userListConnectionString();
}

QString UserList::recordSource() const
{
    return QStringLiteral("select Password,UserName from Users");
}

void UserList::testLogin()
{
    qv::Windows::show<UserLogin>();
}
