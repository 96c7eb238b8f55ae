#pragma once
// The longest values the salon ordinarily keeps in its name fields: the room
// a grid column, a list or a box showing such a value leaves for it.
#include <QString>

namespace OrdinaryValue {
// A client's or an employee's first and last name.
inline const QString personName = QStringLiteral("Alexandra Montgomery");
// A product's name of 30 characters.
inline const QString productName = QStringLiteral("Crème Developer 20 Volume 32oz");
// A vendor's company name.
inline const QString vendorName = QStringLiteral("Mediterranean Beauty Supply Co");
}
