#include "shell/tip_of_day.h"

#include "common/window_helpers.h"
#include "platform/data/database.h"
#include "platform/services/services.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QStringDecoder>

QV_REGISTER_WINDOW_AS(ProgramTips, "frmTip");
QV_REGISTER_WINDOW_AS(AppointmentBookTips, "frmTip1");

namespace {

const QString kSection = QStringLiteral("Options");
const QString kKey = QStringLiteral("Show Tips at Startup");

QString storedSetting()
{
    // The per-user store, under the program's name.
    QSettings s(qv::UiServices::programTitle(), qv::UiServices::programTitle());
    s.beginGroup(kSection);
    return s.value(kKey, QStringLiteral("1")).toString();
}

void storeSetting(const QString& value)
{
    QSettings s(qv::UiServices::programTitle(), qv::UiServices::programTitle());
    s.beginGroup(kSection);
    s.setValue(kKey, value);
    s.endGroup();
    s.sync();
}

// Only a stored 0 keeps the tips away; a value that is no number at all
// counts as the default, so that a damaged setting cannot hide them for good.
bool tipsWanted()
{
    bool ok = false;
    const double value = storedSetting().trimmed().toDouble(&ok);
    return !ok || value != 0;
}

// The file's text: UTF-8 when it is valid UTF-8, else the 8-bit text that
// Notepad writes, read byte for byte.
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

// Lines as written: CR LF ends a line (a lone CR or LF too, for files made
// elsewhere); the text after the last line end, if any, is a line of its own.
QStringList linesOf(const QString& text)
{
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << line;
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

QPixmap bulbPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    // Rays, glass, base.
    p.setPen(QPen(QColor(0xe0, 0xb0, 0x10), s / 24));
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(s / 2, s * 0.40);
        p.rotate(-90 + (i - 2) * 40);
        p.drawLine(QPointF(s * 0.34, 0), QPointF(s * 0.46, 0));
        p.restore();
    }
    QRadialGradient glass(QPointF(s * 0.44, s * 0.34), s * 0.30);
    glass.setColorAt(0, QColor(0xff, 0xfb, 0xd0));
    glass.setColorAt(1, QColor(0xff, 0xd8, 0x30));
    p.setBrush(glass);
    p.setPen(QPen(QColor(0x90, 0x70, 0x00), s / 32));
    p.drawEllipse(QPointF(s / 2, s * 0.40), s * 0.24, s * 0.24);
    p.setBrush(QColor(0xa0, 0xa0, 0xa8));
    p.setPen(QPen(QColor(0x50, 0x50, 0x58), s / 40));
    p.drawRect(QRectF(s * 0.40, s * 0.64, s * 0.20, s * 0.16));
    p.drawLine(QPointF(s * 0.40, s * 0.69), QPointF(s * 0.60, s * 0.69));
    p.drawLine(QPointF(s * 0.40, s * 0.74), QPointF(s * 0.60, s * 0.74));
    return pixmap;
}

} // namespace

TipOfDay::TipOfDay(const QString& fileName, const QString& heading, const QString& boxName,
                   const QString& boxCaption, bool topMost)
    : m_fileName(fileName)
    , m_topMost(topMost)
{
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setTwipsSize(5790, 3660);
    setFixedSize(size());

    tipPanel = new QFrame(this);
    tipPanel->setObjectName(QStringLiteral("Picture1"));
    tipPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    tipPanel->setAutoFillBackground(true);
    QPalette white = tipPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    tipPanel->setPalette(white);
    qv::place(tipPanel, 120, 120, 3960, 2850);

    bulb = new QLabel(tipPanel);
    bulb->setObjectName(QStringLiteral("Image1"));
    qv::place(bulb, 120, 120, 720, 720);
    bulb->setPixmap(bulbPicture(bulb->width()));

    headingLabel = new QLabel(heading, tipPanel);
    headingLabel->setObjectName(QStringLiteral("Label1"));
    headingLabel->setTextFormat(Qt::PlainText);
    QFont headingFont = headingLabel->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.15);
    headingLabel->setFont(headingFont);
    headingLabel->setWordWrap(true);
    headingLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    qv::place(headingLabel, 960, 180, 2880, 600);

    tipText = new QLabel(tipPanel);
    tipText->setObjectName(QStringLiteral("lblTipText"));
    tipText->setTextFormat(Qt::PlainText);
    tipText->setWordWrap(true);
    tipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    qv::place(tipText, 960, 900, 2880, 1860);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setDefault(true);
    qv::place(okButton, 4260, 120, 1320, 420);

    nextTipButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    nextTipButton->setObjectName(QStringLiteral("cmdNextTip"));
    qv::place(nextTipButton, 4260, 660, 1320, 420);

    m_startupBox = new QCheckBox(boxCaption, this);
    m_startupBox->setObjectName(boxName);
    qv::place(m_startupBox, 120, 3090, 3960, 375);

    onClick(nextTipButton, [this] { showNextTip(); });
    onClick(okButton, [this] { dismiss(); });
    // Only the user's click stores the setting, not the tick set at load.
    connect(m_startupBox, &QCheckBox::clicked, this, [this] { guard([this] { storeStartupChoice(); }); });
}

void TipOfDay::formLoad()
{
    if (m_topMost)
        makeTopMost(this);
    if (!tipsWanted()) {
        unload();
        return;
    }
    m_startupBox->setChecked(true);
    if (!loadTips(QDir(qv::ProgramFolder::path()).filePath(m_fileName))) {
        tipText->setText(QStringLiteral("That the ") + m_fileName + QStringLiteral(" file was not found? ")
                         + QStringLiteral("\r\n\r\n") + QStringLiteral("Create a text file named ") + m_fileName
                         + QStringLiteral(" using NotePad with 1 tip per line. ")
                         + QStringLiteral("Then place it in the same directory as the application. "));
    }
}

bool TipOfDay::loadTips(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_tips += linesOf(decodeText(file.readAll()));
    file.close();
    advanceTip();
    return true;
}

void TipOfDay::advanceTip()
{
    ++m_currentTip;
    if (m_currentTip > m_tips.size())
        m_currentTip = 1;
    displayCurrentTip();
}

void TipOfDay::displayCurrentTip()
{
    if (!m_tips.isEmpty())
        tipText->setText(m_tips.at(m_currentTip - 1));
}

void TipOfDay::showNextTip()
{
    advanceTip();
}

void TipOfDay::dismiss()
{
    unload();
}

void TipOfDay::storeStartupChoice()
{
    storeSetting(m_startupBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

ProgramTips::ProgramTips()
    : TipOfDay(QStringLiteral("TIPOFDAY.TXT"), QStringLiteral("Did you know..."),
               QStringLiteral("chkLoadTipsAtStartup"), QStringLiteral("&Show Tips at Startup"), true)
{
}

AppointmentBookTips::AppointmentBookTips()
    : TipOfDay(QStringLiteral("TIPOFDAY1.TXT"), QStringLiteral("Quick tips for appointment screen..."),
               QStringLiteral("chkLoadTipsAtStartup1"), QStringLiteral("Show Tips at startup"), false)
{
}
