#pragma once
// product_stats_chart5
#include "staff/stats_chart.h"

class chart2 : public StatsChart {
    Q_OBJECT
public:
    explicit chart2(QWidget* parent = nullptr);
    static StatsChartSettings chartSettings();
};
