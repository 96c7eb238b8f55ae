// A picture of the business assets window for a person to look at: set
// QV_SHOT_DIR to a folder; without it the test is skipped.
#include "assets_fixture.h"

#include <QDir>
#include <QTest>

TEST_F(AssetsTest, ZzPictureOfTheWindow)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    QDir().mkpath(folder);
    Form2& w = open();
    QTest::qWait(100);
    EXPECT_TRUE(w.grab().save(folder + "/Form2.png"));
    w.Command13_Click();
    w.Command15_Click();
    QTest::qWait(50);
    EXPECT_TRUE(w.grab().save(folder + "/Form2_panels.png"));
}
