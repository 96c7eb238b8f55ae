#include "common/lookup_lists.h"
#include "platform/data/recordset.h"
#include "platform/services/services.h"
#include "platform/values/error.h"

std::shared_ptr<qv::Recordset> openLookupList(const QString& query, const QString& connectionString)
{
    for (int attempt = 0; attempt < kLookupAttempts; ++attempt) {
        try {
            auto rows = std::make_shared<qv::Recordset>();
            rows->openDisconnected(query, connectionString);
            return rows;
        } catch (const qv::Error& e) {
            qv::ui().msgBox(e.description(), qv::MsgStyle::Critical);
        } catch (const std::exception& e) {
            qv::ui().msgBox(QString::fromLocal8Bit(e.what()), qv::MsgStyle::Critical);
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
