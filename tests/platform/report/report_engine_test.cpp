// The banded report engine on rows given directly: bands, placeholders,
// sums, page breaks, growing fields, time-outs, errors and rendering.
#include "platform/report/band_writer.h"
#include "platform/report/report.h"
#include "platform/report/report_rows.h"
#include "platform/services/services.h"
#include "platform/values/clock.h"
#include "platform/values/convert.h"
#include "platform/values/money.h"
#include "support/pdf_text.h"
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <optional>

using namespace qv;

namespace {

const QString kMoney = QStringLiteral("\"$\"#,##0.00");

// A small report: a title, page numbers, one captioned line per row, a sum.
ReportLayout ledgerLayout()
{
    ReportLayout l;
    l.title = QStringLiteral("Ledger");
    BandWriter rh(l.section(ReportBand::ReportHeader));
    rh.label(QStringLiteral("Ledger of %d"), 0, 4000);
    rh.finish();
    BandWriter ph(l.section(ReportBand::PageHeader));
    ph.label(QStringLiteral("Page %p of %P"), 0, 3000);
    ph.finish();
    BandWriter d(l.section(ReportBand::Detail));
    d.captioned(QStringLiteral("Item:"), QStringLiteral("Item"), 0, 1500, 3000);
    d.captioned(QStringLiteral("Amount:"), QStringLiteral("Amount"), 5000, 6000, 2000, kMoney);
    d.finish();
    BandWriter pf(l.section(ReportBand::PageFooter));
    pf.label(QStringLiteral("- %p -"), 4000, 1000);
    pf.finish();
    BandWriter f(l.section(ReportBand::ReportFooter));
    f.captionedSum(QStringLiteral("Total:"), QStringLiteral("Amount"), 0, 1500, 2000, kMoney);
    f.finish();
    return l;
}

ReportData ledgerRows(int count)
{
    ReportData data;
    data.fields = {QStringLiteral("Item"), QStringLiteral("Amount")};
    for (int i = 0; i < count; ++i)
        data.rows.append({QStringLiteral("Item %1").arg(i + 1), QVariant::fromValue(Money::fromUnits(1250000 * (i + 1)))});
    return data;
}

// A layout whose page header is one label.
ReportLayout headedLayout(const QString& heading, int width)
{
    ReportLayout l;
    BandWriter ph(l.section(ReportBand::PageHeader));
    ph.label(heading, 0, width);
    ph.finish();
    return l;
}

// "word000", "word001", ...: a long text whose every part can be told apart.
QStringList numberedWords(int count)
{
    QStringList words;
    for (int i = 0; i < count; ++i)
        words << QStringLiteral("word%1").arg(i, 3, 10, QLatin1Char('0'));
    return words;
}

} // namespace

TEST(ReportEngine, NoRowsGivesHeadersAnEmptyDetailAndZeroSums)
{
    ScopedScriptedUi ui;
    ScopedClock clock(QDateTime(QDate(2001, 7, 30), QTime(14, 5, 9)));
    Report report(ledgerLayout());
    report.setData(ledgerRows(0));
    const ReportDocument doc = report.run();

    ASSERT_FALSE(doc.cancelled);
    ASSERT_EQ(doc.pageCount(), 1);
    const ReportPage& page = doc.pages[0];
    EXPECT_TRUE(page.itemsIn(ReportBand::Detail).isEmpty());
    EXPECT_EQ(page.texts(), (QStringList{QStringLiteral("Ledger of 7/30/2001"), QStringLiteral("Page 1 of 1"),
                                          QStringLiteral("Total:"), QStringLiteral("$0.00"), QStringLiteral("- 1 -")}));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST(ReportEngine, PagesBreakBetweenBlocksAndCountThemselves)
{
    ScopedScriptedUi ui;
    Report report(ledgerLayout());
    report.setData(ledgerRows(120));
    const ReportDocument doc = report.run();
    ASSERT_GE(doc.pageCount(), 3);

    const ReportLayout& l = report.layout();
    const int footerTop = l.pageHeight - l.bottomMargin - l.section(ReportBand::PageFooter).height;
    int lastRecord = -1;
    for (int p = 0; p < doc.pageCount(); ++p) {
        const ReportPage& page = doc.pages[p];
        // Every page says which it is and how many there are.
        EXPECT_TRUE(page.texts().contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(doc.pageCount())));
        EXPECT_TRUE(page.texts().contains(QStringLiteral("- %1 -").arg(p + 1)));
        for (const ReportItem& item : page.items) {
            if (item.band == ReportBand::PageFooter) {
                EXPECT_EQ(item.rect.top(), footerTop);
                continue;
            }
            // Nothing runs into the page footer.
            EXPECT_LE(item.rect.bottom() + 1, footerTop) << item.text.toStdString();
            if (item.record >= 0) {
                EXPECT_GE(item.record, lastRecord);   // rows in order, none twice on different pages
                lastRecord = item.record;
            }
        }
    }
    EXPECT_EQ(lastRecord, 119);
    // Only the first page carries the report header; the last carries the sum.
    EXPECT_TRUE(doc.pages.first().texts().first().startsWith(QStringLiteral("Ledger of ")));
    EXPECT_FALSE(doc.pages[1].texts().first().startsWith(QStringLiteral("Ledger of ")));
    EXPECT_EQ(doc.pages.last().itemsIn(ReportBand::ReportFooter).size(), 2);
    // 125.00 * (1 + ... + 120)
    EXPECT_TRUE(doc.pages.last().texts().contains(QStringLiteral("$907,500.00")));
    // Every row shows exactly once, and a block is never split across pages:
    // its four items stand on one page.
    QSet<int> seen;
    for (const ReportPage& page : doc.pages) {
        QHash<int, int> perRecord;
        for (const ReportItem& item : page.itemsIn(ReportBand::Detail))
            ++perRecord[item.record];
        for (auto it = perRecord.cbegin(); it != perRecord.cend(); ++it) {
            EXPECT_EQ(it.value(), 4);
            EXPECT_FALSE(seen.contains(it.key()));
            seen.insert(it.key());
        }
        EXPECT_EQ(page.itemsIn(ReportBand::PageHeader).size(), 1);
        EXPECT_EQ(page.itemsIn(ReportBand::PageFooter).size(), 1);
    }
    EXPECT_EQ(seen.size(), 120);
}

TEST(ReportEngine, PlaceholdersAreOnlyReplacedInLabels)
{
    ScopedScriptedUi ui;
    ScopedClock clock(QDateTime(QDate(2001, 7, 30), QTime(14, 5, 9)));
    ReportLayout l;
    BandWriter ph(l.section(ReportBand::PageHeader));
    ph.label(QStringLiteral("%D"), 0, 4000);
    ph.label(QStringLiteral("%T"), 4000, 2000);
    ph.label(QStringLiteral("100%% of %q"), 6000, 2000);
    ph.next();
    ph.label(QStringLiteral("%%P is %P"), 0, 2000);   // an escaped "%P" stays, the real one counts
    ph.finish();
    BandWriter d(l.section(ReportBand::Detail));
    d.field(QStringLiteral("Note"), 0, 4000);
    d.finish();
    Report report(l);
    ReportData data;
    data.fields = {QStringLiteral("note")};   // field names match without regard to case
    data.rows.append({QStringLiteral("page %p of %P")});
    report.setData(data);
    const QStringList texts = report.run().pages.value(0).texts();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Monday, July 30, 2001"), QStringLiteral("2:05:09 PM"),
                                  QStringLiteral("100% of %q"), QStringLiteral("%P is 1"), QStringLiteral("page %p of %P")}));
}

TEST(ReportEngine, SumsAddMoneyNumbersAndAmountTextsAndSkipTheRest)
{
    ScopedScriptedUi ui;
    ReportLayout l;
    BandWriter f(l.section(ReportBand::ReportFooter));
    f.sum(QStringLiteral("A"), 0, 2000, kMoney);
    f.sum(QStringLiteral("B"), 2000, 2000, kMoney);
    f.finish();
    ReportData data;
    data.fields = {QStringLiteral("A"), QStringLiteral("B")};
    data.rows.append({QVariant::fromValue(Money::fromUnits(1)), QVariant(0.1)});
    data.rows.append({QVariant::fromValue(Money::fromUnits(4)), QVariant(0.2)});
    data.rows.append({QVariant(), QStringLiteral("$1,000.50")});
    data.rows.append({QStringLiteral("not money"), QVariant()});
    Report report(l);
    report.setData(data);
    // 0.0001 + 0.0004 rounds to $0.00; fixed-point money does not drift.
    EXPECT_EQ(report.run().pages.value(0).texts(), (QStringList{QStringLiteral("$0.00"), QStringLiteral("$1,000.80")}));
}

TEST(ReportEngine, GrowingFieldPushesWhatStandsBelowIt)
{
    ScopedScriptedUi ui;
    ReportLayout l;
    BandWriter d(l.section(ReportBand::Detail));
    d.field(QStringLiteral("Memo"), 0, 2000).canGrow = true;
    d.field(QStringLiteral("Side"), 2100, 1000);   // same line: stays
    d.next();
    d.field(QStringLiteral("After"), 0, 2000);     // below: moves down
    d.finish();
    const int normal = l.section(ReportBand::Detail).height;
    ReportData data;
    data.fields = {QStringLiteral("Memo"), QStringLiteral("Side"), QStringLiteral("After")};
    data.rows.append({QStringLiteral("short"), QStringLiteral("s"), QStringLiteral("a")});
    data.rows.append({QString(QStringLiteral("many words that wrap ")).repeated(10), QStringLiteral("s"), QStringLiteral("a")});
    data.rows.append({QStringLiteral("short"), QStringLiteral("s"), QStringLiteral("a")});
    Report report(l);
    report.setData(data);
    const QList<ReportItem> items = report.run().pages.value(0).items;
    ASSERT_EQ(items.size(), 9);
    // Row 0 at its normal size.
    EXPECT_EQ(items[3].rect.top() - items[0].rect.top(), normal);
    // Row 1's memo grew by several lines; its neighbour stayed, the line below moved.
    const int grown = items[3].rect.height() - items[0].rect.height();
    EXPECT_GT(grown, 3 * 200);
    EXPECT_EQ(items[4].rect.top(), items[3].rect.top());
    EXPECT_EQ(items[5].rect.top() - items[3].rect.top(), items[2].rect.top() - items[0].rect.top() + grown);
    EXPECT_EQ(items[6].rect.top() - items[3].rect.top(), normal + grown);
}

// A growing field's height is measured without laying short texts out; it
// must come out as the laid-out text's, on either side of the width, a word
// wider than the line included.
TEST(ReportEngine, MeasuredHeightIsTheLaidOutHeight)
{
    QImage twips(1, 1, QImage::Format_RGB32);
    twips.setDotsPerMeterX(qRound(1440 / 0.0254));
    twips.setDotsPerMeterY(qRound(1440 / 0.0254));
    ReportFont font;
    font.bold = true;
    QFont qf(font.name);
    qf.setPointSizeF(font.size);
    qf.setBold(true);
    const QFontMetricsF fm(qf, &twips);
    const int width = 1500;
    int wrapped = 0;
    for (const QString piece : {"W", "i", "m ", "WM ", "\xc3\x9c" "ber ", "a\t", "\xe2\x82\xac"}) {
        for (int n = 1; n <= 40; ++n) {
            const QString text = piece.repeated(n);
            // Laid out between words, inside a word only when it alone is wider than the line.
            QTextLayout layout(text, qf, &twips);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            int lines = 0;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines)
                line.setLineWidth(width);
            layout.endLayout();
            const double laidOut = std::max(lines, 1) * fm.height();
            EXPECT_DOUBLE_EQ(reportTextHeight(text, font, width, true), laidOut) << text.toStdString();
            wrapped += laidOut > fm.height();
        }
    }
    EXPECT_GT(wrapped, 40);   // both sides of the width were tried
}

TEST(ReportEngine, BlockTallerThanAPageGoesOnOverThePageBreak)
{
    ScopedScriptedUi ui;
    ReportLayout l;
    BandWriter d(l.section(ReportBand::Detail));
    for (int i = 0; i < 70; ++i) {
        d.field(QStringLiteral("F"), 0, 2000);
        d.next();
    }
    d.finish();
    ReportData data;
    data.fields = {QStringLiteral("F")};
    data.rows.append({QStringLiteral("x")});
    Report report(l);
    report.setData(data);
    const ReportDocument doc = report.run();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages[0].items.size() + doc.pages[1].items.size(), 70);
    EXPECT_EQ(doc.pages[1].items.first().rect.top(), l.topMargin);
}

// A memo list: a note that must go on over a page break anyway starts in the
// room the page has left, with its date beside its first line; a note that
// fits a page whole but not the room left starts on the next page.
TEST(ReportEngine, ANoteSplitAnywayStartsInTheRoomLeft)
{
    ScopedScriptedUi ui;
    ReportLayout l = headedLayout(QStringLiteral("Memo list"), 3000);
    BandWriter d(l.section(ReportBand::Detail));
    d.field(QStringLiteral("Day"), 0, 1300);
    d.field(QStringLiteral("Memo"), 1400, 4300).canGrow = true;
    d.field(QStringLiteral("Artist"), 5800, 1400);
    d.finish(30);
    const QStringList words = numberedWords(900);
    const QString longNote = words.join(QLatin1Char(' '));
    const QString pageNote = words.mid(0, 200).join(QLatin1Char(' '));   // most of a page
    ReportData data;
    data.fields = {QStringLiteral("Day"), QStringLiteral("Memo"), QStringLiteral("Artist")};
    for (int i = 0; i < 5; ++i)
        data.rows.append({QStringLiteral("7/%1/2001").arg(i + 1), QStringLiteral("short"), QStringLiteral("Maria")});
    data.rows.append({QStringLiteral("7/6/2001"), longNote, QStringLiteral("Jenny")});
    data.rows.append({QStringLiteral("7/7/2001"), pageNote, QStringLiteral("Tom")});
    Report report(l);
    report.setData(data);
    const ReportDocument doc = report.run();
    ASSERT_GE(doc.pageCount(), 3);

    QMap<int, QStringList> notesOfRecord;
    for (const ReportPage& page : doc.pages)
        for (const ReportItem& it : page.items)
            if (it.control == QStringLiteral("txtMemo"))
                notesOfRecord[it.record] << it.text;
    // The long note begins on the first page, under the short ones, and fills it.
    QMap<int, int> dayTop;
    int lowest = 0;
    for (const ReportItem& it : doc.pages[0].itemsIn(ReportBand::Detail)) {
        if (it.control == QStringLiteral("txtDay"))
            dayTop[it.record] = it.rect.top();
        lowest = std::max(lowest, it.rect.bottom());
    }
    ASSERT_TRUE(dayTop.contains(5));
    EXPECT_EQ(dayTop[5] - dayTop[4], l.section(ReportBand::Detail).height);
    EXPECT_GT(lowest, l.pageHeight - l.bottomMargin - 600);
    EXPECT_EQ(notesOfRecord[5].join(QLatin1Char(' ')), longNote);
    // The next note would fit a page of its own: it is not split.
    EXPECT_EQ(notesOfRecord[6], QStringList{pageNote});

    // The print-out's first page reads the note's first words.
    if (!qvtest::canReadPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("memos.pdf"));
    ASSERT_TRUE(report.exportPdf(doc, file));
    const QList<QStringList> printed = qvtest::pdfPageLines(file);
    ASSERT_EQ(printed.size(), doc.pageCount());
    EXPECT_TRUE(printed[0].join(QLatin1Char('\n')).contains(QStringLiteral("7/6/2001"))) << printed[0].join('\n').toStdString();
    EXPECT_TRUE(printed[0].join(QLatin1Char(' ')).contains(QStringLiteral("word000 word001")));
}

// A laid-out report keeps where its pages start and makes a page when it is
// read: a page read alone, in any order, is the page printed in order, with
// blocks that go on over page breaks, blocks that move to the next page, page
// numbers and the sums on the last page.
TEST(ReportEngine, APageReadAloneIsThePagePrintedInOrder)
{
    ScopedScriptedUi ui;
    ReportLayout l = ledgerLayout();
    BandWriter d(l.section(ReportBand::Detail));
    d.y = l.section(ReportBand::Detail).height;
    d.field(QStringLiteral("Note"), 0, 4000).canGrow = true;
    d.finish();
    ReportData data = ledgerRows(90);
    data.fields << QStringLiteral("Note");
    QStringList notes;
    for (int i = 0; i < data.rows.size(); ++i) {
        notes << (i % 9 == 4 ? numberedWords(150 * (i % 4 + 1)).join(QLatin1Char(' ')) : QStringLiteral("note %1").arg(i));
        data.rows[i].append(notes.last());
    }
    Report report(l);
    report.setData(data);
    const ReportDocument doc = report.run();
    ASSERT_GE(doc.pageCount(), 6);

    const auto described = [](const ReportPage& page) {
        QStringList out;
        for (const ReportItem& it : page.items)
            out << QStringLiteral("%1 %2 %3 %4 %5 %6").arg(it.control).arg(it.record).arg(it.rect.left())
                       .arg(it.rect.top()).arg(it.rect.height()).arg(it.text);
        return out;
    };
    QList<QStringList> inOrder;
    QMap<int, QStringList> noteParts;
    doc.pages.forEach([&](int page, const ReportPage& made) {
        EXPECT_EQ(page, inOrder.size());
        inOrder << described(made);
        EXPECT_EQ(made.itemsIn(ReportBand::PageHeader).value(0).text,
                  QStringLiteral("Page %1 of %2").arg(page + 1).arg(doc.pageCount()));
        for (const ReportItem& it : made.items)
            if (it.control == QStringLiteral("txtNote"))
                noteParts[it.record] << it.text;
        return true;
    });
    ASSERT_EQ(inOrder.size(), doc.pageCount());
    for (int i = 0; i < notes.size(); ++i)
        EXPECT_EQ(noteParts[i].join(QLatin1Char(' ')), notes[i]) << i;
    for (int p = doc.pageCount() - 1; p >= 0; --p)
        EXPECT_EQ(described(doc.pages[p]), inOrder[p]) << "page " << p + 1;
    EXPECT_TRUE(doc.pages.last().texts().contains(QStringLiteral("$511,875.00")));
    EXPECT_TRUE(doc.pages.value(doc.pageCount()).items.isEmpty());
}

// The rows a job keeps: every value read back as it was given, whether its
// column holds a few values or more than a byte or two can number.
TEST(ReportRows, KeepEveryValueOfFewOrManyDistinctOnes)
{
    ReportRows rows({QStringLiteral("Number"), QStringLiteral("Artist"), QStringLiteral("Amount")});
    const QStringList artists = {QStringLiteral("Maria"), QString(), QStringLiteral("Jenny")};
    auto valuesOf = [&](int i) {
        return QVector<QVariant>{QVariant(qint64(i) * 7), i % 5 ? QVariant(artists[i % 3]) : QVariant(),
                                 QVariant::fromValue(Money::fromUnits(i % 300 * 100))};
    };
    const int count = 70000;
    for (int i = 0; i < count; ++i)
        rows.append(valuesOf(i).constData());
    rows.squeeze();
    ASSERT_EQ(rows.size(), count);
    EXPECT_EQ(rows.distinct(0).size(), count);
    EXPECT_EQ(rows.distinct(2).size(), 300);
    for (int i = 0; i < count; i += i < 300 ? 1 : 97)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(rows.value(i, c), valuesOf(i)[c]) << i << " " << c;
            EXPECT_EQ(rows.value(i, c).isNull(), valuesOf(i)[c].isNull()) << i << " " << c;
        }
    EXPECT_EQ(rows.fieldIndex(QStringLiteral("artist")), 1);
}

TEST(ReportEngine, TimeOutHandlerHearsEveryWholeSecondAndCanCancel)
{
    ScopedScriptedUi ui;
    Report report(ledgerLayout());
    report.setData(ledgerRows(40));
    // The clock jumps: 0, 2.5, 5, ... seconds at each look.
    double now = 0;
    report.setElapsedSource([&] { double t = now; now += 2.5; return t; });
    QList<int> heard;
    report.onProcessingTimeout = [&](int seconds, bool& cancel) {
        heard << seconds;
        cancel = seconds == 77;
    };
    ReportDocument doc = report.run();
    EXPECT_TRUE(doc.cancelled);
    EXPECT_TRUE(doc.pages.isEmpty());
    ASSERT_EQ(heard.size(), 77);
    for (int i = 0; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], i + 1);

    // A new job starts counting from nought again.
    heard.clear();
    report.onProcessingTimeout = [&](int seconds, bool&) { heard << seconds; };
    now = 1000;
    doc = report.run();
    EXPECT_FALSE(doc.cancelled);
    EXPECT_EQ(heard.first(), 1);
}

TEST(ReportEngine, MissingFieldIsAnErrorTheHandlerMayKeepQuiet)
{
    ScopedScriptedUi ui;
    Report report(ledgerLayout());
    ReportData data;
    data.fields = {QStringLiteral("Item")};
    report.setData(data);
    QList<int> numbers;
    report.onError = [&](int number, bool& show) { numbers << number; show = numbers.size() > 1; };
    EXPECT_TRUE(report.run().cancelled);
    EXPECT_TRUE(ui.script.messages().isEmpty());
    // The second time the handler lets the engine's own box show.
    EXPECT_TRUE(report.run().cancelled);
    EXPECT_EQ(numbers, (QList<int>{ReportError::DataFieldNotFound, ReportError::DataFieldNotFound}));
    EXPECT_EQ(ui.script.messages(), QStringList{QStringLiteral("DataField 'Amount' not found.")});
    // show() of a failed job opens no preview.
    report.show();
    EXPECT_EQ(ui.script.messages().size(), 2);
}

TEST(ReportEngine, RendersToPdfAndImage)
{
    ScopedScriptedUi ui;
    Report report(ledgerLayout());
    report.setData(ledgerRows(120));
    const ReportDocument doc = report.run();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ledger.pdf"));
    ASSERT_TRUE(report.exportPdf(doc, file));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), doc.pageCount());

    // At 96 dpi a Letter page is 816 x 1056 pixels, white with black print.
    const QImage image = reportPageImage(doc, 0, 96);
    EXPECT_EQ(image.size(), QSize(816, 1056));
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 1000);
    // Nothing drawn in the margins (one inch = 96 pixels) but the text's own overhang.
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_GT(qGray(image.pixel(x, y)), 200) << x << "," << y;

    // A file that cannot be written is an error, not a silent success.
    EXPECT_FALSE(report.exportPdf(doc, dir.filePath(QStringLiteral("no/such/folder/x.pdf"))));
    EXPECT_EQ(ui.script.messages().size(), 1);
}

// Texts that do not fit: a growing one goes on over the pages with its
// neighbour on its first line and what stands below after its end; a wrapped
// box taller than a page is cut to the page; a one-line text ends in an
// ellipsis, a page number filled in included. Nothing reaches below the page
// footer's top or past the right margin.
TEST(ReportEngine, TextsThatDoNotFitGoOnOrEndInAnEllipsisInsideThePage)
{
    ScopedScriptedUi ui;
    ReportLayout l = headedLayout(QStringLiteral("Page %p of a very long heading that cannot fit its box"), 1500);
    BandWriter d(l.section(ReportBand::Detail));
    d.field(QStringLiteral("Note"), 0, 3000).canGrow = true;
    d.field(QStringLiteral("Name"), 3100, 1200);
    d.next();
    d.field(QStringLiteral("After"), 0, 2000);
    d.next();
    ReportControl& tall = d.field(QStringLiteral("Tall"), 0, 2000);
    tall.wordWrap = true;
    tall.height = 20000;
    d.finish();
    BandWriter pf(l.section(ReportBand::PageFooter));
    pf.label(QStringLiteral("- %p -"), 4000, 1000);
    pf.finish();

    const QString note = numberedWords(700).join(QLatin1Char(' '));
    ReportData data;
    data.fields = {QStringLiteral("Note"), QStringLiteral("Name"), QStringLiteral("After"), QStringLiteral("Tall")};
    data.rows.append({note, QStringLiteral("Bartholomew Featherstonehaugh"), QStringLiteral("below"), note});
    Report report(l);
    report.setData(data);
    const ReportDocument doc = report.run();
    ASSERT_GE(doc.pageCount(), 3);

    const int footerTop = l.pageHeight - l.bottomMargin - l.section(ReportBand::PageFooter).height;
    QStringList noteParts;
    int lastNotePage = -1, lastNoteBottom = 0;
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const ReportItem& it : doc.pages[p].items) {
            EXPECT_LE(it.rect.right() + 1, l.pageWidth - l.rightMargin) << it.text.left(30).toStdString();
            if (it.band != ReportBand::PageFooter)
                EXPECT_LE(it.rect.bottom() + 1, footerTop) << "page " << p + 1 << " " << it.control.toStdString();
            if (it.kind == ReportItem::Text && !it.text.isEmpty())
                EXPECT_LE(reportTextHeight(it.text, it.font, it.rect.width(), it.wordWrap), it.rect.height() + 0.5)
                    << it.control.toStdString();
            if (it.control == QStringLiteral("txtNote")) {
                noteParts << it.text;
                lastNotePage = p;
                lastNoteBottom = it.rect.bottom();
            }
        }
    EXPECT_GE(noteParts.size(), 2);
    EXPECT_EQ(noteParts.join(QLatin1Char(' ')), note);

    const ReportPage first = doc.pages[0];
    const ReportItem* name = first.find(QStringLiteral("txtName"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->rect.top(), first.find(QStringLiteral("txtNote"))->rect.top());
    EXPECT_TRUE(name->text.endsWith(QChar(0x2026))) << name->text.toStdString();
    EXPECT_LE(reportTextWidth(name->text, name->font), name->rect.width());

    const ReportPage last = doc.pages[lastNotePage];
    const ReportItem* after = last.find(QStringLiteral("txtAfter"));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->text, QStringLiteral("below"));
    EXPECT_GT(after->rect.top(), lastNoteBottom);

    // The wrapped box that cannot grow is cut to the room a page has.
    std::optional<ReportItem> cut;
    for (const ReportPage& page : doc.pages)
        if (const ReportItem* it = page.find(QStringLiteral("txtTall")))
            cut = *it;
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->text.endsWith(QChar(0x2026)));
    EXPECT_TRUE(note.startsWith(cut->text.chopped(1)));

    // The heading's page number is filled in before it is cut.
    const ReportPage second = doc.pages[1];
    const ReportItem* heading = second.find(QStringLiteral("Label1"));
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->text.startsWith(QStringLiteral("Page 2 of"))) << heading->text.toStdString();
    EXPECT_TRUE(heading->text.endsWith(QChar(0x2026)));
}

// Values that repeat are written once and shared; each value still shows its
// own text (a day and time apart, or the same), and the items keep their
// names after the report that made them is gone.
TEST(ReportEngine, EveryValueShowsItsOwnTextAndItemsKeepTheirNames)
{
    ScopedScriptedUi ui;
    const QString format = QStringLiteral("General Date");
    ReportData data;
    data.fields = {QStringLiteral("When")};
    const QList<QDateTime> times = {QDateTime(QDate(2001, 7, 2), QTime(9, 0)), QDateTime(QDate(2001, 7, 2), QTime(9, 0)),
                                    QDateTime(QDate(2001, 7, 2), QTime(21, 0)), QDateTime(QDate(2001, 7, 3), QTime(9, 0)),
                                    QDateTime(QDate(2001, 7, 3), QTime(0, 0)), QDateTime(QDate(2001, 7, 2), QTime(9, 0, 1))};
    for (const QDateTime& t : times)
        data.rows.append({t});
    ReportDocument doc;
    {
        ReportLayout l;
        BandWriter d(l.section(ReportBand::Detail));
        d.field(QString::fromUtf8("When"), 0, 3000, format);   // a name of its own, gone with the layout
        d.finish();
        Report report(l);
        report.setData(data);
        doc = report.run();
    }
    ASSERT_EQ(doc.pageCount(), 1);
    const QList<ReportItem> items = doc.pages[0].itemsIn(ReportBand::Detail);
    ASSERT_EQ(items.size(), times.size());
    QSet<QString> shown;
    for (int i = 0; i < times.size(); ++i) {
        EXPECT_EQ(items[i].text, formatValue(QVariant(times[i]), format)) << i;
        EXPECT_EQ(items[i].control, "txtWhen");
        EXPECT_EQ(items[i].dataField, "When");
        EXPECT_EQ(items[i].font.name, ReportFont{}.name);
        shown << items[i].text;
    }
    EXPECT_EQ(shown.size(), 5);
}
