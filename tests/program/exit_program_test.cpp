// "Exit Program" on the appointment book while other windows are open: every
// window goes, and the program ends, unless the book's ticket cannot be saved.
// Then the refusal is read in a message box that keeps the program's events
// going, as a real one does, and the book stays.
#include "support/user_hands.h"
#include "appointments/appointment_book.h"
#include "customers/customer_window.h"
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

TEST_F(ExitProgram, ARefusedTicketKeepsTheBookOpenInEditingWithItsMessageSeen)
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

    ASSERT_EQ(reading.messages().size(), 1);
    EXPECT_FALSE(reading.messages()[0].isEmpty());
    EXPECT_EQ(reading.endsWhileShown, std::vector<int>{0});
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(qv::Windows::loaded<CustomerWindow>());
    ASSERT_EQ(qv::Windows::loaded<AppointmentBook>(), &book);
    EXPECT_TRUE(book.isVisible());
    EXPECT_TRUE(book.isEditingRecord());
    EXPECT_EQ(book.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), "Edit record");
    EXPECT_TRUE(book.findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_TRUE(book.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());
    EXPECT_EQ(book.productSlot(1).quantity->text(), "3abc");
    EXPECT_EQ(book.gridShows(), AppointmentBook::GridShows::ClientHistory);
    EXPECT_EQ(book.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 3);   // Ann Lee's tickets
    EXPECT_TRUE(db.scalarRaw("SELECT Quantity FROM Servicemenu WHERE CustomerID = '1001'").isNull());
    if (const QByteArray folder = qgetenv("QV_SHOT"); !folder.isEmpty())
        book.grab().save(QString::fromLocal8Bit(folder) + "/exit_refused.png");

    // Cancel drops the bad text; Exit Program then ends the program.
    ASSERT_TRUE(qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("cmdCancel"))));
    reading.clear();
    ASSERT_TRUE(qvtest::clickAt(book.findChild<QPushButton*>(QStringLiteral("Command23"))));
    QTest::qWait(50);
    EXPECT_TRUE(reading.messages().isEmpty()) << reading.messages().join(" | ").toStdString();
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(qv::Windows::all().isEmpty());
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
