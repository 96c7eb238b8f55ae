// The printer read back through the recording device: what a print button
// leaves on paper, line by line.
#include "platform/print/print_devices.h"
#include "platform/print/printer.h"
#include "platform/services/services.h"
#include "platform/values/error.h"
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable texts in failure messages.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using qv::printer;

// A receipt-like print: label and value lines in bold Arial 10.
void printLabelLines(const QList<QPair<QString, QString>>& lines, bool step)
{
    qv::Printer& p = printer();
    p.setPrintQuality(qv::PrintQuality::High);
    p.setFontBold(true);
    p.setFontName("Arial");
    p.setFontSize(10);
    for (const auto& [caption, value] : lines) {
        if (step)
            p.print({qv::Tab(1), caption, qv::Tab(10), value});
        else
            p.print({qv::Tab(1), caption, value});
    }
    p.endDoc();
}

TEST(Printer, LabelAndValueLinesComeOutInOrderInTheirFont)
{
    qv::ScopedPrintRecording rec;
    printLabelLines({{"Total Ticket:", "$41.31"}, {"Amount Tendered:", "$50.00"}, {"Change:", "$8.69"}}, false);

    ASSERT_EQ(rec->jobs().size(), 1);
    EXPECT_EQ(rec->jobs()[0].printQuality, qv::PrintQuality::High);
    const QList<qv::PrintedPage> pages = rec->pages();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].lines(), (QStringList{"Total Ticket:$41.31", "Amount Tendered:$50.00", "Change:$8.69"}));
    for (const qv::PrintedText& t : pages[0].texts) {
        EXPECT_EQ(t.fontName, "Arial");
        EXPECT_DOUBLE_EQ(t.size, 10);
        EXPECT_TRUE(t.bold);
    }
    // Value follows its caption directly, on the caption's line.
    const QList<qv::PrintedText> first = pages[0].lineAt(0);
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[0].x, 0);
    EXPECT_NEAR(first[1].x, printer().textWidth("Total Ticket:"), 0.01);
    // Lines go down by one line height.
    const double y2 = pages[0].texts[2].y;
    EXPECT_NEAR(y2, printer().textHeight(), 0.01);
}

TEST(Printer, ColumnStepsMoveToTheColumnOrToTheNextLine)
{
    qv::ScopedPrintRecording rec;
    qv::Printer& p = printer();
    p.setFontName("Arial");
    p.setFontSize(10);
    p.setFontBold(true);
    p.print({qv::Tab(2), "x"});                       // measures one column
    p.print({qv::Tab(1), "Tax:", qv::Tab(10), "8"});   // short caption: same line
    p.print({qv::Tab(1), "Tax Amt On Services:", qv::Tab(10), "$0.80"});   // long: next line
    p.print({qv::Tab(1), "A", qv::Spc(3), "B"});
    p.print({"a", qv::Zone(), "b"});
    p.endDoc();

    const qv::PrintedPage page = rec->pages().value(0);
    ASSERT_EQ(page.texts.size(), 9);
    const double column = page.texts[0].x;
    const double line = p.textHeight();
    ASSERT_GT(column, 0);

    EXPECT_NEAR(page.texts[2].x, 9 * column, 0.01);
    EXPECT_NEAR(page.texts[2].y, page.texts[1].y, 0.01);

    const qv::PrintedText& longCaption = page.texts[3];
    const qv::PrintedText& pushed = page.texts[4];
    EXPECT_EQ(pushed.text, "$0.80");
    EXPECT_NEAR(pushed.x, 9 * column, 0.01);
    EXPECT_NEAR(pushed.y, longCaption.y + line, 0.01);

    // Spc(3) leaves three blanks' width; nothing is printed for them.
    EXPECT_NEAR(page.texts[6].x - page.texts[5].x, p.textWidth("A") + p.textWidth("   "), 1);
    // A zone is fourteen columns.
    EXPECT_NEAR(page.texts[8].x, 14 * column, 0.01);
    // The line after the pushed value comes below it.
    EXPECT_NEAR(page.texts[5].y, pushed.y + line, 0.01);
}

TEST(Printer, JobStartsOnFirstOutputAndEndingIsHarmless)
{
    qv::ScopedPrintRecording rec;
    qv::Printer& p = printer();
    p.setFontBold(true);
    p.setPrintQuality(qv::PrintQuality::High);
    EXPECT_FALSE(p.jobOpen());
    p.paintPicture(QImage(), 0, 0, 2500, 2500);   // an empty picture is no output
    EXPECT_FALSE(p.jobOpen());
    p.endDoc();
    p.endDoc();
    EXPECT_TRUE(rec->jobs().isEmpty());

    p.print();   // an empty line is output
    EXPECT_TRUE(p.jobOpen());
    p.endDoc();
    p.endDoc();
    ASSERT_EQ(rec->jobs().size(), 1);
    EXPECT_EQ(rec->pages().size(), 1);
    EXPECT_TRUE(rec->pages()[0].lines().isEmpty());
}

TEST(Printer, CancelledDialogPrintsNothing)
{
    qv::ScopedScriptedUi ui;
    qv::ScopedPrintRecording rec;
    ui.script.printerAnswers.push_back(false);
    // What a print button does: ask, print only when not cancelled, end in every case.
    const bool chosen = qv::choosePrinter();
    printer().setPrintQuality(qv::PrintQuality::High);
    if (chosen)
        printer().print({"never"});
    printer().endDoc();

    EXPECT_FALSE(chosen);
    EXPECT_TRUE(rec->jobs().isEmpty());
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::PrinterDialog);
    EXPECT_EQ(ui.script.events[0].text, "Print");
    EXPECT_TRUE(ui.script.messages().isEmpty());

    EXPECT_TRUE(qv::choosePrinter());   // nothing queued: accepted
}

namespace {
// The dialog's "print to file", with the file the user typed.
class PrintToFileUi : public qv::ScriptedUi {
public:
    QString file;
    bool printerDialog(QPrinter* printer) override
    {
        qv::ScriptedUi::printerDialog(printer);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        return true;
    }
};
} // namespace

TEST(Printer, PrintToFileRefusesFilesTheProgramUsesUnderAnyName)
{
    QTemporaryDir dir;
    PrintToFileUi ui;
    qv::setUi(&ui);
    const auto restore = qScopeGuard([] { qv::setUi(nullptr); });

    QFile held(dir.filePath("data.db"));
    ASSERT_TRUE(held.open(QIODevice::ReadWrite));
    held.write("the salon's rows");
    held.flush();
    ASSERT_TRUE(QFile::link(held.fileName(), dir.filePath("link.db")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    // Kept though not held open, and not made yet.
    qv::protectFromPrintOutput(dir.filePath("copy.tmp"));

    QPrinter chosen;
    for (const QString& name : {QStringLiteral("data.db"), QStringLiteral("link.db"), QStringLiteral("sub/../data.db"),
                                QStringLiteral("copy.tmp"), QStringLiteral("sub/../copy.tmp")}) {
        SCOPED_TRACE(name.toStdString());
        ui.clear();
        ui.file = dir.filePath(name);
        EXPECT_FALSE(qv::choosePrinter(&chosen));
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_TRUE(ui.messages()[0].contains(QDir::toNativeSeparators(ui.file)));
        EXPECT_EQ(ui.events.back().style, qv::MsgStyle::Exclamation);
        // Nothing printed later without the dialog goes there either.
        EXPECT_TRUE(chosen.outputFileName().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("copy.tmp")));
    held.seek(0);
    EXPECT_EQ(held.readAll(), "the salon's rows");

    // A file of its own, and one the program closed again, are free.
    held.close();
    for (const QString& name : {QStringLiteral("out.pdf"), QStringLiteral("data.db")}) {
        ui.clear();
        ui.file = dir.filePath(name);
        EXPECT_TRUE(qv::choosePrinter(&chosen));
        EXPECT_TRUE(ui.messages().isEmpty());
        EXPECT_EQ(chosen.outputFileName(), ui.file);
    }
}

TEST(Printer, PicturesAndLinesOfACard)
{
    qv::ScopedPrintRecording rec;
    qv::Printer& p = printer();
    p.setFontName("Arial");
    p.setFontSize(10);
    p.setFontBold(true);
    p.print();
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    const double y = p.currentY();
    p.paintPicture(wide, 0, 0, 2500, 2500);
    EXPECT_EQ(p.currentY(), y);   // drawing does not move the print position
    for (int i = 0; i < 14; ++i)
        p.print();
    p.print({qv::Tab(1), "Comments:", "first line\r\nsecond line"});
    p.print({qv::Tab(1), "Phone:", qv::Tab(10), ""});
    p.endDoc();

    const qv::PrintedPage page = rec->pages().value(0);
    ASSERT_EQ(page.pictures.size(), 1);
    EXPECT_EQ(page.pictures[0].rect, QRectF(0, 0, 2500, 2500));   // squeezed into the square
    EXPECT_EQ(page.pictures[0].pixelSize, QSize(400, 100));
    EXPECT_EQ(page.lines(), (QStringList{"Comments:first line", "second line", "Phone:"}));
    const double line = p.textHeight();
    EXPECT_NEAR(page.texts[0].y, 15 * line, 0.01);
    EXPECT_GT(page.texts[0].y, 2500);   // below the picture
    EXPECT_EQ(page.texts[2].x, 0);      // the next line of a text starts at the left edge
}

TEST(Printer, TextBelowThePageGoesOnANewPage)
{
    qv::ScopedPrintRecording rec;
    qv::Printer& p = printer();
    p.setFontName("Arial");
    p.setFontSize(10);
    for (int i = 1; i <= 150; ++i)
        p.print({QString("Line %1").arg(i)});
    p.newPage();
    p.print({"After break"});
    p.endDoc();

    const QList<qv::PrintedPage> pages = rec->pages();
    ASSERT_GE(pages.size(), 3);
    QStringList all;
    for (const qv::PrintedPage& page : pages) {
        ASSERT_FALSE(page.texts.isEmpty());
        EXPECT_EQ(page.texts[0].y, 0);
        for (const qv::PrintedText& t : page.texts)
            EXPECT_LE(t.y + p.textHeight(), p.scaleHeight() + 0.5);
        all += page.lines();
    }
    EXPECT_EQ(all.size(), 151);
    EXPECT_EQ(all.first(), "Line 1");
    EXPECT_EQ(all[149], "Line 150");
    EXPECT_EQ(pages.last().lines(), QStringList{"After break"});
}

TEST(Printer, NoPrinterIsAnErrorAndLeavesNoJob)
{
    qv::ScopedPrintRecording rec;
    rec->setFailing(true);
    try {
        printer().print({"x"});
        FAIL() << "printing without a printer succeeded";
    } catch (const qv::Error& e) {
        EXPECT_EQ(e.number(), qv::kPrinterErrorNumber);
    }
    EXPECT_FALSE(printer().jobOpen());
    rec->setFailing(false);
    printer().print({"y"});
    printer().endDoc();
    ASSERT_EQ(rec->pages().size(), 1);
    EXPECT_EQ(rec->pages()[0].lines(), QStringList{"y"});
}

TEST(Printer, SystemPrinterWritesAPdfOnlyForAJobThatPrinted)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.pdf");
    const QString path = dir.filePath("card.pdf");
    qv::Printer& p = printer();
    p.useSystemPdfFile(empty);
    p.endDoc();
    EXPECT_FALSE(QFile::exists(empty));

    p.useSystemPdfFile(path);
    EXPECT_GT(p.scaleWidth(), 0);
    EXPECT_LE(p.scaleWidth() + p.physicalOffsetX(), p.pageWidth() + 0.5);
    p.setFontName("Arial");
    p.setFontSize(10);
    p.setFontBold(true);
    QImage square(50, 50, QImage::Format_RGB32);
    square.fill(Qt::blue);
    p.print();
    p.paintPicture(square, 0, 0, 2500, 2500);
    for (int i = 0; i < 14; ++i)
        p.print();
    p.print({qv::Tab(1), "Customer Name:", "Ana Client"});
    p.newPage();
    p.print({"Second page"});
    p.endDoc();
    p.systemPrinter()->setOutputFileName(QString());
    p.useSystemPrinter();

    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n"), 2);
}

} // namespace
