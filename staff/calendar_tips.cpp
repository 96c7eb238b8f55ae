#include "staff/calendar_tips.h"

QV_REGISTER_WINDOW_AS(CalendarTips, "frmquicktips3");

CalendarTips::CalendarTips()
    : QuickTipNote(QStringLiteral("Calendar Tips"),
                   QStringLiteral("To add a month: click Add, type the day numbers into the cells of the days on "
                                  "which the month falls (a month that begins on a Saturday has 1 in the Saturday "
                                  "cell of the first row), type each day's schedule under its number, and type the "
                                  "month and year into the box at the top right. Click Update to save the month.\n\n"
                                  "To delete text in a cell: select the text in the cell and press the Delete key, "
                                  "then click Update or move to another month."),
                   4800)
{
}
