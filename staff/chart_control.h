#pragma once
// The chart control of the statistics windows: a data grid of rows (the
// categories, each with a label) and columns (the series, each with a
// label) holding one number per cell, drawn as a bar chart. Rows and columns
// are numbered from 1. Redrawing can be switched off while the grid is
// filled, so that a fill draws the chart once at its end.
#include <QChartView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class ChartControl : public QChartView {
    Q_OBJECT
public:
    explicit ChartControl(QWidget* parent = nullptr);

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

    // The chart as drawn: one bar set per column, one category per row.
    QStringList drawnCategories() const;
    QStringList drawnSeries() const;

private:
    void checkRow(int row) const;
    void checkColumn(int column) const;
    void changed();
    void draw();

    QList<QList<std::optional<double>>> m_cells;   // [row][column]
    QStringList m_rowLabels;
    QStringList m_columnLabels;
    QList<bool> m_markers;
    QString m_categoryTitle, m_valueTitle;
    bool m_repaint = true;
    int m_draws = 0;
};
