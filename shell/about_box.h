#pragma once
// The about box: the program's title and version, and the screen size the
// windows were laid out for.
#include "platform/forms/window.h"

class QLabel;
class QPushButton;

class frmAbout : public qv::Window {
    Q_OBJECT
public:
    frmAbout();

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdOK = nullptr;

    void cmdOK_Click();

protected:
    void formLoad() override;
};
