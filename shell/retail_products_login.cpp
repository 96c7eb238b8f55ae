#include "shell/retail_products_login.h"

QV_REGISTER_WINDOW(frmLogin2);

frmLogin2::frmLogin2()
    : PasswordDialog(QStringLiteral("frmLogin2"), QStringLiteral("Management Only!"), QStringLiteral("&Password:"))
{
}

void frmLogin2::unlock()
{
    const QString window = QStringLiteral("FormProductsA");
    showControls(window, {QStringLiteral("Command5"), QStringLiteral("Command6"), QStringLiteral("Command2"),
                          QStringLiteral("Command13"), QStringLiteral("Command12"), QStringLiteral("Command9")});
    enableControls(window, {QStringLiteral("txtfields(9)"), QStringLiteral("txtfields(5)")});
}
