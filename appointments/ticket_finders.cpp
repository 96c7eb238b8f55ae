// Finding tickets: by phone, by client name, by ticket number (each jumps to
// the first ticket whose field contains the typed text), and every ticket of
// a range of appointment dates listed in the grid.
#include "appointments/ticket_finders.h"

#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "common/find_by_text.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"

const QString kDateRangeQuery =
    QStringLiteral("SELECT *FROM Servicemenu  WHERE DateAppointment >= ? And DateAppointment<= ? ");

void AppointmentBook::findTicket(const QString& field, const QString& prompt, const QString& notFound)
{
    // The tender of the ticket left must not print on the one found.
    if (findByTextAndShow(*primaryRecordset, field, prompt, notFound))
        clearTenderedAndChange();
}

void AppointmentBook::findByPhone()
{
    findTicket(QStringLiteral("CustomerPhone"),
               QStringLiteral("To find an appointment for this client,enter their Phone Number. Example: Enter "
                              "434-8888 not 4348888.Note:This search will only find appointments scheduled for "
                              "this client."),
               QStringLiteral("Could not find appointment for this number. "));
}

void AppointmentBook::findByClientName()
{
    findTicket(QStringLiteral("CustomerName"),
               QStringLiteral("To find a scheduled appointment for this client ,enter a last name for this "
                              "client.Note:Do not use names with apostrophe's ie:O'brien..Enter Obrien as name and "
                              "search by Obrien."),
               QStringLiteral("Could not find a client by this last name. "));
}

void AppointmentBook::findByTicketNumber()
{
    findTicket(QStringLiteral("CustomerID"),
               QStringLiteral("Search by ticket to find a scheduled appointment for this client."),
               QStringLiteral("Could not find a client by this ticket. "));
}

void AppointmentBook::findDateRange()
{
    auto connection = std::make_unique<qv::Connection>();
    connection->open(recordWindowConnectionString());
    m_searchConnection = std::move(connection);

    const QString from = box(RangeFromBox)->text();
    const QString to = box(RangeToBox)->text();
    if (from.isEmpty() && to.isEmpty()) {
        qv::ui().msgBox(QStringLiteral(
            " You must enter a range of dates, or if searching one date enter the same date into both textboxes."));
        return;
    }
    const std::optional<DateRange> range = readDateRange(from, to);
    if (!range) {
        qv::ui().msgBox(kUnreadableDateRange);
        return;
    }
    m_queryText = kDateRangeQuery;
    try {
        std::shared_ptr<qv::Recordset> rows = m_searchConnection->execute(m_queryText, {range->from, range->to});
        m_searchResult = rows;
        bindGridTo(rows, GridShows::DateRange);
    } catch (...) {
    }
}

void AppointmentBook::clearDateRange()
{
    box(RangeFromBox)->setText(QString());
    box(RangeToBox)->setText(QString());
}
