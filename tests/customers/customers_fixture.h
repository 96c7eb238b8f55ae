#pragma once
// The customer window opened offscreen on a seeded salon, with scripted
// dialogs and a recording printer, and the hands of a receptionist.
#include "customers/customer_window.h"
#include "platform/forms/controls.h"
#include "platform/print/print_devices.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QColor>
#include <QTest>
#include <gtest/gtest.h>

class CustomersTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window on the database as it stands (seeded unless told otherwise).
    frmCustomers& open();
    frmCustomers& win() { return *m_window; }
    qv::TextBox* box(int index) { return m_window->txtfields.value(index); }

    void type(QWidget* box, const QString& text);
    void click(QAbstractButton* button);
    // Lets deferred deletions and queued work run.
    static void settle();

    // A picture file of one colour in the program folder.
    QString pictureFile(const QString& name, const QColor& colour, QSize size = QSize(300, 240));
    // The value of a field in the table for the client with that name.
    QVariant stored(const QString& name, const QString& field);

    QStringList messages() const { return ui.script.messages(); }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    qv::ScopedPrintRecording printing;
    bool seed = true;

private:
    frmCustomers* m_window = nullptr;
};
