// The money receipt of the ticket on screen: eleven caption and value lines,
// copied from what the total boxes show now; it computes nothing.
#include "appointments/appointment_book.h"

#include "platform/forms/controls.h"
#include "platform/print/printer.h"

QList<QPair<QString, QString>> AppointmentBook::receiptLines() const
{
    // Captions as stored (an access-key "&" included), values as shown.
    return {
        {serviceTotalsLabel->text(), box(ServiceTotalsBox)->text()},
        {billingCaptions.value(ServiceTaxCaption)->text(), box(ServiceTaxBox)->text()},
        {billingCaptions.value(ServiceTaxPercentCaption)->text(), taxBox(ServiceTaxPercentBox)->text()},
        {billingCaptions.value(ServicesWithTaxCaption)->text(), taxBox(ServicesWithTaxBox)->text()},
        {productSalesLabel->text(), box(ProductSalesBox)->text()},
        {billingCaptions.value(ProductTaxCaption)->text(), box(ProductTaxBox)->text()},
        {billingCaptions.value(ProductTaxPercentCaption)->text(), taxBox(ProductTaxPercentBox)->text()},
        {billingCaptions.value(ProductsWithTaxCaption)->text(), taxBox(ProductsWithTaxBox)->text()},
        {ticketTotalLabel->text(), box(TicketTotalBox)->text()},
        {tenderedLabel->text(), box(TenderedBox)->text()},
        {changeLabel->text(), box(ChangeBox)->text()},
    };
}

void AppointmentBook::printReceipt()
{
    auto passOver = [](auto&& statement) {
        try {
            statement();
        } catch (...) {
        }
    };
    bool cancelled = false;
    passOver([&] { cancelled = !qv::choosePrinter(); });
    qv::Printer& printer = qv::printer();
    passOver([&] { printer.setPrintQuality(qv::PrintQuality::High); });
    if (!cancelled) {
        passOver([&] {
            printer.setFontBold(true);
            printer.setFontName(QStringLiteral("Arial"));
            printer.setFontSize(10);
        });
        const QList<QPair<QString, QString>> lines = receiptLines();
        for (int i = 0; i < lines.size(); ++i) {
            const int line = i + 1;
            // Each step inserts blanks, so every caption keeps its value on its line.
            if (line == 1 || line >= 9)
                passOver([&] { printer.print({qv::Spc(1), lines[i].first, lines[i].second}); });
            else
                passOver([&] { printer.print({qv::Spc(1), lines[i].first, qv::Spc(10), lines[i].second}); });
        }
    }
    passOver([&] { printer.endDoc(); });
}
