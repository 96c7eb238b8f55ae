#pragma once
// Small readers for recordsets in the salon's tests.
#include "platform/data/recordset.h"
#include "platform/values/money.h"
#include "support/recordset_readers.h"
#include <QString>
#include <QVariant>
#include <ostream>

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace salontest {

// A number whatever the field type (money, double, whole number, numeric text).
inline double num(const QVariant& v)
{
    if (v.userType() == qMetaTypeId<qv::Money>())
        return v.value<qv::Money>().toDouble();
    return v.toDouble();
}

// Moves to the first row whose field shows the text; false (at EOF) when none.
inline bool moveTo(qv::Recordset& rs, const QString& field, const QString& text)
{
    if (rs.recordCount() == 0)
        return false;
    rs.moveFirst();
    while (!rs.eof()) {
        if (rs.value(field).toString() == text)
            return true;
        rs.moveNext();
    }
    return false;
}

using qvtest::column;

inline double columnSum(qv::Recordset& rs, const QString& field)
{
    double sum = 0;
    if (rs.recordCount() == 0)
        return 0;
    rs.moveFirst();
    while (!rs.eof()) {
        sum += num(rs.value(field));
        rs.moveNext();
    }
    return sum;
}

} // namespace salontest
