#pragma once
// The splash window: Start leads to the main screen, any typed key or a
// click on the frame goes straight to the appointment book, Exit ends.
#include "platform/forms/window.h"

class QGroupBox;
class QLabel;
class QPushButton;

class SplashWindow : public qv::Window {
    Q_OBJECT
public:
    SplashWindow();

protected:
    void formLoad() override;
    void formKeyPress(int& keyAscii) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Handlers of Start, Exit and a click on the frame.
    void showMainScreen();
    void exitProgram();
    void skipToAppointmentBook();
    // Where a click on the frame or a typed key leads.
    void openAppointmentBook();

    // Controls; tests and other windows find them by their objectName.
    QGroupBox* productFrame = nullptr;
    QLabel* logo = nullptr;
    QLabel* productNameLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* platformLabel = nullptr;
    QPushButton* startButton = nullptr;
    QPushButton* exitButton = nullptr;
};
