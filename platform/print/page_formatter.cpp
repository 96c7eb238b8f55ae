#include "platform/print/page_formatter.h"
#include "platform/print/printer.h"
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace qv {

PageFormatter::PageFormatter(const QTextDocument& source)
    : m_doc(source.clone())
{
    m_doc->setDefaultFont(source.defaultFont());
    m_doc->setDefaultTextOption(source.defaultTextOption());
    // The rectangle is the text's room; no frame around it.
    m_doc->setDocumentMargin(0);
}

PageFormatter::~PageFormatter() = default;

int PageFormatter::length() const
{
    return m_doc->characterCount() - 1;
}

void PageFormatter::layOut(QPaintDevice* device, double width)
{
    if (device == m_device && width == m_width)
        return;
    m_device = device;
    m_width = width;
    m_doc->documentLayout()->setPaintDevice(device);
    m_doc->setTextWidth(width);
    (void)m_doc->documentLayout()->documentSize();   // lays every block out now
}

int PageFormatter::formatRange(Printer& printer, const QRectF& rect, int firstChar, bool render)
{
    const int len = length();
    if (firstChar >= len)
        return len;
    if (firstChar < 0)
        firstChar = 0;
    if (!(rect.width() > 0) || !(rect.height() > 0))
        return firstChar;

    PrintDevice& device = printer.device();
    const double upt = device.unitsPerTwip();
    layOut(device.measureDevice(), rect.width() * upt);
    const double room = rect.height() * upt;

    QTextBlock block = m_doc->findBlock(firstChar);
    int lineIndex = 0;
    if (QTextLayout* layout = block.layout()) {
        const QTextLine line = layout->lineForTextPosition(firstChar - block.position());
        if (line.isValid())
            lineIndex = line.lineNumber();
    }

    bool started = false, any = false;
    double top0 = 0, bottom = 0;
    int next = len;
    for (; block.isValid() && next == len; block = block.next(), lineIndex = 0) {
        const QTextLayout* layout = block.layout();
        if (!layout)
            continue;
        const double blockTop = layout->position().y();
        for (int i = lineIndex; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double top = blockTop + line.y();
            if (!started) {
                started = true;
                top0 = top;
            }
            const double lineBottom = top + line.height();
            if (lineBottom - top0 > room + 1e-6) {
                next = block.position() + line.textStart();
                break;
            }
            bottom = lineBottom;
            any = true;
        }
    }
    if (!any)
        return firstChar;
    if (render) {
        printer.ensureJob();
        device.drawDocument(*m_doc, top0, bottom, rect.topLeft());
    }
    return std::max(next, firstChar + 1);
}

} // namespace qv
