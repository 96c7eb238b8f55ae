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
    QAbstractTextDocumentLayout::PaintContext context;
    // Only the lines of this page: the band from fromY to toY, any width.
    context.clip = QRectF(-1e7, fromY, 2e7, toY - fromY);
    context.palette.setColor(QPalette::Text, Qt::black);
    m_painter->setClipRect(context.clip);
    laidOut.documentLayout()->draw(m_painter.get(), context);
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
            if (top < fromY - 0.01 || top + line.height() > toY + 0.01)
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
