#pragma once
// The statistics windows: each reads the ticket table once while it loads,
// through a grouping command that returns one row per group with the
// group's average, and charts the result: one chart row per distinct text of
// the row field, and one chart column per distinct text of the series field
// (a single column when the window has no series field). The windows differ
// only in their settings.
#include "platform/forms/window.h"
#include <QFont>
#include <QString>

class ChartControl;
class QPushButton;

namespace qv {
class Error;
class Recordset;
}

struct StatsChartSettings {
    QString caption;
    QString chartName;        // the chart control's name
    QString title;
    QFont titleFont;
    QString categoryAxisTitle;
    QString valueAxisTitle;
    QString shapeCommand;
    QString rowField;
    QString valueField;
    QString seriesField;      // empty: one column
    bool lines = false;       // a line per series rather than bars
    int innerWidth = 0;       // twips
    int innerHeight = 0;
};

class StatsChart : public qv::Window {
    Q_OBJECT
public:
    ~StatsChart() override;

    // The highest row or column number the chart takes.
    static constexpr int kMaxIndex = 32767;
    // Fills the chart from the open recordset. A failure on the way shows
    // its text and leaves what was filled until then.
    void drawChart(qv::Recordset& rs, const QString& rowField, const QString& valueField, const QString& seriesField);

protected:
    // Each chart window passes its own settings.
    explicit StatsChart(const StatsChartSettings& settings, QWidget* parent = nullptr);
    void formLoad() override;
    void formResize() override;

private:
    void showPlaceholder();
    void showSeriesMarkers(bool show);
    static void showError(const qv::Error& error);

    // Controls; tests find them by their objectName.
    ChartControl* chart = nullptr;
    QPushButton* closeButton = nullptr;

    StatsChartSettings m_settings;
};
