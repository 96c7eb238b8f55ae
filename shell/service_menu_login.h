#pragma once
// The password that opens the service price list for editing.
#include "shell/password_dialog.h"

class ServiceMenuLogin : public PasswordDialog {
    Q_OBJECT
public:
    ServiceMenuLogin();

protected:
    void unlock() override;
};
