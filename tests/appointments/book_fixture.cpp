#include "support/user_hands.h"
#include "book_fixture.h"

#include "platform/forms/window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTableView>

void BookTest::SetUp()
{
    qv::Windows::setOnLastClosed([] {});
}

void BookTest::TearDown()
{
    qvtest::unloadEveryWindow();
    QApplication::processEvents();
    qv::Windows::setOnLastClosed(nullptr);
}

AppointmentBook& BookTest::open()
{
    if (seed)
        db.seed();
    m_book = qv::Windows::show<AppointmentBook>();
    m_book->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_book));
    ui.script.clear();
    return *m_book;
}

void BookTest::type(QWidget* box, const QString& text)
{
    qvtest::typeInto(box, text);
}

void BookTest::click(QAbstractButton* button)
{
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    qvtest::clickAt(button);
}

void BookTest::pick(QComboBox* list, const QString& item)
{
    const int target = list->findText(item);
    ASSERT_GE(target, 0) << item.toStdString();
    // A click into the list's text, F4 to drop it down, the arrow keys to
    // the choice and Enter: a closed list takes no arrow keys.
    qvtest::clickAt(list);
    qvtest::press(Qt::Key_F4);
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(view->isVisible()) << list->objectName().toStdString() << " did not drop down";
    for (int step = 0; view->currentIndex().row() > target && step < list->count(); ++step)
        qvtest::press(Qt::Key_Up);
    for (int step = 0; view->currentIndex().row() < target && step < list->count(); ++step)
        qvtest::press(Qt::Key_Down);
    qvtest::press(Qt::Key_Return);
    ASSERT_EQ(list->currentText(), item);
}

void BookTest::clickDay(const QDate& day)
{
    qv::MonthCalendar* calendar = book().findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"));
    ASSERT_TRUE(calendar->isVisible());
    calendar->setCurrentPage(day.year(), day.month());
    auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    ASSERT_TRUE(view);
    // Row 0 holds the names of the days; the weeks follow, Sunday first.
    const int shown = int(calendar->firstShownDay().daysTo(day));
    const QRect cell = view->visualRect(view->model()->index(1 + shown / 7, shown % 7));
    qvtest::clickAt(view->viewport(), cell.center());
}

QWidget* BookTest::focused() const
{
    return m_book->focusWidget();
}

void BookTest::fillAppointment(const QString& ticket, const QString& name, const QString& phone)
{
    type(box(50), ticket);
    pick(book().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer")), "Maria");
    type(box(8), name);
    type(box(0), phone);
    click(book().findChild<QPushButton*>(QStringLiteral("Command9")));
    clickDay(QDate(2001, 8, 6));
    pick(book().findChild<QComboBox*>(QStringLiteral("Combo3")), "12:30 Pm");
    pick(book().findChild<QComboBox*>(QStringLiteral("Combo1")), "1 Pm");
}

void BookTest::fillWorkedExample()
{
    AppointmentBook::ServiceSlot s1 = book().serviceSlot(1), s2 = book().serviceSlot(2);
    type(s1.name, "Haircut");
    type(s1.price, "25.00");
    type(s1.quantity, "1");
    type(s2.name, "Color");
    type(s2.price, "45.50");
    type(s2.quantity, "2");
    type(input(0), "8.25");
    AppointmentBook::ProductSlot p1 = book().productSlot(1);
    type(p1.stockNumber, "1002");
    type(p1.name, "Conditioner");
    type(p1.price, "12.99");
    type(p1.quantity, "3");
    type(input(3), "6");
}
