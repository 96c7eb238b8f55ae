#pragma once
// The gift certificate: a ready-made certificate shown as a picture, printed
// as the window appears on screen and filled in by hand. It holds no data.
#include "platform/forms/window.h"
#include <QImage>

class QLabel;
class QPushButton;

class GiftCertificate : public qv::Window {
    Q_OBJECT
public:
    explicit GiftCertificate(QWidget* parent = nullptr);
    // The certificate artwork (570 x 273 pixels).
    static QImage certificatePicture();

protected:
    void formLoad() override;

private:
    void printCertificate();

    // Controls; tests find them by their objectName.
    QLabel* certificateImage = nullptr;
    QPushButton* printButton = nullptr;
};
