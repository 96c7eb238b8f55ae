#pragma once
// A read-only grid of texts, filled cell by cell by the program (not bound to
// a recordset): a number of rows and columns, the first rows fixed as
// headings, column widths in twips, and a current row.
#include <QTableWidget>

namespace qv {

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int rows() const { return rowCount(); }
    int cols() const { return columnCount(); }
    // Shrinking drops the cells beyond; growing adds empty ones.
    void setRows(int rows);
    void setCols(int cols);
    // Rows at the top painted as headings (1 by default).
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int rows);

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // The current row (selected); -1 when none.
    int row() const { return currentRow(); }
    void setRow(int row);

    int colWidth(int col) const;            // twips
    void setColWidth(int col, int twips);

private:
    void styleRow(int row);
    int m_fixedRows = 1;
};

} // namespace qv
