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

    // The first change of size after the activation is taken for the
    // window's own; the second rescales the controls.
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
