#pragma once
// The password that opens the service price list for editing.
#include "shell/password_dialog.h"

class frmLogin4 : public PasswordDialog {
    Q_OBJECT
public:
    frmLogin4();

protected:
    void unlock() override;
};
