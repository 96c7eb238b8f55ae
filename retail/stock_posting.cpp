#include "retail/stock_posting.h"

#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"
#include "platform/values/money.h"

#include <algorithm>
#include <functional>

namespace StockPosting {

namespace {

// Where the figures of one item stand: the boxes of a product window, or a
// row of StockControl. The steps read and write them by box index.
class Figures {
public:
    virtual ~Figures() = default;
    // The leading number of what is shown; nothing reads 0.
    virtual double read(int index) const = 0;
    // An amount read as people write one (grouping and currency sign
    // accepted); nothing when it is no amount at all.
    virtual std::optional<double> amount(int index) const = 0;
    // plainText refuses an infinite or undefined result as an overflow, so
    // that the step writes nothing.
    void write(int index, double value) const { write(index, qv::plainText(value)); }
    virtual void write(int index, const QString& text) const = 0;
};

qv::Error noSuchBox(int index)
{
    return qv::Error(QStringLiteral("Control array element '%1' doesn't exist").arg(index), 340);
}

class BoxFigures : public Figures {
public:
    explicit BoxFigures(const QMap<int, qv::TextBox*>& boxes) : m_boxes(boxes) {}

    double read(int index) const override { return qv::leadingNumber(at(index).text()); }
    std::optional<double> amount(int index) const override
    {
        const std::optional<qv::Money> value = qv::tryReadMoney(at(index).text());
        return value ? std::optional<double>(value->toDouble()) : std::nullopt;
    }
    void write(int index, const QString& text) const override { at(index).setBoxText(text); }

private:
    qv::TextBox& at(int index) const
    {
        qv::TextBox* box = m_boxes.value(index);
        if (!box)
            throw noSuchBox(index);
        return *box;
    }
    const QMap<int, qv::TextBox*>& m_boxes;
};

// The row's fields under the boxes' numbers; the entry's quantity, which no
// field holds, is given.
class RowFigures : public Figures {
public:
    RowFigures(qv::Recordset& row, double quantity) : m_row(row), m_quantity(quantity) {}

    double read(int index) const override
    {
        if (index == QuantityBox)
            return m_quantity;
        const QVariant v = m_row.value(field(index));
        if (v.metaType() == QMetaType::fromType<qv::Money>())
            return v.value<qv::Money>().toDouble();
        if (v.metaType().id() == QMetaType::QString)
            return qv::leadingNumber(v.toString());
        return v.isValid() ? v.toDouble() : 0.0;
    }
    std::optional<double> amount(int index) const override
    {
        const QVariant v = m_row.value(field(index));
        if (!v.isValid() || v.isNull())
            return std::nullopt;
        if (v.metaType().id() == QMetaType::QString) {
            const std::optional<qv::Money> value = qv::tryReadMoney(v.toString());
            return value ? std::optional<double>(value->toDouble()) : std::nullopt;
        }
        return read(index);
    }
    void write(int index, const QString& text) const override { m_row.setValue(field(index), text); }

private:
    static QString field(int index)
    {
        static const QMap<int, QString> fields = {
            {CostBox, QStringLiteral("CostValueOfStock")},   {InStockBox, QStringLiteral("CurrentlyInStock")},
            {LostBox, QStringLiteral("LostOrDamaged")},       {StartingBox, QStringLiteral("StartingQuantity")},
            {PriceBox, QStringLiteral("Price")},              {ReturnedBox, QStringLiteral("ReturnedToStock")},
            {SoldBox, QStringLiteral("Sold")},                {GrossBox, QStringLiteral("GrossSales")},
            {NetBox, QStringLiteral("NetProfitFromSales")},   {StockValueBox, QStringLiteral("QuantityStatus")},
            {EntryTotalBox, QStringLiteral("Totals")},        {ReturnedTotalBox, QStringLiteral("ReturnToStockTotals")},
            {LostTotalBox, QStringLiteral("LostDamagedTotals")},
        };
        const auto it = fields.find(index);
        if (it == fields.end())
            throw noSuchBox(index);
        return *it;
    }
    qv::Recordset& m_row;
    double m_quantity;
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

// The price against the cost read as people write amounts. A cost that is
// no amount at all counts as the price, so that no profit is claimed for an
// item whose cost nobody knows.
bool priceIsCost(const Figures& f)
{
    try {
        const std::optional<double> cost = f.amount(CostBox);
        return !cost || f.read(PriceBox) == *cost;
    } catch (const std::exception&) {
        return true;
    }
}

// An amount of money times a count, worked out exactly and rounded to the
// cent, halves away from zero, as the ticket charges its lines; nothing
// when it lies beyond any amount of money.
std::optional<qv::Money> cents(double amount, double count)
{
    try {
        return qv::Money::lineAmount(qv::Money::fromDouble(amount), qv::Money::fromDouble(count));
    } catch (const qv::Error&) {
        return std::nullopt;
    }
}

// A money figure to the cent. One beyond any amount of money is written as
// it comes: the table refuses it, and with it the whole posting.
void writeMoney(const Figures& f, int index, std::optional<qv::Money> value, double unrounded)
{
    if (value)
        f.write(index, qv::plainText(*value));
    else
        f.write(index, unrounded);
}

// The steps that change figures, in their fixed order.
void book(const Figures& f, Steps steps)
{
    step(steps, EntrySubtotal, [&] {
        const double quantity = f.read(QuantityBox), price = f.read(PriceBox);
        writeMoney(f, EntryTotalBox, cents(price, quantity), quantity * price);
    });
    step(steps, CountSale, [&] {
        // A sale taken back (a negative quantity) never takes Sold below
        // nothing: units the manager returned by hand meanwhile are not
        // returned a second time.
        const double quantity = f.read(QuantityBox);
        const double sold = quantity + f.read(SoldBox);
        f.write(SoldBox, quantity < 0 ? std::max(0.0, sold) : sold);
    });
    step(steps, UndoReturned, [&] {
        // A returned unit is first a lost one found again, as long as losses
        // stand recorded (those booked before this entry), and only then a
        // sale taken back. A unit found again leaves the lost total: it
        // counts the units lost and never found.
        const double returned = f.read(ReturnedBox);
        const double lost = f.read(LostTotalBox);
        const double found = lost > 0 && returned > 0 ? std::min(returned, lost) : 0.0;
        if (found > 0)
            f.write(LostTotalBox, lost - found);
        f.write(SoldBox, f.read(SoldBox) - (returned - found));
    });
    step(steps, ReturnedTotal, [&] { f.write(ReturnedTotalBox, f.read(ReturnedBox) + f.read(ReturnedTotalBox)); });
    step(steps, LostTotal, [&] { f.write(LostTotalBox, f.read(LostBox) + f.read(LostTotalBox)); });
    step(steps, Gross, [&] {
        const double price = f.read(PriceBox), sold = f.read(SoldBox);
        writeMoney(f, GrossBox, cents(price, sold), price * sold);
    });
    step(steps, Net, [&] {
        const double gross = f.read(GrossBox), cost = f.read(CostBox), sold = f.read(SoldBox);
        const std::optional<qv::Money> sales = cents(gross, 1), costOfSales = cents(cost, sold);
        writeMoney(f, NetBox, sales && costOfSales ? std::optional(*sales - *costOfSales) : std::nullopt,
                   gross - cost * sold);
    });
    step(steps, NetZeroAtCost, [&] {
        if (priceIsCost(f))
            f.write(NetBox, QStringLiteral("0"));
    });
    step(steps, OnHand, [&] { f.write(InStockBox, f.read(StartingBox) - f.read(SoldBox) - f.read(LostTotalBox)); });
    step(steps, StockValue, [&] {
        const double cost = f.read(CostBox), onHand = f.read(InStockBox);
        writeMoney(f, StockValueBox, cents(cost, onHand), cost * onHand);
    });
}

} // namespace

void run(const QMap<int, qv::TextBox*>& boxes, Steps steps)
{
    book(BoxFigures(boxes), steps);
    step(steps, ReorderWarning, [&] {
        if (belowReorderLevel(boxes))
            warnToReorder();
    });
    step(steps, EmptyEntry, [&] { emptyEntry(boxes); });
}

void run(qv::Recordset& row, double quantity, Steps steps)
{
    book(RowFigures(row, quantity), steps & ~(ReorderWarning | EmptyEntry));
}

void refuseReturnBeyondSoldAndLost(const QMap<int, qv::TextBox*>& boxes)
{
    const BoxFigures f(boxes);
    const double returnable = f.read(QuantityBox) + f.read(SoldBox) + std::max(0.0, f.read(LostTotalBox));
    if (f.read(ReturnedBox) > returnable)
        throw qv::Error(QStringLiteral("Returned To Stock cannot be more than the units this item has sold and lost "
                                       "(%1).")
                            .arg(qv::plainText(std::max(0.0, returnable))));
}

bool belowReorderLevel(const QMap<int, qv::TextBox*>& boxes)
{
    return BoxFigures(boxes).read(InStockBox) < 2;
}

void warnToReorder()
{
    qv::ui().msgBox(QStringLiteral("TIME TO RE-ORDER!"));
    qv::ui().beep();
}

bool entryTyped(const QMap<int, qv::TextBox*>& boxes)
{
    for (int index : {QuantityBox, ReturnedBox, LostBox})
        if (const qv::TextBox* box = boxes.value(index); box && !box->text().trimmed().isEmpty())
            return true;
    return false;
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
