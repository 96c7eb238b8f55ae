// The window on a larger screen than it was drawn for, and resized by the
// user: the record buttons and the navigation bar stay whole at its foot and
// take their clicks.
#include "support/user_hands.h"
#include "assets_fixture.h"

#include <QApplication>

namespace {

// The window finds a screen of this size the next time it is activated.
void moveToScreen(BusinessAssets& w, QSize screen)
{
    w.scaling.screenPixels = [screen] { return screen; };
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    QApplication::processEvents();
}

void expectBarsWholeAtTheFoot(BusinessAssets& w, const char* when)
{
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("picStatBox"))->geometry().bottom(), w.height() - 1) << when;
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("picButtons"))->geometry().bottom() + 1, w.findChild<QWidget*>(QStringLiteral("picStatBox"))->y()) << when;
    for (QWidget* bar : {w.findChild<QWidget*>(QStringLiteral("picButtons")), w.findChild<QWidget*>(QStringLiteral("picStatBox"))})
        for (QWidget* b : bar->findChildren<QPushButton*>())
            if (b->isVisibleTo(&w))
                EXPECT_TRUE(bar->rect().contains(b->geometry()))
                    << when << ": " << b->objectName().toStdString() << " is not whole in its bar";
}

} // namespace

TEST_F(AssetsTest, OnALargerScreenAndAfterTwoResizesTheRecordBarsStayWholeAtTheFoot)
{
    BusinessAssets& w = open();
    moveToScreen(w, QSize(1280, 1024));
    expectBarsWholeAtTheFoot(w, "rescaled to the screen");
    EXPECT_EQ(qvtest::widgetAtCentreOf(w.findChild<QPushButton*>(QStringLiteral("cmdNext"))), w.findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(qvtest::widgetAtCentreOf(w.findChild<QPushButton*>(QStringLiteral("cmdLast"))), w.findChild<QPushButton*>(QStringLiteral("cmdLast")));

    // Both changes of size rescale the controls.
    w.resize(w.width() * 9 / 10, w.height() * 9 / 10);
    QApplication::processEvents();
    w.resize(w.width() * 12 / 10, w.height() * 11 / 10);
    QApplication::processEvents();
    expectBarsWholeAtTheFoot(w, "after two resizes");

    ASSERT_TRUE(qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdNext"))));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    ASSERT_TRUE(qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdFirst"))));
    ASSERT_TRUE(qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdLast"))));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 2");
    ASSERT_TRUE(qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))));
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->geometry(), w.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->geometry());
    ASSERT_TRUE(qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdCancel"))));
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
}

namespace {

// Every named control's place and type size, readable in a failure.
QStringList layoutOf(QWidget& w)
{
    QStringList out;
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_")) || c->isWindow())
            continue;
        const QRect g = c->geometry();
        out << QStringLiteral("%1 %2,%3 %4x%5 %6pt")
                   .arg(c->objectName())
                   .arg(g.x())
                   .arg(g.y())
                   .arg(g.width())
                   .arg(g.height())
                   .arg(c->font().pointSizeF());
    }
    return out;
}

// The controls whose place or type differ, readable in a failure.
std::string differences(const QStringList& now, const QStringList& before)
{
    QStringList out;
    for (qsizetype i = 0; i < qMax(now.size(), before.size()); ++i)
        if (now.value(i) != before.value(i))
            out << now.value(i) + QStringLiteral(" (was ") + before.value(i) + QLatin1Char(')');
    return out.join(QStringLiteral("; ")).toStdString();
}

// A drag of the window's corner as the window manager does it: the new
// size, then the window activated at the end of the drag.
void dragCornerTo(BusinessAssets& w, QSize size)
{
    w.resize(size);
    QApplication::processEvents();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    QApplication::processEvents();
}

} // namespace

TEST_F(AssetsTest, DraggedToFiveSizesAndBackTheLayoutIsTheOneItOpenedWith)
{
    BusinessAssets& w = open();
    const QSize opened = w.size();
    const QStringList atOpening = layoutOf(w);
    auto* status = w.findChild<QLabel*>(QStringLiteral("lblStatus"));
    ASSERT_EQ(status->text(), "Record: 1");

    for (const QSize size : {QSize(opened.width() * 9 / 10, opened.height() * 9 / 10), QSize(1013, 701),
                             QSize(733, 547), QSize(1187, 893), QSize(opened.width() + 1, opened.height() - 1)})
        dragCornerTo(w, size);
    dragCornerTo(w, opened);
    EXPECT_TRUE(layoutOf(w) == atOpening) << differences(layoutOf(w), atOpening);
    EXPECT_EQ(status->text(), "Record: 1");
    EXPECT_LE(status->fontMetrics().horizontalAdvance(status->text()), status->contentsRect().width())
        << "the status is cut";

    // A maximize right after a drag is followed: the layout is the one that
    // size always has, however the window came to it.
    const QSize maximized(1280, 1000);
    w.resize(maximized);
    QApplication::processEvents();
    const QStringList atMaximized = layoutOf(w);
    EXPECT_FALSE(atMaximized == atOpening);
    dragCornerTo(w, QSize(700, 500));
    w.resize(maximized);
    QApplication::processEvents();
    EXPECT_TRUE(layoutOf(w) == atMaximized) << differences(layoutOf(w), atMaximized);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
}
