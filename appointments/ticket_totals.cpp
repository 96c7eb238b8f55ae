// The ticket's money: line sums, taxes, totals, the missing-quantity checks
// and the change due. Everything is read from and written to the boxes'
// texts; the values reach the table when the ticket is saved or left, and a
// ticket stored without a Subtotal has its figures worked out from its row.
#include "appointments/appointment_book.h"

#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"

#include <QScopeGuard>
#include <cmath>
#include <functional>

namespace {

double number(const qv::TextBox* box) { return qv::leadingNumber(box->text()); }
qv::Money money(const qv::TextBox* box) { return qv::readMoney(box->text()); }

qv::Money lineAmount(double price, double quantity)
{
    return qv::Money::lineAmount(qv::Money::fromDouble(price), qv::Money::fromDouble(quantity));
}

// A service quantity reads as the price list posts one: "1.5" is one and a
// half; what is no quantity there ("0.5", "") charges nothing here and is
// reported as missing.
double serviceQuantity(const QString& shown) { return AppointmentBook::quantityToPost(shown).value_or(0); }

// The computed boxes' texts, each in the order its box is given them: a
// total with tax is first the tax, then the sum with it, then that in the
// currency format; a tax amount is first plain, then in the currency format.
// The last text of each is what the row keeps.
struct TicketFigures {
    QString productSales, serviceTotals;
    QStringList servicesWithTax, productsWithTax, productTax, serviceTax;
    QString ticketTotal;
};

// The ticket's money from the texts its line and tax percent boxes show once
// the row is shown in its display formats (`shown`). Subtotal reads the boxes
// themselves; a ticket stored with no Subtotal is worked out from its row
// the same way, so that both come to the same cents.
TicketFigures workOutTicket(const AppointmentBook& book, const std::function<QString(const qv::TextBox*)>& shown)
{
    const auto read = [&](const qv::TextBox* box) { return qv::leadingNumber(shown(box)); };
    // Each line is charged to the cent (halves away from zero, as a till
    // rounds) before it is summed, so that the sums, the stored total, the
    // receipt and the change all work on the same cents.
    qv::Money products;
    for (int slot = 1; slot <= 5; ++slot)
        products += lineAmount(read(book.productSlot(slot).price), read(book.productSlot(slot).quantity));
    qv::Money services;
    for (int slot = 1; slot <= 4; ++slot) {
        const AppointmentBook::ServiceSlot s = book.serviceSlot(slot);
        services += lineAmount(read(s.price), serviceQuantity(shown(s.quantity)));
    }

    TicketFigures f;
    f.productSales = qv::plainText(products);
    f.serviceTotals = qv::plainText(services);
    const double serviceSum = qv::leadingNumber(f.serviceTotals);
    const double productSum = qv::leadingNumber(f.productSales);
    const auto withTax = [](double sum, double percent) {
        const QString tax = qv::plainText(sum * percent / 100);
        const QString total = qv::plainText(sum + qv::leadingNumber(tax));
        return QStringList{tax, total, qv::currencyText(qv::readMoney(total))};
    };
    const auto taxOn = [](double sum, double percent) {
        const QString tax = qv::plainText(sum * percent / 100);
        return QStringList{tax, qv::currencyText(qv::readMoney(tax))};
    };
    f.servicesWithTax = withTax(serviceSum, read(book.serviceTaxPercent()));
    f.productsWithTax = withTax(productSum, read(book.productTaxPercent()));
    f.productTax = taxOn(productSum, read(book.productTaxPercent()));
    f.serviceTax = taxOn(serviceSum, read(book.serviceTaxPercent()));
    // The taxes as rounded above, plus the unrounded sums.
    f.ticketTotal = qv::plainText(qv::readMoney(f.productTax.last()) + qv::readMoney(f.serviceTax.last())
                                  + qv::readMoney(f.serviceTotals) + qv::readMoney(f.productSales));
    return f;
}

void writeInTurn(qv::TextBox* box, const QStringList& texts)
{
    for (const QString& text : texts)
        box->setBoxText(text);
}

} // namespace

void AppointmentBook::ticketLinesChanged()
{
    if (!editing() && showsTicket())
        computeTicketTotals();
}

void AppointmentBook::storeTicketTotals()
{
    // Nothing is stored unless the ticket was changed; an untouched one keeps
    // its figures as they are.
    if (m_totalsBeingShown || !primaryRecordset || primaryRecordset->editMode() == qv::EditMode::None)
        return;
    // Runs after the boxes have put their texts into the row: the figures are
    // those of the lines about to be stored, read as the boxes will show them.
    const TicketFigures f = workOutTicket(*this, [this](const qv::TextBox* b) {
        return qv::formatValue(primaryRecordset->value(b->dataField()), b->dataFormat());
    });
    const QPair<const char*, QString> stored[] = {
        {"Price", f.serviceTotals},
        {"ProductSales", f.productSales},
        {"TaxTotals", f.serviceTax.last()},
        {"Taxamount", f.servicesWithTax.last()},
        {"TaxTotals1", f.productTax.last()},
        {"taxamount1", f.productsWithTax.last()},
        {"Totals", f.ticketTotal},
    };
    for (const auto& [field, text] : stored)
        primaryRecordset->setValue(QString::fromLatin1(field), text);
}

bool AppointmentBook::computeTicketTotals()
{
    try {
        // Commit: pending box texts go into the row (not the table) and every
        // bound box is shown again in its display format. The figures are
        // then shown step by step below, and stored with the boxes' texts.
        {
            m_totalsBeingShown = true;
            const auto done = qScopeGuard([this] { m_totalsBeingShown = false; });
            primaryRecordset->move(0);
        }

        const TicketFigures f = workOutTicket(*this, [](const qv::TextBox* b) { return b->text(); });
        box(ProductSalesBox)->setBoxText(f.productSales);
        box(ServiceTotalsBox)->setBoxText(f.serviceTotals);
        writeInTurn(taxBox(ServicesWithTaxBox), f.servicesWithTax);
        writeInTurn(taxBox(ProductsWithTaxBox), f.productsWithTax);
        writeInTurn(box(ProductTaxBox), f.productTax);
        writeInTurn(box(ServiceTaxBox), f.serviceTax);
        box(TicketTotalBox)->setBoxText(f.ticketTotal);
        // The tender row's total is the same field: it shows the new total at
        // once, so the change is computed from it.
        box(TenderTotalBox)->setBoxText(box(TicketTotalBox)->text());
        // A change already worked out follows the new total, so that the
        // receipt never prints the change of an earlier one.
        if (!box(ChangeBox)->text().isEmpty())
            computeChange();
    } catch (...) {
        qv::ui().msgBox(QStringLiteral(
            "You have generated an error.Did you enter a tax amount for services and then tried to delete it? Once you "
            "have entered a tax amount you cannot leave the field empty.You must now use at least a digit of (0) "));
        return true;
    }

    bool complete = true;

    // Service lines down the left column of slots, then down the right one.
    struct ServiceCheck { int slot; qv::TextBox* next; };
    const ServiceCheck services[] = {
        {1, box(Service3NameBox)}, {3, box(Service2NameBox)}, {2, box(Service4NameBox)}, {4, box(MemoBox)}};
    for (const ServiceCheck& c : services) {
        const ServiceSlot s = serviceSlot(c.slot);
        if (number(s.price) >= 1 && serviceQuantity(s.quantity->text()) >= 1)
            c.next->setFocus();
        if (number(s.price) >= 1 && serviceQuantity(s.quantity->text()) < 1) {
            s.quantity->setFocus();
            complete = false;
            qv::ui().msgBox(QStringLiteral("A quantity amount for a service was not included. Please enter now."));
        }
    }

    for (int slot = 1; slot <= 5; ++slot) {
        const ProductSlot p = productSlot(slot);
        // Rounded halves to even, as the whole-number test of a price goes.
        if (std::nearbyint(number(p.price)) != 0 && number(p.stockNumber) >= 1 && number(p.quantity) >= 1) {
            if (slot < 5)
                productSlot(slot + 1).name->setFocus();
        }
        if (number(p.price) >= 1 && number(p.quantity) < 1) {
            p.quantity->setFocus();
            complete = false;
            qv::ui().msgBox(
                QStringLiteral("A quantity and or Stock # for a Product was not included. Please enter now."));
        }
    }
    return complete;
}

void AppointmentBook::computeChange()
{
    auto passOver = [](auto&& statement) {
        try {
            statement();
        } catch (...) {
        }
    };
    passOver([this] { box(TenderTotalBox)->setBoxText(qv::currencyText(money(box(TenderTotalBox)))); });
    passOver([this] { box(TenderedBox)->setText(qv::currencyText(money(box(TenderedBox)))); });
    // A change that cannot be computed (the amount tendered or the total is
    // no amount) shows none, rather than the change of an earlier tender.
    box(ChangeBox)->setText(QString());
    passOver([this] { box(ChangeBox)->setText(qv::plainText(money(box(TenderedBox)) - money(box(TenderTotalBox)))); });
    passOver([this] { box(ChangeBox)->setText(qv::currencyText(money(box(ChangeBox)))); });
}
