// The item picture by path, the find by item name and the two asset reports.
#include "assets_fixture.h"

#include "common/picture_viewport.h"
#include "platform/print/rich_text_box.h"
#include "platform/report/report_preview.h"

#include <QTimer>

TEST_F(AssetsTest, InsertedPictureIsSavedWithTheRecordAndShownOnReturn)
{
    BusinessAssets& w = open();
    const QString path = pictureFile("chair.bmp", Qt::blue);
    ui.script.fileAnswers = {QString()};
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(box(PicturePathBox)->text(), "");
    EXPECT_FALSE(pictureShown());

    ui.script.fileAnswers = {path};
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    ASSERT_EQ(ui.script.events.back().kind, qv::UiEvent::OpenFile);
    EXPECT_EQ(ui.script.events.back().arguments.value(0),
              PictureViewport::fileFilter());
    EXPECT_EQ(box(PicturePathBox)->text(), path);
    EXPECT_EQ(w.findChild<qv::RichTextBox*>(QStringLiteral("RichTextBox1"))->text().trimmed(), path);
    EXPECT_TRUE(pictureShown());

    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(stored("Salon Chair", "Imagekey").toString(), path);
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_TRUE(pictureShown());
    EXPECT_EQ(w.findChild<PictureViewport*>()->picture().pixelColor(5, 5), QColor(Qt::blue));
}

TEST_F(AssetsTest, MovedPictureFileShowsNothingButKeepsItsPath)
{
    db.seed();
    db.execRaw("UPDATE Business SET Imagekey = '/nowhere/gone.jpg' WHERE ItemName = 'Salon Chair'");
    seed = false;
    BusinessAssets& w = open();
    EXPECT_EQ(box(PicturePathBox)->text(), "/nowhere/gone.jpg");
    EXPECT_FALSE(pictureShown());
    EXPECT_TRUE(messages().isEmpty());
    (void)w;
}

TEST_F(AssetsTest, DeletedPictureDuringEditComesBackOnCancel)
{
    const QString path = pictureFile("dryer.bmp", Qt::green);
    db.seed();
    db.execRaw(QStringLiteral("UPDATE Business SET Imagekey = '%1' WHERE ItemName = 'Salon Chair'").arg(path));
    seed = false;
    BusinessAssets& w = open();
    EXPECT_TRUE(pictureShown());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(box(PicturePathBox)->text(), "");
    EXPECT_FALSE(pictureShown());
    EXPECT_TRUE(messages().isEmpty());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(box(PicturePathBox)->text(), path);
    EXPECT_TRUE(pictureShown());
    EXPECT_EQ(stored("Salon Chair", "Imagekey").toString(), path);
}

TEST_F(AssetsTest, FindByPartOfTheItemName)
{
    BusinessAssets& w = open();
    ui.script.inputAnswers = {"Dry"};
    click(w.findChild<QPushButton*>(QStringLiteral("Command6")));
    ASSERT_FALSE(ui.script.events.empty());
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Input);
    EXPECT_EQ(ui.script.events[0].text, "Enter the ID.");
    EXPECT_EQ(ui.script.events[0].title, "");
    EXPECT_EQ(box(ItemNameBox)->text(), "Hair Dryer");
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");

    ui.script.clear();
    ui.script.inputAnswers = {"Mirror"};
    click(w.findChild<QPushButton*>(QStringLiteral("Command6")));
    EXPECT_EQ(messages(), QStringList{"Could not find your Item. Mirror"});
    EXPECT_EQ(box(ItemNameBox)->text(), "Hair Dryer");

    ui.script.clear();
    ui.script.inputAnswers = {""};
    click(w.findChild<QPushButton*>(QStringLiteral("Command6")));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(box(ItemNameBox)->text(), "Hair Dryer");

    // An apostrophe is only a letter to look for.
    ui.script.inputAnswers = {"O'Brien"};
    click(w.findChild<QPushButton*>(QStringLiteral("Command6")));
    EXPECT_EQ(box(ItemNameBox)->text(), "Hair Dryer");
}

namespace {
// Closes the report the window shows modally and tells what it held.
struct ReportWatch {
    bool shown = false;
    QString title;
    int pages = 0;
    void arm()
    {
        QTimer::singleShot(0, [this] {
            qv::ReportPreview* preview = qv::ReportPreview::current();
            if (!preview)
                return;
            shown = true;
            title = preview->windowTitle();
            pages = int(preview->document().pageCount());
            preview->close();
        });
    }
};
} // namespace

TEST_F(AssetsTest, ReportsShowTheStoredRowsNotTheUnsavedEdits)
{
    BusinessAssets& w = open();
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(PurchasePriceBox), "999999");
    ReportWatch totals;
    totals.arm();
    click(w.findChild<QPushButton*>(QStringLiteral("Command21")));
    EXPECT_TRUE(totals.shown);
    EXPECT_GT(totals.pages, 0);
    EXPECT_TRUE(messages().isEmpty());
    // The window's own edit is still pending.
    EXPECT_EQ(box(PurchasePriceBox)->text(), "999999");
    EXPECT_DOUBLE_EQ(storedMoney("Salon Chair", "PurchasePrice"), 1200.0);
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));

    const QString path = pictureFile("chair.png", Qt::yellow);
    ui.script.fileAnswers = {path};
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    w.findChild<PictureViewport*>()->clearPicture();
    ReportWatch assets;
    assets.arm();
    click(w.findChild<QPushButton*>(QStringLiteral("Image4")));
    EXPECT_TRUE(assets.shown);
    // The report reloads the current item's picture.
    EXPECT_TRUE(pictureShown());
}
