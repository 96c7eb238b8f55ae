// The money receipt of the ticket on screen: eleven caption and value lines,
// copied from what the total boxes show now; it computes nothing.
#include "appointments/appointment_book.h"

#include "platform/forms/controls.h"
#include "platform/print/printer.h"

QList<QPair<QString, QString>> Form3::receiptLines() const
{
    // Captions as stored (an access-key "&" included), values as shown.
    return {
        {Label10->text(), box(9)->text()},
        {lblBilling.value(5)->text(), box(27)->text()},
        {lblBilling.value(0)->text(), input(0)->text()},
        {lblBilling.value(1)->text(), input(1)->text()},
        {Label7->text(), box(4)->text()},
        {lblBilling.value(4)->text(), box(39)->text()},
        {lblBilling.value(3)->text(), input(3)->text()},
        {lblBilling.value(2)->text(), input(2)->text()},
        {Label5->text(), box(2)->text()},
        {Label56->text(), box(46)->text()},
        {Label55->text(), box(45)->text()},
    };
}

void Form3::PrintReceipt()
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
