#pragma once
// The customer window opened offscreen on a seeded salon, with scripted
// dialogs and a recording printer, and the hands of a receptionist.
#include "customers/customer_window.h"
#include "platform/forms/window.h"
#include "platform/forms/controls.h"
#include "support/user_hands.h"
#include "support/window_fixture.h"

#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class CustomersTest : public qvtest::WindowFixture {
protected:
    // Opens the window on the database as it stands (seeded unless told otherwise).
    CustomerWindow& open();
    CustomerWindow& win() { return *m_window; }
    qv::TextBox* box(int index) { return m_window->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", index)); }
    // Clicks into the box (of this window or another), selects what it holds
    // and types over it.
    void type(QWidget* box, const QString& text) { qvtest::typeInto(box, text); }

    // The value of a field in the table for the client with that name.
    QVariant stored(const QString& name, const QString& field);

private:
    CustomerWindow* m_window = nullptr;
};
