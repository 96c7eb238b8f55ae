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

QV_REGISTER_WINDOW(frmTip);
QV_REGISTER_WINDOW(frmTip1);

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

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setAutoFillBackground(true);
    QPalette white = Picture1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Picture1->setPalette(white);
    qv::place(Picture1, 120, 120, 3960, 2850);

    Image1 = new QLabel(Picture1);
    Image1->setObjectName(QStringLiteral("Image1"));
    qv::place(Image1, 120, 120, 720, 720);
    Image1->setPixmap(bulbPicture(Image1->width()));

    Label1 = new QLabel(heading, Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    QFont headingFont = Label1->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.15);
    Label1->setFont(headingFont);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    qv::place(Label1, 960, 180, 2880, 600);

    lblTipText = new QLabel(Picture1);
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setTextFormat(Qt::PlainText);
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    qv::place(lblTipText, 960, 900, 2880, 1860);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    qv::place(cmdOK, 4260, 120, 1320, 420);

    cmdNextTip = new QPushButton(QStringLiteral("&Next Tip"), this);
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    qv::place(cmdNextTip, 4260, 660, 1320, 420);

    m_startupBox = new QCheckBox(boxCaption, this);
    m_startupBox->setObjectName(boxName);
    qv::place(m_startupBox, 120, 3090, 3960, 375);

    onClick(cmdNextTip, [this] { cmdNextTip_Click(); });
    onClick(cmdOK, [this] { cmdOK_Click(); });
    // Only the user's click stores the setting, not the tick set at load.
    connect(m_startupBox, &QCheckBox::clicked, this, [this] { guard([this] { chkLoadTipsAtStartup_Click(); }); });
}

void TipOfDay::formLoad()
{
    if (m_topMost)
        MakeTopMost(this);
    if (!tipsWanted()) {
        unload();
        return;
    }
    m_startupBox->setChecked(true);
    if (!LoadTips(QDir(qv::ProgramFolder::path()).filePath(m_fileName))) {
        lblTipText->setText(QStringLiteral("That the ") + m_fileName + QStringLiteral(" file was not found? ")
                            + QStringLiteral("\r\n\r\n") + QStringLiteral("Create a text file named ") + m_fileName
                            + QStringLiteral(" using NotePad with 1 tip per line. ")
                            + QStringLiteral("Then place it in the same directory as the application. "));
    }
}

bool TipOfDay::LoadTips(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_tips += linesOf(decodeText(file.readAll()));
    file.close();
    DoNextTip();
    return true;
}

void TipOfDay::DoNextTip()
{
    ++m_currentTip;
    if (m_currentTip > m_tips.size())
        m_currentTip = 1;
    DisplayCurrentTip();
}

void TipOfDay::DisplayCurrentTip()
{
    if (!m_tips.isEmpty())
        lblTipText->setText(m_tips.at(m_currentTip - 1));
}

void TipOfDay::cmdNextTip_Click()
{
    DoNextTip();
}

void TipOfDay::cmdOK_Click()
{
    unload();
}

void TipOfDay::chkLoadTipsAtStartup_Click()
{
    storeSetting(m_startupBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

frmTip::frmTip()
    : TipOfDay(QStringLiteral("TIPOFDAY.TXT"), QStringLiteral("Did you know..."),
               QStringLiteral("chkLoadTipsAtStartup"), QStringLiteral("&Show Tips at Startup"), true)
{
    setObjectName(QStringLiteral("frmTip"));
}

frmTip1::frmTip1()
    : TipOfDay(QStringLiteral("TIPOFDAY1.TXT"), QStringLiteral("Quick tips for appointment screen..."),
               QStringLiteral("chkLoadTipsAtStartup1"), QStringLiteral("Show Tips at startup"), false)
{
    setObjectName(QStringLiteral("frmTip1"));
}
