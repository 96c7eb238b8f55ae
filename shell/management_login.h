#pragma once
// The management password between the main screen and the management menu.
#include "shell/password_dialog.h"

class frmLogin1 : public PasswordDialog {
    Q_OBJECT
public:
    frmLogin1();

protected:
    void unlock() override;
};
