#pragma once
// The user list: the names and passwords of table Users that may sign in to
// the management area, with a button that tries a login.
#include "common/record_form.h"

class QPushButton;

class UserList : public RecordForm {
    Q_OBJECT
public:
    // The boxes by the field each shows; the values are the numbers in their
    // objectNames ("txtfields_0").
    enum Box : int {
        PasswordBox = 0,   // Password
        UserNameBox = 1,   // UserName
    };

    UserList();

protected:
    QString connectionString() const override;
    QString recordSource() const override;

private:
    void testLogin();

    // Controls; tests and other windows find them by their objectName.
    QLabel* assignUsersNote = nullptr;
    QPushButton* testLoginButton = nullptr;
};
