// Every record window the program knows, while a record is being added:
// picks in its grids and lists, its finds and its moving keys and buttons
// store nothing in "KVD.mdb" and leave the window adding the same record.
// And on a new salon's empty tables its boxes take no typing that would be
// lost. The windows come from the same list the layout check walks, so a
// window added later is walked too.
#include "common/record_form.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "support/salon_db.h"
#include "support/user_hands.h"
#include "window_states.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using qvtest::clickAt;
using qvtest::press;
using qvtest::settle;

// Every table's rows, one line a table: equal before and after means
// nothing was stored.
QStringList contents(qvtest::SalonDb& db)
{
    const QStringList tables = db.scalarRaw(QStringLiteral(
        "SELECT group_concat(name, '|') FROM (SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name)"))
                                   .toString()
                                   .split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList all;
    for (const QString& table : tables) {
        auto rs = db.query(QStringLiteral("SELECT * FROM [%1]").arg(table));
        QString rows = table + QLatin1Char(':');
        if (rs->recordCount() > 0)
            for (rs->moveFirst(); !rs->eof(); rs->moveNext())
                for (int f = 0; f < rs->fieldCount(); ++f)
                    rows += rs->value(f).toString() + QLatin1Char(';');
        all << rows;
    }
    return all;
}

// The tables whose rows differ from `before`, as they are now.
std::string changedTables(const QStringList& before, qvtest::SalonDb& db)
{
    QStringList changed;
    for (const QString& rows : contents(db))
        if (!before.contains(rows))
            changed << rows;
    return changed.join(QLatin1Char('\n')).toStdString();
}

bool shown(const QWidget* control, const qv::Window* w)
{
    return control->isVisibleTo(w) && control->isEnabled() && control->isVisible();
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

// Clicks into the box and types over what it holds, as typeInto does; false
// when the click leaves the focus elsewhere (a box the window passes over).
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

// The password states that show the edit buttons, and the states that bring
// a grid or list into sight (a datasheet behind a button).
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

class RecordWindowHolds : public qvtest::EveryWindowTest {
protected:
    RecordForm* openUnlocked(const QString& kind)
    {
        closeAll();
        auto* form = qobject_cast<RecordForm*>(qvtest::showOnScreen(kind));
        if (!form)
            return nullptr;
        for (const qvtest::WindowState& state : qvtest::statesOf(form))
            if (unlocks(state))
                EXPECT_TRUE(state.reach(form)) << state.name.toStdString();
        settle();
        return form;
    }

    // Add or Edit, then type into the first box that takes a name. The box
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

TEST_P(RecordWindowHolds, NoPickFindOrMoveStoresARecordBeingChanged)
{
    const QString kind = GetParam();
    RecordForm* form = openUnlocked(kind);
    if (!form)
        GTEST_SKIP() << "not a record window";
    QStringList changes;
    for (const char* button : {"cmdAdd", "cmdEdit"})
        if (auto* b = form->findChild<QWidget*>(QLatin1String(button)); b && shown(b, form))
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
        form = openUnlocked(kind);
        const qsizetype before = pickableViews(form).size();
        if (state.reach(form) && pickableViews(form).size() > before)
            sights << &state;
    }
    for (const QString& change : std::as_const(changes)) {
        for (const qvtest::WindowState* sight : std::as_const(sights)) {
            SCOPED_TRACE((change + QStringLiteral(", ") + (sight ? sight->name : QStringLiteral("as it opens")))
                             .toStdString());
            form = openUnlocked(kind);
            ASSERT_TRUE(form);
            const QStringList stored = contents(db);
            const QString typed = QStringLiteral("Zed Held");
            QWidget* box = changeAndType(form, change, typed);
            ASSERT_TRUE(box) << "no box took the typing";
            if (sight)
                ASSERT_TRUE(sight->reach(form));
            ui.script.clear();
            pickFindAndMove(form);
            EXPECT_EQ(changedTables(stored, db), "");
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
            EXPECT_EQ(changedTables(stored, db), "");
        }
    }
}

// A new salon: every table emptied before the window opens.
TEST_P(RecordWindowHolds, OnEmptyTablesTheBoxesTakeNoTypingThatWouldBeLost)
{
    for (const QString& table : contents(db))
        db.execRaw(QStringLiteral("DELETE FROM [%1]").arg(table.section(QLatin1Char(':'), 0, 0)));
    auto* form = qobject_cast<RecordForm*>(qvtest::showOnScreen(GetParam()));
    if (!form)
        GTEST_SKIP() << "not a record window";
    const QStringList stored = contents(db);
    for (QWidget* box : recordBoxes(form)) {
        const QString before = textOf(box);
        typeOver(box, QStringLiteral("Zed"));
        // Either the box took nothing, or the typing began a record being
        // added, which the window then keeps until Update or Cancel.
        if (!form->isAddingRecord())
            EXPECT_EQ(textOf(box), before) << box->objectName().toStdString();
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
        const QStringList before = boxTexts();
        if (list->isEnabled())
            qvtest::pick(list, list->itemText(list->count() - 1));
        if (!form->isChangingRecord())
            EXPECT_EQ(boxTexts(), before) << list->objectName().toStdString();
    }
    form->unload();
    settle();
    EXPECT_EQ(changedTables(stored, db), "");
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, RecordWindowHolds, ::testing::ValuesIn(qv::Windows::kinds()),
                         [](const ::testing::TestParamInfo<QString>& info) { return info.param.toStdString(); });

} // namespace
