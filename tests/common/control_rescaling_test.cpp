// Rescaling a window's controls: factors of one, uneven factors through
// containers, combo boxes, what is no control, factors that are no number,
// and the load / activation / resize protocol of a self-rescaling window.
#include "common/control_rescaling.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// A window drawn for 800 x 600 with one of each kind of control.
struct TestWindow {
    TestWindow()
    {
        form->setGeometry(40, 30, 800, 600);
        QFont font = form->font();
        font.setPointSizeF(8);
        form->setFont(font);

        label = new QLabel("Client", form.get());
        label->setObjectName("Label1");
        label->setGeometry(10, 20, 100, 30);

        frame = new QFrame(form.get());
        frame->setObjectName("Frame1");
        frame->setGeometry(100, 100, 200, 150);
        inner = new QPushButton("OK", frame);
        inner->setObjectName("Command1");
        inner->setGeometry(10, 10, 80, 20);

        combo = new QComboBox(form.get());
        combo->setObjectName("Combo1");
        combo->addItems({"8 Am", "9 Am"});
        combo->setGeometry(20, 300, 120, combo->sizeHint().height());

        grid = new QTableView(form.get());
        grid->setObjectName("DataGrid1");
        grid->setGeometry(300, 300, 400, 200);

        // Neither of these has a place or a font.
        new QTimer(form.get());
        form->addAction(new QAction("Menu entry", form.get()));

        box = new QLineEdit(form.get());
        box->setObjectName("txtfields_0");
        box->setGeometry(500, 40, 150, 24);
    }

    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    QLabel* label;
    QFrame* frame;
    QPushButton* inner;
    QComboBox* combo;
    QTableView* grid;
    QLineEdit* box;
};

// Every control's name, place and font size, readable in a failure.
QStringList snapshot(QWidget* form)
{
    QStringList out;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue;
        const QRect g = w->geometry();
        out << QString("%1 %2,%3 %4x%5 %6pt").arg(w->objectName()).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())
                   .arg(w->font().pointSizeF());
    }
    return out;
}

QRect scaledRect(QRect r, double sx, double sy)
{
    return QRect(int(std::lround(r.x() * sx)), int(std::lround(r.y() * sy)), int(std::lround(r.width() * sx)),
                 int(std::lround(r.height() * sy)));
}

class ControlRescalingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        screenTwipsX = screenTwipsY = screenWidthPx = screenHeightPx = 0;
        resizeFormToo = resizeOnFormResize = 0;
    }
};

} // namespace

TEST_F(ControlRescalingTest, FactorsOfOneLeaveEveryControlAndTheWindowAsTheyWere)
{
    TestWindow w;
    const auto before = snapshot(w.form.get());
    const QRect window = w.form->geometry();
    resizeFormToo = -1;
    resizeControls(1.0f, 1.0f, w.form.get());
    EXPECT_EQ(snapshot(w.form.get()), before);
    EXPECT_EQ(w.form->geometry(), window);
}

TEST_F(ControlRescalingTest, UnevenFactorsScaleEveryControlInItsContainersCoordinates)
{
    TestWindow w;
    const QRect window = w.form->geometry();
    const QRect gridViewport = w.grid->viewport()->geometry();
    const int comboHeight = w.combo->height();
    // A 1280 x 1024 screen: 1.6 across, 1.7067 down, fonts by 1.6533.
    const float sx = 1280.0f / 800, sy = 1024.0f / 600, r = (sx + sy) / 2;
    resizeFormToo = 0;
    resizeControls(sx, sy, w.form.get());

    EXPECT_EQ(w.label->geometry(), scaledRect({10, 20, 100, 30}, sx, sy));
    EXPECT_EQ(w.frame->geometry(), scaledRect({100, 100, 200, 150}, sx, sy));
    EXPECT_EQ(w.inner->geometry(), scaledRect({10, 10, 80, 20}, sx, sy));
    EXPECT_EQ(w.grid->geometry(), scaledRect({300, 300, 400, 200}, sx, sy));
    EXPECT_EQ(w.box->geometry(), scaledRect({500, 40, 150, 24}, sx, sy));
    // Each font once by the mean factor, a button in a frame too (not once
    // more with its frame).
    EXPECT_NEAR(w.label->font().pointSizeF(), 8 * r, 0.01);
    EXPECT_NEAR(w.frame->font().pointSizeF(), 8 * r, 0.01);
    EXPECT_NEAR(w.inner->font().pointSizeF(), 8 * r, 0.01);
    EXPECT_NEAR(w.grid->font().pointSizeF(), 8 * r, 0.01);

    // The combo box: left, top and width scaled, its height its font's.
    EXPECT_EQ(w.combo->pos(), scaledRect({20, 300, 0, 0}, sx, sy).topLeft());
    EXPECT_EQ(w.combo->width(), int(std::lround(120 * sx)));
    EXPECT_NEAR(w.combo->font().pointSizeF(), 8 * r, 0.01);
    EXPECT_EQ(w.combo->height(), w.combo->sizeHint().height());
    EXPECT_NE(w.combo->height(), int(std::lround(comboHeight * sy)));

    // The grid places its own inner parts: they are not moved as controls.
    EXPECT_EQ(w.grid->viewport()->geometry().topLeft(), gridViewport.topLeft());
    // Without resizeFormToo the window keeps its place and size.
    EXPECT_EQ(w.form->geometry(), window);
}

TEST_F(ControlRescalingTest, TheWindowItselfScalesWhenAskedTo)
{
    TestWindow w;
    resizeFormToo = -1;
    resizeControls(1.28f, 1.28f, w.form.get());
    EXPECT_EQ(w.form->pos(), QPoint(51, 38));
    EXPECT_EQ(w.form->size(), QSize(1024, 768));
    EXPECT_EQ(w.label->geometry(), QRect(13, 26, 128, 38));
}

TEST_F(ControlRescalingTest, FactorsThatAreNoNumberLeaveTheControlsAsTheyWere)
{
    TestWindow w;
    const auto before = snapshot(w.form.get());
    const QRect window = w.form->geometry();
    const int comboHeight = w.combo->height();
    resizeFormToo = -1;
    resizeControls(INFINITY, NAN, w.form.get());
    EXPECT_EQ(snapshot(w.form.get()), before);
    EXPECT_EQ(w.form->geometry(), window);

    // One bad factor: what the good one touches is still scaled (a combo's
    // left and width), the statements needing the bad one are passed over.
    resizeFormToo = 0;
    resizeControls(2.0f, INFINITY, w.form.get());
    EXPECT_EQ(w.combo->geometry(), QRect(40, 300, 240, comboHeight));
    EXPECT_EQ(w.label->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(w.label->font().pointSizeF(), 8);
}

TEST_F(ControlRescalingTest, ScreenFiguresAreMeasuredInPixelsAndTwips)
{
    measureScreen(QSize(1280, 1024));
    EXPECT_EQ(screenTwipsX, 15);
    EXPECT_EQ(screenTwipsY, 15);
    EXPECT_EQ(screenWidthPx, 1280);
    EXPECT_EQ(screenHeightPx, 1024);
}

TEST_F(ControlRescalingTest, ASelfRescalingWindowFollowsTheScreenAndTheUsersResizing)
{
    TestWindow w;
    QSize screen(1024, 768);
    SelfRescaling fit;
    fit.screenPixels = [&] { return screen; };

    // Load: from the 800 x 600 design to a 1024 x 768 screen, window and all.
    fit.formLoad(w.form.get());
    EXPECT_EQ(screenWidthPx, 1024);
    EXPECT_EQ(screenHeightPx, 768);
    EXPECT_EQ(resizeFormToo, -1);
    EXPECT_EQ(resizeOnFormResize, 0);
    EXPECT_EQ(w.form->size(), QSize(1024, 768));
    EXPECT_EQ(w.label->geometry(), QRect(13, 26, 128, 38));
    EXPECT_EQ(fit.lastWidth(), 1024 * 15);
    EXPECT_EQ(fit.lastHeight(), 768 * 15);

    // Activation on the same screen: nothing moves.
    const auto loaded = snapshot(w.form.get());
    fit.formActivate(w.form.get());
    EXPECT_EQ(fit.referenceWidth(), 1024);
    EXPECT_EQ(snapshot(w.form.get()), loaded);
    EXPECT_EQ(w.form->size(), QSize(1024, 768));

    // The user's resizes are followed from the first one after the
    // activation on (the window manager activates the window at the end of
    // each drag); the controls scale, not the window.
    w.form->resize(1152, 768);
    fit.formResize(w.form.get());
    EXPECT_EQ(resizeOnFormResize, -1);
    EXPECT_EQ(resizeFormToo, 0);
    EXPECT_EQ(w.form->size(), QSize(1152, 768));
    EXPECT_EQ(w.label->geometry(), scaledRect(QRect(10, 20, 100, 30), 1.28 * 1152 / 1024, 1.28));

    // Dragged through many sizes, activated between drags, and back: every
    // control stands exactly where it stood at that size before.
    for (const QSize size : {QSize(997, 613), QSize(1311, 777), QSize(703, 1001), QSize(1023, 767)}) {
        w.form->resize(size);
        fit.formResize(w.form.get());
        fit.formActivate(w.form.get());
    }
    w.form->resize(1024, 768);
    fit.formResize(w.form.get());
    EXPECT_EQ(snapshot(w.form.get()), loaded);

    w.form->resize(1536, 384);
    fit.formResize(w.form.get());
    EXPECT_EQ(w.label->geometry(), scaledRect(QRect(10, 20, 100, 30), 1.28 * 1.5, 1.28 * 0.5));
    EXPECT_EQ(fit.lastWidth(), 1536 * 15);

    // Minimized, the window has no size to follow: the controls stay.
    const auto shrunk = snapshot(w.form.get());
    w.form->setWindowState(Qt::WindowMinimized);
    w.form->resize(160, 30);
    fit.formResize(w.form.get());
    EXPECT_EQ(snapshot(w.form.get()), shrunk);
    w.form->setWindowState(Qt::WindowNoState);
    w.form->resize(1536, 384);

    // The screen changes: the next activation scales from the screen
    // measured last (1024 x 768) to the new one, the window too.
    screen = QSize(1280, 1024);
    fit.formActivate(w.form.get());
    EXPECT_EQ(screenWidthPx, 1280);
    EXPECT_EQ(w.form->size(), QSize(1920, 512));
    EXPECT_EQ(w.label->x(), int(std::lround(10 * 1.28 * 1.5 * 1.25)));
    EXPECT_EQ(resizeOnFormResize, 0);
}

TEST_F(ControlRescalingTest, OnItsOwnScreenAWindowDraggedThroughSizesAndBackLooksAsItOpened)
{
    TestWindow w;
    // Lists drawn a little taller than their type asks for, as the windows'
    // lists are: that height comes back with the type.
    w.combo->resize(w.combo->width(), w.combo->sizeHint().height() + 3);
    SelfRescaling fit;
    fit.screenPixels = [] { return QSize(800, 600); };
    fit.formLoad(w.form.get());
    const auto opened = snapshot(w.form.get());
    const QSize size = w.form->size();

    for (const QSize to : {QSize(640, 480), QSize(740, 400), QSize(560, 560), QSize(700, 500), size}) {
        w.form->resize(to);
        fit.formResize(w.form.get());
        fit.formActivate(w.form.get());
    }
    EXPECT_EQ(snapshot(w.form.get()), opened);
}
