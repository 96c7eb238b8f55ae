#pragma once
// The chart control of the statistics windows: a data grid of rows (the
// categories, each with a label) and columns (the series, each with a
// label) holding one number per cell, drawn as bars or as lines. Rows and
// columns are numbered from 1. Redrawing can be switched off while the grid
// is filled, so that a fill draws the chart once at its end.
#include <QChartView>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>

class QCategoryAxis;

class ChartControl : public QChartView {
    Q_OBJECT
public:
    explicit ChartControl(QWidget* parent = nullptr);

    // Bars: one group of bars per row, one bar per column. Lines: one line
    // per column across the rows, for grids with many rows and columns, whose
    // bars would be too thin to see.
    enum class Style { Bars, Lines };
    void setStyle(Style style);
    Style style() const { return m_style; }

    // The data grid.
    int rowCount() const { return int(m_cells.size()); }
    int columnCount() const { return int(m_columnLabels.size()); }
    // Empties the grid: no rows, no columns.
    void clearGrid();
    // Inserts count empty rows (columns) before row (column) `at`, 1-based;
    // at may be one past the last. New cells hold no value.
    void insertRows(int at, int count);
    void insertColumns(int at, int count);
    void setRowLabel(int row, const QString& label);
    void setColumnLabel(int column, const QString& label);
    QString rowLabel(int row) const;
    QString columnLabel(int column) const;
    void setData(int row, int column, double value);
    // The cell's value; nothing when it was never set.
    std::optional<double> data(int row, int column) const;

    // While off, changes to the grid are kept but not drawn; switching it on
    // draws the grid as it then stands.
    void setRepaint(bool on);
    bool repaint() const { return m_repaint; }
    // How many times the chart was drawn from its grid.
    int drawCount() const { return m_draws; }

    // Point markers: each series shows its values at its bars, or not.
    int seriesCount() const { return columnCount(); }
    void setSeriesMarkerShown(int series, bool show);
    bool seriesMarkerShown(int series) const;

    void setTitle(const QString& title, const QFont& font);
    void setAxisTitles(const QString& categoryTitle, const QString& valueTitle);
    QString categoryAxisTitle() const { return m_categoryTitle; }
    QString valueAxisTitle() const { return m_valueTitle; }

    // The chart as drawn: one bar set or line per column, one place on the
    // category axis per row (row r at r - 1).
    QStringList drawnCategories() const;
    QStringList drawnSeries() const;
    // The labels the category axis shows, by their place on it; where the
    // rows are too narrow for their labels the labels stand on end. Every
    // bar keeps its name, in smaller type where the bars are too narrow for
    // turned names; under lines every so many rows may be left unlabelled,
    // so that those shown stay whole.
    QMap<double, QString> drawnLabels() const;
    // The values drawn for a column (1-based) as (place, value): a bar for
    // every row, a line point for every cell that holds a value.
    QList<QPointF> drawnPoints(int column) const;

private:
    void checkRow(int row) const;
    void checkColumn(int column) const;
    void changed();
    void draw();
    void drawBars(double& low, double& high);
    void drawLines(double& low, double& high);
    void addRowAxis();
    void labelRows();

    QList<QList<std::optional<double>>> m_cells;   // [row][column]
    QStringList m_rowLabels;
    QStringList m_columnLabels;
    QList<bool> m_markers;
    QString m_categoryTitle, m_valueTitle;
    bool m_repaint = true;
    bool m_undrawn = false;   // changed while redrawing was off
    int m_draws = 0;
    Style m_style = Style::Bars;
    QCategoryAxis* m_rowAxis = nullptr;   // the category axis, under bars or lines
    int m_labelStep = 0;                  // every how many rows the category axis is labelled
    double m_labelPoints = 0;             // the category axis's type, before names are made smaller to fit
    // Below this the names under the bars would not be read.
    static constexpr double kSmallestLabelPoints = 5.5;
};
