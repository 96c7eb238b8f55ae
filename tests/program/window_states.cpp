#include "window_states.h"

#include "platform/forms/window.h"
#include "shell/password_dialog.h"
#include "support/salon_db.h"
#include "support/user_hands.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QTime>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace qvtest {

namespace {

// ---------------------------------------------------------------- the user's hands on a window

QWidget* control(qv::Window* w, const char* name)
{
    QWidget* c = w->findChild<QWidget*>(QString::fromLatin1(name));
    if (!c)
        ADD_FAILURE() << w->windowName().toStdString() << " has no control " << name;
    return c;
}

bool click(qv::Window* w, const char* name)
{
    QWidget* c = control(w, name);
    return c && clickAt(c);
}

bool type(qv::Window* w, const char* box, const QString& text)
{
    QWidget* c = control(w, box);
    return c && typeInto(c, text);
}

// The padlock opens the password dialog; the manager types the password
// and presses Enter.
bool unlock(qv::Window* w, const char* padlock, const QString& dialog)
{
    if (!click(w, padlock))
        return false;
    auto* login = qobject_cast<PasswordDialog*>(qv::Windows::loaded(dialog));
    if (!login) {
        ADD_FAILURE() << dialog.toStdString() << " did not open";
        return false;
    }
    if (!typeInto(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), PasswordDialog::kPassword))
        return false;
    press(Qt::Key_Return);
    settle();
    return login->loginSucceeded();
}

// A state a user brings a window to, from the window as it opens.
QMap<QString, QList<WindowState>> makeStates()
{
    QMap<QString, QList<WindowState>> states;
    const auto add = [&states](const char* window, const char* name, std::function<bool(qv::Window*)> reach) {
        states[QString::fromLatin1(window)] << WindowState{QString::fromLatin1(name), std::move(reach)};
    };
    add("Form2", "the business and its address", [](qv::Window* w) { return click(w, "Command13"); });
    add("Form2", "the datasheet", [](qv::Window* w) { return click(w, "Command15"); });
    add("Form2", "the calendar", [](qv::Window* w) { return click(w, "Image1"); });
    add("Form2", "the category list dropped down", [](qv::Window* w) {
        auto* combo = qobject_cast<QComboBox*>(control(w, "Combo3"));
        return combo && clickAt(combo, QPoint(combo->width() - 6, combo->height() / 2)) && combo->view()->isVisible();
    });
    add("frmEmployee", "the employee datasheet", [](qv::Window* w) { return click(w, "Command6"); });
    add("Frmcommissions", "all totals of July 2001", [](qv::Window* w) {
        return type(w, "txtBegDate", QStringLiteral("7/1/01")) && type(w, "txtEndDate", QStringLiteral("7/31/01"))
            && click(w, "Command7");
    });
    add("frmCalendar", "a closed day typed into its cell", [](qv::Window* w) {
        if (!type(w, "txtfields_7_lines", QStringLiteral("8")))
            return false;
        press(Qt::Key_Return);
        typeKeys(QStringLiteral("Closed (Easter)"));
        return true;
    });
    add("frmCalendar", "the memo panel", [](qv::Window* w) { return click(w, "Picture1"); });
    add("frmCalendar", "unlocked by the password",
        [](qv::Window* w) { return unlock(w, "Command4", QStringLiteral("frmLogin5")); });
    add("frmServiceMenu1", "unlocked by the password",
        [](qv::Window* w) { return unlock(w, "Command9", QStringLiteral("frmLogin4")); });
    add("frmCustomers", "the customer datasheet", [](qv::Window* w) { return click(w, "Command6"); });
    for (const char* stock : {"FormProductsA", "Form10", "Form6a"})
        add(stock, "its last product", [](qv::Window* w) { return click(w, "cmdLast"); });
    add("Form1", "every ticket's products", [](qv::Window* w) { return click(w, "Command4"); });
    add("Form6a", "the whole stock", [](qv::Window* w) { return click(w, "Command1"); });
    add("Form6a", "the vendor list dropped down", [](qv::Window* w) {
        auto* combo = qobject_cast<QComboBox*>(control(w, "dcboCustomer"));
        return combo && clickAt(combo, QPoint(combo->width() - 6, combo->height() / 2)) && combo->view()->isVisible();
    });
    add("Form6a", "a vendor picked from the list", [](qv::Window* w) {
        auto* combo = qobject_cast<QComboBox*>(control(w, "dcboCustomer"));
        return combo && pick(combo, QStringLiteral("Mediterranean Beauty Supply Co"));
    });
    add("Form3", "its last ticket", [](qv::Window* w) { return click(w, "cmdLast"); });
    add("frmServicemenu3", "its last ticket", [](qv::Window* w) { return click(w, "cmdLast"); });
    add("Form3", "the tickets of a date range", [](qv::Window* w) {
        return type(w, "txtfields_48", QStringLiteral("7/2/01")) && type(w, "txtfields_49", QStringLiteral("7/9/01"))
            && click(w, "Command7");
    });
    return states;
}

const QMap<QString, QList<WindowState>>& statesOfWindows()
{
    static const QMap<QString, QList<WindowState>> states = makeStates();
    return states;
}

} // namespace

// Every record window, while a record is being added: Update and Cancel
// take the place of the buttons they replace.
const WindowState& adding()
{
    static const WindowState state = {QStringLiteral("adding a record"), [](qv::Window* w) { return click(w, "cmdAdd"); }};
    return state;
}

QList<WindowState> statesOf(qv::Window* w)
{
    QList<WindowState> states = statesOfWindows().value(w->windowName());
    auto* add = w->findChild<QWidget*>(QStringLiteral("cmdAdd"));
    if (add && add->isVisibleTo(w) && add->isEnabled())
        states << adding();
    return states;
}


void addLongestValues(SalonDb& db)
{
    // Values at their longest: a client's name of 30 characters,
    // products of 30 characters and a vendor's company name, on a ticket,
    // in the stock and in the vendor book.
    db.insert(QStringLiteral("Customers"), {{"CustomerName", "Mary-Kate Alexandra-Montgomery"}, {"Phone", "434-7777"},
                                            {"EmployeeID", "Maria"}, {"City", "San Diego"}});
    db.insert(QStringLiteral("Suppliers"), {{"CompanyName", "Mediterranean Beauty Supply Co"},
                                            {"ContactName", "Lee Wong"}, {"Phone", "800-555-0300"}});
    db.insert(QStringLiteral("StockControl"),
              {{"Category", "Crème Developer 20 Volume 32oz"}, {"SystemStockNumber", "2003"}, {"Price", 0.0},
               {"CostValueOfStock", 6.0}, {"StartingQuantity", 12.0}, {"Sold", 2.0}, {"CurrentlyInStock", 10.0},
               {"SourceOrSupplier", "Mediterranean Beauty Supply Co"}, {"Date", QDate(2001, 6, 1)}});
    db.insert(QStringLiteral("StockControl"),
              {{"Category", "Keratin Smoothing Cream 250 ml"}, {"SystemStockNumber", "1004"}, {"Price", 1234.50},
               {"CostValueOfStock", 11.0}, {"StartingQuantity", 8.0}, {"Sold", 1.0}, {"CurrentlyInStock", 7.0},
               {"SourceOrSupplier", "Mediterranean Beauty Supply Co"}, {"Date", QDate(2001, 6, 1)}});
    db.insert(QStringLiteral("Servicemenu"),
              {{"CustomerID", "1007"}, {"CustomerName", "Mary-Kate Alexandra-Montgomery"}, {"CustomerPhone", "434-7777"},
               {"SalonArtist", "Maria"}, {"DateAppointment", QDate(2001, 7, 5)}, {"TimeAppointment", QTime(10, 30)},
               {"TimeBlock", QTime(11, 0)}, {"Service", "Color"}, {"ServicePrice1", 45.50},
               {"QuantityService1", 1}, {"Price", 45.50}, {"ProductsSold", "Keratin Smoothing Cream 250 ml"},
               {"SystemStockNumber", "1004"}, {"ProductsPrice", 24.99}, {"Quantity", 1},
               {"ProductsSold1", "Crème Developer 20 Volume 32oz"}, {"SystemStockNumber1", "2003"},
               {"ProductsPrice1", 0.0}, {"Quantity1", 1}, {"ProductSales", 24.99}, {"Totals", 70.49},
               {"TodayDate", QDate(2001, 7, 5)}});
    db.insert(QStringLiteral("Employees"),
              {{"LastName", "Montgomery"}, {"FirstName", "Alexandra"}, {"Title", "Senior Stylist"},
               {"EmployeeSS", "444-55-6666"}, {"HireDate", QDate(2005, 12, 28)},
               {"TerminationDate", QDate(2009, 11, 30)}, {"HomePhone", "(619) 434-4000"}, {"City", "Chula Vista"}});
    db.insert(QStringLiteral("Business"),
              {{"Business_Name", "Quorvel Hair Studio"}, {"Address", "12 Main St"}, {"City", "San Diego"},
               {"State", "CA"}, {"Zip", "92101"}, {"Category", "Computer Equipment"}, {"Location", "Office"},
               {"ItemName", "Front Desk Computer"}, {"ItemDescription", "Computer with printer and screen"},
               {"PurchaseDate", QDate(2001, 12, 28)}, {"PurchasePrice", 12500.00}, {"ReplacementCost", 13800.00},
               {"AppraisedValue", 10750.00}, {"AppraisalDate", QDate(2001, 12, 30)}, {"On_OffSite", "On"}});
}

qv::Window* showOnScreen(const QString& kind)
{
    QPointer<qv::Window> w = qv::Windows::show(kind);
    if (!w)
        return nullptr;
    w->activateWindow();
    (void)QTest::qWaitFor([&w] { return !w || (w->windowHandle() && w->windowHandle()->isExposed()); });
    settle();
    return w && w->isVisible() ? w.data() : nullptr;
}

void EveryWindowTest::SetUp()
{
    qv::Windows::setOnLastClosed([] {});
    db.seed();
    addLongestValues(db);
}

void EveryWindowTest::TearDown()
{
    closeAll();
    qv::Windows::setOnLastClosed(nullptr);
}

void EveryWindowTest::closeAll()
{
    unloadEveryWindow();
    settle();
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace qvtest
