#pragma once
// The printer: one object for the whole program, in the manner of the old
// platform's Printer. Text goes out in print lines from a current position
// (CurrentX, CurrentY), pictures at a place and size; every length is in
// twips (1440 to the inch) measured from the top-left corner of the printable
// area. A job starts with the first output and goes to the printer when the
// document is ended; a job that printed nothing prints nothing.
//
// Where the pages go is a page device: the system printer (a QPrinter, which
// the printer dialog fills: a printer or a PDF file) or, for tests, a
// recording device that keeps every page (see print_devices.h).
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <initializer_list>
#include <memory>

class QPaintDevice;
class QPrinter;
class QTextDocument;

namespace qv {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;

// The print-quality settings (negative numbers as the old platform had them).
namespace PrintQuality {
constexpr int Draft = -1, Low = -2, Medium = -3, High = -4;
}

// The run-time error a printer raises when it cannot print (no printer, a job
// that could not be opened). Its description says which.
constexpr int kPrinterErrorNumber = 482;

// One item of a print line: a text, or a print-position step.
//  - Tab(n): to character column n of the line (columns count from 1 at the
//    left edge); when the line is already past it, to column n of the next line.
//  - Spc(n): n blanks.
//  - Zone(): to the start of the next print zone (14 columns wide), like a
//    comma between items.
//  - Wrapped(text): a text that keeps inside the printable area: it is broken
//    between words (inside a word only when the word alone is too wide) at
//    the area's right edge, and every further line, a line end's included,
//    starts at the column where the text began.
// Items follow each other with nothing in between. Columns are as wide as the
// average character of the printer font.
class PrintItem {
public:
    enum Kind { Text, Tab, Spc, Zone, WrappedText };
    PrintItem(const QString& text) : m_kind(Text), m_text(text) {}
    PrintItem(const char* text) : m_kind(Text), m_text(QString::fromUtf8(text)) {}
    static PrintItem tab(int column) { return PrintItem(Tab, column); }
    static PrintItem spc(int count) { return PrintItem(Spc, count); }
    static PrintItem zone() { return PrintItem(Zone, 0); }
    static PrintItem wrapped(const QString& text)
    {
        PrintItem item(text);
        item.m_kind = WrappedText;
        return item;
    }

    Kind kind() const { return m_kind; }
    const QString& text() const { return m_text; }
    int count() const { return m_count; }

private:
    PrintItem(Kind kind, int count) : m_kind(kind), m_count(count) {}
    Kind m_kind;
    QString m_text;
    int m_count = 0;
};

inline PrintItem Tab(int column) { return PrintItem::tab(column); }
inline PrintItem Spc(int count) { return PrintItem::spc(count); }
inline PrintItem Zone() { return PrintItem::zone(); }
inline PrintItem Wrapped(const QString& text) { return PrintItem::wrapped(text); }

// Where the pages of a job go. Coordinates are twips from the top-left corner
// of the printable area; the printable area lies inside the sheet at the
// device's physical offset (the strip the device cannot print on).
class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    virtual QSizeF paperSize() const = 0;        // the whole sheet
    virtual QRectF printableRect() const = 0;    // on the sheet
    // Fonts are measured and rich text laid out on this device, in its own
    // units; unitsPerTwip converts (horizontal and vertical alike).
    virtual QPaintDevice* measureDevice() = 0;
    double unitsPerTwip();

    // Throws qv::Error (kPrinterErrorNumber) when no job can be opened.
    virtual void beginJob(const QString& name, int printQuality) = 0;
    virtual void newPage() = 0;
    virtual void endJob() = 0;

    virtual void drawText(const QPointF& topLeft, const QString& text, const QFont& font) = 0;
    virtual void drawPicture(const QImage& picture, const QRectF& target) = 0;
    // Draws the lines of a document laid out on measureDevice() that lie
    // between fromY and toY (document units), with the point (0, fromY) of
    // the document put at `at`.
    virtual void drawDocument(const QTextDocument& laidOut, qreal fromY, qreal toY, const QPointF& at) = 0;
};

class RecordingPrintDevice;

class Printer {
public:
    Printer();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Font for the text printed from now on (size in points).
    QString fontName() const { return m_fontName; }
    void setFontName(const QString& name) { m_fontName = name; }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points) { m_fontSize = points; }
    bool fontBold() const { return m_bold; }
    void setFontBold(bool bold) { m_bold = bold; }
    QFont font() const;

    int printQuality() const { return m_quality; }
    void setPrintQuality(int quality) { m_quality = quality; }

    // Print position, twips from the top-left corner of the printable area.
    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }

    // Prints a line made of the items, then goes to the start of the next
    // line (or stays after the last item when endLine is false, as a trailing
    // ";" did). No items prints an empty line. A line feed inside a text goes
    // on at the start of the next line. Text that would run below the
    // printable area goes on at the top of a new page.
    void print(std::initializer_list<PrintItem> items = {}, bool endLine = true);
    void print(const QList<PrintItem>& items, bool endLine = true);

    // Draws the picture stretched into the rectangle; the print position stays.
    // An empty picture draws nothing.
    void paintPicture(const QImage& picture, double x, double y, double width, double height);

    // Ends the page and goes on at the top of the next one.
    void newPage();
    // Sends the job to the device. Nothing happens when no job is open.
    void endDoc();
    bool jobOpen() const { return m_jobOpen; }
    int page() const { return m_page; }   // page of the open job, from 1

    // Sheet and printable area (twips).
    double pageWidth() const;
    double pageHeight() const;
    double scaleWidth() const;     // printable width
    double scaleHeight() const;    // printable height
    double physicalOffsetX() const;
    double physicalOffsetY() const;

    // Size of a text in the printer font (twips); a height is one line.
    double textWidth(const QString& text) const;
    double textHeight() const;

    // Opens the job when none is open yet (what every output does first).
    void ensureJob();

    // The page device. Installing another one drops any open job unprinted.
    PrintDevice& device() const;
    void setDevice(std::unique_ptr<PrintDevice> device);
    // Installs a fresh recording device and returns it.
    RecordingPrintDevice& useRecording();
    // Back to the system printer.
    void useSystemPrinter();
    // The QPrinter the printer dialog fills and the system device prints on.
    QPrinter* systemPrinter();
    // Sends the system printer's pages to a PDF file instead (and makes it the device).
    void useSystemPdfFile(const QString& path);

private:
    void printText(const QString& text);
    void printWrapped(const QString& text);
    void lineFeed();
    void breakPageIfFull();

    std::unique_ptr<PrintDevice> m_device;
    std::unique_ptr<QPrinter> m_systemPrinter;
    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 10;
    bool m_bold = false;
    int m_quality = PrintQuality::High;
    double m_x = 0, m_y = 0;
    bool m_jobOpen = false;
    bool m_pageHasOutput = false;
    int m_page = 0;
};

// The program's printer.
Printer& printer();

// The printer dialog of a print button (title "Print"): false when the user
// cancelled, after which the button prints nothing and shows nothing. The
// printer chosen becomes the system printer's target.
bool choosePrinter();
// The same for a printer of its own (a report's). A print to a file the
// program must not write over (see below) is refused with a message, and
// counts as cancelled.
bool choosePrinter(QPrinter* printer);

// Files printing never writes to: every file the program holds open, and
// those named here (files of its data it does not keep open).
void protectFromPrintOutput(const QString& path);
bool isProtectedFromPrintOutput(const QString& path);

} // namespace qv
