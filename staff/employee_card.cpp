// The employee card: the photo in a square at the corner of the sheet and,
// below it, fourteen caption and value lines of what the window shows now.
#include "staff/employee_window.h"

#include "common/pass_over.h"
#include "common/picture_viewport.h"
#include "platform/forms/controls.h"
#include "platform/print/printer.h"

namespace {

// Box per card line, top to bottom; each is printed after its own caption.
// The social security number, the termination date and the photo path stay off the card.
const int kCardBoxes[] = {EmployeeWindow::EmployeeIdBox, EmployeeWindow::LastNameBox, EmployeeWindow::FirstNameBox,
                          EmployeeWindow::AddressBox, EmployeeWindow::CityBox, EmployeeWindow::StateBox,
                          EmployeeWindow::ZipCodeBox, EmployeeWindow::PhoneBox, EmployeeWindow::ExtensionBox,
                          EmployeeWindow::BirthDateBox, EmployeeWindow::HireDateBox, EmployeeWindow::TitleBox,
                          EmployeeWindow::ReportsToBox, EmployeeWindow::NotesBox};

} // namespace

QList<QPair<QString, QString>> EmployeeWindow::cardLines() const
{
    QList<QPair<QString, QString>> lines;
    for (int box : kCardBoxes)
        lines.append({captionLabels.value(box == EmployeeIdBox ? EmployeeIdCaption : box + 1)->text(),
                      fieldBoxes.value(box)->text()});
    return lines;
}

void EmployeeWindow::printEmployeeCard()
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
        // Square, whatever the photo's proportions; nothing without a photo.
        passOver([&] {
            const QImage photo = picture->picture();
            if (!photo.isNull())
                printer.paintPicture(photo, 0, 0, 2500, 2500);
        });
        for (int i = 0; i < 14; ++i)
            passOver([&] { printer.print(); });
        // A step of one blank, then caption and value run together.
        for (const auto& line : cardLines())
            passOver([&] { printer.print({qv::Spc(1), line.first, line.second}); });
    }
    passOver([] { qv::printer().endDoc(); });
}
