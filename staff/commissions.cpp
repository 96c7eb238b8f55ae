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
#include "staff/commission_payments.h"
#include "shell/quick_tips.h"

#include <QApplication>
#include <QShowEvent>
#include <limits>

QV_REGISTER_WINDOW_AS(Commissions, "Frmcommissions");

namespace {

// The three sums share one statement; only the summed expression differs.
// The dates go in as values, never as text inside the statement.
const QString kServices = QStringLiteral(
    "SELECT DISTINCT SalonArtist,Sum (Price)As [Totals]FROM Servicemenu  WHERE DateAppointment >= ?");
const QString kProducts = QStringLiteral(
    "SELECT DISTINCT SalonArtist,Sum (ProductSales)As [Totals]FROM Servicemenu  WHERE DateAppointment >= ?");
// An empty total on a ticket is nothing sold: the ticket's other total still counts.
const QString kAll = QStringLiteral(
    "SELECT DISTINCT SalonArtist,Sum (IfNull(ProductSales,0)+IfNull(Price,0))As [Totals]FROM Servicemenu  WHERE "
    "DateAppointment >= ?");
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

std::optional<qv::Money> commissionFor(qv::Money total, const QString& rateText)
{
    // "65%" and "65 %" are sixty-five per cent whatever their size; without
    // the sign the figure is read as the box's note says (.65 or 65).
    QString text = rateText.trimmed();
    const bool percentSign = text.endsWith(QLatin1Char('%'));
    if (percentSign)
        text = text.chopped(1).trimmed();
    // No commission is paid back: a rate below nothing is no rate.
    const std::optional<qv::Money> rate = qv::tryReadMoney(text);
    if (!rate || text.isEmpty() || *rate < qv::Money())
        return std::nullopt;
    try {
        if (percentSign)
            return roundedQuotient(total, *rate, 1000000);
        return commissionOn(total, *rate);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Commissions::Commissions(QWidget* parent)
    : qv::Window(parent)
{
    setWindowTitle(QStringLiteral("frmcommissions"));
    buildLayout();
}

Commissions::~Commissions() = default;

QString Commissions::lastStatement() { return s_statement; }

void Commissions::forgetLastStatement()
{
    s_statement.clear();
    s_dates.clear();
}

QColor Commissions::backColor(const QPushButton* button)
{
    const QVariant c = button->property(kBackColor);
    return c.isValid() ? c.value<QColor>() : button->palette().color(QPalette::Button);
}

void Commissions::buildLayout()
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
        b->setObjectName(qv::arrayMemberName("txtfields", index));
        b->setSelectOnFocus(true);
        qv::place(b, left, top, width, height);
        fieldBoxes.insert(index, b);
        return b;
    };

    // Two-line captions, in buttons wide enough for "Commissions" in the
    // window's type on every screen it rescales to.
    commissionsReportButton = button("Command1", QStringLiteral("Report Of\nCommissions"), 120, 0, 1260, 495);
    commissionsReportButton->setAccessibleName(QStringLiteral("Report Of Commissions"));
    label("Label5", QStringLiteral("Report of Commissions"), 1440, 120, 2400);
    QLabel* title = label("Label2", QStringLiteral("Commission Database"), 3960, 0, 1620, 495);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    enterCommissionsButton = button("Command2", QStringLiteral("Enter\nCommissions"), 5640, 0, 1260, 495);
    enterCommissionsButton->setAccessibleName(QStringLiteral("Enter Commissions"));
    closeButton = button("Command3", QStringLiteral("Close"), 6960, 0, 735, 315);

    tipsLamp = new qv::PictureBox(this);
    tipsLamp->setObjectName(QStringLiteral("Image3"));
    tipsLamp->setPixmap(lampPicture(28));
    tipsLamp->setToolTip(QStringLiteral("Click Light for Quick Tips"));
    qv::place(tipsLamp, 2460, 660, 480, 480);
    captionLabels.insert(TipsCaption, label("lblLabels_24", QStringLiteral("Click Light for Quick Tips"), 3000, 840, 3600));

    firstDateBox = new qv::TextBox(this);
    firstDateBox->setObjectName(QStringLiteral("txtBegDate"));
    firstDateBox->setSelectOnFocus(true);
    qv::place(firstDateBox, 1560, 1200, 1335, 375);
    label("Label10", QStringLiteral("Enter Dates From>To"), 2960, 1260, 1820);
    lastDateBox = new qv::TextBox(this);
    lastDateBox->setObjectName(QStringLiteral("txtEndDate"));
    lastDateBox->setSelectOnFocus(true);
    qv::place(lastDateBox, 4800, 1200, 1335, 375);
    label("Label26", QStringLiteral("Format your dates like this Example:6/7/01 "), 2520, 1575, 4500, 225);
    QLabel* records = label("Label4", QStringLiteral("EMPLOYEE RECORDS"), 3120, 1800, 2400, 240);
    records->setFont(bold);

    servicesButton = button("Command5", QStringLiteral("Services"), 1560, 2040, 855, 255);
    productsButton = button("Command8", QStringLiteral("Products"), 3480, 2040, 855, 255);
    allTotalsButton = button("Command7", QStringLiteral("All Totals"), 5640, 2040, 855, 255);

    label("Label21", QStringLiteral("Click on name to get information for that record"), 120, 2340, 1395, 1575);
    totalsGrid = new qv::DataGrid(this);
    totalsGrid->setObjectName(QStringLiteral("DataGrid5"));
    qv::place(totalsGrid, 1560, 2340, 4935, 2175);
    // The sums are read-only: text typed over a shown name or total is not
    // kept when another row is picked, the boxes just follow the pick.
    totalsGrid->beforeRowPick = [this] {
        for (int i : {TotalsBox, ArtistBox})
            if (fieldBoxes.value(i)->dataSource())
                fieldBoxes.value(i)->refresh();
        return true;
    };

    label("Label6", QStringLiteral("Salon Artist"), 240, 5160, 1455);
    qv::TextBox* artist = box(ArtistBox, 240, 5400, 1455, 345);
    paintBack(artist, kPaleYellow);
    QPalette red = artist->palette();
    red.setColor(QPalette::Text, Qt::red);
    artist->setPalette(red);
    artist->setFont(bold);
    artist->setAlignment(Qt::AlignCenter);

    label("Label12", QStringLiteral("Earned Totals:"), 1920, 5160, 2055);
    qv::TextBox* totals = box(TotalsBox, 1920, 5400, 2055, 345);
    paintBack(totals, kLightGrey);
    totals->setReadOnly(true);

    label("Label11", QStringLiteral("X"), 4080, 5445, 300);
    // Two lines, with room for the type growing faster than the window on a
    // wide screen.
    label("Label23", QStringLiteral("Enter Percentage %:"), 4440, 4920, 1560, 480);
    box(PercentageBox, 4440, 5400, 1095, 345);
    calculateCommissionButton = button("Command11", QStringLiteral("="), 5640, 5400, 255, 360);
    calculateCommissionButton->setFont(bold);
    label("Label24", QStringLiteral(" Commission "), 6000, 5160, 1575);
    qv::TextBox* commission = box(CommissionBox, 6000, 5400, 1575, 345);
    paintBack(commission, kLightGrey);
    commission->setReadOnly(true);
    label("Label3",
          QStringLiteral("Note: Enter the Correct % Percentage. For Example: 60% is .60  65% is .65  100% is 1.00 "),
          240, 5790, 7440, 400);

    setTabOrder(firstDateBox, lastDateBox);
    setTabOrder(lastDateBox, fieldBoxes.value(PercentageBox));
    setTabOrder(fieldBoxes.value(PercentageBox), calculateCommissionButton);

    onClick(servicesButton, [this] { sumServices(); });
    onClick(productsButton, [this] { sumProducts(); });
    onClick(allTotalsButton, [this] { sumAllTotals(); });
    onClick(calculateCommissionButton, [this] { calculateCommission(); });
    // A commission shown belongs to the rate it was worked out with.
    connect(fieldBoxes.value(PercentageBox), &QLineEdit::textEdited, this,
            [this] { fieldBoxes.value(CommissionBox)->setBoxText(QString()); });
    onClick(commissionsReportButton, [this] { showCommissionsReport(); });
    onClick(enterCommissionsButton, [this] { enterCommissions(); });
    onClick(closeButton, [this] { closeWindow(); });
    connect(tipsLamp, &qv::PictureBox::clicked, this, [this] { guard([this] { showQuickTips(); }); });
}

// ---------------------------------------------------------------- load

void Commissions::formLoad()
{
    makeTopMost(this);
    removeCloseCommand(this);
    try {
        db = std::make_unique<qv::Connection>();
        db->open(recordWindowConnectionString());
    } catch (const std::exception&) {
    }
    // The last statement of this run shows its first row in the boxes; the
    // grid waits for a query button. The window's own result is empty then.
    openLastStatement();
    artistTotals = std::make_shared<qv::Recordset>();
    rescaling.formLoad(this);
}

void Commissions::openLastStatement()
{
    if (s_statement.isEmpty() || !db || !db->isOpen())
        return;
    try {
        artistTotals = db->execute(s_statement, s_dates);
        m_loadResult = artistTotals;
        bindBoxes();
    } catch (const std::exception&) {
    }
}

void Commissions::formActivate()
{
    rescaling.formActivate(this);
}

void Commissions::showEvent(QShowEvent* e)
{
    qv::Window::showEvent(e);
    if (!e->spontaneous())
        firstDateBox->setFocus();
}

void Commissions::formUnload(bool& cancel)
{
    (void)cancel;
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------- queries

void Commissions::bindBoxes()
{
    // Only the boxes whose field the result has: the commission box names a
    // field no sum yields, so what "=" writes there stays as written.
    for (auto it = fieldBoxes.cbegin(); it != fieldBoxes.cend(); ++it) {
        QString field;
        QString format;
        if (it.key() == ArtistBox)
            field = QStringLiteral("SalonArtist");
        else if (it.key() == TotalsBox) {
            field = QStringLiteral("Totals");
            format = kMoneyFormat;
        }
        if (!field.isEmpty() && artistTotals && artistTotals->fieldIndex(field) >= 0)
            it.value()->bind(artistTotals.get(), field, format);
    }
}

void Commissions::runQuery(Sum sum, QPushButton* clicked)
{
    for (QPushButton* b : {servicesButton, productsButton, allTotalsButton})
        paintButton(b, b == clicked ? kGreen : kYellow);

    const std::optional<QDateTime> from = dayOf(firstDateBox->text());
    const std::optional<QDateTime> to = dayOf(lastDateBox->text());
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
        artistTotals = db->execute(s_statement, s_dates);
    } catch (const std::exception&) {
        return;
    }
    bindBoxes();
    // A commission worked out for one artist's total is no figure for the
    // next one shown: it goes when the row or the result changes.
    const auto forgetCommission = [this] { fieldBoxes.value(CommissionBox)->setBoxText(QString()); };
    forgetCommission();
    connect(artistTotals.get(), &qv::Recordset::moveComplete, this, forgetCommission);
    m_loadResult.reset();
    totalsGrid->setDataSource(artistTotals, {{QStringLiteral("SalonArtist"), QStringLiteral("Employee"), {}, 2200},
                                             {QStringLiteral("Totals"), QStringLiteral("Totals"), kMoneyFormat, 2200}});
    try {
        artistTotals->requery();
    } catch (const std::exception&) {
    }
}

void Commissions::sumServices() { runQuery(Sum::Services, servicesButton); }
void Commissions::sumProducts() { runQuery(Sum::Products, productsButton); }
void Commissions::sumAllTotals() { runQuery(Sum::All, allTotalsButton); }

// ---------------------------------------------------------------- commission

void Commissions::calculateCommission()
{
    try {
        totalsGrid->setDataSource(artistTotals,
                                  {{QStringLiteral("SalonArtist"), QStringLiteral("Employee"), {}, 2200},
                                   {QStringLiteral("Totals"), QStringLiteral("Totals"), kMoneyFormat, 2200}});
    } catch (const std::exception&) {
    }
    // A commission stands only beside the total and the rate it was worked
    // out with: anything that cannot be read leaves the box empty.
    qv::TextBox* commission = fieldBoxes.value(CommissionBox);
    commission->setBoxText(QString());
    const std::optional<qv::Money> total = qv::tryReadMoney(fieldBoxes.value(TotalsBox)->text());
    if (!total)
        return;
    const QString rateText = fieldBoxes.value(PercentageBox)->text();
    const std::optional<qv::Money> amount = commissionFor(*total, rateText);
    if (!amount) {
        qv::ui().msgBox(QStringLiteral("The percentage could not be read: type it like .60 or 60%, then press =."));
        return;
    }
    commission->setBoxText(qv::currencyText(*amount));
}

// ---------------------------------------------------------------- buttons

void Commissions::showCommissionsReport()
{
    hide();
    qv::Windows::get<CommissionPayments>()->hide();
    try {
        CommissionsReport report;
        reportFill(report, QStringLiteral("SELECT * FROM Employees1 Order by LastName"));
    } catch (...) {
        // The report could not be made: the user gets this window back with the reason.
        show();
        throw;
    }
}

void Commissions::enterCommissions()
{
    qv::Windows::show<CommissionPayments>();
}

void Commissions::closeWindow()
{
    for (int i : {TotalsBox, ArtistBox}) {
        fieldBoxes.value(i)->unbind();
        fieldBoxes.value(i)->clear();
    }
    if (db)
        db->close();
    db.reset();
    totalsGrid->setDataSource(nullptr);
    artistTotals.reset();
    m_loadResult.reset();
    unload();
}

void Commissions::showQuickTips()
{
    qv::Windows::show<CommissionsQuickTips>();
}
