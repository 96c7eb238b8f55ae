// The asset record on the printer, read back from the recording printer.
#include "assets_fixture.h"
#include "support/user_hands.h"

#include "common/picture_viewport.h"
#include "common/drawn_pictures.h"
#include "platform/print/rich_text_box.h"

#include <QFontMetricsF>

TEST_F(AssetsTest, PrintOutHasPictureLinesAndNotesLowOnThePage)
{
    BusinessAssets& w = open();
    const QString wide = pictureFile("wide.bmp", Qt::cyan, QSize(400, 100));
    ui.script.fileAnswers = {wide};
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    // Unsaved edits print as typed.
    type(box(ModelBox), "X-200");
    type(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3")), "Bought at the trade fair");
    ui.script.clear();

    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::PrinterDialog);
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedJob& job = printing->jobs()[0];
    EXPECT_EQ(job.printQuality, qv::PrintQuality::High);
    ASSERT_EQ(job.pages.size(), 1);
    const qv::PrintedPage& page = job.pages[0];

    ASSERT_EQ(page.pictures.size(), 1);
    EXPECT_EQ(page.pictures[0].rect, QRectF(0, 0, 2500, 2500));
    EXPECT_EQ(page.pictures[0].pixelSize, QSize(400, 100));

    EXPECT_EQ(page.lines(), (QStringList{
                                "Business_Name:Quorvel Hair Studio",
                                "Address:12 Main St",
                                "City:San Diego",
                                "State:CA",
                                "Zip:92101",
                                "Location:Salon",
                                "On/Off SiteOn",
                                "ItemID:Salon Chair",
                                "Item Description:Hydraulic styling chair",
                                "Manufacturer:",
                                "Model:X-200",
                                "SerialVin:",
                                "Purchase Price:$1,200.00",
                                "Purchase Date:5/1/00",
                                "Purchased From:",
                                "Replacement Cost:$1,400.00",
                                "Appraised Value:$900.00",
                                "Appraisal Date:",
                                "Appraised By:",
                                "Method of Payment:",
                                "Bought at the trade fair",
                            }));

    QFont font("Arial", 10);
    font.setBold(true);
    const QFontMetricsF fm(font, printing->measureDevice());
    const double perTwip = printing->unitsPerTwip();
    const double blank = fm.horizontalAdvance(' ') / perTwip;
    // Fifteen empty lines before the first caption; the business lines
    // close together, an empty line before each item line.
    const QList<qv::PrintedText>& texts = page.texts;
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts[0].text, "Business_Name:");
    EXPECT_EQ(texts[2].text, "Address:");
    const double lineHeight = texts[2].y - texts[0].y;
    EXPECT_GT(lineHeight, 150);
    EXPECT_NEAR(texts[0].y, 15 * lineHeight, 2);
    EXPECT_EQ(texts[0].fontName, "Arial");
    EXPECT_TRUE(texts[0].bold);
    EXPECT_NEAR(texts[0].x, blank, 1);
    const QList<qv::PrintedText> address = page.lineAt(texts[2].y);
    ASSERT_EQ(address.size(), 2);
    // Ten blanks between caption and value on the stepped lines.
    EXPECT_NEAR(address[1].x - (address[0].x + fm.horizontalAdvance("Address:") / perTwip), 10 * blank, 2);
    const QList<qv::PrintedText> location = page.lineAt(texts[0].y + 6 * lineHeight);
    ASSERT_FALSE(location.isEmpty());
    EXPECT_EQ(location[0].text, "Location:");
    const QList<qv::PrintedText> site = page.lineAt(texts[0].y + 8 * lineHeight);
    ASSERT_FALSE(site.isEmpty());
    EXPECT_EQ(site[0].text, "On/Off Site");
    // The notes start at the top margin, 13000 twips down the sheet.
    const qv::PrintedText& notes = page.texts.last();
    EXPECT_GE(notes.y, 13000 - lineHeight);
    EXPECT_NEAR(notes.x, 3500, 300);
}

TEST_F(AssetsTest, PrintOutCancelledPrintsNothing)
{
    BusinessAssets& w = open();
    ui.script.printerAnswers = {false};
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_TRUE(printing->jobs().isEmpty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(AssetsTest, LongNotesGoOnOverPagesWithTheSameMargins)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    ASSERT_TRUE(qvtest::typeInto(w.findChild<qv::RichTextBox*>(QStringLiteral("rtf3")), QStringLiteral("Note line 1")));
    for (int i = 2; i <= 60; ++i) {
        qvtest::press(Qt::Key_Return);
        qvtest::typeKeys(QStringLiteral("Note line %1").arg(i));
    }
    click(w.findChild<QPushButton*>(QStringLiteral("Command1")));
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedJob& job = printing->jobs()[0];
    ASSERT_GE(job.pages.size(), 2);
    // No picture on a record without one; the second page starts low too.
    EXPECT_TRUE(job.pages[0].pictures.isEmpty());
    for (const qv::PrintedText& t : job.pages[1].texts)
        if (!t.text.trimmed().isEmpty())
            EXPECT_GE(t.y, 13000) << t.text.toStdString();
    QStringList second = job.pages[1].lines();
    second.removeIf([](const QString& l) { return l.trimmed().isEmpty(); });
    EXPECT_EQ(second.value(0), "Note line 16");   // the notes print in 8 points, as drawn
    EXPECT_EQ(job.pages.last().texts.last().text, "Note line 60");
}

TEST_F(AssetsTest, ThePrintButtonShowsThePrinter)
{
    BusinessAssets& w = open();
    const QSize size(22, 22);
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("Command1"))->icon().pixmap(size).toImage(), printIcon().pixmap(size).toImage());
}
