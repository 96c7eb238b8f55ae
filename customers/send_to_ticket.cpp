// "Enter": the client's artist, name and phone into the header of the
// appointment book's ticket being added or edited, as typing would; the book
// saves them.
#include "customers/customer_window.h"

#include "appointments/appointment_book.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"

void CustomerWindow::sendClientToTicket()
{
    AppointmentBook* book = AppointmentBook::ticketForWriting();
    if (!book)
        return;
    // Only a ticket being added or edited takes a client: a saved ticket
    // being looked at keeps its client, phone and artist (with them its sale
    // and commission), whatever its phone box holds. On a ticket being
    // written, a phone that reads as a number ("858-9899" reads 858) is a
    // client entered already; one that does not ("(212) 555-1212", letters,
    // blanks) is written over.
    const bool beingWritten = book->isAddingRecord() || book->isEditingRecord();
    if (!beingWritten || qv::leadingNumber(book->clientPhone()->text()) >= 1) {
        sendToTicketButton->setEnabled(false);
        qv::ui().msgBox(QStringLiteral("There is already a client entry made into the corresponding box on the "
                                       "appointment form. First click Add on the Appointment form."));
        qv::ui().msgBox(QStringLiteral(" Click Refresh button to enable again."));
        return;
    }
    sendToTicketButton->setEnabled(true);
    book->salonArtist()->setBoxText(fieldBoxes.value(ArtistBox)->text());
    book->clientName()->setBoxText(fieldBoxes.value(NameBox)->text());
    book->clientPhone()->setBoxText(fieldBoxes.value(PhoneBox)->text());
}
