#pragma once
// The main screen: the appointment book for everyone, the management area
// behind the management password.
#include "platform/forms/window.h"

class QLabel;
class QToolButton;

class MainScreen : public qv::Window {
    Q_OBJECT
public:
    MainScreen();

protected:
    void formLoad() override;

private:
    void openAppointmentBook();
    void askManagementPassword();

    // Controls; tests and other windows find them by their objectName.
    QToolButton* appointmentBookButton = nullptr;
    QLabel* employeeAreaLabel = nullptr;
    QToolButton* managementButton = nullptr;
    QLabel* managementAreaLabel = nullptr;
    QLabel* logo = nullptr;
};
