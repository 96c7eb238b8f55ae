#pragma once
// The password that puts the retail products window into manager mode.
#include "shell/password_dialog.h"

class frmLogin2 : public PasswordDialog {
    Q_OBJECT
public:
    frmLogin2();

protected:
    void unlock() override;
};
