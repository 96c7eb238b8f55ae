// The client card (picture, thirteen caption and value lines, the formulas
// below them) and the formulas alone, printed from what the window shows now.
#include "customers/customer_window.h"

#include "common/pass_over.h"
#include "common/picture_viewport.h"
#include "common/rich_text_print.h"
#include "platform/forms/controls.h"
#include "platform/print/printer.h"
#include "platform/print/rich_text_box.h"

namespace {

// The printer dialog of both print buttons; false when the user cancelled.
// The print quality is set high whatever the answer.
bool startPrinting()
{
    bool chosen = false;
    passOver([&] { chosen = qv::choosePrinter(); });
    passOver([] { qv::printer().setPrintQuality(qv::PrintQuality::High); });
    if (!chosen)
        return false;
    passOver([] {
        qv::printer().setFontBold(true);
        qv::printer().setFontName(QStringLiteral("Arial"));
        qv::printer().setFontSize(10);
    });
    return true;
}

// Lines whose value follows its caption after a step of ten.
bool separated(int line)
{
    return line == 2 || (line >= 4 && line <= 9) || line == 13;
}

} // namespace

QList<QPair<QString, QString>> CustomerWindow::cardLines() const
{
    // Caption label, then box, per line.
    static const int order[13][2] = {
        {NameCaption, NameBox},
        {PhoneCaption, PhoneBox},
        {ContactNameCaption, ContactNameBox},
        {ContactTitleCaption, ContactTitleBox},
        {AddressCaption, AddressBox},
        {CityCaption, CityBox},
        {StateCaption, StateBox},
        {PostalCodeCaption, PostalCodeBox},
        {EmailCaption, EmailBox},
        {CreditTermsCaption, CreditTermsBox},
        {CommentsCaption, CommentsBox},
        {ArtistCaption, ArtistBox},
        {BirthdayCaption, BirthdayBox},
    };
    QList<QPair<QString, QString>> lines;
    for (const auto& o : order)
        lines.append({captionLabels.value(o[0])->text(), fieldBoxes.value(o[1])->text()});
    return lines;
}

void CustomerWindow::printClientCard()
{
    if (startPrinting()) {
        qv::Printer& printer = qv::printer();
        passOver([&] { printer.print(); });
        // Square, whatever the picture's proportions.
        passOver([&] { printer.paintPicture(picture->picture(), 0, 0, 2500, 2500); });
        for (int i = 0; i < 12; ++i)
            passOver([&] { printer.print(); });
        const QList<QPair<QString, QString>> lines = cardLines();
        for (int i = 0; i < lines.size(); ++i) {
            // A step inserts blanks, as on the receipt: every value stays on
            // its caption's line. A long value (an allergy note in the
            // comments) wraps inside the page from where it starts, and goes
            // on over the page; the formulas then start below it.
            const qv::PrintItem value = qv::Wrapped(lines[i].second);
            if (separated(i + 1))
                passOver([&] { printer.print({qv::Spc(1), lines[i].first, qv::Spc(10), value}); });
            else
                passOver([&] { printer.print({qv::Spc(1), lines[i].first, value}); });
        }
        for (int i = 0; i < 3; ++i)
            passOver([&] { printer.print(); });
        passOver([&] { printer.print({qv::Spc(1), captionLabels.value(FormulasCaption)->text(), qv::Spc(30)}); });
        passOver([&] { printRichText(*formulasBox, 4000, 7600, 4000, 0); });
    }
    passOver([] { qv::printer().endDoc(); });
}

void CustomerWindow::printFormulas()
{
    if (startPrinting())
        passOver([&] { printRichText(*formulasBox, 4000, 3600, 4000, 0); });
    passOver([] { qv::printer().endDoc(); });
}
