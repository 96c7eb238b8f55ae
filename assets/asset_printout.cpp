// The asset record on the printer: the item's picture squeezed into a square
// at the corner, the business and item lines below it, the notes as rich
// text low on the page. Everything comes from the window as it stands, so
// unsaved edits print too.
#include "assets/business_assets.h"

#include "common/pass_over.h"
#include "common/picture_viewport.h"
#include "common/rich_text_print.h"
#include "platform/print/printer.h"
#include "platform/print/rich_text_box.h"

QList<BusinessAssets::PrintLine> BusinessAssets::printLines() const
{
    struct Source {
        QLabel* caption;
        int box;
        bool stepped;
    };
    const QList<Source> sources = {
        {lblLabels.value(BusinessNameCaption), BusinessNameBox, false},
        {lblLabels.value(AddressCaption), AddressBox, true},
        {lblLabels.value(CityCaption), CityBox, true},
        {lblLabels.value(StateCaption), StateBox, true},
        {lblLabels.value(ZipCaption), ZipBox, true},
        {lblLabels.value(LocationCaption), LocationBox, true},
        {siteLabel, SiteBox, true},
        {lblLabels.value(ItemNameCaption), ItemNameBox, true},
        {lblLabels.value(ItemDescriptionCaption), ItemDescriptionBox, false},
        {lblLabels.value(ManufacturerCaption), ManufacturerBox, false},
        {lblLabels.value(ModelCaption), ModelBox, true},
        {lblLabels.value(SerialVinCaption), SerialVinBox, true},
        {lblLabels.value(PurchasePriceCaption), PurchasePriceBox, false},
        {lblLabels.value(PurchaseDateCaption), PurchaseDateBox, false},
        {lblLabels.value(PurchasedFromCaption), PurchasedFromBox, false},
        {lblLabels.value(ReplacementCostCaption), ReplacementCostBox, false},
        {lblLabels.value(AppraisedValueCaption), AppraisedValueBox, false},
        {lblLabels.value(AppraisalDateCaption), AppraisalDateBox, false},
        {lblLabels.value(AppraisedByCaption), AppraisedByBox, false},
        {lblLabels.value(MethodOfPaymentCaption), MethodOfPaymentBox, false},
    };
    QList<PrintLine> lines;
    for (const Source& s : sources)
        lines.append({s.caption->text(), txtfields.value(s.box)->text(), s.stepped});
    return lines;
}

void BusinessAssets::printRecord()
{
    bool chosen = false;
    passOver([&] { chosen = qv::choosePrinter(); });
    passOver([] { qv::printer().setPrintQuality(qv::PrintQuality::High); });
    if (chosen) {
        qv::Printer& printer = qv::printer();
        passOver([&] {
            printer.setFontBold(true);
            printer.setFontName(QStringLiteral("Arial"));
            printer.setFontSize(10);
        });
        passOver([&] { printer.print(); });
        // Square, whatever the picture's proportions; the print position stays.
        passOver([&] { printer.paintPicture(picture->picture(), 0, 0, 2500, 2500); });
        for (int i = 0; i < 14; ++i)
            passOver([&] { printer.print(); });
        const QList<PrintLine> lines = printLines();
        for (int i = 0; i < lines.size(); ++i) {
            // From the location on, each line has an empty line before it.
            if (i >= 5)
                passOver([&] { printer.print(); });
            const PrintLine& line = lines[i];
            // A step inserts blanks, as on the other cards: every value stays on its caption's line.
            if (line.stepped)
                passOver([&] { printer.print({qv::Spc(1), line.caption, qv::Spc(10), line.text}); });
            else
                passOver([&] { printer.print({qv::Spc(1), line.caption, line.text}); });
        }
        passOver([&] { printer.print(); });
        passOver([&] { PrintRTF(*notesBox, 3500, 13000, 4500, 0); });
    }
    passOver([] { qv::printer().endDoc(); });
}
