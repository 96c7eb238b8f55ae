#pragma once
// Lists of rows for drop-down lists, each read into memory and cut loose from
// the database, so that a window fills a list without keeping a second
// connection open. Each call reads the table anew; the classes keep nothing.
//
// A failure shows the data layer's text in a critical message box (the same
// text once only) and the read is tried again, a few times; then the
// function gives up and returns nullptr (the caller shows an empty list).
#include <QString>
#include <memory>

namespace qv { class Recordset; }

// How often a failing read is tried before the list is given up.
constexpr int kLookupAttempts = 3;

// Opens the query on a connection of its own (the connection string the
// caller keeps), detaches the rows and returns them read-only; nullptr after
// kLookupAttempts failures, each different failure shown once.
std::shared_ptr<qv::Recordset> openLookupList(const QString& query, const QString& connectionString);

// The vendors ("Select * from Suppliers"): the stock-control window's supplier list.
class SupplierLookup {
public:
    std::shared_ptr<qv::Recordset> rows(const QString& connectionString);
};

// The clients ("Select * from Customers").
class ClientLookup {
public:
    std::shared_ptr<qv::Recordset> rows(const QString& connectionString);
};

// The employees ("Select * from Employees"): the appointment book's artist
// list and the commissions-paid window's name lists.
class EmployeeLookup {
public:
    std::shared_ptr<qv::Recordset> rows(const QString& connectionString);
};
