#include "common/schema.h"
#include "platform/values/error.h"

using qv::FieldDef;
using qv::FieldType;
using qv::TableDef;

namespace {

// A small builder so that each table reads as its field list.
class Fields {
public:
    explicit Fields(const QString& table) { m_def.name = table; }

    Fields& add(const QString& name, FieldType type)
    {
        FieldDef f;
        f.name = name;
        f.type = type;
        m_def.fields.append(f);
        return *this;
    }
    Fields& text(const QString& name) { return add(name, FieldType::Text); }
    Fields& memo(const QString& name) { return add(name, FieldType::Memo); }
    Fields& number(const QString& name) { return add(name, FieldType::Double); }
    Fields& money(const QString& name) { return add(name, FieldType::Currency); }
    Fields& date(const QString& name) { return add(name, FieldType::DateTime); }
    // A key the table fills itself when a row is added.
    Fields& autoNumber(const QString& name)
    {
        add(name, FieldType::Long);
        m_def.fields.last().autoNumber = true;
        m_def.fields.last().unique = true;
        return *this;
    }
    Fields& requiredUnique()
    {
        m_def.fields.last().required = true;
        m_def.fields.last().unique = true;
        return *this;
    }
    // name + "" , name + "1" ... name + (count - 1)
    Fields& series(const QString& name, FieldType type, int first, int last, bool firstUnnumbered)
    {
        for (int i = first; i <= last; ++i)
            add(i == first && firstUnnumbered ? name : name + QString::number(i), type);
        return *this;
    }
    TableDef def() const { return m_def; }

private:
    TableDef m_def;
};

TableDef users()
{
    return Fields(SalonTable::Users).text("UserName").text("Password").def();
}

// One row per appointment and its sales ticket. The ticket number is typed
// by the user and matched with LIKE, so it is text and not a key; rows are
// written back by the data layer's own row identity.
TableDef servicemenu()
{
    Fields t(SalonTable::Servicemenu);
    t.text("CustomerID").text("CustomerName").text("CustomerPhone").text("SalonArtist");
    t.date("DateAppointment").date("TimeAppointment").date("TimeBlock");
    t.memo("Memo");
    // Service slot 1's name is unnumbered, slots 2 to 4 carry one less.
    t.text("Service").text("Service1").text("Service2").text("Service3");
    t.series("ServicePrice", FieldType::Currency, 1, 4, false);
    // Quantities are whole numbers in practice, but a posted quantity is
    // whatever text the price list held; a number column keeps any of them.
    t.series("QuantityService", FieldType::Double, 1, 4, false);
    t.money("Price").number("TaxPercent").money("TaxTotals").money("Taxamount");
    // Product slot 1's fields are unnumbered, slot k carries k - 1.
    t.text("ProductsSold").series("ProductsSold", FieldType::Text, 1, 4, false);
    t.text("SystemStockNumber").series("SystemStockNumber", FieldType::Text, 1, 4, false);
    t.money("ProductsPrice").series("ProductsPrice", FieldType::Currency, 1, 4, false);
    t.number("Quantity").series("Quantity", FieldType::Double, 1, 4, false);
    t.money("ProductSales").number("taxpercent1").money("TaxTotals1").money("taxamount1");
    t.money("Totals");
    // Read by the commissions and products-sold queries; no window writes them.
    t.money("CommissionsPaid").date("TodayDate");
    t.number("Quantity5").money("ProductsPrice5");
    return t.def();
}

// Client records: everything is text but the rich-text formulas. The phone
// is what identifies a client at the desk, so the table refuses a second
// client with the same phone and a client without one.
TableDef customers()
{
    Fields t(SalonTable::Customers);
    t.autoNumber("CustomerID");
    t.text("CustomerName").text("ContactName").text("ContactTitle").text("Address").text("City");
    t.text("Region").text("PostalCode").text("Country");
    t.text("Phone").requiredUnique();
    t.text("Fax").text("Email").text("DateAppointment").text("CreditTerms").text("BirthDay");
    t.memo("Comments").text("Image").memo("ClientDetails").text("EmployeeID");
    t.memo("Formulas");
    return t.def();
}

TableDef serviceMenu1()
{
    return Fields(SalonTable::ServiceMenu1)
        .text("Service")
        .money("Price")
        .memo("Discount")
        .number("Quantity")
        .number("Taxpercent")
        .def();
}

// Retail (Price above 0) and non-retail (Price 0) stock in one table. The
// figures are typed or computed as text in the windows; the number and money
// columns take those texts, and Price must be a number for "Price>0".
TableDef stockControl()
{
    Fields t(SalonTable::StockControl);
    t.text("Category").text("Item").text("Comment");
    t.money("CostValueOfStock").number("CurrentlyInStock").date("Date");
    t.text("EmployeeID").money("GrossSales").text("Location");
    t.number("LostDamagedTotals").number("LostOrDamaged").memo("Memo");
    t.money("NetProfitFromSales").money("Price").text("QuantitySold").money("QuantityStatus");
    t.text("QuantityThisEntry").text("Retail").number("ReturnedToStock").number("ReturnToStockTotals");
    t.number("Sold").text("SourceOrSupplier").number("StartingQuantity").text("Substitute");
    t.text("SupplierID").text("SuppliersStockNumber").text("SystemStockNumber");
    t.money("Totals").text("TotalThisSale").text("UnitSize").money("WholeSale");
    t.number("taxpercent1").text("ReOrderLevel").text("BarCode");
    return t.def();
}

TableDef suppliers()
{
    return Fields(SalonTable::Suppliers)
        .autoNumber("SupplierID")
        .text("CompanyName")
        .text("ContactName")
        .text("ContactTitle")
        .text("Address")
        .text("City")
        .text("Region")
        .text("PostalCode")
        .text("Country")
        .text("Phone")
        .text("Fax")
        .text("HomePage")
        .def();
}

TableDef employees()
{
    Fields t(SalonTable::Employees);
    t.autoNumber("EmployeeID");
    t.text("LastName").text("FirstName").text("Title").date("BirthDate").date("HireDate");
    t.text("Address").text("City").text("Region").text("PostalCode").text("HomePhone").text("Extension");
    t.text("ReportsTo").memo("Notes").text("EmployeeSS").date("TerminationDate").text("Photo");
    return t.def();
}

TableDef employees1()
{
    return Fields(SalonTable::Employees1)
        .text("LastName")
        .text("FirstName")
        .money("CommissionsPaid")
        .money("CommissionsPaidProducts")
        .date("DatePaid")
        .date("DateFrom")
        .date("DateTo")
        .money("TotalsPaid")
        .def();
}

// One schedule sheet per month: 42 day cells of typed text.
TableDef calendar()
{
    Fields t(SalonTable::Calendar);
    t.text("MonthYear").memo("Memo");
    for (int i = 1; i <= 42; ++i)
        t.memo(QStringLiteral("day%1").arg(i));
    return t.def();
}

TableDef business()
{
    Fields t(SalonTable::Business);
    t.text("Business_Name").text("Address").text("City").text("State").text("Zip");
    t.text("Category").text("Location").text("ItemName").memo("ItemDescription");
    t.text("Manufacturer").text("Model").text("SerialVin");
    t.date("PurchaseDate").money("PurchasePrice").text("PurchasedFrom").text("MethodofPayment");
    t.money("ReplacementCost").money("AppraisedValue").text("AppriasedBy").date("AppraisalDate");
    t.text("Imagekey").text("On_OffSite").memo("Notes");
    return t.def();
}

} // namespace

QList<TableDef> salonTables()
{
    return {users(),     servicemenu(), customers(),  serviceMenu1(), stockControl(),
            suppliers(), employees(),   employees1(), calendar(),     business()};
}

TableDef salonTable(const QString& name)
{
    for (const TableDef& t : salonTables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    throw qv::Error(QStringLiteral("The table '%1' is not one of the salon's tables.").arg(name));
}

void createSalonDatabase(const QString& file)
{
    qv::Database::create(file, salonTables());
}
