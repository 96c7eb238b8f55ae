// Rich text on the printer, page after page, read back from the recording
// device (and once rendered to a PDF file).
#include "common/rich_text_print.h"
#include "platform/print/print_devices.h"
#include "platform/print/printer.h"
#include "platform/print/rich_text_box.h"
#include "platform/print/rtf.h"
#include "support/pdf_text.h"
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <gtest/gtest.h>

// Readable texts in failure messages.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using qv::printer;

// One paragraph per line: "Line 1" .. "Line n".
QString numberedLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QString("Line %1").arg(i);
    return lines.join('\n');
}

// The box holds "Line 1" .. "Line n", all in the given size.
void setNumberedLines(qv::RichTextBox& box, int n, double points)
{
    box.setText(numberedLines(n));
    QTextCursor all(box.document());
    all.select(QTextCursor::Document);
    QTextCharFormat f;
    f.setFontPointSize(points);
    all.mergeCharFormat(f);
}

// A recorder with an unprintable strip, so that margins are seen to count
// from the sheet's edges.
struct Recording {
    Recording()
    {
        auto device = std::make_unique<qv::RecordingPrintDevice>(QSizeF(12240, 15840), QPointF(300, 200));
        rec = device.get();
        printer().setDevice(std::move(device));
        printer().setFontName("Arial");
        printer().setFontSize(10);
        printer().setFontBold(true);
    }
    ~Recording() { printer().useSystemPrinter(); }
    qv::RecordingPrintDevice* rec;
};

// The rich-text items of a page (what the printer's own lines did not print).
QList<qv::PrintedText> richItems(const qv::PrintedPage& page)
{
    QList<qv::PrintedText> items;
    for (const qv::PrintedText& t : page.texts)
        if (t.text.startsWith("Line "))
            items.append(t);
    return items;
}

TEST(RichTextPrint, LongTextGoesOnPagesThatEachStartAtTheMargins)
{
    Recording r;
    qv::RichTextBox box;
    setNumberedLines(box, 150, 12);

    printer().print({"Header line"});
    printRichText(box, 1000, 1000, 0, 0);
    printer().endDoc();   // the caller's own end finds nothing open

    ASSERT_EQ(r.rec->jobs().size(), 1);   // the caller's lines and the text are one job
    const QList<qv::PrintedPage> pages = r.rec->pages();
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[0].lines().first(), "Header line");

    QStringList printed;
    for (const qv::PrintedPage& page : pages) {
        const QList<qv::PrintedText> items = richItems(page);
        ASSERT_FALSE(items.isEmpty());
        // Margins count from the sheet's edges; the device starts 300, 200 in.
        EXPECT_NEAR(items.first().y, 1000 - 200, 0.5);
        ASSERT_GE(items.size(), 2);
        const double line = items[1].y - items[0].y;
        for (const qv::PrintedText& t : items) {
            EXPECT_NEAR(t.x, 1000 - 300, 0.5);
            // Whole lines only, and within the printable area (a bottom
            // margin of 0 runs to its edge, not into the unprintable strip).
            EXPECT_LE(t.y + line, 15840 - 2 * 200 + 0.5);
            printed << t.text;
        }
    }
    // Nothing lost or printed twice at the page breaks.
    EXPECT_EQ(printed.join('\n'), numberedLines(150));
    // The last page is the shortest; the others are filled.
    EXPECT_EQ(richItems(pages[0]).size(), richItems(pages[1]).size());
    EXPECT_LT(richItems(pages[2]).size(), richItems(pages[1]).size());
}

TEST(RichTextPrint, BottomMarginIsKept)
{
    Recording r;
    QTextDocument doc;
    doc.setPlainText(numberedLines(80));
    printRichText(doc, 500, 3000, 500, 5000);
    const QList<qv::PrintedPage> pages = r.rec->pages();
    ASSERT_GE(pages.size(), 2);
    const double line = richItems(pages[0])[1].y - richItems(pages[0])[0].y;
    for (const qv::PrintedPage& page : pages)
        for (const qv::PrintedText& t : richItems(page))
            EXPECT_LE(t.y + line, 15840 - 5000 - 200 + 0.5);
    // The first page is as full as the room allows.
    const double room = 15840 - 5000 - 3000;
    EXPECT_GT(richItems(pages[0]).size() * line, room - line);
}

TEST(RichTextPrint, RectangleTooSmallForOneLineEndsTheJob)
{
    Recording r;
    QTextDocument doc;
    doc.setPlainText("Formula that cannot fit");
    printer().print({"Customer Name:"});
    // The top margin lies below the bottom limit: not one line has room.
    printRichText(doc, 4000, 15000, 4000, 1000);

    EXPECT_FALSE(printer().jobOpen());
    ASSERT_EQ(r.rec->jobs().size(), 1);
    const QList<qv::PrintedPage> pages = r.rec->pages();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].lines(), QStringList{"Customer Name:"});

    // A rectangle with no width ends it the same way.
    printRichText(doc, 8000, 1000, 8000, 0);
    EXPECT_EQ(r.rec->pages().size(), 2);
}

TEST(RichTextPrint, EmptyTextPrintsTheCallersPageOnly)
{
    Recording r;
    qv::RichTextBox box;
    printer().print();
    printer().print({qv::Tab(1), "Formulas:", qv::Tab(30)});
    printRichText(box, 4000, 7600, 4000, 0);
    const QList<qv::PrintedPage> pages = r.rec->pages();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].lines(), QStringList{"Formulas:"});

    // Alone, it still makes its one (empty) page.
    printRichText(box, 1000, 1000, 0, 0);
    EXPECT_EQ(r.rec->jobs().size(), 2);
    EXPECT_TRUE(r.rec->jobs()[1].pages.value(0).lines().isEmpty());
}

TEST(RichTextPrint, FormattingReachesThePaper)
{
    Recording r;
    qv::RichTextBox box;
    box.setTextRTF(R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\fs20 Roots {\b 6N} + 20 vol\par {\i Ends} 7G\par})");
    printRichText(box, 3500, 13000, 4500, 0);
    const qv::PrintedPage page = r.rec->pages().value(0);
    EXPECT_EQ(page.lines(), (QStringList{"Roots 6N + 20 vol", "Ends 7G"}));
    QList<qv::PrintedText> bold;
    for (const qv::PrintedText& t : page.texts)
        if (t.bold && !t.text.trimmed().isEmpty())
            bold << t;
    ASSERT_EQ(bold.size(), 1);
    EXPECT_EQ(bold[0].text, "6N");
    EXPECT_DOUBLE_EQ(bold[0].size, 10);
    EXPECT_EQ(bold[0].fontName, "Arial");
    EXPECT_GT(bold[0].x, 3500 - 300);
    EXPECT_NEAR(bold[0].y, 13000 - 200, 0.5);
}

TEST(RichTextPrint, TextChangedBetweenPrintsIsPrintedAnew)
{
    Recording r;
    qv::RichTextBox box;
    box.setText("first");
    printRichText(box, 1000, 1000, 0, 0);
    box.setText("second");
    printRichText(box, 1000, 1000, 0, 0);
    const QList<qv::PrintedPage> pages = r.rec->pages();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[1].lines(), QStringList{"second"});
}

// What a PDF reader finds on each page (searching, copying): every line of a
// text printed over several pages once, on the page that shows it, and not
// again, clipped, on the page before or after.
TEST(RichTextPrint, EachPdfPageHoldsOnlyItsOwnLines)
{
    if (!qvtest::canReadPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const QString pdfPath = dir.filePath("notes.pdf");
    qv::RichTextBox box;
    setNumberedLines(box, 150, 12);

    qv::Printer& p = printer();
    p.useSystemPdfFile(pdfPath);
    p.print({"Header line"});
    printRichText(box, 1000, 1000, 0, 0);
    p.systemPrinter()->setOutputFileName(QString());
    p.useSystemPrinter();

    const QList<QStringList> pages = qvtest::pdfPageLines(pdfPath);
    ASSERT_GE(pages.size(), 3);
    EXPECT_EQ(pages[0].value(0), "Header line");
    QStringList printed;
    for (int i = 0; i < pages.size(); ++i) {
        QStringList own;
        for (const QString& line : pages[i])
            if (line.startsWith("Line "))
                own << line;
        ASSERT_FALSE(own.isEmpty()) << "page " << i + 1;
        printed << own;
    }
    EXPECT_EQ(printed.join('\n'), numberedLines(150));

    // One long paragraph that wraps across the page breaks: each word once.
    QStringList words;
    for (int i = 1; i <= 2400; ++i)
        words << QString("w%1").arg(i);
    QTextDocument paragraph;
    paragraph.setPlainText(words.join(' '));
    p.useSystemPdfFile(pdfPath);
    printRichText(paragraph, 1000, 1000, 1000, 1000);
    p.systemPrinter()->setOutputFileName(QString());
    p.useSystemPrinter();
    const QList<QStringList> wrapped = qvtest::pdfPageLines(pdfPath);
    ASSERT_GE(wrapped.size(), 2);
    QStringList read;
    for (const QStringList& page : wrapped)
        for (const QString& line : page)
            read << line.split(' ', Qt::SkipEmptyParts);
    EXPECT_EQ(read, words);
}

// A card with a picture, label lines and two pages of formulas, as a PDF
// file and as pictures of its pages (kept when QV_KEEP_PRINTOUT names a folder).
TEST(RichTextPrint, RendersToPdf)
{
    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("QV_KEEP_PRINTOUT");
    const QString folder = keep.isEmpty() ? dir.path() : keep;
    QDir().mkpath(folder);
    const QString pdfPath = QDir(folder).filePath("card.pdf");
    QFile::remove(pdfPath);

    qv::RichTextBox box;
    QFile sample(QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath("../platform/print/data/libreoffice_formulas.rtf"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    box.setTextRTF(QString::fromLatin1(sample.readAll()));

    qv::Printer& p = printer();
    p.useSystemPdfFile(pdfPath);
    p.setFontName("Arial");
    p.setFontSize(10);
    p.setFontBold(true);
    p.print();
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(120, 160, 200));
    p.paintPicture(picture, 0, 0, 2500, 2500);
    for (int i = 0; i < 12; ++i)
        p.print();
    p.print({qv::Tab(1), "Customer Name:", "Ana Client"});
    p.print({qv::Tab(1), "Phone:", qv::Tab(10), "555-0101"});
    p.print();
    p.print({qv::Tab(1), "Formulas:", qv::Tab(30)});
    printRichText(box, 4000, 7600, 4000, 0);
    p.endDoc();
    p.systemPrinter()->setOutputFileName(QString());
    p.useSystemPrinter();

    QFile pdf(pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GE(bytes.count("/Type /Page\n"), 2);

    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    QProcess render;
    render.start(pdftoppm, {"-png", "-r", "60", pdfPath, QDir(folder).filePath("card")});
    ASSERT_TRUE(render.waitForFinished(60000));
    EXPECT_EQ(render.exitCode(), 0);
    const QImage first(QDir(folder).filePath("card-1.png"));
    ASSERT_FALSE(first.isNull());
    // The picture's colour (give or take the file's compression) stands in
    // the top-left corner of the page.
    bool found = false;
    for (int y = 0; y < first.height() / 4 && !found; ++y)
        for (int x = 0; x < first.width() / 4 && !found; ++x) {
            const QColor c = first.pixelColor(x, y);
            found = std::abs(c.red() - 120) < 12 && std::abs(c.green() - 160) < 12 && std::abs(c.blue() - 200) < 12;
        }
    EXPECT_TRUE(found);
}

} // namespace
