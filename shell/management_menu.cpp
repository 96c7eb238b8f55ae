#include "shell/management_menu.h"

#include "common/connections.h"
#include "common/help_access.h"
#include "common/record_form.h"
#include "common/window_helpers.h"
#include "reports/commissions_report.h"
#include "reports/inventory_report.h"
#include "reports/memo_list_report.h"
#include "reports/products_services_report.h"
#include "reports/report_fill.h"
#include "reports/salon_schedule_report.h"
#include "shell/pictures.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

QV_REGISTER_WINDOW_AS(ManagementMenu, "frmmangement");

namespace {

// The menu's own pictures, drawn so that the program folder holds no image
// files of the program's.
enum class Picture {
    Users, Exit, Chart, Scissors, Book, Grid, Person, Calendar, Report, Box, Vendor, Asset, Stock, Coins, Help, Key,
    Calculator
};

// Widths of the toolbar's cells, in twips.
constexpr int kCaptionedCell = 780;
constexpr int kLabelledCell = 1110;

QPixmap drawPicture(Picture kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QColor ink(0x30, 0x30, 0x40);
    const auto person = [&](const QPointF& at, double scale, const QColor& coat) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf1, 0xc2, 0x9a));
        p.drawEllipse(at + QPointF(0, -s * 0.16 * scale), s * 0.13 * scale, s * 0.13 * scale);
        p.setBrush(coat);
        QPainterPath body;
        body.addRoundedRect(QRectF(at.x() - s * 0.22 * scale, at.y(), s * 0.44 * scale, s * 0.34 * scale),
                            s * 0.12 * scale, s * 0.12 * scale);
        p.drawPath(body);
    };
    switch (kind) {
    case Picture::Users:
        person(QPointF(s * 0.36, s * 0.50), 0.9, QColor(0x3d, 0x7a, 0xc4));
        person(QPointF(s * 0.64, s * 0.58), 0.9, QColor(0x4e, 0xa0, 0x58));
        break;
    case Picture::Person:
        person(QPointF(s * 0.5, s * 0.50), 1.2, QColor(0xb0, 0x45, 0x8c));
        break;
    case Picture::Exit: {
        p.setPen(QPen(ink, s / 16));
        p.setBrush(QColor(0xc8, 0x9b, 0x5e));
        p.drawRect(QRectF(s * 0.22, s * 0.12, s * 0.40, s * 0.76));
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), s / 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.48, s * 0.5), QPointF(s * 0.88, s * 0.5));
        p.drawLine(QPointF(s * 0.74, s * 0.36), QPointF(s * 0.88, s * 0.5));
        p.drawLine(QPointF(s * 0.74, s * 0.64), QPointF(s * 0.88, s * 0.5));
        break;
    }
    case Picture::Chart: {
        p.setPen(QPen(ink, s / 20));
        p.drawLine(QPointF(s * 0.12, s * 0.86), QPointF(s * 0.9, s * 0.86));
        const QColor bars[] = {QColor(0xe0, 0x6c, 0x3c), QColor(0x3d, 0x7a, 0xc4), QColor(0x4e, 0xa0, 0x58)};
        const double heights[] = {0.36, 0.62, 0.48};
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            p.setBrush(bars[i]);
            p.drawRect(QRectF(s * (0.18 + i * 0.24), s * (0.84 - heights[i]), s * 0.18, s * heights[i]));
        }
        break;
    }
    case Picture::Scissors:
        p.drawPixmap(0, 0, shell::logoPicture(size, size));
        break;
    case Picture::Book:
        p.drawPixmap(0, 0, shell::bookPicture(size));
        break;
    case Picture::Grid:
    case Picture::Calendar: {
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        const QRectF sheet(s * 0.12, s * 0.16, s * 0.76, s * 0.70);
        p.drawRect(sheet);
        p.setBrush(kind == Picture::Calendar ? QColor(0xc0, 0x30, 0x30) : QColor(0x3d, 0x7a, 0xc4));
        p.drawRect(QRectF(sheet.left(), sheet.top(), sheet.width(), s * 0.16));
        for (int i = 1; i < 4; ++i) {
            const double x = sheet.left() + sheet.width() * i / 4;
            p.drawLine(QPointF(x, sheet.top() + s * 0.16), QPointF(x, sheet.bottom()));
        }
        for (int i = 1; i < 3; ++i) {
            const double y = sheet.top() + s * 0.16 + (sheet.height() - s * 0.16) * i / 3;
            p.drawLine(QPointF(sheet.left(), y), QPointF(sheet.right(), y));
        }
        break;
    }
    case Picture::Report: {
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        QPainterPath page;
        page.moveTo(s * 0.22, s * 0.10);
        page.lineTo(s * 0.62, s * 0.10);
        page.lineTo(s * 0.80, s * 0.28);
        page.lineTo(s * 0.80, s * 0.90);
        page.lineTo(s * 0.22, s * 0.90);
        page.closeSubpath();
        p.drawPath(page);
        p.setPen(QPen(QColor(0x70, 0x70, 0x90), qMax(1.0, s / 32)));
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(s * 0.30, s * (0.36 + i * 0.11)), QPointF(s * 0.72, s * (0.36 + i * 0.11)));
        break;
    }
    case Picture::Box:
    case Picture::Stock: {
        const auto box = [&](const QRectF& r) {
            p.setPen(QPen(QColor(0x7a, 0x52, 0x26), 1));
            p.setBrush(QColor(0xd9, 0xa8, 0x62));
            p.drawRect(r);
            p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.top() + r.height() * 0.3));
        };
        if (kind == Picture::Box) {
            box(QRectF(s * 0.16, s * 0.26, s * 0.68, s * 0.56));
        } else {
            box(QRectF(s * 0.10, s * 0.52, s * 0.38, s * 0.34));
            box(QRectF(s * 0.52, s * 0.52, s * 0.38, s * 0.34));
            box(QRectF(s * 0.31, s * 0.16, s * 0.38, s * 0.34));
        }
        break;
    }
    case Picture::Vendor: {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xf4, 0xee, 0xd8));
        p.drawRoundedRect(QRectF(s * 0.10, s * 0.22, s * 0.80, s * 0.56), 3, 3);
        person(QPointF(s * 0.30, s * 0.50), 0.55, QColor(0x3d, 0x7a, 0xc4));
        p.setPen(QPen(QColor(0x70, 0x70, 0x90), qMax(1.0, s / 32)));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(s * 0.48, s * (0.38 + i * 0.12)), QPointF(s * 0.82, s * (0.38 + i * 0.12)));
        break;
    }
    case Picture::Asset: {
        // A salon chair.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8a, 0x1c, 0x3c));
        p.drawRoundedRect(QRectF(s * 0.28, s * 0.12, s * 0.44, s * 0.36), 4, 4);
        p.drawRoundedRect(QRectF(s * 0.22, s * 0.46, s * 0.56, s * 0.16), 4, 4);
        p.setBrush(QColor(0x90, 0x90, 0x98));
        p.drawRect(QRectF(s * 0.46, s * 0.62, s * 0.08, s * 0.18));
        p.drawRoundedRect(QRectF(s * 0.26, s * 0.80, s * 0.48, s * 0.08), 3, 3);
        break;
    }
    case Picture::Coins: {
        p.setPen(QPen(QColor(0x8a, 0x6a, 0x10), 1));
        p.setBrush(QColor(0xe8, 0xc2, 0x3a));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QRectF(s * 0.18, s * (0.56 - i * 0.14), s * 0.64, s * 0.26));
        QFont f = p.font();
        f.setPixelSize(int(s * 0.26));
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x5a, 0x40, 0x00));
        p.drawText(QRectF(s * 0.18, s * 0.28, s * 0.64, s * 0.26), Qt::AlignCenter, QStringLiteral("$"));
        break;
    }
    case Picture::Help: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3d, 0x7a, 0xc4));
        p.drawEllipse(QRectF(s * 0.10, s * 0.10, s * 0.80, s * 0.80));
        QFont f = p.font();
        f.setPixelSize(int(s * 0.56));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Picture::Key: {
        p.setPen(QPen(QColor(0x9a, 0x76, 0x10), s / 10, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(s * 0.30, s * 0.50), s * 0.15, s * 0.15);
        p.drawLine(QPointF(s * 0.45, s * 0.50), QPointF(s * 0.88, s * 0.50));
        p.drawLine(QPointF(s * 0.72, s * 0.50), QPointF(s * 0.72, s * 0.66));
        p.drawLine(QPointF(s * 0.84, s * 0.50), QPointF(s * 0.84, s * 0.62));
        break;
    }
    case Picture::Calculator: {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0x50, 0x58, 0x66));
        p.drawRoundedRect(QRectF(s * 0.22, s * 0.08, s * 0.56, s * 0.84), 4, 4);
        p.setBrush(QColor(0xc8, 0xe6, 0xc0));
        p.drawRect(QRectF(s * 0.30, s * 0.16, s * 0.40, s * 0.16));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xee, 0xee, 0xee));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(s * (0.30 + c * 0.14), s * (0.40 + r * 0.16), s * 0.10, s * 0.10));
        break;
    }
    }
    return pixmap;
}

} // namespace

ManagementMenu::ManagementMenu()
{
    // The window has no title text. The windowing system writes the
    // program's name into a title left empty, so the title is one blank.
    setWindowTitle(QStringLiteral(" "));
    setTwipsSize(11700, 8310);

    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);

    const auto pictureButton = [](QWidget* parent, const char* name, Picture picture, int iconPixels,
                                  const QString& tip) {
        auto* b = new QToolButton(parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(QIcon(drawPicture(picture, iconPixels)));
        b->setIconSize(QSize(iconPixels, iconPixels));
        b->setToolTip(tip);
        b->setAutoRaise(false);
        return b;
    };
    const auto label = [&small](QWidget* parent, const QString& text, Qt::Alignment align) {
        auto* l = new QLabel(text, parent);
        l->setWordWrap(true);
        l->setAlignment(align);
        l->setFont(small);
        return l;
    };

    // ---- The toolbar: a row of picture buttons, each with its label under it.
    toolbar = new QFrame(this);
    toolbar->setObjectName(QStringLiteral("CBLSalon"));
    toolbar->setFrameShape(QFrame::StyledPanel);
    toolbar->setFrameShadow(QFrame::Raised);
    qv::place(toolbar, 60, 60, 11580, 1230);
    struct ToolbarCell {
        QToolButton** button;
        const char* name;
        Picture picture;
        const char* caption;
        const char* tip;
        const char* label;
    };
    const ToolbarCell cells[] = {
        {&helpButton, "Command32", Picture::Help, "Help", "HELP!", nullptr},
        {&managementKeyButton, "Command19", Picture::Key, nullptr, nullptr, "Management"},
        {&toolbarCustomersButton, "Command18", Picture::Person, nullptr, "Customer Database", "Customer Database"},
        {&calculatorButton, "CmdCalulator", Picture::Calculator, nullptr, nullptr, "Calculator"},
        {&toolbarEmployeesButton, "Command17", Picture::Users, nullptr, "Employee Database", "Employee Database"},
        {&toolbarBusinessAssetsButton, "Cmdtavrine", Picture::Asset, nullptr, "Business Assets", "Business Assets"},
        {&toolbarAppointmentBookButton, "Command20", Picture::Book, nullptr, nullptr, "Appointment Book"},
        {&toolbarCalendarButton, "Command12", Picture::Calendar, nullptr, nullptr, "Calendar"},
        {&toolbarVendorsButton, "Command24", Picture::Vendor, nullptr, "Vendor Database", "Vendors"},
        {&toolbarProductInventoryButton, "Command25", Picture::Stock, nullptr, "Products Inventory",
         "Product Inventory"},
        {&toolbarExitButton, "Command23", Picture::Exit, "Exit", nullptr, nullptr},
    };
    // A captioned button (Help, Exit) needs no more room than its picture;
    // a labelled one leaves its label the room of its longest word.
    int left = 15;
    for (const ToolbarCell& cell : cells) {
        const QString tip = cell.tip ? QString::fromLatin1(cell.tip) : QString();
        QToolButton* b = pictureButton(toolbar, cell.name, cell.picture, 36, tip);
        if (cell.caption) {
            // A captioned button carries its text under its picture.
            b->setText(QString::fromLatin1(cell.caption));
            b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            qv::place(b, left + 15, 45, 750, 1110);
            left += kCaptionedCell;
        } else {
            qv::place(b, left + (kLabelledCell - 750) / 2, 45, 750, 750);
            QLabel* l = label(toolbar, QString::fromLatin1(cell.label), Qt::AlignHCenter | Qt::AlignTop);
            qv::place(l, left, 810, kLabelledCell, 390);
            left += kLabelledCell;
        }
        *cell.button = b;
    }

    // ---- Above the frames.
    userListButton = pictureButton(this, "Command31", Picture::Users, 30, QString());
    qv::place(userListButton, 120, 1380, 600, 600);
    qv::place(label(this, QStringLiteral("Add Users"), Qt::AlignLeft | Qt::AlignVCenter), 780, 1380, 1800, 600);
    serviceStatsButton = pictureButton(this, "Command11", Picture::Chart, 30, QStringLiteral("Employee Service Stats"));
    qv::place(serviceStatsButton, 2940, 1380, 600, 600);
    qv::place(label(this, QStringLiteral("Employee Service Stats"), Qt::AlignLeft | Qt::AlignVCenter), 3600, 1380,
              2400, 600);
    exitProgramButton = pictureButton(this, "Command4", Picture::Exit, 30, QString());
    exitProgramButton->setText(QStringLiteral("Exit Program"));
    exitProgramButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    qv::place(exitProgramButton, 9600, 1380, 1980, 600);

    // ---- The four frames, two by two; in each, buttons in two columns of
    // three with their labels beside them.
    struct FrameItem {
        QToolButton** button;
        const char* name;
        Picture picture;
        const char* tip;
        const char* label;
    };
    const auto frame = [&](QGroupBox** box, const char* name, const QString& title, int x, int y,
                           std::initializer_list<FrameItem> items) {
        auto* g = new QGroupBox(title, this);
        g->setObjectName(QString::fromLatin1(name));
        qv::place(g, x, y, 5730, 3060);
        int index = 0;
        for (const FrameItem& item : items) {
            const int column = index / 3, row = index % 3;
            const int bx = 150 + column * 2820, by = 360 + row * 930;
            QToolButton* b = pictureButton(g, item.name, item.picture, 36, QString::fromLatin1(item.tip));
            qv::place(b, bx, by, 750, 750);
            if (item.label)
                qv::place(label(g, QString::fromLatin1(item.label), Qt::AlignLeft | Qt::AlignVCenter), bx + 810, by,
                          1950, 750);
            *item.button = b;
            ++index;
        }
        *box = g;
    };
    frame(&salonFrame, "fraSalon", QStringLiteral("Salon"), 60, 2040,
          {{&servicePriceListButton, "Command28", Picture::Scissors, "Enter Services", "Service Menu"},
           {&appointmentManagerButton, "Command9", Picture::Grid, "Managers Datasheet for Appointment book.",
            "Manage Appointment form"},
           {&customersButton, "Command26", Picture::Person, "Customer Database",
            "Customer Database & Gift Certificates"},
           {&scheduleCalendarButton, "Command14", Picture::Calendar, "Salon Scheduler", "Salon Calendar and scheduler"},
           {&appointmentBookButton, "Command7", Picture::Book, "Appointment Book", "Appointment Book"}});
    frame(&reportsFrame, "fraReports", QStringLiteral("Reports"), 5910, 2040,
          {{&reportByDateButton, "Command30", Picture::Chart, "Totals of Services and Products sold", nullptr},
           {&memoListReportButton, "Command22", Picture::Report, "Memo list For Clients", "Memo List For Clients"},
           {&commissionsReportButton, "Command21", Picture::Report, "Employee Commissions", "Employee Commissions"},
           {&salonScheduleReportButton, "Command10", Picture::Report, "Salon Scheduler", "Salon Schedule"},
           {&inventoryReportButton, "Command6", Picture::Report, "Inventory", "Report of Inventory"},
           {&productsServicesReportButton, "Command5", Picture::Report, "Totals of Services and Products sold",
            "Totals of Products and Services sold"}});
    frame(&inventoryFrame, "fraInventory", QStringLiteral("Inventory"), 60, 5160,
          {{&nonRetailProductsButton, "Command29", Picture::Box, "Enter Products ", "Non Retail Products menu"},
           {&retailProductsButton, "Command27", Picture::Box, "Enter Products ", "Retail Products menu"},
           {&vendorsButton, "Command8", Picture::Vendor, "Vendor Database", "Vendor Address Book"},
           {&businessAssetsButton, "Command3", Picture::Asset, "Business Assets", "Equipment And Asset inventory"},
           {&productInventoryButton, "Command2", Picture::Stock, "Product Inventory", "Product Inventory"}});
    frame(&employeeFrame, "fraEmployee", QStringLiteral("Employee "), 5910, 5160,
          {{&employeesButton, "Command13", Picture::Users, "Employee Database", "Employee Database"},
           {&salonStatsButton, "Command16", Picture::Chart, "Salon Stats", "Salon Stats"},
           {&productStatsButton, "Command15", Picture::Chart, "Employee Products Stats", "Employee Products Stats"},
           {&commissionsButton, "Command1", Picture::Coins, "Commissions", "Commissions Earned"}});

    // ---- What the buttons do.
    const auto opens = [](QToolButton* b, const char* window) {
        const QString name = QString::fromLatin1(window);
        onClick(b, [name] { qv::Windows::show(name); });
    };
    opens(userListButton, "frmUsers");
    opens(serviceStatsButton, "frmServicemenu");
    opens(servicePriceListButton, "frmServiceMenu1");
    opens(appointmentManagerButton, "frmServicemenu3");
    opens(customersButton, "frmCustomers");
    opens(scheduleCalendarButton, "frmCalendar");
    opens(reportByDateButton, "FRMGETR");
    opens(vendorsButton, "Frmdatabase");
    opens(businessAssetsButton, "Form2");
    opens(productInventoryButton, "Form6a");
    opens(employeesButton, "frmEmployee");
    opens(salonStatsButton, "SalonStats");
    opens(productStatsButton, "chart2");
    opens(commissionsButton, "Frmcommissions");
    opens(toolbarCustomersButton, "frmCustomers");
    opens(calculatorButton, "Calculator");
    opens(toolbarEmployeesButton, "frmEmployee");
    opens(toolbarBusinessAssetsButton, "Form2");
    opens(toolbarCalendarButton, "frmCalendar");
    opens(toolbarVendorsButton, "Frmdatabase");
    opens(toolbarProductInventoryButton, "Form6a");

    onClick(exitProgramButton, [this] { exitProgram(); });
    onClick(appointmentBookButton, [this] { openAppointmentBookWhenTicketsHeld(); });
    onClick(toolbarAppointmentBookButton, [this] { openAppointmentBook(); });
    onClick(retailProductsButton, [this] { openRetailProducts(); });
    onClick(nonRetailProductsButton, [this] { openNonRetailProducts(); });
    onClick(memoListReportButton, [this] { printMemoList(); });
    onClick(commissionsReportButton, [this] { printCommissions(); });
    onClick(salonScheduleReportButton, [this] { printSalonSchedule(); });
    onClick(inventoryReportButton, [this] { printInventory(); });
    onClick(productsServicesReportButton, [this] { printProductsAndServices(); });
    onClick(helpButton, [this] { openHelp(); });
    onClick(managementKeyButton, [this] { redrawMenu(); });
    // The toolbar's "Exit" has nothing attached.
}

void ManagementMenu::formLoad()
{
    removeCloseCommand(this);
}

// ---------------------------------------------------------------- leaving

void ManagementMenu::exitProgram()
{
    if (!RecordForm::unloadOtherWindowsForExit(this))
        return;
    // The reports live only while their button runs: none is left to unload.
    unload();
}

void ManagementMenu::switchToAppointmentBook()
{
    // The menu gives way to the book only: without the book on screen the
    // program would be left with no window to go on from. The appointment
    // manager, which goes with the menu, is asked about its record first.
    if (!RecordForm::settleBeforeLeaving({qv::Windows::loaded(QStringLiteral("frmServicemenu3"))},
                                         QStringLiteral("Appointment Book"))
        || !qv::Windows::show(QStringLiteral("Form3")))
        return;
    qv::Windows::unload(QStringLiteral("frmServicemenu3"));
    unload();
}

void ManagementMenu::openAppointmentBookWhenTicketsHeld()
{
    if (countGuardedOpen(QStringLiteral("SELECT count(*) FROM [ServiceMenu]")))
        switchToAppointmentBook();
}

void ManagementMenu::openAppointmentBook()
{
    switchToAppointmentBook();
}

// ---------------------------------------------------------------- products

void ManagementMenu::openWhenStockHeld(const QString& window)
{
    if (countGuardedOpen(QStringLiteral("SELECT count(*) FROM [StockControl]")))
        qv::Windows::show(window);
}

void ManagementMenu::openRetailProducts() { openWhenStockHeld(QStringLiteral("FormProductsA")); }
void ManagementMenu::openNonRetailProducts() { openWhenStockHeld(QStringLiteral("Form10")); }

// ---------------------------------------------------------------- reports

void ManagementMenu::printMemoList()
{
    MemoListReport report;
    reportFill(report, QStringLiteral("SELECT * FROM ServiceMenu Order by DateAppointment"));
}

void ManagementMenu::printCommissions()
{
    CommissionsReport report;
    reportFill(report, QStringLiteral("SELECT * FROM Employees1 Order by LastName"));
}

void ManagementMenu::printSalonSchedule()
{
    SalonScheduleReport report;
    reportFill(report, QStringLiteral("SELECT * FROM Calendar  "));
}

void ManagementMenu::printInventory()
{
    InventoryReport report;
    reportFill(report, QStringLiteral("SELECT * FROM StockControl Order by Category,Date "));
}

void ManagementMenu::printProductsAndServices()
{
    ProductsServicesReport report;
    reportFill(report, QStringLiteral("SELECT * FROM ServiceMenu Order by DateAppointment"));
}

// ---------------------------------------------------------------- toolbar

void ManagementMenu::openHelp()
{
    openHelpContents(this);
}

void ManagementMenu::redrawMenu()
{
    // The key over "Management" stands for this window: it only draws it anew.
    repaint();
}
