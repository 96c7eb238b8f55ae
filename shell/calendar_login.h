#pragma once
// The password that opens the schedule calendar for editing.
#include "shell/password_dialog.h"

class frmLogin5 : public PasswordDialog {
    Q_OBJECT
public:
    frmLogin5();

protected:
    void unlock() override;
};
