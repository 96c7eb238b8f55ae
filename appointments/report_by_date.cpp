#include "appointments/report_by_date.h"

#include "platform/forms/controls.h"
#include "platform/forms/flex_grid.h"
#include "reports/products_services_report.h"

QV_REGISTER_WINDOW_AS(ReportByDate, "FRMGETR");

ReportByDate::ReportByDate(QWidget* parent) : OneDayView(parent)
{
    setWindowTitle(QStringLiteral("Report By Date"));
    setTwipsSize(9600, 7200);

    hintLabel = new QLabel(QStringLiteral("To get the Services and Products report by date, Click on Date then Report "
                                          "Button to get Report for that date."),
                           this);
    hintLabel->setObjectName(QStringLiteral("Label1"));
    hintLabel->setWordWrap(true);
    qv::place(hintLabel, 4320, 240, 5100, 900);

    reportButton = new QPushButton(QStringLiteral("Services Products Report"), this);
    reportButton->setObjectName(QStringLiteral("CmdPrint"));
    qv::place(reportButton, 4320, 1500, 3000, 450);

    qv::place(dayCalendar, 120, 120, 4080, 2700);
    qv::place(dayGrid, 120, 3000, 9360, 4050);

    onClick(reportButton, [this] { printCurrentRows(); });
}

QString ReportByDate::dayQuery(const QString& sqlDate) const
{
    return QStringLiteral("SELECT *FROM [Servicemenu]WHERE DateAppointment =#") + sqlDate + QStringLiteral("#")
        + QStringLiteral(" ORDER BY DateAppointment, TimeAppointment") + QStringLiteral(";");
}

std::unique_ptr<qv::Report> ReportByDate::makeReport() const
{
    return std::make_unique<ProductsServicesReport>();
}
