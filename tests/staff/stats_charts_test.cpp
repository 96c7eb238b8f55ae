// The three statistics windows over the ticket table: rows and series from
// the grouped averages, keys that differ only in letter case, missing
// averages and missing keys, a month of dates read at the window's size, an
// empty table or database, the layout after a resize, and a chart read once
// per opening.
#include "support/user_hands.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "staff/chart_control.h"
#include "staff/product_stats_chart.h"
#include "staff/salon_stats_chart.h"
#include "staff/service_stats_chart.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class StatsChartsTest : public ::testing::Test {
protected:
    void SetUp() override { qv::Windows::setOnLastClosed([] {}); }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
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

    // Every value drawn, read back with the label the axis shows at its
    // place, must be the average expected for that label (and series).
    static void expectEveryPointUnderItsLabel(const ChartControl& c, const QMap<QString, double>& expected)
    {
        const QMap<double, QString> labels = c.drawnLabels();
        const QStringList series = c.drawnSeries();
        int points = 0;
        for (int col = 1; col <= series.size(); ++col) {
            for (const QPointF& p : c.drawnPoints(col)) {
                ++points;
                // Lines may leave a row unlabelled: the row's own label then.
                const QString label = labels.value(p.x(), c.rowLabel(int(p.x()) + 1));
                const QString key = series.size() > 1 ? label + " | " + series[col - 1] : label;
                ASSERT_TRUE(expected.contains(key)) << key.toStdString() << " drawn at " << p.x();
                EXPECT_NEAR(p.y(), expected[key], 1e-9) << key.toStdString();
            }
        }
        EXPECT_EQ(points, expected.size());
        for (auto it = labels.begin(); it != labels.end(); ++it)
            EXPECT_EQ(it.value(), c.rowLabel(int(it.key()) + 1)) << "label drawn at " << it.key();
    }

    // How many row labels the chart shows; fails for any label cut short or
    // lying on another.
    static int dateLabelsOnScreen(const ChartControl& c)
    {
        QList<QGraphicsTextItem*> dates;
        for (QGraphicsItem* item : c.scene()->items()) {
            auto* text = dynamic_cast<QGraphicsTextItem*>(item);
            if (!text || !text->isVisible())
                continue;
            const QString shown = text->toPlainText();
            EXPECT_FALSE(shown.contains(QChar(0x2026)) || shown.contains("...")) << "cut: " << shown.toStdString();
            if (rowLabels(c).contains(shown))
                dates << text;
        }
        EXPECT_EQ(dates.size(), c.drawnLabels().size());
        for (int i = 0; i < dates.size(); ++i)
            for (int j = i + 1; j < dates.size(); ++j)
                EXPECT_FALSE(dates[i]->sceneBoundingRect().adjusted(1, 1, -1, -1).intersects(
                    dates[j]->sceneBoundingRect().adjusted(1, 1, -1, -1)))
                    << dates[i]->toPlainText().toStdString() << " lies on " << dates[j]->toPlainText().toStdString();
        return int(dates.size());
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
};

TEST_F(StatsChartsTest, ArtistChartsShowEachArtistsAverageTicket)
{
    db.seed();
    auto& services = *qv::Windows::show<ServiceStatsChart>();
    auto& products = *qv::Windows::show<ProductStatsChart>();
    EXPECT_TRUE(ui.script.messages().isEmpty());

    ChartControl& s = *services.findChild<ChartControl*>();
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

    ChartControl& p = *products.findChild<ChartControl*>();
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
    auto& w = *qv::Windows::show<SalonStatsChart>();
    EXPECT_TRUE(ui.script.messages().isEmpty());
    ChartControl& c = *w.findChild<ChartControl*>();

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

// Opening the chart draws it once, however many product totals it has: a
// drawing per series froze the program for minutes on a year of tickets.
// The legend beside the lines names each line's product total.
TEST_F(StatsChartsTest, SalonChartIsDrawnOnceAndItsLegendNamesEveryProductTotal)
{
    ticket("Maria", QDate(2001, 7, 2), 20.0, 0.0);
    auto* one = qv::Windows::show<SalonStatsChart>();
    const int drawsForOneTotal = one->findChild<ChartControl*>()->drawCount();
    one->unload();
    QApplication::processEvents();

    QStringList totals = {"0"};
    for (int i = 1; i <= 40; ++i) {
        ticket("Jenny", QDate(2001, 7, 2 + i % 5), 30.0 + i, 1.25 * i);
        totals << qv::formatValue(1.25 * i, QString());
    }
    auto& w = *qv::Windows::show<SalonStatsChart>();
    QApplication::processEvents();
    EXPECT_TRUE(ui.script.messages().isEmpty());
    ChartControl& c = *w.findChild<ChartControl*>();
    ASSERT_EQ(columnLabels(c), totals);
    EXPECT_EQ(c.drawCount(), drawsForOneTotal);
    EXPECT_FALSE(c.seriesMarkerShown(41));
    EXPECT_TRUE(c.repaint());

    QLegend* legend = c.chart()->legend();
    EXPECT_TRUE(legend->isVisible());
    EXPECT_EQ(legend->alignment(), Qt::AlignRight);
    QStringList named;
    for (QLegendMarker* marker : legend->markers())
        named << marker->label();
    EXPECT_EQ(named, totals);
    // Each name is drawn whole beside its marker, none cut short.
    for (QGraphicsItem* item : c.scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible() && legend->isAncestorOf(text))
            EXPECT_TRUE(totals.contains(text->toPlainText())) << "legend shows " << text->toPlainText().toStdString();
}

TEST_F(StatsChartsTest, TicketsWithoutArtistDateOrProductTotalAreAGroupOfTheirOwn)
{
    db.seed();
    ticket("", QDate(2001, 7, 30), 33.0, 9.0);                         // no artist
    db.insert("Servicemenu", {{"SalonArtist", "Tom"}, {"Price", 50.0}, {"ProductSales", 0.0}});   // no date
    ticket("Jenny", QDate(2001, 7, 9), 70.0, QVariant());              // no product total
    auto& services = *qv::Windows::show<ServiceStatsChart>();
    auto& products = *qv::Windows::show<ProductStatsChart>();
    auto& salon = *qv::Windows::show<SalonStatsChart>();
    QApplication::processEvents();
    EXPECT_TRUE(ui.script.messages().isEmpty());

    EXPECT_EQ(services.findChild<ChartControl*>()->drawnLabels().size(), 4);
    EXPECT_TRUE(rowLabels(*services.findChild<ChartControl*>()).contains("(none)"));
    expectEveryPointUnderItsLabel(*services.findChild<ChartControl*>(), {{"Maria", (25.0 + 60 + 25) / 3},
                                                    {"Jenny", (91.0 + 15 + 70) / 3},
                                                    {"Tom", (40.0 + 50) / 2},
                                                    {"(none)", 33.0}});
    expectEveryPointUnderItsLabel(*products.findChild<ChartControl*>(), {{"Maria", (0 + 14.50 + 21.99) / 3},
                                                    {"Jenny", (38.97 + 18.00) / 2},
                                                    {"Tom", 0.0},
                                                    {"(none)", 9.0}});

    ChartControl& c = *salon.findChild<ChartControl*>();
    EXPECT_TRUE(rowLabels(c).contains("(none)"));
    EXPECT_TRUE(columnLabels(c).contains("(none)"));
    EXPECT_EQ(c.drawnSeries(), columnLabels(c));
    expectEveryPointUnderItsLabel(c, {{"7/2/2001 | 0", 25.0},
                                      {"7/2/2001 | 38.97", 91.0},
                                      {"7/9/2001 | 14.5", 60.0},
                                      {"7/9/2001 | (none)", 70.0},
                                      {"7/16/2001 | 0", 40.0},
                                      {"7/23/2001 | 18", 15.0},
                                      {"7/30/2001 | 21.99", 25.0},
                                      {"7/30/2001 | 9", 33.0},
                                      {"(none) | 0", 50.0}});
}

TEST_F(StatsChartsTest, SalonChartOverAMonthIsReadableAtTheWindowsSize)
{
    // A busy month: four to seven tickets a day, each with one of the usual
    // product totals.
    const double services[] = {25.0, 40.0, 45.5, 60.0, 91.0, 15.0};
    const double products[] = {0.0, 0.0, 9.0, 12.99, 14.5, 18.0, 21.99, 27.49, 38.97};
    QList<QVariantMap> rows;
    QMap<QString, QPair<double, int>> sums;   // service total and tickets per date and product total
    int n = 0;
    for (int day = 1; day <= 31; ++day) {
        for (int i = 0; i < 4 + day % 4; ++i, ++n) {
            const double service = services[(n * 7) % 6];
            const double product = products[(n * 5 + day) % 9];
            rows << QVariantMap{{"SalonArtist", "Maria"}, {"DateAppointment", QDate(2001, 7, day)},
                                {"Price", service}, {"ProductSales", product}};
            auto& sum = sums[QString("7/%1/2001 | %2").arg(day).arg(product)];
            sum.first += service;
            ++sum.second;
        }
    }
    QMap<QString, double> expected;
    for (auto it = sums.begin(); it != sums.end(); ++it)
        expected.insert(it.key(), it.value().first / it.value().second);
    db.insertMany("Servicemenu", rows);
    auto& w = *qv::Windows::show<SalonStatsChart>();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(ui.script.messages().isEmpty());
    ChartControl& c = *w.findChild<ChartControl*>();
    ASSERT_EQ(c.rowCount(), 31);
    ASSERT_EQ(c.columnCount(), 8);
    expectEveryPointUnderItsLabel(c, expected);

    // The date labels on screen: whole, apart from each other, and enough of
    // them to read a date off any point; more of them in a larger window.
    const int shown = dateLabelsOnScreen(c);
    EXPECT_GE(shown, 8);
    EXPECT_TRUE(c.drawnLabels().contains(0)) << "the first date is labelled";
    w.resize(1400, 800);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_GT(dateLabelsOnScreen(c), shown);
    expectEveryPointUnderItsLabel(c, expected);
}

TEST_F(StatsChartsTest, CaseOnlyDifferentKeysShareARowAndMissingAveragesChartAsZero)
{
    auto& w = *qv::Windows::show<ServiceStatsChart>();
    ui.script.clear();
    // Straight rows, in an order of our own: the later of two keys that
    // differ only in case writes into the earlier one's row.
    db.insertMany("Servicemenu", {{{"SalonArtist", "Maria"}, {"Price", 10.0}},
                                  {{"SalonArtist", "Zed"}},
                                  {{"SalonArtist", "MARIA"}, {"Price", 30.0}}});
    qv::Connection cn;
    cn.open(db.connectionString());
    auto rs = cn.execute("SELECT SalonArtist, Price FROM Servicemenu");
    const int before = w.findChild<ChartControl*>()->drawCount();
    w.drawChart(*rs, "SalonArtist", "Price", "");
    EXPECT_TRUE(ui.script.messages().isEmpty());
    // The fill is drawn once, at its end.
    EXPECT_EQ(w.findChild<ChartControl*>()->drawCount(), before + 1);
    EXPECT_EQ(rowLabels(*w.findChild<ChartControl*>()), QStringList({"Maria", "Zed"}));
    EXPECT_NEAR(valueOf(*w.findChild<ChartControl*>(), "Maria"), 30.0, 1e-9);
    EXPECT_NEAR(valueOf(*w.findChild<ChartControl*>(), "Zed"), 0.0, 1e-9);

    // A value that is no number ends the fill with its message; what was
    // filled before it stays, and the chart is drawn again.
    auto names = cn.execute("SELECT SalonArtist, SalonArtist AS Name FROM Servicemenu");
    w.drawChart(*names, "SalonArtist", "Name", "");
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, "Type mismatch");
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::Exclamation);
    EXPECT_EQ(ui.script.events[0].title, qv::UiServices::programTitle());
    EXPECT_EQ(rowLabels(*w.findChild<ChartControl*>()), QStringList({"Maria"}));
    EXPECT_FALSE(w.findChild<ChartControl*>()->data(1, 1).has_value());
    EXPECT_TRUE(w.findChild<ChartControl*>()->repaint());
}

TEST_F(StatsChartsTest, NoTicketsOrNoDatabaseShowTheErrorAndTheWindowStillOpens)
{
    auto& empty = *qv::Windows::show<ServiceStatsChart>();
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_TRUE(ui.script.events[0].text.contains("current record")) << ui.script.events[0].text.toStdString();
    EXPECT_EQ(ui.script.events[0].style, qv::MsgStyle::Exclamation);
    EXPECT_TRUE(empty.isVisible());
    EXPECT_EQ(empty.findChild<ChartControl*>()->rowCount(), 0);
    EXPECT_EQ(empty.findChild<ChartControl*>()->columnCount(), 1);
    EXPECT_TRUE(empty.findChild<ChartControl*>()->repaint());

    ui.script.clear();
    QFile::remove(db.file());
    auto& missing = *qv::Windows::show<SalonStatsChart>();
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(ui.script.messages()[0].contains("KVD.mdb")) << ui.script.messages()[0].toStdString();
    EXPECT_TRUE(missing.isVisible());
    EXPECT_EQ(rowLabels(*missing.findChild<ChartControl*>()), QStringList({"R1", "R2", "R3", "R4", "R5"}));
    EXPECT_EQ(columnLabels(*missing.findChild<ChartControl*>()), QStringList({"C1", "C2", "C3", "C4"}));
}

TEST_F(StatsChartsTest, ResizeKeepsCloseInTheCornerAndTheChartAroundIt)
{
    db.seed();
    auto& w = *qv::Windows::show<ProductStatsChart>();
    for (QSize size : {QSize(600, 450), QSize(300, 200)}) {
        w.resize(size);
        QApplication::processEvents();
        const int W = qv::twips(w.width()), H = qv::twips(w.height());
        EXPECT_EQ(qv::twips(w.findChild<QPushButton*>(QStringLiteral("cmdClose"))->x()), W - 1140);
        EXPECT_EQ(qv::twips(w.findChild<QPushButton*>(QStringLiteral("cmdClose"))->y()), H - 360);
        EXPECT_EQ(qv::twips(w.findChild<QPushButton*>(QStringLiteral("cmdClose"))->width()), 1080);
        EXPECT_EQ(qv::twips(w.findChild<QPushButton*>(QStringLiteral("cmdClose"))->height()), 300);
        EXPECT_EQ(qv::twips(w.findChild<ChartControl*>()->geometry().left()), 60);
        EXPECT_EQ(qv::twips(w.findChild<ChartControl*>()->geometry().top()), 60);
        EXPECT_EQ(qv::twips(w.findChild<ChartControl*>()->width()), W - 120);
        EXPECT_EQ(qv::twips(w.findChild<ChartControl*>()->height()), H - 480);
    }
    // Too small for the chart: the button still moves, nothing fails.
    w.resize(20, 20);
    QApplication::processEvents();
    EXPECT_EQ(qv::twips(w.findChild<QPushButton*>(QStringLiteral("cmdClose"))->y()), qv::twips(20) - 360);
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(StatsChartsTest, ShowingAnOpenChartAgainDoesNotReadTheTableClosingAndReopeningDoes)
{
    db.seed();
    auto* first = qv::Windows::show<ServiceStatsChart>();
    ticket("Nina", QDate(2001, 8, 1), 80.0, 0.0);
    EXPECT_EQ(qv::Windows::show<ServiceStatsChart>(), first);
    EXPECT_EQ(first->findChild<ChartControl*>()->rowCount(), 3);

    qvtest::clickAt(first->findChild<QPushButton*>(QStringLiteral("cmdClose")));
    QApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded<ServiceStatsChart>(), nullptr);
    auto& again = *qv::Windows::show<ServiceStatsChart>();
    EXPECT_EQ(again.findChild<ChartControl*>()->rowCount(), 4);
    EXPECT_NEAR(valueOf(*again.findChild<ChartControl*>(), "Nina"), 80.0, 1e-9);
}

} // namespace

TEST_F(StatsChartsTest, ArtistNamesUnderTheBarsAreWholeAtTheWindowsSize)
{
    // Ordinary first names, and the tickets without an artist, under the
    // bars of both artist charts as they open; in a crowd of twenty artists
    // every bar keeps its name too.
    const QStringList few = {"Siobhán", "Bernadette", "", "Alexandra", "Christopher"};
    QStringList many = few;
    for (const char* name : {"Guadalupe", "Anastasia", "Maximilian", "Bartholomew", "Evangeline", "Genevieve",
                             "Jacqueline", "Konstantin", "Marguerite", "Penelope", "Rosalind", "Sebastian",
                             "Theodora", "Valentina", "Wilhelmina"})
        many << name;
    for (const QStringList& artists : {few, many}) {
        db.execRaw("DELETE FROM Servicemenu");
        for (int i = 0; i < artists.size(); ++i)
            ticket(artists[i], QDate(2001, 7, 2 + i % 20), 20.0 + i, 5.0 + i);
        for (qv::Window* w : {static_cast<qv::Window*>(qv::Windows::show<ServiceStatsChart>()),
                              static_cast<qv::Window*>(qv::Windows::show<ProductStatsChart>())}) {
            QApplication::processEvents();
            QApplication::processEvents();
            ChartControl& c = *w->findChild<ChartControl*>();
            ASSERT_EQ(c.rowCount(), artists.size());
            EXPECT_EQ(dateLabelsOnScreen(c), artists.size()) << "every artist is named";
            if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
                w->grab().save(QStringLiteral("%1/%2-%3-artists.png").arg(shots, w->windowName()).arg(artists.size()));
            w->unload();
            QApplication::processEvents();
        }
    }
}
