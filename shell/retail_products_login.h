#pragma once
// The password that puts the retail products window into manager mode.
#include "shell/password_dialog.h"

class RetailProductsLogin : public PasswordDialog {
    Q_OBJECT
public:
    RetailProductsLogin();

protected:
    void unlock() override;
};
