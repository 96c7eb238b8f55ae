#pragma once
// salon_stats_chart5
#include "staff/stats_chart.h"

class SalonStats : public StatsChart {
    Q_OBJECT
public:
    explicit SalonStats(QWidget* parent = nullptr);
    static StatsChartSettings chartSettings();
};
