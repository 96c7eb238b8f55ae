// Every window the program knows, looked at as a user sees it: nothing off
// the window or its frame, nothing that takes a click covered by another
// control, no caption, button text, column header or grid value cut. Each
// window is looked at as it opens and in the states a user brings it to
// with the mouse and the keys (a grid filled by a button, a panel shown, a
// list dropped down, a day typed into the schedule, the edit buttons shown
// by the password). The windows that rescale themselves are looked at on
// the screen the test runs on (CTest runs them on screens of 800x600,
// 1280x1024 and 1920x1080) and again after the user has resized them.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/layout_check.h"
#include "support/salon_db.h"
#include "support/user_hands.h"
#include "window_states.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

static void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

using qvtest::settle;
using qvtest::WindowState;

// Windows that scale their controls to the screen: the business assets
// window also follows the user's resizing; the commissions window keeps its
// controls where they are when the user resizes it.
struct Rescaling {
    QString window;
    bool followsResizing;
};
const QList<Rescaling> kRescaling = {{QStringLiteral("Form2"), true}, {QStringLiteral("Frmcommissions"), false}};

const Rescaling* rescaling(const QString& window)
{
    for (const Rescaling& r : kRescaling)
        if (r.window == window)
            return &r;
    return nullptr;
}

// Tab and Shift+Tab move on from every box of several lines as from any other box.
QStringList tabKeptIn(qv::Window* w)
{
    QStringList out;
    for (QWidget* box : w->findChildren<QWidget*>())
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab})
            if (const QVariant text = box->property("plainText"); text.isValid() && box->isEnabled()
                && qvtest::isPartOf(qvtest::widgetAtCentreOf(box), box) && qvtest::clickAt(box)) {
                qvtest::press(key, key == Qt::Key_Tab ? Qt::NoModifier : Qt::ShiftModifier);
                if (qvtest::focused() == box || box->property("plainText") != text)
                    out << qvtest::describe(box) + (key == Qt::Key_Tab ? " keeps Tab" : " keeps Shift+Tab");
            }
    return out;
}

class LayoutCheck : public qvtest::EveryWindowTest {
protected:
    static qv::Window* open(const QString& kind) { return qvtest::showOnScreen(kind); }

    static void report(const QStringList& faults)
    {
        EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n  " << faults.join("\n  ").toStdString();
    }

    // The window in each state a user brings it to, each from a fresh start.
    void checkStates(const QString& kind, const QString& on)
    {
        QList<WindowState> states;
        if (qv::Window* w = open(kind); w && w->isVisible())
            states = qvtest::statesOf(w);
        for (const WindowState& state : std::as_const(states)) {
            closeAll();
            qv::Window* w = open(kind);
            ASSERT_TRUE(w && w->isVisible());
            const bool reached = state.reach(w);
            settle();
            EXPECT_TRUE(reached) << kind.toStdString() << ": could not reach " << state.name.toStdString();
            if (!reached)
                continue;
            const QStringList faults = qvtest::layoutFaults(w, kind);
            for (const QString& f : faults + tabKeptIn(w))
                ADD_FAILURE() << on.toStdString() << state.name.toStdString() << ": " << f.toStdString();
        }
        closeAll();
    }

};

TEST_P(LayoutCheck, AtItsOwnSize)
{
    qv::Window* w = open(GetParam());
    if (!w) {
        // It goes on by itself as soon as it has the focus (the start-up
        // backup does): it is looked at loaded, before it is shown.
        closeAll();
        w = qv::Windows::get(GetParam());
        ASSERT_TRUE(w);
        settle();
    }
    report(qvtest::layoutFaults(w, GetParam()));
}

TEST_P(LayoutCheck, InEveryStateAUserBringsItTo)
{
    checkStates(GetParam(), QString());
}

TEST_P(LayoutCheck, RescalingOnThisScreenAndAfterTwoResizes)
{
    const Rescaling* kind = rescaling(GetParam());
    if (!kind)
        GTEST_SKIP() << "does not rescale itself";
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QString expected = qEnvironmentVariable("QV_EXPECT_SCREEN");
    if (!expected.isEmpty())
        ASSERT_EQ(QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()), expected)
            << "the screen asked for was not given";
    const QString on = QStringLiteral("on %1x%2").arg(screen.width()).arg(screen.height());
    checkStates(GetParam(), on + QStringLiteral(", "));

    qv::Window* w = open(GetParam());
    ASSERT_TRUE(w && w->isVisible());
    for (const QString& f : qvtest::layoutFaults(w, GetParam()))
        ADD_FAILURE() << on.toStdString() << ": " << f.toStdString();
    if (!kind->followsResizing)
        return;
    // The user makes it smaller, smaller still, then larger than it was.
    // The first size change after the window was shown or activated is
    // taken for the window's own rescaling and moves nothing; the window
    // follows the ones after it. Its type follows the window down: a window
    // made smaller than the screen's own size may show smaller type.
    const QSize start = w->size();
    const QList<QSize> resizes = {QSize(start.width() * 19 / 20, start.height() * 19 / 20),
                                  QSize(start.width() * 9 / 10, start.height() * 9 / 10),
                                  QSize(start.width() * 11 / 10, start.height() * 21 / 20)};
    for (int step = 1; step <= resizes.size(); ++step) {
        const QSize size = resizes.at(step - 1);
        w->resize(size);
        settle();
        if (step == 1)
            continue;
        qvtest::LayoutChecks checks;
        checks.typeSize = size.width() >= start.width() && size.height() >= start.height();
        for (const QString& f : qvtest::layoutFaults(w, GetParam(), checks))
            ADD_FAILURE() << on.toStdString() << " after resize " << step << ": " << f.toStdString();
    }
}

// Kept on top, the customer window places itself clear of the book's Add (openbox put it there at 800 x 600).
class OverTheBook : public qvtest::EveryWindowTest {};
TEST_F(OverTheBook, TheCustomerWindowLeavesTheBooksButtonsInSight)
{
    qv::Window* book = qvtest::showOnScreen(QStringLiteral("Form3"));
    ASSERT_TRUE(book && qvtest::clickAt(book->findChild<QWidget*>(QStringLiteral("Command3"))));
    QWidget *w = qv::Windows::loaded(QStringLiteral("frmCustomers")), *bar = book->findChild<QWidget*>("picButtons");
    ASSERT_TRUE(w && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && book->screen()->size() == QSize(800, 600));
    EXPECT_TRUE(w->testAttribute(Qt::WA_Moved)) << "its place is left to the window manager";
    EXPECT_FALSE(w->frameGeometry().intersects(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size())));
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, LayoutCheck, ::testing::ValuesIn(qv::Windows::kinds()),
                         [](const ::testing::TestParamInfo<QString>& info) { return info.param.toStdString(); });

} // namespace
