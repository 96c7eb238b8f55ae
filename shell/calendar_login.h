#pragma once
// The password that opens the schedule calendar for editing.
#include "shell/password_dialog.h"

class CalendarLogin : public PasswordDialog {
    Q_OBJECT
public:
    CalendarLogin();

protected:
    void unlock() override;
};
