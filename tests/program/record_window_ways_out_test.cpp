// Every record window the program knows, from a record being added (or, where
// the window adds none, edited) with a word typed into it: each way out
// (Close, Esc, the close event of the title bar and Alt+F4, Exit Program from
// the management menu, the window's own buttons that put another window in
// its place) asks the one question, owned by the window, and Yes, No and
// Cancel each leave "KVD.mdb" and the program's windows as the user chose.
#include "common/record_form.h"
#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/report/report_preview.h"
#include "platform/services/services.h"
#include "retail/stock_posting.h"
#include "support/user_hands.h"
#include "window_states.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

static void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

using qvtest::settle;

// The word typed, new in each round so that what an earlier round saved
// does not count for a later one.
QString typedWord(int round)
{
    QString word = QStringLiteral("Wayout");
    for (int n = round + 26; n > 0; n /= 26)
        word += QChar(u'a' + n % 26);
    return word;
}
const QString kQuestion =
    QStringLiteral("This record is still being added or changed. Save it before the window closes?");

QStringList loadedNames()
{
    QStringList names;
    for (qv::Window* w : qv::Windows::all())
        names << w->windowName();
    names.sort();
    return names;
}

// A way out: `prepare` brings the user to the last step (false when the
// window does not offer this way), `act` takes it.
struct WayOut {
    QString name;
    std::function<bool(qv::Window*)> prepare;
    std::function<void(qv::Window*)> act;
};

QPushButton* shownButton(qv::Window* w, const QString& name)
{
    auto* b = w->findChild<QPushButton*>(name);
    return b && b->isVisibleTo(w) && b->isEnabled() ? b : nullptr;
}

WayOut clickWay(const QString& name, const QString& button)
{
    return {name, [button](qv::Window* w) { return shownButton(w, button) != nullptr; },
            [button](qv::Window* w) { qvtest::clickAt(shownButton(w, button)); }};
}

// The management menu in front, as the user's click on it brings it under a
// window manager: Cancel gives the keyboard back to it.
bool menuInFront()
{
    qv::Window* menu = qv::Windows::loaded(QStringLiteral("frmmangement"));
    if (!menu)
        return false;
    menu->activateWindow();
    settle();
    return true;
}

// The ways out every record window has, then those of its own buttons.
QList<WayOut> waysOutOf(const QString& kind)
{
    QList<WayOut> ways = {
        clickWay(QStringLiteral("Close"), QStringLiteral("cmdClose")),
        {QStringLiteral("Esc"), [](qv::Window*) { return true; }, [](qv::Window*) { qvtest::press(Qt::Key_Escape); }},
        {QStringLiteral("the close event (Alt+F4)"), [](qv::Window*) { return true; },
         [](qv::Window* w) { w->close(); }},
        {QStringLiteral("Exit Program"), [](qv::Window*) { return menuInFront(); },
         [](qv::Window*) {
             qvtest::clickAt(qv::Windows::loaded(QStringLiteral("frmmangement"))->findChild<QWidget*>("Command4"));
         }},
    };
    if (kind == QStringLiteral("frmCustomers") || kind == QStringLiteral("frmEmployee"))
        ways << clickWay(QStringLiteral("Report"), QStringLiteral("Command7"));
    if (kind == QStringLiteral("Form2")) {
        ways << clickWay(QStringLiteral("Management"), QStringLiteral("Command19"))
             << clickWay(QStringLiteral("Appointment Book"), QStringLiteral("Command20"));
    }
    if (kind == QStringLiteral("frmServicemenu3")) {
        // The menu gives way to the book and takes the manager with it.
        ways << WayOut{QStringLiteral("the menu's Appointment Book"), [](qv::Window*) { return menuInFront(); },
                       [](qv::Window*) {
                           qvtest::clickAt(qv::Windows::loaded(QStringLiteral("frmmangement"))->findChild<QWidget*>("Command7"));
                       }};
    }
    if (kind == QStringLiteral("Form3")) {
        // Management Only: the login opens over the book; a manager's name
        // and password put the menu in the book's place.
        ways << WayOut{QStringLiteral("Management Only"),
                       [](qv::Window* w) {
                           qvtest::clickAt(shownButton(w, QStringLiteral("Command10")));
                           qv::Window* login = qv::Windows::loaded(QStringLiteral("frmLogin"));
                           return login && qvtest::typeInto(login->findChild<QLineEdit*>("txtUserName"), "admin")
                               && qvtest::typeInto(login->findChild<QLineEdit*>("txtPassword"), "secret");
                       },
                       [](qv::Window*) {
                           qvtest::clickAt(qv::Windows::loaded(QStringLiteral("frmLogin"))->findChild<QWidget*>("Command1"));
                       }};
    }
    return ways;
}

class RecordWindowWaysOut : public qvtest::EveryWindowTest {
protected:
    // Every row of every table: an Add saved gives one more.
    int storedRows()
    {
        int rows = 0;
        for (const QString& table : tables())
            rows += db.scalarRaw(QStringLiteral("SELECT count(*) FROM [%1]").arg(table)).toInt();
        return rows;
    }
    // Whether the typed word is stored anywhere in the file.
    bool typedStored(const QString& typed)
    {
        for (const QString& table : tables()) {
            const QStringList columns =
                db.scalarRaw(QStringLiteral("SELECT group_concat(name, '|') FROM pragma_table_info('%1')").arg(table))
                    .toString()
                    .split(QLatin1Char('|'));
            QStringList tests;
            for (const QString& c : columns)
                tests << QStringLiteral("[%1] LIKE '%%2%'").arg(c, typed);
            if (db.scalarRaw(QStringLiteral("SELECT count(*) FROM [%1] WHERE %2").arg(table, tests.join(" OR "))).toInt())
                return true;
        }
        return false;
    }
    QStringList tables()
    {
        return db.scalarRaw("SELECT group_concat(name, '|') FROM sqlite_master WHERE type = 'table'")
            .toString()
            .split(QLatin1Char('|'));
    }

    // The window on screen beside the management menu, adding a record
    // (unlocked first where only the manager adds) or, with no Add, editing
    // one, with the word typed into the first of its boxes that takes it.
    RecordForm* openChanging(const QString& kind, const QString& typed, QWidget** typedBox)
    {
        closeAll();
        ui.script.clear();
        qvtest::showOnScreen(QStringLiteral("frmmangement"));
        auto* form = qobject_cast<RecordForm*>(qvtest::showOnScreen(kind));
        if (!form)
            return nullptr;
        if (!shownButton(form, QStringLiteral("cmdAdd")))
            for (const qvtest::WindowState& state : qvtest::statesOf(form))
                if (state.name == QStringLiteral("unlocked by the password"))
                    state.reach(form);
        if (QPushButton* add = shownButton(form, QStringLiteral("cmdAdd")))
            qvtest::clickAt(add);
        else if (QPushButton* edit = shownButton(form, QStringLiteral("cmdEdit")))
            qvtest::clickAt(edit);
        settle();
        *typedBox = nullptr;
        for (int index = 0; index < 80 && !*typedBox; ++index) {
            auto* box = form->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", index));
            if (!box || !box->isVisibleTo(form) || !box->isEnabled() || box->isReadOnly())
                continue;
            if (qvtest::typeInto(box, typed) && box->text().contains(typed))
                *typedBox = box;
        }
        ui.script.clear();
        return form;
    }
};

TEST_P(RecordWindowWaysOut, EveryWayOutAsksAndEachAnswerIsKept)
{
    const QString kind = GetParam();
    {
        QWidget* box = nullptr;
        if (!openChanging(kind, typedWord(0), &box))
            GTEST_SKIP() << "not a record window";
    }
    int round = 0;
    for (const WayOut& way : waysOutOf(kind)) {
        for (const int answer : {qv::MsgResult::Cancel, qv::MsgResult::No, qv::MsgResult::Yes}) {
            const char* answered = answer == qv::MsgResult::Yes ? "Yes" : answer == qv::MsgResult::No ? "No" : "Cancel";
            SCOPED_TRACE(QStringLiteral("%1, %2, answered %3").arg(kind, way.name, answered).toStdString());
            const QString typed = typedWord(++round);
            QWidget* box = nullptr;
            QPointer<RecordForm> form = openChanging(kind, typed, &box);
            const int rowsBefore = storedRows();
            ASSERT_TRUE(form);
            ASSERT_TRUE(box) << "no box took the typing";
            ASSERT_TRUE(form->holdsUnsavedWork());
            if (!way.prepare(form))
                break;   // the window does not offer this way while changing
            settle();
            ui.script.clear();
            const QStringList before = loadedNames();
            bool previewShown = false;
            QTimer::singleShot(0, [&] {
                if (qv::ReportPreview* preview = qv::ReportPreview::current()) {
                    previewShown = true;
                    preview->close();
                }
            });
            // Each box's owner as it is answered: a window that goes with
            // the answer is gone by the time the test looks.
            QStringList owners;
            ui.script.afterAnswer = [&] {
                const qv::UiEvent& e = ui.script.events.back();
                owners << (e.owner ? e.owner->objectName() : QStringLiteral("no window"));
                if (form && form->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
                    EXPECT_TRUE(e.onTop) << e.text.toStdString() << " may go under a window kept on top";
                // While asked about, the window itself stands above the
                // windows kept on top, whichever layer it lives in.
                if (form && e.text == kQuestion)
                    EXPECT_TRUE(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
            };
            ui.script.msgAnswers = {answer};
            const QPointer<QWidget> activeBefore = QApplication::activeWindow();
            way.act(form);
            ui.script.afterAnswer = nullptr;
            settle();

            const QStringList said = ui.script.messages();
            if (way.name == QStringLiteral("the close event (Alt+F4)") && form && form->closeCommandRemoved()) {
                // The title bar cannot close it: nothing asked, nothing lost.
                EXPECT_TRUE(said.isEmpty()) << said.join(" | ").toStdString();
                EXPECT_TRUE(form->holdsUnsavedWork());
                break;
            }
            ASSERT_FALSE(said.isEmpty());
            EXPECT_EQ(said.first(), kQuestion);
            // The question and whatever its answer shows stand over the
            // window asked about, kept on top with it.
            EXPECT_EQ(owners, QStringList(said.size(), kind));
            const bool kept = form && form->isLoaded();
            if (answer == qv::MsgResult::Cancel || (answer == qv::MsgResult::Yes && said.size() > 1)) {
                // Kept, or a save refused with its reason: every window as it was.
                EXPECT_TRUE(kept);
                EXPECT_EQ(loadedNames(), before);
                EXPECT_FALSE(previewShown);
                if (kept) {
                    EXPECT_TRUE(form->holdsUnsavedWork());
                    EXPECT_TRUE(form->isVisible());
                    // Back in its own layer once answered.
                    EXPECT_EQ(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint),
                              form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
                }
                if (answer == qv::MsgResult::Cancel) {
                    EXPECT_EQ(said.size(), 1);
                    // The keyboard back where the user was (a login over the
                    // book keeps it), not in the window brought forward.
                    EXPECT_EQ(QApplication::activeWindow(), activeBefore.data());
                }
                EXPECT_FALSE(typedStored(typed));
                EXPECT_EQ(storedRows(), rowsBefore);
                continue;
            }
            // Saved or dropped: the way out goes on.
            EXPECT_EQ(said.size(), 1) << said.join(" | ").toStdString();
            EXPECT_FALSE(kept);
            EXPECT_EQ(typedStored(typed), answer == qv::MsgResult::Yes);
            EXPECT_GE(storedRows(), rowsBefore);
            if (answer == qv::MsgResult::No)
                EXPECT_EQ(storedRows(), rowsBefore);
            if (way.name == QStringLiteral("Report"))
                EXPECT_TRUE(previewShown);
            if (way.name == QStringLiteral("Exit Program"))
                EXPECT_TRUE(qv::Windows::all().isEmpty()) << loadedNames().join(", ").toStdString();
        }
    }
}

// Amounts typed into Wholesale Products and not posted: Exit Program asks the
// same question over the stock window; Cancel keeps the amounts, the stock
// window and the management menu; No clears the amounts and the program ends.
TEST_F(RecordWindowWaysOut, UnpostedAmountsAreAskedAboutAndCancelKeepsTheMenu)
{
    qv::Window* menu = qvtest::showOnScreen(QStringLiteral("frmmangement"));
    auto* stock = qobject_cast<RecordForm*>(qvtest::showOnScreen(QStringLiteral("Form10")));
    ASSERT_TRUE(menu && stock);
    QWidget* amount = stock->findChild<QWidget*>(qv::arrayMemberName("txtfields", StockPosting::QuantityBox));
    ASSERT_TRUE(qvtest::typeInto(amount, QStringLiteral("4")));
    const QVariant inStock = db.scalarRaw("SELECT total(CurrentlyInStock) FROM StockControl");
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    qvtest::clickAt(menu->findChild<QWidget*>(QStringLiteral("Command4")));
    settle();
    ASSERT_EQ(ui.script.messages(), QStringList{kQuestion});
    EXPECT_EQ(ui.script.events.front().owner.data(), stock);
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("frmmangement")), menu);
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("Form10")), stock);
    EXPECT_TRUE(stock->holdsUnsavedWork());

    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No};
    qvtest::clickAt(menu->findChild<QWidget*>(QStringLiteral("Command4")));
    settle();
    EXPECT_EQ(ui.script.messages(), QStringList{kQuestion});
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(db.scalarRaw("SELECT total(CurrentlyInStock) FROM StockControl"), inStock);
}

// Two windows holding typed work and Exit Program: No drops the first,
// Cancel at the second keeps the program, and the keyboard goes back to the
// menu the user pressed Exit Program on, not to the first window asked.
TEST_F(RecordWindowWaysOut, CancelAtTheSecondWindowGivesTheKeyboardBackToTheMenu)
{
    QWidget* box = nullptr;
    RecordForm* first = openChanging(QStringLiteral("frmCustomers"), typedWord(1), &box);
    ASSERT_TRUE(first && box);
    auto* second = qobject_cast<RecordForm*>(qvtest::showOnScreen(QStringLiteral("Frmdatabase")));
    ASSERT_TRUE(second);
    qvtest::clickAt(shownButton(second, QStringLiteral("cmdAdd")));
    ASSERT_TRUE(qvtest::typeInto(second->findChild<QWidget*>(qv::arrayMemberName("txtfields", 1)), typedWord(2)));
    ASSERT_TRUE(menuInFront());
    qv::Window* menu = qv::Windows::loaded(QStringLiteral("frmmangement"));
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No, qv::MsgResult::Cancel};
    // The window brought forward for a question is active by its answer, as
    // a box waiting for the user lets the activation through.
    ui.script.afterAnswer = [] { settle(); };
    qvtest::clickAt(menu->findChild<QWidget*>(QStringLiteral("Command4")));
    ui.script.afterAnswer = nullptr;
    settle();
    EXPECT_EQ(ui.script.messages(), QStringList(2, kQuestion));
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("frmmangement")), menu);
    EXPECT_EQ(QApplication::activeWindow(), menu);
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, RecordWindowWaysOut, ::testing::ValuesIn(qv::Windows::kinds()),
                         [](const ::testing::TestParamInfo<QString>& info) { return info.param.toStdString(); });

} // namespace
