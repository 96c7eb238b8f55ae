#include "shell/main_screen.h"

#include "common/window_helpers.h"
#include "common/connections.h"
#include "shell/password_dialog.h"
#include "shell/pictures.h"
#include "shell/management_login.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

QV_REGISTER_WINDOW_AS(MainScreen, "FrmMain");

MainScreen::MainScreen()
{
    setWindowTitle(QStringLiteral("Main Screen"));
    setTwipsSize(6300, 4200);

    logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    qv::place(logo, 2400, 180, 1500, 1500);
    logo->setPixmap(shell::logoPicture(logo->width(), logo->height()));

    const auto pictureButton = [this](const QString& name, const QPixmap& picture, const QString& tip) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setIcon(picture);
        button->setIconSize(picture.size());
        button->setToolTip(tip);
        return button;
    };
    appointmentBookButton = pictureButton(QStringLiteral("Command7"), shell::bookPicture(64),
                                          QStringLiteral("Appointment Book"));
    qv::place(appointmentBookButton, 1170, 1980, 1260, 1260);
    employeeAreaLabel = new QLabel(QStringLiteral("Employee Area"), this);
    employeeAreaLabel->setObjectName(QStringLiteral("Label2"));
    employeeAreaLabel->setAlignment(Qt::AlignCenter);
    qv::place(employeeAreaLabel, 600, 3330, 2400, 300);

    managementButton = pictureButton(QStringLiteral("Command10"), shell::padlockPicture(64),
                                     QStringLiteral("Restricted to management"));
    qv::place(managementButton, 3870, 1980, 1260, 1260);
    managementAreaLabel = new QLabel(QStringLiteral("Management Area"), this);
    managementAreaLabel->setObjectName(QStringLiteral("Label1"));
    managementAreaLabel->setAlignment(Qt::AlignCenter);
    qv::place(managementAreaLabel, 3300, 3330, 2400, 300);

    onClick(appointmentBookButton, [this] { openAppointmentBook(); });
    onClick(managementButton, [this] { askManagementPassword(); });
}

void MainScreen::formLoad()
{
    makeTopMost(this);
}

void MainScreen::openAppointmentBook()
{
    if (!countGuardedOpen(QStringLiteral("SELECT count(*) FROM [ServiceMenu]")))
        return;
    if (qv::Windows::show(QStringLiteral("Form3")))
        unload();
}

void MainScreen::askManagementPassword()
{
    if (auto* dialog = qv::Windows::show<ManagementLogin>())
        dialog->clearPassword();
}
