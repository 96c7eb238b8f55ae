// Pictures of the shell's windows for a person to look at: set QV_SHOT_DIR
// to a folder and run this test; without it the test is skipped.
#include "shell_fixture.h"
#include "platform/forms/window.h"

#include "shell/backup_window.h"
#include "shell/password_dialog.h"
#include "shell/user_list.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace shelltest;

TEST_F(ShellTest, ScreenshotsOfEveryWindow)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    QDir().mkpath(folder);
    db->seed();

    // The backup window half-way, as it looks during its second pause.
    auto* backup = new BackupWindow;
    backup->findChild<QLabel*>(QStringLiteral("lblRepair"))->setText(QStringLiteral("Making backup of Current Database"));
    backup->findChild<QFrame*>(qv::arrayMemberName("Shape1", 1))->show();
    backup->findChild<QLabel*>(qv::arrayMemberName("lblPct", 3))->show();
    backup->show();
    QTest::qWait(50);
    EXPECT_TRUE(backup->grab().save(folder + "/frmRepair.png"));
    delete backup;

    const QStringList names = {"frmSplash", "FrmMain", "frmLogin", "frmUsers", "frmLogin1", "frmLogin2",
                               "frmLogin3", "frmLogin4", "frmLogin5"};
    for (const QString& name : names) {
        qv::Window* w = qv::Windows::show(name);
        ASSERT_TRUE(w) << name.toStdString();
        if (auto* d = qobject_cast<PasswordDialog*>(w))
            QTest::keyClicks(d->findChild<QLineEdit*>(QStringLiteral("txtPassword")), "marv");
        QTest::qWait(50);
        EXPECT_TRUE(w->grab().save(folder + "/" + name + ".png")) << name.toStdString();
    }
}
