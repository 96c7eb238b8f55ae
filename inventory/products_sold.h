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

class ProductsSold : public qv::Window {
    Q_OBJECT
public:
    explicit ProductsSold(QWidget* parent = nullptr);
    ~ProductsSold() override;

    // The two ends of the date range (txtfields_0 and txtfields_1).
    enum DateBox : int {
        FirstDateBox = 0,
        LastDateBox = 1,
    };

    // What the window says when the range is missing or cannot be read.
    static const QString kBothEmpty;
    static const QString kUnreadableDates;

protected:
    void formLoad() override;
    void formUnload(bool& cancel) override;

private:
    // Button handlers.
    void getProducts();
    void closeWindow();
    void clearDates();
    void listAllTickets();

    std::unique_ptr<qv::Connection> openConnection() const;
    void show(std::unique_ptr<qv::Connection> connection, std::shared_ptr<qv::Recordset> rows);
    static const QList<qv::GridColumn>& gridColumns();

    // The date-range query, its two "?" marks the first and last date.
    static const QString kRangeQuery;
    static const QString kAllTicketsQuery;

    // Controls; tests find them by their objectName.
    QList<qv::TextBox*> dateBoxes;   // by DateBox
    QLabel* dateRangeLabel = nullptr;
    QLabel* dateFormatHint = nullptr;
    QLabel* instructionsLabel = nullptr;
    QLabel* gridCaption = nullptr;
    QPushButton* getProductsButton = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* allTicketsButton = nullptr;   // captioned "Refresh"
    qv::DataGrid* productsGrid = nullptr;

    // The grid keeps its rows, and with them their connection, until the
    // next query replaces them or the window closes.
    std::unique_ptr<qv::Connection> m_connection;
    std::shared_ptr<qv::Recordset> m_rows;
};
