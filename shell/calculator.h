#pragma once
// The four-function calculator: mouse clicks on its buttons only, a readout
// that shows the entry being typed (with the decimal separator at its end
// until a fraction digit follows) or the last result.
#include "platform/forms/window.h"

#include <QList>
#include <QString>

class QLabel;
class QPushButton;

class Calculator : public qv::Window {
    Q_OBJECT
public:
    Calculator();
    // The decimal separator of the user's settings, as the readout shows it.
    static QString decimalSeparator();

protected:
    void formLoad() override;

private:
    // The left operand holds the typed text until a computation turns it
    // into a number; a refused division leaves the text as it was typed.
    struct Operand {
        bool isText = false;
        QString text;
        double number = 0;
    };

    // The buttons.
    void typeDigit(int index);
    void pressOperator(int index);
    void typeDecimalPoint();
    void takePercent();
    void clearAll();
    void clearEntry();

    void startOver();
    void setReadout(const QString& text);
    QString shown(const Operand& operand) const;
    // A number beyond a double: said so, and the calculator stays as it was.
    void reportOverflow() const;

    // Controls; tests and other windows find them by their objectName.
    QLabel* readout = nullptr;
    double m_readoutPoints = 0;                 // the readout's own type size
    QList<QPushButton*> digitButtons;           // "0" to "9", by digit
    QList<QPushButton*> operatorButtons;        // "/", "+", "X", "-", "="
    QPushButton* clearButton = nullptr;         // "C"
    QPushButton* clearEntryButton = nullptr;    // "CE"
    QPushButton* decimalPointButton = nullptr;  // "."
    QPushButton* percentButton = nullptr;       // "%"

    Operand m_first;
    QString m_second;
    bool m_point = false;
    int m_operands = 0;
    QString m_lastInput = QStringLiteral("NONE");
    QString m_pending = QStringLiteral(" ");
    QString m_readoutCopy;
};
