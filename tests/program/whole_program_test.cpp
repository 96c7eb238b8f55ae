// The windows linked as the real program links them: every window module is
// kept whole, so a window that is only ever opened by name is still there.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/salon_db.h"
#include "support/user_hands.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void unloadAll()
{
    qvtest::unloadEveryWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

class WholeProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        db.seed();
    }
    void TearDown() override { unloadAll(); }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
};

TEST_F(WholeProgram, EveryWindowOfTheStartAndTheBookIsThere)
{
    for (const char* name : {"frmRepair", "frmSplash", "FrmMain", "frmUsers", "frmLogin", "frmLogin1",
                             "frmLogin2", "frmLogin3", "frmLogin4", "frmLogin5", "Form3"}) {
        qv::Window* w = qv::Windows::get(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->windowName(), QString::fromLatin1(name));
        w->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(WholeProgram, AKeyOnTheSplashOpensTheAppointmentBook)
{
    qv::Window* splash = qv::Windows::show("frmSplash");
    ASSERT_NE(splash, nullptr);
    splash->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
    qvtest::press(Qt::Key_A);
    QCoreApplication::processEvents();
    qv::Window* book = qv::Windows::loaded("Form3");
    ASSERT_NE(book, nullptr);
    EXPECT_TRUE(book->isVisible());
    EXPECT_EQ(qv::Windows::loaded("frmSplash"), nullptr);
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
}

} // namespace
