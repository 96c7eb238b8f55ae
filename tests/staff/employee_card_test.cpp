// The employee card, read back from the recording printer and, once, from a
// PDF rendered to a picture.
#include "employee_fixture.h"

#include "common/picture_viewport.h"
#include "common/drawn_pictures.h"
#include "platform/print/printer.h"

#include <QDir>
#include <QFontMetricsF>
#include <QProcess>
#include <QStandardPaths>

namespace {
const QStringList kLopezLines(const QString& id)
{
    return {
        "EmployeeID:" + id, "LastName:Lopez", "FirstName:Maria", "Address:12 Palm Ave", "City:San Diego",
        "State:CA", "ZipCode:92101", "Phone:434-1000", "Extension:12", "BirthDate:", "HireDate:",
        "Title:Stylist", "ReportsTo:", "Notes:Senior stylist",
    };
}
} // namespace

TEST_F(EmployeeTest, TheCardPrintsTheSquaredPhotoAndFourteenLinesBelowIt)
{
    EmployeeWindow& w = open();
    const QString wide = pictureFile("wide.bmp", Qt::magenta, QSize(400, 100));
    ui.script.fileAnswers = {wide};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    type(box(3), "12 Palm Ave");
    type(box(5), "CA");
    type(box(6), "92101");
    type(box(8), "12");
    type(box(14), "Senior stylist");
    type(box(15), "6/30/2003");
    ui.script.clear();

    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::PrinterDialog);
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedJob& job = printing->jobs()[0];
    EXPECT_EQ(job.printQuality, qv::PrintQuality::High);
    ASSERT_EQ(job.pages.size(), 1);
    const qv::PrintedPage& page = job.pages[0];

    // A wide photo squeezed into the square at the corner.
    ASSERT_EQ(page.pictures.size(), 1);
    EXPECT_EQ(page.pictures[0].rect, QRectF(0, 0, 2500, 2500));
    EXPECT_EQ(page.pictures[0].pixelSize, QSize(400, 100));

    // The number, the termination date and the path stay off the card.
    QStringList expected = kLopezLines(box(0)->text());
    expected[10] = "HireDate:" + box(10)->text();
    EXPECT_EQ(page.lines(), expected);
    EXPECT_FALSE(page.lines().join(' ').contains("111-22-3333"));
    EXPECT_FALSE(page.lines().join(' ').contains("wide.bmp"));

    // Fifteen lines down, a blank before each caption, the value right after it.
    QFont font("Arial", 10);
    font.setBold(true);
    const QFontMetricsF fm(font, printing->measureDevice());
    const double perTwip = printing->unitsPerTwip();
    const double blank = fm.horizontalAdvance(' ') / perTwip;
    // Line height from the printed lines themselves.
    std::vector<double> tops;
    for (const qv::PrintedText& t : page.texts)
        if (tops.empty() || t.y > tops.back())
            tops.push_back(t.y);
    ASSERT_EQ(tops.size(), 14u);
    const double lineHeight = tops[1] - tops[0];
    EXPECT_NEAR(page.texts[0].y, 15 * lineHeight, 1);
    EXPECT_GT(page.texts[0].y, 2500);
    EXPECT_NEAR(page.texts[0].x, blank, 1);
    EXPECT_TRUE(page.texts[0].bold);
    EXPECT_EQ(page.texts[0].fontName, "Arial");
    EXPECT_EQ(page.texts[0].size, 10);
    EXPECT_FALSE(printing->jobOpen());
}

TEST_F(EmployeeTest, ACardWithoutPhotoLeavesItsSpaceAndCancelPrintsNothing)
{
    EmployeeWindow& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Park: no photo
    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedPage& page = printing->jobs()[0].pages[0];
    EXPECT_TRUE(page.pictures.isEmpty());
    ASSERT_EQ(page.lines().size(), 14);
    EXPECT_EQ(page.lines()[1], "LastName:Park");
    EXPECT_EQ(page.lines()[13], "Notes:");
    EXPECT_GT(page.texts[0].y, 2500);

    ui.script.clear();
    ui.script.printerAnswers = {false};
    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    EXPECT_EQ(printing->jobs().size(), 1);
    EXPECT_FALSE(printing->jobOpen());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, ThePrintedCardShowsThePhotoAboveTheLines)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    EmployeeWindow& w = open();
    const QString wide = pictureFile("wide.bmp", QColor(200, 0, 0), QSize(400, 100));
    ui.script.fileAnswers = {wide};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    const QString pdf = QDir(db.folder()).filePath("card.pdf");
    qv::printer().useSystemPdfFile(pdf);
    click(w.findChild<QPushButton*>(QStringLiteral("Command4")));
    qv::printer().useRecording();
    ASSERT_TRUE(QFile::exists(pdf));

    QProcess render;
    const int dpi = 96;   // 15 twips a pixel
    render.start(pdftoppm, {"-png", "-r", QString::number(dpi), "-singlefile", pdf, QDir(db.folder()).filePath("card")});
    ASSERT_TRUE(render.waitForFinished(60000));
    const QImage sheet(QDir(db.folder()).filePath("card.png"));
    ASSERT_FALSE(sheet.isNull());
    if (qEnvironmentVariableIsSet("QV_KEEP_CARD"))
        sheet.save(qEnvironmentVariable("QV_KEEP_CARD"));

    // The red square of about 2500 twips (167 pixels), and dark text only below it.
    QRect red, text;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            const QColor c = sheet.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 80 && c.blue() < 80)
                red |= QRect(x, y, 1, 1);
            else if (qGray(c.rgb()) < 100)
                text |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(red.isEmpty());
    EXPECT_NEAR(red.width(), 167, 4);
    EXPECT_NEAR(red.height(), 167, 4);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GT(text.top(), red.bottom());
}

TEST_F(EmployeeTest, ThePrintButtonShowsThePrinter)
{
    EmployeeWindow& w = open();
    const QSize size(22, 22);
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("Command4"))->icon().pixmap(size).toImage(), printIcon().pixmap(size).toImage());
}
