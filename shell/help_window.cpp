#include "shell/help_window.h"

#include "common/connections.h"
#include "common/pass_over.h"
#include "common/rich_text_print.h"
#include "platform/print/printer.h"
#include "platform/print/rich_text_box.h"
#include "platform/services/services.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <cmath>

QV_REGISTER_WINDOW(Frmhelp);

namespace {

// The program names files with "\" between folders.
QString localFile(const QString& programPath)
{
    QString path = programPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(path);
}

} // namespace

Frmhelp::Frmhelp()
{
    setObjectName(QStringLiteral("Frmhelp"));
    setWindowTitle(QStringLiteral("Help File"));
    setTwipsSize(8400, 6600);

    Label1 = new QLabel(QStringLiteral("Help File"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAutoFillBackground(true);
    Label1->setStyleSheet(QStringLiteral("QLabel { background: #1c3f78; color: white; font-weight: bold; padding-left: 6px; }"));
    Label1->setToolTip(QString());
    qv::place(Label1, 0, 0, 8400, 420);
    Label1->installEventFilter(this);

    Command2 = new QPushButton(QStringLiteral("X"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    qv::place(Command2, 7920, 45, 420, 330);

    RichTextBox1 = new qv::RichTextBox(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    qv::place(RichTextBox1, 120, 540, 8160, 5340);

    Command1 = new QPushButton(QStringLiteral("Print"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    qv::place(Command1, 120, 6000, 1200, 420);

    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command2, [this] { Command2_Click(); });
}

void Frmhelp::formLoad()
{
    // The help text belongs to the installation; without it the window
    // opens empty and says which file it looked for.
    const QString file = localFile(programFolder() + QStringLiteral("\\Index.rtf"));
    if (!RichTextBox1->loadFile(file))
        qv::ui().msgBox(QStringLiteral("The help text %1 cannot be read.").arg(QDir::toNativeSeparators(file)));
}

void Frmhelp::Command1_Click()
{
    qv::Printer& p = qv::printer();
    bool chosen = false;
    passOver([&] { chosen = qv::choosePrinter(); });
    passOver([&] { p.setPrintQuality(qv::PrintQuality::High); });
    if (chosen) {
        passOver([&] { p.print(); });
        passOver([&] { PrintRTF(*RichTextBox1, 1000, 1000, 0, 0); });
    }
    passOver([&] { p.endDoc(); });
}

void Frmhelp::Command2_Click()
{
    unload();
}

void Frmhelp::Label1_MouseDown(int x, int y)
{
    m_dragging = true;
    m_dragX = x;
    m_dragY = y;
}

void Frmhelp::Label1_MouseMove(int x, int y)
{
    if (!m_dragging)
        return;
    const int left = qv::twips(pos().x()) + x - m_dragX;
    const int top = qv::twips(pos().y()) + y - m_dragY;
    move(qv::px(left), qv::px(top));
}

void Frmhelp::Label1_MouseUp()
{
    m_dragging = false;
}

bool Frmhelp::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == Label1) {
        const auto twipsAt = [](const QEvent* ev, bool horizontal) {
            const QPointF at = static_cast<const QMouseEvent*>(ev)->position();
            return int(std::lround((horizontal ? at.x() : at.y()) * qv::kTwipsPerPixel));
        };
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            guard([&] { Label1_MouseDown(twipsAt(e, true), twipsAt(e, false)); });
            return true;
        case QEvent::MouseMove:
            guard([&] { Label1_MouseMove(twipsAt(e, true), twipsAt(e, false)); });
            return true;
        case QEvent::MouseButtonRelease:
            guard([&] { Label1_MouseUp(); });
            return true;
        default:
            break;
        }
    }
    return qv::Window::eventFilter(watched, e);
}
