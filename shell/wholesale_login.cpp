#include "shell/wholesale_login.h"

#include "platform/services/services.h"

QV_REGISTER_WINDOW_AS(NonRetailProductsLogin, "frmLogin3");

NonRetailProductsLogin::NonRetailProductsLogin()
    : PasswordDialog(QStringLiteral("Login WholeSale Form"), QStringLiteral("&Password:"))
{
}

void NonRetailProductsLogin::unlock()
{
    const QString window = QStringLiteral("Form10");
    showControls(window, {QStringLiteral("Command9")});
    enableControls(window, {QStringLiteral("txtfields(5)"), QStringLiteral("txtfields(9)")});
    qv::ui().msgBox(QStringLiteral(" The Returned to Stock and Lost or Damaged fields are now enabled. "
                                   "Click the closed Padlock button to disable."));
}
