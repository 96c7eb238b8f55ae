#pragma once
// service_stats_chart5
#include "staff/stats_chart.h"

class frmServicemenu : public StatsChart {
    Q_OBJECT
public:
    explicit frmServicemenu(QWidget* parent = nullptr);
    static StatsChartSettings chartSettings();
};
