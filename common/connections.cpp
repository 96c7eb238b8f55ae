#include "common/connections.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"

namespace {

const QString kFile = QStringLiteral("KVD.mdb");

bool endsInSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/'));
}

} // namespace

QString programFolder()
{
    return qv::ProgramFolder::path();
}

QString databasePath()
{
    QString folder = programFolder();
    if (!endsInSeparator(folder))
        folder += QLatin1Char('\\');
    return folder + kFile;
}

QString databasePathPlain()
{
    return programFolder() + QStringLiteral("\\") + kFile;
}

QString jetConnectionString(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path
        + QStringLiteral(";Persist Security Info=False");
}

QString recordWindowConnectionString()
{
    return jetConnectionString(databasePathPlain());
}

QString reportConnectionString()
{
    return jetConnectionString(databasePath());
}

QString lookupConnectionString()
{
    // The same text as the record windows', kept by the windows for their lists.
    return recordWindowConnectionString();
}

QString userListConnectionString()
{
    return QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=") + databasePathPlain() + QLatin1Char(';');
}

QString shapeConnectionString()
{
    return QStringLiteral("PROVIDER=MSDataShape;Data PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=") + databasePathPlain()
        + QLatin1Char(';');
}

QString chartConnectionString()
{
    return QStringLiteral("Provider=MSDataShape;Data Source=") + databasePathPlain()
        + QStringLiteral(";Data Provider=Microsoft.Jet.OLEDB.4.0");
}

bool countGuardedOpen(const QString& countSql)
{
    qv::Connection connection;
    connection.open(recordWindowConnectionString());
    qv::Recordset rs;
    rs.open(countSql, connection);
    const QVariant count = rs.value(0);
    return !count.isNull() && count.toDouble() != 0;
}

ReportQuery::ReportQuery(const QString& sql)
    : m_connection(std::make_unique<qv::Connection>())
{
    m_connection->open(reportConnectionString());
    m_rows = m_connection->execute(sql);
}

ReportQuery::~ReportQuery()
{
    close();
}

void ReportQuery::close()
{
    if (m_rows && m_rows->isOpen())
        m_rows->close();
    if (m_connection && m_connection->isOpen())
        m_connection->close();
}
