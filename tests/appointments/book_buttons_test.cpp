// The date and time aids, the receipt and the buttons that open the front
// desk's other windows or end the program.
#include "support/layout_check.h"
#include "support/user_hands.h"
#include "book_fixture.h"

#include "platform/print/printer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLineEdit>

namespace {

// A window of another part of the program, standing in under its name.
class StandIn : public qv::Window {
public:
    StandIn() = default;
};

void registerStandIn(const QString& name)
{
    qv::Windows::registerFactory(name, [] { return new StandIn; });
}

} // namespace

TEST_F(BookTest, TimeListsFillTheirOwnBoxOnlyWhenPickedOrCleared)
{
    AppointmentBook& f = open();
    EXPECT_EQ(f.findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(), "BLOCK");
    EXPECT_EQ(f.findChild<QComboBox*>(QStringLiteral("Combo3"))->currentText(), "TIME");
    ASSERT_EQ(f.findChild<QComboBox*>(QStringLiteral("Combo3"))->count(), 25);
    EXPECT_EQ(f.findChild<QComboBox*>(QStringLiteral("Combo3"))->itemText(0), "8 Am");
    EXPECT_EQ(f.findChild<QComboBox*>(QStringLiteral("Combo3"))->itemText(24), "8 Pm");

    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    pick(f.findChild<QComboBox*>(QStringLiteral("Combo3")), "12:30 Pm");
    EXPECT_EQ(box(6)->text(), "12:30 Pm");
    EXPECT_EQ(box(38)->text(), "9:30 AM");
    pick(f.findChild<QComboBox*>(QStringLiteral("Combo1")), "3 Pm");
    EXPECT_EQ(box(38)->text(), "3 Pm");
    EXPECT_EQ(box(6)->text(), "12:30 Pm");

    // Typing in the list's text area leaves the box; emptying it empties the box.
    type(f.findChild<QComboBox*>(QStringLiteral("Combo3")), "9am");
    EXPECT_EQ(box(6)->text(), "12:30 Pm");
    // Nor does the start of an item, once the list is left.
    type(f.findChild<QComboBox*>(QStringLiteral("Combo3")), "9");
    qvtest::clickAt(box(19));
    EXPECT_EQ(f.findChild<QComboBox*>(QStringLiteral("Combo3"))->currentText(), "9");
    EXPECT_EQ(box(6)->text(), "12:30 Pm");
    type(f.findChild<QComboBox*>(QStringLiteral("Combo3")), "");
    EXPECT_TRUE(box(6)->text().isEmpty());
    EXPECT_EQ(box(38)->text(), "3 Pm");
}

TEST_F(BookTest, TheCalendarWritesTheDayClickedAndMarksEverySunday)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_TRUE(f.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("CmdX"))->isVisible());
    EXPECT_EQ(f.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->firstDayOfWeek(), Qt::Sunday);

    click(f.findChild<QPushButton*>(QStringLiteral("cmdEdit")));
    type(box(5), "June 1, 2001");
    clickDay(QDate(2001, 7, 30));
    EXPECT_EQ(box(5)->text(), "7/30/2001");
    EXPECT_TRUE(f.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());

    // Every shown Sunday is bold, and no other day.
    const QDate first = f.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->firstShownDay();
    EXPECT_EQ(first.dayOfWeek(), Qt::Sunday);
    for (int i = 0; i < 42; ++i) {
        const QDate day = first.addDays(i);
        EXPECT_EQ(f.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->dateTextFormat(day).fontWeight() >= QFont::Bold, day.dayOfWeek() == Qt::Sunday)
            << day.toString().toStdString();
    }

    click(f.findChild<QPushButton*>(QStringLiteral("CmdX")));
    EXPECT_FALSE(f.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("CmdX"))->isVisible());

    // The "Totals:" caption opens the calendar with the date-range Clear button.
    qvtest::clickAt(f.findChild<QLabel*>(QStringLiteral("Label2")));
    EXPECT_TRUE(f.findChild<qv::MonthCalendar*>(QStringLiteral("MonthView1"))->isVisible());
    EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("Command8"))->isVisible());
    EXPECT_FALSE(f.findChild<QPushButton*>(QStringLiteral("CmdX"))->isVisible());
}

TEST(BoldDays, EverySeventhShownDayFromTheFirst)
{
    EXPECT_EQ(AppointmentBook::boldDayIndexes(42, 1), (QList<int>{0, 7, 14, 21, 28, 35}));
    EXPECT_EQ(AppointmentBook::boldDayIndexes(8, 1), (QList<int>{0}));
}

TEST_F(BookTest, TheReceiptPrintsElevenLinesOfWhatTheBoxesShow)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));   // ticket 1006
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    type(box(46), "60");
    click(f.findChild<QPushButton*>(QStringLiteral("Command17")));
    ui.script.clear();

    click(f.findChild<QPushButton*>(QStringLiteral("Cmdprint")));
    ASSERT_EQ(ui.script.events.size(), 1u);
    EXPECT_EQ(ui.script.events[0].kind, qv::UiEvent::PrinterDialog);
    ASSERT_EQ(printing->jobs().size(), 1);
    const qv::PrintedJob& job = printing->jobs()[0];
    EXPECT_EQ(job.printQuality, qv::PrintQuality::High);
    ASSERT_EQ(job.pages.size(), 1);
    const QStringList lines = job.pages[0].lines();
    ASSERT_EQ(lines.size(), 11) << lines.join("\n").toStdString();
    // Captions as stored, values as the boxes show them.
    EXPECT_EQ(lines, (QStringList{
                         "Service Totals 25",
                         "Tax Amt On Services:$2.06",
                         "Tax &Pct.8.25",
                         "Total:$27.06",
                         "Product Sales Totals:21.99",
                         "Tax Amt On Products:$1.32",
                         "Tax &Pct.6",
                         "Total:$23.31",
                         "Total Ticket:50.37",
                         "Amount Tendered:$60.00",
                         "Change:$9.63",
                     }));
    // One blank before each caption; ten between caption and value on lines 2 to 8.
    QFont font("Arial", 10);
    font.setBold(true);
    const QFontMetricsF fm(font, printing->measureDevice());
    const double perTwip = printing->unitsPerTwip();
    const double blank = fm.horizontalAdvance(' ') / perTwip;
    double lastY = -1;
    for (int i = 0; i < 11; ++i) {
        const qv::PrintedText caption = job.pages[0].texts[2 * i];
        const qv::PrintedText value = job.pages[0].texts[2 * i + 1];
        EXPECT_GT(caption.y, lastY);
        EXPECT_DOUBLE_EQ(value.y, caption.y);
        lastY = caption.y;
        EXPECT_NEAR(caption.x, blank, 1) << i;
        const double gap = (i >= 1 && i <= 7) ? 10 * blank : 0;
        EXPECT_NEAR(value.x, caption.x + fm.horizontalAdvance(caption.text) / perTwip + gap, 2) << i;
    }
    for (const qv::PrintedText& t : job.pages[0].texts) {
        EXPECT_EQ(t.fontName, "Arial");
        EXPECT_EQ(t.size, 10);
        EXPECT_TRUE(t.bold);
    }

    // The second receipt button prints the same, step for step.
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    ASSERT_EQ(printing->jobs().size(), 2);
    EXPECT_EQ(printing->jobs()[1].pages[0].lines(), lines);

    // Cancel in the printer dialog: nothing printed, nothing said, nothing changed.
    ui.script.clear();
    ui.script.printerAnswers = {false};
    click(f.findChild<QPushButton*>(QStringLiteral("Cmdprint")));
    EXPECT_EQ(printing->jobs().size(), 2);
    EXPECT_FALSE(printing->jobOpen());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(box(45)->text(), "$9.63");

    // A ticket not yet totalled prints its captions alone; the receipt computes nothing.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdAdd")));
    click(f.findChild<QPushButton*>(QStringLiteral("Command16")));
    ASSERT_EQ(printing->jobs().size(), 3);
    EXPECT_EQ(printing->jobs()[2].pages[0].lines(),
              (QStringList{"Service Totals ", "Tax Amt On Services:", "Tax &Pct.", "Total:", "Product Sales Totals:",
                           "Tax Amt On Products:", "Tax &Pct.", "Total:", "Total Ticket:", "Amount Tendered:",
                           "Change:"}));
    EXPECT_TRUE(box(2)->text().isEmpty());
}

TEST_F(BookTest, ProductWindowsOpenOnlyWhenThereIsStock)
{
    registerStandIn("FormProductsA");
    registerStandIn("Form10");
    db.seed();
    db.execRaw("DELETE FROM StockControl");
    seed = false;
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("Command14")));
    qvtest::clickAt(f.findChild<qv::PictureBox*>(QStringLiteral("Picture13")));
    EXPECT_FALSE(qv::Windows::loaded("FormProductsA"));
    EXPECT_FALSE(qv::Windows::loaded("Form10"));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(f.queryText(), "SELECT count(*) FROM [StockControl]");

    db.insert("StockControl", {{"Category", "Shampoo"}, {"SystemStockNumber", "1001"}, {"Price", 12.99}});
    click(f.findChild<QPushButton*>(QStringLiteral("Command14")));
    ASSERT_TRUE(qv::Windows::loaded("FormProductsA"));
    EXPECT_TRUE(qv::Windows::loaded("FormProductsA")->isVisible());
    qvtest::clickAt(f.findChild<qv::PictureBox*>(QStringLiteral("Picture13")));
    EXPECT_TRUE(qv::Windows::loaded("Form10"));
    EXPECT_TRUE(f.isVisible());   // the book stays open
}

TEST_F(BookTest, ButtonsOpenTheirWindowsByName)
{
    for (const char* name : {"frmCustomers", "Calculator", "frmCalendar", "frmAbout", "frmServiceMenu1", "frmLogin",
                             "Form7", "frmTip1"})
        registerStandIn(name);
    AppointmentBook& f = open();
    const QList<std::pair<QWidget*, const char*>> buttons = {
        {f.findChild<QPushButton*>(QStringLiteral("Command3")), "frmCustomers"}, {f.findChild<QPushButton*>(QStringLiteral("Command2")), "Calculator"}, {f.findChild<QPushButton*>(QStringLiteral("Command13")), "frmCalendar"},
        {f.findChild<QPushButton*>(QStringLiteral("Command1")), "frmAbout"}, {f.findChild<QPushButton*>(QStringLiteral("Command15")), "frmServiceMenu1"}, {f.findChild<QPushButton*>(QStringLiteral("Command10")), "frmLogin"},
        {f.findChild<QPushButton*>(QStringLiteral("Command4")), "Form7"}, {f.findChild<qv::PictureBox*>(QStringLiteral("Image9")), "frmTip1"}};
    for (auto [control, name] : buttons) {
        qvtest::clickAt(control);
        ASSERT_TRUE(qv::Windows::loaded(name)) << name;
        EXPECT_TRUE(qv::Windows::loaded(name)->isVisible()) << name;
        qv::Windows::unload(name);
    }
    // The new-client box opens the customers too, and ticks itself.
    qvtest::clickAt(f.findChild<QCheckBox*>(QStringLiteral("Check2")));
    EXPECT_TRUE(qv::Windows::loaded("frmCustomers"));
    EXPECT_TRUE(f.findChild<QCheckBox*>(QStringLiteral("Check2"))->isChecked());
}

TEST_F(BookTest, ExitProgramAndCloseUnloadEveryWindow)
{
    registerStandIn("Calculator");
    for (bool viaClose : {false, true}) {
        AppointmentBook& f = open();
        click(f.findChild<QPushButton*>(QStringLiteral("Command2")));
        ASSERT_TRUE(qv::Windows::loaded("Calculator"));
        click(viaClose ? f.findChild<QPushButton*>(QStringLiteral("cmdClose")) : f.findChild<QPushButton*>(QStringLiteral("Command23")));
        EXPECT_FALSE(qv::Windows::loaded("Calculator")) << viaClose;
        EXPECT_FALSE(qv::Windows::loaded("Form3")) << viaClose;
        QApplication::processEvents();
        seed = false;   // seeded once
    }
}

TEST_F(BookTest, TheBookFitsTheScreenItWasDrawnFor)
{
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    click(f.findChild<QPushButton*>(QStringLiteral("Command9")));
    EXPECT_LE(f.width(), 800);
    EXPECT_LE(f.height(), 600);
    const QRect inside = f.rect();
    for (QWidget* w : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            EXPECT_TRUE(inside.contains(w->geometry())) << w->objectName().toStdString();
    // No button lies on another: a hidden padlock under "Exit Program" would
    // end the program when the manager meant to log in.
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* b : f.findChildren<QAbstractButton*>())
        if (b->isVisible() && !b->objectName().isEmpty())
            buttons << b;
    for (int i = 0; i < buttons.size(); ++i)
        for (int j = i + 1; j < buttons.size(); ++j) {
            const QRect a(buttons[i]->mapTo(&f, QPoint()), buttons[i]->size());
            const QRect b(buttons[j]->mapTo(&f, QPoint()), buttons[j]->size());
            EXPECT_FALSE(a.intersects(b)) << buttons[i]->objectName().toStdString() << " on "
                                          << buttons[j]->objectName().toStdString();
        }
    const QImage shot = f.grab().toImage();
    EXPECT_EQ(shot.size(), f.size());
    // QV_SCREENSHOTS=<folder> keeps a picture of the book for a person to look at.
    const QString folder = qEnvironmentVariable("QV_SCREENSHOTS");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(shot.save(folder + "/appointment_book.png"));
        qv::printer().useSystemPdfFile(folder + "/receipt.pdf");
        click(f.findChild<QPushButton*>(QStringLiteral("Cmdprint")));
        EXPECT_TRUE(QFileInfo(folder + "/receipt.pdf").size() > 0);
    }
}

TEST_F(BookTest, TheDateRangeGridShowsItsHeadersAndValuesWhole)
{
    AppointmentBook& f = open();
    type(box(48), "7/1/2001");
    type(box(49), "7/31/2001");
    click(f.findChild<QPushButton*>(QStringLiteral("Command7")));
    ASSERT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->rowCount(), 6);
    ASSERT_EQ(f.findChild<qv::DataGrid*>(QStringLiteral("DataGrid1"))->model()->headerData(0, Qt::Horizontal).toString(), "CustomerID");
    const QStringList faults = qvtest::layoutFaults(&f, QStringLiteral("Form3"));
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
    // Back to the client's history, whose columns have widths of their own.
    click(f.findChild<QPushButton*>(QStringLiteral("cmdRefresh")));
    const QStringList again = qvtest::layoutFaults(&f, QStringLiteral("Form3"));
    EXPECT_TRUE(again.isEmpty()) << again.join("\n").toStdString();
}

TEST_F(BookTest, ExitProgramKeepsWhatWasTypedIntoTheTicketShown)
{
    // A correction typed while browsing, then "Subtotal": the boxes are in the
    // row but not yet in the table. Leaving the program must not drop them.
    AppointmentBook& f = open();
    click(f.findChild<QPushButton*>(QStringLiteral("cmdLast")));
    const QString ticket = box(50)->text();
    type(box(8), "Ann Lee-Park");
    click(f.findChild<QPushButton*>(QStringLiteral("Command5")));
    click(f.findChild<QPushButton*>(QStringLiteral("Command23")));
    QApplication::processEvents();
    EXPECT_FALSE(qv::Windows::loaded("Form3"));
    EXPECT_EQ(db.scalarRaw(QString("SELECT CustomerName FROM Servicemenu WHERE CustomerID = '%1'").arg(ticket)).toString(),
              "Ann Lee-Park");
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
}
