#include "platform/report/report_preview.h"
#include "platform/services/services.h"
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace qv {

namespace {
ReportPreview* g_current = nullptr;

// Room the window's frame takes around it (title bar and borders) while the
// windowing system has not said yet how much it is.
const QSize kFrameAllowance(16, 40);
// Room beside the page: the scroll bar and the margins of the layout.
constexpr int kPageChrome = 60;
// The page's height as the preview would like to show it, in pixels.
constexpr int kWantedHeight = 760;

QRect availableArea(const QWidget* w)
{
    if (const QScreen* s = w->screen())
        return s->availableGeometry();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        return s->availableGeometry();
    return QRect(0, 0, 800, 600);
}
} // namespace

ReportPreview::ReportPreview(Report& report, ReportDocument document, QWidget* parent)
    : QDialog(parent), m_report(report), m_document(std::move(document)), m_outer(g_current)
{
    g_current = this;
    setModal(true);
    setWindowTitle(m_document.title);
    setObjectName(QStringLiteral("ReportPreview"));

    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new QLabel;
    m_view->setAlignment(Qt::AlignCenter);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);

    cmdFirst = new QPushButton(QStringLiteral("|<"), this);
    cmdPrevious = new QPushButton(QStringLiteral("<"), this);
    lblPage = new QLabel(this);
    cmdNext = new QPushButton(QStringLiteral(">"), this);
    cmdLast = new QPushButton(QStringLiteral(">|"), this);
    cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdFirst->setToolTip(QStringLiteral("First page"));
    cmdPrevious->setToolTip(QStringLiteral("Previous page"));
    cmdNext->setToolTip(QStringLiteral("Next page"));
    cmdLast->setToolTip(QStringLiteral("Last page"));
    for (QPushButton* b : {cmdFirst, cmdPrevious, cmdNext, cmdLast})
        b->setFixedWidth(36);
    cmdPrint->setAutoDefault(false);
    cmdClose->setAutoDefault(false);
    // The user may make the preview larger or smaller; the page scrolls inside.
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(cmdPrint);
    bar->addSpacing(16);
    bar->addWidget(cmdFirst);
    bar->addWidget(cmdPrevious);
    bar->addWidget(lblPage);
    bar->addWidget(cmdNext);
    bar->addWidget(cmdLast);
    bar->addStretch();
    bar->addWidget(cmdClose);
    auto* box = new QVBoxLayout(this);
    box->addLayout(bar);
    box->addWidget(m_scroll, 1);

    connect(cmdFirst, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(cmdLast, &QPushButton::clicked, this, [this] { showPage(m_document.pageCount() - 1); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        // A failed print has shown its message; the preview stays usable.
        // The print dialog and its refusals belong to the preview, though
        // the window whose handler opened the preview is still running.
        const DialogOwnerScope owner(this);
        m_report.printWithDialog(m_document);
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    // The page is drawn at screen size, or smaller where the screen is too
    // narrow for the whole width of it.
    const QRect area = availableArea(this);
    const double pageWidthInches = m_document.pageSize.width() / 1440.0;
    const double roomForPage = area.width() - kFrameAllowance.width() - kPageChrome;
    m_dpi = pageWidthInches > 0 ? std::clamp(roomForPage / pageWidthInches, 24.0, 96.0) : 96.0;
    m_wanted = QSize(int(pageWidthInches * m_dpi) + kPageChrome, kWantedHeight);
    fitToScreen();
    showPage(0);
}

void ReportPreview::fitToScreen()
{
    // The whole window, frame included, stays within the screen's free area
    // (the task bar and panels left out), so Close and the scroll bars can be
    // reached on the smallest screen.
    const QRect area = availableArea(this);
    QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 && frame.height() <= 0)
        frame = kFrameAllowance;
    const QSize room = (area.size() - frame).expandedTo(QSize(1, 1));
    resize(m_wanted.boundedTo(room));
    if (!isVisible())
        return;   // the dialog centres itself when it is shown
    const QRect outer = frameGeometry();
    const int x = std::clamp(outer.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(outer.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    if (x != outer.x() || y != outer.y())
        move(x, y);
}

ReportPreview::~ReportPreview()
{
    if (g_current == this)
        g_current = m_outer;
}

ReportPreview* ReportPreview::current()
{
    return g_current;
}

QImage ReportPreview::pageImage() const
{
    return reportPageImage(m_document, m_page, m_dpi);
}

void ReportPreview::showPage(int page)
{
    const int count = m_document.pageCount();
    m_page = std::clamp(page, 0, std::max(0, count - 1));
    m_view->setPixmap(QPixmap::fromImage(pageImage()));
    m_view->adjustSize();
    lblPage->setText(QStringLiteral("Page %1 of %2").arg(count ? m_page + 1 : 0).arg(count));
    cmdFirst->setEnabled(m_page > 0);
    cmdPrevious->setEnabled(m_page > 0);
    cmdNext->setEnabled(m_page + 1 < count);
    cmdLast->setEnabled(m_page + 1 < count);
}

void ReportPreview::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!m_activated) {
        m_activated = true;
        fitToScreen();
        if (m_report.onActivate)
            m_report.onActivate();
    }
}

void ReportPreview::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_PageDown: showPage(m_page + 1); return;
    case Qt::Key_PageUp: showPage(m_page - 1); return;
    case Qt::Key_Home:
        if (e->modifiers() & Qt::ControlModifier) { showPage(0); return; }
        break;
    case Qt::Key_End:
        if (e->modifiers() & Qt::ControlModifier) { showPage(m_document.pageCount() - 1); return; }
        break;
    default: break;
    }
    QDialog::keyPressEvent(e);
}

} // namespace qv
