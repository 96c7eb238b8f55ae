#pragma once
// The appointment book opened offscreen on a seeded salon, with scripted
// dialogs and a recording printer, and the hands of a receptionist: typing
// into boxes, clicking buttons, picking from lists.
#include "appointments/appointment_book.h"
#include "platform/forms/controls.h"
#include "platform/print/print_devices.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class BookTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the book on the database as it stands (seeded unless told otherwise).
    AppointmentBook& open();
    AppointmentBook& book() { return *m_book; }

    qv::TextBox* box(int index) { return m_book->box(index); }
    qv::TextBox* input(int index) { return m_book->taxBox(index); }

    // Gives the box the focus (which selects its text) and types over it.
    void type(QWidget* box, const QString& text);
    void click(QAbstractButton* button);
    // Picks an item of a drop-down list with the arrow keys, as the keyboard does.
    void pick(QComboBox* list, const QString& item);
    // Clicks the day in the book's month calendar (which must be shown).
    void clickDay(const QDate& day);
    // The widget holding the focus of the book.
    QWidget* focused() const;

    // Fills the ticket of the worked example: two services, one product, both taxes.
    void fillWorkedExample();
    // A complete appointment: ticket number, artist, client, phone, date, time, block.
    void fillAppointment(const QString& ticket, const QString& name, const QString& phone);

    QStringList messages() const { return ui.script.messages(); }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    qv::ScopedPrintRecording printing;
    bool seed = true;

private:
    AppointmentBook* m_book = nullptr;
};
