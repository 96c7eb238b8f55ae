#include "staff/salon_stats_chart.h"

QV_REGISTER_WINDOW_AS(SalonStatsChart, "SalonStats");

StatsChartSettings SalonStatsChart::chartSettings()
{
    StatsChartSettings s;
    s.caption = QStringLiteral("Salon Statistics");
    s.chartName = QStringLiteral("chtReport");
    s.title = QStringLiteral("Salon Statistics Products and Services sold");
    s.titleFont = QFont(QStringLiteral("Tahoma"));
    s.titleFont.setPointSizeF(10);
    s.categoryAxisTitle = QStringLiteral("Dates");
    s.valueAxisTitle = QStringLiteral("Totals");
    s.shapeCommand = QStringLiteral("SHAPE {select ProductSales,Price,DateAppointment from Servicemenu}"
                                   " AS ChildCommand COMPUTE ChildCommand, AVG(ChildCommand.[Price])"
                                   " AS [Price] BY [DateAppointment], [ProductSales]");
    s.rowField = QStringLiteral("DateAppointment");
    s.valueField = QStringLiteral("Price");
    s.seriesField = QStringLiteral("ProductSales");
    // A month of dates, each with a bar for every product total, leaves bars
    // thinner than a pixel: one line per product total stays readable.
    s.lines = true;
    s.innerWidth = 8580;
    s.innerHeight = 6870;
    return s;
}

SalonStatsChart::SalonStatsChart(QWidget* parent) : StatsChart(chartSettings(), parent) {}
