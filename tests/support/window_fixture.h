#pragma once
// What a test of one record window needs around it: a salon database in a
// fresh program folder, scripted dialogs, a recording printer, and the hands
// of the person at the keyboard. Every window left open is unloaded at the
// end of the test.
#include "platform/forms/window.h"
#include "platform/print/print_devices.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QAbstractButton>
#include <QColor>
#include <QSize>
#include <QTest>
#include <gtest/gtest.h>

namespace qvtest {

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Seeds the database (unless seed was turned off), shows the window and
    // waits until it is active; messages shown while it loaded are dropped.
    template <class W>
    W& showWindow()
    {
        if (seed)
            db.seed();
        W& window = *qv::Windows::show<W>();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        ui.script.clear();
        return window;
    }

    // Gives the box the focus, selects its text and types over it.
    void type(QWidget* box, const QString& text);
    // Clicks a button that must be shown and enabled.
    void click(QAbstractButton* button);
    // Lets deferred deletions and queued work run.
    static void settle();

    // A picture file of one colour in the program folder.
    QString pictureFile(const QString& name, const QColor& colour, QSize size = QSize(300, 240));

    // The field of the row whose key field holds the key, as stored; nothing
    // when no row has it.
    QVariant storedIn(const QString& table, const QString& keyField, const QString& key, const QString& field);

    QStringList messages() const { return ui.script.messages(); }

    SalonDb db;
    qv::ScopedScriptedUi ui;
    qv::ScopedPrintRecording printing;
    bool seed = true;
};

} // namespace qvtest
