#pragma once
// What the salon's ten report layouts share: the two event handlers every one
// of them carries, the money format, and the page design (Arial, a bold
// heading, one line per captioned field).
#include "platform/report/band_writer.h"
#include "platform/report/report.h"
#include <QString>

// "$"#,##0.00: money in the reports.
inline const QString kReportMoney = QStringLiteral("\"$\"#,##0.00");
inline const QString kReportDate = QStringLiteral("M/d/yyyy");

// The engine reports an error: printing impossible (8555) gets the salon's
// own message instead of the engine's box; any other error keeps the engine's.
void explainReportError(int number, bool& showEngineBox);
// A long job: asked at 30 and 45 seconds whether to cancel, cancelled
// without asking at 60.
void askToCancelLongReport(int seconds, bool& cancel);

class SalonReport : public qv::Report {
public:
    explicit SalonReport(const QString& title);

protected:
    qv::ReportSection& band(qv::ReportBand b) { return layout().section(b); }
    // A heading in bold, larger type.
    static qv::ReportFont headingFont(double size = 14);
    static qv::ReportFont boldFont();
};
