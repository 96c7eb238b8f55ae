// Where a window's controls are drawn, for the desktop scenarios: opens one
// window of the program offscreen over a copy of the scenario's database and
// writes, as JSON, the window's title and inner size and each named
// control's rectangle inside it (and which of them are hidden). Run with "message" instead of a window name
// it shows a message box with one OK button through the program's own
// services and writes where that button lies from the box's bottom-right
// corner, which does not depend on the message's text.
//
// Steps after the window name bring the program to the state the scenario
// brings it to, so that controls shown only then are where they are drawn
// then: "click:<control>" clicks a control of the windows open, the newest
// first; "type:<control>=<text>" types into one; "key:Return" presses a key
// in the control with the focus.
//
//   desktop_window_layout <folder holding KVD.mdb> <window name> [step...]
//   desktop_window_layout <folder> message
#include "platform/data/database.h"
#include "platform/forms/window.h"
#include "platform/services/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

QJsonArray rectOf(const QWidget* w, const QWidget* window)
{
    const QPoint at = w->mapTo(window, QPoint(0, 0));
    return {at.x(), at.y(), w->width(), w->height()};
}

QWidget* control(const QString& name)
{
    const QList<qv::Window*> open = qv::Windows::all();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (auto* w = (*it)->findChild<QWidget*>(name); w && w->isVisible())
            return w;
    std::fprintf(stderr, "no control %s shown\n", qPrintable(name));
    std::_Exit(1);
}

void step(const QString& what)
{
    const QString kind = what.section(QLatin1Char(':'), 0, 0);
    const QString rest = what.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("click")) {
        QWidget* w = control(rest);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    } else if (kind == QLatin1String("type")) {
        QWidget* w = control(rest.section(QLatin1Char('='), 0, 0));
        w->setFocus();
        QTest::keyClicks(w, rest.section(QLatin1Char('='), 1));
    } else if (kind == QLatin1String("key")) {
        QWidget* focus = QApplication::focusWidget();
        const int key = QKeySequence::fromString(rest)[0].key();
        if (focus)
            QTest::keyClick(focus, Qt::Key(key));
    } else {
        std::fprintf(stderr, "unknown step %s\n", qPrintable(what));
        std::_Exit(2);
    }
    QApplication::processEvents();
}

int windowLayout(const QString& name, const QStringList& steps, QTemporaryDir& folder)
{
    qv::ScopedScriptedUi quiet;   // a message at load is answered, not waited for
    qv::Window* window = qv::Windows::show(name);
    if (!window) {
        std::fprintf(stderr, "no window %s\n", qPrintable(name));
        return 1;
    }
    QApplication::processEvents();
    for (const QString& s : steps)
        step(s);
    // Hidden controls too: a window shows some only in a later state (the
    // editing buttons behind a password), at the place they already have.
    QJsonObject controls;
    QJsonArray hidden;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        controls.insert(w->objectName(), rectOf(w, window));
        if (!w->isVisibleTo(window))
            hidden.append(w->objectName());
    }
    const QJsonObject out{{"title", window->windowTitle()},
                          {"size", QJsonArray{window->width(), window->height()}},
                          {"controls", controls},
                          {"hidden", hidden}};
    std::fputs(QJsonDocument(out).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
    folder.remove();
    std::_Exit(0);   // the window and the database go with the process
}

int messageLayout()
{
    QJsonObject out;
    QTimer::singleShot(0, [&out] {
        QWidget* box = QApplication::activeModalWidget();
        auto* buttons = box ? box->findChild<QDialogButtonBox*>() : nullptr;
        QAbstractButton* ok = buttons ? buttons->buttons().value(0) : nullptr;
        if (ok) {
            const QJsonArray r = rectOf(ok, box);
            const int cx = r[0].toInt() + r[2].toInt() / 2, cy = r[1].toInt() + r[3].toInt() / 2;
            out.insert("ok_from_bottom_right", QJsonArray{box->width() - cx, box->height() - cy});
            ok->click();
        } else if (box) {
            box->close();
        }
    });
    qv::ui().msgBox(QStringLiteral("Could not find your client. zzz"));
    std::fputs(QJsonDocument(out).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputs("\n", stdout);
    return out.isEmpty() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder with KVD.mdb> <window name [step...] | message>\n", argv[0]);
        return 2;
    }
    const QString arg = QString::fromLocal8Bit(argv[2]);
    if (arg == QLatin1String("message"))
        return messageLayout();
    // A copy, so that loading the window leaves the scenario's file as it was.
    QTemporaryDir folder;
    QFile::copy(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/KVD.mdb"), folder.filePath(QStringLiteral("KVD.mdb")));
    qv::ProgramFolder::setPath(folder.path());
    qv::Windows::setOnLastClosed([] {});
    QStringList steps;
    for (int i = 3; i < argc; ++i)
        steps << QString::fromLocal8Bit(argv[i]);
    return windowLayout(arg, steps, folder);
}
