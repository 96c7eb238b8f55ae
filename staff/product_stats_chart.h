#pragma once
// The average product sale of each artist, as bars.
#include "staff/stats_chart.h"

class ProductStatsChart : public StatsChart {
    Q_OBJECT
public:
    explicit ProductStatsChart(QWidget* parent = nullptr);

private:
    // The caption, the chart's texts, its grouping command and its size.
    static StatsChartSettings chartSettings();
};
