#pragma once
// The schedule calendar's help note: how a month is added and how a cell is
// emptied. Opened by the tips picture of the calendar.
#include "shell/quick_tips.h"

class CalendarTips : public QuickTipNote {
    Q_OBJECT
public:
    CalendarTips();
};
