#include "platform/report/report_preview.h"
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace qv {

namespace {
ReportPreview* g_current = nullptr;
}

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
        m_report.printWithDialog(m_document);
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    const double pageWidthInches = m_document.pageSize.width() / 1440.0;
    m_dpi = pageWidthInches > 0 ? std::min(96.0, 820.0 / pageWidthInches) : 96.0;
    resize(int(pageWidthInches * m_dpi) + 60, 760);
    showPage(0);
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
