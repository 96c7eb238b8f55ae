// Bound controls over a real recordset: text boxes, the data grid, the data
// list and combo; and the month calendar and picture box.
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "support/program_folder.h"
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class BoundControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Database::create(folder.file("KVD.mdb"),
                             {{"Items",
                               {{"Name", qv::FieldType::Text},
                                {"Owner", qv::FieldType::Text},
                                {"Qty", qv::FieldType::Long},
                                {"Price", qv::FieldType::Currency},
                                {"Day", qv::FieldType::DateTime}}}});
        connection.open("Data Source=" + folder.path() + "\\KVD.mdb");
        rs = std::make_shared<qv::Recordset>();
        rs->open("SELECT * FROM Items", connection);
        add("Comb", "Ann", 2, "1.5", "6/7/2001");
        add("Brush", "Bob", 1, "1250", "7/30/2001");
        add("Gel", "Ann", 5, "9", "");
        rs->moveFirst();
        window.resize(600, 400);
    }
    void add(const QString& name, const QString& owner, int qty, const QString& price, const QString& day)
    {
        rs->addNew();
        rs->setValue("Name", name);
        rs->setValue("Owner", owner);
        rs->setValue("Qty", qty);
        rs->setValue("Price", price);
        rs->setValue("Day", day);
        rs->update();
    }
    QString stored(int row, const QString& field)
    {
        auto check = connection.execute("SELECT * FROM Items");
        check->setAbsolutePosition(row);
        return qv::formatValue(check->value(field), QString());
    }

    qvtest::TempProgramFolder folder;
    qv::Connection connection;
    std::shared_ptr<qv::Recordset> rs;
    QWidget window;
    qv::ScopedScriptedUi ui;
};

TEST_F(BoundControlsTest, BoxShowsItsFieldInItsFormatWheneverTheRowIsShownAgain)
{
    qv::TextBox price(&window), day(&window), name(&window);
    price.bind(rs.get(), "Price", "Currency");
    day.bind(rs.get(), "Day", "mm/dd/yyyy");
    name.bind(rs.get(), "Name");
    EXPECT_EQ(price.text(), "$1.50");
    EXPECT_EQ(day.text(), "06/07/2001");
    EXPECT_FALSE(price.isDirty());

    // Written text stays as written until the row is shown again.
    price.setBoxText("2.456");
    EXPECT_TRUE(price.isDirty());
    EXPECT_EQ(price.text(), "2.456");
    rs->move(0);   // puts the box into the row and shows the row again
    EXPECT_EQ(price.text(), "$2.46");
    EXPECT_FALSE(price.isDirty());
    EXPECT_EQ(rs->value("Price").value<qv::Money>(), qv::Money::fromUnits(24560));

    rs->moveNext();
    EXPECT_EQ(price.text(), "$1,250.00");
    EXPECT_EQ(name.text(), "Brush");
    rs->moveNext();
    EXPECT_EQ(day.text(), "");   // null shows empty
    rs->moveNext();              // EOF: no current row
    EXPECT_EQ(name.text(), "");
    EXPECT_EQ(price.text(), "");
    EXPECT_EQ(stored(1, "Price"), "2.456");   // the move off the first row saved it
}

TEST_F(BoundControlsTest, OnlyChangedBoxesAreWrittenBack)
{
    qv::TextBox price(&window), qty(&window);
    price.bind(rs.get(), "Price", "Currency");
    qty.bind(rs.get(), "Qty", "0");
    QTest::keyClick(&qty, Qt::Key_End);
    QTest::keyClicks(&qty, "0");   // "2" becomes "20"
    EXPECT_TRUE(qty.isDirty());
    EXPECT_FALSE(price.isDirty());
    rs->move(0);
    EXPECT_TRUE(rs->isChanged("Qty"));
    EXPECT_FALSE(rs->isChanged("Price"));   // "$1.50" was never written back

    // Typed and typed back: nothing changed.
    QTest::keyClick(&price, Qt::Key_End);
    QTest::keyClicks(&price, "9");
    QTest::keyClick(&price, Qt::Key_Backspace);
    EXPECT_FALSE(price.isDirty());
}

TEST_F(BoundControlsTest, ARefusedValueKeepsTheOldOneAndReportsTheField)
{
    qv::TextBox qty(&window);
    qty.bind(rs.get(), "Qty");
    qty.setBoxText("lots");
    try {
        qty.commit();
        FAIL() << "a Long field took \"lots\"";
    } catch (const qv::Error& e) {
        EXPECT_FALSE(e.description().isEmpty());
    }
    EXPECT_EQ(rs->value("Qty").toLongLong(), 2);
    EXPECT_EQ(qty.text(), "lots");
    EXPECT_THROW(rs->moveNext(), qv::Error);   // the move that would save it is refused
    EXPECT_EQ(rs->absolutePosition(), 1);

    qty.setBoxText("");   // an empty box stores null
    rs->moveNext();
    EXPECT_EQ(stored(1, "Qty"), "");
}

TEST_F(BoundControlsTest, TwoBoxesOnOneFieldShowTheSameAfterACommit)
{
    qv::TextBox a(&window), b(&window);
    a.bind(rs.get(), "Name");
    b.bind(rs.get(), "Name");
    a.setBoxText("Wide Comb");
    rs->move(0);
    EXPECT_EQ(a.text(), "Wide Comb");
    EXPECT_EQ(b.text(), "Wide Comb");

    b.unbind();
    rs->moveNext();
    EXPECT_EQ(a.text(), "Brush");
    EXPECT_EQ(b.text(), "Wide Comb");   // no longer follows the recordset
    EXPECT_EQ(b.dataSource(), nullptr);
}

TEST_F(BoundControlsTest, BoxesFindTheirFieldsAgainWhenTheRecordsetIsOpenedOnOtherFields)
{
    qv::TextBox name(&window), owner(&window), qty(&window);
    name.bind(rs.get(), "Name");
    owner.bind(rs.get(), "owner");   // case ignored
    rs->moveNext();
    EXPECT_EQ(name.text(), "Brush");
    EXPECT_EQ(owner.text(), "Bob");

    // The same recordset opened again with its fields in another order.
    rs->close();
    rs->open("SELECT Owner, Qty, Name FROM Items", connection);
    EXPECT_EQ(name.text(), "Comb");
    EXPECT_EQ(owner.text(), "Ann");
    rs->moveNext();
    EXPECT_EQ(name.text(), "Brush");
    EXPECT_EQ(owner.text(), "Bob");

    // A box bound now, among boxes bound before.
    qty.bind(rs.get(), "Qty");
    rs->moveNext();
    EXPECT_EQ(qty.text(), "5");
    EXPECT_EQ(name.text(), "Gel");

    // Without the field, the box shows nothing; with it again, the field.
    rs->close();
    rs->open("SELECT Qty FROM Items", connection);
    EXPECT_EQ(name.text(), "");
    EXPECT_EQ(qty.text(), "2");
    rs->close();
    rs->open("SELECT Name, Owner FROM Items ORDER BY Name", connection);
    rs->moveLast();
    EXPECT_EQ(name.text(), "Gel");
    EXPECT_EQ(owner.text(), "Ann");
    EXPECT_EQ(qty.text(), "");

    // Bound to another recordset, a box follows that one only.
    auto other = connection.execute("SELECT Qty, Name FROM Items");
    name.bind(other.get(), "Name");
    rs->moveFirst();
    EXPECT_EQ(name.text(), "Comb");
    other->moveLast();
    EXPECT_EQ(name.text(), "Gel");
    EXPECT_EQ(owner.text(), "Bob");
}

TEST_F(BoundControlsTest, KeyAndFocusHooks)
{
    qv::TextBox digits(&window), other(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    digits.bind(rs.get(), "Qty");
    QList<int> seen;
    digits.keyPress = [&](int& k) {
        seen << k;
        if (k < '0' || k > '9')
            k = 0;
    };
    digits.clear();
    QTest::keyClicks(&digits, "1a2-");
    EXPECT_EQ(digits.text(), "12");
    EXPECT_EQ(seen, QList<int>({'1', 'a', '2', '-'}));
    // The Delete key deletes without a key press, although the X server
    // reports it with the character 127.
    QTest::keyClick(&digits, Qt::Key_Left);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(127)));
    QApplication::sendEvent(&digits, &del);
    EXPECT_EQ(digits.text(), "1");
    EXPECT_EQ(seen.size(), 4);
    digits.setText("12");

    other.setFocus();
    int got = 0, lost = 0;
    digits.gotFocus = [&] { ++got; };
    digits.lostFocus = [&] { ++lost; };
    digits.setSelectOnFocus(true);
    digits.setFocus();
    EXPECT_EQ(got, 1);
    EXPECT_EQ(digits.selectedText(), "12");
    other.setFocus();
    EXPECT_EQ(lost, 1);

    // The keyboard coming back to the window (after a message box, a
    // question answered Cancel) finds the caret where it was and nothing
    // selected: the next key adds to what was typed instead of replacing it.
    qv::TextBox notesBox(&window);
    qv::ManyLineBox notes(&notesBox, &window);
    notes.show();
    QWidget elsewhere;
    elsewhere.show();
    for (QWidget* typedInto : {static_cast<QWidget*>(&digits), static_cast<QWidget*>(&notes)}) {
        typedInto->setFocus();   // the whole text selected
        QTest::keyClicks(typedInto, "34");
        QApplication::setActiveWindow(&elsewhere);
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(typedInto->hasFocus());
        QTest::keyClicks(typedInto, "5");
    }
    EXPECT_EQ(digits.text(), "345");
    EXPECT_EQ(notes.toPlainText(), "345");

    // A hook that fails shows its error and the key goes on unchanged.
    digits.keyPress = [](int&) { throw qv::Error("Invalid procedure call or argument"); };
    QTest::keyClicks(&digits, "7");
    EXPECT_EQ(ui.script.messages(), QStringList({"Invalid procedure call or argument"}));
}

TEST_F(BoundControlsTest, GridSharesTheCurrentRowWithItsRecordset)
{
    qv::DataGrid grid(&window);
    grid.setDataSource(rs, {{"Name", "Item", "", 1500}, {"Price", "Price", "\"$\"#,##0.00", 0}, {"Day", "Date", "M/d/yyyy", 0}});
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), "Item");
    EXPECT_EQ(grid.columnWidth(0), 100);
    EXPECT_EQ(grid.model()->index(1, 1).data().toString(), "$1,250.00");
    EXPECT_EQ(grid.model()->index(0, 2).data().toString(), "6/7/2001");
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);

    // A move of the recordset selects the row.
    rs->moveLast();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.currentIndex().row(), 2);

    // Picking a row moves the recordset.
    window.show();
    QSignalSpy picked(&grid, &qv::DataGrid::rowPicked);
    const QRect cell = grid.visualRect(grid.model()->index(1, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(rs->absolutePosition(), 2);
    EXPECT_EQ(picked.count(), 1);

    // A refused pick leaves recordset and selection where they were.
    grid.beforeRowPick = [] { return false; };
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(0, 0)).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(rs->absolutePosition(), 2);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_EQ(picked.count(), 1);
}

TEST_F(BoundControlsTest, GridFollowsSavesAndDeletesAndShowsEveryFieldByDefault)
{
    qv::DataGrid grid(&window);
    grid.setDataSource(rs);
    EXPECT_EQ(grid.model()->columnCount(), rs->fieldCount());
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), rs->fieldName(0));

    rs->addNew();
    rs->setValue("Name", "Foil");
    QCoreApplication::processEvents();
    rs->update();
    rs->moveLast();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(grid.currentIndex().row(), 3);

    rs->moveFirst();
    rs->deleteCurrent();
    rs->moveNext();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_EQ(grid.model()->index(0, rs->fieldIndex("Name")).data().toString(), "Brush");

    // A save of the current row shows at once.
    rs->setValue("Name", "Big Brush");
    rs->update();
    EXPECT_EQ(grid.model()->index(0, rs->fieldIndex("Name")).data().toString(), "Big Brush");
}

TEST_F(BoundControlsTest, GridOverAChapter)
{
    auto shaped = std::make_shared<qv::Recordset>();
    shaped->open("SHAPE {select * from Items} AS ParentCMD APPEND ({select * from Items } AS ChildCMD "
                 "RELATE Owner TO Owner) AS ChildCMD",
                 connection);
    qv::DataGrid grid(&window);
    grid.setDataSource(shaped->chapter("ChildCMD"), {{"Name", "Item", "", 0}, {"Owner", "Owner", "", 0}});
    ASSERT_EQ(grid.model()->rowCount(), 2);   // Ann's two items
    EXPECT_EQ(grid.model()->index(1, 0).data().toString(), "Gel");
    shaped->moveNext();
    grid.setDataSource(shaped->chapter("ChildCMD"), {{"Name", "Item", "", 0}});
    EXPECT_EQ(grid.model()->rowCount(), 1);
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(), "Brush");
}

TEST_F(BoundControlsTest, GridTakesAnotherRecordsetAsIfFreshlyShown)
{
    const QList<qv::GridColumn> columns = {{"Name", "Item", "", 1500}, {"Price", "Price", "\"$\"#,##0.00", 0}};
    qv::DataGrid grid(&window);
    window.show();
    grid.setDataSource(rs, columns);
    grid.setColumnWidth(0, 40);   // as a user drags it
    grid.setCurrentIndex(grid.model()->index(2, 1));
    ASSERT_EQ(rs->absolutePosition(), 3);

    // The same fields and as many rows, in another order.
    auto sorted = connection.execute("SELECT * FROM Items ORDER BY Name");
    sorted->moveNext();
    grid.setDataSource(sorted, columns);
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(), "Brush");
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(), "$1,250.00");
    EXPECT_EQ(grid.model()->index(2, 0).data().toString(), "Gel");
    EXPECT_EQ(grid.currentIndex(), grid.model()->index(1, 0));
    EXPECT_EQ(grid.selectionModel()->selectedRows(), QModelIndexList{grid.model()->index(1, 0)});
    EXPECT_EQ(grid.columnWidth(0), 40);   // the width the user gave it stays
    EXPECT_EQ(rs->absolutePosition(), 3);   // the old recordset is left where it was

    // It follows the new recordset, and only that one.
    sorted->moveLast();
    EXPECT_EQ(grid.currentIndex().row(), 2);
    rs->moveFirst();
    EXPECT_EQ(grid.currentIndex().row(), 2);
    grid.setCurrentIndex(grid.model()->index(0, 0));
    EXPECT_EQ(sorted->absolutePosition(), 1);
    EXPECT_EQ(rs->absolutePosition(), 1);

    // The same names in another order, and as many rows.
    auto reordered = connection.execute("SELECT Price, Owner, Name FROM Items");
    grid.setDataSource(reordered, columns);
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(), "Comb");
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(), "$1.50");

    // Other columns.
    grid.setDataSource(reordered, {{"Owner", "Who", "", 0}, {"Price", "Price", "", 0}});
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), "Who");
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(), "Ann");
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(), "1.5");
}

TEST_F(BoundControlsTest, ListAndComboFilledFromARecordset)
{
    const int position = rs->absolutePosition();
    qv::DataList list(&window);
    list.setRowSource(rs, "Name", "Qty");
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(rs->absolutePosition(), position);   // filling did not move it
    list.setCurrentRow(1);
    EXPECT_EQ(list.text(), "Brush");
    EXPECT_EQ(list.boundText(), "1");

    qv::DataCombo combo(&window);
    combo.setRowSource(rs, "Owner");
    EXPECT_EQ(combo.count(), 3);
    combo.setCurrentIndex(1);
    EXPECT_EQ(combo.text(), "Bob");
    EXPECT_EQ(combo.boundText(), "Bob");
    combo.setText("Zoe");   // not in the list: shown as typed
    EXPECT_EQ(combo.text(), "Zoe");
    EXPECT_EQ(combo.boundText(), "Zoe");
}

TEST_F(BoundControlsTest, AListReportsOnlyTheUsersOwnPicks)
{
    qv::DataList list(&window);
    list.setRowSource(rs, "Name");
    list.setGeometry(0, 0, 200, 150);
    QLineEdit before(&window);
    before.setGeometry(0, 200, 100, 24);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy picks(&list, &qv::DataList::picked);

    // The focus arriving makes the first item current: no pick; nor is the
    // program's own choice of item.
    before.setFocus();
    list.setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(list.hasFocus());
    EXPECT_EQ(list.currentRow(), 0);
    list.setCurrentRow(2);
    EXPECT_EQ(picks.count(), 0);

    // Keys that move are picks; one that moves nowhere is none.
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(picks.count(), 1);
    QTest::keyClick(&list, Qt::Key_Home);
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(picks.count(), 2);

    // A click picks, the item already current too.
    const QPoint first = list.visualItemRect(list.item(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, first);
    EXPECT_EQ(picks.count(), 3);
    EXPECT_EQ(list.text(), "Comb");
}

TEST_F(BoundControlsTest, ComboBoundToAFieldOfAnotherRecordset)
{
    auto owners = connection.execute("SELECT Owner FROM Items GROUP BY Owner");
    qv::DataCombo combo(&window);
    combo.setRowSource(owners, "Owner");
    combo.bind(rs.get(), "Owner");
    EXPECT_EQ(combo.text(), "Ann");
    rs->moveNext();
    EXPECT_EQ(combo.text(), "Bob");
    combo.setCurrentIndex(combo.findText("Ann"));
    rs->movePrevious();   // leaving the row saves the pick
    EXPECT_EQ(stored(2, "Owner"), "Ann");
    EXPECT_EQ(combo.text(), "Ann");
}

TEST(MonthCalendar, ClickedDaysAndBoldDays)
{
    qv::MonthCalendar calendar;
    calendar.setFirstDayOfWeek(Qt::Sunday);
    calendar.setCurrentPage(2001, 7);
    // July 2001 begins on a Sunday: the first row shows the week before.
    EXPECT_EQ(calendar.firstShownDay(), QDate(2001, 6, 24));
    calendar.setCurrentPage(2001, 8);   // Wednesday the 1st
    EXPECT_EQ(calendar.firstShownDay(), QDate(2001, 7, 29));

    calendar.setDayBold(QDate(2001, 8, 5), true);
    EXPECT_EQ(calendar.dateTextFormat(QDate(2001, 8, 5)).fontWeight(), QFont::Bold);
    calendar.setDayBold(QDate(2001, 8, 5), false);
    EXPECT_EQ(calendar.dateTextFormat(QDate(2001, 8, 5)).fontWeight(), QFont::Normal);
    calendar.setDayBold(QDate(2001, 8, 12), true);
    calendar.clearBold();
    EXPECT_TRUE(calendar.dateTextFormat().isEmpty());

    QSignalSpy clicked(&calendar, &qv::MonthCalendar::dayClicked);
    QSignalSpy shown(&calendar, &qv::MonthCalendar::monthShown);
    emit calendar.clicked(QDate(2001, 8, 9));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toDate(), QDate(2001, 8, 9));
    calendar.showNextMonth();
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown[0][1].toInt(), 9);
}

TEST(PictureBox, LoadsByPathAndEmptiesOnABadFile)
{
    qvtest::TempProgramFolder folder;
    const QString path = folder.file("client.png");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));

    qv::PictureBox box;
    EXPECT_TRUE(box.loadPicture(path));
    EXPECT_EQ(box.picturePath(), path);
    EXPECT_EQ(box.pixmap().size(), QSize(40, 30));
    EXPECT_FALSE(box.loadPicture(folder.file("missing.jpg")));
    EXPECT_TRUE(box.pixmap().isNull());
    EXPECT_EQ(box.picturePath(), "");

    QSignalSpy clicked(&box, &qv::PictureBox::clicked);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

} // namespace

// A window's controls go in the order they were made: the box before the
// view of several lines that shows it.
TEST(ManyLineBox, FollowsItsBoxAndOutlivesIt)
{
    QWidget window;
    auto* box = new qv::TextBox(&window);
    box->setObjectName(QStringLiteral("txtNotes"));
    box->setText(QStringLiteral("first line"));
    auto* view = new qv::ManyLineBox(box, &window);
    EXPECT_EQ(view->objectName(), "txtNotes_lines");
    EXPECT_EQ(view->toPlainText(), "first line");
    box->setReadOnly(true);
    EXPECT_TRUE(view->isReadOnly());
    box->setReadOnly(false);
    EXPECT_FALSE(view->isReadOnly());

    // Every event of the box's own destruction passes the view's watch.
    delete box;
    EXPECT_EQ(view->box(), nullptr);
    view->setFocus();
    view->setPlainText(QStringLiteral("typed after the box went"));
    EXPECT_EQ(view->toPlainText(), "typed after the box went");
}
