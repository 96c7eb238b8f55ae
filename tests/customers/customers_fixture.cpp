#include "customers_fixture.h"

frmCustomers& CustomersTest::open()
{
    m_window = &showWindow<frmCustomers>();
    return *m_window;
}

QVariant CustomersTest::stored(const QString& name, const QString& field)
{
    return storedIn(QStringLiteral("Customers"), QStringLiteral("CustomerName"), name, field);
}
