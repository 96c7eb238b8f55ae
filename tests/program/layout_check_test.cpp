// Every window the program knows, looked at as a user sees it: nothing off
// the window or its frame, nothing that takes a click covered by another
// control, no caption, button text or column header cut. The windows that
// rescale themselves are looked at on the screen the test runs on (CTest
// runs them on screens of 800x600, 1280x1024 and 1920x1080) and again after
// the user has resized them twice.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/layout_check.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

static void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

// Windows that scale their controls to the screen and follow the user's resizing.
const QStringList kRescaling = {QStringLiteral("Form2"), QStringLiteral("Frmcommissions")};

class LayoutCheck : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        db.seed();
    }
    void TearDown() override
    {
        for (qv::Window* w : qv::Windows::all())
            w->unload();
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
        qv::Windows::setOnLastClosed(nullptr);
    }

    qv::Window* open(const QString& kind)
    {
        qv::Window* w = qv::Windows::show(kind);
        if (w) {
            (void)QTest::qWaitForWindowExposed(w);
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
        }
        return w;
    }

    static void report(const QStringList& faults)
    {
        EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n  " << faults.join("\n  ").toStdString();
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
};

TEST_P(LayoutCheck, AtItsOwnSize)
{
    qv::Window* w = open(GetParam());
    if (!w || !w->isVisible())
        GTEST_SKIP() << "the window closes itself when opened on its own";
    report(qvtest::layoutFaults(w, GetParam()));
}

TEST_P(LayoutCheck, RescalingOnThisScreenAndAfterTwoResizes)
{
    if (!kRescaling.contains(GetParam()))
        GTEST_SKIP() << "does not rescale itself";
    qv::Window* w = open(GetParam());
    ASSERT_TRUE(w && w->isVisible());
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QStringList faults = qvtest::layoutFaults(w, GetParam());
    for (const QString& f : std::as_const(faults))
        ADD_FAILURE() << "on " << screen.width() << "x" << screen.height() << ": " << f.toStdString();
    const QSize start = w->size();
    const QList<QSize> resizes = {QSize(start.width() * 9 / 10, start.height() * 9 / 10),
                                  QSize(start.width() * 11 / 10, start.height() * 21 / 20)};
    int step = 0;
    for (const QSize& size : resizes) {
        ++step;
        w->resize(size);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        for (const QString& f : qvtest::layoutFaults(w, GetParam()))
            ADD_FAILURE() << "on " << screen.width() << "x" << screen.height() << " after resize " << step << ": "
                          << f.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, LayoutCheck, ::testing::ValuesIn(qv::Windows::kinds()),
                         [](const ::testing::TestParamInfo<QString>& info) { return info.param.toStdString(); });

} // namespace
