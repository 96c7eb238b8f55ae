#pragma once
// The states a user brings a window to with the mouse and the keys, from the
// window as it opens: a grid filled by a button, a panel shown, a list
// dropped down, a day typed into the schedule, the edit buttons shown by the
// password, a record being added. The layout check looks at each; the
// pictures for a person to look at are taken of each.
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QList>
#include <QString>
#include <functional>
#include <gtest/gtest.h>

namespace qv { class Window; }

namespace qvtest {

struct WindowState {
    QString name;
    // Acts on the window as a user does; false (with the test failed) when
    // the state could not be reached.
    std::function<bool(qv::Window*)> reach;
};

// The states of the window, in the order a user meets them.
QList<WindowState> statesOf(qv::Window* window);

// Rows with the longest values a salon keeps in its ordinary work (a name
// of two words and an initial, a date of two-digit month and day, a price
// in the thousands), beside the standard salon: a grid or box that cuts
// them cuts real records.
void addLongestValues(SalonDb& db);

// Lets queued work and deferred deletions run.
void settle();

// Shows the window as the program does and waits until it is on screen and
// active; null when it closes itself on the way (the start-up backup goes
// on to the splash window by itself).
qv::Window* showOnScreen(const QString& kind);

// A test of every window the program knows, one window kind a test, over
// the standard salon and its longest values; every window left open is
// unloaded at the end.
class EveryWindowTest : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override;
    void TearDown() override;
    static void closeAll();

    SalonDb db;
    qv::ScopedScriptedUi ui;
};

} // namespace qvtest
