#pragma once
// The stock figures of one stock item, recomputed either on the boxes that
// show its row (the product windows read the box texts by their leading
// number, compute in double precision and write each figure back as plain
// text; the window then saves the row with them, StockWindow::post) or on
// the row itself (a sale given back while no window need show the item).
// Both product windows number these boxes alike (txtfields indexes).
//
// Sold counts the units sold to clients (used, on the non-retail items):
// a lost or damaged unit is no sale and only leaves the stock; a returned
// unit is first a lost one found again, while losses stand recorded, and
// only then a sale taken back. So gross and net count sales alone, Sold
// never falls below nothing, and the stock on hand is what was taken in
// less what was sold and what is lost. Money figures are kept to the cent,
// as the ticket charges its lines.
//
// Each step runs on what the earlier steps wrote; a step that fails (an
// overflow, a missing box) is skipped and the next one runs. Nothing is
// reported, except the re-order warning, which is the posting's own message.
#include <QMap>
#include <QString>
#include <optional>

namespace qv {
class Recordset;
class TextBox;
}

namespace StockPosting {

enum Box : int {
    CostBox = 1,            // CostValueOfStock, unit cost
    InStockBox = 2,         // CurrentlyInStock
    LostBox = 5,            // LostOrDamaged, this entry
    StartingBox = 7,        // StartingQuantity
    PriceBox = 8,           // Price
    ReturnedBox = 9,        // ReturnedToStock, this entry
    SoldBox = 10,           // Sold
    GrossBox = 15,          // GrossSales
    NetBox = 16,            // NetProfitFromSales
    QuantityBox = 18,       // quantity this entry (not stored)
    StockValueBox = 20,     // QuantityStatus, value of the units on hand
    EntryTotalBox = 21,     // Totals, subtotal of this entry
    ReturnedTotalBox = 23,  // ReturnToStockTotals, running total
    LostTotalBox = 24,      // LostDamagedTotals, running total
};

enum Step : unsigned {
    EntrySubtotal = 1u << 0,   // entry total = quantity x price
    CountSale = 1u << 1,       // sold = quantity + sold
    UndoReturned = 1u << 2,    // returned units: first off the lost total, then off sold
    ReturnedTotal = 1u << 3,   // running total of returns grows by this entry's
    LostTotal = 1u << 4,       // units lost and not found grow by this entry's
    Gross = 1u << 5,           // gross = price x sold, to the cent
    Net = 1u << 6,             // net = gross - cost x sold, to the cent
    NetZeroAtCost = 1u << 7,   // net = "0" when the price is the cost (or the cost is no number)
    OnHand = 1u << 8,          // in stock = starting - sold - every unit lost
    StockValue = 1u << 9,      // stock value = cost x in stock, to the cent
    ReorderWarning = 1u << 10, // "TIME TO RE-ORDER!" and a beep below 2 on hand
    EmptyEntry = 1u << 11,     // quantity, entry total, returned, lost emptied
};
using Steps = unsigned;

// Gross, net, stock on hand and its value, from the stored figures as they
// stand; an entry typed and not posted plays no part in them.
constexpr Steps kRecompute = Gross | Net | NetZeroAtCost | OnHand | StockValue;
// An entry booked whole: the sale, the units returned and lost with their
// running totals, and the figures that follow from them. An entry is always
// booked whole or not at all, whichever button posts it.
constexpr Steps kCountEntry = EntrySubtotal | CountSale | UndoReturned | ReturnedTotal | LostTotal | kRecompute;
// Update, and an entry posted on the way out of it.
constexpr Steps kUpdate = kCountEntry | ReorderWarning | EmptyEntry;
// A product sent onto the ticket: the same posting.
constexpr Steps kTicketSale = kUpdate;
// A sale taken back (its ticket dropped): the quantity, negative, comes off
// Sold and the figures follow; no entry is involved.
constexpr Steps kGiveBack = CountSale | kRecompute;

// Runs the steps in their fixed order on the boxes by index.
void run(const QMap<int, qv::TextBox*>& boxes, Steps steps);
// Runs the steps on the current row of a recordset, its fields named as the
// boxes show them; `quantity` stands for the entry's quantity. The row is
// changed, not saved.
void run(qv::Recordset& row, double quantity, Steps steps);

// An entry that returns more units than the item has sold (this entry's sale
// counted) and has lost: refused with a qv::Error that says so, before
// anything is booked.
void refuseReturnBeyondSoldAndLost(const QMap<int, qv::TextBox*>& boxes);

// Whether the stock on hand that the boxes show calls for re-ordering.
bool belowReorderLevel(const QMap<int, qv::TextBox*>& boxes);
// "TIME TO RE-ORDER!", then the beep once it is answered.
void warnToReorder();

// Whether the entry holds anything a posting would book: a quantity, a
// returned or a lost amount.
bool entryTyped(const QMap<int, qv::TextBox*>& boxes);
// Empties the entry boxes, in the order quantity, entry total, returned, lost.
void emptyEntry(const QMap<int, qv::TextBox*>& boxes);

} // namespace StockPosting
