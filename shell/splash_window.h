#pragma once
// The splash window: Start leads to the main screen, any typed key or a
// click on the frame goes straight to the appointment book, Exit ends.
#include "platform/forms/window.h"

class QGroupBox;
class QLabel;
class QPushButton;

class frmSplash : public qv::Window {
    Q_OBJECT
public:
    frmSplash();

    QGroupBox* Frame1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblPlatform = nullptr;
    QPushButton* Command2 = nullptr;   // Start
    QPushButton* Command1 = nullptr;   // Exit

    void Command2_Click();
    void Command1_Click();
    void Frame1_Click();

protected:
    void formLoad() override;
    void formKeyPress(int& keyAscii) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void openAppointmentBook();
};
