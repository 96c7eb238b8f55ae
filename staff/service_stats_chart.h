#pragma once
// service_stats_chart5
#include "staff/stats_chart.h"

class ServiceStatsChart : public StatsChart {
    Q_OBJECT
public:
    explicit ServiceStatsChart(QWidget* parent = nullptr);

private:
    static StatsChartSettings chartSettings();
};
