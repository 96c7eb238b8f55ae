// The two handlers every salon report carries: the printing-error message and
// the questions of a long job.
#include "platform/services/services.h"
#include "reports/products_services_report.h"
#include "reports/salon_report.h"
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qv;

namespace {

ReportData tickets(int count)
{
    ReportData data;
    ProductsServicesReport probe;
    // Every column the layout names, all empty: enough to lay it out.
    for (const ReportSection& s : probe.layout().sections)
        for (const ReportControl& c : s.controls)
            if (!c.dataField.isEmpty() && !data.fields.contains(c.dataField, Qt::CaseInsensitive))
                data.fields << c.dataField;
    for (int i = 0; i < count; ++i)
        data.rows.append(QVector<QVariant>(data.fields.size()));
    return data;
}

const QString kQuestion30 = QStringLiteral("This has taken 30seconds. Cancel?");
const QString kQuestion45 = QStringLiteral("This has taken 45seconds. Cancel?");

} // namespace

TEST(ReportHandlers, AskAtThirtyAndFortyFiveAndStopSilentlyAtSixty)
{
    ScopedScriptedUi ui;
    ui.script.msgAnswers = {MsgResult::Retry, MsgResult::Cancel};
    QList<int> cancelledAt;
    for (int s = 0; s <= 90; ++s) {
        bool cancel = false;
        askToCancelLongReport(s, cancel);
        if (cancel)
            cancelledAt << s;
    }
    EXPECT_EQ(ui.script.messages(), (QStringList{kQuestion30, kQuestion45}));
    for (const UiEvent& e : ui.script.events) {
        EXPECT_EQ(e.style, MsgStyle::RetryCancel);
        EXPECT_TRUE(e.title.isEmpty());
    }
    EXPECT_EQ(cancelledAt, (QList<int>{45, 60}));
}

TEST(ReportHandlers, FiftySecondJobAsksTwiceAndFinishesOnRetry)
{
    ScopedScriptedUi ui;   // nothing queued: Retry both times
    ProductsServicesReport report;
    report.setData(tickets(6));
    double now = 0;   // 8 seconds pass per row: 56 seconds in all
    report.setElapsedSource([&] { double t = now; now += 8; return t; });
    const ReportDocument doc = report.run();
    EXPECT_FALSE(doc.cancelled);
    EXPECT_GT(doc.pageCount(), 0);
    EXPECT_EQ(ui.script.messages(), (QStringList{kQuestion30, kQuestion45}));
}

TEST(ReportHandlers, CancelAtThirtyEndsTheJob)
{
    ScopedScriptedUi ui;
    ui.script.msgAnswers = {MsgResult::Cancel};
    ProductsServicesReport report;
    report.setData(tickets(20));
    double now = 0;
    report.setElapsedSource([&] { double t = now; now += 7; return t; });
    EXPECT_TRUE(report.run().cancelled);
    EXPECT_EQ(ui.script.messages(), QStringList{kQuestion30});
}

TEST(ReportHandlers, SixtySecondsCancelWithoutAQuestionAndShowNothing)
{
    ScopedScriptedUi ui;
    ProductsServicesReport report;
    report.setData(tickets(140));
    const ReportDocument doc = report.run();
    double now = 0, step = 10;
    report.setElapsedSource([&] { return now += step; });
    report.show();   // a cancelled job opens no preview (nothing to close here)
    EXPECT_EQ(ui.script.messages(), (QStringList{kQuestion30, kQuestion45}));
    // A print-out's seconds are its own, not the questions' five minutes; stopped, it tells the page and leaves no file.
    step = 1;
    ui.script.afterAnswer = [&] { now += 300; };
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFileName(dir.filePath(QStringLiteral("tickets.pdf")));
    EXPECT_FALSE(report.print(doc, printer));
    EXPECT_EQ(ui.script.messages().mid(2), (QStringList{kQuestion30, kQuestion45, QStringLiteral("The print-out was stopped after page 59 of %1. The unfinished file \"%2\" was removed.").arg(doc.pageCount()).arg(printer.outputFileName())}));
    EXPECT_FALSE(QFile::exists(printer.outputFileName()));
}

TEST(ReportHandlers, PrintingErrorShowsTheSalonsMessageInsteadOfTheEngines)
{
    ScopedScriptedUi ui;
    bool showEngineBox = true;
    explainReportError(ReportError::PrintingImpossible, showEngineBox);
    EXPECT_FALSE(showEngineBox);
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, QStringLiteral("A printing error has occurred. You may not have a Printer installed."));
    EXPECT_EQ(ui.script.events[0].style, MsgStyle::OkOnly);
    EXPECT_TRUE(ui.script.events[0].title.isEmpty());

    // Any other error is left to the engine.
    ui.script.clear();
    showEngineBox = true;
    explainReportError(ReportError::DataFieldNotFound, showEngineBox);
    EXPECT_TRUE(showEngineBox);
    EXPECT_TRUE(ui.script.events.empty());

    // Through a real print to a printer that cannot print: one message, the salon's.
    ui.script.clear();
    ProductsServicesReport report;
    report.setData(tickets(2));
    const ReportDocument doc = report.run();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/report.pdf"));
    EXPECT_FALSE(report.print(doc, printer));
    EXPECT_EQ(ui.script.messages(), QStringList{QStringLiteral("A printing error has occurred. You may not have a Printer installed.")});
}
