#include "shell/calendar_login.h"

QV_REGISTER_WINDOW(frmLogin5);

frmLogin5::frmLogin5()
    : PasswordDialog(QStringLiteral("frmLogin5"), QStringLiteral("Calendar"), QStringLiteral("&Password:"))
{
}

void frmLogin5::unlock()
{
    showControls(QStringLiteral("frmCalendar"),
                 {QStringLiteral("Command9"), QStringLiteral("cmdUpdate"), QStringLiteral("cmdCancel"),
                  QStringLiteral("cmdRefresh"), QStringLiteral("cmdClose"), QStringLiteral("cmdAdd")});
}
