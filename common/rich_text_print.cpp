#include "common/rich_text_print.h"
#include "platform/print/page_formatter.h"
#include "platform/print/printer.h"
#include "platform/print/rich_text_box.h"
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// formatRange(rect, first) draws what fits from `first` on and returns the
// first character left over.
void printPages(int length, const std::function<int(const QRectF&, int)>& formatRange,
                int leftMargin, int topMargin, int rightMargin, int bottomMargin)
{
    qv::Printer& p = qv::printer();
    // A blank opens the job, or goes on with the one the caller began.
    p.print({" "}, false);

    // Margins count from the sheet's edges, drawing from the printable area's corner.
    const double offsetX = std::round(p.physicalOffsetX());
    const double offsetY = std::round(p.physicalOffsetY());
    // Left and top are taken as given, even inside the unprintable strip; the
    // right and bottom stop at the printable area, where the page ends for
    // the device: lines laid out beyond it would be lost.
    const double right = std::min((p.pageWidth() - rightMargin) - offsetX, std::round(p.scaleWidth()));
    const double bottom = std::min((p.pageHeight() - bottomMargin) - offsetY, std::round(p.scaleHeight()));
    const auto pageRect = [&](double top) {
        return QRectF(QPointF(leftMargin - offsetX, top - offsetY), QPointF(right, bottom));
    };
    // A caller's lines that reach further down (a long comment on a card)
    // push the content down on this page.
    const double belowLines = std::ceil(p.currentY() + offsetY);
    bool wholePage = belowLines <= topMargin;
    QRectF rect = pageRect(std::max<double>(topMargin, belowLines));

    int first = 0;
    for (;;) {
        const int next = formatRange(rect, first);
        if (next >= length)
            break;
        // Not one line fits a whole page: no later page could take more.
        if (next <= first && wholePage)
            break;
        p.newPage();
        p.print({" "}, false);
        first = std::max(first, next);
        rect = pageRect(topMargin);
        wholePage = true;
    }
    p.endDoc();
}

} // namespace

void printRichText(qv::RichTextBox& box, int leftMargin, int topMargin, int rightMargin, int bottomMargin)
{
    const int length = box.text().length();
    try {
        printPages(
            length, [&box](const QRectF& rect, int first) { return box.formatRange(rect, first, true); },
            leftMargin, topMargin, rightMargin, bottomMargin);
    } catch (...) {
        box.releaseFormatting();
        throw;
    }
    box.releaseFormatting();
}

void printRichText(const QTextDocument& document, int leftMargin, int topMargin, int rightMargin, int bottomMargin)
{
    qv::PageFormatter formatter(document);
    printPages(
        formatter.length(),
        [&formatter](const QRectF& rect, int first) { return formatter.formatRange(qv::printer(), rect, first, true); },
        leftMargin, topMargin, rightMargin, bottomMargin);
}
