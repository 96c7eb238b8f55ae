// Laying out the products-and-services report (one block per ticket) over
// 10,000 tickets, against reading the same rows with sqlite3, in the same run.
// Each benchmark reports "ratio" = report work / plain read (lower is better):
//   LayoutFromRows       the layout alone, on rows already copied out
//   LayoutFromRecordset  the whole job: the report query through the data
//                        layer, the copy of its rows, the layout
// Targets: the layout at most 2, the whole job at most 3. The layout measures
// a text only when it may not fit its box, and each distinct text once per
// width; most values of a report repeat.
//   JobMemory            the whole job on 100,000 tickets of 20,000 clients,
//                        up to the preview showing its first page: the peak
//                        memory (resident set) it adds, against the size of
//                        those rows in the file (target at most 5); "kept_MB"
//                        is what the program still holds once the preview
//                        has closed.
#include "common/connections.h"
#include "common/schema.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/report/report.h"
#include "reports/products_services_report.h"
#include "platform/report/report_preview.h"
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QTime>
#include <benchmark/benchmark.h>
#include "ticket_copies.h"
#include <sqlite3.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <memory>

namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr int kTickets = 10000;
constexpr int kManyTickets = 100000;
const QString kQuery = QStringLiteral("SELECT * FROM ServiceMenu Order by DateAppointment");

double since(SteadyClock::time_point start)
{
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

void check(int rc, sqlite3* db, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::abort();
    }
}

// A salon file of tickets: one written through the data layer (so every
// column holds what the program stores), then copied by SQLite with other
// numbers, clients (one for every five tickets), artists and days.
struct TicketFile {
    QTemporaryDir dir;
    QString file;

    explicit TicketFile(int tickets) : file(dir.filePath(QStringLiteral("KVD.mdb")))
    {
        createSalonDatabase(file);
        {
            qv::Connection cn;
            cn.open(jetConnectionString(file));
            qv::Recordset rs;
            rs.open(QStringLiteral("SELECT * FROM Servicemenu"), cn);
            rs.addNew();
            const QList<QPair<QString, QVariant>> values = {
                {"CustomerID", "1"}, {"CustomerName", "Client"}, {"CustomerPhone", "555-0000"},
                {"SalonArtist", "Maria"}, {"DateAppointment", QDateTime(QDate(2001, 7, 2), QTime(0, 0))},
                {"TimeAppointment", QDateTime(QDate(1899, 12, 30), QTime(9, 30))}, {"Memo", "Usual cut, a little shorter"},
                {"Service", "Haircut"}, {"ServicePrice1", "25.00"}, {"QuantityService1", "1"},
                {"Service1", "Color"}, {"ServicePrice2", "45.50"}, {"QuantityService2", "1"},
                {"Price", "70.50"}, {"TaxPercent", "8.25"}, {"TaxTotals", "5.82"}, {"Taxamount", "76.32"},
                {"ProductsSold", "Shampoo"}, {"SystemStockNumber", "1001"}, {"ProductsPrice", "12.99"},
                {"Quantity", "2"}, {"ProductSales", "25.98"}, {"taxpercent1", "6"}, {"TaxTotals1", "1.56"},
                {"taxamount1", "27.54"}, {"Totals", "103.86"}};
            for (const auto& [field, value] : values)
                rs.setValue(field, value);
            rs.update();
        }
        sqlite3* db = nullptr;
        check(sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db, "open");
        check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
        sqlite3_stmt* cols = nullptr;
        check(sqlite3_prepare_v2(db, "SELECT group_concat('\"' || name || '\"', ',') FROM pragma_table_info('Servicemenu') "
                                     "WHERE name NOT IN ('CustomerID','CustomerName','SalonArtist','DateAppointment')",
                                 -1, &cols, nullptr), db, "columns");
        check(sqlite3_step(cols), db, "columns");
        const QString rest = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(cols, 0)));
        sqlite3_finalize(cols);
        const QString copy = QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Servicemenu (CustomerID, CustomerName, SalonArtist, DateAppointment, %2) "
            "SELECT CAST(i AS TEXT), 'Client ' || (i % %3), "
            "CASE i % 3 WHEN 0 THEN 'Maria' WHEN 1 THEN 'Jenny' ELSE 'Tom' END, "
            "strftime('%Y-%m-%d 00:00:00', '2001-01-01', '+' || (i % 365) || ' days'), %2 "
            "FROM n, (SELECT * FROM Servicemenu WHERE CustomerID = '1')")
                                 .arg(tickets)
                                 .arg(rest)
                                 .arg(tickets / 5);
        check(sqlite3_exec(db, copy.toUtf8().constData(), nullptr, nullptr, nullptr), db, "copy");
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
        sqlite3_close(db);
    }

    // The bytes the tickets' rows take in the file.
    qint64 rowBytes() const
    {
        sqlite3* db = nullptr;
        check(sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), db, "open");
        sqlite3_stmt* st = nullptr;
        check(sqlite3_prepare_v2(db, "SELECT sum(pgsize) FROM dbstat WHERE name = 'Servicemenu'", -1, &st, nullptr), db,
              "dbstat");
        check(sqlite3_step(st), db, "dbstat");
        const qint64 bytes = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        sqlite3_close(db);
        return bytes;
    }
};

TicketFile& ticketFile()
{
    static TicketFile f(kTickets);
    return f;
}

// The baseline: every column of every row read with sqlite3.
double plainRead()
{
    const auto start = SteadyClock::now();
    if (qvbench::readEveryColumn(ticketFile().file, "SELECT * FROM Servicemenu ORDER BY DateAppointment") != kTickets)
        std::abort();
    return since(start);
}

double baseline()
{
    static const double best = [] {
        double b = 1e9;
        for (int i = 0; i < 5; ++i)
            b = std::min(b, plainRead());
        return b;
    }();
    return best;
}

std::shared_ptr<qv::Recordset> reportRows(qv::Connection& cn)
{
    cn.open(jetConnectionString(ticketFile().file));
    return cn.execute(kQuery);
}

void BM_PlainSqliteRead(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(plainRead());
    state.counters["ratio"] = 1.0;
}

void BM_LayoutFromRows(benchmark::State& state)
{
    qv::Connection cn;
    auto rs = reportRows(cn);
    ProductsServicesReport report;
    report.setData(qv::ReportData::fromRecordset(*rs));
    double total = 0;
    int pages = 0;
    for (auto _ : state) {
        const auto start = SteadyClock::now();
        qv::ReportDocument doc = report.run();
        benchmark::DoNotOptimize(doc.pages.first());   // the page a preview opens on
        total += since(start);
        pages = doc.pageCount();
        benchmark::DoNotOptimize(doc);
    }
    state.counters["pages"] = pages;
    state.counters["ratio"] = total / state.iterations() / baseline();
}

void BM_LayoutFromRecordset(benchmark::State& state)
{
    double total = 0;
    for (auto _ : state) {
        const auto start = SteadyClock::now();
        qv::Connection cn;
        ProductsServicesReport report;
        report.setDataSource(reportRows(cn));
        qv::ReportDocument doc = report.run();
        benchmark::DoNotOptimize(doc.pages.first());
        total += since(start);
    }
    state.counters["ratio"] = total / state.iterations() / baseline();
}

// The process's resident set now and at its peak (kB), from the kernel.
qint64 statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// Starts counting the peak afresh from what the process holds now.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        std::fprintf(stderr, "the peak memory cannot be reset\n");
}

void BM_JobMemory(benchmark::State& state)
{
    static TicketFile many(kManyTickets);
    const double fileMb = many.rowBytes() / 1048576.0;
    double peakMb = 0, keptMb = 0;
    int pages = 0;
    for (auto _ : state) {
        ProductsServicesReport report;
        // Heap freed before the job but still held would hide what it takes.
        malloc_trim(0);
        const qint64 before = statusKb("VmRSS:");
        resetPeak();
        QTimer::singleShot(0, [&] {
            qv::ReportPreview* preview = qv::ReportPreview::current();
            if (!preview)
                std::abort();
            QApplication::processEvents();
            pages = preview->document().pageCount();
            preview->cmdClose->click();
        });
        {
            qv::Connection cn;
            cn.open(jetConnectionString(many.file));
            report.setDataSource(cn.execute(kQuery));
            report.show();
            report.setDataSource(nullptr);
        }
        // As the windows' report fill does once the rows are let go.
        qv::giveBackFreedMemory();
        peakMb = (statusKb("VmHWM:") - before) / 1024.0;
        keptMb = (statusKb("VmRSS:") - before) / 1024.0;
    }
    state.counters["pages"] = pages;
    state.counters["file_MB"] = fileMb;
    state.counters["peak_MB"] = peakMb;
    state.counters["kept_MB"] = keptMb;
    state.counters["ratio"] = peakMb / fileMb;
}

BENCHMARK(BM_PlainSqliteRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutFromRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutFromRecordset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JobMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    // Text measuring needs the fonts of a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
