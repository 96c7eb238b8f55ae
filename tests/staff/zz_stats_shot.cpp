// Pictures of the chart windows for a person to look at: set QV_SHOT_DIR to
// a folder; without it the tests are skipped.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class StatsChartShots : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (folder.isEmpty())
            GTEST_SKIP() << "QV_SHOT_DIR not set";
        QDir().mkpath(folder);
        qv::Windows::setOnLastClosed([] {});
    }
    void TearDown() override
    {
        EXPECT_TRUE(ui.script.messages().isEmpty());
        qv::Windows::setOnLastClosed(nullptr);
    }
    void shoot(const QString& name, const QString& file)
    {
        qv::Window* w = qv::Windows::show(name);
        ASSERT_TRUE(w);
        QTest::qWait(100);
        EXPECT_TRUE(w->grab().save(folder + "/" + file + ".png"));
        w->unload();
    }

    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    qv::ScopedScriptedUi ui;
    qvtest::SalonDb db;
};

} // namespace

TEST_F(StatsChartShots, EveryChartWindow)
{
    db.seed();
    // A ticket booked without an artist, and one without a date.
    db.insert("Servicemenu", {{"Price", 33.0}, {"ProductSales", 9.0}, {"DateAppointment", QDate(2001, 7, 30)}});
    db.insert("Servicemenu", {{"SalonArtist", "Tom"}, {"Price", 50.0}, {"ProductSales", 0.0}});
    for (const QString& name : {"frmServicemenu", "chart2", "SalonStats"})
        shoot(name, name);
}

TEST_F(StatsChartShots, SalonStatisticsOverAMonth)
{
    // A busy month: four to seven tickets a day, each with a service total
    // and one of the usual product totals.
    const double services[] = {25.0, 40.0, 45.5, 60.0, 91.0, 15.0};
    const double products[] = {0.0, 0.0, 9.0, 12.99, 14.5, 18.0, 21.99, 27.49, 38.97};
    QList<QVariantMap> rows;
    int n = 0;
    for (int day = 1; day <= 31; ++day)
        for (int i = 0; i < 4 + day % 4; ++i, ++n)
            rows << QVariantMap{{"SalonArtist", "Maria"}, {"DateAppointment", QDate(2001, 7, day)},
                                {"Price", services[(n * 7) % 6]}, {"ProductSales", products[(n * 5 + day) % 9]}};
    db.insertMany("Servicemenu", rows);
    shoot("SalonStats", "SalonStats_month");
}
