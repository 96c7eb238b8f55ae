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

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>

QV_REGISTER_WINDOW(Form3);

namespace {

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
    {50, "CustomerID", "", "Enter Client Ticket"},
    {8, "CustomerName", "", "Enter Client Name "},
    {0, "CustomerPhone", "", "Enter Client Phone"},
    {1, "SalonArtist", "", ""},
    {5, "DateAppointment", "MMMM dd, yyyy", ""},
    {6, "TimeAppointment", "h:nn AM/PM", kTimeTip},
    {38, "TimeBlock", "h:nn AM/PM", kTimeTip},
    {19, "Memo", "", "Type in Memo"},
    {9, "Price", "\"$\"#,##0.00", ""},
    {27, "TaxTotals", "\"$\"#,##0.00", ""},
    {4, "ProductSales", "\"$\"#,##0.00", ""},
    {23, "ProductSales", "#,##0.00", ""},
    {39, "TaxTotals1", "\"$\"#,##0.00", ""},
    {2, "Totals", "\"$\"#,##0.00", ""},
    {47, "Totals", "\"$\"#,##0.00", ""},
    // Service slots: name, price, quantity.
    {7, "Service", "", "Enter Service"},
    {34, "ServicePrice1", "#,##0.00", "Enter Price"},
    {31, "QuantityService1", kQuantity, "Enter Quantity"},
    {28, "Service1", "", ""},
    {35, "ServicePrice2", "#,##0.00", ""},
    {32, "QuantityService2", kQuantity, "Enter Quantity"},
    {29, "Service2", "", ""},
    {36, "ServicePrice3", "#,##0.00", ""},
    {25, "QuantityService3", kQuantity, "Enter Quantity"},
    {30, "Service3", "", ""},
    {37, "ServicePrice4", "#,##0.00", ""},
    {33, "QuantityService4", kQuantity, "Enter Quantity"},
    // Product slots: stock number, name, price, quantity.
    {40, "SystemStockNumber", "", "Enter Stock#"},
    {3, "ProductsSold", "#,##0.00", "Enter Product"},
    {11, "ProductsPrice", "#,##0.00", "Enter Price"},
    {16, "Quantity", kQuantity, "Enter Quantity"},
    {41, "SystemStockNumber1", "", "Enter Stock#"},
    {10, "ProductsSold1", "#,##0.00", ""},
    {12, "ProductsPrice1", "#,##0.00", "Enter Price"},
    {20, "Quantity1", kQuantity, "Enter Quantity"},
    {42, "SystemStockNumber2", "", "Enter Stock#"},
    {18, "ProductsSold2", "#,##0.00", ""},
    {15, "ProductsPrice2", "#,##0.00", "Enter Price"},
    {21, "Quantity2", kQuantity, "Enter Quantity"},
    {43, "SystemStockNumber3", "", "Enter Stock#"},
    {13, "ProductsSold3", "#,##0.00", ""},
    {17, "ProductsPrice3", "#,##0.00", "Enter Price"},
    {22, "Quantity3", kQuantity, "Enter Quantity"},
    {44, "SystemStockNumber4", "", "Enter Stock#"},
    {14, "ProductsSold4", "#,##0.00", ""},
    {26, "ProductsPrice4", "#,##0.00", "Enter Price"},
    {24, "Quantity4", kQuantity, "Enter Quantity"},
    // Not stored: the tender and the date range of the date find.
    {46, nullptr, "", ""},
    {45, nullptr, "", ""},
    {48, nullptr, "", ""},
    {49, nullptr, "", ""},
};

const BoxSpec kInputs[] = {
    {0, "TaxPercent", "", ""},
    {1, "Taxamount", "\"$\"#,##0.00", ""},
    {2, "taxamount1", "\"$\"#,##0.00", ""},
    {3, "taxpercent1", "", ""},
};

// Service slots 1 to 4 and product slots 1 to 5, as box indexes.
const int kServiceBoxes[4][3] = {{7, 34, 31}, {28, 35, 32}, {29, 36, 25}, {30, 37, 33}};
const int kProductBoxes[5][4] = {{40, 3, 11, 16}, {41, 10, 12, 20}, {42, 18, 15, 21}, {43, 13, 17, 22}, {44, 14, 26, 24}};

const QStringList kHalfHours = {
    "8 Am", "8:30 Am", "9 Am", "9:30 Am", "10 Am", "10:30 Am", "11 Am", "11:30 Am", "12 Pm",
    "12:30 Pm", "1 Pm", "1:30 Pm", "2 Pm", "2:30 Pm", "3 Pm", "3:30 Pm", "4 Pm", "4:30 Pm",
    "5 Pm", "5:30 Pm", "6 Pm", "6:30 Pm", "7 Pm", "7:30 Pm", "8 Pm"};

const QList<qv::GridColumn>& historyColumns()
{
    static const QList<qv::GridColumn> columns = {
        {"CustomerID", "Ticket", "", 800},
        {"CustomerName", "Customer Name", "", 1700},
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

Form3::Form3(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Appointment book"));
    buildLayout();
    connectHandlers();
}

Form3::~Form3() = default;

QString Form3::connectionString() const { return shapeConnectionString(); }

QString Form3::recordSource() const
{
    return QStringLiteral("SHAPE {select *from Servicemenu} AS ParentCMD APPEND ({select *from Servicemenu } AS "
                          "ChildCMD RELATE CustomerName TO CustomerName) AS ChildCMD");
}

Form3::ServiceSlot Form3::serviceSlot(int slot) const
{
    if (slot < 1 || slot > 4)
        return {nullptr, nullptr, nullptr};
    const int* b = kServiceBoxes[slot - 1];
    return {box(b[0]), box(b[1]), box(b[2])};
}

Form3::ProductSlot Form3::productSlot(int slot) const
{
    if (slot < 1 || slot > 5)
        return {nullptr, nullptr, nullptr, nullptr};
    const int* b = kProductBoxes[slot - 1];
    return {box(b[0]), box(b[1]), box(b[2]), box(b[3])};
}

const QString Form3::kNoTicket =
    QStringLiteral("Open the Appointment form on a ticket first, then click the button again.");

bool Form3::showsTicket() const
{
    if (!adoPrimaryRS || !adoPrimaryRS->isOpen())
        return false;
    return adoPrimaryRS->editMode() == qv::EditMode::Add || adoPrimaryRS->hasCurrentRecord();
}

Form3* Form3::ticketForWriting()
{
    Form3* book = qv::Windows::loaded<Form3>();
    if (!book || !book->showsTicket()) {
        qv::ui().msgBox(kNoTicket);
        return nullptr;
    }
    return book;
}

std::optional<double> Form3::quantityToPost(const QString& typed)
{
    static const QRegularExpression plain(QStringLiteral("^\\s*(\\d+(\\.\\d*)?|\\.\\d+)\\s*$"));
    if (!plain.match(typed).hasMatch())
        return std::nullopt;
    const double quantity = qv::leadingNumber(typed);
    if (quantity < 1)
        return std::nullopt;
    return quantity;
}

bool Form3::slotOccupied(const qv::TextBox* quantity)
{
    return quantity && qv::leadingNumber(quantity->text()) >= 1;
}

// ---------------------------------------------------------------- layout

void Form3::buildLayout()
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
        QLabel* l = label(name, caption, x, 35, width, 26);
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
    setTwipsSize(800 * qv::kTwipsPerPixel, 596 * qv::kTwipsPerPixel);

    // Boxes first, so that the slot tables and the handlers find them.
    for (const BoxSpec& s : kFields) {
        qv::TextBox* b = s.field ? addField(s.index, QString::fromLatin1(s.field), QString::fromLatin1(s.format))
                                 : new qv::TextBox(this);
        if (!s.field)
            txtfields.insert(s.index, b);
        b->setParent(this);
        b->setObjectName(QStringLiteral("txtfields_%1").arg(s.index));
        if (*s.tooltip)
            b->setToolTip(QString::fromLatin1(s.tooltip));
        b->setSelectOnFocus(true);
    }
    for (const BoxSpec& s : kInputs) {
        auto* b = new qv::TextBox(this);
        b->setObjectName(QStringLiteral("txtinput_%1").arg(s.index));
        b->setStyleSheet(QStringLiteral("background-color: #E0E0E0;"));
        txtinput.insert(s.index, b);
    }

    // The navigation bar: picture buttons with their labels under them.
    struct BarButton { QPushButton** slot; const char* name; const char* label; const char* tip; QIcon icon; };
    const BarButton bar[] = {
        {&Command3, "Command3", "Customer Database", "Customer Database", style()->standardIcon(QStyle::SP_FileDialogContentsView)},
        {&Command2, "Command2", "Calculator", "Calculator", style()->standardIcon(QStyle::SP_ComputerIcon)},
        {&Cmdprint, "Cmdprint", "Print", "Print Receipt", printIcon()},
        {&Command13, "Command13", "Calendar", "Calendar for Sheduling employees.", style()->standardIcon(QStyle::SP_FileDialogDetailedView)},
        {&Command11, "Command11", "Find By Phone#", "Find Appointments by Phone#", style()->standardIcon(QStyle::SP_FileDialogInfoView)},
        {&Command12, "Command12", "Find By Name", "Find Appointments by Customer Names.", style()->standardIcon(QStyle::SP_FileDialogListView)},
        {&Command6, "Command6", "Find Ticket", "Find by ticket", style()->standardIcon(QStyle::SP_FileDialogStart)},
        {&Command1, "Command1", "About Quorvel", "About Quorvel", style()->standardIcon(QStyle::SP_MessageBoxInformation)},
    };
    int x = 4;
    for (const BarButton& b : bar) {
        *b.slot = button(QString::fromLatin1(b.name), QString(), QString::fromLatin1(b.tip), x + 10, 2, 40, 32);
        (*b.slot)->setIcon(b.icon);
        barLabel(QStringLiteral("lbl") + QString::fromLatin1(b.name), QString::fromLatin1(b.label), x, 60);
        x += 60;
    }
    // Eight picture buttons, the two menus and the padlock must all stay left
    // of "Exit Program", or the padlock ends up underneath it; the menus are
    // as wide as their captions need, so they are read whole.
    Command14 = button("Command14", "Product Menu", "Enter Products ", x + 2, 2, 84, 32);
    x += 86;
    Command15 = button("Command15", "Service Menu", "Enter Services", x + 2, 2, 84, 32);
    x += 86;
    // "Management" alone needs the whole gap up to "Exit Program" in 8-point
    // type, so the padlock sits over the middle of its caption there.
    Command10 = button("Command10", QString(), "Restricted to management", x + 2, 2, 40, 32);
    Command10->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    barLabel("lblCommand10", "Management Only", x - 16, 76);
    Command23 = button("Command23", "Exit Program", "Exit program", 716, 2, 80, 32);

    // The appointment.
    label("lblTicket", "Ticket #", 4, 66, 56);
    at(box(50), 60, 64, 80, 22);
    label("lblClientName", "Client Name", 148, 66, 72);
    at(box(8), 222, 64, 170, 22);
    label("lblClientPhone", "Client Phone #", 400, 66, 90);
    at(box(0), 490, 64, 110, 22);
    label("lblSalonArtist", "Salon Artist", 608, 66, 72);
    at(box(1), 682, 64, 114, 22);

    label("lblAppointments", "Appointments", 4, 92, 80);
    at(box(5), 84, 90, 150, 22);
    Command9 = button("Command9", "Calendar", "Select a Date for this appointment", 236, 90, 62, 22);
    label("lblTime", "Time ", 306, 92, 34);
    at(box(6), 340, 90, 70, 22);
    Combo3 = new QComboBox(this);
    label("lblBlock", "Block", 494, 92, 34);
    at(box(38), 528, 90, 70, 22);
    Combo1 = new QComboBox(this);
    for (auto [list, name, start, left] : {std::tuple{Combo1, "Combo1", "BLOCK", 600}, std::tuple{Combo3, "Combo3", "TIME", 412}}) {
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
        at(list, left, 90, 78, 22);
    }
    dcboCustomer = new qv::DataCombo(this);
    dcboCustomer->setObjectName(QStringLiteral("dcboCustomer"));
    dcboCustomer->setToolTip(QStringLiteral("Click on drop down list, or Enter Name into Textbox."));
    at(dcboCustomer, 682, 90, 114, 22);

    label("lblMemo", "Memo", 4, 118, 40);
    at(box(19), 84, 116, 580, 22);
    Check2 = new QCheckBox(this);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setToolTip(QStringLiteral("Click on button if this client is new."));
    Check2->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    at(Check2, 672, 116, 40, 22);

    // Service slots, two by two.
    for (int slot = 1; slot <= 4; ++slot) {
        const int left = (slot % 2 == 1) ? 4 : 402;
        const int top = (slot <= 2) ? 158 : 183;
        ServiceSlot s = serviceSlot(slot);
        at(s.name, left, top, 240, 22);
        at(s.price, left + 244, top, 86, 22);
        at(s.quantity, left + 334, top, 50, 22);
    }
    for (int left : {4, 402}) {
        label(QString("lblServiceHead%1").arg(left), "Service", left, 142, 240, 16);
        label(QString("lblPriceHead%1").arg(left), "Price", left + 244, 142, 86, 16);
        label(QString("lblQtyHead%1").arg(left), "Qty", left + 334, 142, 50, 16);
    }

    // Product slots, five columns.
    const char* const productCaptions[] = {"Product # One", "Product # 2", "Product # 3", "Product # 4", "Product # 5"};
    for (int slot = 1; slot <= 5; ++slot) {
        const int left = 4 + (slot - 1) * 159;
        label(QString("lblProduct%1").arg(slot), productCaptions[slot - 1], left, 210, 155, 16);
        ProductSlot p = productSlot(slot);
        at(p.stockNumber, left, 228, 56, 22);
        at(p.name, left + 58, 228, 97, 22);
        at(p.price, left, 252, 96, 22);
        at(p.quantity, left + 98, 252, 57, 22);
    }

    // Money of the ticket.
    Label10 = label("Label10", "Service Totals ", 4, 286, 130);
    at(box(9), 136, 284, 100, 22);
    auto billing = [&](int index, const QString& caption, int left, int top) {
        QLabel* l = label(QStringLiteral("lblBilling_%1").arg(index), caption, left, top, 130);
        lblBilling.insert(index, l);
        return l;
    };
    billing(0, "Tax &Pct.", 4, 310)->setBuddy(input(0));
    at(input(0), 136, 308, 100, 22);
    billing(5, "Tax Amt On Services:", 4, 334);
    at(box(27), 136, 332, 100, 22);
    billing(1, "Total:", 4, 358);
    at(input(1), 136, 356, 100, 22);

    Label7 = label("Label7", "Product Sales Totals:", 248, 286, 130);
    at(box(4), 380, 284, 100, 22);
    at(box(23), 484, 284, 70, 22);
    billing(3, "Tax &Pct.", 248, 310)->setBuddy(input(3));
    at(input(3), 380, 308, 100, 22);
    billing(4, "Tax Amt On Products:", 248, 334);
    at(box(39), 380, 332, 100, 22);
    billing(2, "Total:", 248, 358);
    at(input(2), 380, 356, 100, 22);

    Label5 = label("Label5", "Total Ticket:", 566, 286, 90);
    at(box(2), 656, 284, 110, 22);
    Command5 = button("Command5", "Subtotal", QString(), 656, 310, 110, 26);

    // The tender row.
    Image2 = new qv::PictureBox(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(20, 20));
    at(Image2, 4, 388, 22, 22);
    Label2 = label("Label2", "Totals:", 30, 390, 48);
    at(box(47), 80, 388, 100, 22);
    Label56 = label("Label56", "Amount Tendered:", 190, 390, 110);
    at(box(46), 300, 388, 100, 22);
    Command17 = button("Command17", "$", QString(), 404, 388, 26, 22);
    Label55 = label("Label55", "Change:", 440, 390, 52);
    at(box(45), 494, 388, 100, 22);
    Command16 = button("Command16", QString(), "Print Receipt?", 600, 388, 30, 22);
    Command16->setIcon(printIcon());

    // The grid and the date-range find.
    label("lblAllAppointments", "All Appointments", 4, 416, 200);
    DataGrid1 = new qv::DataGrid(this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    at(DataGrid1, 4, 434, 560, 108);

    at(box(48), 572, 418, 80, 22);
    Label49 = label("Label49", " From >  To", 654, 420, 64);
    at(box(49), 718, 418, 78, 22);
    Label22 = label("Label22", "Format your dates like this Example:6/7/01 ", 572, 442, 224, 30);
    Label22->setWordWrap(true);
    Command7 = button("Command7", "Find", "Find a date or appointments by range of dates", 572, 474, 60, 24);
    Command8 = button("Command8", "Clear", "Click Clear and type in your dates.", 636, 474, 60, 24);
    Command4 = button("Command4", "Appts by Date", "Find all appointments by Date", 700, 474, 96, 24);
    Command19 = button("Command19", "Help", "HELP!", 572, 504, 60, 24);
    Image9 = new qv::PictureBox(this);
    Image9->setObjectName(QStringLiteral("Image9"));
    Image9->setPixmap(bulbPicture());
    at(Image9, 640, 504, 24, 24);
    Picture13 = new qv::PictureBox(this);
    Picture13->setObjectName(QStringLiteral("Picture13"));
    Picture13->setPixmap(boxesPicture());
    at(Picture13, 672, 504, 24, 24);

    // The month calendar, shown on request above the money boxes.
    MonthView1 = new qv::MonthCalendar(this);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setFirstDayOfWeek(Qt::Sunday);
    // Sundays stand out by their bold face alone, not by a weekend colour.
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        MonthView1->setWeekdayTextFormat(day, MonthView1->weekdayTextFormat(Qt::Monday));
    at(MonthView1, 566, 414, 230, 156);
    MonthView1->hide();
    CmdX = button("CmdX", "X", QString(), 776, 392, 20, 20);
    CmdX->hide();

    // The record form's own bars sit at the foot of the window (the template places them).
    cmdRefresh->setText(QStringLiteral("&All Clients"));
    cmdRefresh->setToolTip(QStringLiteral("Shows all the clients in the database"));
    cmdAdd->setToolTip(QStringLiteral("Create a ticket"));
    cmdEdit->setToolTip(QStringLiteral("Don't Forget to SUBTOTAL if you have edited any amounts!"));
    cmdClose->setToolTip(QStringLiteral("Close and Exit the program"));

    // Tab order down the ticket: appointment, services, products, money.
    QList<QWidget*> order = {box(50), box(8), box(0), box(1), box(5), box(6), box(38), box(19)};
    for (int slot : {1, 2, 3, 4})
        order << serviceSlot(slot).name << serviceSlot(slot).price << serviceSlot(slot).quantity;
    for (int slot = 1; slot <= 5; ++slot)
        order << productSlot(slot).stockNumber << productSlot(slot).name << productSlot(slot).price
              << productSlot(slot).quantity;
    order << box(9) << input(0) << box(27) << input(1) << box(4) << box(23) << input(3) << box(39) << input(2)
          << box(2) << box(47) << box(46) << box(45) << box(48) << box(49);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form3::connectHandlers()
{
    // Service quantities take digits, service prices a real number; the
    // product boxes take any key.
    for (int index : {25, 31, 32, 33}) {
        qv::TextBox* b = box(index);
        b->keyPress = [b](int& keyAscii) { ValidateKeyPress(b, keyAscii, QStringLiteral("Int")); };
    }
    for (int index : {34, 35, 36, 37}) {
        qv::TextBox* b = box(index);
        b->keyPress = [b](int& keyAscii) { ValidateKeyPress(b, keyAscii, QStringLiteral("Real")); };
    }
    for (qv::TextBox* b : std::as_const(txtinput)) {
        b->setSelectOnFocus(true);
        b->gotFocus = [b] { b->setStyleSheet(QStringLiteral("background-color: #FFFFFF;")); };
        b->lostFocus = [b] { b->setStyleSheet(QStringLiteral("background-color: #C0C0C0;")); };
    }

    onClick(Command5, [this] { Command5_Click(); });
    onClick(Command17, [this] { Command17_Click(); });
    onClick(Cmdprint, [this] { PrintReceipt(); });
    onClick(Command16, [this] { PrintReceipt(); });
    onClick(Command11, [this] { Command11_Click(); });
    onClick(Command12, [this] { Command12_Click(); });
    onClick(Command6, [this] { Command6_Click(); });
    onClick(Command7, [this] { Command7_Click(); });
    onClick(Command8, [this] { Command8_Click(); });
    onClick(Command9, [this] {
        MonthView1->show();
        MonthView1->raise();
        CmdX->show();
        CmdX->raise();
    });
    onClick(CmdX, [this] {
        MonthView1->hide();
        CmdX->hide();
    });
    auto showCalendarAndClear = [this] {
        MonthView1->show();
        MonthView1->raise();
        Command8->show();
    };
    new ClickFilter(Label2, showCalendarAndClear);
    connect(Image2, &qv::PictureBox::clicked, this, [showCalendarAndClear] { qv::Window::guard(showCalendarAndClear); });
    connect(MonthView1, &qv::MonthCalendar::dayClicked, this,
            [this](const QDate& day) { qv::Window::guard([&] { MonthView1_DateClick(day); }); });
    connect(MonthView1, &qv::MonthCalendar::monthShown, this,
            [this](int, int) { qv::Window::guard([this] { MonthView1_GetDayBold(); }); });

    connect(Combo1, &QComboBox::activated, this, [this](int) { guard([this] { Combo_Click(Combo1, box(38)); }); });
    connect(Combo3, &QComboBox::activated, this, [this](int) { guard([this] { Combo_Click(Combo3, box(6)); }); });
    connect(Combo1->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString&) { guard([this] { Combo_Change(Combo1, box(38)); }); });
    connect(Combo3->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString&) { guard([this] { Combo_Change(Combo3, box(6)); }); });
    connect(dcboCustomer, &QComboBox::activated, this, [this](int) { guard([this] { CopyArtistFromList(); }); });

    // A click in the grid would move off the ticket while it is being
    // written; it is refused then, like the navigation buttons.
    DataGrid1->beforeRowPick = [this] { return !editing(); };
    connect(DataGrid1, &qv::DataGrid::rowPicked, this, [this] { guard([this] { ClearTenderedAndChange(); }); });
    connect(DataGrid1, &QAbstractItemView::clicked, this, [this](const QModelIndex&) {
        if (!editing())
            guard([this] { ClearTenderedAndChange(); });
    });

    // Windows of the front desk, opened by name.
    auto opens = [this](QAbstractButton* b, const QString& name) {
        onClick(b, [name] { qv::Windows::show(name); });
    };
    opens(Command3, QStringLiteral("frmCustomers"));
    opens(Command2, QStringLiteral("Calculator"));
    opens(Command13, QStringLiteral("frmCalendar"));
    opens(Command1, QStringLiteral("frmAbout"));
    opens(Command15, QStringLiteral("frmServiceMenu1"));
    opens(Command10, QStringLiteral("frmLogin"));
    opens(Command4, QStringLiteral("Form7"));
    opens(Check2, QStringLiteral("frmCustomers"));
    connect(Image9, &qv::PictureBox::clicked, this, [] { guard([] { qv::Windows::show(QStringLiteral("frmTip1")); }); });
    onClick(Command14, [this] { countGuardedShow(QStringLiteral("FormProductsA")); });
    connect(Picture13, &qv::PictureBox::clicked, this,
            [this] { guard([this] { countGuardedShow(QStringLiteral("Form10")); }); });
    onClick(Command23, [this] { ExitProgram(); });
    onClick(Command19, [this] { ShowHelpContents(); });
}

// ---------------------------------------------------------------- load

void Form3::formLoad()
{
    passOver([this] { RemoveCloseCommand(this); });
    passOver([this] {
        db = std::make_unique<qv::Connection>();
        db->open(connectionString());
    });
    // The recordset exists even when the file cannot be opened, so that the
    // buttons find one (and report or pass over its errors).
    adoPrimaryRS = std::make_shared<qv::Recordset>();
    connect(adoPrimaryRS.get(), &qv::Recordset::moveComplete, this, [this] { adoPrimaryRS_MoveComplete(); });
    connect(adoPrimaryRS.get(), &qv::Recordset::willChangeRecord, this,
            [this] { passOver([this] { adoPrimaryRS_WillChangeRecord(); }); });
    passOver([this] { adoPrimaryRS->open(recordSource(), *db); });
    passOver([this] { bindBoxes(); });
    passOver([this] { bindGridToChapter(); });
    passOver([this] { m_lookupConnection = lookupConnectionString(); });
    passOver([this] { LoadArtistList(); });
    passOver([this] { ClearTenderedAndChange(); });
    passOver([this] { MonthView1_GetDayBold(); });
    passOver([this] { adoPrimaryRS_MoveComplete(); });
}

void Form3::bindBoxes()
{
    if (!adoPrimaryRS)
        return;
    for (const BoxSpec& s : kFields)
        if (s.field)
            passOver([&] { box(s.index)->bind(adoPrimaryRS.get(), QString::fromLatin1(s.field), QString::fromLatin1(s.format)); });
    for (const BoxSpec& s : kInputs)
        passOver([&] { input(s.index)->bind(adoPrimaryRS.get(), QString::fromLatin1(s.field), QString::fromLatin1(s.format)); });
}

// ---------------------------------------------------------------- grid

void Form3::bindGridTo(std::shared_ptr<qv::Recordset> rs, GridShows shows)
{
    m_gridShows = shows;
    DataGrid1->setDataSource(std::move(rs), shows == GridShows::DateRange ? QList<qv::GridColumn>{} : historyColumns());
}

void Form3::unbindGrid()
{
    m_gridShows = GridShows::Nothing;
    DataGrid1->setDataSource(nullptr);
}

void Form3::bindGridToChapter()
{
    m_gridShows = GridShows::ClientHistory;
    const std::shared_ptr<qv::Recordset> chapter = currentChapter(QStringLiteral("ChildCMD"));
    bindGridTo(chapter, GridShows::ClientHistory);
}

// ---------------------------------------------------------------- record form

void Form3::SetButtons(bool flag)
{
    RecordForm::SetButtons(flag);
    // The finders move to another ticket, so they wait like the navigation.
    for (QPushButton* b : {Command11, Command12, Command6})
        if (b)
            b->setEnabled(flag);
}

void Form3::adoPrimaryRS_MoveComplete()
{
    passOver([this] { RecordForm::adoPrimaryRS_MoveComplete(); });
    // The client history follows the ticket shown.
    if (m_gridShows == GridShows::ClientHistory)
        passOver([this] { bindGridToChapter(); });
}

void Form3::formKeyDown(int& keyCode, int shift)
{
    passOver([&] { RecordForm::formKeyDown(keyCode, shift); });
}

void Form3::ClearTenderedAndChange()
{
    box(46)->setText(QString());
    box(45)->setText(QString());
}

void Form3::cmdFirst_Click()
{
    ClearTenderedAndChange();
    RecordForm::cmdFirst_Click();
}

void Form3::cmdLast_Click()
{
    ClearTenderedAndChange();
    RecordForm::cmdLast_Click();
}

void Form3::cmdNext_Click()
{
    ClearTenderedAndChange();
    RecordForm::cmdNext_Click();
}

void Form3::cmdPrevious_Click()
{
    ClearTenderedAndChange();
    RecordForm::cmdPrevious_Click();
}

void Form3::cmdAdd_Click()
{
    passOver([this] { ClearTenderedAndChange(); });
    passOver([this] {
        if (!(adoPrimaryRS->bof() && adoPrimaryRS->eof()))
            SavedBookmark = adoPrimaryRS->bookmark();
    });
    passOver([this] { adoPrimaryRS->addNew(); });
    lblStatus->setText(QStringLiteral("Add record"));
    AddNewFlag = true;
    passOver([this] { SetButtons(false); });
    // The blank ticket stays current: the history shows its (empty) chapter.
    passOver([this] {
        unbindGrid();
        bindGridToChapter();
    });
}

void Form3::cmdUpdate_Click()
{
    struct Required { int index; const char* message; };
    static const Required required[] = {
        {50, "You have not entered a ticket for this client, click cancel or enter information."},
        {1, "You have not entered Salon Artist, click cancel or enter information."},
        {8, "You have not entered Client Name, click cancel or enter information."},
        {0, "You have not entered Client Phone, click cancel or enter information."},
        {5, "You have not entered Appointment Date, click cancel or enter information."},
        {6, "You have not entered Appointment Time, click cancel or enter information."},
        {38, "You have not entered Appointment Block, click cancel or enter information."},
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
    if (!CalcTicketTotals())
        return;
    // A ticket the database refuses is not saved: say why and stay in
    // adding or editing, so that the user can mend it or cancel.
    try {
        adoPrimaryRS->updateBatch();
    } catch (const qv::Error& e) {
        qv::ui().msgBox(e.description());
        return;
    } catch (const std::exception& e) {
        qv::ui().msgBox(QString::fromLocal8Bit(e.what()));
        return;
    }
    if (AddNewFlag)
        passOver([this] { adoPrimaryRS->move(0); });
    EditFlag = false;
    AddNewFlag = false;
    passOver([this] { SetButtons(true); });
    passOver([this] { adoPrimaryRS->move(0); });
    passOver([this] { bindGridToChapter(); });
    CalcTicketTotals();
}

void Form3::cmdCancel_Click()
{
    cancelRereading([this] { unbindGrid(); }, [this] { bindGridToChapter(); });
}

void Form3::cmdRefresh_Click()
{
    passOver([this] {
        adoPrimaryRS->moveNext();
        if (adoPrimaryRS->eof())
            adoPrimaryRS->moveFirst();
    });
    passOver([this] { unbindGrid(); });
    passOver([this] { adoPrimaryRS->requery(); });
    // Grid and boxes now share the recordset: a row picked is the ticket shown.
    passOver([this] { bindGridTo(adoPrimaryRS, GridShows::AllTickets); });
}

void Form3::cmdClose_Click() { ExitProgram(); }

void Form3::ExitProgram()
{
    const QList<qv::Window*> windows = qv::Windows::all();
    for (qv::Window* w : windows)
        if (w != this && qv::Windows::all().contains(w))
            w->unload();
    unbindGrid();
    unload();
    // A ticket the database refused keeps the book open: its client's
    // history comes back beside it.
    if (!isUnloading())
        passOver([this] { bindGridToChapter(); });
}

void Form3::formUnload(bool& cancel)
{
    RecordForm::formUnload(cancel);
    // The refused ticket stays on screen in editing, so that it is mended
    // and saved with Update, or dropped with Cancel, and never lost unseen.
    if (cancel && !editing()) {
        EditFlag = true;
        lblStatus->setText(QStringLiteral("Edit record"));
        passOver([this] { SetButtons(false); });
    }
}

// ---------------------------------------------------------------- lists, calendar, buttons

void Form3::LoadArtistList()
{
    ClassEmployees employees;
    m_artists = employees.rsemployee(m_lookupConnection);
    if (m_artists) {
        dcboCustomer->setRowSource(m_artists, QStringLiteral("FirstName"));
        dcboCustomer->setCurrentIndex(-1);   // nothing picked until the user picks
    }
}

void Form3::CopyArtistFromList() { box(1)->setBoxText(dcboCustomer->text()); }

void Form3::Combo_Click(QComboBox* list, qv::TextBox* target) { target->setBoxText(list->currentText()); }

void Form3::Combo_Change(QComboBox* list, qv::TextBox* target)
{
    if (list->currentText().isEmpty())
        target->setBoxText(QString());
}

void Form3::MonthView1_DateClick(const QDate& day)
{
    box(5)->setBoxText(qv::formatValue(QDateTime(day, QTime(0, 0)), QStringLiteral("Short Date")));
}

QList<int> Form3::boldDayIndexes(int count, int startOfWeek)
{
    QList<int> indexes;
    for (int i = 1; i < count; i += 7)
        indexes << i - startOfWeek;
    return indexes;
}

void Form3::MonthView1_GetDayBold()
{
    const int shownDays = 42;   // six weeks of seven days
    const QDate first = MonthView1->firstShownDay();
    MonthView1->clearBold();
    for (int index : boldDayIndexes(shownDays, 1))
        MonthView1->setDayBold(first.addDays(index), true);
}

void Form3::countGuardedShow(const QString& windowName)
{
    m_queryText = QStringLiteral("SELECT count(*) FROM [StockControl]");
    if (countGuardedOpen(m_queryText))
        qv::Windows::show(windowName);
}

void Form3::ShowHelpContents()
{
    openHelpContents(this);
}
