// "Enter": the client's artist, name and phone into the header of the
// appointment book's current ticket, as typing would; the book saves them.
#include "customers/customer_window.h"

#include "appointments/appointment_book.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"

void frmCustomers::Command9_Click()
{
    Form3* book = Form3::ticketForWriting();
    if (!book)
        return;
    // Only a phone that starts with a number of 1 or more counts as a client
    // already entered.
    if (qv::leadingNumber(book->clientPhone()->text()) >= 1) {
        Command9->setEnabled(false);
        qv::ui().msgBox(QStringLiteral("There is already a client entry made into the corresponding box on the "
                                       "appointment form. First click Add on the Appointment form."));
        qv::ui().msgBox(QStringLiteral(" Click Refresh button to enable again."));
        return;
    }
    Command9->setEnabled(true);
    book->salonArtist()->setBoxText(txtfields.value(1)->text());
    book->clientName()->setBoxText(txtfields.value(0)->text());
    book->clientPhone()->setBoxText(txtfields.value(8)->text());
}
