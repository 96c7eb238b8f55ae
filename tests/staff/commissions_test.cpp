// The sales totals window: sums per artist over a typed range of dates, the
// commission calculator, the report of payments and the way on to the
// payments window.
#include "support/user_hands.h"
#include "platform/forms/window.h"
#include "staff/commissions.h"

#include "platform/report/report_preview.h"
#include "platform/services/services.h"
#include "support/salon_db.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class CommissionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qv::Windows::setOnLastClosed([] {});
        Commissions::forgetLastStatement();
        // Other tests of this binary may have put stand-ins under these names.
        qv::Windows::registerFactory("Frmcommissions", [] { return new Commissions; });
        qv::Windows::registerFactory("frmquicktips", [] { return new qv::Window; });
        db.seed();
    }
    void TearDown() override
    {
        qvtest::unloadEveryWindow();
        QApplication::processEvents();
        qv::Windows::setOnLastClosed(nullptr);
    }

    Commissions& open()
    {
        m_w = qv::Windows::show<Commissions>();
        ui.script.clear();
        return *m_w;
    }
    Commissions& w() { return *m_w; }
    qv::TextBox* box(int i) { return m_w->findChild<qv::TextBox*>(qv::arrayMemberName("txtfields", i)); }

    void type(QLineEdit* b, const QString& text) { qvtest::typeInto(b, text); }
    void click(QAbstractButton* b) { qvtest::clickAt(b); }
    void query(const QString& from, const QString& to, QPushButton* button)
    {
        type(w().findChild<qv::TextBox*>(QStringLiteral("txtBegDate")), from);
        type(w().findChild<qv::TextBox*>(QStringLiteral("txtEndDate")), to);
        click(button);
    }
    // The grid as shown: employee -> total.
    QMap<QString, QString> grid()
    {
        QMap<QString, QString> out;
        QAbstractItemModel* m = w().findChild<qv::DataGrid*>(QStringLiteral("DataGrid5"))->model();
        for (int r = 0; m && r < m->rowCount(); ++r)
            out.insert(m->index(r, 0).data().toString(), m->index(r, 1).data().toString());
        return out;
    }
    int gridRows()
    {
        QAbstractItemModel* m = w().findChild<qv::DataGrid*>(QStringLiteral("DataGrid5"))->model();
        return m ? m->rowCount() : 0;
    }
    void pickRow(const QString& artist)
    {
        QAbstractItemModel* m = w().findChild<qv::DataGrid*>(QStringLiteral("DataGrid5"))->model();
        for (int r = 0; m && r < m->rowCount(); ++r)
            if (m->index(r, 0).data().toString() == artist) {
                const QRect cell = w().findChild<qv::DataGrid*>(QStringLiteral("DataGrid5"))->visualRect(m->index(r, 0));
                qvtest::clickAt(w().findChild<qv::DataGrid*>(QStringLiteral("DataGrid5"))->viewport(), cell.center());
                return;
            }
        ADD_FAILURE() << "no grid row for " << artist.toStdString();
    }
    QString commissionOf(const QString& fraction)
    {
        type(box(14), fraction);
        click(w().findChild<QPushButton*>(QStringLiteral("Command11")));
        return box(7)->text();
    }

    qvtest::SalonDb db;
    qv::ScopedScriptedUi ui;
    Commissions* m_w = nullptr;
};

const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);

TEST_F(CommissionsTest, SumsServicesProductsOrBothPerArtistOverTheRange)
{
    open();
    EXPECT_EQ(w().windowTitle(), QStringLiteral("frmcommissions"));
    EXPECT_TRUE(w().closeCommandRemoved());
    EXPECT_EQ(gridRows(), 0);

    query("7/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(grid(), (QMap<QString, QString>{{"Maria", "$110.00"}, {"Jenny", "$106.00"}, {"Tom", "$40.00"}}));
    EXPECT_EQ(Commissions::backColor(w().findChild<QPushButton*>(QStringLiteral("Command5"))), kGreen);
    EXPECT_EQ(Commissions::backColor(w().findChild<QPushButton*>(QStringLiteral("Command8"))), kYellow);
    EXPECT_EQ(Commissions::backColor(w().findChild<QPushButton*>(QStringLiteral("Command7"))), kYellow);

    click(w().findChild<QPushButton*>(QStringLiteral("Command8")));
    EXPECT_EQ(grid(), (QMap<QString, QString>{{"Maria", "$36.49"}, {"Jenny", "$56.97"}, {"Tom", "$0.00"}}));
    EXPECT_EQ(Commissions::backColor(w().findChild<QPushButton*>(QStringLiteral("Command8"))), kGreen);
    EXPECT_EQ(Commissions::backColor(w().findChild<QPushButton*>(QStringLiteral("Command5"))), kYellow);

    click(w().findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(grid(), (QMap<QString, QString>{{"Maria", "$146.49"}, {"Jenny", "$162.97"}, {"Tom", "$40.00"}}));

    // Both ends of the range belong to it.
    query("7/2/2001", "7/9/2001", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(grid(), (QMap<QString, QString>{{"Maria", "$85.00"}, {"Jenny", "$91.00"}}));
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(CommissionsTest, EmptyOrBackwardRangesListNobody)
{
    open();
    query("7/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    ASSERT_EQ(gridRows(), 3);
    query("8/1/01", "8/31/01", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(gridRows(), 0);
    EXPECT_EQ(box(10)->text(), QString());
    EXPECT_EQ(box(5)->text(), QString());
    // "=" with nothing to multiply leaves the commission as it was.
    EXPECT_EQ(commissionOf(".60"), QString());

    query("7/31/01", "7/1/01", w().findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(gridRows(), 0);
}

TEST_F(CommissionsTest, TicketsWithoutArtistOrWithoutPriceCountAsTheSumsSay)
{
    db.insert("Servicemenu", {{"CustomerID", "2001"}, {"CustomerName", "Eve"}, {"DateAppointment", QDate(2001, 7, 5)},
                              {"Price", 30.00}, {"ProductSales", 5.00}});
    db.insert("Servicemenu", {{"CustomerID", "2002"}, {"CustomerName", "Fay"}, {"SalonArtist", "Tom"},
                              {"DateAppointment", QDate(2001, 7, 6)}, {"ProductSales", 12.00}});
    open();
    query("7/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(grid().value(QString()), QStringLiteral("$30.00"));
    EXPECT_EQ(grid().value("Tom"), QStringLiteral("$40.00"));
    click(w().findChild<QPushButton*>(QStringLiteral("Command8")));
    EXPECT_EQ(grid().value("Tom"), QStringLiteral("$12.00"));
    // A ticket without a service total still adds its products to both
    // together: an empty total is nothing sold, not an unknown one.
    click(w().findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(grid().value("Tom"), QStringLiteral("$52.00"));
    EXPECT_EQ(grid().value(QString()), QStringLiteral("$35.00"));
}

TEST_F(CommissionsTest, PickedRowFeedsTheCalculator)
{
    open();
    query("7/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    pickRow("Maria");
    EXPECT_EQ(box(10)->text(), QStringLiteral("Maria"));
    EXPECT_EQ(box(5)->text(), QStringLiteral("$110.00"));

    EXPECT_EQ(commissionOf(".60"), QStringLiteral("$66.00"));
    EXPECT_EQ(commissionOf(".60"), QStringLiteral("$66.00"));
    EXPECT_EQ(box(14)->text(), QStringLiteral(".60"));
    EXPECT_EQ(commissionOf("1.00"), QStringLiteral("$110.00"));
    // The box asks for a percentage: a figure above 1 is one.
    EXPECT_EQ(commissionOf("60"), QStringLiteral("$66.00"));
    if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
        w().grab().save(shots + "/Frmcommissions-60.png");
    EXPECT_EQ(commissionOf("100"), QStringLiteral("$110.00"));
    EXPECT_EQ(commissionOf("62.5"), QStringLiteral("$68.75"));
    EXPECT_EQ(commissionOf("1.5"), QStringLiteral("$1.65"));
    EXPECT_EQ(commissionOf("1"), QStringLiteral("$110.00"));
    // A rate with its percent sign is that percentage; one that cannot be
    // read empties the commission and says why, so no figure stands beside
    // a rate it was not worked out with.
    EXPECT_EQ(commissionOf("65%"), QStringLiteral("$71.50"));
    EXPECT_EQ(commissionOf(" 1 %"), QStringLiteral("$1.10"));
    EXPECT_TRUE(ui.script.messages().isEmpty());
    EXPECT_EQ(commissionOf("abc"), QString());
    EXPECT_EQ(ui.script.messages(),
              QStringList{QStringLiteral("The percentage could not be read: type it like .60 or 60%, then press =.")});
    EXPECT_EQ(commissionOf("%"), QString());
    // No commission is paid back: a rate below zero is no rate either.
    EXPECT_EQ(commissionOf(".60"), QStringLiteral("$66.00"));
    for (const char* below : {"-60", "(60)"}) {
        ui.script.clear();
        EXPECT_EQ(commissionOf(below), QString()) << below;
        EXPECT_EQ(ui.script.messages(), QStringList{QStringLiteral(
                                            "The percentage could not be read: type it like .60 or 60%, then press =.")})
            << below;
    }
    ui.script.clear();
    EXPECT_EQ(commissionOf(".60"), QStringLiteral("$66.00"));
    qvtest::typeInto(box(14), "5");
    EXPECT_EQ(box(7)->text(), QString());
    // Money rounds as money: 106.00 x .655 = 69.43.
    pickRow("Jenny");
    EXPECT_EQ(box(5)->text(), QStringLiteral("$106.00"));
    EXPECT_EQ(commissionOf(".655"), QStringLiteral("$69.43"));

    // A commission belongs to the artist it was worked out for: moving on,
    // or a new query, empties it rather than show it beside another total.
    // Text typed over the shown name is not kept: the sums are read-only.
    qvtest::typeInto(box(10), "X");
    pickRow("Tom");
    EXPECT_EQ(box(7)->text(), QString());
    EXPECT_EQ(box(10)->text(), QStringLiteral("Tom"));
    EXPECT_EQ(commissionOf(".5"), QStringLiteral("$20.00"));
    click(w().findChild<QPushButton*>(QStringLiteral("Command8")));
    EXPECT_EQ(box(7)->text(), QString());
    EXPECT_TRUE(ui.script.messages().isEmpty());
}

TEST_F(CommissionsTest, CurrencyProductRoundsHalvesToEvenAndRefusesOverflow)
{
    auto m = [](double v) { return qv::Money::fromDouble(v); };
    EXPECT_EQ(currencyProduct(m(1234.50), m(0.60)), m(740.70));
    EXPECT_EQ(currencyProduct(m(0.0001), m(0.5)), m(0.0000));   // 0.00005 to even
    EXPECT_EQ(currencyProduct(m(0.0003), m(0.5)), m(0.0002));   // 0.00015 to even
    EXPECT_EQ(currencyProduct(m(-10.00), m(0.655)), m(-6.55));
    EXPECT_THROW(currencyProduct(m(900000000000000.0), m(100.0)), qv::Error);
    // A percentage keeps its decimals until the commission is rounded.
    EXPECT_EQ(commissionOn(m(2832.30), m(60)), m(1699.38));
    EXPECT_EQ(commissionOn(m(2832.30), m(.60)), m(1699.38));
    EXPECT_EQ(commissionOn(m(100.00), m(12.345)), m(12.345));
    EXPECT_EQ(commissionOn(m(0.01), m(50)), m(0.005));
    EXPECT_EQ(commissionOn(m(0.0001), m(50)), m(0.0000));   // 0.00005 to even
}

TEST_F(CommissionsTest, UnreadableDatesAreRefusedAndRunNothing)
{
    open();
    query("7/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    const QString before = Commissions::lastStatement();
    ASSERT_EQ(gridRows(), 3);

    query("7/1/01", "not a date", w().findChild<QPushButton*>(QStringLiteral("Command8")));
    EXPECT_EQ(ui.script.messages(),
              QStringList{QStringLiteral("Please enter two dates that can be read, like this Example:6/7/01")});
    EXPECT_EQ(Commissions::backColor(w().findChild<QPushButton*>(QStringLiteral("Command8"))), kGreen);
    // The grid still shows the service totals of the range before.
    EXPECT_EQ(grid().value("Maria"), QStringLiteral("$110.00"));
    EXPECT_EQ(Commissions::lastStatement(), before);

    // Typed text never becomes part of the statement.
    ui.script.clear();
    query("7/1/01# Or 1=1 Or #1/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command7")));
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_EQ(grid().value("Maria"), QStringLiteral("$110.00"));

    ui.script.clear();
    query("", "", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_FALSE(Commissions::lastStatement().contains('#'));
}

TEST_F(CommissionsTest, ReopenedWindowShowsTheLastQuerysFirstRowWithAnEmptyGrid)
{
    open();
    query("7/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command8")));
    pickRow("Tom");
    click(w().findChild<QPushButton*>(QStringLiteral("Command3")));
    QApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded("Frmcommissions"), nullptr);

    open();
    EXPECT_EQ(gridRows(), 0);
    EXPECT_FALSE(box(10)->text().isEmpty());
    const QMap<QString, QString> products{{"Maria", "$36.49"}, {"Jenny", "$56.97"}, {"Tom", "$0.00"}};
    EXPECT_EQ(box(5)->text(), products.value(box(10)->text()));
    // "=" works from what the boxes show.
    type(box(14), "1");
    click(w().findChild<QPushButton*>(QStringLiteral("Command11")));
    EXPECT_EQ(box(7)->text(), box(5)->text());
    EXPECT_EQ(gridRows(), 0);
}

TEST_F(CommissionsTest, ReportShowsThePaymentsWithBothWindowsHidden)
{
    open();
    QStringList lastNames;
    bool previewed = false;
    QTimer::singleShot(0, [&] {
        qv::ReportPreview* preview = qv::ReportPreview::current();
        if (!preview)
            return;
        previewed = true;
        EXPECT_FALSE(w().isVisible());
        for (const qv::ReportPage& page : preview->document().pages)
            for (const qv::ReportItem& item : page.itemsIn(qv::ReportBand::Detail))
                if (item.dataField == QStringLiteral("LastName"))
                    lastNames << item.text;
        preview->cmdClose->click();
    });
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_TRUE(previewed);
    EXPECT_EQ(lastNames, (QStringList{"Lopez", "Lopez", "Park"}));
    qv::Window* payments = qv::Windows::loaded("frmtest1");
    ASSERT_NE(payments, nullptr);
    EXPECT_FALSE(payments->isVisible());
    EXPECT_FALSE(w().isVisible());
    EXPECT_TRUE(w().isLoaded());
}

TEST_F(CommissionsTest, ReportThatCannotBeMadeSaysWhyAndKeepsTheWindow)
{
    open();
    db.execRaw("DROP TABLE Employees1");
    click(w().findChild<QPushButton*>(QStringLiteral("Command1")));
    EXPECT_EQ(ui.script.messages().size(), 1);
    EXPECT_TRUE(w().isVisible());
}

TEST_F(CommissionsTest, ButtonsOpenThePaymentsAndTheTips)
{
    open();
    click(w().findChild<QPushButton*>(QStringLiteral("Command2")));
    qv::Window* payments = qv::Windows::loaded("frmtest1");
    ASSERT_NE(payments, nullptr);
    EXPECT_TRUE(payments->isVisible());
    EXPECT_TRUE(w().isVisible());

    qvtest::clickAt(w().findChild<qv::PictureBox*>(QStringLiteral("Image3")));
    EXPECT_NE(qv::Windows::loaded("frmquicktips"), nullptr);
}

TEST_F(CommissionsTest, WithoutADatabaseTheQueriesDoNothing)
{
    QFile::remove(db.file());
    open();
    query("7/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(gridRows(), 0);
    EXPECT_TRUE(ui.script.messages().isEmpty());
    click(w().findChild<QPushButton*>(QStringLiteral("Command3")));
    QApplication::processEvents();
    EXPECT_EQ(qv::Windows::loaded("Frmcommissions"), nullptr);
}

} // namespace

TEST_F(CommissionsTest, AnArtistWrittenInAnyCaseIsOneRow)
{
    db.insert("Servicemenu", {{"CustomerID", "2003"}, {"CustomerName", "Gil"}, {"SalonArtist", "José"},
                              {"DateAppointment", QDate(2001, 7, 10)}, {"Price", 20.00}});
    db.insert("Servicemenu", {{"CustomerID", "2004"}, {"CustomerName", "Hal"}, {"SalonArtist", "JOSÉ"},
                              {"DateAppointment", QDate(2001, 7, 11)}, {"Price", 25.00}});
    open();
    query("7/1/01", "7/31/01", w().findChild<QPushButton*>(QStringLiteral("Command5")));
    EXPECT_EQ(gridRows(), 4);
    const QMap<QString, QString> rows = grid();
    EXPECT_EQ(rows.value("José", rows.value("JOSÉ")), QStringLiteral("$45.00"));
    // The file stays the plain SQLite file other tools read: the folding
    // lives in the queries, nothing of the program's own is in its schema.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM sqlite_master WHERE sql LIKE '*qv_fold*'").toInt(), 0);
}
