#pragma once
// salon_stats_chart5
#include "staff/stats_chart.h"

class SalonStatsChart : public StatsChart {
    Q_OBJECT
public:
    explicit SalonStatsChart(QWidget* parent = nullptr);

private:
    static StatsChartSettings chartSettings();
};
