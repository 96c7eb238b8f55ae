// Every record window the program knows, from a record being added (or,
// where the window adds none, edited) with a word typed into it: each way out
// (Close, Esc, the close event of the title bar and Alt+F4, Exit Program from
// the management menu, the window's own buttons that put another window in
// its place) asks the one question, owned by the window, and Yes, No and
// Cancel each leave "KVD.mdb" and the program's windows as the user chose;
// picks in its grids and lists, its finds and its moving keys and buttons
// store nothing and leave the window changing the same record. On a new
// salon's empty tables its boxes take no typing that would be lost. The
// windows come from the same list the layout check walks, so a window added
// later is walked too.
#include "common/record_form.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/forms/window.h"
#include "platform/report/report_preview.h"
#include "platform/services/services.h"
#include "retail/stock_posting.h"
#include "support/salon_db.h"
#include "support/user_hands.h"
#include "window_states.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

static void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

using qvtest::clickAt;
using qvtest::press;
using qvtest::settle;

const QString kQuestion =
    QStringLiteral("This record is still being added or changed. Save it before the window closes?");

// The word typed, new in each round so that what an earlier round saved
// does not count for a later one.
QString typedWord(int round)
{
    QString word = QStringLiteral("Wayout");
    for (int n = round + 26; n > 0; n /= 26)
        word += QChar(u'a' + n % 26);
    return word;
}

// What "KVD.mdb" holds: every table's rows, each row its values in order.
using Stored = QMap<QString, QStringList>;

Stored stored(qvtest::SalonDb& db)
{
    Stored all;
    for (const QString& table : db.scalarRaw("SELECT group_concat(name, '|') FROM sqlite_master WHERE type = 'table'")
                                    .toString()
                                    .split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        QStringList& rows = all[table];
        auto rs = db.query(QStringLiteral("SELECT * FROM [%1]").arg(table));
        if (rs->recordCount() > 0)
            for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
                QString row;
                for (int f = 0; f < rs->fieldCount(); ++f)
                    row += rs->value(f).toString() + QLatin1Char(';');
                rows << row;
            }
    }
    return all;
}

int rowCount(const Stored& s)
{
    int rows = 0;
    for (const QStringList& table : s)
        rows += int(table.size());
    return rows;
}

bool holdsText(const Stored& s, const QString& text)
{
    for (const QStringList& table : s)
        for (const QString& row : table)
            if (row.contains(text, Qt::CaseInsensitive))
                return true;
    return false;
}

// The tables whose rows differ from `before`, as they are now: empty when
// nothing was stored.
std::string changedTables(const Stored& before, qvtest::SalonDb& db)
{
    QStringList changed;
    const Stored now = stored(db);
    for (auto it = now.begin(); it != now.end(); ++it)
        if (before.value(it.key()) != it.value())
            changed << it.key() + QLatin1Char(':') + it.value().join(QString());
    return changed.join(QLatin1Char('\n')).toStdString();
}

QStringList loadedNames()
{
    QStringList names;
    for (qv::Window* w : qv::Windows::all())
        names << w->windowName();
    names.sort();
    return names;
}

bool shown(const QWidget* control, const qv::Window* w)
{
    return control && control->isVisibleTo(w) && control->isEnabled() && control->isVisible();
}

// The window's control of that name when it is shown, or null.
QWidget* shownControl(qv::Window* w, const QString& name)
{
    QWidget* control = w->findChild<QWidget*>(name);
    return shown(control, w) ? control : nullptr;
}

// Shown and not covered: a user can click it.
bool atHand(QWidget* control, const qv::Window* w)
{
    return shown(control, w) && qvtest::isPartOf(qvtest::widgetAtCentreOf(control), control);
}

// The record's boxes a user can type into, one-line ones under their
// several-line views, in the window's order.
QList<QWidget*> recordBoxes(RecordForm* form)
{
    QList<qv::TextBox*> inTabOrder;
    for (QWidget* w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain())
        if (auto* box = qobject_cast<qv::TextBox*>(w); box && form->isAncestorOf(box))
            inTabOrder << box;
    QList<QWidget*> boxes;
    for (qv::TextBox* box : std::as_const(inTabOrder)) {
        const bool record = box->objectName().startsWith(QLatin1String("txtfields_"))
                            || (form->recordset() && box->dataSource() == form->recordset().get());
        if (!record)
            continue;
        QWidget* typedInto = box;
        for (qv::ManyLineBox* lines : form->findChildren<qv::ManyLineBox*>())
            if (lines->box() == box)
                typedInto = lines;
        if (shown(typedInto, form) && !boxes.contains(typedInto))
            boxes << typedInto;
    }
    return boxes;
}

QString textOf(const QWidget* box)
{
    if (auto* lines = qobject_cast<const QPlainTextEdit*>(box))
        return lines->toPlainText();
    return qobject_cast<const QLineEdit*>(box)->text();
}

// Clicks into the box and types over what it holds, as typeInto does; but a
// box the window passes over (the click leaves the focus elsewhere) is no
// fault here: it just takes nothing, and false says so.
bool typeOver(QWidget* box, const QString& text)
{
    if (!clickAt(box))
        return false;
    settle();
    if (qvtest::focused() != box)
        return false;
    press(Qt::Key_A, Qt::ControlModifier);
    qvtest::typeKeys(text);
    settle();
    return true;
}

// The password states that show the edit buttons.
bool unlocks(const qvtest::WindowState& state) { return state.name.startsWith(QLatin1String("unlocked")); }

QList<QAbstractItemView*> pickableViews(qv::Window* w)
{
    QList<QAbstractItemView*> views;
    for (auto* grid : w->findChildren<qv::DataGrid*>())
        if (shown(grid, w) && grid->model()->rowCount() > 1)
            views << grid;
    for (auto* list : w->findChildren<qv::DataList*>())
        if (shown(list, w) && list->count() > 1)
            views << list;
    return views;
}

// A way out: `prepare` brings the user to the last step (false when the
// window does not offer this way), `act` takes it.
struct WayOut {
    QString name;
    std::function<bool(qv::Window*)> prepare;
    std::function<void(qv::Window*)> act;
};

WayOut clickWay(const QString& name, const QString& button)
{
    return {name, [button](qv::Window* w) { return shownControl(w, button) != nullptr; },
            [button](qv::Window* w) { clickAt(shownControl(w, button)); }};
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

WayOut clickMenuWay(const QString& name, const char* button)
{
    return {name, [](qv::Window*) { return menuInFront(); },
            [button](qv::Window*) {
                clickAt(qv::Windows::loaded(QStringLiteral("frmmangement"))->findChild<QWidget*>(button));
            }};
}

// The ways out every record window has, then those of its own buttons.
QList<WayOut> waysOutOf(const QString& kind)
{
    QList<WayOut> ways = {
        clickWay(QStringLiteral("Close"), QStringLiteral("cmdClose")),
        {QStringLiteral("Esc"), [](qv::Window*) { return true; }, [](qv::Window*) { press(Qt::Key_Escape); }},
        {QStringLiteral("the close event (Alt+F4)"), [](qv::Window*) { return true; },
         [](qv::Window* w) { w->close(); }},
        clickMenuWay(QStringLiteral("Exit Program"), "Command4"),
    };
    if (kind == QStringLiteral("frmCustomers") || kind == QStringLiteral("frmEmployee"))
        ways << clickWay(QStringLiteral("Report"), QStringLiteral("Command7"));
    if (kind == QStringLiteral("Form2")) {
        ways << clickWay(QStringLiteral("Management"), QStringLiteral("Command19"))
             << clickWay(QStringLiteral("Appointment Book"), QStringLiteral("Command20"));
    }
    // The menu gives way to the book and takes the manager with it.
    if (kind == QStringLiteral("frmServicemenu3"))
        ways << clickMenuWay(QStringLiteral("the menu's Appointment Book"), "Command7");
    if (kind == QStringLiteral("Form3")) {
        // Management Only: the login opens over the book; a manager's name
        // and password put the menu in the book's place.
        ways << WayOut{QStringLiteral("Management Only"),
                       [](qv::Window* w) {
                           clickAt(shownControl(w, QStringLiteral("Command10")));
                           qv::Window* login = qv::Windows::loaded(QStringLiteral("frmLogin"));
                           return login && qvtest::typeInto(login->findChild<QLineEdit*>("txtUserName"), "admin")
                               && qvtest::typeInto(login->findChild<QLineEdit*>("txtPassword"), "secret");
                       },
                       [](qv::Window*) {
                           clickAt(qv::Windows::loaded(QStringLiteral("frmLogin"))->findChild<QWidget*>("Command1"));
                       }};
    }
    return ways;
}

class RecordWindowContract : public qvtest::EveryWindowTest {
protected:
    // The window on screen (beside the management menu when asked),
    // unlocked where only the manager changes records; null when it is not
    // a record window.
    RecordForm* open(const QString& kind, bool besideMenu = false)
    {
        closeAll();
        ui.script.clear();
        if (besideMenu)
            qvtest::showOnScreen(QStringLiteral("frmmangement"));
        auto* form = qobject_cast<RecordForm*>(qvtest::showOnScreen(kind));
        if (!form)
            return nullptr;
        for (const qvtest::WindowState& state : qvtest::statesOf(form))
            if (unlocks(state))
                EXPECT_TRUE(state.reach(form)) << state.name.toStdString();
        settle();
        return form;
    }

    // Add or Edit, then type into the first box that takes the text. The box
    // typed into, or null.
    QWidget* changeAndType(RecordForm* form, const QString& button, const QString& text)
    {
        if (!clickAt(form->findChild<QWidget*>(button)))
            return nullptr;
        settle();
        for (QWidget* box : recordBoxes(form)) {
            if (!atHand(box, form))
                continue;
            const QString before = textOf(box);
            if (typeOver(box, text) && textOf(box).contains(text))
                return box;
            // A box whose filter took none of it (a number, a date) is left as it was.
            if (!before.isEmpty() && textOf(box).isEmpty())
                typeOver(box, before);
        }
        return nullptr;
    }

    // Every pick, find, moving key and moving button a user has at hand.
    void pickFindAndMove(RecordForm* form)
    {
        for (QAbstractItemView* view : pickableViews(form)) {
            const int rows = view->model()->rowCount();
            for (int row : {rows - 1, 0}) {
                const QRect cell = view->visualRect(view->model()->index(row, 0));
                if (cell.isValid() && view->viewport()->rect().contains(cell.center()) && atHand(view, form))
                    clickAt(view->viewport(), cell.center());
                settle();
            }
            view->setFocus();
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home})
                press(key);
            settle();
        }
        static const QRegularExpression finds(QStringLiteral("find|search"),
                                              QRegularExpression::CaseInsensitiveOption);
        for (auto* button : form->findChildren<QPushButton*>()) {
            const bool moves = QStringList{"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"}.contains(button->objectName());
            const bool findsARecord = button->text().contains(finds) || button->toolTip().contains(finds);
            if (!(moves || findsARecord) || !atHand(button, form))
                continue;
            ui.script.inputAnswers.push_back(QStringLiteral("e"));
            clickAt(button);
            settle();
            ui.script.inputAnswers.clear();
        }
        for (auto key : {Qt::Key_Down, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Home})
            press(key);
        press(Qt::Key_Down, Qt::ControlModifier);
        settle();
    }
};

TEST_P(RecordWindowContract, EveryWayOutAsksAndEachAnswerIsKept)
{
    const QString kind = GetParam();
    if (!open(kind))
        GTEST_SKIP() << "not a record window";
    int round = 0;
    for (const WayOut& way : waysOutOf(kind)) {
        for (const int answer : {qv::MsgResult::Cancel, qv::MsgResult::No, qv::MsgResult::Yes}) {
            const char* answered = answer == qv::MsgResult::Yes ? "Yes" : answer == qv::MsgResult::No ? "No" : "Cancel";
            SCOPED_TRACE(QStringLiteral("%1, %2, answered %3").arg(kind, way.name, answered).toStdString());
            const QString typed = typedWord(++round);
            QPointer<RecordForm> form = open(kind, true);
            ASSERT_TRUE(form);
            QWidget* box = changeAndType(form, shownControl(form, "cmdAdd") ? "cmdAdd" : "cmdEdit", typed);
            const Stored before = stored(db);
            ASSERT_TRUE(box) << "no box took the typing";
            ASSERT_TRUE(form->holdsUnsavedWork());
            ui.script.clear();
            if (!way.prepare(form))
                break;   // the window does not offer this way while changing
            settle();
            ui.script.clear();
            const QStringList windowsBefore = loadedNames();
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
            const Stored after = stored(db);
            if (answer == qv::MsgResult::Cancel || (answer == qv::MsgResult::Yes && said.size() > 1)) {
                // Kept, or a save refused with its reason: every window as it was.
                EXPECT_TRUE(kept);
                EXPECT_EQ(loadedNames(), windowsBefore);
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
                EXPECT_FALSE(holdsText(after, typed));
                EXPECT_EQ(rowCount(after), rowCount(before));
                continue;
            }
            // Saved or dropped: the way out goes on.
            EXPECT_EQ(said.size(), 1) << said.join(" | ").toStdString();
            EXPECT_FALSE(kept);
            EXPECT_EQ(holdsText(after, typed), answer == qv::MsgResult::Yes);
            EXPECT_GE(rowCount(after), rowCount(before));
            if (answer == qv::MsgResult::No)
                EXPECT_EQ(rowCount(after), rowCount(before));
            if (way.name == QStringLiteral("Report"))
                EXPECT_TRUE(previewShown);
            if (way.name == QStringLiteral("Exit Program"))
                EXPECT_TRUE(qv::Windows::all().isEmpty()) << loadedNames().join(", ").toStdString();
        }
    }
}

// Add or Edit pressed and left at once: there is nothing to lose, so no way
// out asks (Yes would store an empty record); each goes on as after Cancel,
// and nothing is stored. Nor does Update store a new record left empty.
TEST_P(RecordWindowContract, AnUntouchedAddOrEditAsksNothingAndStoresNothing)
{
    const QString kind = GetParam();
    if (!open(kind))
        GTEST_SKIP() << "not a record window";
    for (const WayOut& way : waysOutOf(kind)) {
        for (const QString change : {QStringLiteral("cmdAdd"), QStringLiteral("cmdEdit")}) {
            SCOPED_TRACE((kind + QStringLiteral(", ") + change + QStringLiteral(", ") + way.name).toStdString());
            QPointer<RecordForm> form = open(kind, true);
            QWidget* begin = shownControl(form, change);
            if (!begin || !clickAt(begin))
                continue;
            settle();
            ASSERT_TRUE(form->isChangingRecord());
            EXPECT_FALSE(form->holdsUnsavedWork());
            if (!way.prepare(form))
                continue;
            settle();
            const Stored before = stored(db);
            ui.script.clear();
            QTimer::singleShot(0, [] {
                if (qv::ReportPreview* preview = qv::ReportPreview::current())
                    preview->close();
            });
            way.act(form);
            settle();
            EXPECT_FALSE(ui.script.messages().contains(kQuestion)) << ui.script.messages().join(" | ").toStdString();
            EXPECT_EQ(changedTables(before, db), "");
            if (!(way.name == QStringLiteral("the close event (Alt+F4)") && form && form->closeCommandRemoved()))
                EXPECT_FALSE(form && form->isLoaded());
        }
    }
    QPointer<RecordForm> form = open(kind);
    if (QWidget* add = shownControl(form, QStringLiteral("cmdAdd")); add && clickAt(add)) {
        const Stored before = stored(db);
        clickAt(shownControl(form, QStringLiteral("cmdUpdate")));
        settle();
        EXPECT_EQ(changedTables(before, db), "");
    }
}

TEST_P(RecordWindowContract, NoPickFindOrMoveStoresARecordBeingChanged)
{
    const QString kind = GetParam();
    RecordForm* form = open(kind);
    if (!form)
        GTEST_SKIP() << "not a record window";
    QStringList changes;
    for (const char* button : {"cmdAdd", "cmdEdit"})
        if (shownControl(form, QLatin1String(button)))
            changes << QLatin1String(button);
    if (changes.isEmpty())
        GTEST_SKIP() << "changes no record";
    // The window as it opens, and each state that brings a grid or list
    // into sight, reached after the typing.
    QList<const qvtest::WindowState*> sights = {nullptr};
    const QList<qvtest::WindowState> states = qvtest::statesOf(form);
    for (const qvtest::WindowState& state : states) {
        if (unlocks(state) || state.name == QLatin1String("adding a record"))
            continue;
        form = open(kind);
        const qsizetype before = pickableViews(form).size();
        if (state.reach(form) && pickableViews(form).size() > before)
            sights << &state;
    }
    for (const QString& change : std::as_const(changes)) {
        for (const qvtest::WindowState* sight : std::as_const(sights)) {
            SCOPED_TRACE((change + QStringLiteral(", ") + (sight ? sight->name : QStringLiteral("as it opens")))
                             .toStdString());
            form = open(kind);
            ASSERT_TRUE(form);
            const Stored before = stored(db);
            const QString typed = QStringLiteral("Zed Held");
            QWidget* box = changeAndType(form, change, typed);
            ASSERT_TRUE(box) << "no box took the typing";
            if (sight)
                ASSERT_TRUE(sight->reach(form));
            ui.script.clear();
            pickFindAndMove(form);
            EXPECT_EQ(changedTables(before, db), "");
            EXPECT_TRUE(form->isChangingRecord());
            EXPECT_TRUE(textOf(box).contains(typed)) << textOf(box).toStdString();
            // A pick or find refused says why, over the window.
            for (const qv::UiEvent& e : ui.script.events)
                if (e.kind == qv::UiEvent::Message && e.text.startsWith(QLatin1String("Click Update")))
                    EXPECT_EQ(e.owner, form);
            // Cancel drops the change and leaves the file as it was.
            if (auto* cancel = form->findChild<QWidget*>(QStringLiteral("cmdCancel")); cancel && atHand(cancel, form))
                clickAt(cancel);
            settle();
            EXPECT_EQ(changedTables(before, db), "");
        }
    }
}

// A new salon: every table emptied before the window opens.
TEST_P(RecordWindowContract, OnEmptyTablesTheBoxesTakeNoTypingThatWouldBeLost)
{
    for (const QString& table : stored(db).keys())
        db.execRaw(QStringLiteral("DELETE FROM [%1]").arg(table));
    auto* form = qobject_cast<RecordForm*>(qvtest::showOnScreen(GetParam()));
    if (!form)
        GTEST_SKIP() << "not a record window";
    const Stored before = stored(db);
    // Nor is there a record to edit.
    if (QWidget* edit = shownControl(form, QStringLiteral("cmdEdit")); edit && clickAt(edit))
        EXPECT_FALSE(form->isChangingRecord());
    for (QWidget* box : recordBoxes(form)) {
        const QString was = textOf(box);
        typeOver(box, QStringLiteral("Zed"));
        // Either the box took nothing, or the typing began a record being
        // added, which the window then keeps until Update or Cancel.
        if (!form->isAddingRecord())
            EXPECT_EQ(textOf(box), was) << box->objectName().toStdString();
    }
    // A drop-down list writes its choice into a box: it waits for a record
    // too (a disabled one cannot be dropped down).
    const auto boxTexts = [form] {
        QStringList texts;
        for (QWidget* box : recordBoxes(form))
            texts << textOf(box);
        return texts;
    };
    for (qv::PickList* list : form->findChildren<qv::PickList*>()) {
        if (!list->isVisible() || list->count() == 0)
            continue;
        const QStringList was = boxTexts();
        if (list->isEnabled())
            qvtest::pick(list, list->itemText(list->count() - 1));
        if (!form->isChangingRecord())
            EXPECT_EQ(boxTexts(), was) << list->objectName().toStdString();
    }
    form->unload();
    settle();
    EXPECT_EQ(changedTables(before, db), "");
}

// Amounts typed into Wholesale Products and not posted: Exit Program asks the
// same question over the stock window; Cancel keeps the amounts, the stock
// window and the management menu; No clears the amounts and the program ends.
TEST_F(RecordWindowContract, UnpostedAmountsAreAskedAboutAndCancelKeepsTheMenu)
{
    qv::Window* menu = qvtest::showOnScreen(QStringLiteral("frmmangement"));
    auto* stock = qobject_cast<RecordForm*>(qvtest::showOnScreen(QStringLiteral("Form10")));
    ASSERT_TRUE(menu && stock);
    QWidget* amount = stock->findChild<QWidget*>(qv::arrayMemberName("txtfields", StockPosting::QuantityBox));
    ASSERT_TRUE(qvtest::typeInto(amount, QStringLiteral("4")));
    const QVariant inStock = db.scalarRaw("SELECT total(CurrentlyInStock) FROM StockControl");
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    clickAt(menu->findChild<QWidget*>(QStringLiteral("Command4")));
    settle();
    ASSERT_EQ(ui.script.messages(), QStringList{kQuestion});
    EXPECT_EQ(ui.script.events.front().owner.data(), stock);
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("frmmangement")), menu);
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("Form10")), stock);
    EXPECT_TRUE(stock->holdsUnsavedWork());

    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No};
    clickAt(menu->findChild<QWidget*>(QStringLiteral("Command4")));
    settle();
    EXPECT_EQ(ui.script.messages(), QStringList{kQuestion});
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(db.scalarRaw("SELECT total(CurrentlyInStock) FROM StockControl"), inStock);
}

// Two windows holding typed work and Exit Program: No drops the first,
// Cancel at the second keeps the program, and the keyboard goes back to the
// menu the user pressed Exit Program on, not to the first window asked.
TEST_F(RecordWindowContract, CancelAtTheSecondWindowGivesTheKeyboardBackToTheMenu)
{
    RecordForm* first = open(QStringLiteral("frmCustomers"), true);
    ASSERT_TRUE(first && changeAndType(first, QStringLiteral("cmdAdd"), typedWord(1)));
    auto* second = qobject_cast<RecordForm*>(qvtest::showOnScreen(QStringLiteral("Frmdatabase")));
    ASSERT_TRUE(second);
    clickAt(shownControl(second, QStringLiteral("cmdAdd")));
    ASSERT_TRUE(qvtest::typeInto(second->findChild<QWidget*>(qv::arrayMemberName("txtfields", 1)), typedWord(2)));
    ASSERT_TRUE(menuInFront());
    qv::Window* menu = qv::Windows::loaded(QStringLiteral("frmmangement"));
    ui.script.clear();
    ui.script.msgAnswers = {qv::MsgResult::No, qv::MsgResult::Cancel};
    // The window brought forward for a question is active by its answer, as
    // a box waiting for the user lets the activation through.
    ui.script.afterAnswer = [] { settle(); };
    clickAt(menu->findChild<QWidget*>(QStringLiteral("Command4")));
    ui.script.afterAnswer = nullptr;
    settle();
    EXPECT_EQ(ui.script.messages(), QStringList(2, kQuestion));
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("frmmangement")), menu);
    EXPECT_EQ(QApplication::activeWindow(), menu);
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, RecordWindowContract, ::testing::ValuesIn(qv::Windows::kinds()),
                         [](const ::testing::TestParamInfo<QString>& info) { return info.param.toStdString(); });

} // namespace
