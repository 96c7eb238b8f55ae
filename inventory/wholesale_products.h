#pragma once
// The non-retail stock window: the StockControl rows with no selling price
// (Price 0), the items the salon uses up while serving clients. The user
// scrolls to the item used, types the quantity and posts it with Edit and
// Update, which takes it off the stock and recomputes the item's figures.
// After the management password (frmLogin3) a manager may also enter items
// returned to stock and items lost or damaged.
#include "retail/stock_window.h"
#include <QLabel>
#include <QPushButton>

class Form10 : public StockWindow {
    Q_OBJECT
public:
    explicit Form10(QWidget* parent = nullptr);
    ~Form10() override;

    void cmdRefresh_Click() override;   // recomputes, saves, reloads

    void Command6_Click();    // open padlock: the password dialog
    void Command9_Click();    // closed padlock: lock the corrections again

    QLabel *Label1 = nullptr, *Label3 = nullptr;
    QPushButton *Command6 = nullptr, *Command9 = nullptr;

protected:
    QString recordSource() const override;
    void formGotFocus() override;

private:
    void buildLayout();
    void connectHandlers();
};
