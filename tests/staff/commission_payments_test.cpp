// The commission payments window: entering a payment with its total worked
// out, the names picked from the employee lists, the grid of one employee's
// or of all payments, and the find by last name.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "staff/commission_payments.h"

#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/money.h"
#include "support/grid_readers.h"
#include "support/salon_db.h"

#include <QApplication>
#include <cmath>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PaymentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        qv::Windows::registerFactory("frmtest1", [] { return new CommissionPayments; });
        qv::Windows::registerFactory("frmquicktips4", [] { return new qv::Window; });
        db.seed();
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    CommissionPayments& open()
    {
        m_w = qv::Windows::show<CommissionPayments>();
        m_w->activateWindow();
        QTest::qWaitForWindowActive(m_w);
        ui.script.clear();
        return *m_w;
    }
    CommissionPayments& w() { return *m_w; }
    qv::TextBox* box(int i) { return m_w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", i)); }

    void click(QAbstractButton* b)
    {
        ASSERT_TRUE(b->isVisible()) << b->objectName().toStdString();
        qvtest::clickAt(b);
    }
    void type(qv::TextBox* b, const QString& text) { qvtest::typeInto(b, text); }
    void pick(qv::DataCombo* combo, const QString& name) { ASSERT_TRUE(qvtest::pick(combo, name)); }
    QStringList gridColumn(int col) { return qvtest::gridColumn(w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid")), col); }
    QString stored(const QString& sql) { return db.scalar(sql).toString(); }
    // A money field as stored (null reads as NaN).
    double money(const QString& sql)
    {
        const QVariant v = db.scalar(sql);
        if (v.isNull())
            return std::nan("");
        return v.userType() == qMetaTypeId<qv::Money>() ? v.value<qv::Money>().toDouble()
                                                        : v.toDouble();
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    CommissionPayments* m_w = nullptr;
};

TEST_F(PaymentsTest, ShowsAPaymentWithTheEmployeesOwnPaymentsBelow)
{
    open();
    EXPECT_EQ(w().windowTitle(), QStringLiteral("Employee Commissions "));
    EXPECT_TRUE(w().closeCommandRemoved());
    EXPECT_EQ(box(1)->text(), QStringLiteral("Lopez"));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Maria"));
    EXPECT_EQ(box(3)->text(), QStringLiteral("$44.00"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("$3.65"));
    EXPECT_EQ(box(4)->text(), QStringLiteral("7/15/01"));
    EXPECT_EQ(box(5)->text(), QStringLiteral("7/1/01"));
    EXPECT_EQ(box(7)->text(), QStringLiteral("7/14/01"));
    EXPECT_EQ(box(6)->text(), QStringLiteral("$47.65"));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Record: 1"));

    EXPECT_EQ(w().gridShows(), CommissionPayments::GridShows::OwnPayments);
    EXPECT_EQ(gridColumn(0), (QStringList{"Lopez", "Lopez"}));
    EXPECT_EQ(gridColumn(4), (QStringList{"7/15/01", "7/31/01"}));
    EXPECT_EQ(gridColumn(5), (QStringList{"$47.65", "$37.60"}));
    QAbstractItemModel* m = w().findChild<qv::DataGrid*>(QStringLiteral("grdDataGrid"))->model();
    QStringList captions;
    for (int c = 0; c < m->columnCount(); ++c)
        captions << m->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"Last Name", "First Name", "Service Commissions", "Products Commissions.",
                                     "Date Paid", "Total Amount Paid"}));

    // Moving on: the grid follows the employee shown.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    EXPECT_EQ(box(1)->text(), QStringLiteral("Park"));
    EXPECT_EQ(gridColumn(0), QStringList{"Park"});
}

TEST_F(PaymentsTest, NewPaymentIsSavedWithItsTotalAndNamesFromTheLists)
{
    open();
    EXPECT_EQ(w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer"))->count(), 3);
    EXPECT_EQ(w().findChild<qv::DataCombo*>(QStringLiteral("DataCombo1"))->findText("Tom"), 2);

    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Add record"));
    pick(w().findChild<qv::DataCombo*>(QStringLiteral("dcboCustomer")), "Reed");
    pick(w().findChild<qv::DataCombo*>(QStringLiteral("DataCombo1")), "Tom");
    EXPECT_EQ(box(1)->text(), QStringLiteral("Reed"));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Tom"));
    type(box(3), "100");
    type(box(2), "25.50");
    type(box(4), "8/1/01");
    type(box(5), "7/15/01");
    type(box(7), "7/31/01");
    click(w().findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(box(6)->text(), QStringLiteral("$125.50"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty()) << ui.script.messages().join('|').toStdString();

    EXPECT_EQ(db.count("Employees1"), 4);
    EXPECT_DOUBLE_EQ(money("SELECT TotalsPaid FROM Employees1 WHERE LastName = 'Reed'"), 125.50);
    EXPECT_EQ(stored("SELECT FirstName FROM Employees1 WHERE LastName = 'Reed'"), QStringLiteral("Tom"));
    EXPECT_EQ(db.scalar("SELECT DateTo FROM Employees1 WHERE LastName = 'Reed'").toDateTime().date(),
              QDate(2001, 7, 31));
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isVisible());
    EXPECT_EQ(box(1)->text(), QStringLiteral("Reed"));
    EXPECT_EQ(gridColumn(0), QStringList{"Reed"});
}

TEST_F(PaymentsTest, TotalIsWorkedOutOnUpdateEvenWithoutSubTotal)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(3), "$1,000.00");
    type(box(2), "12.345");
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(box(6)->text(), QStringLiteral("$1,012.35"));
    // The total is stored as shown, to the cent.
    EXPECT_DOUBLE_EQ(money("SELECT TotalsPaid FROM Employees1 WHERE CommissionsPaid > 999"), 1012.35);
    EXPECT_DOUBLE_EQ(money("SELECT CommissionsPaidProducts FROM Employees1 WHERE CommissionsPaid > 999"), 12.345);
}

TEST_F(PaymentsTest, AnEmptyCommissionCountsAsNoneSoTheTotalNeverGoesStale)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(3), "50");
    type(box(2), "");
    click(w().findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(box(6)->text(), QStringLiteral("$50.00"));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_DOUBLE_EQ(money("SELECT TotalsPaid FROM Employees1 WHERE CommissionsPaid = 50"), 50.0);

    // A new payment with no commission at all keeps an empty total.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(1), "Nobody");
    click(w().findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(box(6)->text(), QString());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(db.scalar("SELECT TotalsPaid FROM Employees1 WHERE LastName = 'Nobody'").isNull());
}

TEST_F(PaymentsTest, SaveThatFailsSaysWhyAndKeepsThePaymentBeingEntered)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(1), "Park");
    type(box(3), "10");
    type(box(2), "abc");
    // The total cannot be worked out from a commission that is no amount.
    click(w().findChild<QPushButton*>(QStringLiteral("Command2")));
    EXPECT_EQ(box(6)->text(), QString());
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->isVisible());
    EXPECT_EQ(db.count("Employees1"), 3);

    // Put right, it saves.
    ui.script.clear();
    type(box(2), "2");
    click(w().findChild<QPushButton*>(QStringLiteral("cmdUpdate")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(db.count("Employees1"), 4);
    EXPECT_DOUBLE_EQ(money("SELECT TotalsPaid FROM Employees1 WHERE CommissionsPaid = 10"), 12.0);
}

TEST_F(PaymentsTest, TotalBoxCannotBeTypedInto)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    qvtest::typeInto(box(6), "999");
    EXPECT_EQ(box(6)->text(), QStringLiteral("$47.65"));
    // Focus colours: white while in a box, light grey after.
    qvtest::clickAt(box(3));
    EXPECT_EQ(box(3)->palette().color(QPalette::Base), QColor(Qt::white));
    qvtest::clickAt(box(2));
    EXPECT_EQ(box(3)->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(PaymentsTest, CancelDropsTheNewPaymentAndReturnsToOwnPayments)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    type(box(1), "Ghost");
    type(box(3), "5");
    click(w().findChild<QPushButton*>(QStringLiteral("cmdCancel")));
    EXPECT_EQ(db.count("Employees1"), 3);
    EXPECT_EQ(box(1)->text(), QStringLiteral("Park"));
    EXPECT_EQ(w().gridShows(), CommissionPayments::GridShows::OwnPayments);
    EXPECT_EQ(gridColumn(0), QStringList{"Park"});
}

TEST_F(PaymentsTest, AllEmpListsEveryPaymentAndFromTheLastRowGoesToTheFirst)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(w().findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    EXPECT_EQ(w().gridShows(), CommissionPayments::GridShows::AllPayments);
    EXPECT_EQ(gridColumn(0), (QStringList{"Lopez", "Park", "Lopez"}));
    EXPECT_EQ(w().findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Record: 1"));
}

TEST_F(PaymentsTest, FindByLastName)
{
    open();
    ui.script.inputAnswers = {QStringLiteral("ar")};
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(box(1)->text(), QStringLiteral("Park"));
    EXPECT_EQ(w().gridShows(), CommissionPayments::GridShows::AllPayments);
    EXPECT_EQ(gridColumn(0).size(), 3);
    ASSERT_FALSE(ui.script.events.empty());
    EXPECT_EQ(ui.script.events.front().text, QStringLiteral("Enter an employee's Last Name"));

    // Nothing matches: said with the typed text, back on the first row.
    ui.script.clear();
    ui.script.inputAnswers = {QStringLiteral("zz'x")};
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(ui.script.messages(), QStringList{QStringLiteral("Could not find the Employee Name. zz'x")});
    EXPECT_EQ(box(1)->text(), QStringLiteral("Lopez"));

    // Cancelled: the first row after the re-read, the grid as it was.
    click(w().findChild<QPushButton*>(QStringLiteral("cmdNext")));
    ui.script.clear();
    ui.script.inputAnswers = {QString()};
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(box(1)->text(), QStringLiteral("Lopez"));
    EXPECT_EQ(w().gridShows(), CommissionPayments::GridShows::AllPayments);
}

TEST_F(PaymentsTest, DeleteAsksFirst)
{
    open();
    ui.script.msgAnswers = {qv::MsgResult::Cancel};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Employees1"), 3);
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].text, QStringLiteral("Do you really want to delete this record?"));
    EXPECT_EQ(ui.script.events[0].style, 545);
    EXPECT_EQ(ui.script.events[0].title, QStringLiteral("Delete Record"));

    ui.script.msgAnswers = {qv::MsgResult::Ok};
    click(w().findChild<QPushButton*>(QStringLiteral("cmdDelete")));
    EXPECT_EQ(db.count("Employees1"), 2);
}

TEST_F(PaymentsTest, LampOpensTheQuickTips)
{
    open();
    qvtest::clickAt(w().findChild<qv::PictureBox*>(QStringLiteral("Image3")));
    EXPECT_NE(qv::Windows::loaded("frmquicktips4"), nullptr);
}

} // namespace
