#include "shell/main_screen.h"

#include "common/window_helpers.h"
#include "common/connections.h"
#include "shell/password_dialog.h"
#include "shell/pictures.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

QV_REGISTER_WINDOW(FrmMain);

FrmMain::FrmMain()
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Main Screen"));
    setTwipsSize(6300, 4200);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    qv::place(Image1, 2400, 180, 1500, 1500);
    Image1->setPixmap(shell::logoPicture(Image1->width(), Image1->height()));

    const auto pictureButton = [this](const QString& name, const QPixmap& picture, const QString& tip) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setIcon(picture);
        button->setIconSize(picture.size());
        button->setToolTip(tip);
        return button;
    };
    Command7 = pictureButton(QStringLiteral("Command7"), shell::bookPicture(64), QStringLiteral("Appointment Book"));
    qv::place(Command7, 1170, 1980, 1260, 1260);
    Label2 = new QLabel(QStringLiteral("Employee Area"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    qv::place(Label2, 600, 3330, 2400, 300);

    Command10 = pictureButton(QStringLiteral("Command10"), shell::padlockPicture(64), QStringLiteral("Restricted to management"));
    qv::place(Command10, 3870, 1980, 1260, 1260);
    Label1 = new QLabel(QStringLiteral("Management Area"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    qv::place(Label1, 3300, 3330, 2400, 300);

    onClick(Command7, [this] { Command7_Click(); });
    onClick(Command10, [this] { Command10_Click(); });
}

void FrmMain::formLoad()
{
    MakeTopMost(this);
}

void FrmMain::Command7_Click()
{
    if (!countGuardedOpen(QStringLiteral("SELECT count(*) FROM [ServiceMenu]")))
        return;
    if (qv::Windows::show(QStringLiteral("Form3")))
        unload();
}

void FrmMain::Command10_Click()
{
    if (auto* dialog = qobject_cast<PasswordDialog*>(qv::Windows::show(QStringLiteral("frmLogin1"))))
        dialog->txtPassword->clear();
}
