#include "shell/user_list.h"

#include "common/connections.h"

#include <QLabel>
#include <QPushButton>

QV_REGISTER_WINDOW(frmUsers);

frmUsers::frmUsers()
{
    setObjectName(QStringLiteral("frmUsers"));
    setWindowTitle(QStringLiteral("Add Users"));
    setTwipsSize(5880, 3420);

    Label1 = new QLabel(QStringLiteral("Assign users to the management area."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    qv::place(Label1, 120, 120, 5600, 300);

    const QString captions[2] = {QStringLiteral("UserName:"), QStringLiteral("Password:")};
    const int boxes[2] = {1, 0};
    const QString fields[2] = {QStringLiteral("UserName"), QStringLiteral("Password")};
    for (int row = 0; row < 2; ++row) {
        const int top = 540 + row * 420;
        QLabel* caption = new QLabel(captions[row], this);
        caption->setObjectName(QStringLiteral("lblLabels_%1").arg(row));
        qv::place(caption, 120, top + 40, 1500, 300);
        lblLabels.insert(row, caption);
        qv::TextBox* box = addField(boxes[row], fields[row]);
        qv::place(box, 1700, top, 3300, 330);
    }

    Command1 = new QPushButton(QStringLiteral("Test Login "), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    qv::place(Command1, 1700, 1440, 1500, 360);
    onClick(Command1, [this] { Command1_Click(); });
}

QString frmUsers::connectionString() const
{
    return userListConnectionString();
}

QString frmUsers::recordSource() const
{
    return QStringLiteral("select Password,UserName from Users");
}

void frmUsers::Command1_Click()
{
    qv::Windows::show(QStringLiteral("frmLogin"));
}
