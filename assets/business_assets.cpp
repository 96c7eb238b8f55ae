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

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>

QV_REGISTER_WINDOW(Form2);

namespace {

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
    {0, "Category:", 0, "Category", ""},
    {1, "Location:", 1, "Location", ""},
    {2, "ItemID:", 2, "ItemName", ""},
    {3, "Item Description:", 3, "ItemDescription", ""},
    {4, "Manufacturer:", 4, "Manufacturer", ""},
    {5, "Model:", 5, "Model", ""},
    {6, "SerialVin:", 6, "SerialVin", ""},
    {7, "Purchase Price:", 7, "PurchasePrice", kMoney},
    {8, "Purchase Date:", 8, "PurchaseDate", kDate},
    {9, "Purchased From:", 9, "PurchasedFrom", ""},
    {10, "Replacement Cost:", 10, "ReplacementCost", kMoney},
    {11, "Appraised Value:", 11, "AppraisedValue", kMoney},
    {12, "Appraisal Date:", 12, "AppraisalDate", kDate},
    {13, "Appraised By:", 13, "AppriasedBy", ""},
    {14, "Method of Payment:", 14, "MethodofPayment", ""},
};

// The business panel's fields.
const FieldRow kBusinessRows[] = {
    {21, "Business_Name:", 23, "Business_Name", ""},
    {20, "Address:", 22, "Address", ""},
    {19, "City:", 21, "City", ""},
    {18, "State:", 20, "State", ""},
    {17, "Zip:", 19, "Zip", ""},
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

Form2::Form2(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Business"));
    buildLayout();
    connectHandlers();
}

Form2::~Form2() = default;

QString Form2::connectionString() const { return recordWindowConnectionString(); }

QString Form2::recordSource() const { return QStringLiteral("SELECT*FROM [Business]"); }

// ---------------------------------------------------------------- layout

void Form2::buildLayout()
{
    setObjectName(QStringLiteral("Form2"));
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

    Label1 = label("Label1", "Business Assets and Equipment Inventory", 120, 1000, 6120, 300);
    QFont heading = windowFont;
    heading.setPointSize(10);
    heading.setBold(true);
    Label1->setFont(heading);

    // The item's fields, with the clear buttons and lists beside the first two.
    // The captions keep room to spare: on a screen wider than it is high
    // in the design's proportion the type grows faster than the room.
    int top = 1380;
    for (const FieldRow& row : kItemRows) {
        lblLabels.insert(row.label, label(QStringLiteral("lblLabels_%1").arg(row.label),
                                          QString::fromLatin1(row.caption), 120, top + 30, kCaptionWidth));
        qv::place(box(row), kBoxLeft, top, kBoxWidth, 285);
        top += 315;
    }
    txtfields.value(14)->setToolTip(QStringLiteral("Cash  or Credit ?"));

    auto clearButton = [&](const char* name, int boxTop) {
        auto* b = new QPushButton(QStringLiteral("X"), this);
        b->setObjectName(QString::fromLatin1(name));
        qv::place(b, 4170, boxTop, 300, 285);
        return b;
    };
    Command14 = clearButton("Command14", 1380);
    Command14->setToolTip(QStringLiteral("This will delete this entry."));
    Command12 = clearButton("Command12", 1380 + 315);

    auto list = [&](const char* name, const QString& text, const QString& tip, const QStringList& items, int boxTop) {
        auto* c = new QComboBox(this);
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
    Combo3 = list("Combo3", QStringLiteral("Category"),
                  QStringLiteral("Pick a category from the list or enter one in the text box."), kCategories, 1365);
    Combo2 = list("Combo2", QStringLiteral("Location"),
                  QStringLiteral("Pick the location of your item, or enter one into the textbox."), kLocations,
                  1380 + 330);

    // On or off site, below the item's fields.
    Label5 = label("Label5", "On/Off Site", 120, top + 30, 1800);
    qv::TextBox* onOff = box({-1, "", 17, "On_OffSite", ""});
    paint(onOff, kWhite);
    qv::place(onOff, kBoxLeft, top, kBoxWidth, 285);
    Combo6 = list("Combo6", QStringLiteral("On/Off"), QStringLiteral("Is the Item On Or Off Site?"), kOnOff, top);

    // The notes.
    top += 375;
    lblLabels.insert(15, label("lblLabels_15", "Notes:", 120, top, kCaptionWidth));
    rtf3 = new qv::RichTextBox(this);
    rtf3->setObjectName(QStringLiteral("rtf3"));
    qv::place(rtf3, kBoxLeft, top, 6240 - kBoxLeft, 1020);

    // The item picture with its path, the second boxes of the site and the
    // business name beside it.
    lblLabels.insert(16, label("lblLabels_16", "Image Location:", 6360, 1020, 1530));
    qv::TextBox* path = box({16, "", 16, "Imagekey", ""});
    QFont arial = windowFont;
    arial.setFamily(QStringLiteral("Arial"));
    path->setFont(arial);
    paint(path, kPathColour);
    qv::place(path, 7920, 990, 3900, 285);
    picture = new PictureViewport(this, path);
    picture->place(6360, 1380, 3720, 3000, 4380, 10080, 255);
    RichTextBox1 = new qv::RichTextBox(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    qv::place(RichTextBox1, 6360, 4680, 255, 255);
    RichTextBox1->hide();
    RichTextBox2 = new qv::RichTextBox(picture->PicArea);
    RichTextBox2->setObjectName(QStringLiteral("RichTextBox2"));
    RichTextBox2->setGeometry(0, 0, 100, 60);
    RichTextBox2->hide();

    qv::TextBox* siteAgain = box({-1, "", 18, "On_OffSite", ""});
    paint(siteAgain, kSecondOnOff);
    qv::place(siteAgain, 6360, 4680, 1200, 285);
    qv::TextBox* nameAgain = box({-1, "", 24, "Business_Name", ""});
    paint(nameAgain, kGrey);
    qv::place(nameAgain, 7680, 4680, 4140, 285);

    buildTools();

    // Time and date.
    Label2 = label("Label2", QString(), 8640, 6690, 3200);
    Label3 = label("Label3", QString(), 8640, 6990, 3200);
    Label2->hide();

    buildPanels();

    picButtons->raise();
    picStatBox->raise();
}

void Form2::buildBar()
{
    CBLSalon = new QWidget(this);
    CBLSalon->setObjectName(QStringLiteral("CBLSalon"));
    CBLSalon->setAutoFillBackground(true);
    CBLSalon->setStyleSheet(QStringLiteral("#CBLSalon { background-color: %1; border-bottom: 1px solid #808080; }")
                                .arg(kGrey));
    qv::place(CBLSalon, 0, 0, 11940, 960);

    struct BarButton {
        QPushButton** slot;
        const char* name;
        const char* tip;
        const char* caption;
        QStyle::StandardPixmap icon;
    };
    const BarButton bar[] = {
        {&Command18, "Command18", "Employee Database", "Employee Database", QStyle::SP_DirHomeIcon},
        {&CmdCalulator, "CmdCalulator", "Calculator", "Calculator", QStyle::SP_ComputerIcon},
        {&Command17, "Command17", "Customer Database", "Customer Database", QStyle::SP_FileDialogDetailedView},
        {&Cmdtavrine, "Cmdtavrine", "Business Assets", "Business Assets", QStyle::SP_DriveHDIcon},
        {&Command20, "Command20", "Appointment Book", "Appointment Book", QStyle::SP_FileDialogContentsView},
        {&Command24, "Command24", "Vendor Database", "Vendors", QStyle::SP_DirLinkIcon},
        {&Command25, "Command25", "Products Inventory", "Products Inventory", QStyle::SP_DirIcon},
        {&Command19, "Command19", "", "Management", QStyle::SP_DesktopIcon},
    };
    int left = 120;
    for (const BarButton& b : bar) {
        auto* button = new QPushButton(CBLSalon);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setToolTip(QString::fromLatin1(b.tip));
        button->setIcon(style()->standardIcon(b.icon));
        button->setIconSize(QSize(22, 22));
        qv::place(button, left + 360, 30, 495, 420);
        *b.slot = button;
        auto* caption = new QLabel(QString::fromLatin1(b.caption), CBLSalon);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setWordWrap(true);
        // Two lines of the bar's type, with room for the type growing
        // faster than the bar on a wide screen.
        qv::place(caption, left, 450, 1215, 480);
        left += 1245;
    }
    Command23 = new QPushButton(QStringLiteral("Exit Program"), CBLSalon);
    Command23->setObjectName(QStringLiteral("Command23"));
    qv::place(Command23, 10200, 210, 1560, 420);
}

void Form2::buildTools()
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
    Command1 = tool("Command1", "Print the current  information and Picture.", printIcon(), a, 1380);
    Command2 = tool("Command2", "Find a picture in your folders.", standard(QStyle::SP_DirOpenIcon), b, 1380);
    Command3 = tool("Command3", "Delete the picture from the database.", standard(QStyle::SP_TrashIcon), a, 1860);
    Command9 = tool("Command9", "Edit a picture", standard(QStyle::SP_FileDialogStart), b, 1860);
    Command7 = tool("Command7", "Scan  the Picture", standard(QStyle::SP_DriveCDIcon), a, 2340);
    Command11 = tool("Command11", "View Pictures in your folders.", standard(QStyle::SP_FileDialogListView), b, 2340);
    Picture4 = tool("Picture4", "Open Notepad", standard(QStyle::SP_FileIcon), a, 2820);
    Command8 = tool("Command8", "Visit the web!", standard(QStyle::SP_DriveNetIcon), b, 2820);
    Command4 = tool("Command4", "Calculator", standard(QStyle::SP_ComputerIcon), a, 3300);
    Command10 = tool("Command10", "Help File", standard(QStyle::SP_DialogHelpButton), b, 3300);

    // Under the second boxes: find, reports, tips, calendar.
    const int row = 5160;
    lblLabels.insert(25, caption("lblLabels_25", QStringLiteral("Find by Item ID:"), 6360, row + 480, 1100));
    Command6 = tool("Command6", QString(), standard(QStyle::SP_FileDialogContentsView), 6480, row);
    Command21 = tool("Command21", "Totals of items", standard(QStyle::SP_FileDialogInfoView), 7680, row);
    caption("Label6", QStringLiteral("Totals"), 7680, row + 480, 900);
    Image4 = tool("Image4", "Click here to view reports", standard(QStyle::SP_FileDialogDetailedView), 8760, row);
    Image4->setFlat(true);
    lblLabels.insert(23, caption("lblLabels_23", QStringLiteral("View Report"), 8640, row + 480, 900));
    Image3 = tool("Image3", QString(), standard(QStyle::SP_MessageBoxInformation), 9840, row);
    Image3->setFlat(true);
    lblLabels.insert(24, caption("lblLabels_24", QStringLiteral("Click Light for Quick Tips"), 9600, row + 480, 1100));
    Image1 = tool("Image1", QString(), standard(QStyle::SP_FileDialogNewFolder), 11040, row);
    Image1->setFlat(true);
    Label4 = caption("Label4", QStringLiteral("Click Calendar"), 10800, row + 480, 1000);

    // Under the notes: the two panels' buttons.
    Command13 = new QPushButton(QStringLiteral("Business / Address"), this);
    Command13->setObjectName(QStringLiteral("Command13"));
    qv::place(Command13, 6360, 6600, 2100, 360);
    Command15 = new QPushButton(QStringLiteral("View Database"), this);
    Command15->setObjectName(QStringLiteral("Command15"));
    qv::place(Command15, 6360, 7050, 2100, 360);
}

void Form2::buildPanels()
{
    // The business and its address.
    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setAutoFillBackground(true);
    Picture2->setStyleSheet(QStringLiteral("#Picture2 { background-color: %1; border: 1px solid #808080; }").arg(kGrey));
    // Over the item's boxes, leaving their captions and the picture in sight.
    qv::place(Picture2, 2010, 1320, 4260, 2565);
    Picture2->installEventFilter(this);
    int top = 420;
    for (const FieldRow& row : kBusinessRows) {
        auto* l = new QLabel(QString::fromLatin1(row.caption), Picture2);
        l->setObjectName(QStringLiteral("lblLabels_%1").arg(row.label));
        qv::place(l, 120, top + 30, 1530, 255);
        lblLabels.insert(row.label, l);
        qv::TextBox* b = addField(row.box, QString::fromLatin1(row.field));
        b->setParent(Picture2);
        b->setSelectOnFocus(true);
        paint(b, kBackground);
        qv::place(b, 1710, top, 2400, 285);
        top += 360;
    }
    auto* hint = new QLabel(QStringLiteral("Enter a Business name for this record."), Picture2);
    hint->setObjectName(QStringLiteral("lblLabels_22"));
    qv::place(hint, 120, 90, 3600, 255);
    lblLabels.insert(22, hint);
    Command16 = new QPushButton(QStringLiteral("X"), Picture2);
    Command16->setObjectName(QStringLiteral("Command16"));
    qv::place(Command16, 3780, 60, 360, 300);
    Picture2->hide();
    Command16->hide();

    // The grid.
    Picture3 = new QWidget(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setAutoFillBackground(true);
    Picture3->setStyleSheet(QStringLiteral("#Picture3 { background-color: %1; border: 1px solid #808080; }").arg(kGrey));
    // Over the boxes and the picture, down to the row of tools under them,
    // which stay in sight: the calendar picture among them is used while
    // the grid is shown.
    qv::place(Picture3, 120, 1320, 11700, 3825);
    auto* gridTitle = new QLabel(QStringLiteral("Business Datasheet"), Picture3);
    gridTitle->setObjectName(QStringLiteral("DataGrid2_caption"));
    gridTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    qv::place(gridTitle, 120, 60, 4000, 270);
    Command5 = new QPushButton(QStringLiteral("X"), Picture3);
    Command5->setObjectName(QStringLiteral("Command5"));
    qv::place(Command5, 11220, 45, 360, 285);
    DataGrid2 = new qv::DataGrid(Picture3);
    DataGrid2->setObjectName(QStringLiteral("DataGrid2"));
    qv::place(DataGrid2, 120, 360, 11460, 3345);
    Picture3->hide();
    Command5->hide();

    // The calendar lies over the picture's side.
    MonthView1 = new qv::MonthCalendar(this);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setFirstDayOfWeek(Qt::Sunday);
    qv::place(MonthView1, 6360, 1380, 3720, 3255);
    MonthView1->hide();
    Command22 = new QPushButton(QStringLiteral("X"), this);
    Command22->setObjectName(QStringLiteral("Command22"));
    qv::place(Command22, 10080, 1380, 300, 300);
    Command22->hide();
}

void Form2::connectHandlers()
{
    const QList<QPair<QPushButton*, void (Form2::*)()>> clicks = {
        {Command1, &Form2::Command1_Click},     {Command2, &Form2::Command2_Click},
        {Command3, &Form2::Command3_Click},     {Command4, &Form2::Command4_Click},
        {Command5, &Form2::Command5_Click},     {Command6, &Form2::Command6_Click},
        {Command7, &Form2::Command7_Click},     {Command8, &Form2::Command8_Click},
        {Command9, &Form2::Command9_Click},     {Command10, &Form2::Command10_Click},
        {Command11, &Form2::Command11_Click},   {Command12, &Form2::Command12_Click},
        {Command13, &Form2::Command13_Click},   {Command14, &Form2::Command14_Click},
        {Command15, &Form2::Command15_Click},   {Command16, &Form2::Command16_Click},
        {Command17, &Form2::Command17_Click},   {Command18, &Form2::Command18_Click},
        {Command19, &Form2::Command19_Click},   {Command20, &Form2::Command20_Click},
        {Command21, &Form2::Command21_Click},   {Command22, &Form2::Command22_Click},
        {Command23, &Form2::Command23_Click},   {Command24, &Form2::Command24_Click},
        {Command25, &Form2::Command25_Click},   {CmdCalulator, &Form2::CmdCalulator_Click},
        {Cmdtavrine, &Form2::Cmdtavrine_Click}, {Picture4, &Form2::Picture4_Click},
        {Image1, &Form2::Image1_Click},         {Image3, &Form2::Image3_Click},
        {Image4, &Form2::Image4_Click},
    };
    for (const auto& [button, handler] : clicks)
        onClick(button, [this, handler = handler] { (this->*handler)(); });

    connect(Combo3, &QComboBox::activated, this, [this] { guard([this] { Combo3_Click(); }); });
    connect(Combo2, &QComboBox::activated, this, [this] { guard([this] { Combo2_Click(); }); });
    connect(Combo6, &QComboBox::activated, this, [this] { guard([this] { Combo6_Click(); }); });
    connect(Combo3, &QComboBox::editTextChanged, this, [this] { guard([this] { Combo3_Change(); }); });
    connect(Combo2, &QComboBox::editTextChanged, this, [this] { guard([this] { Combo2_Change(); }); });
    connect(Combo6, &QComboBox::editTextChanged, this, [this] { guard([this] { Combo6_Change(); }); });

    connect(DataGrid2, &qv::DataGrid::rowPicked, this, [this] { ShowGridRowPicture(); });
    connect(MonthView1, &qv::MonthCalendar::dayClicked, this, [this] { guard([this] { ShowQuarterAndWeek(); }); });
    connect(MonthView1, &qv::MonthCalendar::monthShown, this, [this] { markBoldDays(); });
    cmdUpdate->installEventFilter(this);

    for (qv::TextBox* box : std::as_const(txtfields)) {
        box->gotFocus = [box] {
            box->selectAll();
            paint(box, kWhite);
            box->selectAll();
        };
        box->lostFocus = [box] { paint(box, kBackground); };
    }
}

bool Form2::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == cmdUpdate && e->type() == QEvent::FocusOut)
        cmdUpdate_LostFocus();
    else if (watched == Picture2 && e->type() == QEvent::MouseButtonPress)
        guard([this] { Picture2_Click(); });
    else if (e->type() == QEvent::MouseButtonRelease) {
        // A click into a list's own text box after typing there is a click
        // of the list: the typed text goes into the record. The click that
        // only puts the caret into the box to type writes nothing (the
        // list's caption, "Category", is no value of the record).
        const QList<QPair<QComboBox*, void (Form2::*)()>> lists = {
            {Combo3, &Form2::Combo3_Click}, {Combo2, &Form2::Combo2_Click}, {Combo6, &Form2::Combo6_Click}};
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

void Form2::formLoad()
{
    // Nothing stops the load: a missing database leaves an empty window.
    passOver([this] { RemoveCloseCommand(this); });
    passOver([this] { RecordForm::formLoad(); });
    // Unlike most data windows this one lets others come in front of it.
    passOver([this] { setTopMost(false); });
    passOver([this] { rtf3->bind(adoPrimaryRS.get(), QStringLiteral("Notes")); });
    passOver([this] { attachGrid(); });

    passOver([this] {
        Label2->setVisible(true);
        Label2->setText(QStringLiteral("The time is ") + qv::formatDateTime(qv::Clock::now(), QStringLiteral("Long Time")));
    });
    passOver([this] {
        Label3->setText(QStringLiteral("Today's date....")
                        + qv::formatDateTime(QDateTime(qv::Clock::today(), QTime()), QString()));
    });
    markBoldDays();
    ShowItemPicture();
    passOver([this] { scaling.formLoad(this); });
}

void Form2::formActivate()
{
    passOver([this] { scaling.formActivate(this); });
}

void Form2::formResize()
{
    // The controls follow the window first; the status bar is then laid out
    // for the window's new width with its buttons as they now are.
    passOver([this] { scaling.formResize(this); });
    RecordForm::formResize();
}

void Form2::formUnload(bool& cancel)
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

void Form2::formKeyDown(int& keyCode, int shift)
{
    if (EditFlag || AddNewFlag)
        return;
    if (keyCode == qv::Key::Return) {
        cmdUpdate_Click();
        return;
    }
    RecordForm::formKeyDown(keyCode, shift);
}

void Form2::attachGrid()
{
    if (adoPrimaryRS)
        DataGrid2->setDataSource(adoPrimaryRS, gridColumns());
}

void Form2::detachGrid()
{
    DataGrid2->setDataSource(nullptr);
}

// ---------------------------------------------------------------- the record

void Form2::ShowItemPicture()
{
    passOver([this] { RichTextBox1->setText(txtfields.value(16)->text()); });
    RichTextBox2->hide();
    picture->PicDest->setVisible(true);
    // A file that was moved or is no picture leaves the frame empty.
    passOver([this] { picture->showPicture(); });
}

void Form2::ShowGridRowPicture()
{
    ShowItemPicture();
}

void Form2::adoPrimaryRS_MoveComplete()
{
    RecordForm::adoPrimaryRS_MoveComplete();
    RichTextBox2->clear();
    picture->clearPicture();
}

void Form2::cmdUpdate_LostFocus()
{
    passOver([this] { picture->showPicture(); });
}

void Form2::cmdAdd_Click()
{
    reportErrors([this] {
        RecordForm::cmdAdd_Click();
        ShowItemPicture();
        picture->clearPicture();
        RichTextBox1->clear();
        txtfields.value(0)->setFocus();
    });
}

void Form2::cmdUpdate_Click()
{
    try {
        adoPrimaryRS->updateBatch();
        if (!adoPrimaryRS->eof()) {
            adoPrimaryRS->move(0);
        } else if (adoPrimaryRS->recordCount() > 0) {
            adoPrimaryRS->move(0);
            ShowItemPicture();
        }
    } catch (const std::exception&) {
        // Editing goes on with Update and Cancel on screen. The picture's
        // path stays in its box, so that saving again keeps it.
        qv::ui().msgBox(QStringLiteral("You do not have a record to update. Click Cancel."));
        picture->clearPicture();
        return;
    }
    EditFlag = false;
    AddNewFlag = false;
    SetButtons(true);
}

void Form2::cmdCancel_Click()
{
    cancelRereading([this] { detachGrid(); }, [this] { attachGrid(); }, [this] { rtf3->refresh(); });
    ShowItemPicture();
}

void Form2::cmdDelete_Click()
{
    passOver([this] {
        const int answer = qv::ui().msgBox(QStringLiteral("Delete the Current Record"),
                                           qv::MsgStyle::YesNo | qv::MsgStyle::Question, QStringLiteral("Delete Record"));
        if (answer == qv::MsgResult::Yes && adoPrimaryRS->editMode() != qv::EditMode::Add) {
            passOver([this] { adoPrimaryRS->deleteCurrent(); });
            passOver([this] { reshowBoxes(); });
            passOver([this] { rtf3->refresh(); });
        }
    });
    passOver([this] { adoPrimaryRS->moveNext(); });
    passOver([this] {
        if (adoPrimaryRS->eof())
            adoPrimaryRS->moveLast();
    });
    ShowItemPicture();
}

void Form2::cmdRefresh_Click()
{
    passOver([this] { adoPrimaryRS->requery(); });
    ShowItemPicture();
}

void Form2::cmdClose_Click()
{
    // The grid and the connection go in the unload, after the template has
    // saved what was typed while browsing.
    unload();
}

void Form2::cmdFirst_Click()
{
    RecordForm::cmdFirst_Click();
    ShowItemPicture();
}

void Form2::cmdLast_Click()
{
    RecordForm::cmdLast_Click();
    ShowItemPicture();
}

void Form2::cmdNext_Click()
{
    try {
        if (!adoPrimaryRS->eof())
            adoPrimaryRS->moveNext();
        if (adoPrimaryRS->eof() && adoPrimaryRS->recordCount() > 0)
            adoPrimaryRS->moveLast();
    } catch (const std::exception&) {
        qv::ui().msgBox(QStringLiteral("You are at the last record in the database."));
        return;
    }
    ShowItemPicture();
}

void Form2::cmdPrevious_Click()
{
    const bool moved = reportErrors([this] {
        if (!adoPrimaryRS)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        if (!adoPrimaryRS->bof())
            adoPrimaryRS->movePrevious();
        if (adoPrimaryRS->bof() && adoPrimaryRS->recordCount() > 0)
            adoPrimaryRS->moveFirst();
    });
    if (moved)
        ShowItemPicture();
}

// ---------------------------------------------------------------- pick lists

void Form2::Combo3_Click() { txtfields.value(0)->setBoxText(Combo3->currentText()); }

void Form2::Combo3_Change()
{
    if (Combo3->currentText().isEmpty()) {
        txtfields.value(0)->setBoxText(QString());
        txtfields.value(0)->update();
    }
}

void Form2::Combo2_Click() { txtfields.value(1)->setBoxText(Combo2->currentText()); }

void Form2::Combo2_Change()
{
    if (Combo2->currentText().isEmpty()) {
        txtfields.value(1)->setBoxText(QString());
        txtfields.value(1)->update();
    }
}

void Form2::Combo6_Click()
{
    const QString text = Combo6->currentText();
    if (text == QLatin1String("On") || text == QLatin1String("Off Site"))
        txtfields.value(17)->setBoxText(text);
}

void Form2::Combo6_Change()
{
    if (Combo6->currentText().isEmpty())
        txtfields.value(17)->setBoxText(QString());
}

// ---------------------------------------------------------------- date display

QString Form2::quarterAndWeek(const QDate& day)
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

void Form2::ShowQuarterAndWeek()
{
    Label3->setText(quarterAndWeek(MonthView1->selectedDate()));
}

QVector<bool> Form2::MonthView1_GetDayBold(int firstDayOfWeek, int count)
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

void Form2::markBoldDays()
{
    passOver([this] {
        MonthView1->clearBold();
        const QDate first = MonthView1->firstShownDay();
        // Sunday is the first day of the week (1), as the calendar is set.
        const int firstDay = MonthView1->firstDayOfWeek() == Qt::Sunday ? 1 : int(MonthView1->firstDayOfWeek()) + 1;
        const QVector<bool> bold = MonthView1_GetDayBold(firstDay, 42);
        for (int i = 0; i < bold.size(); ++i)
            if (bold[i])
                MonthView1->setDayBold(first.addDays(i), true);
    });
}

// ---------------------------------------------------------------- pictures, find, reports

void Form2::Command2_Click()
{
    passOver([this] {
        if (picture->insertPicture())
            RichTextBox1->setText(txtfields.value(16)->text());
    });
}

void Form2::Command3_Click()
{
    picture->clearPicture();
    RichTextBox1->clear();
    txtfields.value(16)->setBoxText(QString());
}

void Form2::Command6_Click()
{
    QString typed;
    passOver([&] {
        FindByText(*adoPrimaryRS, QStringLiteral("ItemName"), QStringLiteral("Enter the ID."),
                   QStringLiteral("Could not find your Item. "), &typed);
    });
    // Nothing typed: the command ends where it began.
    if (typed.isEmpty())
        return;
    passOver([this] { adoPrimaryRS->move(0); });
    ShowItemPicture();
}

void Form2::Command21_Click()
{
    DataReport4 report;
    reportFill(report, QString::fromLatin1(kReportQuery));
}

void Form2::Image4_Click()
{
    ShowItemPicture();
    BusinessReport report;
    reportFill(report, QString::fromLatin1(kReportQuery));
}

// ---------------------------------------------------------------- panels

void Form2::Command13_Click()
{
    Picture2->setVisible(true);
    Picture2->raise();
    Command16->setVisible(true);
    txtfields.value(23)->setFocus();
}

void Form2::Command16_Click()
{
    Picture2->setVisible(false);
    Command16->setVisible(false);
    txtfields.value(0)->setFocus();
}

void Form2::Picture2_Click() { txtfields.value(23)->setFocus(); }

void Form2::Command15_Click()
{
    Picture3->setVisible(true);
    Picture3->raise();
    Command5->setVisible(true);
    MonthView1->setVisible(false);
    Command22->setVisible(false);
}

void Form2::Command5_Click()
{
    Command5->setVisible(false);
    Picture3->setVisible(false);
    MonthView1->setVisible(false);
    Command22->setVisible(false);
}

void Form2::Image1_Click()
{
    MonthView1->setVisible(true);
    MonthView1->raise();
    Command22->setVisible(true);
    Command22->raise();
}

void Form2::Command22_Click()
{
    MonthView1->setVisible(false);
    Command22->setVisible(false);
}

void Form2::Command12_Click() { txtfields.value(1)->setBoxText(QString()); }

void Form2::Command14_Click() { txtfields.value(0)->setBoxText(QString()); }

// ---------------------------------------------------------------- navigation bar

void Form2::Command18_Click() { qv::Windows::show(QStringLiteral("frmEmployee")); }
void Form2::CmdCalulator_Click() { qv::Windows::show(QStringLiteral("Calculator")); }
void Form2::Command17_Click() { qv::Windows::show(QStringLiteral("frmCustomers")); }
void Form2::Cmdtavrine_Click() { showWindow(); }
void Form2::Command24_Click() { qv::Windows::show(QStringLiteral("Frmdatabase")); }
void Form2::Command25_Click() { qv::Windows::show(QStringLiteral("Form6a")); }

void Form2::Command20_Click()
{
    // The window gives way to the book only: without the book on screen the
    // program would be left with no window to go on from.
    if (!qv::Windows::show(QStringLiteral("Form3")))
        return;
    qv::Windows::unload(QStringLiteral("frmmangement"));
    unload();
}

void Form2::Command19_Click()
{
    if (!qv::Windows::show(QStringLiteral("frmmangement")))
        return;
    // The reports live only while their button runs: none is left to unload.
    unload();
}

void Form2::Command23_Click()
{
    const QList<qv::Window*> windows = qv::Windows::all();
    for (qv::Window* w : windows)
        if (w != this && qv::Windows::all().contains(w))
            w->unload();
    if (qv::Windows::all().contains(this))
        unload();
}

// ---------------------------------------------------------------- tools

void Form2::Command4_Click() { qv::Windows::show(QStringLiteral("Calculator")); }
void Form2::Command10_Click() { qv::Windows::show(QStringLiteral("Frmhelp")); }
void Form2::Command11_Click() { qv::Windows::show(QStringLiteral("ViewerForm")); }
void Form2::Image3_Click() { qv::Windows::show(QStringLiteral("frmTip")); }

void Form2::startProgram(const QString& name)
{
    // A program the system does not have is simply not started: the other
    // tools and the window go on as before.
    passOver([&] { qv::ui().launch(systemProgramFor(name)); });
}

void Form2::Picture4_Click() { startProgram(QStringLiteral("Notepad.exe")); }

void Form2::Command9_Click() { startProgram(QStringLiteral("Pbrush.exe")); }

void Form2::Command7_Click()
{
    // Both are asked for, whatever the first gave, so both start where both exist.
    startProgram(QStringLiteral("kodakimg.exe"));
    startProgram(QStringLiteral("WangImg.exe"));
}

void Form2::Command8_Click()
{
    passOver([] { qv::ui().launch(webOpener(), {makerWebPage()}); });
}
