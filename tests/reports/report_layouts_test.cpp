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
#include "support/salon_db.h"
#include <QDir>
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
    DataReport2 report;
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
    DataReport2 report;
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
    DataReport3 report;
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
        DataReport1 report;
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
        const ReportItem* sum = doc.pages.last().find(QStringLiteral("sumTotalsPaid"));
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
        DataReport4 report;
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
    DataReport5 report;
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

    DataReport9 report;
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
    cases.push_back({std::make_unique<DataReport1>(), "SELECT * FROM Employees1 Order by LastName", "DataReport1", "Lopez"});
    cases.push_back({std::make_unique<DataReport2>(), "SELECT * FROM ServiceMenu Order by DateAppointment", "DataReport2", "Haircut"});
    cases.push_back({std::make_unique<DataReport3>(), "SELECT * FROM StockControl Order by Category,Date ", "DataReport3", "Conditioner item"});
    cases.push_back({std::make_unique<DataReport4>(), "SELECT * FROM Business", "DataReport4", "$1,550.00"});
    cases.push_back({std::make_unique<BusinessReport>(), "SELECT * FROM Business", "BusinessReport", "Salon Chair"});
    cases.push_back({std::make_unique<DataReport5>(), "SELECT * FROM Calendar  ", "DataReport5", "July 2001"});
    cases.push_back({std::make_unique<DataReport6A>(),
                     "SELECT [CustomerName], [CustomerID], [ContactName], [ContactTitle], [Address], [City], [Region], "
                     "[PostalCode], [Country], [Phone], [Fax], [Email], [DateAppointment], [CreditTerms], [BirthDay], "
                     "[Comments], [Image], [ClientDetails], [EmployeeID] FROM [Customers]",
                     "DataReport6A", "Ann Lee"});
    cases.push_back({std::make_unique<DataReport7>(), "SELECT * FROM [EMPLOYEES]", "DataReport7", "Lopez"});
    cases.push_back({std::make_unique<DataReport8>(), "SELECT * FROM ServiceMenu Order by DateAppointment", "DataReport8", "First visit"});
    cases.push_back({std::make_unique<DataReport9>(),
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
    DataReport3 report;
    EXPECT_THROW(reportFill(report, QStringLiteral("SELECT * FROM NoSuchTable")), Error);
    EXPECT_EQ(ReportPreview::current(), nullptr);
}
