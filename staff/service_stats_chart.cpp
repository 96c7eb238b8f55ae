#include "staff/service_stats_chart.h"

QV_REGISTER_WINDOW_AS(ServiceStatsChart, "frmServicemenu");

StatsChartSettings ServiceStatsChart::chartSettings()
{
    StatsChartSettings s;
    s.caption = QStringLiteral("EMPLOYEE STATS");
    s.chartName = QStringLiteral("MSChart1");
    s.title = QStringLiteral("Employee Service Stats");
    s.titleFont = QFont(QStringLiteral("MS Sans Serif"));
    s.titleFont.setPointSizeF(10);
    s.categoryAxisTitle = QStringLiteral("");
    s.valueAxisTitle = QStringLiteral("");
    s.shapeCommand = QStringLiteral("SHAPE {select SalonArtist,Price from Servicemenu}"
                                   " AS ChildCommand COMPUTE ChildCommand, AVG(ChildCommand.[Price])"
                                   " AS [Price] BY [SalonArtist]");
    s.rowField = QStringLiteral("SalonArtist");
    s.valueField = QStringLiteral("Price");
    s.seriesField = QStringLiteral("");
    s.innerWidth = 6675;
    s.innerHeight = 5190;
    return s;
}

ServiceStatsChart::ServiceStatsChart(QWidget* parent) : StatsChart(chartSettings(), parent) {}
