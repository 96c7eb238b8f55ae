// The two one-day windows: a day clicked on the calendar lists its tickets,
// the print button hands the listed rows to the report, and the appointment
// window writes the grid out as a web page and opens it.
#include "support/user_hands.h"
#include "window_hands.h"

#include "appointments/day_view.h"
#include "appointments/report_by_date.h"
#include "reports/products_services_report.h"
#include "platform/data/database.h"
#include "platform/forms/flex_grid.h"
#include "platform/services/services.h"
#include "platform/values/clock.h"
#include "support/layout_check.h"
#include "support/layout_extras.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QDate kBusyDay(2001, 7, 2);
const QDate kEmptyDay(2001, 7, 3);

class DayViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        // Other tests of this binary may have put stand-ins under these names.
        qv::Windows::registerFactory("Form7", [] { return new DayView; });
        qv::Windows::registerFactory("FRMGETR", [] { return new ReportByDate; });
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    // The seeded salon with two more tickets on the busy day, so that the
    // order by artist and the order by time differ, and one without a date.
    void seed()
    {
        db.seed();
        db.insert("Servicemenu", {{"CustomerID", "2001"}, {"CustomerName", "Eve Hart"}, {"CustomerPhone", "434-1111"},
                                  {"SalonArtist", "Tom"}, {"DateAppointment", kBusyDay},
                                  {"TimeAppointment", QTime(8, 0)}, {"Service", "Perm"}, {"Totals", 64.95}});
        db.insert("Servicemenu", {{"CustomerID", "2002"}, {"CustomerName", "Fay Moss"}, {"CustomerPhone", "434-2222"},
                                  {"SalonArtist", "Maria"}, {"DateAppointment", kBusyDay},
                                  {"TimeAppointment", QTime(11, 0)}, {"Service", "Manicure"}, {"Service1", "Color"}});
        db.insert("Servicemenu", {{"CustomerID", "2003"}, {"CustomerName", "No Date"}, {"CustomerPhone", "434-3333"},
                                  {"SalonArtist", "Tom"}});
    }

    template <class W> W& open()
    {
        W& w = *qv::Windows::show<W>();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        ui.script.clear();
        return w;
    }

    static QStringList column(const qv::FlexGrid* grid, int col)
    {
        QStringList out;
        for (int r = 1; r < grid->rows(); ++r)
            out << grid->textMatrix(r, col);
        return out;
    }
    static QStringList headings(const qv::FlexGrid* grid)
    {
        QStringList out;
        for (int c = 0; c < grid->cols(); ++c)
            out << grid->textMatrix(0, c);
        return out;
    }
    static QString readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
};

const QStringList kDayFields = {"DateAppointment", "TimeAppointment", "CustomerID", "CustomerPhone",
                                "CustomerName", "SalonArtist", "Service", "Service1", "Service2", "Service3", "Totals"};

TEST_F(DayViewTest, AppointmentsOfADayAreListedByArtistThenTime)
{
    seed();
    qv::ScopedClock clock(QDateTime(QDate(2001, 7, 4), QTime(15, 0)));
    DayView& w = open<DayView>();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Find Appointment's By Date"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Today's date....7/4/2001"));
    EXPECT_FALSE(w.closeCommandRemoved());

    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    const qv::FlexGrid* grid = w.findChild<qv::FlexGrid*>(QStringLiteral("MSHflexgrid1"));
    EXPECT_EQ(headings(grid), kDayFields);
    EXPECT_EQ(grid->rows(), 5);
    EXPECT_EQ(column(grid, 2), (QStringList{"1002", "1001", "2002", "2001"}));
    EXPECT_EQ(column(grid, 5), (QStringList{"Jenny", "Maria", "Maria", "Tom"}));
    EXPECT_EQ(column(grid, 0).value(0), QStringLiteral("7/2/2001"));
    EXPECT_EQ(column(grid, 1), (QStringList{"10:00:00 AM", "9:00:00 AM", "11:00:00 AM", "8:00:00 AM"}));
    // Empty fields are empty texts, not "0" or a date of their own.
    EXPECT_EQ(column(grid, 7).value(2), QStringLiteral("Color"));
    EXPECT_EQ(column(grid, 8).value(2), QString());
    EXPECT_EQ(column(grid, 10).value(2), QString());
    EXPECT_EQ(column(grid, 10).value(3), QStringLiteral("64.95"));

    // No text is cut off: each column takes its widest text and a margin.
    const QFontMetrics metrics(w.font());
    for (int c = 0; c < grid->cols(); ++c)
        for (int r = 0; r < grid->rows(); ++r)
            EXPECT_GE(grid->colWidth(c), qv::twips(metrics.horizontalAdvance(grid->textMatrix(r, c))) + 450)
                << c << "," << r;

    // The next click replaces the rows.
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), QDate(2001, 7, 9));
    EXPECT_EQ(column(grid, 2), (QStringList{"1003"}));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(DayViewTest, BothWindowsReadWholeAfterADayIsClicked)
{
    seed();
    DayView& day = open<DayView>();
    apptest::clickDay(day.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    ReportByDate& report = open<ReportByDate>();
    apptest::clickDay(report.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    for (OneDayView* w : {(OneDayView*)&day, (OneDayView*)&report}) {
        ASSERT_GT(w->findChild<qv::FlexGrid*>(QStringLiteral("MSHflexgrid1"))->rows(), 1);
        const QStringList faults = qvtest::layoutFaults(w, w->windowName()) + qvtest::cutCells(w->findChild<qv::FlexGrid*>(QStringLiteral("MSHflexgrid1")));
        EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
    }
}

TEST_F(DayViewTest, ReportByDateListsEveryFieldStrictlyByTime)
{
    seed();
    ReportByDate& w = open<ReportByDate>();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Report By Date"));
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("CmdPrint"))->text(), QStringLiteral("Services Products Report"));
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    const qv::FlexGrid* grid = w.findChild<qv::FlexGrid*>(QStringLiteral("MSHflexgrid1"));
    const QStringList names = headings(grid);
    const auto table = db.query("SELECT * FROM Servicemenu");
    ASSERT_EQ(names.size(), table->fieldCount());
    for (int c = 0; c < table->fieldCount(); ++c)
        EXPECT_EQ(names[c], table->fieldName(c));
    EXPECT_EQ(column(grid, names.indexOf("CustomerID")), (QStringList{"2001", "1001", "1002", "2002"}));
}

TEST_F(DayViewTest, ADayWithoutTicketsShowsHeadingsAndAnEmptyPageAndReport)
{
    seed();
    DayView& w = open<DayView>();
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kEmptyDay);
    EXPECT_EQ(w.findChild<qv::FlexGrid*>(QStringLiteral("MSHflexgrid1"))->rows(), 1);
    EXPECT_EQ(headings(w.findChild<qv::FlexGrid*>(QStringLiteral("MSHflexgrid1"))), kDayFields);

    qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdshowhtml")));
    const QString page = readFile(db.folder() + "/temp.htm");
    EXPECT_TRUE(page.contains("  <TH>Totals</TH>\r\n</TR>\r\n</TABLE>\r\n</BODY></HTML>\r\n")) << page.toStdString();
    EXPECT_FALSE(page.contains("<TD>"));

    bool looked = false;
    EXPECT_TRUE(apptest::withPreview([&] { qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("Cmdprint"))); },
                                     [&](const qv::ReportDocument& doc) {
                                         looked = true;
                                         EXPECT_TRUE(apptest::detailField(doc, "CustomerID").isEmpty());
                                     }));
    EXPECT_TRUE(looked);
}

TEST_F(DayViewTest, PrintingHandsTheListedRowsOrEveryDatedTicketBeforeAnyClick)
{
    seed();
    {
        DayView& w = open<DayView>();
        // Before a day is picked: every ticket with a date, earliest first.
        EXPECT_TRUE(apptest::withPreview([&] { qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("Cmdprint"))); },
                                         [](const qv::ReportDocument& doc) {
                                             const QStringList tickets = apptest::detailField(doc, "CustomerID");
                                             EXPECT_EQ(tickets.size(), 8);
                                             EXPECT_FALSE(tickets.contains("2003"));
                                             EXPECT_EQ(apptest::detailField(doc, "DateAppointment"),
                                                       (QStringList{"7/2/2001", "7/2/2001", "7/2/2001", "7/2/2001",
                                                                    "7/9/2001", "7/16/2001", "7/23/2001", "7/30/2001"}));
                                         }));
        apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
        EXPECT_TRUE(apptest::withPreview([&] { qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("Cmdprint"))); },
                                         [](const qv::ReportDocument& doc) {
                                             EXPECT_EQ(doc.title, QStringLiteral("Appointments By date"));
                                             EXPECT_EQ(apptest::detailField(doc, "CustomerID"),
                                                       (QStringList{"1002", "1001", "2002", "2001"}));
                                         }));
        w.unload();
    }
    ReportByDate& r = open<ReportByDate>();
    apptest::clickDay(r.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    EXPECT_TRUE(apptest::withPreview([&] { qvtest::clickAt(r.findChild<QPushButton*>(QStringLiteral("CmdPrint"))); },
                                     [](const qv::ReportDocument& doc) {
                                         EXPECT_EQ(doc.title, ProductsServicesReport().title());
                                         EXPECT_EQ(apptest::detailField(doc, "SalonArtist"),
                                                   (QStringList{"Tom", "Maria", "Jenny", "Maria"}));
                                     }));
}

TEST_F(DayViewTest, WebPageIsTheGridAsWrittenAndIsOpened)
{
    seed();
    db.insert("Servicemenu", {{"CustomerID", "3001"}, {"CustomerName", "Ann & Bo <VIP>"}, {"CustomerPhone", "1"},
                              {"SalonArtist", "Zed"}, {"DateAppointment", QDate(2001, 7, 5)},
                              {"TimeAppointment", QTime(9, 30)}});
    DayView& w = open<DayView>();
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), QDate(2001, 7, 5));
    qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdshowhtml")));

    const QString path = db.folder() + "/temp.htm";
    QString expected = "<HTML><HEAD><meta charset=\"utf-8\"></HEAD><BODY>\r\n<TABLE BORDER=1 BGCOLOR=#COCOCO CELLPADDING=5>\r\n<TR>\r\n";
    for (const QString& f : kDayFields)
        expected += "  <TH>" + f + "</TH>\r\n";
    expected += "</TR>\r\n<TR>\r\n";
    for (const QString& cell : {"7/5/2001", "9:30:00 AM", "3001", "1", "Ann &amp; Bo &lt;VIP&gt;", "Zed", "", "", "", "", ""})
        expected += "  <TD>" + QString(cell) + "</TD>\r\n";
    expected += "</TR>\r\n</TABLE>\r\n</BODY></HTML>\r\n";
    EXPECT_EQ(readFile(path), expected);

    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Launch);
    EXPECT_EQ(QDir::cleanPath(ui.script.events[0].text), QDir::cleanPath(path));

    // Written again for another day, the page replaces the earlier one.
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), QDate(2001, 7, 9));
    qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdshowhtml")));
    const QString second = readFile(path);
    EXPECT_TRUE(second.contains("<TD>1003</TD>"));
    EXPECT_FALSE(second.contains("3001"));
    EXPECT_TRUE(second.endsWith("</TR>\r\n</TABLE>\r\n</BODY></HTML>\r\n"));
}

namespace {

// The page as an HTML parser reads it (python3's html.parser): its elements
// must nest and close, and the text of each row's cells is collected.
struct ParsedPage {
    QStringList problems;           // elements that do not nest or close
    QStringList elements;           // every element opened, in order
    QList<QStringList> rows;        // the texts of the cells of each row
};

ParsedPage parseHtml(const QString& file)
{
    ParsedPage page;
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        page.problems << QStringLiteral("python3 is not installed (scripts/deps.sh installs it)");
        return page;
    }
    static const char* const script = R"(
import json, re, sys
from html.parser import HTMLParser
VOID = {'meta', 'br', 'hr', 'img', 'input', 'link'}
class Events(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.events = []
    def handle_starttag(self, tag, attrs):
        self.events.append(['start', tag])
        if tag in VOID: self.events.append(['end', tag])
    def handle_startendtag(self, tag, attrs): self.events.append(['start', tag]); self.events.append(['end', tag])
    def handle_endtag(self, tag): self.events.append(['end', tag])
    def handle_data(self, data): self.events.append(['data', data])
# The encoding as a browser finds it: a byte order mark, else a charset
# declared in the first 1024 bytes, else the Western legacy code page.
raw = open(sys.argv[1], 'rb').read()
if raw.startswith(b'\xef\xbb\xbf'):
    encoding = 'utf-8'
else:
    m = re.search(rb'<meta[^>]*charset\s*=\s*["\']?([A-Za-z0-9_-]+)', raw[:1024], re.I)
    encoding = m.group(1).decode('ascii') if m else 'cp1252'
p = Events()
p.feed(raw.decode(encoding))
p.close()
print(json.dumps(p.events))
)";
    QProcess run;
    run.start(python, {QStringLiteral("-c"), QString::fromLatin1(script), file});
    if (!run.waitForFinished(30000) || run.exitCode() != 0) {
        page.problems << QStringLiteral("the parser failed: ") + QString::fromUtf8(run.readAllStandardError());
        return page;
    }
    QStringList open;
    QStringList* cells = nullptr;
    QString* cell = nullptr;
    for (const QJsonValue& e : QJsonDocument::fromJson(run.readAllStandardOutput()).array()) {
        const QString kind = e[0].toString(), value = e[1].toString();
        if (kind == QLatin1String("start")) {
            open << value;
            page.elements << value;
            if (value == QLatin1String("tr")) {
                page.rows.append(QStringList());
                cells = &page.rows.last();
            } else if ((value == QLatin1String("td") || value == QLatin1String("th")) && cells) {
                cells->append(QString());
                cell = &cells->last();
            }
        } else if (kind == QLatin1String("end")) {
            if (open.isEmpty() || open.last() != value)
                page.problems << QStringLiteral("</%1> closes <%2>").arg(value, open.value(open.size() - 1));
            else
                open.removeLast();
            if (value == QLatin1String("td") || value == QLatin1String("th"))
                cell = nullptr;
        } else if (cell) {
            *cell += value;
        } else if (!value.trimmed().isEmpty()) {
            page.problems << QStringLiteral("text outside the cells: ") + value;
        }
    }
    for (const QString& left : std::as_const(open))
        page.problems << QStringLiteral("<%1> is never closed").arg(left);
    return page;
}

} // namespace

TEST_F(DayViewTest, WebPageWritesEveryCellAsTextAndClosesEveryElement)
{
    seed();
    const QStringList names = {"<b>O'Neil & Sons</b>", "<script>alert('x')</script>", "Ann \"Bo\" <VIP> & Co",
                               "Zoë Brontë"};
    for (int i = 0; i < names.size(); ++i)
        db.insert("Servicemenu", {{"CustomerID", QString::number(3001 + i)}, {"CustomerName", names[i]},
                                  {"CustomerPhone", "434-555" + QString::number(i)}, {"SalonArtist", "Zed"},
                                  {"DateAppointment", QDate(2001, 7, 5)}, {"TimeAppointment", QTime(9, i)},
                                  {"Service", "Cut & <i>Color</i>"}});
    DayView& w = open<DayView>();
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), QDate(2001, 7, 5));
    qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdshowhtml")));

    const ParsedPage page = parseHtml(db.folder() + "/temp.htm");
    EXPECT_TRUE(page.problems.isEmpty()) << page.problems.join(" | ").toStdString();
    // Only the page's own elements: no bold, no italics, no script from a name.
    QStringList expected = {"html", "head", "meta", "body", "table", "tr"};
    for (int c = 0; c < kDayFields.size(); ++c)
        expected << "th";
    for (int r = 0; r < names.size(); ++r) {
        expected << "tr";
        for (int c = 0; c < kDayFields.size(); ++c)
            expected << "td";
    }
    EXPECT_EQ(page.elements, expected);
    // Every cell reads back as the grid shows it.
    const qv::FlexGrid* grid = w.findChild<qv::FlexGrid*>(QStringLiteral("MSHflexgrid1"));
    ASSERT_EQ(page.rows.size(), grid->rows());
    for (int r = 0; r < grid->rows(); ++r)
        for (int c = 0; c < grid->cols(); ++c)
            EXPECT_EQ(page.rows[r].value(c), grid->textMatrix(r, c)) << r << "," << c;
    EXPECT_EQ(column(grid, 4), names);
}

TEST_F(DayViewTest, WebPagePathTakesOneSeparatorAndAnUnwritableFolderIsSaid)
{
    seed();
    DayView& w = open<DayView>();
    const QString folder = qv::ProgramFolder::path();
    qv::ProgramFolder::setPath(folder + "/");
    EXPECT_EQ(DayView::htmlPath(), folder + "/temp.htm");
    qv::ProgramFolder::setPath(folder);
    EXPECT_EQ(DayView::htmlPath(), folder + "/temp.htm");

    // A folder that cannot take the page: nothing is opened, the user is told.
    qv::ProgramFolder::setPath(folder + "/no such folder");
    qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdshowhtml")));
    qv::ProgramFolder::setPath(folder);
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(ui.script.messages()[0].startsWith("Could not write the web page "));
    for (const qv::UiEvent& e : ui.script.events)
        EXPECT_NE(e.kind, qv::UiEvent::Launch);
}

TEST_F(DayViewTest, WithoutAProgramForWebPagesTheUserIsToldWhereThePageIs)
{
    seed();
    ui.script.launchSucceeds = false;
    DayView& w = open<DayView>();
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("cmdshowhtml")));
    const QString path = QDir::toNativeSeparators(QDir::cleanPath(DayView::htmlPath()));
    ASSERT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(ui.script.messages()[0].contains(path)) << ui.script.messages()[0].toStdString();
    EXPECT_TRUE(ui.script.messages()[0].startsWith("The web page of the day was written to "));
    EXPECT_TRUE(readFile(db.folder() + "/temp.htm").contains("<TD>1001</TD>"));
}

TEST_F(DayViewTest, SundaysAreBoldInEveryMonthShown)
{
    seed();
    ReportByDate& w = open<ReportByDate>();
    w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2"))->setCurrentPage(2001, 7);
    for (const QDate& sunday : {QDate(2001, 6, 24), QDate(2001, 7, 1), QDate(2001, 7, 29), QDate(2001, 7, 22)})
        EXPECT_EQ(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2"))->dateTextFormat(sunday).fontWeight(), QFont::Bold) << sunday.toString().toStdString();
    for (const QDate& other : {QDate(2001, 7, 2), QDate(2001, 7, 7)})
        EXPECT_NE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2"))->dateTextFormat(other).fontWeight(), QFont::Bold) << other.toString().toStdString();
    w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2"))->setCurrentPage(2001, 9);
    EXPECT_EQ(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2"))->dateTextFormat(QDate(2001, 9, 2)).fontWeight(), QFont::Bold);
}

TEST_F(DayViewTest, MissingDatabaseIsSaidAtLoadAndAtADayClick)
{
    ASSERT_TRUE(QFile::remove(db.file()));
    DayView& w = *qv::Windows::show<DayView>();
    EXPECT_EQ(ui.script.messages().size(), 1);
    ui.script.clear();
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    EXPECT_EQ(ui.script.messages().size(), 1);
    // Print passes the window's errors over; only the report engine may speak.
    ui.script.clear();
    qvtest::clickAt(w.findChild<QPushButton*>(QStringLiteral("Cmdprint")));
    for (const qv::UiEvent& e : ui.script.events)
        EXPECT_EQ(e.title, QStringLiteral("Appointments By date")) << e.text.toStdString();
}

TEST_F(DayViewTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    seed();
    DayView& w = open<DayView>();
    apptest::clickDay(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    QTest::qWait(50);
    EXPECT_TRUE(w.grab().save(folder + "/Form7.png"));
    w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2"))->setCurrentPage(qv::Clock::today().year(), qv::Clock::today().month());
    EXPECT_TRUE(w.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2"))->grab().save(folder + "/Form7-today.png"));
    ReportByDate& r = open<ReportByDate>();
    apptest::clickDay(r.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView2")), kBusyDay);
    QTest::qWait(50);
    EXPECT_TRUE(r.grab().save(folder + "/FRMGETR.png"));
}

} // namespace
