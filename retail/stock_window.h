#pragma once
// What the two product windows share. The retail window (the StockControl
// rows with a price) and the non-retail window (those without one) are
// record forms without Add and Delete over their rows, with a grid of them,
// the entry of one quantity with the manager's returned and lost amounts,
// and the stock posting, which books what the entry holds on the item shown.
//
// A posting reads the item afresh from the table (the inventory master may
// have changed it since it was shown), computes its figures in the boxes and
// saves them in the same save, emptied entry and all: once it is done,
// nothing the user does afterwards can drop it or count its entry again.
//
// An entry typed and not posted is never booked in part nor dropped unseen:
// a move to another item or Refresh asks whether to post it; every way out
// of the window (Close, Esc, Alt+F4, Exit Program) asks the record form's
// question about it. Only typed amounts are posted: Refresh, Close, Esc and
// a move with nothing typed compute no figure and write none, so a row the
// program did not post itself keeps its figures as they stand.
//
// Amounts typed for an item that another window deleted meanwhile belong to
// no row: they are emptied, the user is told, and the rows are read again.
#include "common/record_form.h"
#include "retail/stock_posting.h"

#include <QPushButton>
#include <functional>

namespace qv {
class DataGrid;
class ManyLineBox;
class TextBox;
}

class StockWindow : public RecordForm {
    Q_OBJECT
public:
    explicit StockWindow(QWidget* parent = nullptr);
    ~StockWindow() override;

    // The boxes that describe the item, numbered alike in both product windows.
    enum ItemDetailBox : int {
        ItemDescriptionBox = 3,     // Item
        LocationBox = 4,            // Location
        MemoBox = 6,                // Memo
        SubstituteBox = 12,         // Substitute
        VendorStockNumberBox = 13,  // SuppliersStockNumber
        StockNumberBox = 14,        // SystemStockNumber
        CategoryBox = 17,           // Category
        UnitSizeBox = 22,           // UnitSize
    };

protected:
    QString connectionString() const override;
    bool beepAtEnds() const override { return false; }
    void beforeMove() override;
    void formLoad() override;
    // Amounts typed and not posted are typed work too: every way out asks
    // about them with the record form's one question, Yes posting them.
    bool holdsUnsavedWork() const override;
    void dropUnsavedWork() override;
    void setBrowsingButtons(bool flag) override;

    // Neither stock window adds or deletes items: the browse buttons close up to the left.
    void placeButtonsWithoutAddAndDelete();
    // Connects the three clear buttons once the window has made them.
    void connectEntryButtons();
    // The grid lists the window's rows: category, stock number and price.
    void attachGrid();
    // Books the steps on the item shown and saves the row with its figures.
    // `whenSaved` runs once the save is done, before any re-order warning. A
    // save the table refuses is shown and books nothing: the row is as it
    // was and what the user typed stays in the boxes (false). An item deleted
    // meanwhile books nothing either (false, after dropEntryOfGoneItem).
    // With no item shown there is nothing to book (true).
    bool post(StockPosting::Steps steps, const std::function<void()>& whenSaved = {});
    // Back to browsing, as after a save.
    void browse();
    // An entry typed and not posted, before the user moves away from it: asks
    // whether to post it. Yes posts it as Update does, No empties the entry.
    // True when the caller may go on: the entry is posted or emptied (or
    // there was none).
    bool settleEntry();
    // A row of the window's recordset is shown.
    bool itemShown() const;
    // The item shown was deleted from the table since it was read.
    bool itemGone() const;

    // Controls the product windows make; tests find them by their objectName.
    qv::TextBox* supplierBox = nullptr;
    qv::DataGrid* stockGrid = nullptr;
    qv::ManyLineBox* memoBox = nullptr;   // shows and edits the memo box on several lines
    QPushButton *clearEntryButton = nullptr, *clearReturnedButton = nullptr, *clearLostButton = nullptr;

    // Width of the grid's Category column.
    int categoryColumnTwips = 2600;

private:
    // Record-form handlers.
    void editRecord() override;
    void updateRecord() override;   // posts the entry, saved with the row
    void cancelRecordChange() override;
    void refreshRecords() override;   // saves what was typed into the row, reads the rows again
    void formUnload(bool& cancel) override;
    bool mayMoveOn() override;
    // The item shown was deleted elsewhere: what was typed for it is emptied,
    // the user told, and the rows read again, browsing.
    void dropEntryOfGoneItem();
    void rereadRows();
    // With no amount typed, the subtotal box shows the row's own figure
    // again: a subtotal worked out for an entry since cleared is not saved.
    void forgetUnpostedSubtotal();
    // Update's posting of the entry, ending in browsing; false when the save
    // was refused.
    bool postEntry();
    // The quantity, returned and lost units typed for the entry are ones a
    // posting may book (or none); otherwise says so with the focus in the box.
    bool entryUnitsReadable();
    // The entry boxes' clear buttons.
    void clearEntry();   // asks first
    void clearReturned();
    void clearLost();

    void detachGrid();
};
