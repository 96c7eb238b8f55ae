#pragma once
// The inventory master: every StockControl row, retail and non-retail, one
// at a time, and the only window that adds and deletes stock rows. Beside the
// boxes a grid lists the rows of the current row's category (or, after
// "View All", every row). Finds by category and by system stock number, a
// vendor list from the Suppliers table that writes the chosen vendor into the
// row, and buttons to the vendor address book and the products-sold window.
#include "common/record_form.h"
#include <QLabel>
#include <QPushButton>

namespace qv {
class DataCombo;
class DataGrid;
class ManyLineBox;
class PictureBox;
}

class InventoryMaster : public RecordForm {
    Q_OBJECT
public:
    explicit InventoryMaster(QWidget* parent = nullptr);

    // The stock row's boxes (txtfields), each named for the field it shows;
    // the number is the box's index ("txtfields_21"), and that of its caption.
    enum StockBox : int {
        CategoryBox = 0,              // Category
        CommentBox = 1,               // Comment
        CostBox = 2,                  // CostValueOfStock
        InStockBox = 3,               // CurrentlyInStock
        DateBox = 4,                  // Date
        EmployeeIdBox = 5,            // EmployeeID
        GrossSalesBox = 6,            // GrossSales
        ItemBox = 7,                  // item
        LocationBox = 8,              // Location
        LostTotalBox = 9,             // LostDamagedTotals
        LostBox = 10,                 // LostOrDamaged
        MemoBox = 11,                 // Memo
        NetProfitBox = 12,            // NetProfitFromSales
        PriceBox = 13,                // Price
        QuantitySoldBox = 14,         // QuantitySold
        StockValueBox = 15,           // QuantityStatus
        QuantityThisEntryBox = 16,    // QuantityThisEntry
        RetailBox = 17,               // Retail
        ReturnedBox = 18,             // ReturnedToStock
        ReturnedTotalBox = 19,        // ReturnToStockTotals
        SoldBox = 20,                 // Sold
        VendorBox = 21,               // SourceOrSupplier
        StartingQuantityBox = 22,     // StartingQuantity
        SubstituteBox = 23,           // Substitute
        SupplierIdBox = 24,           // SupplierID
        VendorStockNumberBox = 25,    // SuppliersStockNumber
        StockNumberBox = 26,          // SystemStockNumber
        TotalsBox = 27,               // Totals
        TotalThisSaleBox = 28,        // TotalThisSale
        OffScreenUnitSizeBox = 29,    // UnitSize, below the visible area
        OffScreenWholeSaleBox = 30,   // WholeSale, below the visible area
        UnitSizeBox = 31,             // UnitSize
        NonRetailBox = 32,            // WholeSale
        TaxPercentBox = 33,           // taxpercent1
        ReorderLevelBox = 34,         // ReOrderLevel
        BarCodeBox = 35,              // BarCode
    };

    // The captions that belong to no box (lblLabels).
    enum Caption : int {
        NewVendorCaption = 2,            // "New Vendor?"
        NewProductNoteCaption = 6,       // the note on new rows
        FindByStockNumberCaption = 31,
        FindByCategoryCaption = 32,
    };

    // Which rows the grid lists.
    enum class GridShows { Nothing, Category, AllRows };

    GridShows gridShows() const { return m_gridShows; }

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    // The status bar keeps its places: this window shows no status text.
    void formResize() override {}

private:
    // Record-form handlers.
    void addRecord() override;
    void updateRecord() override;
    void cancelRecordChange() override;
    void deleteRecord() override;
    void refreshRecords() override;
    void currentRecordChanged() override;
    // The vendor list.
    void fillVendorList();     // at load and whenever the vendor list is opened
    void copyVendorChoice();   // a vendor picked in the list
    // The grid and the finds.
    void viewAll();
    void findByCategory();
    void findByStockNumber();
    // The vendor book and the products-sold window.
    void openVendorBook();
    void openProductsSold();
    // A box's colour while it has the focus.
    void boxGotFocus(int index);
    void boxLostFocus(int index);

    void buildLayout();
    void bindGridToChapter();
    void unbindGrid();
    void find(const QString& field, const QString& prompt, const QString& notFound);
    // The control the user sees for a box: the memo shows in its box of several lines.
    QWidget* shownBox(int index) const;

    // Controls; tests find them by their objectName.
    qv::ManyLineBox* memoBox = nullptr;   // shows and edits txtfields(MemoBox) on several lines
    qv::DataGrid* stockGrid = nullptr;
    qv::DataCombo* vendorList = nullptr;
    QPushButton *newVendorButton = nullptr, *viewAllButton = nullptr, *findByCategoryButton = nullptr,
                *findByStockNumberButton = nullptr;
    qv::PictureBox* productsSoldPicture = nullptr;
    QLabel *productsSoldHint = nullptr, *lastRowNote = nullptr;
    QMap<int, QLabel*> m_captions;   // the boxes' captions, by box index

    QString m_plainConnection;   // the vendor list is read with it
    GridShows m_gridShows = GridShows::Nothing;
};
