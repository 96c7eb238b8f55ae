#pragma once
// Hands for the inventory's record windows: a seeded salon, scripted
// dialogs, the window shown and active, clicks and typing as a user does
// them, the grid read as shown.
#include "support/user_hands.h"
#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/grid_readers.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace invtest {

template <class W> class RecordWindowTest : public ::testing::Test {
protected:
    void SetUp() override { qv::Windows::setOnLastClosed([] {}); }
    void TearDown() override
    {
        for (int round = 0; round < 5 && !qv::Windows::all().isEmpty(); ++round)
            qvtest::unloadEveryWindow();
        // Unloaded windows go before the next test's windows come.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    W& open()
    {
        m_w = qv::Windows::show<W>();
        m_w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_w));
        ui.script.clear();
        return *m_w;
    }
    W& w() { return *m_w; }
    qv::TextBox* box(int i) { return m_w->template findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", i)); }

    void click(QAbstractButton* b)
    {
        ASSERT_TRUE(b->isVisible()) << b->objectName().toStdString();
        qvtest::clickAt(b);
    }
    // Clicks into the box, selects what it holds and types over it.
    void type(QWidget* b, const QString& text) { qvtest::typeInto(b, text); }
    // A key pressed where the focus is; with no control focused the window takes it.
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        if (qvtest::focused())
            qvtest::press(Qt::Key(k), mods);
        else
            QTest::keyClick(m_w, Qt::Key(k), mods);
    }
    static QStringList gridColumn(qv::DataGrid* grid, int col) { return qvtest::gridColumn(grid, col); }
    static QStringList gridCaptions(qv::DataGrid* grid) { return qvtest::gridCaptions(grid); }
    bool loaded(const QString& name) { return qv::Windows::loaded(name) != nullptr; }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    W* m_w = nullptr;
};

} // namespace invtest
