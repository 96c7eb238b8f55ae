// The client card and the formulas print-out, read back from the recording printer.
#include "customers_fixture.h"

#include "common/picture_viewport.h"
#include "platform/forms/many_line_box.h"
#include "platform/print/rich_text_box.h"

#include "platform/forms/controls.h"
#include "support/large_picture.h"
#include "support/pdf_text.h"

#include <QClipboard>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSet>

TEST_F(CustomersTest, TheCardPrintsPictureThirteenLinesAndTheFormulasBelow)
{
    CustomerWindow& w = open();
    const QString tall = pictureFile("tall.bmp", Qt::magenta, QSize(100, 300));
    ui.script.fileAnswers = {tall};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command10")));
    type(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3")), "Roots: 6N + 20 vol, 35 min");
    ui.script.clear();

    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::PrinterDialog);
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedJob& job = printing->jobs()[0];
    EXPECT_EQ(job.printQuality, qv::PrintQuality::High);
    ASSERT_EQ(job.pages.size(), 1);
    const qv::PrintedPage& page = job.pages[0];

    // The picture squeezed into a square at the corner.
    ASSERT_EQ(page.pictures.size(), 1);
    EXPECT_EQ(page.pictures[0].rect, QRectF(0, 0, 2500, 2500));
    EXPECT_EQ(page.pictures[0].pixelSize, QSize(100, 300));

    EXPECT_EQ(page.lines(), (QStringList{
                                "Customer Name:Ann Lee",
                                "Phone:434-8888",
                                "Contact Name:",
                                "ContactTitle:",
                                "Address:",
                                "City:San Diego",
                                "State:",
                                "PostalCode:",
                                "Email:ann@example.com",
                                "Credit Terms:",
                                "Comments:",
                                "Salon ArtistMaria",
                                "Birthday:5/14",
                                "Formulas:",
                                "Roots: 6N + 20 vol, 35 min",
                            }));

    // Below the picture; a blank before each caption, ten more before the separated values.
    QFont font("Arial", 10);
    font.setBold(true);
    const QFontMetricsF fm(font, printing->measureDevice());
    const double perTwip = printing->unitsPerTwip();
    const double blank = fm.horizontalAdvance(' ') / perTwip;
    const QList<qv::PrintedText> name = page.lineAt(page.texts[0].y);
    EXPECT_EQ(page.texts[0].text, "Customer Name:");
    EXPECT_GT(page.texts[0].y, 2500);
    EXPECT_NEAR(page.texts[0].x, blank, 1);
    EXPECT_TRUE(page.texts[0].bold);
    EXPECT_EQ(page.texts[0].fontName, "Arial");
    for (const QString& caption : {QStringLiteral("Phone:"), QStringLiteral("Email:"), QStringLiteral("Birthday:")}) {
        auto it = std::find_if(page.texts.begin(), page.texts.end(), [&](const qv::PrintedText& t) { return t.text == caption; });
        ASSERT_NE(it, page.texts.end());
        const QList<qv::PrintedText> line = page.lineAt(it->y);
        ASSERT_EQ(line.size(), 2) << caption.toStdString();
        EXPECT_NEAR(line[1].x, line[0].x + fm.horizontalAdvance(caption) / perTwip + 10 * blank, 2);
    }
    // The formulas start 7600 twips down the sheet.
    auto formula = std::find_if(page.texts.begin(), page.texts.end(),
                                [](const qv::PrintedText& t) { return t.text.startsWith("Roots"); });
    ASSERT_NE(formula, page.texts.end());
    EXPECT_NEAR(formula->y, 7600, 40);
    EXPECT_NEAR(formula->x, 4000, 40);
    EXPECT_FALSE(printing->jobOpen());
}

TEST_F(CustomersTest, ACardWithoutPictureOrFormulasStillLeavesThePictureSpace)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Bob Stone: no picture, no formulas
    type(w.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_12_lines")), "Allergic to ammonia");
    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedPage& page = printing->jobs()[0].pages[0];
    EXPECT_TRUE(page.pictures.isEmpty());
    EXPECT_GT(page.texts[0].y, 2500);
    EXPECT_TRUE(page.lines().contains("Comments:Allergic to ammonia"));
    EXPECT_EQ(page.lines().last(), "Formulas:");

    // Cancel: nothing printed, nothing said.
    ui.script.clear();
    ui.script.printerAnswers = {false, false};
    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command10")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command12")));
    EXPECT_EQ(printing->jobs().size(), 1);
    EXPECT_FALSE(printing->jobOpen());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(CustomersTest, LongFormulasGoOnOverPagesAndTheFormulasButtonPrintsThemAlone)
{
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("Command10")));
    QStringList lines;
    for (int i = 1; i <= 80; ++i)
        lines << QStringLiteral("Visit %1: 7G + 6%, 30 min").arg(i);
    type(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3")), lines.join("\n"));

    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedJob& card = printing->jobs()[0];
    ASSERT_GE(card.pages.size(), 2);
    // Every page of the formulas starts 7600 twips down; none is lost.
    QStringList printed;
    for (const qv::PrintedPage& p : card.pages)
        for (const QString& l : p.lines())
            if (l.startsWith("Visit"))
                printed << l;
    EXPECT_EQ(printed, lines);
    auto firstVisit = [](const qv::PrintedPage& p) {
        return std::find_if(p.texts.begin(), p.texts.end(), [](const qv::PrintedText& t) { return t.text.startsWith("Visit"); });
    };
    ASSERT_NE(firstVisit(card.pages[1]), card.pages[1].texts.end());
    EXPECT_NEAR(firstVisit(card.pages[1])->y, 7600, 40);

    click(w.findChild<QPushButton*>(QStringLiteral("Command12")));
    ASSERT_EQ(printing->jobs().size(), 2);
    const qv::PrintedJob& formulas = printing->jobs()[1];
    EXPECT_TRUE(formulas.pages[0].pictures.isEmpty());
    EXPECT_EQ(formulas.pages[0].lines().first(), "Visit 1: 7G + 6%, 30 min");
    ASSERT_NE(firstVisit(formulas.pages[0]), formulas.pages[0].texts.end());
    EXPECT_NEAR(firstVisit(formulas.pages[0])->y, 3600, 40);
    EXPECT_NEAR(firstVisit(formulas.pages[0])->x, 4000, 40);
}

TEST_F(CustomersTest, ACameraSizedPictureShowsAndPrintsWhole)
{
    CustomerWindow& w = open();
    // 45 megapixels: three times what Qt reads by default.
    const QString photo = db.folder() + QStringLiteral("/camera.png");
    ASSERT_TRUE(qvtest::writeLargePng(photo, QSize(16000, 12000), Qt::red, Qt::blue));
    ui.script.fileAnswers = {photo};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));

    // Shown from its corner, as far as the frame and its scroll bars reach.
    const QPixmap shown = w.findChild<qv::PictureBox*>(QStringLiteral("PicDest"))->pixmap();
    ASSERT_FALSE(shown.isNull()) << "the frame stays empty";
    EXPECT_EQ(shown.toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_LT(shown.width(), 8000);

    // Printed whole, at the size of the card's square.
    ui.script.clear();
    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(printing->jobs().size(), 1);
    ASSERT_EQ(printing->jobs()[0].pages.size(), 1);
    const QList<qv::PrintedPicture>& printed = printing->jobs()[0].pages[0].pictures;
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0].rect, QRectF(0, 0, 2500, 2500));
    EXPECT_EQ(printed[0].pixelSize, QSize(2500, 1875));
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
}

// A long allergy note pasted into the comments, printed to a PDF and read
// back: every word inside the page, the lines after the first starting where
// the note starts, the note going on over the page and the formulas below it.
TEST_F(CustomersTest, ALongCommentWrapsInsideThePageAndGoesOnOverIt)
{
    if (!qvtest::canReadPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    CustomerWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Bob Stone: no picture
    QStringList note;
    for (int i = 1; i <= 800; ++i)
        note << QStringLiteral("allergy%1").arg(i);
    QGuiApplication::clipboard()->setText(note.join(' '));
    qvtest::clickAt(w.findChild<qv::ManyLineBox*>(QStringLiteral("txtfields_12_lines")));
    qvtest::press(Qt::Key_V, Qt::ControlModifier);
    click(w.findChild<QPushButton*>(QStringLiteral("Command10")));
    type(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3")), "Roots: 6N + 20 vol, 35 min");
    const QString pdf = QDir(db.folder()).filePath("card.pdf");
    qv::printer().useSystemPdfFile(pdf);
    const double rightEdge = (qv::printer().physicalOffsetX() + qv::printer().scaleWidth()) / qv::kTwipsPerPoint;
    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    qv::printer().useRecording();

    static const QRegularExpression noteWord(QStringLiteral("allergy\\d+$"));
    QStringList printed;
    QSet<int> lineStarts;   // of the note's lines after the first
    double lineTop = -1, formulasCaption = -1, formulas = -1;
    int pages = 0;
    for (const qvtest::PdfPageWords& page : qvtest::pdfPageWords(pdf)) {
        ++pages;
        for (const qvtest::PdfWord& word : page.words) {
            if (const QRegularExpressionMatch m = noteWord.match(word.text); m.hasMatch()) {
                EXPECT_LE(word.box.right(), rightEdge + 0.5) << word.text.toStdString();
                if (!printed.isEmpty() && std::abs(word.box.top() - lineTop) > 0.5)
                    lineStarts << qRound(word.box.left());
                printed << m.captured();
                lineTop = word.box.top();
            }
            if (word.text == "Formulas:")
                formulasCaption = word.box.top();
            if (word.text == "Roots:")
                formulas = word.box.top();
        }
    }
    EXPECT_EQ(printed, note);
    EXPECT_GE(pages, 2);
    ASSERT_EQ(lineStarts.size(), 1);
    EXPECT_GT(*lineStarts.begin(), 40);   // under the note, not under the captions
    EXPECT_GT(formulasCaption, lineTop);
    EXPECT_GT(formulas, formulasCaption);
}
