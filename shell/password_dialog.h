#pragma once
// The password dialog: one template, five dialogs (ManagementLogin,
// RetailProductsLogin, NonRetailProductsLogin, ServiceMenuLogin and
// CalendarLogin) that differ in title, label and what a correct password
// unlocks. A dialog is loaded once and afterwards only hidden; each showing
// starts with an empty password box.
//
// The unlocking steps act on the controls of another window by name. Every
// window names its controls (QObject::objectName) after their names in the
// program: a single control by its name ("Command9", "cmdUpdate"), a member
// of a control array by its name, an underscore and its index ("txtfields_5"
// for txtfields(5)); the record form names its buttons and boxes so.
#include "platform/forms/window.h"
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

class PasswordDialog : public qv::Window {
    Q_OBJECT
public:
    // The one management password, compared exactly.
    static const QString kPassword;

    // Empties the password box; a window that asks for the password again
    // while the dialog is open starts it afresh.
    void clearPassword();
    // The control of a loaded window by its name in the program ("Command9",
    // "txtfields(5)"); nullptr when the window is not loaded or has no such
    // control.
    static QWidget* controlOf(const QString& window, const QString& control);

    // Set by the right password, cleared by Cancel.
    bool loginSucceeded() const { return m_loginSucceeded; }

protected:
    PasswordDialog(const QString& title, const QString& label);

    // What a correct password unlocks.
    virtual void unlock() = 0;

    // Unlocking steps on the window that opened the dialog.
    static void showControls(const QString& window, const QStringList& controls);
    static void enableControls(const QString& window, const QStringList& controls);
    static void unlockBox(const QString& window, const QString& control);

    void formLoad() override;
    void showEvent(QShowEvent* e) override;

private:
    // OK and Cancel.
    void checkPassword();
    void cancelLogin();

    // Controls; tests and other windows find them by their objectName.
    QLabel* passwordLabel = nullptr;
    QLineEdit* passwordBox = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

    bool m_loginSucceeded = false;
};
