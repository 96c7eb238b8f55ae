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

QList<Form2::PrintLine> Form2::printLines() const
{
    struct Source {
        QLabel* caption;
        int box;
        bool stepped;
    };
    const QList<Source> sources = {
        {lblLabels.value(21), 23, false}, {lblLabels.value(20), 22, true}, {lblLabels.value(19), 21, true},
        {lblLabels.value(18), 20, true},  {lblLabels.value(17), 19, true}, {lblLabels.value(1), 1, true},
        {Label5, 17, true},               {lblLabels.value(2), 2, true},   {lblLabels.value(3), 3, false},
        {lblLabels.value(4), 4, false},   {lblLabels.value(5), 5, true},   {lblLabels.value(6), 6, true},
        {lblLabels.value(7), 7, false},   {lblLabels.value(8), 8, false},  {lblLabels.value(9), 9, false},
        {lblLabels.value(10), 10, false}, {lblLabels.value(11), 11, false}, {lblLabels.value(12), 12, false},
        {lblLabels.value(13), 13, false}, {lblLabels.value(14), 14, false},
    };
    QList<PrintLine> lines;
    for (const Source& s : sources)
        lines.append({s.caption->text(), txtfields.value(s.box)->text(), s.stepped});
    return lines;
}

void Form2::Command1_Click()
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
        passOver([&] { PrintRTF(*rtf3, 3500, 13000, 4500, 0); });
    }
    passOver([] { qv::printer().endDoc(); });
}
