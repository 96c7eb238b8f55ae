#pragma once
// The salon's ten tables, field by field, and the empty database made of them.
// The program never changes the structure of an existing file; a missing
// "KVD.mdb" is created empty from these definitions.
#include "platform/data/database.h"
#include <QList>
#include <QString>

// Table names as the windows spell them in their queries (the data layer
// compares table and field names without regard to case).
namespace SalonTable {
inline const QString Users = QStringLiteral("Users");
inline const QString Servicemenu = QStringLiteral("Servicemenu");
inline const QString Customers = QStringLiteral("Customers");
inline const QString ServiceMenu1 = QStringLiteral("ServiceMenu1");
inline const QString StockControl = QStringLiteral("StockControl");
inline const QString Suppliers = QStringLiteral("Suppliers");
inline const QString Employees = QStringLiteral("Employees");
inline const QString Employees1 = QStringLiteral("Employees1");
inline const QString Calendar = QStringLiteral("Calendar");
inline const QString Business = QStringLiteral("Business");
}

// Every table with every field, in the order the windows and reports expect
// them (a "SELECT *" returns the fields in this order).
QList<qv::TableDef> salonTables();

// One table's definition; throws qv::Error for an unknown name.
qv::TableDef salonTable(const QString& name);

// Creates an empty database holding the ten tables. Refuses to touch an
// existing file (qv::Error).
void createSalonDatabase(const QString& file);
