#include "shell/retail_products_login.h"

QV_REGISTER_WINDOW_AS(RetailProductsLogin, "frmLogin2");

RetailProductsLogin::RetailProductsLogin()
    : PasswordDialog(QStringLiteral("Management Only!"), QStringLiteral("&Password:"))
{
}

void RetailProductsLogin::unlock()
{
    const QString window = QStringLiteral("FormProductsA");
    showControls(window, {QStringLiteral("Command5"), QStringLiteral("Command6"), QStringLiteral("Command2"),
                          QStringLiteral("Command13"), QStringLiteral("Command12"), QStringLiteral("Command9")});
    enableControls(window, {QStringLiteral("txtfields(9)"), QStringLiteral("txtfields(5)")});
}
