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
        {captionLabels.value(BusinessNameCaption), BusinessNameBox, false},
        {captionLabels.value(AddressCaption), AddressBox, true},
        {captionLabels.value(CityCaption), CityBox, true},
        {captionLabels.value(StateCaption), StateBox, true},
        {captionLabels.value(ZipCaption), ZipBox, true},
        {captionLabels.value(LocationCaption), LocationBox, true},
        {siteLabel, SiteBox, true},
        {captionLabels.value(ItemNameCaption), ItemNameBox, true},
        {captionLabels.value(ItemDescriptionCaption), ItemDescriptionBox, false},
        {captionLabels.value(ManufacturerCaption), ManufacturerBox, false},
        {captionLabels.value(ModelCaption), ModelBox, true},
        {captionLabels.value(SerialVinCaption), SerialVinBox, true},
        {captionLabels.value(PurchasePriceCaption), PurchasePriceBox, false},
        {captionLabels.value(PurchaseDateCaption), PurchaseDateBox, false},
        {captionLabels.value(PurchasedFromCaption), PurchasedFromBox, false},
        {captionLabels.value(ReplacementCostCaption), ReplacementCostBox, false},
        {captionLabels.value(AppraisedValueCaption), AppraisedValueBox, false},
        {captionLabels.value(AppraisalDateCaption), AppraisalDateBox, false},
        {captionLabels.value(AppraisedByCaption), AppraisedByBox, false},
        {captionLabels.value(MethodOfPaymentCaption), MethodOfPaymentBox, false},
    };
    QList<PrintLine> lines;
    for (const Source& s : sources)
        lines.append({s.caption->text(), fieldBoxes.value(s.box)->text(), s.stepped});
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
        passOver([&] { printRichText(*notesBox, 3500, 13000, 4500, 0); });
    }
    passOver([] { qv::printer().endDoc(); });
}
