#pragma once
// Products sold by date and client: for a typed range of appointment dates,
// one grid row per ticket with its client, the five product slots (name,
// stock number, quantity) and the ticket's product sales; a second button
// lists every ticket. The window only reads.
#include "platform/forms/window.h"
#include <QList>
#include <memory>

class QLabel;
class QPushButton;

namespace qv {
class Connection;
class DataGrid;
class Recordset;
class TextBox;
struct GridColumn;
}

class Form1 : public qv::Window {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    QList<qv::TextBox*> txtfields;   // 0: first date, 1: last date
    QLabel* Label10 = nullptr;
    QLabel* Label26 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* DataGrid1Caption = nullptr;
    QPushButton* Command1 = nullptr;   // Get Products
    QPushButton* Command2 = nullptr;   // Close
    QPushButton* Command3 = nullptr;   // Clear
    QPushButton* Command4 = nullptr;   // Refresh
    qv::DataGrid* DataGrid1 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // The date-range query, its two "?" marks the first and last date.
    static const QString kRangeQuery;
    static const QString kAllTicketsQuery;
    static const QString kBothEmpty;
    static const QString kUnreadableDates;
    static const QList<qv::GridColumn>& gridColumns();

protected:
    void formLoad() override;
    void formUnload(bool& cancel) override;

private:
    std::unique_ptr<qv::Connection> openConnection() const;
    void show(std::unique_ptr<qv::Connection> connection, std::shared_ptr<qv::Recordset> rows);

    // The grid keeps its rows, and with them their connection, until the
    // next query replaces them or the window closes.
    std::unique_ptr<qv::Connection> m_connection;
    std::shared_ptr<qv::Recordset> m_rows;
};
