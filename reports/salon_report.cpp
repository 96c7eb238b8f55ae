#include "reports/salon_report.h"
#include "platform/services/services.h"

void explainReportError(int number, bool& showEngineBox)
{
    if (number == qv::ReportError::PrintingImpossible) {
        qv::ui().msgBox(QStringLiteral("A printing error has occurred. ") + QStringLiteral("You may not have a Printer installed."),
                        qv::MsgStyle::OkOnly);
        showEngineBox = false;
    } else {
        showEngineBox = true;
    }
}

void askToCancelLongReport(int seconds, bool& cancel)
{
    switch (seconds) {
    case 30:
    case 45:
        if (qv::ui().msgBox(QStringLiteral("This has taken ") + QString::number(seconds) + QStringLiteral("seconds. Cancel?"),
                            qv::MsgStyle::RetryCancel) == qv::MsgResult::Cancel)
            cancel = true;
        break;
    case 60:
        cancel = true;
        break;
    default:
        break;
    }
}

SalonReport::SalonReport(const QString& title)
{
    layout().title = title;
    onError = &explainReportError;
    onProcessingTimeout = &askToCancelLongReport;
}

qv::ReportFont SalonReport::headingFont(double size)
{
    qv::ReportFont f;
    f.size = size;
    f.bold = true;
    return f;
}

qv::ReportFont SalonReport::boldFont()
{
    qv::ReportFont f;
    f.bold = true;
    return f;
}
