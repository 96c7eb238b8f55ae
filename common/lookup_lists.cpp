#include "common/lookup_lists.h"
#include "platform/data/recordset.h"
#include "platform/services/services.h"
#include "platform/values/error.h"

#include <QStringList>

std::shared_ptr<qv::Recordset> openLookupList(const QString& query, const QString& connectionString)
{
    // A file that is no salon database fails the same way at every attempt:
    // the user is told once, not once an attempt.
    QStringList told;
    const auto tell = [&told](const QString& text) {
        if (told.contains(text))
            return;
        told << text;
        qv::ui().msgBox(text, qv::MsgStyle::Critical);
    };
    for (int attempt = 0; attempt < kLookupAttempts; ++attempt) {
        try {
            auto rows = std::make_shared<qv::Recordset>();
            rows->openDisconnected(query, connectionString);
            return rows;
        } catch (const qv::Error& e) {
            tell(e.description());
        } catch (const std::exception& e) {
            tell(QString::fromLocal8Bit(e.what()));
        }
    }
    return nullptr;
}

std::shared_ptr<qv::Recordset> SupplierLookup::rows(const QString& connectionString)
{
    return openLookupList(QStringLiteral("Select * from Suppliers"), connectionString);
}

std::shared_ptr<qv::Recordset> ClientLookup::rows(const QString& connectionString)
{
    return openLookupList(QStringLiteral("Select * from Customers"), connectionString);
}

std::shared_ptr<qv::Recordset> EmployeeLookup::rows(const QString& connectionString)
{
    return openLookupList(QStringLiteral("Select * from Employees"), connectionString);
}
