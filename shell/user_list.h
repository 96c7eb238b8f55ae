#pragma once
// The user list: the names and passwords of table Users that may sign in to
// the management area, with a button that tries a login.
#include "common/record_form.h"

class QPushButton;

class frmUsers : public RecordForm {
    Q_OBJECT
public:
    frmUsers();

    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;   // Test Login

    void Command1_Click();

protected:
    QString connectionString() const override;
    QString recordSource() const override;
};
