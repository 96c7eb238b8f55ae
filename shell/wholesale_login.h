#pragma once
// The password that opens the returned and lost boxes of the non-retail products window.
#include "shell/password_dialog.h"

class NonRetailProductsLogin : public PasswordDialog {
    Q_OBJECT
public:
    NonRetailProductsLogin();

protected:
    void unlock() override;
};
