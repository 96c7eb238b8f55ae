// The employee's photo: shown with the record, inserted through the
// open-file dialog, deleted and saved at once, scrolled in its frame.
#include "employee_fixture.h"
#include "support/user_hands.h"

#include "common/picture_viewport.h"
#include "platform/forms/window.h"

#include <QScrollBar>

TEST_F(EmployeeTest, EachEmployeeShowsTheirOwnPhotoAndNoneWithoutOne)
{
    db.seed();
    const QString red = pictureFile("lopez.bmp", Qt::red, QSize(300, 240));
    const QString blue = pictureFile("reed.bmp", Qt::blue, QSize(120, 90));
    db.execRaw(QStringLiteral("UPDATE Employees SET Photo = '%1' WHERE LastName = 'Lopez'").arg(red));
    db.execRaw(QStringLiteral("UPDATE Employees SET Photo = '%1' WHERE LastName = 'Reed'").arg(blue));
    seed = false;
    EmployeeWindow& w = open();
    qv::PictureBox* dest = w.findChild<PictureViewport*>()->pictureBox;
    EXPECT_EQ(box(16)->text(), red);
    EXPECT_EQ(photoColour(), QColor(Qt::red));
    EXPECT_EQ(dest->size(), QSize(300, 240));   // natural size, cut by the frame
    EXPECT_LT(w.findChild<PictureViewport*>()->pictureFrame->width(), dest->width());

    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Park: no photo
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    EXPECT_TRUE(dest->pixmap().isNull());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(photoColour(), QColor(Qt::blue));
    EXPECT_EQ(dest->size(), QSize(120, 90));

    // Add shows none; Cancel brings back the photo of the record before.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_TRUE(dest->pixmap().isNull());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(photoColour(), QColor(Qt::blue));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, APhotoThatCannotBeShownIsReportedOnlyByFirstAndRefresh)
{
    db.seed();
    db.execRaw("UPDATE Employees SET Photo = '/no/such/folder/gone.jpg' WHERE LastName = 'Lopez'");
    const QString notPicture = QDir(db.folder()).filePath("notes.jpg");
    {
        QFile f(notPicture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    db.execRaw(QStringLiteral("UPDATE Employees SET Photo = '%1' WHERE LastName = 'Reed'").arg(notPicture));
    seed = false;
    EmployeeWindow& w = open();
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    EXPECT_TRUE(messages().isEmpty());   // at load
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Reed's file is no picture
    EXPECT_EQ(box(1)->text(), "Reed");
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_TRUE(messages().isEmpty());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("gone.jpg"));
    EXPECT_EQ(box(1)->text(), "Lopez");
    click(w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(messages().size(), 2);
    // The window goes on as before.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(1)->text(), "Park");
}

TEST_F(EmployeeTest, InsertingAPhotoSetsThePathAndCancelChangesNothing)
{
    EmployeeWindow& w = open();
    const QString green = pictureFile("green.bmp", Qt::green);
    const QString yellow = pictureFile("yellow.jpg", Qt::yellow);
    ui.script.fileAnswers = {""};   // cancelled
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::OpenFile);
    EXPECT_EQ(ui.script.events[0].arguments.value(0),
              "Image Files (*.jpg;*.jpe;*.jpeg;*.bmp;*.png)|*.jpg;*.jpe;*.jpeg;*.bmp;*.png|JPEG Files "
              "(*.jpg;*.jpe;*.jpeg)|*.jpg;*.jpe;*.jpeg|Bitmap Files (*.bmp)|*.bmp");
    EXPECT_TRUE(box(16)->text().isEmpty());
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());

    ui.script.fileAnswers = {green, ""};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(box(16)->text(), green);
    EXPECT_EQ(photoColour(), QColor(Qt::green));
    EXPECT_TRUE(stored("Lopez", "Photo").toString().isEmpty());   // pending only
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));   // cancelled after an earlier insert
    EXPECT_EQ(box(16)->text(), green);
    EXPECT_EQ(photoColour(), QColor(Qt::green));

    // Leaving the record saves the path; coming back shows the photo again.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(stored("Lopez", "Photo").toString(), green);
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    ui.script.fileAnswers = {yellow};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    EXPECT_EQ(stored("Park", "Photo").toString(), yellow);
    EXPECT_EQ(photoColour(), QColor(Qt::green));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_GT(photoColour().red(), 230);   // JPEG: nearly yellow
    EXPECT_GT(photoColour().green(), 230);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, DeletingThePhotoSavesAtOnceEvenANewRowWithoutNumber)
{
    EmployeeWindow& w = open();
    const QString green = pictureFile("green.bmp", Qt::green);
    db.execRaw(QStringLiteral("UPDATE Employees SET Photo = '%1' WHERE LastName = 'Lopez'").arg(green));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    ASSERT_EQ(photoColour(), QColor(Qt::green));
    type(box(4), "Del Mar");
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_TRUE(box(16)->text().isEmpty());
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    EXPECT_TRUE(stored("Lopez", "Photo").toString().isEmpty());
    EXPECT_EQ(stored("Lopez", "City").toString(), "Del Mar");
    EXPECT_TRUE(QFile::exists(green));   // the file itself is never touched
    EXPECT_TRUE(ui.script.events.empty());   // no question asked

    // During Add: the new row is stored at once, number or not; Update and
    // Cancel stay, while the keys move again.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(1), "Quick");
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(db.count("Employees"), 4);
    EXPECT_TRUE(stored("Quick", "LastName").isValid());
    EXPECT_TRUE(stored("Quick", "EmployeeSS").toString().isEmpty());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    qvtest::clickAt(box(3));
    qvtest::press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(box(1)->text(), "Lopez");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, ScrollBarsShiftThePhotoByTwipsWithoutLimit)
{
    EmployeeWindow& w = open();
    const QString big = pictureFile("big.bmp", Qt::darkCyan, QSize(600, 500));
    ui.script.fileAnswers = {big};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    PictureViewport& v = *w.findChild<PictureViewport*>();
    EXPECT_EQ(v.horizontalScrollBar->maximum(), 32767);
    EXPECT_EQ(v.verticalScrollBar->maximum(), 32767);
    EXPECT_EQ(v.verticalScrollBar->singleStep(), 100);
    EXPECT_EQ(v.horizontalScrollBar->pageStep(), 100);
    EXPECT_EQ(v.pictureBox->pos(), QPoint(0, 0));
    v.verticalScrollBar->setValue(1500);
    v.horizontalScrollBar->setValue(300);
    EXPECT_EQ(v.pictureBox->pos(), QPoint(-20, -100));
    // Far past the picture, and back to its corner.
    v.verticalScrollBar->setValue(32767);
    v.horizontalScrollBar->setValue(32767);
    EXPECT_EQ(v.pictureBox->pos(), QPoint(-(32767 / 15), -(32767 / 15)));
    EXPECT_FALSE(v.pictureFrame->rect().intersects(v.pictureBox->geometry()));
    v.verticalScrollBar->setValue(0);
    v.horizontalScrollBar->setValue(0);
    EXPECT_EQ(v.pictureBox->pos(), QPoint(0, 0));
    // The positions stay when another record's photo is shown.
    v.verticalScrollBar->setValue(1500);
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(v.verticalScrollBar->value(), 1500);
}
