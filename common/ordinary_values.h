#pragma once
// The longest values the salon ordinarily keeps in its name fields: the room
// a grid column, a list or a box showing such a value leaves for it.
#include <QString>

namespace OrdinaryValue {
// A client's whole name at its longest: double first and last names run to
// 30 characters, as long as a product's name.
inline const QString clientName = QStringLiteral("Mary-Kate Alexandra-Montgomery");
// A product's name of 30 characters.
inline const QString productName = QStringLiteral("Crème Developer 20 Volume 32oz");
// A vendor's company name.
inline const QString vendorName = QStringLiteral("Mediterranean Beauty Supply Co");
}
