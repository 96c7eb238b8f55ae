#include "shell/splash_window.h"

#include "common/window_helpers.h"
#include "shell/pictures.h"
#include "shell/version.h"
#include "shell/main_screen.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

QV_REGISTER_WINDOW_AS(SplashWindow, "frmSplash");

SplashWindow::SplashWindow()
{
    // No title bar text.
    setWindowTitle(QStringLiteral(" "));
    setTwipsSize(7200, 4560);

    productFrame = new QGroupBox(QStringLiteral("Quorvel"), this);
    productFrame->setObjectName(QStringLiteral("Frame1"));
    qv::place(productFrame, 150, 60, 6900, 3660);
    productFrame->installEventFilter(this);

    logo = new QLabel(productFrame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    qv::place(logo, 240, 420, 2400, 2400);
    logo->setPixmap(shell::logoPicture(logo->width(), logo->height()));

    productNameLabel = new QLabel(QStringLiteral("Quorvel!"), productFrame);
    productNameLabel->setObjectName(QStringLiteral("lblProductName"));
    QFont title = productNameLabel->font();
    title.setPointSizeF(title.pointSizeF() * 2.6);
    title.setBold(true);
    productNameLabel->setFont(title);
    qv::place(productNameLabel, 2900, 600, 3800, 780);

    versionLabel = new QLabel(productFrame);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));
    QFont version = versionLabel->font();
    version.setPointSizeF(version.pointSizeF() * 1.2);
    versionLabel->setFont(version);
    qv::place(versionLabel, 2900, 1560, 3800, 360);

    platformLabel = new QLabel(QStringLiteral("Windows 98/ME/XP"), productFrame);
    platformLabel->setObjectName(QStringLiteral("lblPlatform"));
    qv::place(platformLabel, 2900, 2040, 3800, 360);

    startButton = new QPushButton(QStringLiteral("Start"), this);
    startButton->setObjectName(QStringLiteral("Command2"));
    qv::place(startButton, 3960, 3900, 1380, 420);
    exitButton = new QPushButton(QStringLiteral("Exit"), this);
    exitButton->setObjectName(QStringLiteral("Command1"));
    qv::place(exitButton, 5520, 3900, 1380, 420);

    onClick(startButton, [this] { showMainScreen(); });
    onClick(exitButton, [this] { exitProgram(); });
    setKeyPreview(true);
}

void SplashWindow::formLoad()
{
    versionLabel->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(shell::kVersionMajor)
                            .arg(shell::kVersionMinor)
                            .arg(shell::kVersionRevision));
    centerOnScreen(this);
}

void SplashWindow::showMainScreen()
{
    qv::Windows::show<MainScreen>();
    unload();
}

void SplashWindow::exitProgram()
{
    unload();
}

void SplashWindow::skipToAppointmentBook()
{
    openAppointmentBook();
}

void SplashWindow::openAppointmentBook()
{
    // Without the appointment book the splash is the only way on.
    if (qv::Windows::show(QStringLiteral("Form3")))
        unload();
}

void SplashWindow::formKeyPress(int& keyAscii)
{
    if (keyAscii == 0)
        return;
    keyAscii = 0;
    openAppointmentBook();
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == productFrame && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        guard([this] { skipToAppointmentBook(); });
        return true;
    }
    return qv::Window::eventFilter(watched, e);
}
