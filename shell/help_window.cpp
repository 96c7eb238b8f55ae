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

QV_REGISTER_WINDOW_AS(HelpWindow, "Frmhelp");

namespace {

// The program names files with "\" between folders.
QString localFile(const QString& programPath)
{
    QString path = programPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(path);
}

} // namespace

HelpWindow::HelpWindow()
{
    setWindowTitle(QStringLiteral("Help File"));
    setTwipsSize(8400, 6600);

    titleStrip = new QLabel(QStringLiteral("Help File"), this);
    titleStrip->setObjectName(QStringLiteral("Label1"));
    titleStrip->setAutoFillBackground(true);
    titleStrip->setStyleSheet(
        QStringLiteral("QLabel { background: #1c3f78; color: white; font-weight: bold; padding-left: 6px; }"));
    titleStrip->setToolTip(QString());
    qv::place(titleStrip, 0, 0, 8400, 420);
    titleStrip->installEventFilter(this);

    closeButton = new QPushButton(QStringLiteral("X"), this);
    closeButton->setObjectName(QStringLiteral("Command2"));
    qv::place(closeButton, 7920, 45, 420, 330);

    helpText = new qv::RichTextBox(this);
    helpText->setObjectName(QStringLiteral("RichTextBox1"));
    qv::place(helpText, 120, 540, 8160, 5340);

    printButton = new QPushButton(QStringLiteral("Print"), this);
    printButton->setObjectName(QStringLiteral("Command1"));
    qv::place(printButton, 120, 6000, 1200, 420);

    onClick(printButton, [this] { printHelp(); });
    onClick(closeButton, [this] { closeHelp(); });
}

void HelpWindow::formLoad()
{
    // The help text belongs to the installation; without it the window
    // opens empty and says which file it looked for.
    const QString file = localFile(programFolder() + QStringLiteral("\\Index.rtf"));
    if (!helpText->loadFile(file))
        qv::ui().msgBox(QStringLiteral("The help text %1 cannot be read.").arg(QDir::toNativeSeparators(file)));
}

void HelpWindow::printHelp()
{
    qv::Printer& p = qv::printer();
    bool chosen = false;
    passOver([&] { chosen = qv::choosePrinter(); });
    passOver([&] { p.setPrintQuality(qv::PrintQuality::High); });
    if (chosen) {
        passOver([&] { p.print(); });
        passOver([&] { printRichText(*helpText, 1000, 1000, 0, 0); });
    }
    passOver([&] { p.endDoc(); });
}

void HelpWindow::closeHelp()
{
    unload();
}

void HelpWindow::startDrag(int x, int y)
{
    m_dragging = true;
    m_dragX = x;
    m_dragY = y;
}

void HelpWindow::dragTo(int x, int y)
{
    if (!m_dragging)
        return;
    const int left = qv::twips(pos().x()) + x - m_dragX;
    const int top = qv::twips(pos().y()) + y - m_dragY;
    move(qv::px(left), qv::px(top));
}

void HelpWindow::endDrag()
{
    m_dragging = false;
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == titleStrip) {
        const auto twipsAt = [](const QEvent* ev, bool horizontal) {
            const QPointF at = static_cast<const QMouseEvent*>(ev)->position();
            return int(std::lround((horizontal ? at.x() : at.y()) * qv::kTwipsPerPixel));
        };
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            guard([&] { startDrag(twipsAt(e, true), twipsAt(e, false)); });
            return true;
        case QEvent::MouseMove:
            guard([&] { dragTo(twipsAt(e, true), twipsAt(e, false)); });
            return true;
        case QEvent::MouseButtonRelease:
            guard([&] { endDrag(); });
            return true;
        default:
            break;
        }
    }
    return qv::Window::eventFilter(watched, e);
}
