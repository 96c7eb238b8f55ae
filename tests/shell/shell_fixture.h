#pragma once
// What the shell tests share: a salon database in a fresh program folder,
// scripted message boxes and pauses, stand-ins for the windows the shell
// opens by name, and a clean slate of windows after every test.
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace shelltest {

// A window of another part of the program, reduced to its name and the
// controls the shell acts on: buttons start hidden, boxes disabled and
// read-only. Control names follow the program's rule ("txtfields_5").
class StandIn : public qv::Window {
    Q_OBJECT
public:
    StandIn(const QStringList& buttons, const QStringList& boxes);
};

// Registers the stand-ins (once per process): "Form3", "frmmangement",
// "FormProductsA", "Form10", "frmServiceMenu1", "frmCalendar".
void registerStandIns();

// While it lives, the named kind of window cannot be loaded, as before that
// window is built; afterwards its stand-in is back.
class WithoutWindow {
public:
    explicit WithoutWindow(const QString& name);
    ~WithoutWindow();

private:
    QString m_name;
};

// While it lives, the named kind of window is the program's own window made
// by `real`; afterwards its stand-in is back.
class WithRealWindow {
public:
    WithRealWindow(const QString& name, qv::Windows::Factory real);
    ~WithRealWindow();

private:
    QString m_name;
};

// Unloads every window and lets the deferred deletions run.
void unloadAll();

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the window by name and returns it as its class.
    template <class T> T* open(const QString& name)
    {
        return qobject_cast<T*>(qv::Windows::show(name));
    }
    static bool isLoaded(const QString& name) { return qv::Windows::loaded(name) != nullptr; }
    // Processes events until the condition holds (false after the time).
    static bool waitFor(const std::function<bool()>& condition, int milliseconds = 5000);
    // Lets queued work (deferred deletions, the end-of-program check) run.
    static void settle();

    std::unique_ptr<qvtest::SalonDb> db;
    qv::ScopedScriptedUi ui;
    int programEnds = 0;
};

} // namespace shelltest
