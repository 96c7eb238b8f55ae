#include "staff/commissions.h"

#include "common/connections.h"
#include "common/date_range.h"
#include "common/drawn_pictures.h"
#include "common/window_helpers.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"
#include "reports/commissions_report.h"
#include "reports/report_fill.h"

#include <QApplication>
#include <QShowEvent>
#include <limits>

QV_REGISTER_WINDOW(Frmcommissions);

namespace {

// The three sums share one statement; only the summed expression differs.
// The dates go in as values, never as text inside the statement.
const QString kServices = QStringLiteral(
    "SELECT DISTINCT SalonArtist,Sum (Price)As [Totals]FROM Servicemenu  WHERE DateAppointment >= ?");
const QString kProducts = QStringLiteral(
    "SELECT DISTINCT SalonArtist,Sum (ProductSales)As [Totals]FROM Servicemenu  WHERE DateAppointment >= ?");
const QString kAll = QStringLiteral(
    "SELECT DISTINCT SalonArtist,Sum (ProductSales+Price)As [Totals]FROM Servicemenu  WHERE DateAppointment >= ?");
const QString kRangeEnd = QStringLiteral(" And DateAppointment<= ? group by SalonArtist");

const QString kMoneyFormat = QStringLiteral("\"$\"#,##0.00");
const QColor kFormBack(0xBA, 0xC9, 0xD1);    // &HD1C9BA
const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kLightGrey(0xE0, 0xE0, 0xE0);   // &H00E0E0E0
const QColor kPaleYellow(0xFF, 0xFF, 0xC0);  // &H00C0FFFF
const char* const kBackColor = "qvBackColor";

// The statement outlives the window: reopening it runs the last one again.
QString s_statement;
QVariantList s_dates;

void paintBack(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}

void paintButton(QPushButton* b, const QColor& colour)
{
    b->setProperty(kBackColor, colour);
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; }")
                         .arg(colour.name()));
}

// The date a box names, at the start of its day; nothing when it names none.
std::optional<QDateTime> dayOf(const QString& text)
{
    const std::optional<QDateTime> read = qv::readDateTime(text);
    if (!read || !read->date().isValid())
        return std::nullopt;
    return QDateTime(read->date(), QTime(0, 0));
}

// A product of two currency amounts' units over the divisor, rounded to four
// decimals with halves to even.
qv::Money roundedQuotient(qv::Money a, qv::Money b, std::int64_t divisor)
{
    const __int128 product = __int128(a.units()) * __int128(b.units());
    __int128 quotient = product / divisor;
    const __int128 remainder = product % divisor;
    const __int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice > divisor || (twice == divisor && (quotient % 2) != 0))
        quotient += product < 0 ? -1 : 1;
    if (quotient > std::numeric_limits<std::int64_t>::max() || quotient < std::numeric_limits<std::int64_t>::min())
        throw qv::Error(QStringLiteral("Overflow"), 6);
    return qv::Money::fromUnits(std::int64_t(quotient));
}

const qv::Money kOne = qv::Money::fromUnits(10000);

} // namespace

qv::Money currencyProduct(qv::Money a, qv::Money b)
{
    // Both carry four decimals: the product has eight, rounded back to four.
    return roundedQuotient(a, b, 10000);
}

qv::Money commissionOn(qv::Money total, qv::Money rate)
{
    // The box asks for a percentage: a figure above 1 is one (60 is 60 %),
    // while a fraction such as .60 is taken as it is.
    if (rate > kOne)
        return roundedQuotient(total, rate, 1000000);
    return currencyProduct(total, rate);
}

Frmcommissions::Frmcommissions(QWidget* parent)
    : qv::Window(parent)
{
    setWindowTitle(QStringLiteral("frmcommissions"));
    buildLayout();
}

Frmcommissions::~Frmcommissions() = default;

QString Frmcommissions::lastStatement() { return s_statement; }

void Frmcommissions::forgetLastStatement()
{
    s_statement.clear();
    s_dates.clear();
}

QColor Frmcommissions::backColor(const QPushButton* button)
{
    const QVariant c = button->property(kBackColor);
    return c.isValid() ? c.value<QColor>() : button->palette().color(QPalette::Button);
}

void Frmcommissions::buildLayout()
{
    setTwipsSize(7785, 6225);
    QPalette back = palette();
    back.setColor(QPalette::Window, kFormBack);
    setPalette(back);
    setAutoFillBackground(true);
    // The window was drawn for the small type of its day.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto label = [this](const char* name, const QString& caption, int left, int top, int width, int height = 255) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        qv::place(l, left, top, width, height);
        return l;
    };
    auto button = [this](const char* name, const QString& caption, int left, int top, int width, int height) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        qv::place(b, left, top, width, height);
        return b;
    };
    auto box = [this](int index, int left, int top, int width, int height) {
        auto* b = new qv::TextBox(this);
        b->setObjectName(QStringLiteral("txtfields_%1").arg(index));
        b->setSelectOnFocus(true);
        qv::place(b, left, top, width, height);
        txtfields.insert(index, b);
        return b;
    };

    // Two-line captions, in buttons wide enough for "Commissions" in the
    // window's type on every screen it rescales to.
    Command1 = button("Command1", QStringLiteral("Report Of\nCommissions"), 120, 0, 1260, 495);
    Command1->setAccessibleName(QStringLiteral("Report Of Commissions"));
    label("Label5", QStringLiteral("Report of Commissions"), 1440, 120, 2400);
    QLabel* title = label("Label2", QStringLiteral("Commission Database"), 3960, 0, 1620, 495);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    Command2 = button("Command2", QStringLiteral("Enter\nCommissions"), 5640, 0, 1260, 495);
    Command2->setAccessibleName(QStringLiteral("Enter Commissions"));
    Command3 = button("Command3", QStringLiteral("Close"), 6960, 0, 735, 315);

    Image3 = new qv::PictureBox(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(lampPicture(28));
    Image3->setToolTip(QStringLiteral("Click Light for Quick Tips"));
    qv::place(Image3, 2460, 660, 480, 480);
    lblLabels.insert(24, label("lblLabels_24", QStringLiteral("Click Light for Quick Tips"), 3000, 840, 3600));

    txtBegDate = new qv::TextBox(this);
    txtBegDate->setObjectName(QStringLiteral("txtBegDate"));
    txtBegDate->setSelectOnFocus(true);
    qv::place(txtBegDate, 1560, 1200, 1335, 375);
    label("Label10", QStringLiteral("Enter Dates From>To"), 2960, 1260, 1820);
    txtEndDate = new qv::TextBox(this);
    txtEndDate->setObjectName(QStringLiteral("txtEndDate"));
    txtEndDate->setSelectOnFocus(true);
    qv::place(txtEndDate, 4800, 1200, 1335, 375);
    label("Label26", QStringLiteral("Format your dates like this Example:6/7/01 "), 2520, 1575, 4500, 225);
    QLabel* records = label("Label4", QStringLiteral("EMPLOYEE RECORDS"), 3120, 1800, 2400, 240);
    records->setFont(bold);

    Command5 = button("Command5", QStringLiteral("Services"), 1560, 2040, 855, 255);
    Command8 = button("Command8", QStringLiteral("Products"), 3480, 2040, 855, 255);
    Command7 = button("Command7", QStringLiteral("All Totals"), 5640, 2040, 855, 255);

    label("Label21", QStringLiteral("Click on name to get information for that record"), 120, 2340, 1395, 1575);
    DataGrid5 = new qv::DataGrid(this);
    DataGrid5->setObjectName(QStringLiteral("DataGrid5"));
    qv::place(DataGrid5, 1560, 2340, 4935, 2175);
    // The sums are read-only: text typed over a shown name or total is not
    // kept when another row is picked, the boxes just follow the pick.
    DataGrid5->beforeRowPick = [this] {
        for (int i : {5, 10})
            if (txtfields.value(i)->dataSource())
                txtfields.value(i)->refresh();
        return true;
    };

    label("Label6", QStringLiteral("Salon Artist"), 240, 5160, 1455);
    qv::TextBox* artist = box(10, 240, 5400, 1455, 345);
    paintBack(artist, kPaleYellow);
    QPalette red = artist->palette();
    red.setColor(QPalette::Text, Qt::red);
    artist->setPalette(red);
    artist->setFont(bold);
    artist->setAlignment(Qt::AlignCenter);

    label("Label12", QStringLiteral("Earned Totals:"), 1920, 5160, 2055);
    qv::TextBox* totals = box(5, 1920, 5400, 2055, 345);
    paintBack(totals, kLightGrey);
    totals->setReadOnly(true);

    label("Label11", QStringLiteral("X"), 4080, 5445, 300);
    // Two lines, with room for the type growing faster than the window on a
    // wide screen.
    label("Label23", QStringLiteral("Enter Percentage %:"), 4440, 4920, 1560, 480);
    box(14, 4440, 5400, 1095, 345);
    Command11 = button("Command11", QStringLiteral("="), 5640, 5400, 255, 360);
    Command11->setFont(bold);
    label("Label24", QStringLiteral(" Commission "), 6000, 5160, 1575);
    qv::TextBox* commission = box(7, 6000, 5400, 1575, 345);
    paintBack(commission, kLightGrey);
    commission->setReadOnly(true);
    label("Label3",
          QStringLiteral("Note: Enter the Correct % Percentage. For Example: 60% is .60  65% is .65  100% is 1.00 "),
          240, 5790, 7440, 400);

    setTabOrder(txtBegDate, txtEndDate);
    setTabOrder(txtEndDate, txtfields.value(14));
    setTabOrder(txtfields.value(14), Command11);

    onClick(Command5, [this] { Command5_Click(); });
    onClick(Command8, [this] { Command8_Click(); });
    onClick(Command7, [this] { Command7_Click(); });
    onClick(Command11, [this] { Command11_Click(); });
    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command2, [this] { Command2_Click(); });
    onClick(Command3, [this] { Command3_Click(); });
    connect(Image3, &qv::PictureBox::clicked, this, [this] { guard([this] { Image3_Click(); }); });
}

// ---------------------------------------------------------------- load

void Frmcommissions::formLoad()
{
    MakeTopMost(this);
    RemoveCloseCommand(this);
    try {
        db = std::make_unique<qv::Connection>();
        db->open(recordWindowConnectionString());
    } catch (const std::exception&) {
    }
    // The last statement of this run shows its first row in the boxes; the
    // grid waits for a query button. The window's own result is empty then.
    openLastStatement();
    adoPrimaryRS = std::make_shared<qv::Recordset>();
    rescaling.formLoad(this);
}

void Frmcommissions::openLastStatement()
{
    if (s_statement.isEmpty() || !db || !db->isOpen())
        return;
    try {
        adoPrimaryRS = db->execute(s_statement, s_dates);
        m_loadResult = adoPrimaryRS;
        bindBoxes();
    } catch (const std::exception&) {
    }
}

void Frmcommissions::formActivate()
{
    rescaling.formActivate(this);
}

void Frmcommissions::showEvent(QShowEvent* e)
{
    qv::Window::showEvent(e);
    if (!e->spontaneous())
        txtBegDate->setFocus();
}

void Frmcommissions::formUnload(bool& cancel)
{
    (void)cancel;
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------- queries

void Frmcommissions::bindBoxes()
{
    // Only the boxes whose field the result has: the commission box names a
    // field no sum yields, so what "=" writes there stays as written.
    for (auto it = txtfields.cbegin(); it != txtfields.cend(); ++it) {
        QString field;
        QString format;
        if (it.key() == 10)
            field = QStringLiteral("SalonArtist");
        else if (it.key() == 5) {
            field = QStringLiteral("Totals");
            format = kMoneyFormat;
        }
        if (!field.isEmpty() && adoPrimaryRS && adoPrimaryRS->fieldIndex(field) >= 0)
            it.value()->bind(adoPrimaryRS.get(), field, format);
    }
}

void Frmcommissions::runQuery(Sum sum, QPushButton* clicked)
{
    for (QPushButton* b : {Command5, Command8, Command7})
        paintButton(b, b == clicked ? kGreen : kYellow);

    const std::optional<QDateTime> from = dayOf(txtBegDate->text());
    const std::optional<QDateTime> to = dayOf(txtEndDate->text());
    if (!from || !to) {
        qv::ui().msgBox(kUnreadableDateRange);
        return;
    }

    try {
        auto connection = std::make_unique<qv::Connection>();
        db = std::move(connection);
        db->open(recordWindowConnectionString());
    } catch (const std::exception&) {
        return;   // no database: the grid and boxes stay as they were
    }
    const QString& prefix = sum == Sum::Services ? kServices : sum == Sum::Products ? kProducts : kAll;
    s_statement = prefix + kRangeEnd;
    s_dates = {*from, *to};
    try {
        adoPrimaryRS = db->execute(s_statement, s_dates);
    } catch (const std::exception&) {
        return;
    }
    bindBoxes();
    m_loadResult.reset();
    DataGrid5->setDataSource(adoPrimaryRS, {{QStringLiteral("SalonArtist"), QStringLiteral("Employee"), {}, 2200},
                                            {QStringLiteral("Totals"), QStringLiteral("Totals"), kMoneyFormat, 2200}});
    try {
        adoPrimaryRS->requery();
    } catch (const std::exception&) {
    }
}

void Frmcommissions::Command5_Click() { runQuery(Sum::Services, Command5); }
void Frmcommissions::Command8_Click() { runQuery(Sum::Products, Command8); }
void Frmcommissions::Command7_Click() { runQuery(Sum::All, Command7); }

// ---------------------------------------------------------------- commission

void Frmcommissions::Command11_Click()
{
    try {
        DataGrid5->setDataSource(adoPrimaryRS,
                                 {{QStringLiteral("SalonArtist"), QStringLiteral("Employee"), {}, 2200},
                                  {QStringLiteral("Totals"), QStringLiteral("Totals"), kMoneyFormat, 2200}});
    } catch (const std::exception&) {
    }
    qv::TextBox* commission = txtfields.value(7);
    const std::optional<qv::Money> total = qv::tryReadMoney(txtfields.value(5)->text());
    const std::optional<qv::Money> fraction = qv::tryReadMoney(txtfields.value(14)->text());
    if (total && fraction) {
        try {
            commission->setBoxText(qv::plainText(commissionOn(*total, *fraction)));
        } catch (const std::exception&) {
        }
    }
    if (const std::optional<qv::Money> shown = qv::tryReadMoney(commission->text()))
        commission->setBoxText(qv::currencyText(*shown));
}

// ---------------------------------------------------------------- buttons

void Frmcommissions::Command1_Click()
{
    hide();
    qv::Window* payments = qv::Windows::get(QStringLiteral("frmtest1"));
    if (payments)
        payments->hide();
    try {
        DataReport1 report;
        reportFill(report, QStringLiteral("SELECT * FROM Employees1 Order by LastName"));
    } catch (...) {
        // The report could not be made: the user gets this window back with the reason.
        show();
        throw;
    }
}

void Frmcommissions::Command2_Click()
{
    qv::Windows::show(QStringLiteral("frmtest1"));
}

void Frmcommissions::Command3_Click()
{
    for (int i : {5, 10}) {
        txtfields.value(i)->unbind();
        txtfields.value(i)->clear();
    }
    if (db)
        db->close();
    db.reset();
    DataGrid5->setDataSource(nullptr);
    adoPrimaryRS.reset();
    m_loadResult.reset();
    unload();
}

void Frmcommissions::Image3_Click()
{
    qv::Windows::show(QStringLiteral("frmquicktips"));
}
