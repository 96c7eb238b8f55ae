#pragma once
// Keystroke filters for the numeric boxes of a ticket. A box's key-press
// handler passes the typed character code before the character reaches the
// box; a code set to 0 swallows the key.
#include <QString>

class QLineEdit;

namespace KeyCode {
constexpr int Swallowed = 0;
constexpr int Backspace = 8;
constexpr int Minus = 45;
constexpr int Point = 46;
constexpr int Slash = 47;
constexpr int Digit0 = 48;
constexpr int Digit9 = 57;
}

// typeWord "Int" lets only digits through, "Real" a number with a sign and
// one decimal point (see validateRealKey); any other word, in any other case,
// filters nothing. Backspace always passes.
void validateKeyPress(QLineEdit* box, int& keyAscii, const QString& typeWord);

// The code to use for a "Real" box: "-" only into an empty box, "." only
// into a box that holds text but no point yet, digits always, nothing else.
// Both tests look at the box's whole text, not at the caret or a selection.
int validateRealKey(int keyAscii, QLineEdit* box);
