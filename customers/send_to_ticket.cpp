// "Enter": the client's artist, name and phone into the header of the
// appointment book's current ticket, as typing would; the book saves them.
#include "customers/customer_window.h"

#include "appointments/appointment_book.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"

void CustomerWindow::sendClientToTicket()
{
    AppointmentBook* book = AppointmentBook::ticketForWriting();
    if (!book)
        return;
    // Any phone on the ticket means a client is already entered, whatever
    // its form: "(212) 555-1212" reads as no number, and the saved ticket's
    // client must not be overwritten for it.
    if (!book->clientPhone()->text().trimmed().isEmpty()) {
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
