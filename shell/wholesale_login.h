#pragma once
// The password that opens the returned and lost boxes of the non-retail products window.
#include "shell/password_dialog.h"

class frmLogin3 : public PasswordDialog {
    Q_OBJECT
public:
    frmLogin3();

protected:
    void unlock() override;
};
