#include "inventory/products_sold.h"

#include "common/connections.h"
#include "common/date_range.h"
#include "common/ordinary_values.h"
#include "common/window_helpers.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"

#include <QLabel>
#include <QPushButton>

QV_REGISTER_WINDOW_AS(ProductsSold, "Form1");

namespace {

const QString kColumns = QStringLiteral(
    "[DateAppointment],[CustomerName],[ProductsSold], [ProductsSold1], [ProductsSold2], [ProductsSold3], "
    "[ProductsSold4],[Quantity],[Quantity1], [Quantity2], [Quantity3], [Quantity4], [SystemStockNumber], "
    "[SystemStockNumber1], [SystemStockNumber2], [SystemStockNumber3], [SystemStockNumber4]");

} // namespace

// The typed dates travel as values, never inside the text.
const QString ProductsSold::kRangeQuery = QStringLiteral("SELECT ") + kColumns
    + QStringLiteral(",Sum (ProductSales)As [Totals]FROM Servicemenu  WHERE DateAppointment >= ?")
    + QStringLiteral(" And DateAppointment<= ?") + QStringLiteral(" group by ") + kColumns;

const QString ProductsSold::kAllTicketsQuery = QStringLiteral(
    "SELECT [DateAppointment],[CustomerName],[ProductsSold], [ProductsSold1], [ProductsSold2], [ProductsSold3], "
    "[ProductsSold4], [Quantity1], [Quantity2], [Quantity3], [Quantity4], [Quantity5], [SystemStockNumber], "
    "[SystemStockNumber1], [SystemStockNumber2], [SystemStockNumber3], [SystemStockNumber4], [Quantity],Sum "
    "(ProductSales)As [Totals]  FROM [Servicemenu] Group By [DateAppointment],[CustomerName],[ProductsSold], "
    "[ProductsSold1], [ProductsSold2], [ProductsSold3], [ProductsSold4], [ProductsPrice1], [ProductsPrice2], "
    "[ProductsPrice3], [ProductsPrice4], [ProductsPrice5], [Quantity1], [Quantity2], [Quantity3], [Quantity4], "
    "[Quantity5], [SystemStockNumber], [SystemStockNumber1], [SystemStockNumber2], [SystemStockNumber3], "
    "[SystemStockNumber4], [Quantity], [Totals]");

const QString ProductsSold::kBothEmpty = QStringLiteral(" You must enter a range of dates");
const QString ProductsSold::kUnreadableDates = kUnreadableDateRange;

const QList<qv::GridColumn>& ProductsSold::gridColumns()
{
    using OrdinaryValue::clientName;
    using OrdinaryValue::productName;
    static const QList<qv::GridColumn> columns = {
        {"DateAppointment", "Date Appointment", "", 1900},
        {"CustomerName", "Customer", "", 1500, clientName},
        {"ProductsSold", "ProductsSold", "", 1700, productName},
        {"SystemStockNumber", "Stock Number", "", 1600},
        {"Quantity", "Quantity", "", 1100},
        {"ProductsSold1", "Products Sold", "", 1700, productName},
        {"SystemStockNumber1", "Stock Number", "", 1600},
        {"Quantity1", "Quantity", "", 1100},
        {"ProductsSold2", "Products Sold", "", 1700, productName},
        {"SystemStockNumber2", "Stock Number", "", 1600},
        {"Quantity2", "Quantity", "", 1100},
        {"ProductsSold3", "Products Sold", "", 1700, productName},
        {"SystemStockNumber3", "Stock Number", "", 1600},
        {"Quantity3", "Quantity", "", 1100},
        {"ProductsSold4", "ProductsSold", "", 1700, productName},
        {"SystemStockNumber4", "Stock Number", "", 1600},
        {"Quantity4", "Quantity", "", 1100},
        {"Totals", "Totals", "\"$\"#,##0.00", 1300},
    };
    return columns;
}

ProductsSold::ProductsSold(QWidget* parent) : qv::Window(parent)
{
    setWindowTitle(QStringLiteral("Products Sold by date and client"));
    setAutoFillBackground(true);
    QPalette shade = palette();
    shade.setColor(QPalette::Window, QColor(0xBA, 0xC9, 0xD1));
    setPalette(shade);
    setTwipsSize(10275, 5430);
    setFixedSize(size());

    for (int i = 0; i < 2; ++i) {
        auto* box = new qv::TextBox(this);
        box->setObjectName(qv::arrayMemberName("txtfields", i));
        box->setSelectOnFocus(true);
        dateBoxes << box;
    }
    qv::place(dateBoxes[FirstDateBox], 360, 120, 1935, 375);
    qv::place(dateBoxes[LastDateBox], 4080, 120, 1935, 375);
    setTabOrder(dateBoxes[FirstDateBox], dateBoxes[LastDateBox]);

    auto label = [this](const char* name, const QString& text, int left, int top, int width, int height) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextFormat(Qt::PlainText);
        qv::place(l, left, top, width, height);
        return l;
    };
    dateRangeLabel = label("Label10", QStringLiteral("Enter Dates From >  To"), 2400, 120, 1620, 375);
    QFont narrow(QStringLiteral("Arial Narrow"));
    narrow.setBold(true);
    dateRangeLabel->setFont(narrow);
    dateRangeLabel->setAlignment(Qt::AlignCenter);
    dateFormatHint = label("Label26", QStringLiteral("Format your dates like this Example:6/7/01 "), 360, 600, 6000,
                           240);
    instructionsLabel = label("Label1", QStringLiteral("Enter your dates, then click Get Products button. "), 360, 840,
                              6000, 240);

    auto button = [this](const char* name, const QString& caption, int left, int top, int width, int height) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        qv::place(b, left, top, width, height);
        return b;
    };
    clearButton = button("Command3", QStringLiteral("Clear"), 6120, 120, 615, 255);
    closeButton = button("Command2", QStringLiteral("Close"), 6840, 120, 615, 255);
    // Whole above the grid's caption bar, not with their lower edge under it.
    getProductsButton = button("Command1", QStringLiteral("Get Products"), 240, 1170, 1335, 375);
    allTicketsButton = button("Command4", QStringLiteral("Refresh"), 1680, 1170, 1335, 375);

    // The grid's caption bar heads the grid's own rectangle.
    const int captionHeight = 255;
    gridCaption = label("DataGrid1Caption", QStringLiteral("All Products Sold By Date "), 240, 1560, 9960,
                        captionHeight);
    gridCaption->setAlignment(Qt::AlignCenter);
    gridCaption->setAutoFillBackground(true);
    QPalette bar = gridCaption->palette();
    bar.setColor(QPalette::Window, palette().color(QPalette::Button));
    gridCaption->setPalette(bar);
    productsGrid = new qv::DataGrid(this);
    productsGrid->setObjectName(QStringLiteral("DataGrid1"));
    qv::place(productsGrid, 240, 1560 + captionHeight, 9960, 3855 - captionHeight);
    productsGrid->setDataSource(nullptr, gridColumns());

    onClick(getProductsButton, [this] { getProducts(); });
    onClick(closeButton, [this] { closeWindow(); });
    onClick(clearButton, [this] { clearDates(); });
    onClick(allTicketsButton, [this] { listAllTickets(); });
}

ProductsSold::~ProductsSold() = default;

void ProductsSold::formLoad()
{
    makeTopMost(this);
}

void ProductsSold::formUnload(bool& cancel)
{
    (void)cancel;
    productsGrid->setDataSource(nullptr, gridColumns());
    m_rows.reset();
    m_connection.reset();
}

std::unique_ptr<qv::Connection> ProductsSold::openConnection() const
{
    auto connection = std::make_unique<qv::Connection>();
    connection->open(jetConnectionString(databasePathPlain()));
    return connection;
}

void ProductsSold::show(std::unique_ptr<qv::Connection> connection, std::shared_ptr<qv::Recordset> rows)
{
    productsGrid->setDataSource(rows, gridColumns());
    m_rows = std::move(rows);
    m_connection = std::move(connection);
}

void ProductsSold::getProducts()
{
    std::unique_ptr<qv::Connection> connection = openConnection();
    const QString fromText = dateBoxes[FirstDateBox]->text();
    const QString toText = dateBoxes[LastDateBox]->text();
    if ((fromText + toText).isEmpty()) {
        qv::ui().msgBox(kBothEmpty);
        return;
    }
    const std::optional<DateRange> range = readDateRange(fromText, toText);
    if (!range) {
        qv::ui().msgBox(kUnreadableDates);
        return;
    }
    // A query that fails leaves the grid as it was.
    try {
        std::shared_ptr<qv::Recordset> rows = connection->execute(kRangeQuery, {range->from, range->to});
        show(std::move(connection), std::move(rows));
    } catch (const std::exception&) {
    }
}

void ProductsSold::listAllTickets()
{
    std::unique_ptr<qv::Connection> connection = openConnection();
    std::shared_ptr<qv::Recordset> rows = connection->execute(kAllTicketsQuery);
    show(std::move(connection), std::move(rows));
}

void ProductsSold::clearDates()
{
    dateBoxes[LastDateBox]->setText(QString());
    dateBoxes[FirstDateBox]->setText(QString());
}

void ProductsSold::closeWindow()
{
    unload();
}
