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
    // The boxes of this window alone (the others: StockWindow::ItemDetailBox, StockPosting::Box).
    enum Box : int {
        TaxPercentBox = 11,  // taxpercent1
        DateBox = 19,        // Date, never shown
    };

    explicit RetailProducts(QWidget* parent = nullptr);
    ~RetailProducts() override;
    // Slot buttons, slot 1 to 5: "1#", "#2", "#3", "#4", "#5".
    QPushButton* slotButton(int slot) const;
    // Manager-mode buttons that empty ticket slot 1 to 5.
    QPushButton* slotClearButton(int slot) const;





protected:
    QString recordSource() const override;

private:
    void buildLayout();
    void connectHandlers();
    void findProduct(const QString& field, const QString& prompt, const QString& notFound);

private:
    // Controls; other code finds them by their objectName.
    QLabel *windowHeading = nullptr, *instructions = nullptr;
    QGroupBox* instructionsFrame = nullptr;
    qv::PictureBox* quickTipsPicture = nullptr;
    QPushButton *clearSlot3Button = nullptr, *subtotalButton = nullptr, *unlockButton = nullptr,
                *clearSlot2Button = nullptr, *clearSlot1Button = nullptr, *findByCategoryButton = nullptr,
                *findByStockNumberButton = nullptr, *lockButton = nullptr, *clearSlot4Button = nullptr,
                *clearSlot5Button = nullptr, *slot5Button = nullptr, *slot4Button = nullptr, *slot1Button = nullptr,
                *slot2Button = nullptr, *slot3Button = nullptr;

private:
    void refreshRecords() override;   // counts the entry, saves, reloads

    // Sends the current product into ticket slot 1 to 5.
    void postToSlot(int slot);
    void postToSlot1() { postToSlot(1); }
    void postToSlot2() { postToSlot(2); }
    void postToSlot3() { postToSlot(3); }
    void postToSlot4() { postToSlot(4); }
    void postToSlot5() { postToSlot(5); }
    // Manager mode: empties ticket slot 1 to 5 (stock figures stay).
    void clearSlot(int slot);
    void findByCategory();
    void findByStockNumber();
    void subtotalEntry();
    void askManagerPassword();
    void leaveManagerMode();
};
