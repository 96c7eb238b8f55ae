// The three statistics windows on a year of a small salon (5,000 tickets of
// four artists over 365 days, about half of them with products), against
// reading those ticket rows with sqlite3, in the same run. Each benchmark
// reports "ratio" = window / plain read (target <= 5):
//   SalonStats     "Salon Statistics": one line per product total across the
//                  year's dates
//   ServiceStats   "EMPLOYEE STATS": one bar per artist
//   ProductStats   "Employee Products Statistics": one bar per artist
// The window's time runs from showing it (its load reads the table and fills
// the chart) until the window, chart and legend are painted.
#include "common/schema.h"
#include "platform/data/database.h"
#include "platform/services/services.h"
#include "staff/chart_control.h"
#include "staff/product_stats_chart.h"
#include "staff/salon_stats_chart.h"
#include "staff/service_stats_chart.h"
#include "support/salon_db.h"
#include "offscreen_main.h"
#include "ticket_copies.h"

#include <QApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTickets = 5000;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

// `CASE expr WHEN 0 THEN v0 WHEN 1 THEN v1 ... END`: picks one of the values.
QString pick(const QString& expr, const QStringList& values)
{
    QString sql = QStringLiteral("CASE (%1) % %2").arg(expr).arg(values.size());
    for (int i = 0; i < values.size(); ++i)
        sql += QStringLiteral(" WHEN %1 THEN %2").arg(i).arg(values[i]);
    return sql + QStringLiteral(" END");
}

std::unique_ptr<qvtest::SalonDb> db;

// One ticket written as the program writes it, copied by SQLite with other
// numbers, clients, artists, days, service totals and product totals.
qvtest::SalonDb& salon()
{
    if (db)
        return *db;
    db = std::make_unique<qvtest::SalonDb>();
    // A product total is one or two of eight products, one or two of each;
    // 55 tickets in 100 sell none.
    const QStringList products = {"12.99", "14.50", "9.00", "18.75", "22.00", "7.50", "29.95", "11.25"};
    const QString hash = QStringLiteral("((i * 40503) % 1000)");
    const QString productSales =
        QStringLiteral("CASE WHEN %1 < 550 THEN 0 ELSE round((%2) * (1 + (i % 3 = 0)) + "
                       "CASE WHEN %1 > 850 THEN %3 ELSE 0 END, 2) END")
            .arg(hash, pick("i * 31 / 7", products), pick("i * 17 / 5", products));
    const QString price = pick("i * 7 + i / 13", {"25", "45.5", "60", "15", "40", "70.5", "85", "105.5"});
    qvbench::addTicketCopies(
        *db, kTickets,
        {{"CustomerID", "printf('%d', 100000 + i)"},
         {"CustomerName", "printf('Client %04d', i % 900)"},
         {"SalonArtist", pick("i", {"'Maria'", "'Jenny'", "'Tom'", "'Ana'"})},
         {"DateAppointment", QStringLiteral("strftime('%Y-%m-%d %H:%M:%S', '2001-01-01', '+' || (i * 365 / %1) || ' days')")
                                 .arg(kTickets)},
         {"Price", price},
         {"ProductSales", productSales}});
    return *db;
}

// The baseline: every column of every ticket read with sqlite3.
double plainRead()
{
    const auto start = Clock::now();
    const long rows = qvbench::readEveryColumn(salon().file(), "SELECT * FROM Servicemenu");
    if (rows != kTickets) {
        std::fprintf(stderr, "%ld tickets read, %d expected\n", rows, kTickets);
        std::abort();
    }
    return seconds(start, Clock::now());
}

template <class ChartWindow> void drawnChart(benchmark::State& state)
{
    salon();
    qv::ScopedScriptedUi quiet;
    double subject = 0, baseline = 0;
    int rows = 0, series = 0, draws = 0;
    for (auto _ : state) {
        baseline += plainRead();
        const auto t0 = Clock::now();
        ChartWindow& w = *qv::Windows::show<ChartWindow>();
        QPixmap drawn = w.grab();
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(drawn);
        subject += seconds(t0, t1);
        const ChartControl& chart = *w.template findChild<ChartControl*>();
        rows = chart.rowCount();
        series = chart.columnCount();
        draws = chart.drawCount();
        w.unload();
        QApplication::processEvents();
    }
    if (!quiet.script.messages().isEmpty()) {
        std::fprintf(stderr, "the chart said: %s\n", qPrintable(quiet.script.messages().join(" / ")));
        std::abort();
    }
    const double n = double(state.iterations());
    state.counters["window_ms"] = subject / n * 1000;
    state.counters["read_ms"] = baseline / n * 1000;
    state.counters["ratio"] = subject / baseline;
    state.counters["rows"] = rows;
    state.counters["series"] = series;
    state.counters["draws"] = draws;
}

void SalonStats(benchmark::State& state) { drawnChart<SalonStatsChart>(state); }
void ServiceStats(benchmark::State& state) { drawnChart<ServiceStatsChart>(state); }
void ProductStats(benchmark::State& state) { drawnChart<ProductStatsChart>(state); }

} // namespace

BENCHMARK(SalonStats)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ServiceStats)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(ProductStats)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    // Before the program's own statics go (the folder it points the program at among them).
    return qvbench::runOffscreen(argc, argv, [] { db.reset(); });
}
