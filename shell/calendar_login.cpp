#include "shell/calendar_login.h"

QV_REGISTER_WINDOW_AS(CalendarLogin, "frmLogin5");

CalendarLogin::CalendarLogin()
    : PasswordDialog(QStringLiteral("Calendar"), QStringLiteral("&Password:"))
{
}

void CalendarLogin::unlock()
{
    showControls(QStringLiteral("frmCalendar"),
                 {QStringLiteral("Command9"), QStringLiteral("cmdUpdate"), QStringLiteral("cmdCancel"),
                  QStringLiteral("cmdRefresh"), QStringLiteral("cmdClose"), QStringLiteral("cmdAdd")});
}
