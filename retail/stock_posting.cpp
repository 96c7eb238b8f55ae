#include "retail/stock_posting.h"

#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"

#include <functional>

namespace StockPosting {

namespace {

class Boxes {
public:
    explicit Boxes(const QMap<int, qv::TextBox*>& boxes) : m_boxes(boxes) {}

    qv::TextBox& at(int index) const
    {
        qv::TextBox* box = m_boxes.value(index);
        if (!box)
            throw qv::Error(QStringLiteral("Control array element '%1' doesn't exist").arg(index), 340);
        return *box;
    }
    double read(int index) const { return qv::leadingNumber(at(index).text()); }
    // plainText refuses an infinite or undefined result as an overflow, so
    // that the step writes nothing.
    void write(int index, double value) const { at(index).setBoxText(qv::plainText(value)); }
    void write(int index, const QString& text) const { at(index).setBoxText(text); }

private:
    const QMap<int, qv::TextBox*>& m_boxes;
};

// A step whose error is passed over: the next step runs all the same.
void step(Steps steps, Step which, const std::function<void()>& body)
{
    if (!(steps & which))
        return;
    try {
        body();
    } catch (const std::exception&) {
    }
}

// The price box against the cost box read as people write amounts (grouping
// and currency sign accepted). A cost that is no amount at all counts as the
// price, so that no profit is claimed for an item whose cost nobody knows.
bool priceIsCost(const Boxes& b)
{
    try {
        const std::optional<qv::Money> cost = qv::tryReadMoney(b.at(CostBox).text());
        if (!cost)
            return true;
        return b.read(PriceBox) == cost->toDouble();
    } catch (const std::exception&) {
        return true;
    }
}

} // namespace

void run(const QMap<int, qv::TextBox*>& boxes, Steps steps)
{
    const Boxes b(boxes);
    step(steps, EntrySubtotal, [&] { b.write(EntryTotalBox, b.read(QuantityBox) * b.read(PriceBox)); });
    step(steps, CountSale, [&] { b.write(SoldBox, b.read(QuantityBox) + b.read(SoldBox)); });
    step(steps, Gross, [&] { b.write(GrossBox, b.read(PriceBox) * b.read(SoldBox)); });
    step(steps, Net, [&] { b.write(NetBox, b.read(GrossBox) - b.read(CostBox) * b.read(SoldBox)); });
    step(steps, NetZeroAtCost, [&] {
        if (priceIsCost(b))
            b.write(NetBox, QStringLiteral("0"));
    });
    step(steps, OnHand, [&] {
        b.write(InStockBox, b.read(StartingBox) - b.read(SoldBox) - b.read(LostBox) + b.read(ReturnedBox));
    });
    step(steps, StockValue, [&] { b.write(StockValueBox, b.read(CostBox) * b.read(InStockBox)); });
    step(steps, SoldFromStock, [&] { b.write(SoldBox, b.read(StartingBox) - b.read(InStockBox)); });
    step(steps, ReturnedTotal, [&] { b.write(ReturnedTotalBox, b.read(ReturnedBox) + b.read(ReturnedTotalBox)); });
    step(steps, LostTotal, [&] { b.write(LostTotalBox, b.read(LostBox) + b.read(LostTotalBox)); });
    step(steps, ReorderWarning, [&] {
        if (belowReorderLevel(boxes))
            warnToReorder();
    });
    step(steps, EmptyEntry, [&] { emptyEntry(boxes); });
}

bool belowReorderLevel(const QMap<int, qv::TextBox*>& boxes)
{
    return Boxes(boxes).read(InStockBox) < 2;
}

void warnToReorder()
{
    qv::ui().msgBox(QStringLiteral("TIME TO RE-ORDER!"));
    qv::ui().beep();
}

void emptyEntry(const QMap<int, qv::TextBox*>& boxes)
{
    for (int index : {QuantityBox, EntryTotalBox, ReturnedBox, LostBox}) {
        try {
            if (qv::TextBox* box = boxes.value(index))
                box->setBoxText(QString());
        } catch (const std::exception&) {
        }
    }
}

} // namespace StockPosting
