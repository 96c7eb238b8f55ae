#include "platform/report/report.h"
#include "platform/report/report_preview.h"
#include "platform/data/recordset.h"
#include "platform/print/printer.h"
#include "platform/services/services.h"
#include "platform/values/clock.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"
#include "platform/values/money.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QVarLengthArray>
#include <algorithm>
#include <map>
#include <cmath>

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
    const int count = std::max(0, rs.recordCount());
    data.rows.reserve(count);
    for (int r = 0; r < count; ++r) {
        QVector<QVariant> row(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row[i] = rs.valueAt(r, columns[i]);
        data.rows.append(std::move(row));
    }
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

const QFontMetricsF& metrics(const ReportFont& f)
{
    // Measures kept for the program's life, let go with the application
    // object while the fonts they measure still exist.
    static QHash<QString, QFontMetricsF*>* cache = nullptr;
    if (!cache) {
        cache = new QHash<QString, QFontMetricsF*>;
        if (QCoreApplication::instance())
            qAddPostRoutine([] {
                qDeleteAll(*cache);
                delete cache;
                cache = nullptr;
            });
    }
    const QString key = f.name + QLatin1Char('|') + QString::number(f.size) + (f.bold ? "b" : "") + (f.italic ? "i" : "");
    auto it = cache->find(key);
    if (it == cache->end())
        it = cache->insert(key, new QFontMetricsF(qfont(f), &twipsDevice()));
    return **it;
}

// True when the text surely stands on one line of the width, found without
// laying it out: no glyph of the font is wider than its widest advance, and
// printable Latin-1 never falls back to another font (tabs, line ends and
// other scripts take the full measure).
bool fitsOneLine(const QString& text, const QFontMetricsF& fm, int width)
{
    if (text.size() * fm.maxWidth() > width)
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u > 0xFF)
            return false;
    }
    return true;
}

} // namespace

double reportTextWidth(const QString& text, const ReportFont& font)
{
    return metrics(font).horizontalAdvance(text);
}

double reportTextHeight(const QString& text, const ReportFont& font, int width, bool wordWrap)
{
    const QFontMetricsF& fm = metrics(font);
    if (!wordWrap || width <= 0)
        return fm.height() * std::max<qsizetype>(1, text.count(QLatin1Char('\n')) + 1);
    if (fitsOneLine(text, fm, width))
        return fm.height();
    const QRectF r = fm.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return std::max(r.height(), fm.height());
}

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// Whether a text set in the font, wrapped at the width, fits the height.
bool fitsBox(const QString& text, const ReportFont& font, int width, int height)
{
    return reportTextHeight(text, font, width, true) <= height + 0.5;
}

// A wrapped text cut to the lines that fit the box, the last one ending in an
// ellipsis (after a whole word where the line has one), so that the reader
// sees the text goes on. A text that fits is returned as it is.
QString cutToBox(const QString& text, const ReportFont& font, int width, int height)
{
    if (width <= 0 || fitsBox(text, font, width, height))
        return text;
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
        if (fitsBox(shortened(mid), font, width, height))
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
    return shortened(low);
}

} // namespace

// ---------------------------------------------------------------- report

namespace {

double monotonicSeconds()
{
    static QElapsedTimer timer = [] { QElapsedTimer t; t.start(); return t; }();
    return timer.nsecsElapsed() / 1e9;
}

QVariant sumColumn(const ReportData& data, int column)
{
    Money money;
    double real = 0;
    bool anyReal = false;
    for (const QVector<QVariant>& row : data.rows) {
        const QVariant& v = row[column];
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

// Lays the bands out page by page.
class Paginator {
public:
    Paginator(const ReportLayout& layout, const ReportData& data, const QVector<int>* columns,
              const QHash<QString, QVariant>& sums, const Placeholders& ph)
        : m_layout(layout), m_data(data), m_columns(columns), m_sums(sums), m_ph(ph)
    {
        const ReportSection& footer = layout.section(ReportBand::PageFooter);
        const ReportSection& header = layout.section(ReportBand::PageHeader);
        m_bottom = layout.pageHeight - layout.bottomMargin - (footer.visible ? footer.height : 0);
        m_freshTop = layout.topMargin + (header.visible ? header.height : 0);
    }

    QList<ReportPage> pages;

    void begin() { newPage(true); }
    void detail(int record) { place(ReportBand::Detail, record); }

    void end()
    {
        place(ReportBand::ReportFooter, -1);
        closePage();
        const int count = pages.size();
        for (const auto& [p, i] : m_pageCountItems) {
            ReportItem& item = pages[p].items[i];
            item.text = m_ph.apply(item.text, p + 1, count);
        }
    }

private:
    struct Piece {
        ReportItem item;   // rect relative to the band's top-left corner
        bool label = false;
    };

    // Builds into the band's own buffer: a report makes many blocks, and a
    // block waiting for a page break must survive the page footer and header
    // being built meanwhile.
    QList<Piece>& build(ReportBand band, int record, int& height)
    {
        const ReportSection& s = m_layout.section(band);
        const QVector<int>& columns = m_columns[int(band)];
        QList<Piece>& pieces = m_buffers[int(band)];
        pieces.clear();
        pieces.reserve(s.controls.size());
        struct Growth { int bottom; int delta; };
        QVarLengthArray<Growth, 4> growths;
        height = s.height;
        for (int i = 0; i < s.controls.size(); ++i) {
            const ReportControl& c = s.controls[i];
            ReportItem::Kind kind = ReportItem::Text;
            QString text;
            switch (c.kind) {
            case ReportControl::Label:
                text = c.caption;
                break;
            case ReportControl::Field:
                if (record >= 0 && columns[i] >= 0) {
                    const QVariant& v = m_data.rows[record][columns[i]];
                    if (!v.isNull())
                        text = formatValue(v, c.format);
                }
                break;
            case ReportControl::Function:
                text = formatValue(m_sums.value(c.dataField.toLower()), c.format);
                break;
            case ReportControl::Line: kind = ReportItem::Line; break;
            case ReportControl::Frame: kind = ReportItem::Frame; break;
            }
            // Made in place: a report makes an item for every control of every block.
            Piece& p = pieces.emplace_back(Piece{ReportItem{.kind = kind,
                                                            .band = band,
                                                            .control = c.name,
                                                            .dataField = c.dataField,
                                                            .record = band == ReportBand::Detail ? record : -1,
                                                            .rect = QRect(c.left, c.top, c.width, c.height),
                                                            .text = std::move(text),
                                                            .font = c.font,
                                                            .alignment = c.alignment,
                                                            .border = c.border,
                                                            .wordWrap = c.wordWrap || c.canGrow},
                                                 c.kind == ReportControl::Label});
            ReportItem& it = p.item;
            if (c.wordWrap && !c.canGrow && it.kind == ReportItem::Text && !it.text.isEmpty()) {
                // The room the renderer gives the text inside its frame.
                const int insetX = c.border ? 60 : 0, insetY = c.border ? 30 : 0;
                it.text = cutToBox(it.text, c.font, c.width - insetX, c.height - insetY);
            }
            if (c.canGrow && it.kind == ReportItem::Text && !it.text.isEmpty()) {
                const int need = int(std::ceil(reportTextHeight(it.text, c.font, c.width, true)));
                if (need > c.height) {
                    growths.append({c.top + c.height, need - c.height});
                    it.rect.setHeight(need);
                }
            }
        }
        // What stands below a grown control moves down with it.
        for (const Growth& g : growths) {
            for (int i = 0; i < pieces.size(); ++i)
                if (s.controls[i].top >= g.bottom)
                    pieces[i].item.rect.translate(0, g.delta);
            height += g.delta;
        }
        return pieces;
    }

    void put(Piece& p, int top)
    {
        ReportItem& it = p.item;
        it.rect.translate(m_layout.leftMargin, top);
        if (p.label && it.text.contains(QLatin1Char('%'))) {
            // A caption that needs the page count is filled in whole once the count is known.
            if (it.text.contains(QLatin1String("%P")))
                m_pageCountItems.append({int(pages.size() - 1), int(pages.back().items.size())});
            else
                it.text = m_ph.apply(it.text, pages.size(), 0);
        }
        pages.back().items.append(std::move(it));
    }

    void place(ReportBand band, int record)
    {
        const ReportSection& s = m_layout.section(band);
        if (!takesRoom(s))
            return;
        int height = 0;
        QList<Piece>& pieces = build(band, record, height);
        if (height > m_bottom - m_y) {
            const bool fitsEmptyPage = height <= m_bottom - m_freshTop;
            if (!m_fresh && (fitsEmptyPage || s.keepTogether)) {
                closePage();
                newPage(false);
            }
            if (height > m_bottom - m_y) {
                split(pieces, height);
                return;
            }
        }
        for (Piece& p : pieces)
            put(p, m_y);
        m_y += height;
        m_fresh = false;
    }

    // A block taller than the room left: its controls go on in order, a new
    // page starting with the first control that does not fit.
    void split(QList<Piece>& pieces, int height)
    {
        std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
            if (a.item.rect.top() != b.item.rect.top())
                return a.item.rect.top() < b.item.rect.top();
            return a.item.rect.bottom() > b.item.rect.bottom();
        });
        int offset = m_y;   // page position of the band's top
        bool placedOnPage = false;
        for (Piece& p : pieces) {
            const QRect r = p.item.rect;
            if (offset + r.top() + r.height() > m_bottom && (placedOnPage || !m_fresh)) {
                closePage();
                newPage(false);
                offset = m_y - r.top();
                placedOnPage = false;
            }
            put(p, offset);
            placedOnPage = true;
            m_fresh = false;
        }
        m_y = std::max(m_y, offset + height);
    }

    void newPage(bool first)
    {
        pages.append(ReportPage{});
        pages.back().items.reserve(m_itemsPerPage);
        m_y = m_layout.topMargin;
        m_fresh = true;
        if (first)
            place(ReportBand::ReportHeader, -1);
        // The page header always goes on, whatever room it needs.
        if (takesRoom(m_layout.section(ReportBand::PageHeader))) {
            int height = 0;
            QList<Piece>& pieces = build(ReportBand::PageHeader, -1, height);
            for (Piece& p : pieces)
                put(p, m_y);
            m_y += height;
        }
        m_fresh = true;
    }

    void closePage()
    {
        m_itemsPerPage = std::max<qsizetype>(m_itemsPerPage, pages.back().items.size() + 8);
        const ReportSection& f = m_layout.section(ReportBand::PageFooter);
        if (!takesRoom(f))
            return;
        int height = 0;
        QList<Piece>& pieces = build(ReportBand::PageFooter, -1, height);
        const int top = m_layout.pageHeight - m_layout.bottomMargin - f.height;
        for (Piece& p : pieces)
            put(p, top);
    }

    const ReportLayout& m_layout;
    const ReportData& m_data;
    const QVector<int>* m_columns;   // per band, per control: its column or -1
    const QHash<QString, QVariant>& m_sums;
    const Placeholders& m_ph;
    QList<QPair<int, int>> m_pageCountItems;   // (page, item) labels still holding "%P"
    int m_y = 0;
    int m_bottom = 0;
    int m_freshTop = 0;
    bool m_fresh = true;
    qsizetype m_itemsPerPage = 64;
    QList<Piece> m_buffers[kReportBandCount];
};

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
void widenToWidest(ReportLayout& layout, const ReportData& data, const QVector<int>* columns,
                   const QHash<QString, QVariant>& sums)
{
    for (int b = 0; b < kReportBandCount; ++b) {
        QList<ReportControl>& controls = layout.sections[b].controls;
        // Left edge as drawn -> the width the widest value of that column needs.
        std::map<int, int> needs;
        QList<int> growing;
        for (int i = 0; i < controls.size(); ++i) {
            const ReportControl& c = std::as_const(controls)[i];
            if (!c.fitWidest || columns[b][i] < 0)
                continue;
            const QFontMetricsF& fm = metrics(c.font);
            double widest = 0;
            auto measure = [&](const QVariant& v) {
                if (v.isNull())
                    return;
                const QString text = formatValue(v, c.format);
                // Most values are surely narrow enough; only the others are measured.
                if (text.size() * fm.maxWidth() > c.width)
                    widest = std::max(widest, fm.horizontalAdvance(text));
            };
            if (c.kind == ReportControl::Function)
                measure(sums.value(c.dataField.toLower()));
            else
                for (const QVector<QVariant>& row : data.rows)
                    measure(row[columns[b][i]]);
            growing << i;
            int& need = needs[c.left];
            need = std::max({need, c.width, widest > 0 ? int(std::ceil(widest)) + 30 : 0});
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
    // Whole seconds are reported one by one, even when the clock jumps.
    struct State { double start; int last = 0; };
    auto state = std::make_shared<State>(State{m_elapsed()});
    return [this, state]() {
        const int whole = int(std::floor(m_elapsed() - state->start));
        while (state->last < whole) {
            ++state->last;
            bool cancel = false;
            if (onProcessingTimeout)
                onProcessingTimeout(state->last, cancel);
            if (cancel)
                return false;
        }
        return true;
    };
}

ReportDocument Report::run()
{
    ReportDocument doc;
    doc.title = m_layout.title;
    doc.pageSize = QSize(m_layout.pageWidth, m_layout.pageHeight);
    m_jobTime = Clock::now();
    const std::function<bool()> stillGoing = startJob();
    auto fail = [&]() {
        doc.pages.clear();
        doc.cancelled = true;
        return doc;
    };

    // The rows: a copy, so that the caller's cursor stays where it is.
    ReportData rows;
    try {
        if (m_data)
            rows = *m_data;
        else if (m_source)
            rows = ReportData::fromRecordset(*m_source, boundFields(m_layout));
    } catch (const Error& e) {
        raiseError(e.number(), e.description());
        return fail();
    }

    // Every bound control must name a column of the rows.
    QHash<QString, QVariant> sums;
    QVector<int> columns[kReportBandCount];
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

    Placeholders ph;
    ph.shortDate = formatValue(QVariant(m_jobTime.date().startOfDay()), QStringLiteral("Short Date"));
    ph.longDate = formatValue(QVariant(m_jobTime.date().startOfDay()), QStringLiteral("Long Date"));
    ph.time = formatValue(QVariant(QDateTime(dayZero(), m_jobTime.time())), QStringLiteral("Long Time"));

    ReportLayout laidOut = m_layout;
    widenToWidest(laidOut, rows, columns, sums);
    Paginator pager(laidOut, rows, columns, sums, ph);
    pager.begin();
    for (int r = 0; r < rows.rows.size(); ++r) {
        if (!stillGoing())
            return fail();
        pager.detail(r);
    }
    if (!stillGoing())
        return fail();
    pager.end();
    doc.pages = std::move(pager.pages);
    return doc;
}

// ---------------------------------------------------------------- rendering

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
                painter.drawText(inner, flags, item.text);
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
    for (int i = 0; i < document.pages.size(); ++i) {
        if (!stillGoing()) {
            printer.abort();
            painter.end();
            return false;
        }
        if (i > 0 && !printer.newPage()) {
            painter.end();
            raiseError(ReportError::PrintingImpossible, kNoPrinter);
            return false;
        }
        renderReportPage(painter, document.pages[i], dpi);
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
    for (int i = 0; i < document.pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        renderReportPage(painter, document.pages[i], dpi);
    }
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
    ReportDocument doc = run();
    if (doc.cancelled)
        return;
    ReportPreview preview(*this, std::move(doc));
    preview.exec();
}

} // namespace qv
