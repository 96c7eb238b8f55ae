// The stock arithmetic on its own boxes: each figure from the texts the
// earlier steps wrote, the special net profit, the re-order threshold and the
// written form of the figures.
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "retail/stock_posting.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace StockPosting;

class Item {
public:
    Item()
    {
        for (int index : {1, 2, 5, 7, 8, 9, 10, 15, 16, 18, 20, 21, 23, 24}) {
            owned.push_back(std::make_unique<qv::TextBox>());
            boxes.insert(index, owned.back().get());
        }
    }
    Item& set(int index, const QString& text)
    {
        boxes.value(index)->setText(text);
        return *this;
    }
    QString operator[](int index) const { return boxes.value(index)->text(); }

    QMap<int, qv::TextBox*> boxes;

private:
    std::vector<std::unique_ptr<qv::TextBox>> owned;
};

// 20 taken in, 5 sold, 12.50 each at a cost of 7, one returned before.
Item workedExample()
{
    Item item;
    item.set(StartingBox, "20").set(SoldBox, "5").set(PriceBox, "12.50").set(CostBox, "7.00");
    item.set(ReturnedTotalBox, "1");
    return item;
}

} // namespace

TEST(StockPosting, AnEntryIsCountedInEveryFigureAndEmptiedAfterwards)
{
    qv::ScopedScriptedUi ui;
    Item item = workedExample();
    item.set(QuantityBox, "3");
    run(item.boxes, kUpdate & ~EmptyEntry);
    EXPECT_EQ(item[EntryTotalBox], "37.5");
    EXPECT_EQ(item[SoldBox], "8");
    EXPECT_EQ(item[GrossBox], "100");
    EXPECT_EQ(item[NetBox], "44");
    EXPECT_EQ(item[InStockBox], "12");
    EXPECT_EQ(item[StockValueBox], "84");
    EXPECT_EQ(item[ReturnedTotalBox], "1");
    EXPECT_EQ(item[LostTotalBox], "0");
    EXPECT_TRUE(ui.script.messages().isEmpty());

    // A later entry returns 2 and writes off 1: the returned units undo
    // sales, the lost one leaves the stock and its value but is no sale.
    item.set(QuantityBox, "").set(ReturnedBox, "2").set(LostBox, "1");
    run(item.boxes, kUpdate);
    EXPECT_EQ(item[SoldBox], "6");
    EXPECT_EQ(item[GrossBox], "75");
    EXPECT_EQ(item[NetBox], "33");
    EXPECT_EQ(item[InStockBox], "13");
    EXPECT_EQ(item[StockValueBox], "91");
    EXPECT_EQ(item[ReturnedTotalBox], "3");
    EXPECT_EQ(item[LostTotalBox], "1");
    for (int index : {QuantityBox, EntryTotalBox, ReturnedBox, LostBox})
        EXPECT_EQ(item[index], "") << index;

    // The recomputation counts nothing, and an entry typed and not posted
    // plays no part in it.
    item.set(QuantityBox, "4").set(ReturnedBox, "5").set(LostBox, "2");
    run(item.boxes, kRecompute);
    EXPECT_EQ(item[GrossBox], "75");
    EXPECT_EQ(item[NetBox], "33");
    EXPECT_EQ(item[InStockBox], "13");
    EXPECT_EQ(item[SoldBox], "6");
    EXPECT_EQ(item[ReturnedTotalBox], "3");
    EXPECT_EQ(item[LostTotalBox], "1");

    // The lost unit comes back: it is found again, not a sale taken back.
    // A dropped ticket's sale never takes Sold below nothing.
    item.set(QuantityBox, "").set(ReturnedBox, "1").set(LostBox, "");
    run(item.boxes, kUpdate);
    EXPECT_EQ(item[SoldBox] + " " + item[InStockBox] + " " + item[LostTotalBox], "6 14 0");
    item.set(QuantityBox, "-9");
    run(item.boxes, kGiveBack);
    EXPECT_EQ(item[SoldBox] + " " + item[InStockBox], "0 20");
}

TEST(StockPosting, ATicketSaleBooksTheWholeEntry)
{
    qv::ScopedScriptedUi ui;
    Item item = workedExample();
    item.set(QuantityBox, "2").set(ReturnedBox, "2").set(LostBox, "1");
    run(item.boxes, kTicketSale);
    EXPECT_EQ(item[SoldBox], "5");       // 5 + 2 sold - 2 returned
    EXPECT_EQ(item[InStockBox], "14");   // 20 - 5 - 1 lost
    EXPECT_EQ(item[ReturnedTotalBox], "3");
    EXPECT_EQ(item[LostTotalBox], "1");
    EXPECT_EQ(item[ReturnedBox], "");
}

TEST(StockPosting, NoProfitIsClaimedAtCostOrWithoutACost)
{
    qv::ScopedScriptedUi ui;
    Item noCost = workedExample();
    noCost.set(CostBox, "");
    run(noCost.boxes, kRecompute);
    EXPECT_EQ(noCost[NetBox], "0");
    EXPECT_EQ(noCost[StockValueBox], "0");

    Item atCost = workedExample();
    atCost.set(PriceBox, "7").set(CostBox, "7.00");
    run(atCost.boxes, kRecompute);
    EXPECT_EQ(atCost[NetBox], "0");

    // Grouped amounts read whole on both sides of the comparison.
    Item dear = workedExample();
    dear.set(PriceBox, "1,200.00").set(CostBox, "1,000.00").set(SoldBox, "2");
    run(dear.boxes, kRecompute);
    EXPECT_EQ(dear[GrossBox], "2400");
    EXPECT_EQ(dear[NetBox], "400");
    EXPECT_EQ(dear[StockValueBox], "18000");
}

TEST(StockPosting, FewerThanTwoOnHandWarnsAndBeeps)
{
    struct Case { const char* starting; bool warns; };
    for (const Case& c : {Case{"7", false}, Case{"6.5", true}, Case{"6", true}, Case{"5", true}, Case{"1", true},
                          Case{"8", false}}) {
        qv::ScopedScriptedUi ui;
        Item item = workedExample();   // 5 sold: on hand = starting - 5
        item.set(StartingBox, c.starting);
        run(item.boxes, kUpdate);
        EXPECT_EQ(ui.script.messages(), c.warns ? QStringList{"TIME TO RE-ORDER!"} : QStringList{}) << c.starting;
        EXPECT_EQ(ui.script.beeps(), c.warns ? 1 : 0) << c.starting;
        if (c.warns) {
            ASSERT_EQ(ui.script.events.size(), 2u);
            EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::Message);
            EXPECT_EQ(ui.script.events[0].style, 0);
            EXPECT_EQ(ui.script.events[1].kind, qv::UiEvent::Beep);
        }
    }
}

TEST(StockPosting, FiguresAreWrittenAsPlainNumbersAndAFailedStepIsSkipped)
{
    qv::ScopedScriptedUi ui;
    Item item;
    item.set(QuantityBox, "3").set(PriceBox, "0.1");
    run(item.boxes, EntrySubtotal);
    EXPECT_EQ(item[EntryTotalBox], "0.3");

    item.set(QuantityBox, "1e200").set(PriceBox, "1e200").set(SoldBox, "4");
    run(item.boxes, EntrySubtotal | CountSale);
    EXPECT_EQ(item[EntryTotalBox], "0.3");   // overflow: left as it was
    EXPECT_EQ(item[SoldBox], "1E+200");      // the next step still ran

    // A box the window lacks skips only the steps that need it.
    Item partial = workedExample();
    partial.boxes.remove(StockValueBox);
    partial.set(QuantityBox, "1");
    run(partial.boxes, kUpdate & ~ReorderWarning);
    EXPECT_EQ(partial[InStockBox], "14");
    EXPECT_EQ(partial[SoldBox], "6");
    EXPECT_EQ(partial[GrossBox], "75");
}
