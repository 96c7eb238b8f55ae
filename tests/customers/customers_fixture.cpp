#include "customers_fixture.h"

CustomerWindow& CustomersTest::open()
{
    m_window = &showWindow<CustomerWindow>();
    return *m_window;
}

QVariant CustomersTest::stored(const QString& name, const QString& field)
{
    return storedIn(QStringLiteral("Customers"), QStringLiteral("CustomerName"), name, field);
}
