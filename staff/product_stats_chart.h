#pragma once
// product_stats_chart5
#include "staff/stats_chart.h"

class ProductStatsChart : public StatsChart {
    Q_OBJECT
public:
    explicit ProductStatsChart(QWidget* parent = nullptr);

private:
    static StatsChartSettings chartSettings();
};
