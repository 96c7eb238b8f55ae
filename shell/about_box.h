#pragma once
// The about box: the program's title and version, and the screen size the
// windows were laid out for.
#include "platform/forms/window.h"

class QLabel;
class QPushButton;

class AboutBox : public qv::Window {
    Q_OBJECT
public:
    AboutBox();

protected:
    void formLoad() override;

private:
    void dismiss();

    // Controls; tests and other windows find them by their objectName.
    QLabel* logo = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* screenSizeNote = nullptr;
    QPushButton* okButton = nullptr;
};
