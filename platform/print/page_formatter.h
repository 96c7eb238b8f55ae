#pragma once
// Puts a rich text on printer pages one rectangle at a time: the text is laid
// out on the printer's device at the rectangle's width, and each call draws
// the whole lines that fit from a given character on.
#include <QRectF>
#include <memory>

class QPaintDevice;
class QTextDocument;

namespace qv {

class Printer;

class PageFormatter {
public:
    // Works on a copy: later changes to the source are not seen.
    explicit PageFormatter(const QTextDocument& source);
    ~PageFormatter();

    // Characters of the plain text.
    int length() const;

    // Draws (when `render` is set) the lines from the one holding `firstChar`
    // on that fit whole into `rect` (twips in the printable area), and returns
    // the first character of the first line that did not fit: the length when
    // all did, `firstChar` when not even one did. Opens the printer's job.
    int formatRange(Printer& printer, const QRectF& rect, int firstChar, bool render = true);

private:
    void layOut(QPaintDevice* device, double width);
    std::unique_ptr<QTextDocument> m_doc;
    QPaintDevice* m_device = nullptr;
    double m_width = -1;
};

} // namespace qv
