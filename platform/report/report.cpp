#include "platform/report/report.h"
#include "platform/report/report_preview.h"
#include "platform/report/report_rows.h"
#include "platform/data/recordset.h"
#include "platform/print/printer.h"
#include "platform/services/services.h"
#include "platform/values/clock.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"
#include "platform/values/money.h"
#include <QBitArray>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSet>
#include <QTextLayout>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <cmath>
#include <cstring>
#include <limits>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace qv {

// ---------------------------------------------------------------- data

int ReportData::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

ReportData ReportData::fromRecordset(Recordset& rs, const QStringList& onlyFields)
{
    // Rows are read in place: the recordset does not move, so the controls
    // bound to it neither hear of the report nor have pending edits saved.
    ReportData data;
    QVector<int> columns;
    const int n = rs.fieldCount();
    for (int i = 0; i < n; ++i) {
        const QString name = rs.fieldName(i);
        if (!onlyFields.isEmpty() && !onlyFields.contains(name, Qt::CaseInsensitive))
            continue;
        data.fields << name;
        columns << i;
    }
    data.rows = rs.valuesOf(columns);
    return data;
}

// ---------------------------------------------------------------- pages

QStringList ReportPage::texts() const
{
    QStringList out;
    for (const ReportItem& item : items)
        if (item.kind == ReportItem::Text)
            out << item.text;
    return out;
}

QList<ReportItem> ReportPage::itemsIn(ReportBand band) const
{
    QList<ReportItem> out;
    for (const ReportItem& item : items)
        if (item.band == band)
            out << item;
    return out;
}

const ReportItem* ReportPage::find(const QString& control) const
{
    for (const ReportItem& item : items)
        if (item.control == control)
            return &item;
    return nullptr;
}

// ---------------------------------------------------------------- measuring

namespace {

QFont qfont(const ReportFont& f)
{
    QFont font(f.name);
    font.setPointSizeF(f.size > 0 ? f.size : 10);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

// A device of 1440 dots per inch: one dot is one twip.
const QImage& twipsDevice()
{
    static const QImage image = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(1440 / 0.0254);
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return image;
}

// One font's metrics and what a job has measured with it. A report sets the
// same prices, names and captions over and over: each distinct text is laid
// out once per width, and a text that surely fits is not laid out at all.
struct FontMeasures {
    explicit FontMeasures(const ReportFont& f)
        : font(f), fm(qfont(f), &twipsDevice()), lineHeight(fm.height())
    {
        for (int u = 0x20; u <= 0xFF; ++u)
            advances[u] = (u >= 0x7F && u < 0xA0) ? 0 : fm.horizontalAdvance(QChar(u));
    }
    ReportFont font;
    QFontMetricsF fm;
    double lineHeight;
    std::array<double, 256> advances{};   // of printable Latin-1, one character at a time
    QHash<QString, double> widths;
    QHash<std::pair<int, QString>, double> heights;           // (width, text) -> wrapped height
    QHash<std::pair<int, QString>, QString> elided;            // (width, text) -> one line ending in an ellipsis
    QHash<std::pair<qint64, QString>, QString> cut;            // (width and height, text) -> lines ending in one

    void forget()
    {
        widths.clear();
        heights.clear();
        elided.clear();
        cut.clear();
    }
};

bool sameFont(const ReportFont& a, const ReportFont& b)
{
    return a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.name == b.name;
}

// A report uses a handful of fonts: a short list looked through beats
// building a key for every text.
std::vector<std::unique_ptr<FontMeasures>>& allMeasures()
{
    static std::vector<std::unique_ptr<FontMeasures>> fonts;
    return fonts;
}

// What the job measured (texts it keeps) is let go.
void forgetMeasures()
{
    for (const auto& m : allMeasures())
        m->forget();
}

FontMeasures& measures(const ReportFont& f)
{
    auto& fonts = allMeasures();
    for (const auto& m : fonts)
        if (sameFont(m->font, f))
            return *m;
    fonts.push_back(std::make_unique<FontMeasures>(f));
    return *fonts.back();
}

// True when the text surely stands within the width on one line, found
// without laying it out: printable Latin-1 never falls back to another font,
// so its width is the sum of its characters' advances give or take kerning,
// which the slack covers (tabs, line ends and other scripts take the full
// measure).
bool surelyNarrower(const QString& text, const FontMeasures& m, double width)
{
    double sum = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u > 0xFF)
            return false;
        sum += m.advances[u];
    }
    return sum * 1.04 + 20 <= width;
}

double measuredWidth(FontMeasures& m, const QString& text)
{
    auto it = m.widths.constFind(text);
    if (it == m.widths.cend())
        it = m.widths.insert(text, m.fm.horizontalAdvance(text));
    return *it;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// One line of a wrapped text: where it starts and ends in the text, where it
// stands and how tall it is (twips).
struct WrappedLine {
    qsizetype start = 0, length = 0;
    double y = 0, height = 0;
};

// The lines of a wrapped text as the engine sets them, on paper and on the
// screen alike: broken between words, inside a word only when the word alone
// is wider than the line (so that nothing reaches past the box), and at line
// ends.
QList<WrappedLine> wrapLines(const QString& text, const ReportFont& font, double width)
{
    QString laid = text;
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laid, qfont(font), &twipsDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    // Lines of one font stand one font height apart, as a single line measures.
    const double height = measures(font).lineHeight;
    QList<WrappedLine> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append(WrappedLine{line.textStart(), line.textLength(), lines.size() * height, height});
    }
    layout.endLayout();
    return lines;
}

double wrappedHeight(FontMeasures& m, const QString& text, int width)
{
    if (surelyNarrower(text, m, width))
        return m.lineHeight;
    const std::pair<int, QString> key(width, text);
    auto it = m.heights.constFind(key);
    if (it == m.heights.cend()) {
        const QList<WrappedLine> lines = wrapLines(text, m.font, width);
        const double height = lines.isEmpty() ? 0 : lines.last().y + lines.last().height;
        it = m.heights.insert(key, std::max(height, m.lineHeight));
    }
    return *it;
}

} // namespace

double reportTextWidth(const QString& text, const ReportFont& font)
{
    return measuredWidth(measures(font), text);
}

double reportTextHeight(const QString& text, const ReportFont& font, int width, bool wordWrap)
{
    FontMeasures& m = measures(font);
    if (!wordWrap || width <= 0)
        return m.lineHeight * std::max<qsizetype>(1, text.count(QLatin1Char('\n')) + 1);
    return wrappedHeight(m, text, width);
}

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// A text set on one line in a box of the width: as it is when it fits, else
// cut to what fits followed by an ellipsis. Only what is shown is kept, so
// that a print-out holds no text hidden past its box.
QString fitLine(const QString& text, const ReportFont& font, int width)
{
    if (text.isEmpty())
        return text;
    FontMeasures& m = measures(font);
    if (surelyNarrower(text, m, width))
        return text;
    // A single-line box shows line ends as blanks.
    const QString line = hasLineBreak(text) ? QString(text).replace(QLatin1String("\r\n"), QLatin1String(" "))
                                                   .replace(QLatin1Char('\n'), QLatin1Char(' '))
                                                   .replace(QLatin1Char('\r'), QLatin1Char(' '))
                                            : text;
    if (surelyNarrower(line, m, width) || measuredWidth(m, line) <= width)
        return line;
    const std::pair<int, QString> key(width, line);
    auto it = m.elided.constFind(key);
    if (it == m.elided.cend()) {
        QString shown = m.fm.elidedText(line, Qt::ElideRight, std::max(0, width));
        // Qt gives up on a box too narrow even for the ellipsis: show nothing.
        if (!shown.isEmpty() && m.fm.horizontalAdvance(shown) > width)
            shown.clear();
        it = m.elided.insert(key, shown);
    }
    return *it;
}

// Whether a text set in the font, wrapped at the width, fits the height.
bool fitsBox(FontMeasures& m, const QString& text, int width, int height)
{
    return wrappedHeight(m, text, width) <= height + 0.5;
}

// A wrapped text cut to the lines that fit the box, the last one ending in an
// ellipsis (after a whole word where the line has one), so that the reader
// sees the text goes on. A text that fits is returned as it is.
QString cutToBox(const QString& text, const ReportFont& font, int width, int height)
{
    FontMeasures& m = measures(font);
    if (width <= 0 || fitsBox(m, text, width, height))
        return text;
    const std::pair<qint64, QString> key((qint64(width) << 32) | quint32(height), text);
    if (auto it = m.cut.constFind(key); it != m.cut.cend())
        return *it;
    auto shortened = [&](int n) {
        QString s = text.left(n);
        while (!s.isEmpty() && s.back().isSpace())
            s.chop(1);
        return s + kEllipsis;
    };
    // The longest beginning that fits with its ellipsis.
    int low = 0, high = int(text.size());
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (fitsBox(m, shortened(mid), width, height))
            low = mid;
        else
            high = mid - 1;
    }
    // Rather after a word than inside one, unless the word is a long one.
    int wordEnd = low;
    if (low < text.size() && !text.at(low).isSpace())
        while (wordEnd > 0 && !text.at(wordEnd - 1).isSpace())
            --wordEnd;
    if (wordEnd > 0 && low - wordEnd <= 12 && !text.left(wordEnd).trimmed().isEmpty())
        low = wordEnd;
    QString shown = shortened(low);
    // Not even the ellipsis fits: the box stays empty rather than overflowing.
    if (!fitsBox(m, shown, width, height) || measuredWidth(m, kEllipsis) > width)
        shown.clear();
    return *m.cut.insert(key, shown);
}

// Where a wrapped text is cut so that its first part fits the height: the
// position of the first line that does not fit (the text's size when all
// fit, 0 when not even one does).
qsizetype wrappedLinesEnd(const QString& text, const ReportFont& font, int width, int height)
{
    for (const WrappedLine& line : wrapLines(text, font, width))
        if (line.y + line.height > height + 0.5)
            return line.start;
    return text.size();
}

} // namespace

// ---------------------------------------------------------------- report

namespace {

double monotonicSeconds()
{
    static QElapsedTimer timer = [] { QElapsedTimer t; t.start(); return t; }();
    return timer.nsecsElapsed() / 1e9;
}

QVariant sumColumn(const ReportRows& rows, int column)
{
    Money money;
    double real = 0;
    bool anyReal = false;
    for (int r = 0; r < rows.size(); ++r) {
        const QVariant& v = rows.value(r, column);
        if (!v.isValid() || v.isNull())
            continue;
        if (v.metaType() == QMetaType::fromType<Money>()) {
            money += v.value<Money>();
        } else if (v.metaType().id() == QMetaType::QString) {
            // Amounts kept as text add up by their money reading; a text that
            // is no amount adds nothing.
            if (auto m = tryReadMoney(v.toString()))
                money += *m;
        } else if (v.metaType().id() == QMetaType::QDateTime || v.metaType().id() == QMetaType::QDate) {
            continue;
        } else {
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (ok) {
                real += d;
                anyReal = true;
            }
        }
    }
    if (anyReal)
        return QVariant(real + money.toDouble());
    return QVariant::fromValue(money);
}

struct Placeholders {
    QString shortDate, longDate, time;
    bool hasPageCount(const QString& s) const { return s.contains(QLatin1String("%P")); }
    QString apply(const QString& s, int page, int pages) const
    {
        if (!s.contains(QLatin1Char('%')))
            return s;
        QString out;
        out.reserve(s.size() + 8);
        for (int i = 0; i < s.size(); ++i) {
            const QChar c = s[i];
            if (c != QLatin1Char('%') || i + 1 >= s.size()) {
                out += c;
                continue;
            }
            const QChar n = s[i + 1];
            switch (n.unicode()) {
            case 'p': out += QString::number(page); break;
            case 'P': out += pages > 0 ? QString::number(pages) : QStringLiteral("%P"); break;
            case 'd': out += shortDate; break;
            case 'D': out += longDate; break;
            case 'T': out += time; break;
            case '%': out += QLatin1Char('%'); break;
            default: out += c; out += n; break;
            }
            ++i;
        }
        return out;
    }
};

// A band that takes room on the page: shown, and with a height or something in it.
bool takesRoom(const ReportSection& s)
{
    return s.visible && (s.height > 0 || !s.controls.isEmpty());
}

// The room a text has inside its control: within the page's right margin,
// and inside the frame when it has one (as the renderer insets it).
int textRoomWidth(const ReportControl& c, int reportWidth)
{
    return std::min(c.width, reportWidth - c.left) - (c.border ? 60 : 0);
}
int textRoomHeight(const ReportControl& c)
{
    return c.height - (c.border ? 30 : 0);
}

} // namespace

namespace detail {

// Where a page starts: the call of the paginator that began it (the report's
// beginning, a detail block or the report footer) and where that call
// started. Laying out again from there gives the page as it was.
struct PageStart {
    enum Kind : std::uint8_t { Begin, Detail, Footer };
    Kind kind = Begin;
    bool fresh = true;   // the page the call started on had nothing but its header
    int record = -1;
    int page = 0;        // the page the call started on
    int y = 0;
};

// What a laid-out report keeps: its layout as widened for its values, its
// rows, the sums, the job's time stamps, and where each page starts.
struct LaidOutReport {
    ReportLayout layout;
    ReportRows rows;
    QVector<int> columns[kReportBandCount];   // per band, per control: its column or -1
    QHash<QString, QVariant> sums;
    Placeholders ph;
    std::vector<PageStart> starts;
};

} // namespace detail

namespace {

// Lays the bands out page by page. Counting, it makes no items and notes
// where each page starts; making pages, it makes the items of the pages
// asked for and hands each over as it closes.
class Paginator {
public:
    using Sink = std::function<bool(int page, ReportPage&& made)>;

    // Counting: the starts go to `starts`.
    Paginator(const detail::LaidOutReport& report, std::vector<detail::PageStart>* starts)
        : Paginator(report, 0, 1, 0, {})
    {
        m_starts = starts;
    }
    // Making pages first..last of a report of `total` pages.
    Paginator(const detail::LaidOutReport& report, int total, int first, int last, Sink sink)
        : m_layout(report.layout), m_data(report.rows), m_columns(report.columns), m_sums(report.sums),
          m_ph(report.ph), m_total(total), m_first(first), m_last(last), m_sink(std::move(sink))
    {
        const ReportLayout& layout = m_layout;
        const ReportSection& footer = layout.section(ReportBand::PageFooter);
        const ReportSection& header = layout.section(ReportBand::PageHeader);
        m_bottom = layout.pageHeight - layout.bottomMargin - (footer.visible ? footer.height : 0);
        m_freshTop = layout.topMargin + (header.visible ? header.height : 0);
        // Captions are the same in every block: fitted to their boxes once.
        // Those with placeholders are fitted once filled in.
        for (int b = 0; b < kReportBandCount; ++b) {
            const QList<ReportControl>& controls = layout.sections[b].controls;
            m_placeholders[b].resize(controls.size());
            m_grownTexts[b].resize(controls.size());
            for (int i = 0; i < controls.size(); ++i) {
                const ReportControl& c = controls[i];
                if (c.kind == ReportControl::Label && c.caption.contains(QLatin1Char('%')))
                    m_placeholders[b].setBit(i);
                if (c.canGrow && (c.kind == ReportControl::Label || c.kind == ReportControl::Field
                                  || c.kind == ReportControl::Function))
                    m_growing[b] << i;
            }
            m_shownTexts[b].resize(layout.sections[b].controls.size());
            m_shownValues[b].resize(layout.sections[b].controls.size());
            m_lastShown[b].resize(layout.sections[b].controls.size());
            for (const ReportControl& c : layout.sections[b].controls)
                m_captions[b] << (c.kind != ReportControl::Label || c.caption.contains(QLatin1Char('%'))
                                      ? c.caption
                                      : shownText(c, c.caption));
            // What every item of a control has in common, made once.
            for (int i = 0; i < controls.size(); ++i) {
                const ReportControl& c = controls[i];
                const ReportItem::Kind kind = c.kind == ReportControl::Line    ? ReportItem::Line
                                            : c.kind == ReportControl::Frame ? ReportItem::Frame
                                                                             : ReportItem::Text;
                QRect rect(c.left, c.top, c.width, c.height);
                if (kind == ReportItem::Text)
                    rect.setWidth(std::max(0, std::min(c.width, layout.reportWidth() - c.left)));
                m_prototypes[b].append(ReportItem{kind, ReportBand(b), c.name, c.dataField, -1, rect,
                                                  c.kind == ReportControl::Label ? m_captions[b][i] : QString(),
                                                  c.font, c.alignment, c.border, c.wordWrap || c.canGrow});
            }
        }
    }

    // True once the last page asked for has been handed over.
    bool done() const { return m_done; }

    void begin()
    {
        m_call = detail::PageStart{};
        newPage(true);
    }
    void detail(int record)
    {
        m_call = detail::PageStart{detail::PageStart::Detail, m_fresh, record, m_pageIndex, m_y};
        place(ReportBand::Detail, record);
    }
    void end()
    {
        m_call = detail::PageStart{detail::PageStart::Footer, m_fresh, -1, m_pageIndex, m_y};
        place(ReportBand::ReportFooter, -1);
        if (!m_done)
            closePage();
    }
    // Goes on from where a page's start says, laying out again what stands
    // there before the page itself.
    void resume(const detail::PageStart& start)
    {
        m_pageIndex = start.page;
        m_y = start.y;
        m_fresh = start.fresh;
    }

private:
    struct Piece {
        ReportItem item;   // rect relative to the band's top-left corner
        bool placeholder = false;   // a caption with placeholders to fill in
        bool grows = false;   // a wrapped text that may go on over a page break
    };
    struct Growth {
        int control;   // the growing control
        int bottom;    // its bottom as drawn: what stands from there down moves
        int delta;
    };

    // What a text control shows of its text: a text that cannot grow keeps
    // to its box, ending in an ellipsis where it is cut.
    QString shownText(const ReportControl& c, const QString& text) const
    {
        if (text.isEmpty() || c.canGrow)
            return text;
        if (c.wordWrap)
            return cutToBox(text, c.font, textRoomWidth(c, m_layout.reportWidth()), textRoomHeight(c));
        return fitLine(text, c.font, textRoomWidth(c, m_layout.reportWidth()));
    }

    // A field's value as shown. Reports repeat their values (prices, dates,
    // artists): each distinct text is formatted and fitted once per control.
    QString fieldText(int band, int control, const ReportControl& c, const QVariant& v)
    {
        // Most often the value is the one the block above showed.
        Shown& last = m_lastShown[band][control];
        if (last.known && sameValue(last.value, v))
            return last.text;
        last.known = true;
        last.value = v;
        last.text = newFieldText(band, control, c, v);
        return last.text;
    }

    QString newFieldText(int band, int control, const ReportControl& c, const QVariant& v)
    {
        const int type = v.metaType().id();
        if (type == QMetaType::QString && c.format.isEmpty()) {
            // A text shows as it is: fitted to its box, measured only when it may not fit.
            return shownText(c, *static_cast<const QString*>(v.constData()));
        }
        if (type == QMetaType::QString) {
            QHash<QString, QString>& shown = m_shownTexts[band][control];
            const QString& raw = *static_cast<const QString*>(v.constData());
            auto it = shown.constFind(raw);
            if (it == shown.cend())
                it = shown.insert(raw, shownText(c, formatValue(v, c.format)));
            return *it;
        }
        const std::optional<ValueBits> key = valueBits(v);
        if (!key)
            return shownText(c, formatValue(v, c.format));
        QHash<ValueBits, QString>& shown = m_shownValues[band][control];
        auto it = shown.constFind(*key);
        if (it == shown.cend())
            it = shown.insert(*key, shownText(c, formatValue(v, c.format)));
        return *it;
    }

    // The text a text control shows for the record.
    QString controlText(int band, int i, const ReportControl& c, int record)
    {
        switch (c.kind) {
        case ReportControl::Label:
            return m_captions[band][i];
        case ReportControl::Field:
            if (record >= 0 && m_columns[band][i] >= 0) {
                // A null text of a valid value shows as nothing all the same.
                const QVariant& v = m_data.value(record, m_columns[band][i]);
                if (v.isValid())
                    return fieldText(band, i, c, v);
            }
            return QString();
        case ReportControl::Function:
            return shownText(c, formatValue(m_sums.value(c.dataField.toLower()), c.format));
        case ReportControl::Line:
        case ReportControl::Frame:
            break;
        }
        return QString();
    }

    // The height the band takes for the record: its own, and what its growing
    // controls add. Their texts are kept for making their items.
    int measure(ReportBand band, int record)
    {
        const int b = int(band);
        const ReportSection& s = m_layout.section(band);
        m_growths.clear();
        int height = s.height;
        for (int i : std::as_const(m_growing[b])) {
            const ReportControl& c = s.controls[i];
            QString& text = m_grownTexts[b][i];
            text = controlText(b, i, c, record);
            if (text.isEmpty())
                continue;
            const int need = int(std::ceil(reportTextHeight(text, c.font, textRoomWidth(c, m_layout.reportWidth()), true)))
                           + (c.border ? 30 : 0);
            if (need > c.height) {
                m_growths.append({i, c.top + c.height, need - c.height});
                height += need - c.height;
            }
        }
        return height;
    }

    // Makes the item of one control, its rect relative to the band's top-left
    // corner, moved down by the growing controls above it (after measure()):
    // `place` copies the control's prototype where the item is kept and
    // gives it back to be filled in (a report makes an item for every
    // control of every block).
    template <class Place>
    void make(ReportBand band, int i, int record, Place&& place)
    {
        const int b = int(band);
        const ReportControl& c = m_layout.section(band).controls[i];
        ReportItem& item = place(std::as_const(m_prototypes[b])[i]);
        if (band == ReportBand::Detail)
            item.record = record;
        // A label's caption is its prototype's.
        if (item.kind == ReportItem::Text && c.kind != ReportControl::Label)
            item.text = c.canGrow ? std::move(m_grownTexts[b][i]) : controlText(b, i, c, record);
        for (const Growth& g : std::as_const(m_growths)) {
            if (g.control == i)
                item.rect.setHeight(c.height + g.delta);
            else if (c.top >= g.bottom)
                item.rect.translate(0, g.delta);
        }
    }

    // Makes the band's items straight onto the page, the band's top at `top`.
    void lay(ReportBand band, int record, int top)
    {
        if (!making())
            return;
        const int count = m_layout.section(band).controls.size();
        QList<ReportItem>& items = m_page.items;
        for (int i = 0; i < count; ++i) {
            make(band, i, record, [&](const ReportItem& prototype) -> ReportItem& { return items.emplace_back(prototype); });
            placeOnPage(items.back(), m_placeholders[int(band)].testBit(i), top);
        }
    }

    // Makes the band's items into the band's own buffer, for a block that goes
    // on over a page break (after measure()).
    QList<Piece>& build(ReportBand band, int record)
    {
        const ReportSection& s = m_layout.section(band);
        QList<Piece>& pieces = m_buffers[int(band)];
        pieces.clear();
        for (int i = 0; i < s.controls.size(); ++i)
            make(band, i, record, [&](const ReportItem& prototype) -> ReportItem& {
                const bool grows = s.controls[i].canGrow && prototype.kind == ReportItem::Text;
                return pieces.emplace_back(Piece{prototype, m_placeholders[int(band)].testBit(i), grows}).item;
            });
        return pieces;
    }

    // Moves an item from its band onto the page; a caption's placeholders are
    // filled in (the page count once it is known).
    void placeOnPage(ReportItem& it, bool placeholder, int top)
    {
        it.rect.translate(m_layout.leftMargin, top);
        if (placeholder)
            it.text = fitLine(m_ph.apply(it.text, m_pageIndex + 1, m_total), it.font, it.rect.width() - (it.border ? 60 : 0));
    }

    void put(Piece& p, int top)
    {
        if (!making())
            return;
        m_page.items.append(std::move(p.item));
        placeOnPage(m_page.items.back(), p.placeholder, top);
    }

    void place(ReportBand band, int record)
    {
        const ReportSection& s = m_layout.section(band);
        if (!takesRoom(s))
            return;
        const int height = measure(band, record);
        if (height > m_bottom - m_y) {
            const bool fitsEmptyPage = height <= m_bottom - m_freshTop;
            // A block whose text must go on over a page anyway starts in the
            // room left, so long as its first lines stand there.
            const bool startsHere = !fitsEmptyPage && !m_growths.isEmpty() && headHeight(band) <= m_bottom - m_y;
            if (!m_fresh && (fitsEmptyPage || s.keepTogether) && !startsHere) {
                closePage();
                if (m_done)
                    return;
                newPage(false);
                measure(band, record);   // the page header and footer measured theirs meanwhile
            }
            if (height > m_bottom - m_y) {
                split(build(band, record), height);
                return;
            }
        }
        lay(band, record, m_y);
        m_y += height;
        m_fresh = false;
    }

    // What of a block must stand on the page it starts on (after measure()):
    // what stands down to its first grown text, and that text's first line.
    int headHeight(ReportBand band) const
    {
        const QList<ReportControl>& controls = m_layout.section(band).controls;
        int growTop = std::numeric_limits<int>::max();
        for (const Growth& g : m_growths)
            growTop = std::min(growTop, controls[g.control].top);
        int head = 0;
        for (int i = 0; i < controls.size(); ++i) {
            const ReportControl& c = controls[i];
            if (c.top > growTop)
                continue;
            const bool grown = std::any_of(m_growths.begin(), m_growths.end(), [i](const Growth& g) { return g.control == i; });
            head = std::max(head, grown ? c.top + int(std::ceil(measures(c.font).lineHeight)) + (c.border ? 30 : 0)
                                        : c.top + c.height);
        }
        return head;
    }

    // A block taller than the room left goes on over page breaks. Each page
    // takes the controls that fit above its bottom; a growing text takes the
    // lines that fit and goes on with the rest at the top of the next page.
    // What stands below moves along, so the block reads on in its order.
    void split(QList<Piece>& pieces, int height)
    {
        std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
            if (a.item.rect.top() != b.item.rect.top())
                return a.item.rect.top() < b.item.rect.top();
            return a.item.rect.bottom() > b.item.rect.bottom();
        });
        int offset = m_y;   // page position of the band's top
        QList<Piece> waiting = std::move(pieces);
        pieces.clear();
        while (!waiting.isEmpty()) {
            const int room = m_bottom - offset;   // the band's height that this page holds
            QList<Piece> later;
            bool placed = false;
            for (Piece& p : waiting) {
                const QRect r = p.item.rect;
                if (r.top() + r.height() <= room) {
                    put(p, offset);
                    placed = true;
                } else if (p.grows && r.top() < room && takeFittingLines(p, offset, room - r.top())) {
                    placed = true;
                    if (!p.item.text.isEmpty())
                        later.append(std::move(p));
                } else {
                    later.append(std::move(p));
                }
            }
            if (later.isEmpty())
                break;
            if (!placed && m_fresh) {
                // Not even its first control fits an empty page: it is cut to the page.
                Piece& first = later.first();
                cutToRoom(first, room - first.item.rect.top());
                put(first, offset);
                later.removeFirst();
                if (later.isEmpty())
                    break;
            }
            closePage();
            if (m_done)
                return;
            newPage(false);
            int top = later.first().item.rect.top();
            for (const Piece& p : std::as_const(later))
                top = std::min(top, p.item.rect.top());
            offset = m_y - top;
            waiting = std::move(later);
        }
        m_y = std::max(m_y, offset + height);
        m_fresh = false;
    }

    // Puts the lines of a growing text that fit the room on the page; the
    // piece keeps the rest (nothing when all of it went), its top moved down
    // by what was put. False when not one line fits.
    bool takeFittingLines(Piece& p, int offset, int room)
    {
        ReportItem& it = p.item;
        const int inset = it.border ? 30 : 0;
        const int width = it.rect.width() - (it.border ? 60 : 0);
        const qsizetype end = wrappedLinesEnd(it.text, it.font, width, room - inset);
        if (end <= 0)
            return false;
        if (end >= it.text.size()) {
            // It all fits after all (its box was measured a little taller).
            it.rect.setHeight(room);
            put(p, offset);
            p.item.text.clear();
            return true;
        }
        Piece head = p;
        QString first = it.text.left(end);
        while (!first.isEmpty() && first.back().isSpace())
            first.chop(1);
        head.item.text = first;
        const int headHeight = int(std::ceil(reportTextHeight(first, it.font, width, true))) + inset;
        head.item.rect.setHeight(std::min(headHeight, room));
        put(head, offset);
        QString rest = it.text.mid(end);
        while (!rest.isEmpty() && rest.front().isSpace())
            rest.remove(0, 1);
        it.text = rest;
        it.rect.setTop(it.rect.top() + head.item.rect.height());
        it.rect.setHeight(std::max(it.rect.height(), int(std::ceil(reportTextHeight(rest, it.font, width, true))) + inset));
        return true;
    }

    // A control taller than a whole page: cut to the room, its text ending
    // in an ellipsis.
    static void cutToRoom(Piece& p, int room)
    {
        ReportItem& it = p.item;
        it.rect.setHeight(std::max(0, room));
        if (it.kind == ReportItem::Text && !it.text.isEmpty()) {
            const int width = it.rect.width() - (it.border ? 60 : 0);
            it.text = cutToBox(it.text, it.font, width, it.rect.height() - (it.border ? 30 : 0));
        }
    }

    bool making() const { return m_pageIndex >= m_first && m_pageIndex <= m_last; }

    void newPage(bool first)
    {
        ++m_pageIndex;
        if (m_starts)
            m_starts->push_back(m_call);
        m_page = ReportPage{};
        if (making())
            m_page.items.reserve(m_itemsPerPage);
        m_y = m_layout.topMargin;
        m_fresh = true;
        if (first)
            place(ReportBand::ReportHeader, -1);
        // The page header always goes on, whatever room it needs.
        if (takesRoom(m_layout.section(ReportBand::PageHeader))) {
            const int height = measure(ReportBand::PageHeader, -1);
            lay(ReportBand::PageHeader, -1, m_y);
            m_y += height;
        }
        m_fresh = true;
    }

    void closePage()
    {
        const ReportSection& f = m_layout.section(ReportBand::PageFooter);
        if (takesRoom(f)) {
            measure(ReportBand::PageFooter, -1);
            lay(ReportBand::PageFooter, -1, m_layout.pageHeight - m_layout.bottomMargin - f.height);
        }
        if (!making())
            return;
        m_itemsPerPage = std::max<qsizetype>(m_itemsPerPage, m_page.items.size() + 8);
        if (!m_sink(m_pageIndex, std::move(m_page)) || m_pageIndex >= m_last)
            m_done = true;
    }

    const ReportLayout& m_layout;
    const ReportRows& m_data;
    const QVector<int>* m_columns;   // per band, per control: its column or -1
    const QHash<QString, QVariant>& m_sums;
    const Placeholders& m_ph;
    QStringList m_captions[kReportBandCount];   // per band, per control: a label's caption as shown
    // Per band, per control: a value as shown, by its text or by its bits.
    std::vector<QHash<QString, QString>> m_shownTexts[kReportBandCount];
    std::vector<QHash<ValueBits, QString>> m_shownValues[kReportBandCount];
    // Per band, per control: the value it showed last, and how.
    struct Shown {
        bool known = false;
        QVariant value;
        QString text;
    };
    std::vector<Shown> m_lastShown[kReportBandCount];
    const int m_total;           // pages in the report; 0 while counting them
    const int m_first, m_last;   // the pages made
    const Sink m_sink;
    std::vector<detail::PageStart>* m_starts = nullptr;
    detail::PageStart m_call;    // where the call laying out now started
    ReportPage m_page;           // the page being made
    int m_pageIndex = -1;
    bool m_done = false;
    QBitArray m_placeholders[kReportBandCount];   // per band, per control: a caption with placeholders
    QList<int> m_growing[kReportBandCount];       // per band: its growing controls
    QList<QString> m_grownTexts[kReportBandCount];   // per band, per control: a growing control's text
    QVarLengthArray<Growth, 4> m_growths;         // of the band last measured
    int m_y = 0;
    int m_bottom = 0;
    int m_freshTop = 0;
    bool m_fresh = true;
    qsizetype m_itemsPerPage = 64;
    QList<Piece> m_buffers[kReportBandCount];
    QList<ReportItem> m_prototypes[kReportBandCount];   // per band, per control
};

// The names items carry (their control's, field's and font's) go on every
// item of every block, yet the whole program has few of them: each is kept
// once for the program's life, and items share it without counting
// references, so that copying a name onto the thousands of items of a long
// report costs no atomic operation.
QString lastingName(const QString& name)
{
    static auto* const kept = new QHash<QString, QString>;
    if (name.isEmpty())
        return name;
    auto it = kept->constFind(name);
    if (it == kept->cend()) {
        const QString owned(name.constData(), name.size());   // storage of its own, never freed
        it = kept->insert(owned, QString::fromRawData(owned.constData(), owned.size()));
    }
    return *it;
}

void useLastingNames(ReportLayout& layout)
{
    for (ReportSection& s : layout.sections)
        for (ReportControl& c : s.controls) {
            c.name = lastingName(c.name);
            c.dataField = lastingName(c.dataField);
            c.font.name = lastingName(c.font.name);
        }
}

// The columns the layout's fields and sums name: all a job needs to copy.
QStringList boundFields(const ReportLayout& layout)
{
    QStringList names;
    for (const ReportSection& s : layout.sections)
        for (const ReportControl& c : s.controls)
            if ((c.kind == ReportControl::Field || c.kind == ReportControl::Function)
                && !names.contains(c.dataField, Qt::CaseInsensitive))
                names << c.dataField;
    return names;
}
// Widens the controls that take the room of their widest value; what stands
// after one on its line moves right by as much. Such controls standing one
// under the other (the same left edge in the band) widen alike, so that the
// lines of a block stay in columns.
void widenToWidest(ReportLayout& layout, const ReportRows& data, const QVector<int>* columns,
                   const QHash<QString, QVariant>& sums)
{
    // The width each such control's widest value needs: each value the
    // column holds measured once.
    struct Widest {
        int band, control;
        FontMeasures* m;
        double width = 0;
    };
    std::vector<Widest> all;
    for (int b = 0; b < kReportBandCount; ++b)
        for (int i = 0; i < layout.sections[b].controls.size(); ++i) {
            const ReportControl& c = std::as_const(layout.sections[b].controls)[i];
            if (c.fitWidest && columns[b][i] >= 0)
                all.push_back(Widest{b, i, &measures(c.font)});
        }
    const auto measure = [&](Widest& w, const QVariant& v) {
        if (v.isNull())
            return;
        const ReportControl& c = std::as_const(layout.sections[w.band].controls)[w.control];
        const QString text = formatValue(v, c.format);
        // Most values are surely narrow enough; only the others are measured.
        if (!surelyNarrower(text, *w.m, c.width))
            w.width = std::max(w.width, measuredWidth(*w.m, text));
    };
    for (Widest& w : all) {
        const ReportControl& c = std::as_const(layout.sections[w.band].controls)[w.control];
        if (c.kind == ReportControl::Function)
            measure(w, sums.value(c.dataField.toLower()));
        else
            for (const QVariant& v : data.distinct(columns[w.band][w.control]))
                measure(w, v);
    }

    auto widest = all.cbegin();
    for (int b = 0; b < kReportBandCount; ++b) {
        QList<ReportControl>& controls = layout.sections[b].controls;
        // Left edge as drawn -> the width the widest value of that column needs.
        std::map<int, int> needs;
        QList<int> growing;
        for (; widest != all.cend() && widest->band == b; ++widest) {
            const ReportControl& c = std::as_const(controls)[widest->control];
            growing << widest->control;
            int& need = needs[c.left];
            need = std::max({need, c.width, widest->width > 0 ? int(std::ceil(widest->width)) + 30 : 0});
        }
        if (growing.isEmpty())
            continue;
        // From left to right, so that each sees where the ones before it moved it.
        std::stable_sort(growing.begin(), growing.end(),
                         [&](int x, int y) { return controls.at(x).left < controls.at(y).left; });
        QList<int> drawnLeft;
        for (int i : std::as_const(growing))
            drawnLeft << controls.at(i).left;
        for (int k = 0; k < growing.size(); ++k) {
            const int i = growing[k];
            const int delta = needs[drawnLeft[k]] - controls.at(i).width;
            if (delta <= 0)
                continue;
            ReportControl& c = controls[i];
            const int oldRight = c.left + c.width;
            const int top = c.top, bottom = c.top + c.height;
            c.width += delta;
            for (int j = 0; j < controls.size(); ++j) {
                ReportControl& o = controls[j];
                const bool sameLine = o.top < bottom && o.top + std::max(o.height, 1) > top;
                if (j != i && sameLine && o.left >= oldRight - 15)
                    o.left += delta;
            }
        }
    }
}

} // namespace

Report::Report(ReportLayout layout)
    : m_layout(std::move(layout)), m_elapsed(&monotonicSeconds)
{
}

Report::~Report() = default;

void Report::setDataSource(std::shared_ptr<Recordset> recordset)
{
    m_source = std::move(recordset);
    m_data.reset();
}

void Report::setData(ReportData data)
{
    m_data = std::make_unique<ReportData>(std::move(data));
    m_source.reset();
}

void Report::setElapsedSource(std::function<double()> elapsedSeconds)
{
    m_elapsed = elapsedSeconds ? std::move(elapsedSeconds) : std::function<double()>(&monotonicSeconds);
}

void Report::raiseError(int number, const QString& description)
{
    bool showEngineBox = true;
    if (onError)
        onError(number, showEngineBox);
    if (showEngineBox)
        ui().msgBox(description, MsgStyle::OkOnly | MsgStyle::Critical, m_layout.title);
}

std::function<bool()> Report::startJob()
{
    // Whole seconds are reported one by one, even when the clock jumps. They
    // are the job's own: the time the handler takes (a question standing
    // open until the user answers it) is left out.
    struct State { double start; int last = 0; };
    auto state = std::make_shared<State>(State{m_elapsed()});
    return [this, state]() {
        const double now = m_elapsed();
        const int whole = int(std::floor(now - state->start));
        if (state->last >= whole)
            return true;
        bool cancel = false;
        while (state->last < whole && !cancel) {
            ++state->last;
            if (onProcessingTimeout)
                onProcessingTimeout(state->last, cancel);
        }
        state->start += m_elapsed() - now;
        return !cancel;
    };
}

namespace {

// The rows a job reads, copied into their compact form a row at a time.
ReportRows compactRows(const ReportData& data)
{
    ReportRows rows(data.fields);
    for (const QVector<QVariant>& row : data.rows)
        rows.append(row.constData());
    rows.squeeze();
    return rows;
}

// Only the columns of the given names (all when none are given).
ReportRows compactRows(const Recordset& rs, const QStringList& onlyFields)
{
    QStringList names;
    QVector<int> columns;
    for (int i = 0; i < rs.fieldCount(); ++i) {
        const QString name = rs.fieldName(i);
        if (!onlyFields.isEmpty() && !onlyFields.contains(name, Qt::CaseInsensitive))
            continue;
        names << name;
        columns << i;
    }
    ReportRows rows(names);
    rs.forEachRow(columns, [&](const QVariant* values) { rows.append(values); });
    rows.squeeze();
    return rows;
}

} // namespace

ReportDocument Report::run()
{
    ReportDocument doc;
    doc.title = m_layout.title;
    doc.pageSize = QSize(m_layout.pageWidth, m_layout.pageHeight);
    m_jobTime = Clock::now();
    // What the last job measured is let go: the caches serve one job's rows.
    forgetMeasures();
    const std::function<bool()> stillGoing = startJob();
    auto fail = [&]() {
        doc.pages.clear();
        doc.cancelled = true;
        return doc;
    };

    // The rows: a copy, so that the caller's cursor stays where it is.
    auto report = std::make_shared<detail::LaidOutReport>();
    ReportRows& rows = report->rows;
    try {
        if (m_data)
            rows = compactRows(*m_data);
        else if (m_source)
            rows = compactRows(*m_source, boundFields(m_layout));
    } catch (const Error& e) {
        raiseError(e.number(), e.description());
        return fail();
    }

    // Every bound control must name a column of the rows.
    QHash<QString, QVariant>& sums = report->sums;
    QVector<int>* columns = report->columns;
    for (int b = 0; b < kReportBandCount; ++b) {
        const auto& controls = m_layout.sections[b].controls;
        columns[b].resize(controls.size());
        for (int i = 0; i < controls.size(); ++i) {
            const ReportControl& c = controls[i];
            columns[b][i] = -1;
            if (c.kind != ReportControl::Field && c.kind != ReportControl::Function)
                continue;
            if (!m_data && !m_source) {
                raiseError(ReportError::NoDataSource, QStringLiteral("DataSource not set."));
                return fail();
            }
            const int col = rows.fieldIndex(c.dataField);
            if (col < 0) {
                raiseError(ReportError::DataFieldNotFound, QStringLiteral("DataField '%1' not found.").arg(c.dataField));
                return fail();
            }
            columns[b][i] = col;
            if (c.kind == ReportControl::Function && !sums.contains(c.dataField.toLower()))
                sums.insert(c.dataField.toLower(), sumColumn(rows, col));
        }
    }

    Placeholders& ph = report->ph;
    ph.shortDate = formatValue(QVariant(m_jobTime.date().startOfDay()), QStringLiteral("Short Date"));
    ph.longDate = formatValue(QVariant(m_jobTime.date().startOfDay()), QStringLiteral("Long Date"));
    ph.time = formatValue(QVariant(QDateTime(dayZero(), m_jobTime.time())), QStringLiteral("Long Time"));

    report->layout = m_layout;
    widenToWidest(report->layout, rows, columns, sums);
    useLastingNames(report->layout);
    // Only where the pages start is found now; each page is made when read.
    Paginator pager(*report, &report->starts);
    pager.begin();
    for (int r = 0; r < rows.size(); ++r) {
        if (!stillGoing())
            return fail();
        pager.detail(r);
    }
    if (!stillGoing())
        return fail();
    pager.end();
    report->starts.shrink_to_fit();
    doc.pages.m_report = std::move(report);
    return doc;
}

// ---------------------------------------------------------------- pages made when read

qsizetype ReportPages::size() const
{
    return m_report ? qsizetype(m_report->starts.size()) : 0;
}

void ReportPages::forEach(const std::function<bool(int page, const ReportPage&)>& use, int from) const
{
    if (from < 0 || from >= size())
        return;
    const detail::LaidOutReport& report = *m_report;
    Paginator pager(report, int(size()), from, int(size()) - 1,
                    [&](int page, ReportPage&& made) { return use(page, made); });
    // From the call that began the first page asked for: what it laid out
    // before that page is laid out again, and not made.
    const detail::PageStart& start = report.starts[std::size_t(from)];
    int record = 0;
    if (start.kind == detail::PageStart::Begin) {
        pager.begin();
    } else {
        pager.resume(start);
        record = start.kind == detail::PageStart::Detail ? start.record : report.rows.size();
    }
    for (; record < report.rows.size() && !pager.done(); ++record)
        pager.detail(record);
    if (!pager.done())
        pager.end();
}

ReportPage ReportPages::at(qsizetype page) const
{
    Q_ASSERT(page >= 0 && page < size());
    return value(page);
}

ReportPage ReportPages::value(qsizetype page) const
{
    ReportPage made;
    forEach([&](int, const ReportPage& p) {
        made = p;
        return false;
    }, int(page));
    return made;
}

// ---------------------------------------------------------------- rendering

namespace {

// A line is fitted to its box at the layout's measure, but a screen sets
// each character on whole pixels and so may make it a little wider: drawn
// clipped, the line would lose its end with no sign of it. It is narrowed
// instead when it takes little, so the preview shows what prints, and ends
// in an ellipsis at the device's own measure otherwise.
constexpr double kMostNarrowing = 0.9;

void drawLine(QPainter& painter, const QRectF& box, int flags, const QString& text)
{
    flags = (flags & ~Qt::TextWordWrap) | Qt::TextSingleLine | Qt::TextDontClip;
    const QFontMetricsF fm(painter.font(), painter.device());
    const double width = fm.horizontalAdvance(text);
    if (width <= box.width()) {
        painter.drawText(box, flags, text);
        return;
    }
    const double narrowing = box.width() / width;
    if (narrowing < kMostNarrowing) {
        painter.drawText(box, flags, fm.elidedText(text, Qt::ElideRight, box.width()));
        return;
    }
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(narrowing, 1);
    painter.drawText(QRectF(0, 0, width, box.height()), flags, text);
    painter.restore();
}

// A wrapped text drawn line by line where the layout broke it, whatever the
// device's resolution: a device that sets the text a little wider then
// neither adds a line below the box nor moves words to another line.
void drawWrapped(QPainter& painter, const ReportItem& item, const QRectF& inner, double k, int flags)
{
    const double width = item.rect.width() - (item.border ? 60 : 0);
    FontMeasures& m = measures(item.font);
    if (!hasLineBreak(item.text) && surelyNarrower(item.text, m, width)) {
        drawLine(painter, inner, flags, item.text);
        return;
    }
    const QList<WrappedLine> lines = wrapLines(item.text, item.font, width);
    if (lines.isEmpty())
        return;
    const double total = (lines.last().y + lines.last().height) * k;
    double top = inner.top();
    if (flags & Qt::AlignVCenter)
        top += std::max(0.0, (inner.height() - total) / 2);
    else if (flags & Qt::AlignBottom)
        top += std::max(0.0, inner.height() - total);
    const int lineFlags = (flags & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
    for (const WrappedLine& line : lines) {
        QString shown = item.text.mid(line.start, line.length);
        while (!shown.isEmpty() && (shown.back().isSpace() || shown.back() == QChar::LineSeparator))
            shown.chop(1);
        if (!shown.isEmpty())
            drawLine(painter, QRectF(inner.left(), top + line.y * k, inner.width(), line.height * k), lineFlags, shown);
    }
}

} // namespace

void renderReportPage(QPainter& painter, const ReportPage& page, double dpi, QPointF origin)
{
    const double k = dpi / 1440.0;
    auto map = [&](const QRect& r) {
        return QRectF(origin.x() + r.left() * k, origin.y() + r.top() * k, r.width() * k, r.height() * k);
    };
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 15 * k));   // a hairline of one pixel on screen
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const ReportItem& item : page.items) {
        const QRectF r = map(item.rect);
        switch (item.kind) {
        case ReportItem::Text: {
            if (!item.text.isEmpty()) {
                painter.setFont(qfont(item.font));
                int flags = item.alignment;
                if (!(flags & Qt::AlignVertical_Mask))
                    flags |= Qt::AlignTop;
                flags |= item.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
                const QRectF inner = item.border ? r.adjusted(30 * k, 15 * k, -30 * k, -15 * k) : r;
                if (item.wordWrap)
                    drawWrapped(painter, item, inner, k, flags);
                else
                    drawLine(painter, inner, flags, item.text);
            }
            if (item.border)
                painter.drawRect(r);
            break;
        }
        case ReportItem::Line:
            painter.drawLine(r.topLeft(), r.bottomRight());
            break;
        case ReportItem::Frame:
            painter.drawRect(r);
            break;
        }
    }
    painter.restore();
}

QImage reportPageImage(const ReportDocument& document, int page, double dpi)
{
    const double k = dpi / 1440.0;
    QImage image(qMax(1, qRound(document.pageSize.width() * k)), qMax(1, qRound(document.pageSize.height() * k)),
                 QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    if (page < 0 || page >= document.pages.size())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderReportPage(painter, document.pages[page], image.logicalDpiY());
    return image;
}

namespace {
const QString kNoPrinter = QStringLiteral("Printing is not possible: no printer is available.");

// A print-out stopped part way must not pass for a whole one: the user
// learns how far it got, and a file that would hold only its first pages
// (a valid-looking document without its last pages and totals) is removed.
void tellStopped(const QString& file, int printed, int pages)
{
    QString text = QStringLiteral("The print-out was stopped after page %1 of %2.").arg(printed).arg(pages);
    if (!file.isEmpty())
        text += (QFile::remove(file) ? QStringLiteral(" The unfinished file \"%1\" was removed.")
                                     : QStringLiteral(" The unfinished file \"%1\" could not be removed."))
                    .arg(QDir::toNativeSeparators(file));
    ui().msgBox(text, MsgStyle::OkOnly);
}

QPageSize pageSizeOf(const ReportDocument& doc)
{
    return QPageSize(QSizeF(doc.pageSize.width() / 1440.0, doc.pageSize.height() / 1440.0), QPageSize::Inch,
                     QString(), QPageSize::FuzzyMatch);
}
}

bool Report::print(const ReportDocument& document, QPrinter& printer)
{
    if (document.cancelled)
        return false;
    const std::function<bool()> stillGoing = startJob();
    printer.setDocName(document.title);
    printer.setFullPage(true);
    printer.setPageSize(pageSizeOf(document));
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) {
        raiseError(ReportError::PrintingImpossible, kNoPrinter);
        return false;
    }
    const double dpi = painter.device()->logicalDpiY();
    bool cancelled = false, failed = false;
    int printed = 0;
    document.pages.forEach([&](int i, const ReportPage& page) {
        if (!stillGoing()) {
            cancelled = true;
            return false;
        }
        if (i > 0 && !printer.newPage()) {
            failed = true;
            return false;
        }
        renderReportPage(painter, page, dpi);
        printed = i + 1;
        return true;
    });
    if (cancelled)
        printer.abort();
    if (cancelled || failed) {
        painter.end();
        if (failed)
            raiseError(ReportError::PrintingImpossible, kNoPrinter);
        else
            tellStopped(printer.outputFileName(), printed, document.pageCount());
        return false;
    }
    return painter.end();
}

bool Report::exportPdf(const ReportDocument& document, const QString& file)
{
    if (document.cancelled)
        return false;
    QPdfWriter writer(file);
    writer.setTitle(document.title);
    writer.setResolution(1200);
    writer.setPageSize(pageSizeOf(document));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) {
        raiseError(ReportError::PrintingImpossible, QStringLiteral("Cannot write the file '%1'.").arg(file));
        return false;
    }
    const double dpi = painter.device()->logicalDpiY();
    document.pages.forEach([&](int i, const ReportPage& page) {
        if (i > 0)
            writer.newPage();
        renderReportPage(painter, page, dpi);
        return true;
    });
    return painter.end();
}

bool Report::printWithDialog(const ReportDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.title);
    printer.setPageSize(pageSizeOf(document));
    if (!choosePrinter(&printer))
        return false;
    return print(document, printer);
}

void Report::show()
{
    {
        ReportDocument doc = run();
        if (doc.cancelled)
            return;
        ReportPreview preview(*this, std::move(doc));
        preview.exec();
    }
    // The preview's rows and what was measured for them are gone; the heap
    // they took goes back to the system rather than staying with the
    // program for a report it may never show again.
    forgetMeasures();
    giveBackFreedMemory();
}

void giveBackFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace qv
