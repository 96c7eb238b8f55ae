// The client's picture: shown with the record, inserted through the
// open-file dialog, deleted and saved at once, scrolled in its frame.
#include "customers_fixture.h"

#include "common/picture_viewport.h"
#include "platform/forms/window.h"
#include "platform/services/qt_ui.h"
#include "support/user_hands.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>

namespace {
// Clicks the arrow that moves the bar on (down or right) so many times.
void clickArrow(QScrollBar* bar, int times)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect arrow = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar);
    for (int i = 0; i < times; ++i)
        qvtest::clickAt(bar, arrow.center());
}

QColor centreColour(const qv::PictureBox* picture)
{
    const QImage image = picture->pixmap().toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}
} // namespace

TEST_F(CustomersTest, EachClientShowsTheirOwnPictureAndNoneWithoutOne)
{
    db.seed();
    const QString red = pictureFile("ann.bmp", Qt::red, QSize(300, 240));
    const QString blue = pictureFile("bob.jpg", Qt::blue, QSize(120, 90));
    db.execRaw(QStringLiteral("UPDATE Customers SET Image = '%1' WHERE CustomerName = 'Ann Lee'").arg(red));
    db.execRaw(QStringLiteral("UPDATE Customers SET Image = '%1' WHERE CustomerName = 'Bob Stone'").arg(blue));
    seed = false;
    CustomerWindow& w = open();
    qv::PictureBox* dest = w.findChild<PictureViewport*>()->pictureBox;
    EXPECT_EQ(box(16)->text(), red);
    EXPECT_EQ(centreColour(dest), QColor(Qt::red));
    EXPECT_EQ(dest->size(), QSize(300, 240));   // natural size, cut by the frame
    EXPECT_LT(w.findChild<PictureViewport*>()->pictureFrame->width(), dest->width());

    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_LT(std::abs(centreColour(dest).blue() - 255) + centreColour(dest).red(), 24);   // JPEG: nearly blue
    EXPECT_EQ(dest->size(), QSize(120, 90));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));   // Cara: no picture
    EXPECT_TRUE(dest->pixmap().isNull());

    // The grid pick, the finds and Add follow the record too.
    ui.script.inputAnswers = {"ann"};
    click(w.findChild<QPushButton*>(QStringLiteral("bttnFind")));
    EXPECT_EQ(centreColour(dest), QColor(Qt::red));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_TRUE(dest->pixmap().isNull());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(centreColour(dest), QColor(Qt::red));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(CustomersTest, AMissingPictureFileIsReportedOnlyByFirst)
{
    db.seed();
    db.execRaw("UPDATE Customers SET Image = '/no/such/folder/gone.jpg' WHERE CustomerName = 'Ann Lee'");
    seed = false;
    CustomerWindow& w = open();
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    EXPECT_TRUE(messages().isEmpty());   // at load
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdPrevious")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    EXPECT_TRUE(messages().isEmpty());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdFirst")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("gone.jpg"));
    EXPECT_EQ(box(0)->text(), "Ann Lee");
}

TEST_F(CustomersTest, InsertingAPictureSetsThePathAndCancelChangesNothing)
{
    CustomerWindow& w = open();
    const QString green = pictureFile("green.bmp", Qt::green);
    ui.script.fileAnswers = {""};   // cancelled
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::OpenFile);
    EXPECT_EQ(ui.script.events[0].arguments.value(0),
              "Image Files (*.jpg;*.jpe;*.jpeg;*.bmp;*.png)|*.jpg;*.jpe;*.jpeg;*.bmp;*.png|JPEG Files "
              "(*.jpg;*.jpe;*.jpeg)|*.jpg;*.jpe;*.jpeg|Bitmap Files (*.bmp)|*.bmp");
    EXPECT_TRUE(box(16)->text().isEmpty());
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());

    ui.script.fileAnswers = {green};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(box(16)->text(), green);
    EXPECT_EQ(centreColour(w.findChild<PictureViewport*>()->pictureBox), QColor(Qt::green));
    // A pending change only, until the next save.
    EXPECT_TRUE(stored("Ann Lee", "Image").isNull());
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(stored("Ann Lee", "Image").toString(), green);
    EXPECT_EQ(centreColour(w.findChild<PictureViewport*>()->pictureBox), QColor(Qt::green));
}

TEST_F(CustomersTest, ClosingAfterInsertingKeepsThePictureAsTypedTextIsKept)
{
    CustomerWindow& w = open();
    const QString green = pictureFile("green.bmp", Qt::green);
    ui.script.fileAnswers = {green};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdClose")));
    settle();
    EXPECT_FALSE(qv::Windows::loaded("frmCustomers"));
    EXPECT_EQ(stored("Ann Lee", "Image").toString(), green);
}

TEST_F(CustomersTest, DeletingThePictureSavesAtOnceWithOtherPendingEdits)
{
    CustomerWindow& w = open();
    const QString green = pictureFile("green.bmp", Qt::green);
    ui.script.fileAnswers = {green};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    type(box(5), "Del Mar");
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_TRUE(box(16)->text().isEmpty());
    EXPECT_TRUE(w.findChild<PictureViewport*>()->pictureBox->pixmap().isNull());
    EXPECT_TRUE(stored("Ann Lee", "Image").toString().isEmpty());
    EXPECT_EQ(stored("Ann Lee", "City").toString(), "Del Mar");
    EXPECT_TRUE(messages().isEmpty());

    // A saved picture goes from the table too.
    ui.script.fileAnswers = {green};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    click(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    ASSERT_EQ(stored("Ann Lee", "Image").toString(), green);
    click(w.findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_TRUE(stored("Ann Lee", "Image").toString().isEmpty());
    EXPECT_TRUE(QFile::exists(green));   // the file itself is never touched
}

TEST_F(CustomersTest, ScrollBarsShiftThePictureByTwips)
{
    CustomerWindow& w = open();
    const QString big = pictureFile("big.bmp", Qt::darkCyan, QSize(600, 500));
    ui.script.fileAnswers = {big};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    PictureViewport& v = *w.findChild<PictureViewport*>();
    EXPECT_EQ(v.horizontalScrollBar->maximum(), 32767);
    EXPECT_EQ(v.verticalScrollBar->singleStep(), 100);
    EXPECT_EQ(v.pictureBox->pos(), QPoint(0, 0));
    // Steps of 100 twips: fifteen clicks on the arrow down, three on the arrow right.
    clickArrow(v.verticalScrollBar, 15);
    clickArrow(v.horizontalScrollBar, 3);
    EXPECT_EQ(v.verticalScrollBar->value(), 1500);
    EXPECT_EQ(v.pictureBox->pos(), QPoint(-20, -100));
    // The positions stay when the picture changes.
    click(w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(v.verticalScrollBar->value(), 1500);
    ui.script.fileAnswers = {big};
    click(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    EXPECT_EQ(v.pictureBox->pos(), QPoint(-20, -100));
}

TEST_F(CustomersTest, ThePictureDialogOffersPngAndShowsEachFiltersPatternsOnce)
{
    CustomerWindow& w = open();
    const QString png = pictureFile("cara.png", Qt::magenta);
    // The people's dialog, as the program shows it.
    qv::QtUi people;
    qv::setUi(&people);
    QStringList filters;
    QString selected;
    auto* timer = new QTimer(&w);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        // The user types the picture's path as its name and presses Enter.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name && qvtest::typeInto(name, png))
            qvtest::press(Qt::Key_Return);
        if (dialog->isVisible())
            dialog->reject();   // the file was not taken: nothing is chosen
    });
    timer->start();
    qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("Command3")));
    qv::setUi(&ui.script);
    EXPECT_EQ(filters, (QStringList{"Image Files (*.jpg *.jpe *.jpeg *.bmp *.png)", "JPEG Files (*.jpg *.jpe *.jpeg)",
                                    "Bitmap Files (*.bmp)"}));
    EXPECT_EQ(selected, filters.value(0));
    EXPECT_EQ(box(16)->text(), png);
    EXPECT_EQ(centreColour(w.findChild<PictureViewport*>()->pictureBox), QColor(Qt::magenta));
}
