#pragma once
// The main screen: the appointment book for everyone, the management area
// behind the management password.
#include "platform/forms/window.h"

class QLabel;
class QToolButton;

class FrmMain : public qv::Window {
    Q_OBJECT
public:
    FrmMain();

    QToolButton* Command7 = nullptr;    // appointment book
    QLabel* Label2 = nullptr;
    QToolButton* Command10 = nullptr;   // management
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;

    void Command7_Click();
    void Command10_Click();

protected:
    void formLoad() override;
};
