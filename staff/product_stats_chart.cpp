#include "staff/product_stats_chart.h"

QV_REGISTER_WINDOW_AS(ProductStatsChart, "chart2");

StatsChartSettings ProductStatsChart::chartSettings()
{
    StatsChartSettings s;
    s.caption = QStringLiteral("Employee Products Statistics");
    s.chartName = QStringLiteral("chtReport");
    s.title = QStringLiteral("Employee Products Statistics");
    s.titleFont = QFont(QStringLiteral("Tahoma"));
    s.titleFont.setPointSizeF(8.25);
    s.categoryAxisTitle = QStringLiteral("");
    s.valueAxisTitle = QStringLiteral("");
    s.shapeCommand = QStringLiteral("SHAPE {select SalonArtist,ProductSales from Servicemenu}"
                                   " AS ChildCommand COMPUTE ChildCommand, AVG(ChildCommand.[ProductSales])"
                                   " AS [ProductSales] BY [SalonArtist]");
    s.rowField = QStringLiteral("SalonArtist");
    s.valueField = QStringLiteral("ProductSales");
    s.seriesField = QStringLiteral("");
    s.innerWidth = 6675;
    s.innerHeight = 5190;
    return s;
}

ProductStatsChart::ProductStatsChart(QWidget* parent) : StatsChart(chartSettings(), parent) {}
