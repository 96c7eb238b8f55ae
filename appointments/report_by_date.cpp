#include "appointments/report_by_date.h"

#include "platform/forms/controls.h"
#include "platform/forms/flex_grid.h"
#include "reports/products_services_report.h"

QV_REGISTER_WINDOW(FRMGETR);

FRMGETR::FRMGETR(QWidget* parent) : OneDayView(parent)
{
    setWindowTitle(QStringLiteral("Report By Date"));
    setTwipsSize(9600, 7200);

    Label1 = new QLabel(QStringLiteral("To get the Services and Products report by date, Click on Date then Report "
                                       "Button to get Report for that date."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    qv::place(Label1, 4320, 240, 5100, 900);

    CmdPrint = new QPushButton(QStringLiteral("Services Products Report"), this);
    CmdPrint->setObjectName(QStringLiteral("CmdPrint"));
    qv::place(CmdPrint, 4320, 1500, 3000, 450);

    qv::place(MonthView2, 120, 120, 4080, 2700);
    qv::place(MSHflexgrid1, 120, 3000, 9360, 4050);

    onClick(CmdPrint, [this] { Cmdprint_Click(); });
}

QString FRMGETR::dayQuery(const QString& sqlDate) const
{
    return QStringLiteral("SELECT *FROM [Servicemenu]WHERE DateAppointment =#") + sqlDate + QStringLiteral("#")
        + QStringLiteral(" ORDER BY DateAppointment, TimeAppointment") + QStringLiteral(";");
}

std::unique_ptr<qv::Report> FRMGETR::makeReport() const
{
    return std::make_unique<DataReport2>();
}
