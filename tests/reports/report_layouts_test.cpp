// The ten layouts filled from a seeded salon database the way the windows
// fill them: the query on a connection of the report's own, the modal
// preview, then everything let go.
#include "platform/data/recordset.h"
#include "platform/report/report_preview.h"
#include "platform/services/services.h"
#include "platform/values/clock.h"
#include "reports/appointments_by_date_report.h"
#include "reports/business_asset_report.h"
#include "reports/business_totals_report.h"
#include "reports/commissions_report.h"
#include "reports/customer_report.h"
#include "reports/employee_report.h"
#include "reports/inventory_report.h"
#include "reports/memo_list_report.h"
#include "reports/products_services_report.h"
#include "reports/report_fill.h"
#include "reports/salon_schedule_report.h"
#include "support/pdf_text.h"
#include "support/salon_db.h"
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QPushButton>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

using namespace qv;

namespace {

// Fills the report and returns what its preview showed; the preview is closed
// by the test, as a user would close it.
ReportDocument fillAndClose(Report& report, const QString& query)
{
    ReportDocument shown;
    bool opened = false;
    QTimer::singleShot(0, [&] {
        ReportPreview* p = ReportPreview::current();
        if (!p)
            return;
        opened = true;
        shown = p->document();
        p->cmdClose->click();
    });
    reportFill(report, query);
    EXPECT_TRUE(opened) << query.toStdString();
    return shown;
}

QStringList allTexts(const ReportDocument& doc)
{
    QStringList out;
    for (const ReportPage& p : doc.pages)
        out += p.texts();
    return out;
}

QStringList detailTexts(const ReportDocument& doc, const QString& control)
{
    QStringList out;
    for (const ReportPage& p : doc.pages)
        for (const ReportItem& it : p.itemsIn(ReportBand::Detail))
            if (it.control == control)
                out << it.text;
    return out;
}

// The caption label standing just before a field on its line.
QString captionOf(const ReportPage& page, const ReportItem& field)
{
    const ReportItem* best = nullptr;
    for (const ReportItem& it : page.items)
        if (it.dataField.isEmpty() && it.kind == ReportItem::Text && it.rect.top() == field.rect.top()
            && it.record == field.record && it.rect.right() < field.rect.left()
            && (!best || it.rect.left() > best->rect.left()))
            best = &it;
    return best ? best->text : QString();
}

} // namespace

TEST(ReportLayouts, EmptyTicketTableGivesHeadersAndZeroSums)
{
    qvtest::SalonDb db;
    ScopedScriptedUi ui;
    ScopedClock clock(QDateTime(QDate(2001, 7, 30), QTime(9, 0)));
    ProductsServicesReport report;
    const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM ServiceMenu Order by DateAppointment"));
    ASSERT_EQ(doc.pageCount(), 1);
    const ReportPage& page = doc.pages[0];
    EXPECT_TRUE(page.itemsIn(ReportBand::Detail).isEmpty());
    const QStringList texts = page.texts();
    for (const char* heading : {"Products and Services Report", "Go to last page to get all totals:->", "Current page #:",
                                "Today's Date", "Monday, July 30, 2001", "Go to last page in report for all totals:",
                                "Total Pages this Report", "Totals of Services, Products and Taxes to Date:"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(heading))) << heading;
    QStringList sums;
    for (const ReportItem& it : page.itemsIn(ReportBand::ReportFooter))
        if (!it.dataField.isEmpty())
            sums << it.text;
    EXPECT_EQ(sums, QStringList(5, QStringLiteral("$0.00")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST(ReportLayouts, TicketReportSumsAndFormatsTheSeededTickets)
{
    qvtest::SalonDb db;
    db.seed();
    ScopedScriptedUi ui;
    ProductsServicesReport report;
    const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM ServiceMenu Order by DateAppointment"));
    ASSERT_GE(doc.pageCount(), 2);
    // "%P" became the real count on every page footer.
    for (const ReportPage& p : doc.pages) {
        const QList<ReportItem> footer = p.itemsIn(ReportBand::PageFooter);
        ASSERT_EQ(footer.size(), 2);
        EXPECT_EQ(footer[1].text, QString::number(doc.pageCount()));
    }
    EXPECT_EQ(detailTexts(doc, QStringLiteral("txtDateAppointment")),
              (QStringList{"7/2/2001", "7/2/2001", "7/9/2001", "7/16/2001", "7/23/2001", "7/30/2001"}));
    EXPECT_EQ(detailTexts(doc, QStringLiteral("txtProductsPrice")).value(1), QStringLiteral("$12.99"));
    EXPECT_EQ(detailTexts(doc, QStringLiteral("txtQuantity")).value(1), QStringLiteral("3"));
    EXPECT_EQ(detailTexts(doc, QStringLiteral("txtTaxpercent")).value(0), QStringLiteral("8.25"));
    EXPECT_EQ(detailTexts(doc, QStringLiteral("txtSystemStockNumber")).value(1), QStringLiteral("1001"));
    QStringList sums;
    for (const ReportItem& it : doc.pages.last().itemsIn(ReportBand::ReportFooter))
        if (!it.dataField.isEmpty())
            sums << captionOf(doc.pages.last(), it) + QLatin1Char('=') + it.text;
    EXPECT_EQ(sums, (QStringList{"Service Totals=$256.00", "Products Totals=$93.46", "Tax Totals On Services=$19.88",
                                 "Tax Totals On Products=$5.61", "All Totals=$374.95"}));
}

TEST(ReportLayouts, InventoryListsItsRowsByCategoryThenDate)
{
    qvtest::SalonDb db;
    db.insertMany(QStringLiteral("StockControl"),
                  {{{"Item", "c2"}, {"Category", "Color"}, {"Date", QDate(2001, 5, 2)}},
                   {{"Item", "a1"}, {"Category", "Acc"}, {"Date", QDate(2001, 1, 9)}},
                   {{"Item", "c1"}, {"Category", "Color"}, {"Date", QDate(2000, 12, 31)}},
                   {{"Item", "b1"}, {"Category", "Brush"}, {"Date", QDate(2001, 3, 3)}},
                   {{"Item", "c3"}, {"Category", "Color"}, {"Date", QDate(2001, 11, 1)}},
                   {{"Item", "a2"}, {"Category", "Acc"}, {"Date", QDate(2001, 2, 1)}}});
    ScopedScriptedUi ui;
    InventoryReport report;
    const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM StockControl Order by Category,Date "));
    EXPECT_EQ(detailTexts(doc, QStringLiteral("txtItem")), (QStringList{"a1", "a2", "b1", "c1", "c2", "c3"}));
    // Four money fields, and "%P" in the page header.
    const ReportPage& first = doc.pages[0];
    EXPECT_EQ(first.find(QStringLiteral("txtPrice"))->text, QString());
    EXPECT_TRUE(first.texts().contains(QStringLiteral("Total Pages in Report")));
    EXPECT_TRUE(first.texts().contains(QString::number(doc.pageCount())));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST(ReportLayouts, CaptionsKeepTheirOwnBlanksAndMoneyColumnsTheirFormat)
{
    qvtest::SalonDb db;
    db.seed();
    ScopedScriptedUi ui;
    {
        CommissionsReport report;
        const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM Employees1 Order by LastName"));
        const ReportPage& p = doc.pages.value(0);
        const ReportItem* paid = p.find(QStringLiteral("txtTotalsPaid"));
        ASSERT_NE(paid, nullptr);
        EXPECT_EQ(captionOf(p, *paid), QStringLiteral("Commissions Totals this  Pay Period"));
        EXPECT_EQ(captionOf(p, *p.find(QStringLiteral("txtCommissionsPaidProducts"))), QStringLiteral("Products Commissions "));
        EXPECT_EQ(detailTexts(doc, QStringLiteral("txtLastName")), (QStringList{"Lopez", "Lopez", "Park"}));
        QStringList service = detailTexts(doc, QStringLiteral("txtCommissionsPaid"));
        service.sort();
        EXPECT_EQ(service, (QStringList{"$34.00", "$42.40", "$44.00"}));
        const ReportPage last = doc.pages.last();
        const ReportItem* sum = last.find(QStringLiteral("sumTotalsPaid"));
        ASSERT_NE(sum, nullptr);
        EXPECT_EQ(sum->text, QStringLiteral("$133.35"));
        EXPECT_EQ(captionOf(doc.pages.last(), *sum), QStringLiteral("Total Paid -Gross for Salon to Date:"));
    }
    {
        BusinessReport report;
        const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM Business"));
        const ReportPage& p = doc.pages.value(0);
        EXPECT_EQ(captionOf(p, *p.find(QStringLiteral("txtPurchasePrice"))), QStringLiteral("PurchasePrice:      $"));
        EXPECT_EQ(captionOf(p, *p.find(QStringLiteral("txtAppraisedValue"))), QStringLiteral("AppraisedValue:    $"));
        EXPECT_EQ(captionOf(p, *p.find(QStringLiteral("txtState"))), QStringLiteral("State :"));
        EXPECT_EQ(captionOf(p, *p.find(QStringLiteral("txtAppriasedBy"))), QStringLiteral("AppraisedBy:"));
        EXPECT_EQ(p.find(QStringLiteral("txtPurchasePrice"))->text, QStringLiteral("$1,200.00"));
        QStringList sums;
        for (const ReportItem& it : doc.pages.last().itemsIn(ReportBand::ReportFooter))
            if (!it.dataField.isEmpty())
                sums << it.text;
        EXPECT_EQ(sums, (QStringList{"$1,550.00", "$1,200.00", "$1,780.00"}));
        EXPECT_TRUE(allTexts(doc).contains(QStringLiteral("End Report")));
    }
    {
        BusinessTotalsReport report;
        const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM Business"));
        ASSERT_EQ(doc.pageCount(), 1);
        EXPECT_TRUE(doc.pages[0].itemsIn(ReportBand::Detail).isEmpty());
        EXPECT_EQ(doc.pages[0].texts(), (QStringList{"Business Totals:", "Purchase Price:", "$1,550.00", "Appraised Value:",
                                                     "$1,200.00", "Replacement Cost:", "$1,780.00"}));
    }
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST(ReportLayouts, ScheduleIsASixBySevenFramedGridUnderTheDaysOfTheWeek)
{
    qvtest::SalonDb db;
    db.seed();
    ScopedScriptedUi ui;
    SalonScheduleReport report;
    const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM Calendar  "));
    ASSERT_EQ(doc.pageCount(), 2);   // one sheet per page
    const ReportPage& p = doc.pages[0];
    EXPECT_EQ(p.find(QStringLiteral("txtMonthYear"))->text, QStringLiteral("July 2001"));
    const QStringList days = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    QList<ReportItem> heads;
    for (const ReportItem& it : p.itemsIn(ReportBand::Detail))
        if (days.contains(it.text) && it.dataField.isEmpty())
            heads << it;
    ASSERT_EQ(heads.size(), 7);
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(heads[c].text, days[c]);
        if (c > 0) {
            EXPECT_GT(heads[c].rect.left(), heads[c - 1].rect.left());
        }
    }
    for (int n = 1; n <= 42; ++n) {
        const ReportItem* cell = p.find(QStringLiteral("txtday%1").arg(n));
        ASSERT_NE(cell, nullptr) << n;
        EXPECT_TRUE(cell->border);
        const int row = (n - 1) / 7, col = (n - 1) % 7;
        EXPECT_EQ(cell->rect.left(), heads[col].rect.left()) << n;
        EXPECT_GT(cell->rect.top(), heads[col].rect.top());
        if (row > 0) {
            EXPECT_EQ(cell->rect.top(), p.find(QStringLiteral("txtday%1").arg(n - 7))->rect.bottom() + 1) << n;
        }
    }
    EXPECT_EQ(p.find(QStringLiteral("txtday2"))->text, QStringLiteral("2\nMaria, Jenny"));
    EXPECT_EQ(doc.pages[1].find(QStringLiteral("txtMonthYear"))->text, QStringLiteral("August 2001"));
    EXPECT_TRUE(p.texts().contains(QStringLiteral("Salon Schedule")));
}

// A day note longer than its cell shows the lines that fit and an ellipsis,
// on the page and in the PDF's text; short notes stay whole.
TEST(ReportLayouts, ScheduleDayNoteLongerThanItsCellEndsInAnEllipsis)
{
    qvtest::SalonDb db;
    db.seed();
    const QString note = QStringLiteral(
        "9\nMaria 9-5 colour clients, Jenny 10-6 cuts and perms, Tom 12-8 walk-ins, staff meeting at 8 before "
        "opening, supplier visit about the new gloss line, windows cleaned, till checked twice, deliveries at noon "
        "LASTWORDS");
    db.insert("Calendar", {{"MonthYear", "September 2001"}, {"day9", note}, {"day10", "10\nJenny"}});
    ScopedScriptedUi ui;
    SalonScheduleReport report;
    const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM Calendar  "));
    ASSERT_EQ(doc.pageCount(), 3);
    const ReportPage& page = doc.pages[2];
    ASSERT_EQ(page.find(QStringLiteral("txtMonthYear"))->text, QStringLiteral("September 2001"));
    const ReportItem* cell = page.find(QStringLiteral("txtday9"));
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(cell->text.endsWith(QChar(0x2026))) << cell->text.toStdString();
    const QString shown = cell->text.chopped(1);
    EXPECT_TRUE(note.startsWith(shown)) << cell->text.toStdString();
    EXPECT_GT(shown.size(), 20);
    // What is left fits inside the frame.
    EXPECT_LE(reportTextHeight(cell->text, cell->font, cell->rect.width() - 60, true), cell->rect.height() - 30 + 0.5);
    EXPECT_EQ(page.find(QStringLiteral("txtday10"))->text, QStringLiteral("10\nJenny"));
    EXPECT_EQ(doc.pages[0].find(QStringLiteral("txtday2"))->text, QStringLiteral("2\nMaria, Jenny"));

    if (!qvtest::canReadPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = QDir(qEnvironmentVariable("QV_REPORT_OUT", db.folder())).filePath("schedule-long-note.pdf");
    ASSERT_TRUE(report.exportPdf(doc, pdf));
    const QString third = qvtest::pdfPageLines(pdf).value(2).join('\n');
    EXPECT_TRUE(third.contains(QChar(0x2026))) << third.toStdString();
    EXPECT_FALSE(third.contains("LASTWORDS"));
    EXPECT_FALSE(third.contains("noon"));
}

// A price of six figures before the point keeps clear of the caption after
// it: the money fields take the room of their largest value.
TEST(ReportLayouts, TicketMoneyFieldsTakeTheRoomOfTheirLargestValue)
{
    qvtest::SalonDb db;
    db.seed();
    db.insert("Servicemenu", {{"CustomerID", "9001"}, {"CustomerName", "Big Spender"}, {"SalonArtist", "Maria"},
                              {"DateAppointment", QDate(2001, 8, 1)}, {"Service", "Wedding party"},
                              {"ServicePrice1", 123456.78}, {"QuantityService1", "1"}, {"ProductsSold", "Gold serum"},
                              {"ProductsPrice", 123456.78}, {"Quantity", "1"}, {"SystemStockNumber", "1001"},
                              {"Price", 123456.78}, {"ProductSales", 123456.78}, {"Totals", 246913.56}});
    ScopedScriptedUi ui;
    ProductsServicesReport report;
    const ReportDocument doc = fillAndClose(report, QStringLiteral("SELECT * FROM ServiceMenu Order by DateAppointment"));
    ASSERT_FALSE(doc.pages.isEmpty());
    int checked = 0;
    for (const ReportPage& page : doc.pages)
        for (const ReportItem& field : page.items) {
            if (field.text != QStringLiteral("$123,456.78") && field.text != QStringLiteral("$246,913.56"))
                continue;
            // The value is narrower than its room, and nothing on its line starts inside that room.
            EXPECT_LE(reportTextWidth(field.text, field.font), field.rect.width()) << field.control.toStdString();
            for (const ReportItem& other : page.items)
                if (&other != &field && other.kind == ReportItem::Text && other.rect.top() == field.rect.top()
                    && other.rect.left() > field.rect.left()) {
                    EXPECT_GT(other.rect.left(), field.rect.right())
                        << field.control.toStdString() << " runs into " << other.text.toStdString();
                }
            ++checked;
        }
    EXPECT_GE(checked, 5);
    // The lines of the block stay in columns: the four service lines and the
    // five product lines each keep their "Quantity:" under one another.
    QSet<int> quantityColumns;
    for (const ReportPage& page : doc.pages)
        for (const ReportItem& it : page.items)
            if (it.text == QStringLiteral("Quantity:") && it.band == ReportBand::Detail)
                quantityColumns << it.rect.left();
    EXPECT_EQ(quantityColumns.size(), 2);
    // A salon's ten years run to tens of thousands of pages: the page number
    // has the room of six digits, with nothing on its line inside that room.
    const ReportPage first = doc.pages.first();
    const QList<ReportItem> header = first.itemsIn(ReportBand::PageHeader);
    const ReportItem* pageNumber = nullptr;
    for (const ReportItem& it : header)
        if (it.text == QStringLiteral("1"))
            pageNumber = &it;
    ASSERT_NE(pageNumber, nullptr);
    EXPECT_LE(reportTextWidth(QStringLiteral("600000"), pageNumber->font), pageNumber->rect.width());
    EXPECT_LE(reportTextWidth(QStringLiteral("600000"), pageNumber->font), first.itemsIn(ReportBand::PageFooter).last().rect.width()); // and the page total
    for (const ReportItem& other : header)
        if (other.rect.top() == pageNumber->rect.top() && other.rect.left() > pageNumber->rect.left())
            EXPECT_GT(other.rect.left(), pageNumber->rect.right()) << other.text.toStdString();
    // Fields of ordinary tickets keep their places: the seeded ticket's caption
    // after its product price stands where the layout drew it.
    EXPECT_EQ(detailTexts(doc, QStringLiteral("txtProductsPrice")).value(1), QStringLiteral("$12.99"));

    if (!qvtest::canReadPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = QDir(qEnvironmentVariable("QV_REPORT_OUT", db.folder())).filePath("ticket-big-price.pdf");
    ASSERT_TRUE(report.exportPdf(doc, pdf));
    const QList<QStringList> pages = qvtest::pdfPageLines(pdf);
    int lines = 0;
    for (const QStringList& page : pages)
        for (const QString& line : page)
            if (line.contains("$123,456.78")) {
                ++lines;
                EXPECT_TRUE(QRegularExpression(QStringLiteral("\\$123,456\\.78(\\s|$)")).match(line).hasMatch())
                    << line.toStdString();
            }
    EXPECT_GE(lines, 3);
}

TEST(ReportLayouts, OneDayViewHandsItsOwnRecordsetAndKeepsItsPosition)
{
    qvtest::SalonDb db;
    db.seed();
    ScopedScriptedUi ui;
    Connection connection;
    connection.open(db.connectionString());
    auto rs = std::make_shared<Recordset>();
    rs->open(QStringLiteral("SELECT DateAppointment,TimeAppointment,CustomerID,CustomerPhone,CustomerName,SalonArtist,"
                            "Service,Service1,Service2,Service3,Totals From ServiceMenu WHERE DateAppointment =#07/02/2001# "
                            "ORDER BY SalonArtist, DateAppointment, TimeAppointment;"),
             connection);
    ASSERT_EQ(rs->recordCount(), 2);
    rs->moveLast();
    int moves = 0;
    QObject::connect(rs.get(), &Recordset::moveComplete, [&] { ++moves; });

    AppointmentsByDateReport report;
    report.setDataSource(rs);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        ReportPreview* p = ReportPreview::current();
        ASSERT_NE(p, nullptr);
        opened = true;
        EXPECT_EQ(p->windowTitle(), QStringLiteral("Appointments By date"));
        EXPECT_EQ(detailTexts(p->document(), QStringLiteral("txtSalonArtist")), (QStringList{"Jenny", "Maria"}));
        EXPECT_EQ(detailTexts(p->document(), QStringLiteral("txtTotals")), (QStringList{"$139.82", "$27.06"}));
        EXPECT_EQ(detailTexts(p->document(), QStringLiteral("txtTimeAppointment")),
                  (QStringList{"10:00:00 AM", "9:00:00 AM"}));
        p->cmdClose->click();
    });
    report.show();
    EXPECT_TRUE(opened);
    EXPECT_EQ(rs->absolutePosition(), 2);
    EXPECT_EQ(moves, 0);
}

// Every layout from real rows, to the preview and to PDF. Set QV_REPORT_OUT
// to a folder to keep the PDF files and the preview images for a look.
TEST(ReportLayouts, EveryLayoutRendersFromRealData)
{
    qvtest::SalonDb db;
    db.seed();
    ScopedScriptedUi ui;
    const QString out = qEnvironmentVariable("QV_REPORT_OUT", db.folder());
    QDir().mkpath(out);

    struct Case {
        std::unique_ptr<Report> report;
        QString query;
        QString name;
        QString expect;   // a text the first page must show
    };
    std::vector<Case> cases;
    cases.push_back({std::make_unique<CommissionsReport>(), "SELECT * FROM Employees1 Order by LastName",
                     "DataReport1", "Lopez"});
    cases.push_back({std::make_unique<ProductsServicesReport>(), "SELECT * FROM ServiceMenu Order by DateAppointment",
                     "DataReport2", "Haircut"});
    cases.push_back({std::make_unique<InventoryReport>(), "SELECT * FROM StockControl Order by Category,Date ",
                     "DataReport3", "Conditioner item"});
    cases.push_back({std::make_unique<BusinessTotalsReport>(), "SELECT * FROM Business", "DataReport4", "$1,550.00"});
    cases.push_back({std::make_unique<BusinessReport>(), "SELECT * FROM Business", "BusinessReport", "Salon Chair"});
    cases.push_back({std::make_unique<SalonScheduleReport>(), "SELECT * FROM Calendar  ", "DataReport5", "July 2001"});
    cases.push_back({std::make_unique<CustomerReport>(),
                     "SELECT [CustomerName], [CustomerID], [ContactName], [ContactTitle], [Address], [City], [Region], "
                     "[PostalCode], [Country], [Phone], [Fax], [Email], [DateAppointment], [CreditTerms], [BirthDay], "
                     "[Comments], [Image], [ClientDetails], [EmployeeID] FROM [Customers]",
                     "DataReport6A", "Ann Lee"});
    cases.push_back({std::make_unique<EmployeeReport>(), "SELECT * FROM [EMPLOYEES]", "DataReport7", "Lopez"});
    cases.push_back({std::make_unique<MemoListReport>(), "SELECT * FROM ServiceMenu Order by DateAppointment",
                     "DataReport8", "First visit"});
    cases.push_back({std::make_unique<AppointmentsByDateReport>(),
                     "SELECT DateAppointment,TimeAppointment,CustomerID,CustomerPhone,CustomerName,SalonArtist,Service,"
                     "Service1,Service2,Service3,Totals From ServiceMenu WHERE DateAppointment =#07/02/2001# ORDER BY "
                     "SalonArtist, DateAppointment, TimeAppointment;",
                     "DataReport9", "Bob Stone"});

    for (Case& c : cases) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            ReportPreview* p = ReportPreview::current();
            ASSERT_NE(p, nullptr) << c.name.toStdString();
            opened = true;
            EXPECT_EQ(p->windowTitle(), c.report->title());
            EXPECT_TRUE(p->document().pages.value(0).texts().contains(c.expect)) << c.name.toStdString();
            p->grab().save(out + QLatin1Char('/') + c.name + QStringLiteral("-preview.png"));
            EXPECT_TRUE(c.report->exportPdf(p->document(), out + QLatin1Char('/') + c.name + QStringLiteral(".pdf")));
            p->cmdClose->click();
        });
        reportFill(*c.report, c.query);
        EXPECT_TRUE(opened) << c.name.toStdString();
        QFile pdf(out + QLatin1Char('/') + c.name + QStringLiteral(".pdf"));
        EXPECT_GT(pdf.size(), 1000) << c.name.toStdString();
    }
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join(" | ").toStdString();
}

TEST(ReportLayouts, AFailingQueryReachesTheCaller)
{
    qvtest::SalonDb db;
    ScopedScriptedUi ui;
    InventoryReport report;
    EXPECT_THROW(reportFill(report, QStringLiteral("SELECT * FROM NoSuchTable")), Error);
    EXPECT_EQ(ReportPreview::current(), nullptr);
}
