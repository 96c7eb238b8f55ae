#include "shell/about_box.h"

#include "common/window_helpers.h"
#include "platform/services/services.h"
#include "shell/pictures.h"
#include "shell/version.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

QV_REGISTER_WINDOW(frmAbout);

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    setTwipsSize(5730, 3195);
    setFixedSize(size());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    qv::place(Image1, 240, 240, 960, 960);
    Image1->setPixmap(shell::logoPicture(Image1->width(), Image1->height()));

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setTextFormat(Qt::PlainText);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    lblTitle->setFont(titleFont);
    qv::place(lblTitle, 1440, 240, 4050, 480);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setTextFormat(Qt::PlainText);
    qv::place(lblVersion, 1440, 780, 4050, 300);

    Label2 = new QLabel(QStringLiteral("This program is best viewed at 800 x 600"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setWordWrap(true);
    qv::place(Label2, 1440, 1320, 4050, 480);

    auto* line = new QFrame(this);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    qv::place(line, 120, 2040, 5490, 30);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    qv::place(cmdOK, 4125, 2400, 1260, 420);

    onClick(cmdOK, [this] { cmdOK_Click(); });
}

void frmAbout::formLoad()
{
    MakeTopMost(this);
    const QString title = qv::UiServices::programTitle();
    setWindowTitle(QStringLiteral("About ") + title);
    lblTitle->setText(title);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(shell::kVersionMajor)
                            .arg(shell::kVersionMinor)
                            .arg(shell::kVersionRevision));
}

void frmAbout::cmdOK_Click()
{
    unload();
}
