#pragma once
// The stock figures of one stock item, recomputed on the boxes that show its
// row: the product windows read the box texts (leading number), compute in
// double precision and write each figure back as plain text into its box;
// the window then saves the row with them (StockWindow::post). Both product
// windows number these boxes alike (txtfields indexes).
//
// Each step runs on what the earlier steps wrote; a step that fails (an
// overflow, a missing box) is skipped and the next one runs. Nothing is
// reported, except the re-order warning, which is the posting's own message.
#include <QMap>

namespace qv { class TextBox; }

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
    Gross = 1u << 2,           // gross = price x sold
    Net = 1u << 3,             // net = gross - cost x sold
    NetZeroAtCost = 1u << 4,   // net = "0" when the price is the cost (or the cost is no number)
    OnHand = 1u << 5,          // in stock = starting - sold - lost + returned
    StockValue = 1u << 6,      // stock value = cost x in stock
    SoldFromStock = 1u << 7,   // sold = starting - in stock (losses in, returns out)
    ReturnedTotal = 1u << 8,   // running total of returns grows by this entry's
    LostTotal = 1u << 9,       // running total of losses grows by this entry's
    ReorderWarning = 1u << 10, // "TIME TO RE-ORDER!" and a beep below 2 on hand
    EmptyEntry = 1u << 11,     // quantity, entry total, returned, lost emptied
};
using Steps = unsigned;

// Gross, net, stock on hand and its value, from the figures as they stand.
constexpr Steps kRecompute = Gross | Net | NetZeroAtCost | OnHand | StockValue;
// An entry counted in: the sale, the recomputation and Sold taken from the stock on hand.
constexpr Steps kCountEntry = EntrySubtotal | CountSale | kRecompute | SoldFromStock;
// The whole posting of an entry saved with Update.
constexpr Steps kUpdate = kCountEntry | ReturnedTotal | LostTotal | ReorderWarning | EmptyEntry;
// Refresh: the entry counted with its running totals and emptied, no warning;
// an entry left in the boxes would be counted again by the next Refresh.
constexpr Steps kRefresh = kCountEntry | ReturnedTotal | LostTotal | EmptyEntry;
// A product sent onto the ticket: no running totals.
constexpr Steps kTicketSale = kCountEntry | ReorderWarning | EmptyEntry;

// Runs the steps in their fixed order on the boxes by index.
void run(const QMap<int, qv::TextBox*>& boxes, Steps steps);

// Whether the stock on hand that the boxes show calls for re-ordering.
bool belowReorderLevel(const QMap<int, qv::TextBox*>& boxes);
// "TIME TO RE-ORDER!", then the beep once it is answered.
void warnToReorder();

// Empties the entry boxes, in the order quantity, entry total, returned, lost.
void emptyEntry(const QMap<int, qv::TextBox*>& boxes);

} // namespace StockPosting
