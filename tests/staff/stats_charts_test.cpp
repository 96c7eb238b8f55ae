// The three statistics windows over the ticket table: rows and series from
// the grouped averages, keys that differ only in letter case, missing
// averages, an empty table or database, the layout after a resize, and a
// chart read once per opening.
#include "support/user_hands.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/services/services.h"
#include "staff/chart_control.h"
#include "staff/product_stats_chart.h"
#include "staff/salon_stats_chart.h"
#include "staff/service_stats_chart.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class StatsChartsTest : public ::testing::Test {
protected:
    void SetUp() override { qv::Windows::setOnLastClosed([] {}); }
    void TearDown() override
    {
        for (qv::Window* w : qv::Windows::all())
            w->unload();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    void ticket(const QString& artist, const QDate& day, const QVariant& price, const QVariant& productSales)
    {
        QVariantMap row{{"SalonArtist", artist}, {"DateAppointment", day}};
        if (!price.isNull())
            row["Price"] = price;
        if (!productSales.isNull())
            row["ProductSales"] = productSales;
        db.insert("Servicemenu", row);
    }

    static QStringList rowLabels(const ChartControl& c)
    {
        QStringList out;
        for (int r = 1; r <= c.rowCount(); ++r)
            out << c.rowLabel(r);
        return out;
    }
    static QStringList columnLabels(const ChartControl& c)
    {
        QStringList out;
        for (int col = 1; col <= c.columnCount(); ++col)
            out << c.columnLabel(col);
        return out;
    }
    // The value charted for a row label in a column, or -1 when never set.
    static double valueOf(const ChartControl& c, const QString& rowLabel, int column = 1)
    {
        const int row = int(rowLabels(c).indexOf(rowLabel)) + 1;
        EXPECT_GT(row, 0) << rowLabel.toStdString();
        return row > 0 ? c.data(row, column).value_or(-1) : -1;
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
};

TEST_F(StatsChartsTest, ArtistChartsShowEachArtistsAverageTicket)
{
    db.seed();
    auto& services = qv::Windows::show<frmServicemenu>();
    auto& products = qv::Windows::show<chart2>();
    EXPECT_TRUE(ui.script.messages().isEmpty());

    ChartControl& s = *services.chart;
    QStringList artists = rowLabels(s);
    EXPECT_EQ(artists.size(), 3);
    artists.sort();
    EXPECT_EQ(artists, QStringList({"Jenny", "Maria", "Tom"}));
    ASSERT_EQ(s.columnCount(), 1);
    EXPECT_NEAR(valueOf(s, "Maria"), (25.0 + 60 + 25) / 3, 1e-9);
    EXPECT_NEAR(valueOf(s, "Jenny"), (91.0 + 15) / 2, 1e-9);
    EXPECT_NEAR(valueOf(s, "Tom"), 40.0, 1e-9);
    EXPECT_FALSE(s.seriesMarkerShown(1));
    EXPECT_EQ(s.drawnCategories(), rowLabels(s));

    ChartControl& p = *products.chart;
    EXPECT_EQ(p.rowCount(), 3);
    EXPECT_NEAR(valueOf(p, "Maria"), (0 + 14.50 + 21.99) / 3, 1e-9);
    EXPECT_NEAR(valueOf(p, "Jenny"), (38.97 + 18.00) / 2, 1e-9);
    EXPECT_NEAR(valueOf(p, "Tom"), 0.0, 1e-9);
}

TEST_F(StatsChartsTest, SalonChartHasOneSeriesPerProductTotalInOrderOfFirstSight)
{
    ticket("Maria", QDate(2001, 7, 2), 20.0, 0.0);
    ticket("Maria", QDate(2001, 7, 2), 30.0, 0.0);
    ticket("Jenny", QDate(2001, 7, 2), 50.0, 25.0);
    ticket("Jenny", QDate(2001, 7, 3), 70.0, 25.0);
    auto& w = qv::Windows::show<SalonStats>();
    EXPECT_TRUE(ui.script.messages().isEmpty());
    ChartControl& c = *w.chart;

    EXPECT_EQ(rowLabels(c), QStringList({"7/2/2001", "7/3/2001"}));
    EXPECT_EQ(columnLabels(c), QStringList({"0", "25"}));
    EXPECT_NEAR(c.data(1, 1).value_or(-1), 25.0, 1e-9);
    EXPECT_NEAR(c.data(1, 2).value_or(-1), 50.0, 1e-9);
    EXPECT_NEAR(c.data(2, 2).value_or(-1), 70.0, 1e-9);
    EXPECT_FALSE(c.data(2, 1).has_value());
    EXPECT_EQ(c.drawnSeries(), columnLabels(c));
    EXPECT_FALSE(c.seriesMarkerShown(1));
    EXPECT_FALSE(c.seriesMarkerShown(2));
}

TEST_F(StatsChartsTest, CaseOnlyDifferentKeysShareARowAndMissingAveragesChartAsZero)
{
    auto& w = qv::Windows::show<frmServicemenu>();
    ui.script.clear();
    // Straight rows, in an order of our own: the later of two keys that
    // differ only in case writes into the earlier one's row.
    db.insertMany("Servicemenu", {{{"SalonArtist", "Maria"}, {"Price", 10.0}},
                                  {{"SalonArtist", "Zed"}},
                                  {{"SalonArtist", "MARIA"}, {"Price", 30.0}}});
    qv::Connection cn;
    cn.open(db.connectionString());
    auto rs = cn.execute("SELECT SalonArtist, Price FROM Servicemenu");
    const int before = w.chart->drawCount();
    w.DrawChart(*rs, "SalonArtist", "Price", "");
    EXPECT_TRUE(ui.script.messages().isEmpty());
    // The fill is drawn once, at its end.
    EXPECT_EQ(w.chart->drawCount(), before + 1);
    EXPECT_EQ(rowLabels(*w.chart), QStringList({"Maria", "Zed"}));
    EXPECT_NEAR(valueOf(*w.chart, "Maria"), 30.0, 1e-9);
    EXPECT_NEAR(valueOf(*w.chart, "Zed"), 0.0, 1e-9);

    // A value that is no number ends the fill with its message; what was
    // filled before it stays, and the chart is drawn again.
    auto names = cn.execute("SELECT SalonArtist, SalonArtist AS Name FROM Servicemenu");
    w.DrawChart(*names, "SalonArtist", "Name", "");
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Type mismatch");
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::Exclamation);
    EXPECT_EQ(ui.script.events[0].title, qv::UiServices::programTitle());
    EXPECT_EQ(rowLabels(*w.chart), QStringList({"Maria"}));
    EXPECT_FALSE(w.chart->data(1, 1).has_value());
    EXPECT_TRUE(w.chart->repaint());
}

TEST_F(StatsChartsTest, NoTicketsOrNoDatabaseShowTheErrorAndTheWindowStillOpens)
{
    auto& empty = qv::Windows::show<frmServicemenu>();
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_TRUE(ui.script.events[0].text.contains("current record")) << ui.script.events[0].text.toStdString();
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::Exclamation);
    EXPECT_TRUE(empty.isVisible());
    EXPECT_EQ(empty.chart->rowCount(), 0);
    EXPECT_EQ(empty.chart->columnCount(), 1);
    EXPECT_TRUE(empty.chart->repaint());

    ui.script.clear();
    QFile::remove(db.file());
    auto& missing = qv::Windows::show<SalonStats>();
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(ui.script.messages()[0].contains("KVD.mdb")) << ui.script.messages()[0].toStdString();
    EXPECT_TRUE(missing.isVisible());
    EXPECT_EQ(rowLabels(*missing.chart), QStringList({"R1", "R2", "R3", "R4", "R5"}));
    EXPECT_EQ(columnLabels(*missing.chart), QStringList({"C1", "C2", "C3", "C4"}));
}

TEST_F(StatsChartsTest, ResizeKeepsCloseInTheCornerAndTheChartAroundIt)
{
    db.seed();
    auto& w = qv::Windows::show<chart2>();
    for (QSize size : {QSize(600, 450), QSize(300, 200)}) {
        w.resize(size);
        QApplication::processEvents();
        const int W = qv::twips(w.width()), H = qv::twips(w.height());
        EXPECT_EQ(qv::twips(w.cmdClose->x()), W - 1140);
        EXPECT_EQ(qv::twips(w.cmdClose->y()), H - 360);
        EXPECT_EQ(qv::twips(w.cmdClose->width()), 1080);
        EXPECT_EQ(qv::twips(w.cmdClose->height()), 300);
        EXPECT_EQ(qv::twips(w.chart->geometry().left()), 60);
        EXPECT_EQ(qv::twips(w.chart->geometry().top()), 60);
        EXPECT_EQ(qv::twips(w.chart->width()), W - 120);
        EXPECT_EQ(qv::twips(w.chart->height()), H - 480);
    }
    // Too small for the chart: the button still moves, nothing fails.
    w.resize(20, 20);
    QApplication::processEvents();
    EXPECT_EQ(qv::twips(w.cmdClose->y()), qv::twips(20) - 360);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(StatsChartsTest, ShowingAnOpenChartAgainDoesNotReadTheTableClosingAndReopeningDoes)
{
    db.seed();
    auto* first = &qv::Windows::show<frmServicemenu>();
    ticket("Nina", QDate(2001, 8, 1), 80.0, 0.0);
    EXPECT_EQ(&qv::Windows::show<frmServicemenu>(), first);
    EXPECT_EQ(first->chart->rowCount(), 3);

    qvtest::clickAt(first->cmdClose);
    QApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded<frmServicemenu>(), nullptr);
    auto& again = qv::Windows::show<frmServicemenu>();
    EXPECT_EQ(again.chart->rowCount(), 4);
    EXPECT_NEAR(valueOf(*again.chart, "Nina"), 80.0, 1e-9);
}

} // namespace
