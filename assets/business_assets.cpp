#include "assets/business_assets.h"

#include "assets/system_programs.h"
#include "common/connections.h"
#include "common/find_by_text.h"
#include "common/pass_over.h"
#include "common/picture_viewport.h"
#include "common/drawn_pictures.h"
#include "common/window_helpers.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/print/rich_text_box.h"
#include "platform/services/services.h"
#include "platform/values/clock.h"
#include "platform/values/convert.h"
#include "reports/business_asset_report.h"
#include "reports/business_totals_report.h"
#include "reports/report_fill.h"
#include "appointments/appointment_book.h"
#include "customers/customer_window.h"
#include "inventory/inventory_master.h"
#include "inventory/vendor_book.h"
#include "shell/calculator.h"
#include "shell/help_window.h"
#include "shell/management_menu.h"
#include "shell/picture_browser.h"
#include "shell/tip_of_day.h"
#include "staff/employee_window.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>

QV_REGISTER_WINDOW_AS(BusinessAssets, "Form2");

namespace {

using enum BusinessAssets::Box;
using enum BusinessAssets::Caption;

// The window's own colour, and the other box colours it uses.
const char* const kBackground = "#BAC9D1";
const char* const kWhite = "#FFFFFF";
const char* const kPathColour = "#E0E0E0";
const char* const kSecondOnOff = "#ACAFD2";
const char* const kGrey = "#C0C0C0";
const char* const kMoney = "\"$\"#,##0.00";
const char* const kDate = "M/d/yy";
const char* const kReportQuery = "SELECT * FROM Business";
// What a list's own text box held when it was last clicked.
const char* const kTextAtLastClick = "qvTextAtLastClick";

void paint(QWidget* box, const char* colour)
{
    box->setStyleSheet(QStringLiteral("background-color: %1;").arg(QLatin1String(colour)));
}

// The item's column: captions, then boxes.
constexpr int kCaptionWidth = 1890;
constexpr int kBoxLeft = 2040;
constexpr int kBoxWidth = 2100;

struct FieldRow {
    int label;
    const char* caption;
    int box;
    const char* field;
    const char* format;
};

// The item's column of fields, top to bottom (also the tab order).
const FieldRow kItemRows[] = {
    {CategoryCaption, "Category:", CategoryBox, "Category", ""},
    {LocationCaption, "Location:", LocationBox, "Location", ""},
    {ItemNameCaption, "ItemID:", ItemNameBox, "ItemName", ""},
    {ItemDescriptionCaption, "Item Description:", ItemDescriptionBox, "ItemDescription", ""},
    {ManufacturerCaption, "Manufacturer:", ManufacturerBox, "Manufacturer", ""},
    {ModelCaption, "Model:", ModelBox, "Model", ""},
    {SerialVinCaption, "SerialVin:", SerialVinBox, "SerialVin", ""},
    {PurchasePriceCaption, "Purchase Price:", PurchasePriceBox, "PurchasePrice", kMoney},
    {PurchaseDateCaption, "Purchase Date:", PurchaseDateBox, "PurchaseDate", kDate},
    {PurchasedFromCaption, "Purchased From:", PurchasedFromBox, "PurchasedFrom", ""},
    {ReplacementCostCaption, "Replacement Cost:", ReplacementCostBox, "ReplacementCost", kMoney},
    {AppraisedValueCaption, "Appraised Value:", AppraisedValueBox, "AppraisedValue", kMoney},
    {AppraisalDateCaption, "Appraisal Date:", AppraisalDateBox, "AppraisalDate", kDate},
    {AppraisedByCaption, "Appraised By:", AppraisedByBox, "AppriasedBy", ""},
    {MethodOfPaymentCaption, "Method of Payment:", MethodOfPaymentBox, "MethodofPayment", ""},
};

// The business panel's fields.
const FieldRow kBusinessRows[] = {
    {BusinessNameCaption, "Business_Name:", BusinessNameBox, "Business_Name", ""},
    {AddressCaption, "Address:", AddressBox, "Address", ""},
    {CityCaption, "City:", CityBox, "City", ""},
    {StateCaption, "State:", StateBox, "State", ""},
    {ZipCaption, "Zip:", ZipBox, "Zip", ""},
};

// Each column holds its caption and the longest value a salon writes in it
// (a category of the list, a price in the thousands), with room to spare
// for type that grows faster than the grid on a wide screen.
const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        {"Business_Name", "Business Name", "", 1900},
        {"Category", "Category", "", 2000},
        {"Location", "Location", "", 2000},
        {"ItemName", "Item Name", "", 2000},
        {"ItemDescription", "Item Description", "", 3100},
        {"Manufacturer", "Manufacturer", "", 1600},
        {"Model", "Model", "", 1400},
        {"SerialVin", "Serial/Vin", "", 1600},
        {"PurchaseDate", "Purchase Date", "", 1500},
        {"PurchasePrice", "Purchase Price", kMoney, 1500},
        {"PurchasedFrom", "Purchased From", "", 1700},
        {"ReplacementCost", "Replacement Cost", kMoney, 1850},
        {"AppriasedBy", "Appraised By", "", 1600},
        {"AppraisalDate", "Appraised Date", "", 1600},
        {"AppraisedValue", "Appraised Value", kMoney, 1650},
        {"On_OffSite", "On Off Site", "", 1300},
        {"Imagekey", "Image Key", "", 2400},
        {"Address", "Address", "", 1900},
        {"City", "City", "", 1500},
        {"State", "State", "", 1000},
        {"Zip", "Zip", "", 1200},
    };
    return columns;
}

const QStringList kCategories = {"Appliances", "Art/Pictures", "Collectibles", "Computer Equipment",
                                 "Electronics", "Furniture", "Guns", "HairDryers", "Office Equipment", "Other",
                                 "Sculpture", "Sports Equipment", "Supplies", "Vehicle"};
const QStringList kLocations = {"Atrium/Entry", "Auditorium", "Bath", "Business suite", "Closet", "Courtyard",
                                "Dining Room", "Game Rooms", "Garage/Storage Area", "Gym", "Home Office",
                                "Kitchen", "Library", "Other Room", "Salon", "Supply Room", "Terrace/Patio"};
const QStringList kOnOff = {"Off Site", "On"};

} // namespace

BusinessAssets::BusinessAssets(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Business"));
    buildLayout();
    connectHandlers();
}

BusinessAssets::~BusinessAssets() = default;

QString BusinessAssets::connectionString() const { return recordWindowConnectionString(); }

QString BusinessAssets::recordSource() const { return QStringLiteral("SELECT*FROM [Business]"); }

// ---------------------------------------------------------------- layout

void BusinessAssets::buildLayout()
{
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(kBackground));
    setPalette(pal);
    setTwipsSize(11940, 8490);

    auto label = [&](const QString& name, const QString& caption, int left, int top, int width, int height = 255,
                     QWidget* parent = nullptr) {
        auto* l = new QLabel(caption, parent ? parent : this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        qv::place(l, left, top, width, height);
        return l;
    };
    auto box = [&](const FieldRow& row) {
        qv::TextBox* b = addField(row.box, QString::fromLatin1(row.field), QString::fromLatin1(row.format));
        b->setSelectOnFocus(true);
        paint(b, kBackground);
        return b;
    };

    buildBar();

    headingLabel = label("Label1", "Business Assets and Equipment Inventory", 120, 1000, 6120, 300);
    QFont heading = windowFont;
    heading.setPointSize(10);
    heading.setBold(true);
    headingLabel->setFont(heading);

    // The item's fields, with the clear buttons and lists beside the first two.
    // The captions keep room to spare: on a screen wider than it is high
    // in the design's proportion the type grows faster than the room.
    int top = 1380;
    for (const FieldRow& row : kItemRows) {
        captionLabels.insert(row.label, label(qv::arrayMemberName("lblLabels", row.label),
                                              QString::fromLatin1(row.caption), 120, top + 30, kCaptionWidth));
        qv::place(box(row), kBoxLeft, top, kBoxWidth, 285);
        top += 315;
    }
    fieldBoxes.value(MethodOfPaymentBox)->setToolTip(QStringLiteral("Cash  or Credit ?"));

    auto clearButton = [&](const char* name, int boxTop) {
        auto* b = new QPushButton(QStringLiteral("X"), this);
        b->setObjectName(QString::fromLatin1(name));
        qv::place(b, 4170, boxTop, 300, 285);
        return b;
    };
    clearCategoryButton = clearButton("Command14", 1380);
    clearCategoryButton->setToolTip(QStringLiteral("This will delete this entry."));
    clearLocationButton = clearButton("Command12", 1380 + 315);

    auto list = [&](const char* name, const QString& text, const QString& tip, const QStringList& items, int boxTop) {
        auto* c = new qv::PickList(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->addItems(items);
        c->setCurrentIndex(-1);
        c->setEditText(text);
        c->setProperty(kTextAtLastClick, text);
        c->setToolTip(tip);
        qv::place(c, 4500, boxTop, 1740, 300);
        c->lineEdit()->installEventFilter(this);
        WidenListToChoices(c);
        return c;
    };
    // A list keeps the height of its type, which grows faster than the
    // rows on a wide screen: the two stand a little apart.
    categoryList = list("Combo3", QStringLiteral("Category"),
                  QStringLiteral("Pick a category from the list or enter one in the text box."), kCategories, 1365);
    locationList = list("Combo2", QStringLiteral("Location"),
                  QStringLiteral("Pick the location of your item, or enter one into the textbox."), kLocations,
                  1380 + 330);

    // On or off site, below the item's fields.
    siteLabel = label("Label5", "On/Off Site", 120, top + 30, 1800);
    qv::TextBox* onOff = box({NoCaption, "", SiteBox, "On_OffSite", ""});
    paint(onOff, kWhite);
    qv::place(onOff, kBoxLeft, top, kBoxWidth, 285);
    siteList = list("Combo6", QStringLiteral("On/Off"), QStringLiteral("Is the Item On Or Off Site?"), kOnOff, top);

    // The notes.
    top += 375;
    captionLabels.insert(NotesCaption, label("lblLabels_15", "Notes:", 120, top, kCaptionWidth));
    notesBox = new qv::RichTextBox(this);
    notesBox->setObjectName(QStringLiteral("rtf3"));
    qv::place(notesBox, kBoxLeft, top, 6240 - kBoxLeft, 1020);

    // The item picture with its path, the second boxes of the site and the
    // business name beside it.
    captionLabels.insert(PicturePathCaption, label("lblLabels_16", "Image Location:", 6360, 1020, 1530));
    qv::TextBox* path = box({PicturePathCaption, "", PicturePathBox, "Imagekey", ""});
    QFont arial = windowFont;
    arial.setFamily(QStringLiteral("Arial"));
    path->setFont(arial);
    paint(path, kPathColour);
    qv::place(path, 7920, 990, 3900, 285);
    picture = new PictureViewport(this, path);
    picture->place(6360, 1380, 3720, 3000, 4380, 10080, 255);
    picturePathCopy = new qv::RichTextBox(this);
    picturePathCopy->setObjectName(QStringLiteral("RichTextBox1"));
    qv::place(picturePathCopy, 6360, 4680, 255, 255);
    picturePathCopy->hide();
    pictureOverlayText = new qv::RichTextBox(picture->pictureFrame);
    pictureOverlayText->setObjectName(QStringLiteral("RichTextBox2"));
    pictureOverlayText->setGeometry(0, 0, 100, 60);
    pictureOverlayText->hide();

    qv::TextBox* siteAgain = box({NoCaption, "", SiteAgainBox, "On_OffSite", ""});
    paint(siteAgain, kSecondOnOff);
    qv::place(siteAgain, 6360, 4680, 1200, 285);
    qv::TextBox* nameAgain = box({NoCaption, "", BusinessNameAgainBox, "Business_Name", ""});
    paint(nameAgain, kGrey);
    qv::place(nameAgain, 7680, 4680, 4140, 285);

    buildTools();

    // Time and date.
    timeLabel = label("Label2", QString(), 8640, 6690, 3200);
    dateLabel = label("Label3", QString(), 8640, 6990, 3200);
    timeLabel->hide();

    buildPanels();

    recordButtonBar->raise();
    recordStatusBar->raise();
}

void BusinessAssets::buildBar()
{
    navigationBar = new QWidget(this);
    navigationBar->setObjectName(QStringLiteral("CBLSalon"));
    navigationBar->setAutoFillBackground(true);
    navigationBar->setStyleSheet(QStringLiteral("#CBLSalon { background-color: %1; border-bottom: 1px solid #808080; }")
                                .arg(kGrey));
    qv::place(navigationBar, 0, 0, 11940, 960);

    struct BarButton {
        QPushButton** slot;
        const char* name;
        const char* tip;
        const char* caption;
        QStyle::StandardPixmap icon;
    };
    const BarButton bar[] = {
        {&employeesButton, "Command18", "Employee Database", "Employee Database", QStyle::SP_DirHomeIcon},
        {&barCalculatorButton, "CmdCalulator", "Calculator", "Calculator", QStyle::SP_ComputerIcon},
        {&customersButton, "Command17", "Customer Database", "Customer Database", QStyle::SP_FileDialogDetailedView},
        {&businessAssetsButton, "Cmdtavrine", "Business Assets", "Business Assets", QStyle::SP_DriveHDIcon},
        {&appointmentBookButton, "Command20", "Appointment Book", "Appointment Book",
         QStyle::SP_FileDialogContentsView},
        {&vendorsButton, "Command24", "Vendor Database", "Vendors", QStyle::SP_DirLinkIcon},
        {&inventoryButton, "Command25", "Products Inventory", "Products Inventory", QStyle::SP_DirIcon},
        {&managementButton, "Command19", "", "Management", QStyle::SP_DesktopIcon},
    };
    int left = 120;
    for (const BarButton& b : bar) {
        auto* button = new QPushButton(navigationBar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setToolTip(QString::fromLatin1(b.tip));
        button->setIcon(style()->standardIcon(b.icon));
        button->setIconSize(QSize(22, 22));
        qv::place(button, left + 360, 30, 495, 420);
        *b.slot = button;
        auto* caption = new QLabel(QString::fromLatin1(b.caption), navigationBar);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setWordWrap(true);
        // Two lines of the bar's type, with room for the type growing
        // faster than the bar on a wide screen.
        qv::place(caption, left, 450, 1215, 480);
        left += 1245;
    }
    exitProgramButton = new QPushButton(QStringLiteral("Exit Program"), navigationBar);
    exitProgramButton->setObjectName(QStringLiteral("Command23"));
    qv::place(exitProgramButton, 10200, 210, 1560, 420);
}

void BusinessAssets::buildTools()
{
    const auto standard = [this](QStyle::StandardPixmap picture) { return style()->standardIcon(picture); };
    auto tool = [&](const char* name, const QString& tip, const QIcon& icon, int left, int top) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setIcon(icon);
        b->setIconSize(QSize(22, 22));
        qv::place(b, left, top, 495, 435);
        return b;
    };
    auto caption = [&](const char* name, const QString& text, int left, int top, int width) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setWordWrap(true);
        qv::place(l, left, top, width, 630);
        return l;
    };

    // Beside the picture: the picture's own tools, then the programs.
    const int a = 10500, b = 11100;
    printButton = tool("Command1", "Print the current  information and Picture.", printIcon(), a, 1380);
    insertPictureButton
        = tool("Command2", "Find a picture in your folders.", standard(QStyle::SP_DirOpenIcon), b, 1380);
    deletePictureButton
        = tool("Command3", "Delete the picture from the database.", standard(QStyle::SP_TrashIcon), a, 1860);
    paintButton = tool("Command9", "Edit a picture", standard(QStyle::SP_FileDialogStart), b, 1860);
    scanButton = tool("Command7", "Scan  the Picture", standard(QStyle::SP_DriveCDIcon), a, 2340);
    pictureBrowserButton
        = tool("Command11", "View Pictures in your folders.", standard(QStyle::SP_FileDialogListView), b, 2340);
    textEditorButton = tool("Picture4", "Open Notepad", standard(QStyle::SP_FileIcon), a, 2820);
    webPageButton = tool("Command8", "Visit the web!", standard(QStyle::SP_DriveNetIcon), b, 2820);
    calculatorButton = tool("Command4", "Calculator", standard(QStyle::SP_ComputerIcon), a, 3300);
    helpButton = tool("Command10", "Help File", standard(QStyle::SP_DialogHelpButton), b, 3300);

    // Under the second boxes: find, reports, tips, calendar.
    const int row = 5160;
    captionLabels.insert(FindByItemNameCaption,
                         caption("lblLabels_25", QStringLiteral("Find by Item ID:"), 6360, row + 480, 1100));
    findByItemNameButton = tool("Command6", QString(), standard(QStyle::SP_FileDialogContentsView), 6480, row);
    totalsReportButton = tool("Command21", "Totals of items", standard(QStyle::SP_FileDialogInfoView), 7680, row);
    caption("Label6", QStringLiteral("Totals"), 7680, row + 480, 900);
    assetReportButton
        = tool("Image4", "Click here to view reports", standard(QStyle::SP_FileDialogDetailedView), 8760, row);
    assetReportButton->setFlat(true);
    captionLabels.insert(ViewReportCaption,
                         caption("lblLabels_23", QStringLiteral("View Report"), 8640, row + 480, 900));
    tipOfTheDayButton = tool("Image3", QString(), standard(QStyle::SP_MessageBoxInformation), 9840, row);
    tipOfTheDayButton->setFlat(true);
    captionLabels.insert(QuickTipsCaption,
                         caption("lblLabels_24", QStringLiteral("Click Light for Quick Tips"), 9600, row + 480, 1100));
    calendarButton = tool("Image1", QString(), standard(QStyle::SP_FileDialogNewFolder), 11040, row);
    calendarButton->setFlat(true);
    calendarLabel = caption("Label4", QStringLiteral("Click Calendar"), 10800, row + 480, 1000);

    // Under the notes: the two panels' buttons.
    businessPanelButton = new QPushButton(QStringLiteral("Business / Address"), this);
    businessPanelButton->setObjectName(QStringLiteral("Command13"));
    qv::place(businessPanelButton, 6360, 6600, 2100, 360);
    viewDatabaseButton = new QPushButton(QStringLiteral("View Database"), this);
    viewDatabaseButton->setObjectName(QStringLiteral("Command15"));
    qv::place(viewDatabaseButton, 6360, 7050, 2100, 360);
}

void BusinessAssets::buildPanels()
{
    // The business and its address.
    businessPanel = new QWidget(this);
    businessPanel->setObjectName(QStringLiteral("Picture2"));
    businessPanel->setAutoFillBackground(true);
    businessPanel->setStyleSheet(
        QStringLiteral("#Picture2 { background-color: %1; border: 1px solid #808080; }").arg(kGrey));
    // Over the item's boxes, leaving their captions and the picture in sight.
    qv::place(businessPanel, 2010, 1320, 4260, 2565);
    businessPanel->installEventFilter(this);
    int top = 420;
    for (const FieldRow& row : kBusinessRows) {
        auto* l = new QLabel(QString::fromLatin1(row.caption), businessPanel);
        l->setObjectName(qv::arrayMemberName("lblLabels", row.label));
        qv::place(l, 120, top + 30, 1530, 255);
        captionLabels.insert(row.label, l);
        qv::TextBox* b = addField(row.box, QString::fromLatin1(row.field));
        b->setParent(businessPanel);
        b->setSelectOnFocus(true);
        paint(b, kBackground);
        qv::place(b, 1710, top, 2400, 285);
        top += 360;
    }
    auto* hint = new QLabel(QStringLiteral("Enter a Business name for this record."), businessPanel);
    hint->setObjectName(QStringLiteral("lblLabels_22"));
    qv::place(hint, 120, 90, 3600, 255);
    captionLabels.insert(BusinessNameHint, hint);
    closeBusinessPanelButton = new QPushButton(QStringLiteral("X"), businessPanel);
    closeBusinessPanelButton->setObjectName(QStringLiteral("Command16"));
    qv::place(closeBusinessPanelButton, 3780, 60, 360, 300);
    businessPanel->hide();
    closeBusinessPanelButton->hide();

    // The grid.
    gridPanel = new QWidget(this);
    gridPanel->setObjectName(QStringLiteral("Picture3"));
    gridPanel->setAutoFillBackground(true);
    gridPanel->setStyleSheet(
        QStringLiteral("#Picture3 { background-color: %1; border: 1px solid #808080; }").arg(kGrey));
    // Over the boxes and the picture, down to the row of tools under them,
    // which stay in sight: the calendar picture among them is used while
    // the grid is shown.
    qv::place(gridPanel, 120, 1320, 11700, 3825);
    auto* gridTitle = new QLabel(QStringLiteral("Business Datasheet"), gridPanel);
    gridTitle->setObjectName(QStringLiteral("DataGrid2_caption"));
    gridTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    qv::place(gridTitle, 120, 60, 4000, 270);
    closeGridButton = new QPushButton(QStringLiteral("X"), gridPanel);
    closeGridButton->setObjectName(QStringLiteral("Command5"));
    qv::place(closeGridButton, 11220, 45, 360, 285);
    assetGrid = new qv::DataGrid(gridPanel);
    assetGrid->setObjectName(QStringLiteral("DataGrid2"));
    qv::place(assetGrid, 120, 360, 11460, 3345);
    gridPanel->hide();
    closeGridButton->hide();

    // The calendar lies over the picture's side.
    calendar = new qv::MonthCalendar(this);
    calendar->setObjectName(QStringLiteral("MonthView1"));
    calendar->setFirstDayOfWeek(Qt::Sunday);
    qv::place(calendar, 6360, 1380, 3720, 3255);
    calendar->hide();
    closeCalendarButton = new QPushButton(QStringLiteral("X"), this);
    closeCalendarButton->setObjectName(QStringLiteral("Command22"));
    qv::place(closeCalendarButton, 10080, 1380, 300, 300);
    closeCalendarButton->hide();
}

void BusinessAssets::connectHandlers()
{
    const QList<QPair<QPushButton*, void (BusinessAssets::*)()>> clicks = {
        {printButton, &BusinessAssets::printRecord},
        {insertPictureButton, &BusinessAssets::insertPicture},
        {deletePictureButton, &BusinessAssets::deletePicture},
        {calculatorButton, &BusinessAssets::openCalculator},
        {closeGridButton, &BusinessAssets::hideGridPanel},
        {findByItemNameButton, &BusinessAssets::findByItemName},
        {scanButton, &BusinessAssets::startScanningPrograms},
        {webPageButton, &BusinessAssets::visitWebPage},
        {paintButton, &BusinessAssets::startPaintProgram},
        {helpButton, &BusinessAssets::openHelp},
        {pictureBrowserButton, &BusinessAssets::openPictureBrowser},
        {clearLocationButton, &BusinessAssets::clearLocation},
        {businessPanelButton, &BusinessAssets::showBusinessPanel},
        {clearCategoryButton, &BusinessAssets::clearCategory},
        {viewDatabaseButton, &BusinessAssets::showGridPanel},
        {closeBusinessPanelButton, &BusinessAssets::hideBusinessPanel},
        {customersButton, &BusinessAssets::openCustomerWindow},
        {employeesButton, &BusinessAssets::openEmployeeWindow},
        {managementButton, &BusinessAssets::openManagementMenu},
        {appointmentBookButton, &BusinessAssets::openAppointmentBook},
        {totalsReportButton, &BusinessAssets::showTotalsReport},
        {closeCalendarButton, &BusinessAssets::hideCalendar},
        {exitProgramButton, &BusinessAssets::exitProgram},
        {vendorsButton, &BusinessAssets::openVendorBook},
        {inventoryButton, &BusinessAssets::openInventoryMaster},
        {barCalculatorButton, &BusinessAssets::openCalculatorFromBar},
        {businessAssetsButton, &BusinessAssets::bringAssetsToFront},
        {textEditorButton, &BusinessAssets::startTextEditor},
        {calendarButton, &BusinessAssets::showCalendar},
        {tipOfTheDayButton, &BusinessAssets::openTipOfTheDay},
        {assetReportButton, &BusinessAssets::showAssetReport},
    };
    for (const auto& [button, handler] : clicks)
        onClick(button, [this, handler = handler] { (this->*handler)(); });

    connect(categoryList, &QComboBox::activated, this, [this] { guard([this] { takeCategoryFromList(); }); });
    connect(locationList, &QComboBox::activated, this, [this] { guard([this] { takeLocationFromList(); }); });
    connect(siteList, &QComboBox::activated, this, [this] { guard([this] { takeSiteFromList(); }); });
    connect(categoryList, &QComboBox::editTextChanged, this, [this] { guard([this] { emptyCategoryWithList(); }); });
    connect(locationList, &QComboBox::editTextChanged, this, [this] { guard([this] { emptyLocationWithList(); }); });
    connect(siteList, &QComboBox::editTextChanged, this, [this] { guard([this] { emptySiteWithList(); }); });

    connect(assetGrid, &qv::DataGrid::rowPicked, this, [this] { showGridRowPicture(); });
    connect(calendar, &qv::MonthCalendar::dayClicked, this, [this] { guard([this] { showQuarterAndWeek(); }); });
    connect(calendar, &qv::MonthCalendar::monthShown, this, [this] { markBoldDays(); });
    updateRecordButton->installEventFilter(this);

    for (qv::TextBox* box : std::as_const(fieldBoxes)) {
        box->gotFocus = [box] {
            box->selectAll();
            paint(box, kWhite);
            box->selectAll();
        };
        box->lostFocus = [box] { paint(box, kBackground); };
    }
}

bool BusinessAssets::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == updateRecordButton && e->type() == QEvent::FocusOut)
        reloadPictureAfterSave();
    else if (watched == businessPanel && e->type() == QEvent::MouseButtonPress)
        guard([this] { focusBusinessName(); });
    else if (e->type() == QEvent::MouseButtonRelease) {
        // A click into a list's own text box after typing there is a click
        // of the list: the typed text goes into the record. The click that
        // only puts the caret into the box to type writes nothing (the
        // list's caption, "Category", is no value of the record).
        const QList<QPair<QComboBox*, void (BusinessAssets::*)()>> lists
            = {{categoryList, &BusinessAssets::takeCategoryFromList},
               {locationList, &BusinessAssets::takeLocationFromList},
               {siteList, &BusinessAssets::takeSiteFromList}};
        for (const auto& [list, handler] : lists) {
            if (!list || watched != list->lineEdit() || list->currentText() == list->property(kTextAtLastClick))
                continue;
            list->setProperty(kTextAtLastClick, list->currentText());
            guard([this, handler = handler] { (this->*handler)(); });
        }
    }
    return RecordForm::eventFilter(watched, e);
}

// ---------------------------------------------------------------- load, activation, size, close

void BusinessAssets::formLoad()
{
    // Nothing stops the load: a missing database leaves an empty window.
    passOver([this] { removeCloseCommand(this); });
    passOver([this] { RecordForm::formLoad(); });
    // Unlike most data windows this one lets others come in front of it.
    passOver([this] { setTopMost(false); });
    passOver([this] { notesBox->bind(primaryRecordset.get(), QStringLiteral("Notes")); });
    passOver([this] { attachGrid(); });

    passOver([this] {
        timeLabel->setVisible(true);
        timeLabel->setText(QStringLiteral("The time is ")
                           + qv::formatDateTime(qv::Clock::now(), QStringLiteral("Long Time")));
    });
    passOver([this] {
        dateLabel->setText(QStringLiteral("Today's date....")
                        + qv::formatDateTime(QDateTime(qv::Clock::today(), QTime()), QString()));
    });
    markBoldDays();
    showItemPicture();
    passOver([this] { scaling.formLoad(this); });
}

void BusinessAssets::formActivate()
{
    passOver([this] { scaling.formActivate(this); });
}

void BusinessAssets::formResize()
{
    // The controls follow the window first; the status bar is then laid out
    // for the window's new width with its buttons as they now are.
    passOver([this] { scaling.formResize(this); });
    RecordForm::formResize();
}

void BusinessAssets::formUnload(bool& cancel)
{
    // What was typed while browsing is saved by the template first; only then
    // do the grid and the connection go.
    RecordForm::formUnload(cancel);
    if (cancel)
        return;
    passOver([this] { detachGrid(); });
    passOver([this] {
        if (db)
            db->close();
    });
}

void BusinessAssets::formKeyDown(int& keyCode, int shift)
{
    // Esc is the record form's way out, asked about while adding or editing.
    if ((editingRecord || addingRecord) && keyCode != qv::Key::Escape)
        return;
    if (keyCode == qv::Key::Return) {
        updateRecord();
        return;
    }
    RecordForm::formKeyDown(keyCode, shift);
}

void BusinessAssets::attachGrid()
{
    if (primaryRecordset)
        assetGrid->setDataSource(primaryRecordset, gridColumns());
}

void BusinessAssets::detachGrid()
{
    assetGrid->setDataSource(nullptr);
}

// ---------------------------------------------------------------- the record

void BusinessAssets::showItemPicture()
{
    passOver([this] { picturePathCopy->setText(fieldBoxes.value(PicturePathBox)->text()); });
    pictureOverlayText->hide();
    picture->pictureBox->setVisible(true);
    // A file that was moved or is no picture leaves the frame empty.
    passOver([this] { picture->showPicture(); });
}

void BusinessAssets::showGridRowPicture()
{
    showItemPicture();
}

void BusinessAssets::currentRecordChanged()
{
    RecordForm::currentRecordChanged();
    pictureOverlayText->clear();
    picture->clearPicture();
}

void BusinessAssets::reloadPictureAfterSave()
{
    passOver([this] { picture->showPicture(); });
}

void BusinessAssets::addRecord()
{
    reportErrors([this] {
        RecordForm::addRecord();
        showItemPicture();
        picture->clearPicture();
        picturePathCopy->clear();
        fieldBoxes.value(CategoryBox)->setFocus();
    });
}

void BusinessAssets::updateRecord()
{
    try {
        primaryRecordset->updateBatch();
        if (!primaryRecordset->eof()) {
            primaryRecordset->move(0);
        } else if (primaryRecordset->recordCount() > 0) {
            primaryRecordset->move(0);
            showItemPicture();
        }
    } catch (const std::exception& e) {
        // Editing goes on with Update and Cancel on screen. The picture's
        // path stays in its box, so that saving again keeps it.
        reportRefusedSave(e, QStringLiteral("You do not have a record to update. Click Cancel."));
        picture->clearPicture();
        return;
    }
    editingRecord = false;
    addingRecord = false;
    setBrowsingButtons(true);
}

void BusinessAssets::cancelRecordChange()
{
    cancelRereading([this] { detachGrid(); }, [this] { attachGrid(); }, [this] { notesBox->refresh(); });
    showItemPicture();
}

void BusinessAssets::deleteRecord()
{
    passOver([this] {
        const int answer = qv::ui().msgBox(QStringLiteral("Delete the Current Record"),
                                           qv::MsgStyle::YesNo | qv::MsgStyle::Question, QStringLiteral("Delete Record"));
        if (answer == qv::MsgResult::Yes && primaryRecordset->editMode() != qv::EditMode::Add) {
            passOver([this] { primaryRecordset->deleteCurrent(); });
            passOver([this] { reshowBoxes(); });
            passOver([this] { notesBox->refresh(); });
        }
    });
    passOver([this] { primaryRecordset->moveNext(); });
    passOver([this] {
        if (primaryRecordset->eof())
            primaryRecordset->moveLast();
    });
    showItemPicture();
}

void BusinessAssets::refreshRecords()
{
    passOver([this] { primaryRecordset->requery(); });
    showItemPicture();
}

void BusinessAssets::closeRecordWindow()
{
    // The grid and the connection go in the unload, after the template has
    // saved what was typed while browsing.
    unload();
}

void BusinessAssets::showFirstRecord()
{
    RecordForm::showFirstRecord();
    showItemPicture();
}

void BusinessAssets::showLastRecord()
{
    RecordForm::showLastRecord();
    showItemPicture();
}

void BusinessAssets::showNextRecord()
{
    try {
        if (!primaryRecordset->eof())
            primaryRecordset->moveNext();
        if (primaryRecordset->eof() && primaryRecordset->recordCount() > 0)
            primaryRecordset->moveLast();
    } catch (const std::exception&) {
        qv::ui().msgBox(QStringLiteral("You are at the last record in the database."));
        return;
    }
    showItemPicture();
}

void BusinessAssets::showPreviousRecord()
{
    const bool moved = reportErrors([this] {
        if (!primaryRecordset)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        if (!primaryRecordset->bof())
            primaryRecordset->movePrevious();
        if (primaryRecordset->bof() && primaryRecordset->recordCount() > 0)
            primaryRecordset->moveFirst();
    });
    if (moved)
        showItemPicture();
}

// ---------------------------------------------------------------- pick lists

void BusinessAssets::takeCategoryFromList() { fieldBoxes.value(CategoryBox)->setBoxText(categoryList->currentText()); }

void BusinessAssets::emptyCategoryWithList()
{
    if (categoryList->currentText().isEmpty()) {
        fieldBoxes.value(CategoryBox)->setBoxText(QString());
        fieldBoxes.value(CategoryBox)->update();
    }
}

void BusinessAssets::takeLocationFromList() { fieldBoxes.value(LocationBox)->setBoxText(locationList->currentText()); }

void BusinessAssets::emptyLocationWithList()
{
    if (locationList->currentText().isEmpty()) {
        fieldBoxes.value(LocationBox)->setBoxText(QString());
        fieldBoxes.value(LocationBox)->update();
    }
}

void BusinessAssets::takeSiteFromList()
{
    const QString text = siteList->currentText();
    if (text == QLatin1String("On") || text == QLatin1String("Off Site"))
        fieldBoxes.value(SiteBox)->setBoxText(text);
}

void BusinessAssets::emptySiteWithList()
{
    if (siteList->currentText().isEmpty())
        fieldBoxes.value(SiteBox)->setBoxText(QString());
}

// ---------------------------------------------------------------- date display

QString BusinessAssets::quarterAndWeek(const QDate& day)
{
    const qint32 month = day.month();
    QString lead;
    if (month >= 1 && month <= 3)
        lead = QStringLiteral("First Quarter of ");
    else if (month >= 4 && month <= 6)
        lead = QStringLiteral("Second Quarter of ");
    else if (month >= 7 && month <= 9)
        lead = QStringLiteral("Third Quarter of ");
    else
        lead = QStringLiteral("Fourth Quarter of ");
    return lead + QString::number(qint16(day.year())) + QStringLiteral("  Week ")
        + QString::number(qint16(day.weekNumber()));
}

void BusinessAssets::showQuarterAndWeek()
{
    dateLabel->setText(quarterAndWeek(calendar->selectedDate()));
}

QVector<bool> BusinessAssets::boldWeekStarts(int firstDayOfWeek, int count)
{
    QVector<bool> states(qMax(count, 0), false);
    // Weeks starting on another day than Sunday would put the first index
    // before the first shown day; those indexes are passed over.
    for (qint16 i = 1; i < count; i = qint16(i + 7)) {
        const int index = i - firstDayOfWeek;
        if (index >= 0 && index < count)
            states[index] = true;
    }
    return states;
}

void BusinessAssets::markBoldDays()
{
    passOver([this] {
        calendar->clearBold();
        const QDate first = calendar->firstShownDay();
        // Sunday is the first day of the week (1), as the calendar is set.
        const int firstDay = calendar->firstDayOfWeek() == Qt::Sunday ? 1 : int(calendar->firstDayOfWeek()) + 1;
        const QVector<bool> bold = boldWeekStarts(firstDay, 42);
        for (int i = 0; i < bold.size(); ++i)
            if (bold[i])
                calendar->setDayBold(first.addDays(i), true);
    });
}

// ---------------------------------------------------------------- pictures, find, reports

void BusinessAssets::insertPicture()
{
    passOver([this] {
        if (picture->insertPicture())
            picturePathCopy->setText(fieldBoxes.value(PicturePathBox)->text());
    });
}

void BusinessAssets::deletePicture()
{
    picture->clearPicture();
    picturePathCopy->clear();
    fieldBoxes.value(PicturePathBox)->setBoxText(QString());
}

void BusinessAssets::findByItemName()
{
    QString typed;
    passOver([&] {
        findByText(*primaryRecordset, QStringLiteral("ItemName"), QStringLiteral("Enter the ID."),
                   QStringLiteral("Could not find your Item. "), &typed);
    });
    // Nothing typed: the command ends where it began.
    if (typed.isEmpty())
        return;
    passOver([this] { primaryRecordset->move(0); });
    showItemPicture();
}

void BusinessAssets::showTotalsReport()
{
    BusinessTotalsReport report;
    reportFill(report, QString::fromLatin1(kReportQuery));
}

void BusinessAssets::showAssetReport()
{
    showItemPicture();
    BusinessReport report;
    reportFill(report, QString::fromLatin1(kReportQuery));
}

// ---------------------------------------------------------------- panels

void BusinessAssets::showBusinessPanel()
{
    businessPanel->setVisible(true);
    businessPanel->raise();
    closeBusinessPanelButton->setVisible(true);
    fieldBoxes.value(BusinessNameBox)->setFocus();
}

void BusinessAssets::hideBusinessPanel()
{
    businessPanel->setVisible(false);
    closeBusinessPanelButton->setVisible(false);
    fieldBoxes.value(CategoryBox)->setFocus();
}

void BusinessAssets::focusBusinessName() { fieldBoxes.value(BusinessNameBox)->setFocus(); }

void BusinessAssets::showGridPanel()
{
    gridPanel->setVisible(true);
    gridPanel->raise();
    closeGridButton->setVisible(true);
    calendar->setVisible(false);
    closeCalendarButton->setVisible(false);
}

void BusinessAssets::hideGridPanel()
{
    closeGridButton->setVisible(false);
    gridPanel->setVisible(false);
    calendar->setVisible(false);
    closeCalendarButton->setVisible(false);
}

void BusinessAssets::showCalendar()
{
    calendar->setVisible(true);
    calendar->raise();
    closeCalendarButton->setVisible(true);
    closeCalendarButton->raise();
}

void BusinessAssets::hideCalendar()
{
    calendar->setVisible(false);
    closeCalendarButton->setVisible(false);
}

void BusinessAssets::clearLocation() { fieldBoxes.value(LocationBox)->setBoxText(QString()); }

void BusinessAssets::clearCategory() { fieldBoxes.value(CategoryBox)->setBoxText(QString()); }

// ---------------------------------------------------------------- navigation bar

void BusinessAssets::openEmployeeWindow() { qv::Windows::show<EmployeeWindow>(); }
void BusinessAssets::openCalculatorFromBar() { qv::Windows::show<Calculator>(); }
void BusinessAssets::openCustomerWindow() { qv::Windows::show<CustomerWindow>(); }
void BusinessAssets::bringAssetsToFront() { showWindow(); }
void BusinessAssets::openVendorBook() { qv::Windows::show<VendorBook>(); }
void BusinessAssets::openInventoryMaster() { qv::Windows::show<InventoryMaster>(); }

void BusinessAssets::openAppointmentBook()
{
    // The window gives way to the book only: without the book on screen the
    // program would be left with no window to go on from. An asset being
    // added or edited is asked about before anything opens or closes.
    if (!settleBeforeLeaving(QStringLiteral("Appointment Book")) || !qv::Windows::show<AppointmentBook>())
        return;
    qv::Windows::unload<ManagementMenu>();
    unload();
}

void BusinessAssets::openManagementMenu()
{
    if (!settleBeforeLeaving(QStringLiteral("Management")) || !qv::Windows::show<ManagementMenu>())
        return;
    // The reports live only while their button runs: none is left to unload.
    unload();
}

void BusinessAssets::exitProgram()
{
    if (!unloadOtherWindowsForExit(this))
        return;
    if (qv::Windows::all().contains(this))
        unload();
}

// ---------------------------------------------------------------- tools

void BusinessAssets::openCalculator() { qv::Windows::show<Calculator>(); }
void BusinessAssets::openHelp() { qv::Windows::show<HelpWindow>(); }
void BusinessAssets::openPictureBrowser() { qv::Windows::show<PictureBrowser>(); }
void BusinessAssets::openTipOfTheDay() { qv::Windows::show<ProgramTips>(); }

void BusinessAssets::startProgram(const QString& name)
{
    // A program the system does not have is simply not started: the other
    // tools and the window go on as before.
    passOver([&] { qv::ui().launch(systemProgramFor(name)); });
}

void BusinessAssets::startTextEditor() { startProgram(QStringLiteral("Notepad.exe")); }

void BusinessAssets::startPaintProgram() { startProgram(QStringLiteral("Pbrush.exe")); }

void BusinessAssets::startScanningPrograms()
{
    // Both are asked for, whatever the first gave, so both start where both exist.
    startProgram(QStringLiteral("kodakimg.exe"));
    startProgram(QStringLiteral("WangImg.exe"));
}

void BusinessAssets::visitWebPage()
{
    passOver([] { qv::ui().launch(webOpener(), {makerWebPage()}); });
}
