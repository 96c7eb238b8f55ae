#pragma once
// The employee window opened offscreen on a seeded salon, with scripted
// dialogs and a recording printer, and the hands of the manager.
#include "staff/employee_window.h"
#include "platform/forms/window.h"
#include "platform/forms/controls.h"
#include "support/window_fixture.h"

class EmployeeTest : public qvtest::WindowFixture {
protected:
    // Opens the window on the database as it stands (seeded unless told otherwise).
    EmployeeWindow& open();
    EmployeeWindow& win() { return *m_window; }
    qv::TextBox* box(int index) { return m_window->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", index)); }

    // The value of a field in the table for the employee with that last name.
    QVariant stored(const QString& lastName, const QString& field);
    // The colour at the middle of the photo shown now (invalid when none).
    QColor photoColour();

private:
    EmployeeWindow* m_window = nullptr;
};
