#include "customers/customer_window.h"

#include "common/connections.h"
#include "common/drawn_pictures.h"
#include "common/find_by_text.h"
#include "common/pass_over.h"
#include "common/picture_viewport.h"
#include "common/window_helpers.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/print/rich_text_box.h"
#include "platform/services/services.h"
#include "reports/customer_report.h"
#include "reports/report_fill.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

QV_REGISTER_WINDOW(frmCustomers);

namespace {

// The window's background, and the grey of its title strips and panels.
const char* const kBackground = "#BAC9D1";
const char* const kGrey = "#C0C0C0";

struct FieldRow {
    int top;
    int label;
    const char* caption;
    int box;            // -1: no box on this row
    const char* field;
};

// The column of fields, top to bottom (also the tab order).
const FieldRow kRows[] = {
    {360, 16, "CustomerID:", 13, "CustomerID"},
    {660, 0, "Customer Name:", 0, "CustomerName"},
    {960, 8, "Phone:", 8, "Phone"},
    {1290, 2, "Contact Name:", 2, "ContactName"},
    {1620, 3, "ContactTitle:", 3, "ContactTitle"},
    {1935, 4, "Address:", 4, "Address"},
    {2265, 5, "City:", 5, "City"},
    {2580, 6, "State:", 6, "Region"},
    {2895, 7, "PostalCode:", 7, "PostalCode"},
    {3240, 13, "Email:", 9, "Email"},
    {3600, 11, "Credit Terms:", 11, "CreditTerms"},
    {3960, 12, "Comments:", 12, "Comments"},
    {4320, 17, "Formulas:", -1, nullptr},
    {4680, 9, "Salon Artist", 1, "EmployeeID"},
    {5040, 15, "Birthday:", 10, "BirthDay"},
};

const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        // Wide enough for a first and last name and for a number written
        // with its area code, "(212) 555-1212".
        {"CustomerName", "Customer Name", "", 1920},
        {"Phone", "Phone", "", 1620},
        {"EmployeeID", "Salon Artist", "", 1260},
        {"BirthDay", "Birthday", "m/d", 900},
    };
    return columns;
}

} // namespace

frmCustomers::frmCustomers(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Customers"));
    buildLayout();
    connectHandlers();
}

frmCustomers::~frmCustomers() = default;

QString frmCustomers::connectionString() const { return recordWindowConnectionString(); }

QString frmCustomers::recordSource() const { return QStringLiteral("SELECT * FROM [Customers]"); }

// ---------------------------------------------------------------- layout

void frmCustomers::buildLayout()
{
    setObjectName(QStringLiteral("frmCustomers"));
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("frmCustomers { background-color: %1; }").arg(kBackground));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(kBackground));
    setPalette(pal);
    setTwipsSize(10590, 6570);
    QFont small = windowFont;
    small.setPointSize(8);

    auto label = [&](const QString& name, const QString& caption, int left, int top, int width, int height = 255) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        qv::place(l, left, top, width, height);
        return l;
    };
    const auto standard = [this](QStyle::StandardPixmap picture) { return style()->standardIcon(picture); };
    auto pictureButton = [&](const QString& name, const QString& tip, const QIcon& icon, int left, int top,
                             QWidget* parent = nullptr) {
        auto* b = new QPushButton(parent ? parent : this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setIcon(icon);
        b->setIconSize(QSize(22, 22));
        qv::place(b, left, top, 495, 435);
        return b;
    };
    auto titleStrip = [&](QLabel* l) {
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setStyleSheet(QStringLiteral("background-color: %1; font-weight: bold;").arg(kGrey));
        moveByLabel(l, this);
    };

    Label1.insert(0, label("Label1_0", "Customer Database", 0, 0, 10590, 300));
    titleStrip(Label1.value(0));

    // The column of fields.
    for (const FieldRow& row : kRows) {
        // "Phone:" leaves the rest of its row to "Required! *".
        const int captionWidth = row.box == 8 ? 660 : 1800;
        lblLabels.insert(row.label, label(QStringLiteral("lblLabels_%1").arg(row.label), QString::fromLatin1(row.caption),
                                          120, row.top + 30, captionWidth));
        if (row.box < 0)
            continue;
        qv::TextBox* box = addField(row.box, QString::fromLatin1(row.field));
        box->setSelectOnFocus(true);
        qv::place(box, 2040, row.top, 3375, row.box == 12 ? 645 : 285);
    }
    txtfields.value(13)->setReadOnly(true);
    txtfields.value(13)->setStyleSheet(QStringLiteral("background-color: #E0E0E0;"));
    txtfields.value(13)->setFocusPolicy(Qt::NoFocus);
    // Comments are kept with their line breaks: they are shown and typed on
    // several lines.
    commentsBox = new qv::ManyLineBox(txtfields.value(12), this);
    commentsBox->setStyleSheet(QStringLiteral("background-color: %1;").arg(kBackground));
    // Between the caption "Phone:" and its box, so that it is read with them.
    lblLabels.insert(14, label("lblLabels_14", "Required! *", 795, 990, 1125));
    lblLabels.value(14)->setStyleSheet(QStringLiteral("color: #C00000;"));
    lblLabels.insert(1, label("lblLabels_1", "Remember! You must enter a Phone# for each Customer.", 6480, 5400, 4000, 420));
    lblLabels.value(1)->setWordWrap(true);
    lblLabels.value(1)->setFont(small);
    // Beside its caption: the comments box reaches down to the caption's row.
    Command10 = pictureButton("Command10", QString(), standard(QStyle::SP_FileDialogDetailedView), 1320, 4290);
    Command10->resize(qv::px(495), qv::px(315));

    // Finds.
    Label1.insert(11, label("Label1_11", "FIND BY NAME OR PHONE #", 5640, 330, 4800, 240));
    bttnFind = pictureButton("bttnFind", "Find By LastName", standard(QStyle::SP_FileDialogContentsView), 5640, 585);
    Command1 = pictureButton("Command1", "Find By Phone Number", standard(QStyle::SP_FileDialogInfoView), 6240, 585);
    Label1.insert(12, label("Label1_12",
                            "Note: Names are not case sensitive. Numbers must be formatted exactly as they were "
                            "originally inserted. Ie. (212) 555-1212",
                            6840, 570, 3700, 600));
    Label1.value(12)->setWordWrap(true);
    Label1.value(12)->setFont(small);
    moveByLabel(Label1.value(11), this);
    moveByLabel(Label1.value(12), this);

    // The picture: its caption on one line over its path, the path over the
    // frame; the strip left of them stays free for the datasheet panel.
    lblLabels.insert(10, label("lblLabels_10", "Insert Picture of your Client below.", 6600, 1200, 3615, 240));
    lblLabels.value(10)->setFont(small);
    qv::TextBox* path = addField(16, QStringLiteral("Image"));
    path->setSelectOnFocus(true);
    path->setStyleSheet(QStringLiteral("background-color: #FFFFC0;"));
    qv::place(path, 6600, 1440, 3615, 360);
    picture = new PictureViewport(this, path);
    picture->place(6600, 1800, 3375, 2535, 4080, 9960, 255);

    // The picture buttons with their captions under them.
    struct BarButton {
        QPushButton** slot;
        const char* name;
        QLabel** caption;
        const char* captionName;
        const char* label;
        const char* tip;
        QIcon icon;
    };
    const BarButton bar[] = {
        {&Command6, "Command6", &Label2, "Label2", "Database", "", standard(QStyle::SP_FileDialogListView)},
        {&Command3, "Command3", &Label3, "Label3", "Picture", "", standard(QStyle::SP_DirOpenIcon)},
        {&Command4, "Command4", &Label4, "Label4", "Print", "", printIcon()},
        {&Command2, "Command2", &Label5, "Label5", "Delete ", "Delete the picture from the database.", standard(QStyle::SP_TrashIcon)},
        {&Command7, "Command7", &Label6, "Label6", "Report", "Report of Customers", standard(QStyle::SP_FileIcon)},
    };
    int left = 6600;
    for (const BarButton& b : bar) {
        *b.slot = pictureButton(QString::fromLatin1(b.name), QString::fromLatin1(b.tip), b.icon, left + 120, 4440);
        // Centred under its button and a little wider than the step between
        // buttons, so that "Database" in 8-point type is not cut at either
        // side; the short captions never meet in the overlap.
        *b.caption = label(QString::fromLatin1(b.captionName), QString::fromLatin1(b.label), left - 52, 4920, 840);
        (*b.caption)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        (*b.caption)->setFont(small);
        left += 780;
    }
    Command8 = pictureButton("Command8", "Use a color printer!", standard(QStyle::SP_DialogYesButton), 5760, 4440);
    Label1.insert(2, label("Label1_2", "Gift Certificates", 5460, 4920, 1110, 420));
    Label1.value(2)->setWordWrap(true);
    Label1.value(2)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    moveByLabel(Label1.value(2), this);

    // "Enter".
    Command9 = new QPushButton(QStringLiteral("Enter"), this);
    Command9->setObjectName(QStringLiteral("Command9"));
    qv::place(Command9, 2040, 5400, 855, 330);
    Label7 = label("Label7", "Click on Enter to add this Customer directly into the Appointment form.", 2970, 5370, 3450, 420);
    Label7->setWordWrap(true);
    Label7->setFont(small);

    // The formulas panel, with the rich-text box lying on it.
    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setAutoFillBackground(true);
    Picture2->setStyleSheet(QStringLiteral("#Picture2 { background-color: %1; border: 1px solid #808080; }").arg(kGrey));
    qv::place(Picture2, 1200, 1680, 5895, 3495);
    Label9 = new QLabel(QStringLiteral("Type in your Formulas here"), Picture2);
    Label9->setObjectName(QStringLiteral("Label9"));
    qv::place(Label9, 120, 60, 3000, 255);
    Command12 = new QPushButton(QStringLiteral("Print"), Picture2);
    Command12->setObjectName(QStringLiteral("Command12"));
    qv::place(Command12, 4380, 30, 855, 300);
    Command11 = new QPushButton(QStringLiteral("X"), Picture2);
    Command11->setObjectName(QStringLiteral("Command11"));
    qv::place(Command11, 5340, 30, 435, 300);
    rtf3 = new qv::RichTextBox(this);
    rtf3->setObjectName(QStringLiteral("rtf3"));
    qv::place(rtf3, 1320, 2040, 5655, 3015);
    Picture2->hide();
    rtf3->hide();

    // The grid panel, wide enough that its four columns and the scroll bar
    // of a long client list show side by side. It lies wholly over the rows
    // from "Contact Name" to "Credit Terms" (the name and phone of the client
    // stay in sight above it) and stops short of the picture and of the row
    // of tools under it, which stay free to click.
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    Picture1->setStyleSheet(QStringLiteral("#Picture1 { background-color: %1; border: 1px solid #808080; }").arg(kGrey));
    qv::place(Picture1, 60, 1260, 6300, 2670);
    auto* gridTitle = new QLabel(QStringLiteral("Customer Database"), Picture1);
    gridTitle->setObjectName(QStringLiteral("Label1_1"));
    qv::place(gridTitle, 120, 60, 5460, 270);
    Label1.insert(1, gridTitle);
    titleStrip(gridTitle);
    Command5 = new QPushButton(QStringLiteral("X"), Picture1);
    Command5->setObjectName(QStringLiteral("Command5"));
    qv::place(Command5, 5745, 45, 435, 285);
    DataGrid1 = new qv::DataGrid(Picture1);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setToolTip(QStringLiteral("Customer Database"));
    qv::place(DataGrid1, 120, 360, 6060, 2220);
    Picture1->hide();

    // The edit and navigation bars lie at the foot (the template places them).
    picButtons->raise();
    picStatBox->raise();
}

void frmCustomers::connectHandlers()
{
    onClick(bttnFind, [this] { bttnFind_Click(); });
    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command2, [this] { Command2_Click(); });
    onClick(Command3, [this] { Command3_Click(); });
    onClick(Command4, [this] { Command4_Click(); });
    onClick(Command5, [this] { Command5_Click(); });
    onClick(Command6, [this] { Command6_Click(); });
    onClick(Command7, [this] { Command7_Click(); });
    onClick(Command8, [this] { Command8_Click(); });
    onClick(Command9, [this] { Command9_Click(); });
    onClick(Command10, [this] { Command10_Click(); });
    onClick(Command11, [this] { Command11_Click(); });
    onClick(Command12, [this] { Command12_Click(); });
    connect(DataGrid1, &qv::DataGrid::rowPicked, this, [this] { ShowPicture(); });
}

// ---------------------------------------------------------------- load and close

void frmCustomers::formLoad()
{
    // Nothing stops the load: a database that cannot be opened leaves an
    // empty window whose buttons report their own errors.
    passOver([this] { RemoveCloseCommand(this); });
    passOver([this] { RecordForm::formLoad(); });
    passOver([this] { attachGrid(); });
    passOver([this] { rtf3->bind(adoPrimaryRS.get(), QStringLiteral("Formulas")); });
    ShowPicture();
}

void frmCustomers::formUnload(bool& cancel)
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

void frmCustomers::attachGrid()
{
    if (adoPrimaryRS)
        DataGrid1->setDataSource(adoPrimaryRS, gridColumns());
}

void frmCustomers::detachGrid()
{
    DataGrid1->setDataSource(nullptr);
}

// ---------------------------------------------------------------- the record

void frmCustomers::ShowPicture()
{
    passOver([this] { picture->showPicture(); });
}

void frmCustomers::adoPrimaryRS_MoveComplete()
{
    RecordForm::adoPrimaryRS_MoveComplete();
    ShowPicture();
}

void frmCustomers::cmdFirst_Click()
{
    // First alone also reports a picture that cannot be shown.
    reportErrors([this] {
        adoPrimaryRS->moveFirst();
        picture->showPicture();
    });
}

void frmCustomers::cmdLast_Click()
{
    RecordForm::cmdLast_Click();
    ShowPicture();
}

void frmCustomers::cmdNext_Click()
{
    RecordForm::cmdNext_Click();
    ShowPicture();
}

void frmCustomers::cmdPrevious_Click()
{
    RecordForm::cmdPrevious_Click();
    ShowPicture();
}

void frmCustomers::cmdAdd_Click()
{
    passOver([this] {
        if (!(adoPrimaryRS->bof() && adoPrimaryRS->eof()))
            SavedBookmark = adoPrimaryRS->bookmark();
    });
    passOver([this] { adoPrimaryRS->addNew(); });
    lblStatus->setText(QStringLiteral("Add record"));
    AddNewFlag = true;
    SetButtons(false);
    // The new record has no picture.
    picture->clearPicture();
}

void frmCustomers::cmdUpdate_Click()
{
    if (txtfields.value(8)->text().isEmpty()) {
        // A client without a phone is not kept: the change is dropped, and
        // what was typed with it (a new record goes altogether).
        passOver([this] { adoPrimaryRS->cancelUpdate(); });
        passOver([this] { reshowBoxes(); });
        passOver([this] { rtf3->refresh(); });
        qv::ui().msgBox(QStringLiteral(" You must enter a phone number for this client."));
    }
    try {
        adoPrimaryRS->updateBatch();
        if (!adoPrimaryRS->eof())
            adoPrimaryRS->move(0);
    } catch (const std::exception&) {
        // Adding or editing goes on with Update and Cancel on screen.
        qv::ui().msgBox(QStringLiteral("You have not entered a Phone#  or The Phone # you are trying to enter is "
                                       "already in the database. Select another, Click cancel or add A letter to "
                                       "the Phone # ie 858-9899F"));
        return;
    }
    EditFlag = false;
    AddNewFlag = false;
    SetButtons(true);
}

void frmCustomers::cmdCancel_Click()
{
    cancelRereading([this] { detachGrid(); }, [this] { attachGrid(); }, [this] { rtf3->refresh(); });
    ShowPicture();
}

void frmCustomers::cmdDelete_Click()
{
    passOver([this] {
        if (qv::ui().msgBox(QStringLiteral("Delete the Current Record"), qv::MsgStyle::YesNo | qv::MsgStyle::Question,
                            QStringLiteral("Delete Record"))
            == qv::MsgResult::Yes) {
            if (adoPrimaryRS->editMode() != qv::EditMode::Add) {
                passOver([this] { adoPrimaryRS->deleteCurrent(); });
                passOver([this] { reshowBoxes(); });
                passOver([this] { rtf3->refresh(); });
                passOver([this] { adoPrimaryRS->moveNext(); });
                passOver([this] {
                    if (adoPrimaryRS->eof())
                        adoPrimaryRS->moveLast();
                });
            }
        }
    });
    ShowPicture();
}

void frmCustomers::cmdRefresh_Click()
{
    reportErrors([this] {
        adoPrimaryRS->requery();
        ShowPicture();
        Command9->setEnabled(true);
    });
}

void frmCustomers::cmdClose_Click()
{
    // The connection and the grid go in the unload, after the template has
    // saved what was typed while browsing.
    unload();
}

// ---------------------------------------------------------------- finds

void frmCustomers::afterFind(const QString& typed)
{
    if (typed.isEmpty())
        return;
    passOver([this] { adoPrimaryRS->move(0); });
    ShowPicture();
}

void frmCustomers::bttnFind_Click()
{
    QString typed;
    FindByText(*adoPrimaryRS, QStringLiteral("CustomerName"), QStringLiteral("Enter a customers First &  Last Name"),
               QStringLiteral("Could not find the Customer Name. "), &typed);
    afterFind(typed);
}

void frmCustomers::Command1_Click()
{
    QString typed;
    passOver([&] {
        FindByText(*adoPrimaryRS, QStringLiteral("Phone"), QStringLiteral("Enter a Phone Number"),
                   QStringLiteral("Could not find Phone Number. "), &typed);
    });
    afterFind(typed);
}

// ---------------------------------------------------------------- panels and pictures

void frmCustomers::Command6_Click()
{
    Picture1->setVisible(true);
    Picture1->raise();
    Command5->setVisible(true);
    DataGrid1->setVisible(true);
}

void frmCustomers::Command5_Click()
{
    Picture1->setVisible(false);
    Command5->setVisible(false);
    DataGrid1->setVisible(false);
}

void frmCustomers::Command10_Click()
{
    Picture2->setVisible(true);
    Picture2->raise();
    Command11->setVisible(true);
    Command12->setVisible(true);
    rtf3->setVisible(true);
    rtf3->raise();
}

void frmCustomers::Command11_Click()
{
    Picture2->setVisible(false);
    Command11->setVisible(false);
    Command12->setVisible(false);
    rtf3->setVisible(false);
}

void frmCustomers::Command3_Click()
{
    passOver([this] { picture->insertPicture(); });
}

void frmCustomers::Command2_Click()
{
    picture->deletePicture(adoPrimaryRS.get());
}

// ---------------------------------------------------------------- report and certificates

void frmCustomers::Command7_Click()
{
    // The window goes before the report appears; nothing of it is used after.
    unload();
    DataReport6A report;
    reportFill(report, QStringLiteral(
        "SELECT [CustomerName], [CustomerID], [ContactName], [ContactTitle], [Address], [City], [Region], "
        "[PostalCode], [Country], [Phone], [Fax], [Email], [DateAppointment], [CreditTerms], [BirthDay], "
        "[Comments], [Image], [ClientDetails], [EmployeeID] FROM [Customers]"));
}

void frmCustomers::Command8_Click()
{
    qv::Windows::show(QStringLiteral("Form4"));
}

// ---------------------------------------------------------------- moving the window by its title labels

void frmCustomers::Label1_MouseDown(const QPoint& at)
{
    m_dragging = true;
    m_dragFrom = at;
}

void frmCustomers::Label1_MouseMove(const QPoint& at)
{
    if (m_dragging)
        move(x() + at.x() - m_dragFrom.x(), y() + at.y() - m_dragFrom.y());
}

void frmCustomers::Label1_MouseUp()
{
    m_dragging = false;
}
