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

class RetailProducts : public StockWindow {
    Q_OBJECT
public:
    explicit RetailProducts(QWidget* parent = nullptr);
    ~RetailProducts() override;

    // The boxes of this window alone (the others: StockWindow::ItemDetailBox, StockPosting::Box).
    enum Box : int {
        TaxPercentBox = 11,  // taxpercent1
        DateBox = 19,        // Date, never shown
    };

    // Slot buttons, slot 1 to 5: "1#", "#2", "#3", "#4", "#5".
    QPushButton* slotButton(int slot) const;
    // Manager-mode buttons that empty ticket slot 1 to 5.
    QPushButton* slotClearButton(int slot) const;

protected:
    QString recordSource() const override;

private:
    // The ticket: sends the current product into ticket slot 1 to 5.
    void postToSlot(int slot);
    // Finds and the entry's subtotal.
    void findByCategory();
    void findByStockNumber();
    void subtotalEntry();
    // Manager mode.
    void askManagerPassword();
    void leaveManagerMode();
    void clearSlot(int slot);   // empties ticket slot 1 to 5; the stock figures stay
    // A sale booked for a ticket that was then dropped goes back to stock:
    // `count` units come off the Sold of the row the sale was booked on
    // (named by its bookmark), whatever this window is doing, or whether it
    // is open at all.
    static void giveBackTicketSale(double row, double count);

    void buildLayout();
    void connectHandlers();
    void findProduct(const QString& field, const QString& prompt, const QString& notFound);

    // Controls; the manager's password dialog and tests find them by their objectName.
    QLabel *windowHeading = nullptr, *instructions = nullptr;
    QGroupBox* instructionsFrame = nullptr;
    qv::PictureBox* quickTipsPicture = nullptr;
    QPushButton *subtotalButton = nullptr, *unlockButton = nullptr, *findByCategoryButton = nullptr,
                *findByStockNumberButton = nullptr, *lockButton = nullptr;
};
