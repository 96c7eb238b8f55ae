#pragma once
// Banded reports bound at run time to the rows of a recordset: a report
// header, a page header, one detail block per row, a page footer and a report
// footer. Controls are labels, fields bound to a column (with a display
// format), sums over a column, lines and frames, all placed in twips from the
// top-left corner of their band.
//
// A report first lays its pages out (positioned items that can be read back),
// then renders them with QPainter onto an image, a PDF file or a printer. It
// works on a copy of the data source's rows and never moves the caller's
// cursor. A laid-out report keeps its rows compactly and where each page
// starts; a page's items are made when the page is read, so that a report
// of thousands of pages holds little more than its rows.
//
// A text never reaches past its control or the page's margins: one that is
// too long ends in an ellipsis (a wrapped one in the lines that fit), and
// only what shows is kept, so a print-out holds no hidden text. A growing
// text taller than the room left goes on at the top of the next page.
//
// Label captions may hold placeholders that the engine replaces: "%p" the
// page number, "%P" the number of pages, "%d" today's date (short), "%D"
// today's date (long), "%T" the time. "%%" gives a single "%".
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <iterator>
#include <memory>

class QPainter;
class QPrinter;
class QImage;
class QPagedPaintDevice;

namespace qv {

class Recordset;

enum class ReportBand { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };
constexpr int kReportBandCount = 5;

// Error numbers the engine raises (the runtime's own numbering).
namespace ReportError {
constexpr int DataFieldNotFound = 8526;
constexpr int PrintingImpossible = 8555;
constexpr int NoDataSource = 8560;
}

struct ReportFont {
    QString name = QStringLiteral("Arial");
    double size = 10;   // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct ReportControl {
    enum Kind { Label, Field, Function, Line, Frame };
    Kind kind = Label;
    QString name;
    int left = 0, top = 0, width = 0, height = 0;   // twips, in the band
    QString caption;     // Label: its text (placeholders allowed)
    QString dataField;   // Field, Function: the column
    QString format;      // Field, Function: display format ("" = general)
    ReportFont font;
    int alignment = 0x0001;   // Qt::Alignment: left
    bool border = false;      // a frame drawn around the control
    bool wordWrap = false;    // text wraps inside the control
    bool canGrow = false;     // a wrapped text taller than the control makes the band grow
    // Field, Function: the control is widened to its widest value in the
    // report, and what stands after it on its line moves along, so that no
    // value runs into the next caption.
    bool fitWidest = false;
};

struct ReportSection {
    int height = 0;   // twips
    bool visible = true;
    bool keepTogether = true;   // a detail block is not split unless it cannot fit on an empty page
    QList<ReportControl> controls;
};

struct ReportLayout {
    QString title;            // the preview window's title and the print job's name
    int pageWidth = 12240;    // Letter, twips
    int pageHeight = 15840;
    int leftMargin = 1440, rightMargin = 1440, topMargin = 1440, bottomMargin = 1440;
    ReportSection sections[kReportBandCount];

    ReportSection& section(ReportBand band) { return sections[int(band)]; }
    const ReportSection& section(ReportBand band) const { return sections[int(band)]; }
    int reportWidth() const { return pageWidth - leftMargin - rightMargin; }
};

// The rows a report reads: a copy, taken when the job starts.
struct ReportData {
    QStringList fields;
    QList<QVector<QVariant>> rows;

    int fieldIndex(const QString& name) const;   // -1 when absent; case ignored
    // Copies every row of the recordset without moving it: its position,
    // the controls bound to it and their pending edits stay as they were.
    // Given field names, only the columns of those names are copied.
    static ReportData fromRecordset(Recordset& recordset, const QStringList& onlyFields = {});
};

// One positioned thing on a laid-out page; rect in twips from the page's
// top-left corner (margins included).
struct ReportItem {
    enum Kind { Text, Line, Frame };
    Kind kind = Text;
    ReportBand band = ReportBand::Detail;
    QString control;     // the control's name
    QString dataField;   // for fields and sums
    int record = -1;     // the detail row it shows, 0-based; -1 outside the detail band
    QRect rect;
    QString text;
    ReportFont font;
    int alignment = 0x0001;
    bool border = false;
    bool wordWrap = false;
};

struct ReportPage {
    QList<ReportItem> items;
    // Convenience for readers: the texts of the page's text items, in order.
    QStringList texts() const;
    QList<ReportItem> itemsIn(ReportBand band) const;
    const ReportItem* find(const QString& control) const;   // first item of that control
};

namespace detail {
struct LaidOutReport;
}

// The pages of a laid-out report, each made anew whenever it is read.
class ReportPages {
public:
    qsizetype size() const;
    qsizetype count() const { return size(); }
    bool isEmpty() const { return size() == 0; }
    ReportPage at(qsizetype page) const;
    ReportPage operator[](qsizetype page) const { return at(page); }
    ReportPage value(qsizetype page) const;   // an empty page past either end
    ReportPage first() const { return at(0); }
    ReportPage last() const { return at(size() - 1); }
    // Every page from `from` on, in order and in one pass (printing); `use`
    // answers false to stop.
    void forEach(const std::function<bool(int page, const ReportPage&)>& use, int from = 0) const;
    void clear() { m_report.reset(); }

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = ReportPage;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = ReportPage;
        const_iterator(const ReportPages* pages, qsizetype page) : m_pages(pages), m_page(page) {}
        ReportPage operator*() const { return m_pages->at(m_page); }
        const_iterator& operator++() { ++m_page; return *this; }
        bool operator==(const const_iterator& o) const { return m_page == o.m_page; }
        bool operator!=(const const_iterator& o) const { return m_page != o.m_page; }

    private:
        const ReportPages* m_pages;
        qsizetype m_page;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

private:
    friend class Report;
    std::shared_ptr<const detail::LaidOutReport> m_report;
};

struct ReportDocument {
    QString title;
    QSize pageSize;   // twips
    ReportPages pages;
    bool cancelled = false;
    int pageCount() const { return int(pages.size()); }
};

class Report {
public:
    explicit Report(ReportLayout layout = {});
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    ReportLayout& layout() { return m_layout; }
    const ReportLayout& layout() const { return m_layout; }
    QString title() const { return m_layout.title; }

    // The data source: read when a job starts, never moved.
    void setDataSource(std::shared_ptr<Recordset> recordset);
    std::shared_ptr<Recordset> dataSource() const { return m_source; }
    // Rows given directly instead of a recordset.
    void setData(ReportData data);

    // Event handlers.
    // An error of the engine: set showEngineBox to false to keep the engine's
    // own message box from showing.
    std::function<void(int number, bool& showEngineBox)> onError;
    // Called once for every whole second a job has run (1, 2, 3, ...), not
    // counting the time the handler itself takes; set cancel to end the job.
    std::function<void(int seconds, bool& cancel)> onProcessingTimeout;
    // When the preview is shown.
    std::function<void()> onActivate;

    // A clock in seconds; the default is the monotonic clock. A job reads it
    // when it starts and then before every detail row it lays out and every
    // page it renders; the difference is the job's running time. Tests give
    // a clock of their own.
    void setElapsedSource(std::function<double()> elapsedSeconds);

    // Lays the pages out. Errors go through onError; a cancelled or failed job
    // gives a document with `cancelled` set and no pages.
    ReportDocument run();

    // Renders laid-out pages: printing and PDF are jobs (time-outs apply);
    // they report an impossible output as error 8555 and return false. A
    // print cancelled part way says after which page it stopped and removes
    // the file it was writing.
    bool print(const ReportDocument& document, QPrinter& printer);
    bool exportPdf(const ReportDocument& document, const QString& file);
    // The printer dialog, then printing; false when cancelled or failed.
    bool printWithDialog(const ReportDocument& document);

    // Lays out and shows the modal preview (the caller waits until it
    // closes). Nothing is shown when the job was cancelled or failed. The
    // memory the job took is given back to the system once it closes.
    void show();

    // Raises an engine error through onError; shows the engine's own box
    // unless the handler declines it.
    void raiseError(int number, const QString& description);

    // The time stamp placeholders use (fixed once per job).
    QDateTime jobTime() const { return m_jobTime; }

private:
    // Starts a job's clock; the function answers false once the job is cancelled.
    std::function<bool()> startJob();
    ReportLayout m_layout;
    std::shared_ptr<Recordset> m_source;
    std::unique_ptr<ReportData> m_data;
    std::function<double()> m_elapsed;
    QDateTime m_jobTime;
};

// Draws one laid-out page onto a painter whose device has the given
// resolution (dots per inch); the page's top-left corner goes to `origin`
// (device pixels). A line the device sets wider than the layout measured it
// (a small screen's whole pixels) is narrowed to its box, or ends in an
// ellipsis; it is never cut off at the box's edge.
void renderReportPage(QPainter& painter, const ReportPage& page, double dpi, QPointF origin = {});
// One page as an image at the given resolution, white background.
QImage reportPageImage(const ReportDocument& document, int page, double dpi);

// Gives the heap that a finished job freed back to the system, which the C
// library would otherwise keep for the program: called when a preview
// closes, and by whoever lets the job's rows go after it.
void giveBackFreedMemory();

// Measures text in twips (the layout's unit), independent of any screen.
double reportTextWidth(const QString& text, const ReportFont& font);
double reportTextHeight(const QString& text, const ReportFont& font, int width, bool wordWrap);

} // namespace qv

Q_DECLARE_TYPEINFO(qv::ReportFont, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(qv::ReportControl, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(qv::ReportItem, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(qv::ReportPage, Q_RELOCATABLE_TYPE);
