#pragma once
// The management password between the main screen and the management menu.
#include "shell/password_dialog.h"

class ManagementLogin : public PasswordDialog {
    Q_OBJECT
public:
    ManagementLogin();

protected:
    void unlock() override;
};
