#pragma once
// The front desk's retail product window: the retail rows of StockControl
// (Price above 0), one product at a time, with a grid of all of them. A
// product goes onto one of the five product slots of the appointment book's
// current ticket with the quantity typed, and its stock figures are booked at
// once. After the management password (frmLogin2) a manager may empty ticket
// slots and enter returned and lost amounts.
#include "retail/stock_window.h"
#include <QLabel>
#include <QPushButton>

class QGroupBox;
namespace qv {
class PictureBox;
}

class FormProductsA : public StockWindow {
    Q_OBJECT
public:
    explicit FormProductsA(QWidget* parent = nullptr);
    ~FormProductsA() override;

    // Slot buttons, slot 1 to 5: "1#", "#2", "#3", "#4", "#5".
    QPushButton* slotButton(int slot) const;
    // Manager-mode buttons that empty ticket slot 1 to 5.
    QPushButton* slotClearButton(int slot) const;

    void cmdRefresh_Click() override;   // counts the entry, saves, reloads

    // Sends the current product into ticket slot 1 to 5.
    void PostToSlot(int slot);
    void Command16_Click() { PostToSlot(1); }
    void Command17_Click() { PostToSlot(2); }
    void Command18_Click() { PostToSlot(3); }
    void Command15_Click() { PostToSlot(4); }
    void Command14_Click() { PostToSlot(5); }
    // Manager mode: empties ticket slot 1 to 5 (stock figures stay).
    void ClearSlot(int slot);

    void Command7_Click();    // find by category
    void Command8_Click();    // find by stock number
    void Command3_Click();    // entry subtotal "="
    void Command4_Click();    // open padlock: the password dialog
    void Command9_Click();    // closed padlock: leave manager mode

    QLabel *Label1 = nullptr, *Label9 = nullptr;
    QGroupBox* Frame1 = nullptr;
    qv::PictureBox* Image3 = nullptr;
    QPushButton *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr, *Command5 = nullptr,
                *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr, *Command9 = nullptr,
                *Command12 = nullptr, *Command13 = nullptr, *Command14 = nullptr, *Command15 = nullptr,
                *Command16 = nullptr, *Command17 = nullptr, *Command18 = nullptr;

protected:
    QString recordSource() const override;

private:
    void buildLayout();
    void connectHandlers();
    void findProduct(const QString& field, const QString& prompt, const QString& notFound);
};
