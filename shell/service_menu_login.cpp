#include "shell/service_menu_login.h"

QV_REGISTER_WINDOW_AS(ServiceMenuLogin, "frmLogin4");

ServiceMenuLogin::ServiceMenuLogin()
    : PasswordDialog(QStringLiteral("Salon Retail Login"), QStringLiteral("&Password:"))
{
}

void ServiceMenuLogin::unlock()
{
    const QString window = QStringLiteral("frmServiceMenu1");
    showControls(window, {QStringLiteral("Command10"), QStringLiteral("Command9"), QStringLiteral("cmdUpdate"),
                          QStringLiteral("cmdCancel"), QStringLiteral("cmdDelete"), QStringLiteral("cmdRefresh"),
                          QStringLiteral("cmdClose"), QStringLiteral("cmdAdd"), QStringLiteral("cmdEdit")});
    enableControls(window, {QStringLiteral("txtfields(4)")});
    unlockBox(window, QStringLiteral("txtfields(2)"));
    // The service's name and price are the manager's to change.
    unlockBox(window, QStringLiteral("txtfields(0)"));
    unlockBox(window, QStringLiteral("txtfields(1)"));
}
