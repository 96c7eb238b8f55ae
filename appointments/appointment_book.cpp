#include "appointments/appointment_book.h"

#include "common/connections.h"
#include "common/drawn_pictures.h"
#include "common/help_access.h"
#include "common/key_filters.h"
#include "common/window_helpers.h"
#include "common/lookup_lists.h"
#include "common/pass_over.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "appointments/day_view.h"
#include "shell/about_box.h"
#include "shell/calculator.h"
#include "shell/tip_of_day.h"
#include "shell/user_login.h"
#include "staff/schedule_calendar.h"

#include <utility>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>

QV_REGISTER_WINDOW_AS(AppointmentBook, "Form3");

namespace {

using enum AppointmentBook::TicketBox;
using enum AppointmentBook::TaxBox;

struct BoxSpec {
    int index;
    const char* field;   // nullptr: unbound
    const char* format;
    const char* tooltip;
};

const QString kMoney = QStringLiteral("\"$\"#,##0.00");
// Quantities show as recorded: a whole one as before ("2"), a fraction as it
// is ("1.5"), never rounded; the totals read the quantity from the box.
constexpr const char* kQuantity = "";
const QString kTimeFormat = QStringLiteral("h:nn AM/PM");
const char* const kTimeTip = "Type in Time of appointment and AM or PM IE: 9am or 5 pm";

// txtfields: index, field, display format, tooltip.
const BoxSpec kFields[] = {
    {TicketNumberBox, "CustomerID", "", "Enter Client Ticket"},
    {ClientNameBox, "CustomerName", "", "Enter Client Name "},
    {ClientPhoneBox, "CustomerPhone", "", "Enter Client Phone"},
    {SalonArtistBox, "SalonArtist", "", ""},
    {AppointmentDateBox, "DateAppointment", "MMMM dd, yyyy", ""},
    {AppointmentTimeBox, "TimeAppointment", "h:nn AM/PM", kTimeTip},
    {TimeBlockBox, "TimeBlock", "h:nn AM/PM", kTimeTip},
    {MemoBox, "Memo", "", "Type in Memo"},
    {ServiceTotalsBox, "Price", "\"$\"#,##0.00", ""},
    {ServiceTaxBox, "TaxTotals", "\"$\"#,##0.00", ""},
    {ProductSalesBox, "ProductSales", "\"$\"#,##0.00", ""},
    {ProductSalesPlainBox, "ProductSales", "#,##0.00", ""},
    {ProductTaxBox, "TaxTotals1", "\"$\"#,##0.00", ""},
    {TicketTotalBox, "Totals", "\"$\"#,##0.00", ""},
    {TenderTotalBox, "Totals", "\"$\"#,##0.00", ""},
    // Service slots: name, price, quantity.
    {Service1NameBox, "Service", "", "Enter Service"},
    {Service1PriceBox, "ServicePrice1", "#,##0.00", "Enter Price"},
    {Service1QuantityBox, "QuantityService1", kQuantity, "Enter Quantity"},
    {Service2NameBox, "Service1", "", ""},
    {Service2PriceBox, "ServicePrice2", "#,##0.00", ""},
    {Service2QuantityBox, "QuantityService2", kQuantity, "Enter Quantity"},
    {Service3NameBox, "Service2", "", ""},
    {Service3PriceBox, "ServicePrice3", "#,##0.00", ""},
    {Service3QuantityBox, "QuantityService3", kQuantity, "Enter Quantity"},
    {Service4NameBox, "Service3", "", ""},
    {Service4PriceBox, "ServicePrice4", "#,##0.00", ""},
    {Service4QuantityBox, "QuantityService4", kQuantity, "Enter Quantity"},
    // Product slots: stock number, name, price, quantity.
    {Product1StockNumberBox, "SystemStockNumber", "", "Enter Stock#"},
    {Product1NameBox, "ProductsSold", "#,##0.00", "Enter Product"},
    {Product1PriceBox, "ProductsPrice", "#,##0.00", "Enter Price"},
    {Product1QuantityBox, "Quantity", kQuantity, "Enter Quantity"},
    {Product2StockNumberBox, "SystemStockNumber1", "", "Enter Stock#"},
    {Product2NameBox, "ProductsSold1", "#,##0.00", ""},
    {Product2PriceBox, "ProductsPrice1", "#,##0.00", "Enter Price"},
    {Product2QuantityBox, "Quantity1", kQuantity, "Enter Quantity"},
    {Product3StockNumberBox, "SystemStockNumber2", "", "Enter Stock#"},
    {Product3NameBox, "ProductsSold2", "#,##0.00", ""},
    {Product3PriceBox, "ProductsPrice2", "#,##0.00", "Enter Price"},
    {Product3QuantityBox, "Quantity2", kQuantity, "Enter Quantity"},
    {Product4StockNumberBox, "SystemStockNumber3", "", "Enter Stock#"},
    {Product4NameBox, "ProductsSold3", "#,##0.00", ""},
    {Product4PriceBox, "ProductsPrice3", "#,##0.00", "Enter Price"},
    {Product4QuantityBox, "Quantity3", kQuantity, "Enter Quantity"},
    {Product5StockNumberBox, "SystemStockNumber4", "", "Enter Stock#"},
    {Product5NameBox, "ProductsSold4", "#,##0.00", ""},
    {Product5PriceBox, "ProductsPrice4", "#,##0.00", "Enter Price"},
    {Product5QuantityBox, "Quantity4", kQuantity, "Enter Quantity"},
    // Not stored: the tender and the date range of the date find.
    {TenderedBox, nullptr, "", ""},
    {ChangeBox, nullptr, "", ""},
    {RangeFromBox, nullptr, "", ""},
    {RangeToBox, nullptr, "", ""},
};

const BoxSpec kInputs[] = {
    {ServiceTaxPercentBox, "TaxPercent", "", ""},
    {ServicesWithTaxBox, "Taxamount", "\"$\"#,##0.00", ""},
    {ProductsWithTaxBox, "taxamount1", "\"$\"#,##0.00", ""},
    {ProductTaxPercentBox, "taxpercent1", "", ""},
};

// Service slots 1 to 4 and product slots 1 to 5, as box indexes.
const int kServiceBoxes[4][3] = {{Service1NameBox, Service1PriceBox, Service1QuantityBox},
                                 {Service2NameBox, Service2PriceBox, Service2QuantityBox},
                                 {Service3NameBox, Service3PriceBox, Service3QuantityBox},
                                 {Service4NameBox, Service4PriceBox, Service4QuantityBox}};
const int kProductBoxes[5][4] = {{Product1StockNumberBox, Product1NameBox, Product1PriceBox, Product1QuantityBox},
                                 {Product2StockNumberBox, Product2NameBox, Product2PriceBox, Product2QuantityBox},
                                 {Product3StockNumberBox, Product3NameBox, Product3PriceBox, Product3QuantityBox},
                                 {Product4StockNumberBox, Product4NameBox, Product4PriceBox, Product4QuantityBox},
                                 {Product5StockNumberBox, Product5NameBox, Product5PriceBox, Product5QuantityBox}};

const QStringList kHalfHours = {
    "8 Am", "8:30 Am", "9 Am", "9:30 Am", "10 Am", "10:30 Am", "11 Am", "11:30 Am", "12 Pm",
    "12:30 Pm", "1 Pm", "1:30 Pm", "2 Pm", "2:30 Pm", "3 Pm", "3:30 Pm", "4 Pm", "4:30 Pm",
    "5 Pm", "5:30 Pm", "6 Pm", "6:30 Pm", "7 Pm", "7:30 Pm", "8 Pm"};

const QList<qv::GridColumn>& historyColumns()
{
    static const QList<qv::GridColumn> columns = {
        {"CustomerID", "Ticket", "", 800},
        {"CustomerName", "Customer Name", "", 2940},
        {"CustomerPhone", "Customer Phone", "", 1700},
        {"DateAppointment", "Date Of Appointment", "M/d/yyyy", 2100},
        {"TimeAppointment", "Appointment Time", "h:nn AM/PM", 1900},
        {"SalonArtist", "Salon Artist", "", 1400},
        {"Price", "Service Totals", "\"$\"#,##0.00", 1600},
        {"ProductSales", "Product Sales", "\"$\"#,##0.00", 1600},
        {"Totals", "Total Ticket", "\"$\"#,##0.00", 1500},
    };
    return columns;
}

// A label or picture that reports clicks.
class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* watched, std::function<void()> onClick) : QObject(watched), m_onClick(std::move(onClick))
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            qv::Window::guard(m_onClick);
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> m_onClick;
};

// Blanks only, as the required-field check trims them.
QString trimBlanks(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QPixmap bulbPicture()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 230, 80));
    p.setPen(QColor(120, 100, 0));
    p.drawEllipse(5, 2, 14, 14);
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(9, 16, 6, 5);
    return pm;
}

QPixmap boxesPicture()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setBrush(QColor(190, 150, 90));
    p.setPen(QColor(90, 60, 20));
    p.drawRect(2, 10, 10, 10);
    p.drawRect(12, 10, 10, 10);
    p.drawRect(7, 1, 10, 9);
    return pm;
}

} // namespace

AppointmentBook::AppointmentBook(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Appointment book"));
    buildLayout();
    connectHandlers();
}

AppointmentBook::~AppointmentBook() = default;

QString AppointmentBook::connectionString() const { return shapeConnectionString(); }

QString AppointmentBook::recordSource() const
{
    return QStringLiteral("SHAPE {select *from Servicemenu} AS ParentCMD APPEND ({select *from Servicemenu } AS "
                          "ChildCMD RELATE CustomerName TO CustomerName) AS ChildCMD");
}

AppointmentBook::ServiceSlot AppointmentBook::serviceSlot(int slot) const
{
    if (slot < 1 || slot > 4)
        return {nullptr, nullptr, nullptr};
    const int* b = kServiceBoxes[slot - 1];
    return {box(b[0]), box(b[1]), box(b[2])};
}

AppointmentBook::ProductSlot AppointmentBook::productSlot(int slot) const
{
    if (slot < 1 || slot > 5)
        return {nullptr, nullptr, nullptr, nullptr};
    const int* b = kProductBoxes[slot - 1];
    return {box(b[0]), box(b[1]), box(b[2]), box(b[3])};
}

const QString AppointmentBook::kNoTicket =
    QStringLiteral("Open the Appointment form on a ticket first, then click the button again.");

bool AppointmentBook::showsTicket() const
{
    if (!primaryRecordset || !primaryRecordset->isOpen())
        return false;
    return primaryRecordset->editMode() == qv::EditMode::Add || primaryRecordset->hasCurrentRecord();
}

AppointmentBook* AppointmentBook::ticketForWriting()
{
    AppointmentBook* book = qv::Windows::loaded<AppointmentBook>();
    if (!book || !book->showsTicket()) {
        qv::ui().msgBox(kNoTicket);
        return nullptr;
    }
    return book;
}

std::optional<double> AppointmentBook::quantityToPost(const QString& typed)
{
    static const QRegularExpression plain(QStringLiteral("^\\s*(\\d+(\\.\\d*)?|\\.\\d+)\\s*$"));
    if (!plain.match(typed).hasMatch())
        return std::nullopt;
    const double quantity = qv::leadingNumber(typed);
    if (quantity < 1)
        return std::nullopt;
    return quantity;
}

bool AppointmentBook::slotOccupied(const qv::TextBox* quantity)
{
    return quantity && qv::leadingNumber(quantity->text()) >= 1;
}

// ---------------------------------------------------------------- layout

void AppointmentBook::buildLayout()
{
    // Placement in screen pixels of the 800 x 600 design, turned into twips.
    auto at = [](QWidget* w, int x, int y, int width, int height) {
        qv::place(w, x * qv::kTwipsPerPixel, y * qv::kTwipsPerPixel, width * qv::kTwipsPerPixel,
                  height * qv::kTwipsPerPixel);
    };
    auto label = [&](const QString& name, const QString& caption, int x, int y, int width, int height = 20) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        at(l, x, y, width, height);
        return l;
    };
    auto button = [&](const QString& name, const QString& caption, const QString& tip, int x, int y, int width,
                      int height) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::TabFocus);
        at(b, x, y, width, height);
        return b;
    };
    // The captions under the bar's picture buttons, small and on two lines.
    auto barLabel = [&](const QString& name, const QString& caption, int x, int width) {
        QLabel* l = label(name, caption, x, 31, width, 26);
        QFont small = l->font();
        small.setPointSize(8);
        l->setFont(small);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    };
    // The window was drawn for the small system font of an 800 x 600 screen.
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    // The book fits a screen of 800 x 600 with a window manager's title bar
    // (570 pixels inside); its lines of boxes stand 24 pixels apart, the
    // record form's two bars (23 pixels each) at its foot.
    constexpr int bookHeight = 570;
    constexpr int line = 24;
    constexpr int recordBarsTop = bookHeight - 2 * 23;
    setTwipsSize(800 * qv::kTwipsPerPixel, bookHeight * qv::kTwipsPerPixel);

    // Boxes first, so that the slot tables and the handlers find them.
    for (const BoxSpec& s : kFields) {
        qv::TextBox* b = s.field ? addField(s.index, QString::fromLatin1(s.field), QString::fromLatin1(s.format))
                                 : new qv::TextBox(this);
        if (!s.field)
            fieldBoxes.insert(s.index, b);
        b->setParent(this);
        b->setObjectName(qv::arrayMemberName("txtfields", s.index));
        if (*s.tooltip)
            b->setToolTip(QString::fromLatin1(s.tooltip));
        b->setSelectOnFocus(true);
    }
    for (const BoxSpec& s : kInputs) {
        auto* b = new qv::TextBox(this);
        b->setObjectName(qv::arrayMemberName("txtinput", s.index));
        b->setStyleSheet(QStringLiteral("background-color: #E0E0E0;"));
        taxBoxes.insert(s.index, b);
    }

    // The navigation bar: picture buttons with their labels under them.
    struct BarButton { QPushButton** slot; const char* name; const char* label; const char* tip; QIcon icon; };
    const BarButton bar[] = {
        {&customersButton, "Command3", "Customer Database", "Customer Database",
         style()->standardIcon(QStyle::SP_FileDialogContentsView)},
        {&calculatorButton, "Command2", "Calculator", "Calculator", style()->standardIcon(QStyle::SP_ComputerIcon)},
        {&printReceiptButton, "Cmdprint", "Print", "Print Receipt", printIcon()},
        {&scheduleButton, "Command13", "Calendar", "Calendar for Sheduling employees.",
         style()->standardIcon(QStyle::SP_FileDialogDetailedView)},
        {&findByPhoneButton, "Command11", "Find By Phone#", "Find Appointments by Phone#",
         style()->standardIcon(QStyle::SP_FileDialogInfoView)},
        {&findByNameButton, "Command12", "Find By Name", "Find Appointments by Customer Names.",
         style()->standardIcon(QStyle::SP_FileDialogListView)},
        {&findByTicketButton, "Command6", "Find Ticket", "Find by ticket",
         style()->standardIcon(QStyle::SP_FileDialogStart)},
        {&aboutButton, "Command1", "About Quorvel", "About Quorvel",
         style()->standardIcon(QStyle::SP_MessageBoxInformation)},
    };
    int x = 4;
    for (const BarButton& b : bar) {
        *b.slot = button(QString::fromLatin1(b.name), QString(), QString::fromLatin1(b.tip), x + 10, 2, 40, 28);
        (*b.slot)->setIcon(b.icon);
        barLabel(QStringLiteral("lbl") + QString::fromLatin1(b.name), QString::fromLatin1(b.label), x, 60);
        x += 60;
    }
    // Eight picture buttons, the two menus and the padlock must all stay left
    // of "Exit Program", or the padlock ends up underneath it; the menus are
    // as wide as their captions need, so they are read whole.
    productMenuButton = button("Command14", "Product Menu", "Enter Products ", x + 2, 2, 84, 28);
    x += 86;
    serviceMenuButton = button("Command15", "Service Menu", "Enter Services", x + 2, 2, 84, 28);
    x += 86;
    // "Management" alone needs the whole gap up to "Exit Program" in 8-point
    // type, so the padlock sits over the middle of its caption there.
    managementButton = button("Command10", QString(), "Restricted to management", x + 2, 2, 40, 28);
    managementButton->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    barLabel("lblCommand10", "Management Only", x - 16, 76);
    exitButton = button("Command23", "Exit Program", "Exit program", 716, 2, 80, 28);

    // The appointment. The client's name is read whole at its longest (30
    // characters); the ticket number, a few digits, gives it the room.
    int top = 60;
    label("lblTicket", "Ticket #", 4, top + 2, 56);
    at(box(TicketNumberBox), 60, top, 64, 22);
    label("lblClientName", "Client Name", 130, top + 2, 72);
    at(box(ClientNameBox), 204, top, 196, 22);
    label("lblClientPhone", "Client Phone #", 406, top + 2, 84);
    at(box(ClientPhoneBox), 490, top, 110, 22);
    label("lblSalonArtist", "Salon Artist", 608, top + 2, 72);
    at(box(SalonArtistBox), 682, top, 114, 22);

    top += line;
    label("lblAppointments", "Appointments", 4, top + 2, 80);
    at(box(AppointmentDateBox), 84, top, 150, 22);
    calendarButton = button("Command9", "Calendar", "Select a Date for this appointment", 236, top, 62, 22);
    label("lblTime", "Time ", 306, top + 2, 34);
    at(box(AppointmentTimeBox), 340, top, 70, 22);
    timeList = new qv::PickList(this);
    label("lblBlock", "Block", 494, top + 2, 34);
    at(box(TimeBlockBox), 528, top, 70, 22);
    blockList = new qv::PickList(this);
    for (auto [list, name, start, left] :
         {std::tuple{blockList, "Combo1", "BLOCK", 600}, std::tuple{timeList, "Combo3", "TIME", 412}}) {
        list->setObjectName(QString::fromLatin1(name));
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        // Typing in the text area is no pick: without completion a partly
        // typed time ("9") is not turned into an item and written to the box.
        list->setCompleter(nullptr);
        list->addItems(kHalfHours);
        list->setCurrentIndex(-1);
        list->setEditText(QString::fromLatin1(start));
        list->setToolTip(QStringLiteral("Pick aTime from the list or enter one in the text box."));
        at(list, left, top, 78, 22);
    }
    artistList = new qv::DataCombo(this);
    artistList->setObjectName(QStringLiteral("dcboCustomer"));
    artistList->setToolTip(QStringLiteral("Click on drop down list, or Enter Name into Textbox."));
    at(artistList, 682, top, 114, 22);

    top += line;
    label("lblMemo", "Memo", 4, top + 2, 40);
    at(box(MemoBox), 84, top, 580, 22);
    newClientCheck = new QCheckBox(this);
    newClientCheck->setObjectName(QStringLiteral("Check2"));
    newClientCheck->setToolTip(QStringLiteral("Click on button if this client is new."));
    newClientCheck->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    at(newClientCheck, 672, top, 40, 22);

    // Service slots, two by two, under their captions.
    top += line + 1;
    for (int left : {4, 402}) {
        label(QString("lblServiceHead%1").arg(left), "Service", left, top, 240, 16);
        label(QString("lblPriceHead%1").arg(left), "Price", left + 244, top, 86, 16);
        label(QString("lblQtyHead%1").arg(left), "Qty", left + 334, top, 50, 16);
    }
    top += 16;
    for (int slot = 1; slot <= 4; ++slot) {
        const int left = (slot % 2 == 1) ? 4 : 402;
        ServiceSlot s = serviceSlot(slot);
        const int slotTop = (slot <= 2) ? top : top + line;
        at(s.name, left, slotTop, 240, 22);
        at(s.price, left + 244, slotTop, 86, 22);
        at(s.quantity, left + 334, slotTop, 50, 22);
    }

    // Product slots, one line each, slot 1 first: five names of 30
    // characters side by side would need a window wider than the screen.
    top += 2 * line + 1;
    const char* const productCaptions[] = {"Product # One", "Product # 2", "Product # 3", "Product # 4", "Product # 5"};
    for (int slot = 1; slot <= 5; ++slot) {
        const int slotTop = top + (slot - 1) * line;
        label(QString("lblProduct%1").arg(slot), productCaptions[slot - 1], 4, slotTop + 2, 84);
        ProductSlot p = productSlot(slot);
        at(p.stockNumber, 90, slotTop, 50, 22);
        at(p.name, 144, slotTop, 196, 22);
        at(p.price, 344, slotTop, 70, 22);
        at(p.quantity, 418, slotTop, 48, 22);
    }

    // Beside the products: the ticket's total and the tender, a column of
    // captions, boxes and their buttons.
    ticketTotalLabel = label("Label5", "Total Ticket:", 474, top + 2, 104);
    at(box(TicketTotalBox), 580, top, 96, 22);
    subtotalButton = button("Command5", "Subtotal", QString(), 682, top, 90, 22);
    calendarPicture = new qv::PictureBox(this);
    calendarPicture->setObjectName(QStringLiteral("Image2"));
    calendarPicture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(20, 20));
    at(calendarPicture, 474, top + line, 22, 22);
    tenderTotalsLabel = label("Label2", "Totals:", 500, top + line + 2, 78);
    at(box(TenderTotalBox), 580, top + line, 96, 22);
    tenderedLabel = label("Label56", "Amount Tendered:", 474, top + 2 * line + 2, 104);
    at(box(TenderedBox), 580, top + 2 * line, 96, 22);
    changeButton = button("Command17", "$", QString(), 682, top + 2 * line, 26, 22);
    changeLabel = label("Label55", "Change:", 474, top + 3 * line + 2, 104);
    at(box(ChangeBox), 580, top + 3 * line, 96, 22);
    tenderReceiptButton = button("Command16", QString(), "Print Receipt?", 682, top + 3 * line, 30, 22);
    tenderReceiptButton->setIcon(printIcon());
    helpButton = button("Command19", "Help", "HELP!", 580, top + 4 * line, 60, 22);
    tipsPicture = new qv::PictureBox(this);
    tipsPicture->setObjectName(QStringLiteral("Image9"));
    tipsPicture->setPixmap(bulbPicture());
    at(tipsPicture, 648, top + 4 * line - 1, 24, 24);
    nonRetailPicture = new qv::PictureBox(this);
    nonRetailPicture->setObjectName(QStringLiteral("Picture13"));
    nonRetailPicture->setPixmap(boxesPicture());
    at(nonRetailPicture, 680, top + 4 * line - 1, 24, 24);
    // The calendar's close button, over the corner of the calendar.
    closeCalendarButton = button("CmdX", "X", QString(), 776, top + 4 * line, 20, 20);

    // Money of the ticket, under the products: the services' column and the
    // products' column, each a total over its tax rows.
    top += 5 * line;
    auto billing = [&](int index, const QString& caption, int left, int captionTop) {
        QLabel* l = label(qv::arrayMemberName("lblBilling", index), caption, left, captionTop, 130);
        billingCaptions.insert(index, l);
        return l;
    };
    struct BillingRow { BillingCaption caption; const char* text; qv::TextBox* box; };
    struct MoneyColumn { int left; const char* name; const char* caption; qv::TextBox* total; BillingRow rows[3]; };
    const MoneyColumn moneyColumns[] = {
        {4, "Label10", "Service Totals ", box(ServiceTotalsBox),
         {{ServiceTaxPercentCaption, "Tax &Pct.", taxBox(ServiceTaxPercentBox)},
          {ServiceTaxCaption, "Tax Amt On Services:", box(ServiceTaxBox)},
          {ServicesWithTaxCaption, "Total:", taxBox(ServicesWithTaxBox)}}},
        {248, "Label7", "Product Sales Totals:", box(ProductSalesBox),
         {{ProductTaxPercentCaption, "Tax &Pct.", taxBox(ProductTaxPercentBox)},
          {ProductTaxCaption, "Tax Amt On Products:", box(ProductTaxBox)},
          {ProductsWithTaxCaption, "Total:", taxBox(ProductsWithTaxBox)}}},
    };
    QList<QLabel*> totalCaptions;
    for (const MoneyColumn& column : moneyColumns) {
        totalCaptions << label(QString::fromLatin1(column.name), QString::fromLatin1(column.caption), column.left,
                               top + 2, 130);
        at(column.total, column.left + 132, top, 100, 22);
        for (int row = 1; row <= 3; ++row) {
            const BillingRow& r = column.rows[row - 1];
            billing(r.caption, QString::fromLatin1(r.text), column.left, top + row * line + 2);
            at(r.box, column.left + 132, top + row * line, 100, 22);
        }
    }
    serviceTotalsLabel = totalCaptions.at(0);
    productSalesLabel = totalCaptions.at(1);
    at(box(ProductSalesPlainBox), 484, top, 70, 22);
    billingCaptions.value(ServiceTaxPercentCaption)->setBuddy(taxBox(ServiceTaxPercentBox));
    billingCaptions.value(ProductTaxPercentCaption)->setBuddy(taxBox(ProductTaxPercentBox));

    // The date-range find, beside the money.
    at(box(RangeFromBox), 572, top, 80, 22);
    dateRangeLabel = label("Label49", " From >  To", 654, top + 2, 64);
    at(box(RangeToBox), 718, top, 78, 22);
    dateFormatHint = label("Label22", "Format your dates like this Example:6/7/01 ", 572, top + line, 224, 30);
    dateFormatHint->setWordWrap(true);
    findDateRangeButton =
        button("Command7", "Find", "Find a date or appointments by range of dates", 572, top + line + 32, 60, 24);
    clearDateRangeButton = button("Command8", "Clear", "Click Clear and type in your dates.", 636, top + line + 32, 60, 24);
    appointmentsByDateButton =
        button("Command4", "Appts by Date", "Find all appointments by Date", 700, top + line + 32, 96, 24);

    // The month calendar, shown on request over the date-range find.
    appointmentCalendar = new qv::MonthCalendar(this);
    appointmentCalendar->setObjectName(QStringLiteral("MonthView1"));
    appointmentCalendar->setFirstDayOfWeek(Qt::Sunday);
    // Sundays stand out by their bold face alone, not by a weekend colour.
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        appointmentCalendar->setWeekdayTextFormat(day, appointmentCalendar->weekdayTextFormat(Qt::Monday));
    at(appointmentCalendar, 566, top, 230, 156);
    appointmentCalendar->hide();
    closeCalendarButton->hide();

    // The client history across the window, down to the record form's bars.
    top += 4 * line;
    label("lblAllAppointments", "All Appointments", 4, top, 200, 16);
    ticketGrid = new qv::DataGrid(this);
    ticketGrid->setObjectName(QStringLiteral("DataGrid1"));
    at(ticketGrid, 4, top + 18, 792, recordBarsTop - 4 - (top + 18));

    // The record form's own bars sit at the foot of the window (the template places them).
    refreshRecordsButton->setText(QStringLiteral("&All Clients"));
    refreshRecordsButton->setToolTip(QStringLiteral("Shows all the clients in the database"));
    addRecordButton->setToolTip(QStringLiteral("Create a ticket"));
    editRecordButton->setToolTip(QStringLiteral("Don't Forget to SUBTOTAL if you have edited any amounts!"));
    closeRecordWindowButton->setToolTip(QStringLiteral("Close and Exit the program"));

    // Tab order down the ticket: appointment, services, products, money.
    QList<QWidget*> order = {box(TicketNumberBox),    box(ClientNameBox),      box(ClientPhoneBox), box(SalonArtistBox),
                             box(AppointmentDateBox), box(AppointmentTimeBox), box(TimeBlockBox),   box(MemoBox)};
    for (int slot : {1, 2, 3, 4})
        order << serviceSlot(slot).name << serviceSlot(slot).price << serviceSlot(slot).quantity;
    for (int slot = 1; slot <= 5; ++slot)
        order << productSlot(slot).stockNumber << productSlot(slot).name << productSlot(slot).price
              << productSlot(slot).quantity;
    order << box(ServiceTotalsBox) << taxBox(ServiceTaxPercentBox) << box(ServiceTaxBox) << taxBox(ServicesWithTaxBox)
          << box(ProductSalesBox) << box(ProductSalesPlainBox) << taxBox(ProductTaxPercentBox) << box(ProductTaxBox)
          << taxBox(ProductsWithTaxBox) << box(TicketTotalBox) << box(TenderTotalBox) << box(TenderedBox)
          << box(ChangeBox) << box(RangeFromBox) << box(RangeToBox);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void AppointmentBook::connectHandlers()
{
    // Service quantities take a number as the price list posts one (digits
    // and one decimal point: "1.5" stays one and a half), service prices a
    // real number; the product boxes take any key.
    for (int index : {Service3QuantityBox, Service1QuantityBox, Service2QuantityBox, Service4QuantityBox}) {
        qv::TextBox* b = box(index);
        b->keyPress = [b](int& keyAscii) {
            if (keyAscii == KeyCode::Minus)
                keyAscii = KeyCode::Swallowed;
            else
                validateKeyPress(b, keyAscii, QStringLiteral("Real"));
        };
    }
    for (int index : {Service1PriceBox, Service2PriceBox, Service3PriceBox, Service4PriceBox}) {
        qv::TextBox* b = box(index);
        b->keyPress = [b](int& keyAscii) { validateKeyPress(b, keyAscii, QStringLiteral("Real")); };
    }
    for (qv::TextBox* b : std::as_const(taxBoxes)) {
        b->setSelectOnFocus(true);
        b->gotFocus = [b] { b->setStyleSheet(QStringLiteral("background-color: #FFFFFF;")); };
        b->lostFocus = [b] { b->setStyleSheet(QStringLiteral("background-color: #C0C0C0;")); };
    }

    onClick(subtotalButton, [this] { subtotal(); });
    onClick(changeButton, [this] { computeChange(); });
    onClick(printReceiptButton, [this] { printReceipt(); });
    onClick(tenderReceiptButton, [this] { printReceipt(); });
    onClick(findByPhoneButton, [this] { findByPhone(); });
    onClick(findByNameButton, [this] { findByClientName(); });
    onClick(findByTicketButton, [this] { findByTicketNumber(); });
    onClick(findDateRangeButton, [this] { findDateRange(); });
    onClick(clearDateRangeButton, [this] { clearDateRange(); });
    onClick(calendarButton, [this] {
        appointmentCalendar->show();
        appointmentCalendar->raise();
        closeCalendarButton->show();
        closeCalendarButton->raise();
    });
    onClick(closeCalendarButton, [this] {
        appointmentCalendar->hide();
        closeCalendarButton->hide();
    });
    auto showCalendarAndClear = [this] {
        appointmentCalendar->show();
        appointmentCalendar->raise();
        clearDateRangeButton->show();
    };
    new ClickFilter(tenderTotalsLabel, showCalendarAndClear);
    connect(calendarPicture, &qv::PictureBox::clicked, this,
            [showCalendarAndClear] { qv::Window::guard(showCalendarAndClear); });
    connect(appointmentCalendar, &qv::MonthCalendar::dayClicked, this,
            [this](const QDate& day) { qv::Window::guard([&] { takeDateFromCalendar(day); }); });
    connect(appointmentCalendar, &qv::MonthCalendar::monthShown, this,
            [this](int, int) { qv::Window::guard([this] { boldSundays(); }); });

    connect(blockList, &QComboBox::activated, this,
            [this](int) { guard([this] { takeTimeFromList(blockList, box(TimeBlockBox)); }); });
    connect(timeList, &QComboBox::activated, this,
            [this](int) { guard([this] { takeTimeFromList(timeList, box(AppointmentTimeBox)); }); });
    connect(blockList->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString&) { guard([this] { timeListEdited(blockList, box(TimeBlockBox)); }); });
    connect(timeList->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString&) { guard([this] { timeListEdited(timeList, box(AppointmentTimeBox)); }); });
    connect(artistList, &QComboBox::activated, this, [this](int) { guard([this] { copyArtistFromList(); }); });

    connect(ticketGrid, &qv::DataGrid::rowPicked, this, [this] { guard([this] { clearTenderedAndChange(); }); });
    connect(ticketGrid, &QAbstractItemView::clicked, this, [this](const QModelIndex&) {
        if (!editing())
            guard([this] { clearTenderedAndChange(); });
    });

    // Windows built on the book (the client window, the price list and the
    // product windows) are opened by name: the book cannot know their classes.
    auto opens = [this](QAbstractButton* b, const QString& name) {
        onClick(b, [name] { qv::Windows::show(name); });
    };
    opens(customersButton, QStringLiteral("frmCustomers"));
    opens(serviceMenuButton, QStringLiteral("frmServiceMenu1"));
    opens(newClientCheck, QStringLiteral("frmCustomers"));
    onClick(calculatorButton, [] { qv::Windows::show<Calculator>(); });
    onClick(scheduleButton, [] { qv::Windows::show<ScheduleCalendar>(); });
    onClick(aboutButton, [] { qv::Windows::show<AboutBox>(); });
    onClick(managementButton, [] { qv::Windows::show<UserLogin>(); });
    onClick(appointmentsByDateButton, [] { qv::Windows::show<DayView>(); });
    connect(tipsPicture, &qv::PictureBox::clicked, this,
            [] { guard([] { qv::Windows::show<AppointmentBookTips>(); }); });
    onClick(productMenuButton, [this] { countGuardedShow(QStringLiteral("FormProductsA")); });
    connect(nonRetailPicture, &qv::PictureBox::clicked, this,
            [this] { guard([this] { countGuardedShow(QStringLiteral("Form10")); }); });
    onClick(exitButton, [this] { exitProgram(); });
    onClick(helpButton, [this] { showHelpContents(); });
}

// ---------------------------------------------------------------- load

void AppointmentBook::formLoad()
{
    passOver([this] { removeCloseCommand(this); });
    passOver([this] {
        db = std::make_unique<qv::Connection>();
        db->open(connectionString());
    });
    // The recordset exists even when the file cannot be opened, so that the
    // buttons find one (and report or pass over its errors).
    primaryRecordset = std::make_shared<qv::Recordset>();
    connect(primaryRecordset.get(), &qv::Recordset::moveComplete, this, [this] { currentRecordChanged(); });
    connect(primaryRecordset.get(), &qv::Recordset::willChangeRecord, this,
            [this] { passOver([this] { recordAboutToChange(); }); });
    passOver([this] { primaryRecordset->open(recordSource(), *db); });
    passOver([this] { bindBoxes(); });
    // After the boxes' own hooks, so that it sees every text they put in.
    passOver([this] {
        primaryRecordset->addCommitHook([book = QPointer<AppointmentBook>(this)] {
            if (book)
                book->storeTicketTotals();
        });
    });
    passOver([this] { bindGridToChapter(); });
    passOver([this] { m_lookupConnection = lookupConnectionString(); });
    passOver([this] { loadArtistList(); });
    passOver([this] { clearTenderedAndChange(); });
    passOver([this] { boldSundays(); });
    passOver([this] { currentRecordChanged(); });
}

void AppointmentBook::bindBoxes()
{
    if (!primaryRecordset)
        return;
    for (const BoxSpec& s : kFields)
        if (s.field)
            passOver([&] { box(s.index)->bind(primaryRecordset.get(), QString::fromLatin1(s.field),
                                              QString::fromLatin1(s.format)); });
    for (const BoxSpec& s : kInputs)
        passOver([&] {
            taxBox(s.index)->bind(primaryRecordset.get(), QString::fromLatin1(s.field), QString::fromLatin1(s.format));
        });
}

// ---------------------------------------------------------------- grid

void AppointmentBook::bindGridTo(std::shared_ptr<qv::Recordset> rs, GridShows shows)
{
    m_gridShows = shows;
    ticketGrid->setDataSource(std::move(rs),
                              shows == GridShows::DateRange ? QList<qv::GridColumn>{} : historyColumns());
}

void AppointmentBook::unbindGrid()
{
    m_gridShows = GridShows::Nothing;
    ticketGrid->setDataSource(nullptr);
}

void AppointmentBook::bindGridToChapter()
{
    m_gridShows = GridShows::ClientHistory;
    const std::shared_ptr<qv::Recordset> chapter = currentChapter(QStringLiteral("ChildCMD"));
    bindGridTo(chapter, GridShows::ClientHistory);
}

// ---------------------------------------------------------------- record form

void AppointmentBook::setBrowsingButtons(bool flag)
{
    RecordForm::setBrowsingButtons(flag);
    // The finders move to another ticket, so they wait like the navigation.
    for (QPushButton* b : {findByPhoneButton, findByNameButton, findByTicketButton})
        if (b)
            b->setEnabled(flag);
}

void AppointmentBook::currentRecordChanged()
{
    passOver([this] { RecordForm::currentRecordChanged(); });
    // The client history follows the ticket shown.
    if (m_gridShows == GridShows::ClientHistory)
        passOver([this] { bindGridToChapter(); });
}

void AppointmentBook::formKeyDown(int& keyCode, int shift)
{
    passOver([&] { RecordForm::formKeyDown(keyCode, shift); });
}

void AppointmentBook::clearTenderedAndChange()
{
    box(TenderedBox)->setText(QString());
    box(ChangeBox)->setText(QString());
}

void AppointmentBook::showFirstRecord()
{
    clearTenderedAndChange();
    RecordForm::showFirstRecord();
}

void AppointmentBook::showLastRecord()
{
    clearTenderedAndChange();
    RecordForm::showLastRecord();
}

void AppointmentBook::showNextRecord()
{
    clearTenderedAndChange();
    RecordForm::showNextRecord();
}

void AppointmentBook::showPreviousRecord()
{
    clearTenderedAndChange();
    RecordForm::showPreviousRecord();
}

void AppointmentBook::addRecord()
{
    passOver([this] { clearTenderedAndChange(); });
    passOver([this] {
        if (!(primaryRecordset->bof() && primaryRecordset->eof()))
            bookmarkBeforeAdd = primaryRecordset->bookmark();
    });
    passOver([this] { primaryRecordset->addNew(); });
    recordStatusLabel->setText(QStringLiteral("Add record"));
    addingRecord = true;
    passOver([this] { setBrowsingButtons(false); });
    // The blank ticket stays current: the history shows its (empty) chapter.
    passOver([this] {
        unbindGrid();
        bindGridToChapter();
    });
}

void AppointmentBook::updateRecord()
{
    struct Required { int index; const char* message; };
    static const Required required[] = {
        {TicketNumberBox, "You have not entered a ticket for this client, click cancel or enter information."},
        {SalonArtistBox, "You have not entered Salon Artist, click cancel or enter information."},
        {ClientNameBox, "You have not entered Client Name, click cancel or enter information."},
        {ClientPhoneBox, "You have not entered Client Phone, click cancel or enter information."},
        {AppointmentDateBox, "You have not entered Appointment Date, click cancel or enter information."},
        {AppointmentTimeBox, "You have not entered Appointment Time, click cancel or enter information."},
        {TimeBlockBox, "You have not entered Appointment Block, click cancel or enter information."},
    };
    for (const Required& r : required) {
        if (box(r.index)->text().isEmpty()) {
            qv::ui().msgBox(QString::fromLatin1(r.message));
            return;
        }
    }
    QString services;
    for (int slot = 1; slot <= 4; ++slot)
        services += trimBlanks(serviceSlot(slot).name->text());
    if (trimBlanks(services).isEmpty()) {
        qv::ui().msgBox(QStringLiteral("You have not entered a service, click cancel or enter information."));
        return;
    }

    // A priced line without its quantity would be charged at nothing: the
    // ticket is not saved, and the focus waits in that quantity box.
    if (!computeTicketTotals())
        return;
    // A ticket the database refuses is not saved: say why and stay in
    // adding or editing, so that the user can mend it or cancel.
    try {
        primaryRecordset->updateBatch();
    } catch (const qv::Error& e) {
        qv::ui().msgBox(e.description());
        return;
    } catch (const std::exception& e) {
        qv::ui().msgBox(QString::fromLocal8Bit(e.what()));
        return;
    }
    if (addingRecord)
        passOver([this] { primaryRecordset->move(0); });
    editingRecord = false;
    addingRecord = false;
    // The ticket now holds its lines: their sales stay booked.
    m_giveBackOnDrop.clear();
    passOver([this] { setBrowsingButtons(true); });
    passOver([this] { primaryRecordset->move(0); });
    passOver([this] { bindGridToChapter(); });
    computeTicketTotals();
}

void AppointmentBook::cancelRecordChange()
{
    // A dropped new ticket leaves for the one shown before it, which was
    // never tendered for.
    if (addingRecord)
        passOver([this] { clearTenderedAndChange(); });
    cancelRereading([this] { unbindGrid(); }, [this] { bindGridToChapter(); });
    giveBackDroppedSales();
}

void AppointmentBook::onTicketDropped(std::function<void()> giveBack)
{
    if (editing())
        m_giveBackOnDrop << std::move(giveBack);
}

void AppointmentBook::giveBackDroppedSales()
{
    const QList<std::function<void()>> giveBacks = std::exchange(m_giveBackOnDrop, {});
    for (const std::function<void()>& giveBack : giveBacks)
        passOver(giveBack);
}

void AppointmentBook::refreshRecords()
{
    passOver([this] { clearTenderedAndChange(); });
    passOver([this] {
        primaryRecordset->moveNext();
        if (primaryRecordset->eof())
            primaryRecordset->moveFirst();
    });
    passOver([this] { unbindGrid(); });
    passOver([this] { primaryRecordset->requery(); });
    // Grid and boxes now share the recordset: a row picked is the ticket shown.
    passOver([this] { bindGridTo(primaryRecordset, GridShows::AllTickets); });
}

void AppointmentBook::closeRecordWindow() { exitProgram(); }

void AppointmentBook::exitProgram()
{
    // A ticket being added or edited is saved, dropped (its product sales
    // given back) or kept, as the user answers.
    if (!unloadOtherWindowsForExit(this))
        return;
    unbindGrid();
    unload();
    // A ticket the database refused keeps the book open: its client's
    // history comes back beside it.
    if (!isUnloading())
        passOver([this] { bindGridToChapter(); });
}

// ---------------------------------------------------------------- lists, calendar, buttons

void AppointmentBook::loadArtistList()
{
    EmployeeLookup employees;
    m_artists = employees.rows(m_lookupConnection);
    if (m_artists) {
        artistList->setRowSource(m_artists, QStringLiteral("FirstName"));
        artistList->setCurrentIndex(-1);   // nothing picked until the user picks
    }
}

void AppointmentBook::copyArtistFromList() { box(SalonArtistBox)->setBoxText(artistList->text()); }

void AppointmentBook::takeTimeFromList(QComboBox* list, qv::TextBox* target)
{
    target->setBoxText(list->currentText());
}

void AppointmentBook::timeListEdited(QComboBox* list, qv::TextBox* target)
{
    if (list->currentText().isEmpty())
        target->setBoxText(QString());
}

void AppointmentBook::takeDateFromCalendar(const QDate& day)
{
    box(AppointmentDateBox)->setBoxText(qv::formatValue(QDateTime(day, QTime(0, 0)), QStringLiteral("Short Date")));
}

QList<int> AppointmentBook::boldDayIndexes(int count, int startOfWeek)
{
    QList<int> indexes;
    for (int i = 1; i < count; i += 7)
        indexes << i - startOfWeek;
    return indexes;
}

void AppointmentBook::boldSundays()
{
    const int shownDays = 42;   // six weeks of seven days
    const QDate first = appointmentCalendar->firstShownDay();
    appointmentCalendar->clearBold();
    for (int index : boldDayIndexes(shownDays, 1))
        appointmentCalendar->setDayBold(first.addDays(index), true);
}

void AppointmentBook::countGuardedShow(const QString& windowName)
{
    m_queryText = QStringLiteral("SELECT count(*) FROM [StockControl]");
    if (countGuardedOpen(m_queryText))
        qv::Windows::show(windowName);
}

void AppointmentBook::showHelpContents()
{
    openHelpContents(this);
}
