#pragma once
// The user login: a name and password from table Users lead to the
// management menu.
#include "platform/forms/window.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace qv { class Connection; }

class UserLogin : public qv::Window {
    Q_OBJECT
public:
    UserLogin();

protected:
    void formLoad() override;
    void showEvent(QShowEvent* e) override;

private:
    void logIn();
    void cancelLogin();

    // Controls; tests and other windows find them by their objectName.
    QLabel* restrictedNote = nullptr;
    QLabel* userNameLabel = nullptr;
    QLineEdit* userNameBox = nullptr;
    QLabel* passwordLabel = nullptr;
    QLineEdit* passwordBox = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QLabel* banner = nullptr;
    QLabel* padlock = nullptr;
};

namespace shell {

// How many rows of Users carry this name and password. Both are bound as
// values, never pasted into the SQL text; letter case is ignored and blanks
// count.
int countUsers(qv::Connection& connection, const QString& userName, const QString& password);

} // namespace shell
