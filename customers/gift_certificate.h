#pragma once
// The gift certificate: a ready-made certificate shown as a picture, printed
// as the window appears on screen and filled in by hand. It holds no data.
#include "platform/forms/window.h"
#include <QImage>

class QLabel;
class QPushButton;

class Form4 : public qv::Window {
    Q_OBJECT
public:
    explicit Form4(QWidget* parent = nullptr);

    void Command1_Click();   // "Print"

    // The certificate artwork (570 x 273 pixels).
    static QImage certificatePicture();

    QLabel* Image1 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void formLoad() override;
};
