// The ticket's money: line sums, taxes, totals, the missing-quantity checks
// and the change due. Everything is read from and written to the boxes'
// texts; the values reach the table when the ticket is saved or left.
#include "appointments/appointment_book.h"

#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"

#include <cmath>

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
double serviceQuantity(const qv::TextBox* box) { return AppointmentBook::quantityToPost(box->text()).value_or(0); }

} // namespace

void AppointmentBook::ticketLinesChanged()
{
    if (!editing() && showsTicket())
        computeTicketTotals();
}

bool AppointmentBook::computeTicketTotals()
{
    try {
        // Commit: pending box texts go into the row (not the table) and every
        // bound box is shown again in its display format.
        primaryRecordset->move(0);

        // Each line is charged to the cent (halves away from zero, as a till
        // rounds) before it is summed, so that the sums, the stored total, the
        // receipt and the change all work on the same cents.
        qv::Money products;
        for (int slot = 1; slot <= 5; ++slot)
            products += lineAmount(number(productSlot(slot).price), number(productSlot(slot).quantity));
        box(ProductSalesBox)->setBoxText(qv::plainText(products));

        qv::Money services;
        for (int slot = 1; slot <= 4; ++slot)
            services += lineAmount(number(serviceSlot(slot).price), serviceQuantity(serviceSlot(slot).quantity));
        box(ServiceTotalsBox)->setBoxText(qv::plainText(services));

        taxBox(ServicesWithTaxBox)
            ->setBoxText(qv::plainText(number(box(ServiceTotalsBox)) * number(taxBox(ServiceTaxPercentBox)) / 100));
        taxBox(ServicesWithTaxBox)
            ->setBoxText(qv::plainText(number(box(ServiceTotalsBox)) + number(taxBox(ServicesWithTaxBox))));
        taxBox(ServicesWithTaxBox)->setBoxText(qv::currencyText(money(taxBox(ServicesWithTaxBox))));

        taxBox(ProductsWithTaxBox)
            ->setBoxText(qv::plainText(number(box(ProductSalesBox)) * number(taxBox(ProductTaxPercentBox)) / 100));
        taxBox(ProductsWithTaxBox)
            ->setBoxText(qv::plainText(number(box(ProductSalesBox)) + number(taxBox(ProductsWithTaxBox))));
        taxBox(ProductsWithTaxBox)->setBoxText(qv::currencyText(money(taxBox(ProductsWithTaxBox))));

        box(ProductTaxBox)
            ->setBoxText(qv::plainText(number(box(ProductSalesBox)) * number(taxBox(ProductTaxPercentBox)) / 100));
        box(ProductTaxBox)->setBoxText(qv::currencyText(money(box(ProductTaxBox))));

        box(ServiceTaxBox)
            ->setBoxText(qv::plainText(number(box(ServiceTotalsBox)) * number(taxBox(ServiceTaxPercentBox)) / 100));
        box(ServiceTaxBox)->setBoxText(qv::currencyText(money(box(ServiceTaxBox))));

        // The taxes as rounded above, plus the unrounded sums.
        const qv::Money total = money(box(ProductTaxBox)) + money(box(ServiceTaxBox)) + money(box(ServiceTotalsBox))
            + money(box(ProductSalesBox));
        box(TicketTotalBox)->setBoxText(qv::plainText(total));
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
        if (number(s.price) >= 1 && serviceQuantity(s.quantity) >= 1)
            c.next->setFocus();
        if (number(s.price) >= 1 && serviceQuantity(s.quantity) < 1) {
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
