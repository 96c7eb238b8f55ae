#include "shell/about_box.h"

#include "common/window_helpers.h"
#include "platform/services/services.h"
#include "shell/pictures.h"
#include "shell/version.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

QV_REGISTER_WINDOW_AS(AboutBox, "frmAbout");

AboutBox::AboutBox()
{
    setTwipsSize(5730, 3195);
    setFixedSize(size());

    logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    qv::place(logo, 240, 240, 960, 960);
    logo->setPixmap(shell::logoPicture(logo->width(), logo->height()));

    titleLabel = new QLabel(this);
    titleLabel->setObjectName(QStringLiteral("lblTitle"));
    titleLabel->setTextFormat(Qt::PlainText);
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleLabel->setFont(titleFont);
    qv::place(titleLabel, 1440, 240, 4050, 480);

    versionLabel = new QLabel(this);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));
    versionLabel->setTextFormat(Qt::PlainText);
    qv::place(versionLabel, 1440, 780, 4050, 300);

    screenSizeNote = new QLabel(QStringLiteral("This program is best viewed at 800 x 600"), this);
    screenSizeNote->setObjectName(QStringLiteral("Label2"));
    screenSizeNote->setTextFormat(Qt::PlainText);
    screenSizeNote->setWordWrap(true);
    qv::place(screenSizeNote, 1440, 1320, 4050, 480);

    auto* line = new QFrame(this);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    qv::place(line, 120, 2040, 5490, 30);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setDefault(true);
    qv::place(okButton, 4125, 2400, 1260, 420);

    onClick(okButton, [this] { dismiss(); });
}

void AboutBox::formLoad()
{
    makeTopMost(this);
    const QString title = qv::UiServices::programTitle();
    setWindowTitle(QStringLiteral("About ") + title);
    titleLabel->setText(title);
    versionLabel->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(shell::kVersionMajor)
                            .arg(shell::kVersionMinor)
                            .arg(shell::kVersionRevision));
}

void AboutBox::dismiss()
{
    unload();
}
