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

class NonRetailProducts : public StockWindow {
    Q_OBJECT
public:
    explicit NonRetailProducts(QWidget* parent = nullptr);
    ~NonRetailProducts() override;

    // The item's description boxes (txtfields), each named for the field it
    // shows, with the index of its caption; StockPosting::Box names the
    // figures.
    enum DescriptionBox : int {
        CommentBox = 0,              // Comment
        ItemBox = 3,                 // Item
        LocationBox = 4,             // Location
        MemoBox = 6,                 // Memo
        SubstituteBox = 12,          // Substitute
        VendorStockNumberBox = 13,   // SuppliersStockNumber
        StockNumberBox = 14,         // SystemStockNumber
        CategoryBox = 17,            // Category
        EntryDateBox = 19,           // Date
        UnitSizeBox = 22,            // UnitSize
    };

    // A caption that belongs to no box (lblLabels).
    enum Caption : int {
        ManagerEditCaption = 21,   // "MGR EDIT", above the padlocks
    };

protected:
    QString recordSource() const override;
    // Whenever the window gets the focus, the quantity box takes it, emptied.
    void formGotFocus() override;
    // The window opens with the focus in the quantity box, ready for the quantity used.
    void showEvent(QShowEvent* e) override;

private:
    // The manager's padlocks.
    void askManagerPassword();
    void lockCorrections();

    void buildLayout();
    void connectHandlers();

    // Controls; the manager's password dialog and tests find them by their objectName.
    QLabel *headingLabel = nullptr, *instructionsLabel = nullptr;
    QPushButton *unlockButton = nullptr, *lockButton = nullptr;
};
