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

} // namespace

bool Form3::CalcTicketTotals()
{
    try {
        // Commit: pending box texts go into the row (not the table) and every
        // bound box is shown again in its display format.
        adoPrimaryRS->move(0);

        double products = 0;
        for (int slot = 1; slot <= 5; ++slot)
            products += number(productSlot(slot).price) * number(productSlot(slot).quantity);
        box(4)->setBoxText(qv::plainText(products));

        double services = 0;
        for (int slot = 1; slot <= 4; ++slot)
            services += number(serviceSlot(slot).price) * number(serviceSlot(slot).quantity);
        box(9)->setBoxText(qv::plainText(services));

        input(1)->setBoxText(qv::plainText(number(box(9)) * number(input(0)) / 100));
        input(1)->setBoxText(qv::plainText(number(box(9)) + number(input(1))));
        input(1)->setBoxText(qv::currencyText(money(input(1))));

        input(2)->setBoxText(qv::plainText(number(box(4)) * number(input(3)) / 100));
        input(2)->setBoxText(qv::plainText(number(box(4)) + number(input(2))));
        input(2)->setBoxText(qv::currencyText(money(input(2))));

        box(39)->setBoxText(qv::plainText(number(box(4)) * number(input(3)) / 100));
        box(39)->setBoxText(qv::currencyText(money(box(39))));

        box(27)->setBoxText(qv::plainText(number(box(9)) * number(input(0)) / 100));
        box(27)->setBoxText(qv::currencyText(money(box(27))));

        // The taxes as rounded above, plus the unrounded sums.
        const qv::Money total = money(box(39)) + money(box(27)) + money(box(9)) + money(box(4));
        box(2)->setBoxText(qv::plainText(total));
        // The tender row's total is the same field: it shows the new total at
        // once, so the change is computed from it.
        box(47)->setBoxText(box(2)->text());
    } catch (...) {
        qv::ui().msgBox(QStringLiteral(
            "You have generated an error.Did you enter a tax amount for services and then tried to delete it? Once you "
            "have entered a tax amount you cannot leave the field empty.You must now use at least a digit of (0) "));
        return true;
    }

    bool complete = true;

    // Service lines down the left column of slots, then down the right one.
    struct ServiceCheck { int slot; qv::TextBox* next; };
    const ServiceCheck services[] = {{1, box(29)}, {3, box(28)}, {2, box(30)}, {4, box(19)}};
    for (const ServiceCheck& c : services) {
        const ServiceSlot s = serviceSlot(c.slot);
        if (number(s.price) >= 1 && number(s.quantity) >= 1)
            c.next->setFocus();
        if (number(s.price) >= 1 && number(s.quantity) < 1) {
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

void Form3::Command17_Click()
{
    auto passOver = [](auto&& statement) {
        try {
            statement();
        } catch (...) {
        }
    };
    passOver([this] { box(47)->setBoxText(qv::currencyText(money(box(47)))); });
    passOver([this] { box(46)->setText(qv::currencyText(money(box(46)))); });
    // A change that cannot be computed (the amount tendered or the total is
    // no amount) shows none, rather than the change of an earlier tender.
    box(45)->setText(QString());
    passOver([this] { box(45)->setText(qv::plainText(money(box(46)) - money(box(47)))); });
    passOver([this] { box(45)->setText(qv::currencyText(money(box(45)))); });
}
