// Pictures of the employee and commission windows for a person to look at:
// set QV_SHOT_DIR to a folder; without it the test is skipped.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(StaffWindowShots, EmployeeAndCommissionWindows)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    QDir().mkpath(folder);
    qv::Windows::setOnLastClosed([] {});
    qv::ScopedScriptedUi ui;
    qvtest::SalonDb db;
    db.seed();
    for (const QString& name : {"frmEmployee", "Frmcommissions", "frmtest1"}) {
        qv::Window* w = qv::Windows::show(name);
        ASSERT_TRUE(w);
        QTest::qWait(100);
        EXPECT_TRUE(w->grab().save(folder + "/" + name + ".png"));
    }
    for (const QString& name : {"frmEmployee", "Frmcommissions", "frmtest1"})
        if (qv::Window* w = qv::Windows::loaded(name))
            w->unload();
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join("|").toStdString();
    qv::Windows::setOnLastClosed(nullptr);
}
