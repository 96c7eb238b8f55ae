#include "shell/management_login.h"
#include "shell/management_menu.h"
#include "shell/main_screen.h"

#include <QLineEdit>

QV_REGISTER_WINDOW_AS(ManagementLogin, "frmLogin1");

ManagementLogin::ManagementLogin()
    : PasswordDialog(QStringLiteral("Management Login"), QStringLiteral("Login Password:"))
{
}

void ManagementLogin::unlock()
{
    clearPassword();
    // The main screen gives way to the menu only: without it on screen the
    // program would have no window left to go on from.
    if (qv::Windows::show<ManagementMenu>())
        qv::Windows::unload<MainScreen>();
}
