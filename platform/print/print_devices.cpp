#include "platform/print/print_devices.h"
#include "platform/values/error.h"
#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <map>

namespace qv {

namespace {

QString printerErrorText() { return QStringLiteral("Printer error"); }

// Texts whose tops lie this close (twips) share a line.
constexpr double kSameLine = 0.5;

PrintedText printedText(double x, double y, const QString& text, const QFont& font)
{
    PrintedText t;
    t.x = x;
    t.y = y;
    t.text = text;
    t.fontName = font.family();
    t.size = font.pointSizeF();
    t.bold = font.bold();
    t.italic = font.italic();
    t.underline = font.underline();
    t.strikeOut = font.strikeOut();
    return t;
}

bool leftOf(const PrintedText& a, const PrintedText& b)
{
    return a.x < b.x;
}

// A line of a laid-out document is this page's when it lies whole between
// fromY and toY (document units), as the page formatter cut it.
bool lineInBand(qreal top, qreal bottom, qreal fromY, qreal toY)
{
    return top >= fromY - 0.01 && bottom <= toY + 0.01;
}

// How a page's band of a laid-out document is drawn. The document's layout
// draws every line that touches its clip, and within a paragraph also the
// line just above the clip; a PDF keeps the text of every line drawn, even
// where the painter's clip hides it, so the lines of the page before or
// after would go into this page's text layer. A paragraph that began on the
// page before is therefore drawn line by line, and the layout draws the rest
// under a clip that starts just below the bottom of every line before the
// band (or drawn line by line) and ends just above the tops of the lines after it.
struct BandPlan {
    QList<QPair<QTextLayout*, int>> lineByLine;   // layout, line number
    QRectF layoutClip;                            // empty: the layout draws nothing
};

BandPlan planBand(const QTextDocument& laidOut, qreal fromY, qreal toY)
{
    constexpr qreal hair = 0.5;   // device units: far less than any line
    BandPlan plan;
    qreal before = -1e9, after = 1e9;
    bool anyForLayout = false;
    for (QTextBlock block = laidOut.begin(); block.isValid(); block = block.next()) {
        QTextLayout* layout = block.layout();
        if (!layout)
            continue;
        const qreal origin = layout->position().y();
        bool begunBefore = false;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = origin + line.y();
            const qreal bottom = top + line.height();
            if (!lineInBand(top, bottom, fromY, toY)) {
                if (top < fromY) {
                    before = std::max(before, bottom);
                    begunBefore = true;
                } else {
                    after = std::min(after, top);
                }
            } else if (begunBefore) {
                plan.lineByLine.append({layout, i});
                before = std::max(before, bottom);
            } else {
                anyForLayout = true;
            }
        }
    }
    const qreal clipTop = std::max(fromY, before) + hair;
    const qreal clipBottom = std::min(toY, after) - hair;
    if (anyForLayout && clipBottom > clipTop)
        plan.layoutClip = QRectF(-1e7, clipTop, 2e7, clipBottom - clipTop);
    return plan;
}

} // namespace

// ---------------------------------------------------------------- system

SystemPrintDevice::SystemPrintDevice(QPrinter* printer)
    : m_printer(printer)
{
}

SystemPrintDevice::~SystemPrintDevice()
{
    if (m_painter && m_painter->isActive()) {
        // A job left open when the device is replaced goes nowhere.
        m_printer->abort();
        m_painter->end();
    }
}

QSizeF SystemPrintDevice::paperSize() const
{
    return m_printer->paperRect(QPrinter::Inch).size() * kTwipsPerInch;
}

QRectF SystemPrintDevice::printableRect() const
{
    const QRectF r = m_printer->pageRect(QPrinter::Inch);
    return QRectF(r.topLeft() * kTwipsPerInch, r.size() * kTwipsPerInch);
}

QPaintDevice* SystemPrintDevice::measureDevice()
{
    return m_printer;
}

void SystemPrintDevice::beginJob(const QString& name, int printQuality)
{
    (void)printQuality;   // the resolution is fixed when the printer is made
    m_printer->setDocName(name);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer)) {
        m_painter.reset();
        throw Error(printerErrorText(), kPrinterErrorNumber);
    }
    m_painter->setRenderHint(QPainter::Antialiasing);
    m_painter->setRenderHint(QPainter::TextAntialiasing);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform);
}

void SystemPrintDevice::newPage()
{
    if (!m_painter || !m_printer->newPage())
        throw Error(printerErrorText(), kPrinterErrorNumber);
}

void SystemPrintDevice::endJob()
{
    if (!m_painter)
        return;
    const bool ok = m_painter->end();
    m_painter.reset();
    if (!ok)
        throw Error(printerErrorText(), kPrinterErrorNumber);
}

QPointF SystemPrintDevice::toDevice(const QPointF& twipsPoint)
{
    return twipsPoint * unitsPerTwip();
}

void SystemPrintDevice::drawText(const QPointF& topLeft, const QString& text, const QFont& font)
{
    if (!m_painter)
        throw Error(printerErrorText(), kPrinterErrorNumber);
    m_painter->setFont(font);
    m_painter->setPen(Qt::black);
    const QFontMetricsF fm(font, m_printer);
    m_painter->drawText(toDevice(topLeft) + QPointF(0, fm.ascent()), text);
}

void SystemPrintDevice::drawPicture(const QImage& picture, const QRectF& target)
{
    if (!m_painter)
        throw Error(printerErrorText(), kPrinterErrorNumber);
    const double upt = unitsPerTwip();
    m_painter->drawImage(QRectF(target.topLeft() * upt, target.size() * upt), picture);
}

void SystemPrintDevice::drawDocument(const QTextDocument& laidOut, qreal fromY, qreal toY, const QPointF& at)
{
    if (!m_painter)
        throw Error(printerErrorText(), kPrinterErrorNumber);
    m_painter->save();
    m_painter->translate(toDevice(at) - QPointF(0, fromY));
    // Only the lines of this page: the band from fromY to toY, any width.
    m_painter->setClipRect(QRectF(-1e7, fromY, 2e7, toY - fromY));
    const BandPlan plan = planBand(laidOut, fromY, toY);
    m_painter->setPen(Qt::black);
    for (const auto& [layout, i] : plan.lineByLine)
        layout->lineAt(i).draw(m_painter.get(), layout->position());
    if (!plan.layoutClip.isEmpty()) {
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = plan.layoutClip;
        context.palette.setColor(QPalette::Text, Qt::black);
        laidOut.documentLayout()->draw(m_painter.get(), context);
    }
    m_painter->restore();
}

// ---------------------------------------------------------------- recording

QStringList PrintedPage::lines() const
{
    std::map<long long, QList<PrintedText>> rows;
    for (const PrintedText& t : texts) {
        if (t.text.trimmed().isEmpty())
            continue;   // blanks leave nothing on paper
        rows[std::llround(t.y / kSameLine)].append(t);
    }
    QStringList result;
    for (auto& [key, items] : rows) {
        std::stable_sort(items.begin(), items.end(), leftOf);
        QString line;
        for (const PrintedText& t : items)
            line += t.text;
        result.append(line);
    }
    return result;
}

QList<PrintedText> PrintedPage::lineAt(double y) const
{
    QList<PrintedText> items;
    for (const PrintedText& t : texts)
        if (std::abs(t.y - y) < kSameLine)
            items.append(t);
    std::stable_sort(items.begin(), items.end(), leftOf);
    return items;
}

RecordingPrintDevice::RecordingPrintDevice(const QSizeF& paper, const QPointF& physicalOffset)
    : m_paper(paper)
    , m_offset(physicalOffset)
    , m_measure(1, 1, QImage::Format_ARGB32)
{
    // One device unit to the twip.
    const int dotsPerMeter = qRound(kTwipsPerInch / 0.0254);
    m_measure.setDotsPerMeterX(dotsPerMeter);
    m_measure.setDotsPerMeterY(dotsPerMeter);
}

RecordingPrintDevice::~RecordingPrintDevice() = default;

QRectF RecordingPrintDevice::printableRect() const
{
    return QRectF(m_offset, m_paper - 2 * QSizeF(m_offset.x(), m_offset.y()));
}

QPaintDevice* RecordingPrintDevice::measureDevice()
{
    return &m_measure;
}

void RecordingPrintDevice::beginJob(const QString& name, int printQuality)
{
    if (m_failing)
        throw Error(printerErrorText(), kPrinterErrorNumber);
    m_job = PrintedJob();
    m_job.name = name;
    m_job.printQuality = printQuality;
    m_job.pages.append(PrintedPage());
    m_open = true;
}

void RecordingPrintDevice::newPage()
{
    if (!m_open)
        throw Error(printerErrorText(), kPrinterErrorNumber);
    m_job.pages.append(PrintedPage());
}

void RecordingPrintDevice::endJob()
{
    if (!m_open)
        return;
    m_open = false;
    m_jobs.append(m_job);
    m_job = PrintedJob();
}

PrintedPage& RecordingPrintDevice::currentPage()
{
    if (!m_open)
        throw Error(printerErrorText(), kPrinterErrorNumber);
    return m_job.pages.last();
}

void RecordingPrintDevice::drawText(const QPointF& topLeft, const QString& text, const QFont& font)
{
    currentPage().texts.append(printedText(topLeft.x(), topLeft.y(), text, font));
}

void RecordingPrintDevice::drawPicture(const QImage& picture, const QRectF& target)
{
    currentPage().pictures.append(PrintedPicture{target, picture.size()});
}

void RecordingPrintDevice::drawDocument(const QTextDocument& laidOut, qreal fromY, qreal toY, const QPointF& at)
{
    PrintedPage& page = currentPage();
    const double upt = unitsPerTwip();
    const QFont base = laidOut.defaultFont();
    for (QTextBlock block = laidOut.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (!layout)
            continue;
        const QPointF origin = layout->position();
        const QString blockText = block.text();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = origin.y() + line.y();
            if (!lineInBand(top, top + line.height(), fromY, toY))
                continue;
            const int lineStart = line.textStart();
            const int lineEnd = lineStart + line.textLength();
            QList<PrintedText> pieces;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int fStart = fragment.position() - block.position();
                const int from = std::max(fStart, lineStart);
                const int to = std::min(fStart + fragment.length(), lineEnd);
                if (from >= to)
                    continue;
                QString text = blockText.mid(from, to - from);
                text.remove(QChar::LineSeparator);
                if (text.isEmpty())
                    continue;
                const QTextCharFormat format = fragment.charFormat();
                const QFont font = format.font().resolve(base);
                PrintedText t = printedText(at.x() + (origin.x() + line.cursorToX(from)) / upt,
                                            at.y() + (top - fromY) / upt, text, font);
                if (format.foreground().style() != Qt::NoBrush)
                    t.color = format.foreground().color();
                pieces.append(t);
            }
            // Blanks at the end of a line are where it wrapped, not print.
            while (!pieces.isEmpty()) {
                QString& last = pieces.last().text;
                while (!last.isEmpty() && last.back().isSpace())
                    last.chop(1);
                if (!last.isEmpty())
                    break;
                pieces.removeLast();
            }
            page.texts.append(pieces);
        }
    }
}

QList<PrintedPage> RecordingPrintDevice::pages() const
{
    QList<PrintedPage> all;
    for (const PrintedJob& job : m_jobs)
        all.append(job.pages);
    return all;
}

// ---------------------------------------------------------------- scope

ScopedPrintRecording::ScopedPrintRecording()
    : m_device(&printer().useRecording())
{
}

ScopedPrintRecording::~ScopedPrintRecording()
{
    printer().useSystemPrinter();
}

} // namespace qv
