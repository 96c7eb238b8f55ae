#pragma once
// The two page devices behind the printer: the system printer on a QPrinter
// (a real printer or a PDF file, as the printer dialog chose), and a recording
// device that keeps every page, text and picture so that tests can read back
// what was printed.
#include "platform/print/printer.h"
#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;

namespace qv {

// The system printer. It paints on the QPrinter it is given (owned by the
// Printer, filled by the printer dialog).
class SystemPrintDevice : public PrintDevice {
public:
    explicit SystemPrintDevice(QPrinter* printer);
    ~SystemPrintDevice() override;

    QSizeF paperSize() const override;
    QRectF printableRect() const override;
    QPaintDevice* measureDevice() override;
    void beginJob(const QString& name, int printQuality) override;
    void newPage() override;
    void endJob() override;
    void drawText(const QPointF& topLeft, const QString& text, const QFont& font) override;
    void drawPicture(const QImage& picture, const QRectF& target) override;
    void drawDocument(const QTextDocument& laidOut, qreal fromY, qreal toY, const QPointF& at) override;

private:
    QPointF toDevice(const QPointF& twipsPoint);
    QPrinter* m_printer;
    std::unique_ptr<QPainter> m_painter;
};

// One text as it went onto a page: its top-left corner (twips, printable
// area) and the font it was printed in.
struct PrintedText {
    double x = 0, y = 0;
    QString text;
    QString fontName;
    double size = 0;     // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor color;        // invalid: the default (black)
};

struct PrintedPicture {
    QRectF rect;          // twips, printable area
    QSize pixelSize;      // of the picture drawn
};

struct PrintedPage {
    QList<PrintedText> texts;
    QList<PrintedPicture> pictures;
    // The texts of the page by line: items at one height joined left to
    // right, lines from top to bottom.
    QStringList lines() const;
    // The items of the page at one height, left to right.
    QList<PrintedText> lineAt(double y) const;
};

struct PrintedJob {
    QString name;
    int printQuality = 0;
    QList<PrintedPage> pages;
};

// A device that prints into memory. Only ended jobs count as printed. Its
// sheet is Letter (12240 x 15840 twips) unless told otherwise; the printable
// area starts at the given offset and is as large as the sheet less twice it.
class RecordingPrintDevice : public PrintDevice {
public:
    explicit RecordingPrintDevice(const QSizeF& paper = QSizeF(12240, 15840), const QPointF& physicalOffset = QPointF(0, 0));
    ~RecordingPrintDevice() override;

    QSizeF paperSize() const override { return m_paper; }
    QRectF printableRect() const override;
    QPaintDevice* measureDevice() override;
    void beginJob(const QString& name, int printQuality) override;
    void newPage() override;
    void endJob() override;
    void drawText(const QPointF& topLeft, const QString& text, const QFont& font) override;
    void drawPicture(const QImage& picture, const QRectF& target) override;
    void drawDocument(const QTextDocument& laidOut, qreal fromY, qreal toY, const QPointF& at) override;

    // Makes beginJob fail as a missing printer does.
    void setFailing(bool failing) { m_failing = failing; }

    const QList<PrintedJob>& jobs() const { return m_jobs; }
    // Every page of every ended job, in order.
    QList<PrintedPage> pages() const;
    bool jobOpen() const { return m_open; }
    void clear() { m_jobs.clear(); }

private:
    PrintedPage& currentPage();
    QSizeF m_paper;
    QPointF m_offset;
    QImage m_measure;
    QList<PrintedJob> m_jobs;
    PrintedJob m_job;
    bool m_open = false;
    bool m_failing = false;
};

// For tests: the printer records into a fresh device while this lives, and
// prints on the system printer again afterwards.
class ScopedPrintRecording {
public:
    ScopedPrintRecording();
    ~ScopedPrintRecording();
    RecordingPrintDevice& device() { return *m_device; }
    RecordingPrintDevice* operator->() { return m_device; }

private:
    RecordingPrintDevice* m_device;
};

} // namespace qv
