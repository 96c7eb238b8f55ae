#include "shell/splash_window.h"

#include "common/window_helpers.h"
#include "shell/pictures.h"
#include "shell/version.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

QV_REGISTER_WINDOW(frmSplash);

frmSplash::frmSplash()
{
    setObjectName(QStringLiteral("frmSplash"));
    // No title bar text.
    setWindowTitle(QStringLiteral(" "));
    setTwipsSize(7200, 4560);

    Frame1 = new QGroupBox(QStringLiteral("Quorvel"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    qv::place(Frame1, 150, 60, 6900, 3660);
    Frame1->installEventFilter(this);

    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    qv::place(imgLogo, 240, 420, 2400, 2400);
    imgLogo->setPixmap(shell::logoPicture(imgLogo->width(), imgLogo->height()));

    lblProductName = new QLabel(QStringLiteral("Quorvel!"), Frame1);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont title = lblProductName->font();
    title.setPointSizeF(title.pointSizeF() * 2.6);
    title.setBold(true);
    lblProductName->setFont(title);
    qv::place(lblProductName, 2900, 600, 3800, 780);

    lblVersion = new QLabel(Frame1);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    QFont version = lblVersion->font();
    version.setPointSizeF(version.pointSizeF() * 1.2);
    lblVersion->setFont(version);
    qv::place(lblVersion, 2900, 1560, 3800, 360);

    lblPlatform = new QLabel(QStringLiteral("Windows 98/ME/XP"), Frame1);
    lblPlatform->setObjectName(QStringLiteral("lblPlatform"));
    qv::place(lblPlatform, 2900, 2040, 3800, 360);

    Command2 = new QPushButton(QStringLiteral("Start"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    qv::place(Command2, 3960, 3900, 1380, 420);
    Command1 = new QPushButton(QStringLiteral("Exit"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    qv::place(Command1, 5520, 3900, 1380, 420);

    onClick(Command2, [this] { Command2_Click(); });
    onClick(Command1, [this] { Command1_Click(); });
    setKeyPreview(true);
}

void frmSplash::formLoad()
{
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(shell::kVersionMajor)
                            .arg(shell::kVersionMinor)
                            .arg(shell::kVersionRevision));
    CenterOnScreen(this);
}

void frmSplash::Command2_Click()
{
    qv::Windows::show(QStringLiteral("FrmMain"));
    unload();
}

void frmSplash::Command1_Click()
{
    unload();
}

void frmSplash::Frame1_Click()
{
    openAppointmentBook();
}

void frmSplash::openAppointmentBook()
{
    // Without the appointment book the splash is the only way on.
    if (qv::Windows::show(QStringLiteral("Form3")))
        unload();
}

void frmSplash::formKeyPress(int& keyAscii)
{
    if (keyAscii == 0)
        return;
    keyAscii = 0;
    openAppointmentBook();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == Frame1 && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        guard([this] { Frame1_Click(); });
        return true;
    }
    return qv::Window::eventFilter(watched, e);
}
