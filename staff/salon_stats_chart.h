#pragma once
// The average service price of each appointment date, one line per
// product sales total.
#include "staff/stats_chart.h"

class SalonStatsChart : public StatsChart {
    Q_OBJECT
public:
    explicit SalonStatsChart(QWidget* parent = nullptr);

private:
    // The caption, the chart's texts, its grouping command and its size.
    static StatsChartSettings chartSettings();
};
