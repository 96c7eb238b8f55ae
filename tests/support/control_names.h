#pragma once
// Tests hold a window's controls as anyone checking it against its
// description does: by the names the controls carry (QObject::objectName),
// through QObject::findChild. A member of a control array carries the
// array's name, an underscore and its index ("txtfields_5").
#include <QString>

namespace qvtest {

inline QString arrayMember(const char* array, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

} // namespace qvtest
