#pragma once
// The employee window opened offscreen on a seeded salon, with scripted
// dialogs and a recording printer, and the hands of the manager.
#include "staff/employee_window.h"
#include "platform/forms/controls.h"
#include "platform/print/print_devices.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QColor>
#include <QTest>
#include <gtest/gtest.h>

class EmployeeTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window on the database as it stands (seeded unless told otherwise).
    frmEmployee& open();
    frmEmployee& win() { return *m_window; }
    qv::TextBox* box(int index) { return m_window->txtfields.value(index); }

    void type(QWidget* box, const QString& text);
    void click(QAbstractButton* button);
    static void settle();

    // A picture file of one colour in the program folder.
    QString pictureFile(const QString& name, const QColor& colour, QSize size = QSize(300, 240));
    // The value of a field in the table for the employee with that last name.
    QVariant stored(const QString& lastName, const QString& field);
    // The colour at the middle of the photo shown now (invalid when none).
    QColor photoColour();

    QStringList messages() const { return ui.script.messages(); }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    qv::ScopedPrintRecording printing;
    bool seed = true;

private:
    frmEmployee* m_window = nullptr;
};
