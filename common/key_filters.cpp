#include "common/key_filters.h"

#include <QLineEdit>

void validateKeyPress(QLineEdit* box, int& keyAscii, const QString& typeWord)
{
    if (keyAscii == KeyCode::Backspace)
        return;
    if (typeWord == QLatin1String("Int")) {
        if (keyAscii < KeyCode::Digit0 || keyAscii > KeyCode::Digit9)
            keyAscii = KeyCode::Swallowed;
    } else if (typeWord == QLatin1String("Real")) {
        keyAscii = validateRealKey(keyAscii, box);
    }
}

int validateRealKey(int keyAscii, QLineEdit* box)
{
    if (keyAscii < KeyCode::Minus || keyAscii > KeyCode::Digit9)
        return KeyCode::Swallowed;
    if (keyAscii == KeyCode::Slash)
        return KeyCode::Swallowed;
    if (keyAscii == KeyCode::Minus || keyAscii == KeyCode::Point) {
        // A box that cannot be read filters nothing.
        if (!box)
            return keyAscii;
        const QString text = box->text();
        if (keyAscii == KeyCode::Minus)
            return text.isEmpty() ? keyAscii : KeyCode::Swallowed;
        return (text.isEmpty() || text.contains(u'.')) ? KeyCode::Swallowed : keyAscii;
    }
    return keyAscii;
}
