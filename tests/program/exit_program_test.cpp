// "Exit Program" on the appointment book while other windows are open: every
// window goes, and the program ends, unless the book's ticket cannot be saved.
// Then the refusal is read in a message box that keeps the program's events
// going, as a real one does, and the book stays.
#include "support/user_hands.h"
#include "appointments/appointment_book.h"
#include "customers/customer_window.h"
#include "inventory/vendor_book.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A message box that, like a real one, runs the program's events while the
// user reads it; it notes whether the program ended meanwhile.
class ReadingUi : public qv::ScriptedUi {
public:
    int msgBox(const QString& text, int style, const QString& title) override
    {
        const int answer = qv::ScriptedUi::msgBox(text, style, title);
        QTest::qWait(50);
        endsWhileShown.push_back(*ends);
        return answer;
    }
    const int* ends = nullptr;
    std::vector<int> endsWhileShown;
};

class ExitProgram : public qvtest::WindowFixture {
protected:
    void SetUp() override
    {
        qvtest::WindowFixture::SetUp();
        qv::Windows::setOnLastClosed([this] { ++ends; });
        reading.ends = &ends;
        qv::setUi(&reading);
        db.seed();
    }

    ReadingUi reading;
    int ends = 0;
};

TEST_F(ExitProgram, ARefusedTicketStopsTheWholeWayOutWithEveryWindowAsItWas)
{
    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();   // on ticket 1001, browsing
    ASSERT_TRUE(qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("Command3"))));   // the customer window opens beside it
    ASSERT_TRUE(qv::Windows::loaded<CustomerWindow>());
    reading.clear();

    // Product boxes take any key; the table takes no "3abc" for a quantity.
    book.activateWindow();
    ASSERT_TRUE(qvtest::typeInto(book.productSlot(1).quantity, "3abc"));
    ASSERT_TRUE(qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("Command23"))));
    QTest::qWait(50);

    // Said over the book; nothing closed, the book still browsing with the text.
    ASSERT_EQ(reading.messages().size(), 1);
    EXPECT_FALSE(reading.messages()[0].isEmpty());
    EXPECT_EQ(reading.endsWhileShown, std::vector<int>{0});
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(qv::Windows::loaded<CustomerWindow>());
    ASSERT_EQ(qv::Windows::loaded<AppointmentBook>(), &book);
    EXPECT_TRUE(book.isVisible());
    EXPECT_FALSE(book.isChangingRecord());
    EXPECT_EQ(book.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Record: 1");
    EXPECT_EQ(book.productSlot(1).quantity->text(), "3abc");
    EXPECT_TRUE(db.scalarRaw("SELECT Quantity FROM Servicemenu WHERE CustomerID = '1001'").isNull());
    if (const QByteArray folder = qgetenv("QV_SHOT"); !folder.isEmpty())
        book.grab().save(QString::fromLocal8Bit(folder) + "/exit_refused.png");

    // Mended, Exit Program stores it and ends the program.
    book.productSlot(1).quantity->clear();
    ASSERT_TRUE(qvtest::typeInto(book.productSlot(1).quantity, "2"));
    reading.clear();
    ASSERT_TRUE(qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("Command23"))));
    QTest::qWait(50);
    EXPECT_TRUE(reading.messages().isEmpty()) << reading.messages().join(" | ").toStdString();
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(db.scalarRaw("SELECT Quantity FROM Servicemenu WHERE CustomerID = '1001'").toInt(), 2);
}

// A record typed into while browsing that cannot be stored stops the whole
// way out: Exit Program on the menu, and the book's Management Only login,
// close and open nothing; the refusing window keeps the keyboard.
TEST_F(ExitProgram, ARecordThatCannotBeStoredStopsExitProgramAndTheLogin)
{
    const struct { const char* kind; int box; const char* refusal; } blanked[] = {
        {"frmCustomers", CustomerWindow::PhoneBox, " You must enter a phone number for this client."},
        {"Frmdatabase", VendorBook::CompanyNameBox,
         "You have not entered a Company Name for this vendor. Enter one, or click cancel to drop the change."}};
    for (const auto& b : blanked) {
        SCOPED_TRACE(b.kind);
        qv::Window* menu = qv::Windows::show(QStringLiteral("frmmangement"));
        qv::Window* w = qv::Windows::show(QString::fromLatin1(b.kind));
        auto* box = w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", b.box));
        const QString was = box->text();
        ASSERT_TRUE(qvtest::clickAt(box));
        qvtest::press(Qt::Key_A, Qt::ControlModifier);
        qvtest::press(Qt::Key_Delete);
        menu->activateWindow();
        reading.clear();
        ASSERT_TRUE(qvtest::clickAt(menu->findChild<QWidget*>(QStringLiteral("Command4"))));
        QTest::qWait(50);
        EXPECT_EQ(reading.messages(), QStringList{QString::fromLatin1(b.refusal)});
        EXPECT_EQ(reading.events.front().owner.data(), w);
        EXPECT_EQ(qv::Windows::loaded(QStringLiteral("frmmangement")), menu);
        EXPECT_EQ(qv::Windows::loaded(QString::fromLatin1(b.kind)), w);
        EXPECT_EQ(QApplication::activeWindow(), w);
        box->setText(was);
        for (qv::Window* open : qv::Windows::all())
            open->unload();
    }

    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();
    const QString date = book.box(AppointmentBook::AppointmentDateBox)->text();
    ASSERT_TRUE(qvtest::typeInto(book.box(AppointmentBook::AppointmentDateBox), "2/29/2026"));
    ASSERT_TRUE(qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("Command10"))));
    qv::Window* login = qv::Windows::loaded(QStringLiteral("frmLogin"));
    ASSERT_TRUE(login);
    ASSERT_TRUE(qvtest::typeInto(login->findChild<QWidget*>(QStringLiteral("txtUserName")), "admin"));
    ASSERT_TRUE(qvtest::typeInto(login->findChild<QWidget*>(QStringLiteral("txtPassword")), "secret"));
    reading.clear();
    ASSERT_TRUE(qvtest::clickAt(login->findChild<QPushButton*>(QStringLiteral("Command1"))));
    QTest::qWait(50);
    EXPECT_EQ(reading.messages().size(), 1);
    EXPECT_FALSE(qv::Windows::loaded(QStringLiteral("frmmangement")));
    EXPECT_EQ(qv::Windows::loaded(QStringLiteral("frmLogin")), login);
    EXPECT_FALSE(book.isChangingRecord());
    EXPECT_EQ(book.box(AppointmentBook::AppointmentDateBox)->text(), "2/29/2026");
    book.box(AppointmentBook::AppointmentDateBox)->setText(date);
}

// A ticket being added when Exit Program is pressed: Cancel goes back to it,
// Yes with a field missing is refused as Update refuses it and the program
// stays with every window, Yes on the mended ticket saves it and ends.
TEST_F(ExitProgram, ATicketBeingAddedIsKeptOrSavedAsTheUserAnswers)
{
    AppointmentBook& book = *qv::Windows::show<AppointmentBook>();
    ASSERT_TRUE(qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("Command3"))));   // the customer window
    book.activateWindow();
    const int tickets = db.count("Servicemenu");
    ASSERT_TRUE(qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("cmdAdd"))));
    const std::pair<int, const char*> typed[] = {{50, "3001"}, {8, "Eve Black"}, {1, "Maria"}, {5, "8/7/2001"},
                                                 {6, "10 am"},  {38, "11 am"}};
    for (const auto& [index, text] : typed)
        ASSERT_TRUE(qvtest::typeInto(book.box(index), QString::fromLatin1(text)));
    ASSERT_TRUE(qvtest::typeInto(book.serviceSlot(1).name, "Haircut"));
    ASSERT_TRUE(qvtest::typeInto(book.serviceSlot(1).price, "25"));
    ASSERT_TRUE(qvtest::typeInto(book.serviceSlot(1).quantity, "1"));
    auto* exitButton = book.findChild<QPushButton*>(QStringLiteral("Command23"));
    const QString question =
        QStringLiteral("This record is still being added or changed. Save it before the window closes?");

    reading.clear();
    reading.msgAnswers = {qv::MsgResult::Cancel};
    ASSERT_TRUE(qvtest::clickAt(exitButton));
    QTest::qWait(50);
    EXPECT_EQ(reading.messages(), QStringList{question});
    EXPECT_TRUE(book.isAddingRecord());
    EXPECT_TRUE(qv::Windows::loaded<CustomerWindow>());
    EXPECT_EQ(book.box(8)->text(), "Eve Black");

    reading.clear();
    reading.msgAnswers = {qv::MsgResult::Yes};
    ASSERT_TRUE(qvtest::clickAt(exitButton));
    QTest::qWait(50);
    EXPECT_EQ(reading.messages(),
              QStringList({question, "You have not entered Client Phone, click cancel or enter information."}));
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(book.isAddingRecord());
    EXPECT_TRUE(qv::Windows::loaded<CustomerWindow>());
    EXPECT_EQ(db.count("Servicemenu"), tickets);

    ASSERT_TRUE(qvtest::typeInto(book.box(0), "555-0101"));
    reading.clear();
    reading.msgAnswers = {qv::MsgResult::Yes};
    ASSERT_TRUE(qvtest::clickAt(exitButton));
    QTest::qWait(50);
    EXPECT_EQ(reading.messages(), QStringList{question});
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(qv::Windows::all().isEmpty());
    EXPECT_EQ(db.count("Servicemenu"), tickets + 1);
    EXPECT_EQ(db.scalarRaw("SELECT CustomerName FROM Servicemenu WHERE CustomerID = '3001'").toString(), "Eve Black");
    EXPECT_EQ(db.scalarRaw("SELECT CustomerPhone FROM Servicemenu WHERE CustomerID = '3001'").toString(), "555-0101");
    EXPECT_DOUBLE_EQ(db.scalarRaw("SELECT QuantityService1 FROM Servicemenu WHERE CustomerID = '3001'").toDouble(), 1.0);
}

} // namespace
