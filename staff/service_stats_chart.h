#pragma once
// The average service price of each artist, as bars.
#include "staff/stats_chart.h"

class ServiceStatsChart : public StatsChart {
    Q_OBJECT
public:
    explicit ServiceStatsChart(QWidget* parent = nullptr);

private:
    // The caption, the chart's texts, its grouping command and its size.
    static StatsChartSettings chartSettings();
};
