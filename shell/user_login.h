#pragma once
// The user login: a name and password from table Users lead to the
// management menu.
#include "platform/forms/window.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace qv { class Connection; }

class frmLogin : public qv::Window {
    Q_OBJECT
public:
    frmLogin();

    QLabel* Label4 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtUserName = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* Command1 = nullptr;   // OK
    QPushButton* Command2 = nullptr;   // Cancel
    QLabel* Picture1 = nullptr;
    QLabel* Image2 = nullptr;

    void Command1_Click();
    void Command2_Click();

protected:
    void formLoad() override;
    void showEvent(QShowEvent* e) override;
};

namespace shell {

// How many rows of Users carry this name and password. Both are bound as
// values, never pasted into the SQL text; letter case is ignored and blanks
// count.
int countUsers(qv::Connection& connection, const QString& userName, const QString& password);

} // namespace shell
