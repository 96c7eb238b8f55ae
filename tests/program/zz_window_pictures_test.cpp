// Pictures of the program's windows for a person to look at, as each opens
// and in each state a user brings it to: set QV_SHOT_DIR to a folder (and
// QV_SHOT_WINDOWS to a comma-separated list of windows to take only those);
// without it the test is skipped. Run under a real display server to see
// the windows as the screen shows them; the file names carry the screen's
// size.
#include "platform/forms/window.h"
#include "support/user_hands.h"
#include "platform/services/services.h"
#include "support/salon_db.h"
#include "window_states.h"

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void closeAll()
{
    qvtest::unloadEveryWindow();
    qvtest::settle();
}

qv::Window* open(const QString& name)
{
    qv::Window* w = qvtest::showOnScreen(name);
    if (w)
        QTest::qWait(150);
    return w;
}

QString fileName(const QString& window, const QString& state, QSize screen)
{
    QString name = window;
    if (!state.isEmpty())
        name += QLatin1Char('_') + QString(state).replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("-"));
    return name + QStringLiteral("_%1x%2.png").arg(screen.width()).arg(screen.height());
}

} // namespace

TEST(WindowPictures, EveryWindowAsItOpensAndInEveryState)
{
    const QString folder = qEnvironmentVariable("QV_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SHOT_DIR not set";
    QDir().mkpath(folder);
    qv::Windows::setOnLastClosed([] {});
    qv::ScopedScriptedUi ui;
    qvtest::SalonDb db;
    db.seed();
    qvtest::addLongestValues(db);
    QStringList names = qv::Windows::kinds();
    const QString only = qEnvironmentVariable("QV_SHOT_WINDOWS");
    if (!only.isEmpty())
        names = only.split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    for (const QString& name : std::as_const(names)) {
        qv::Window* w = open(name);
        if (!w)
            continue;
        EXPECT_TRUE(w->grab().save(QDir(folder).filePath(fileName(name, QString(), screen)))) << name.toStdString();
        const QList<qvtest::WindowState> states = qvtest::statesOf(w);
        for (const qvtest::WindowState& state : states) {
            closeAll();
            w = open(name);
            ASSERT_TRUE(w);
            if (!state.reach(w))
                continue;
            QTest::qWait(100);
            EXPECT_TRUE(w->grab().save(QDir(folder).filePath(fileName(name, state.name, screen))));
        }
        closeAll();
    }
    qv::Windows::setOnLastClosed(nullptr);
}
