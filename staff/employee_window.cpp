#include "staff/employee_window.h"

#include "common/connections.h"
#include "common/find_by_text.h"
#include "common/pass_over.h"
#include "common/picture_viewport.h"
#include "common/drawn_pictures.h"
#include "common/window_helpers.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "reports/employee_report.h"
#include "reports/report_fill.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

QV_REGISTER_WINDOW(frmEmployee);

namespace {

// The window's background, and the grey of its title strip and number box.
const char* const kBackground = "#BAC9D1";
const char* const kGrey = "#C0C0C0";

struct FieldRow {
    int box;
    const char* field;
    const char* caption;
};

// The column of fields, top to bottom (also the tab order). The caption of
// box i is lblLabels(i + 1), but for the number's, lblLabels(0);
// lblLabels(1) is the reminder under the column.
const FieldRow kRows[] = {
    {0, "EmployeeID", "EmployeeID:"},
    {13, "EmployeeSS", "Employee SS#:"},
    {1, "LastName", "LastName:"},
    {2, "FirstName", "FirstName:"},
    {3, "Address", "Address:"},
    {4, "City", "City:"},
    {5, "Region", "State:"},
    {6, "PostalCode", "ZipCode:"},
    {7, "HomePhone", "Phone:"},
    {8, "Extension", "Extension:"},
    {9, "BirthDate", "BirthDate:"},
    {10, "HireDate", "HireDate:"},
    {15, "TerminationDate", "Termination Date:"},
    {11, "Title", "Title:"},
    {12, "ReportsTo", "ReportsTo:"},
    {14, "Notes", "Notes:"},
};

int labelOf(int box)
{
    return box == 0 ? 0 : box + 1;
}

// Each column holds its caption and the longest value of an ordinary
// record (a name of ten letters, a date of two-digit month and day).
const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        {"EmployeeSS", "Employee ID", "", 1230},
        {"LastName", "LastName", "", 1170},
        {"HireDate", "HireDate", "", 1080},
        {"TerminationDate", "Termination Date", "M/dd/yy", 1650},
    };
    return columns;
}

} // namespace

frmEmployee::frmEmployee(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Employee Database"));
    buildLayout();
    connectHandlers();
}

frmEmployee::~frmEmployee() = default;

QString frmEmployee::connectionString() const { return recordWindowConnectionString(); }

QString frmEmployee::recordSource() const { return QStringLiteral("SELECT *FROM [Employees]"); }

// ---------------------------------------------------------------- layout

void frmEmployee::buildLayout()
{
    setObjectName(QStringLiteral("frmEmployee"));
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(kBackground));
    setPalette(pal);
    setTwipsSize(10590, 6810);

    auto label = [&](const QString& name, const QString& caption, int left, int top, int width, int height = 255) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        qv::place(l, left, top, width, height);
        return l;
    };
    const auto standard = [this](QStyle::StandardPixmap picture) { return style()->standardIcon(picture); };
    auto pictureButton = [&](const QString& name, const QString& tip, const QIcon& icon, int left, int top) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setIcon(icon);
        b->setIconSize(QSize(22, 22));
        qv::place(b, left, top, 495, 435);
        return b;
    };

    Label1.insert(0, label("Label1_0", "Employee Database", 0, 0, 10590, 300));
    Label1.value(0)->setAlignment(Qt::AlignCenter);
    Label1.value(0)->setAutoFillBackground(true);
    Label1.value(0)->setStyleSheet(QStringLiteral("background-color: %1; font-weight: bold;").arg(kGrey));
    moveByLabel(Label1.value(0), this);

    // The column of fields.
    int top = 420;
    for (const FieldRow& row : kRows) {
        const int index = labelOf(row.box);
        lblLabels.insert(index, label(QStringLiteral("lblLabels_%1").arg(index), QString::fromLatin1(row.caption), 120,
                                      top + 30, 1560));
        qv::TextBox* box = addField(row.box, QString::fromLatin1(row.field), row.box == 15 ? "M/dd/yy" : QString());
        box->setSelectOnFocus(true);
        qv::place(box, 1740, top, 3615, 285);
        top += 330;
    }
    // The table numbers its employees; a number typed here could only be refused.
    txtfields.value(0)->setReadOnly(true);
    txtfields.value(0)->setFocusPolicy(Qt::NoFocus);
    txtfields.value(0)->setStyleSheet(QStringLiteral("background-color: %1;").arg(kGrey));
    Label7 = label("Label7", "*", 5400, 750 + 15, 120);
    Label7->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));
    lblLabels.insert(1, label("lblLabels_1", "Remember!  Social Security # is a required field.", 120, top + 30, 5235));

    // The photo: its path above the frame.
    lblLabels.insert(17, label("lblLabels_17", "Insert Picture of your Employee below.", 6600, 390, 3615));
    qv::TextBox* path = addField(16, QStringLiteral("Photo"));
    path->setSelectOnFocus(true);
    path->setStyleSheet(QStringLiteral("background-color: #FFFFC0;"));
    qv::place(path, 6600, 690, 3615, 315);
    picture = new PictureViewport(this, path);
    picture->place(6600, 1200, 3375, 2775, 3960, 9960, 255);
    qv::place(picture->HslPicdest, 6600, 3960, 3615, 255);

    // The picture buttons, captions under them, between the fields and the photo.
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
        {&Command2, "Command2", &Label5, "Label5", "Delete", "Delete the picture from the database.",
         standard(QStyle::SP_TrashIcon)},
        {&Command7, "Command7", &Label6, "Label6", "Report", "Report Of Employees", standard(QStyle::SP_FileIcon)},
    };
    int buttonTop = 1200;
    for (const BarButton& b : bar) {
        *b.slot = pictureButton(QString::fromLatin1(b.name), QString::fromLatin1(b.tip), b.icon, 5790, buttonTop);
        *b.caption = label(QString::fromLatin1(b.captionName), QString::fromLatin1(b.label), 5520, buttonTop + 450, 1035);
        (*b.caption)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        buttonTop += 720;
    }

    // The finds, under the photo.
    bttnFind = pictureButton("bttnFind", "Find By LastName", standard(QStyle::SP_FileDialogContentsView), 6600, 4320);
    Command1 = pictureButton("Command1", "Find By ID", standard(QStyle::SP_FileDialogInfoView), 7200, 4320);
    Label1.insert(11, label("Label1_11", "FIND BY NAME <-OR-> ID #", 6600, 4830, 3615, 240));
    Label1.insert(12, label("Label1_12",
                            "Note: Names are not case sensitive. Numbers must be formatted exactly as they were "
                            "originally inserted. Ie. 000-00-0000",
                            6600, 5100, 3615, 810));
    Label1.value(12)->setWordWrap(true);
    moveByLabel(Label1.value(11), this);
    moveByLabel(Label1.value(12), this);

    // The grid panel, over the middle of the fields: whole rows of them, so
    // that no box shows half under it.
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    Picture1->setStyleSheet(QStringLiteral("#Picture1 { background-color: %1; border: 1px solid #808080; }").arg(kBackground));
    qv::place(Picture1, 120, 1395, 5385, 2970);
    auto* gridCaption = new QLabel(QStringLiteral("Employee Database"), Picture1);
    gridCaption->setObjectName(QStringLiteral("DataGrid1_Caption"));
    gridCaption->setAlignment(Qt::AlignCenter);
    gridCaption->setAutoFillBackground(true);
    gridCaption->setStyleSheet(QStringLiteral("background-color: %1; font-weight: bold;").arg(kGrey));
    qv::place(gridCaption, 90, 60, 4665, 270);
    Command5 = new QPushButton(QStringLiteral("X"), Picture1);
    Command5->setObjectName(QStringLiteral("Command5"));
    qv::place(Command5, 4845, 45, 435, 285);
    DataGrid1 = new qv::DataGrid(Picture1);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    qv::place(DataGrid1, 90, 360, 5205, 2520);
    Picture1->hide();

    // The edit and navigation bars lie at the foot (the template places them).
    picButtons->raise();
    picStatBox->raise();
}

void frmEmployee::connectHandlers()
{
    onClick(bttnFind, [this] { bttnFind_Click(); });
    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command2, [this] { Command2_Click(); });
    onClick(Command3, [this] { Command3_Click(); });
    onClick(Command4, [this] { Command4_Click(); });
    onClick(Command5, [this] { Command5_Click(); });
    onClick(Command6, [this] { Command6_Click(); });
    onClick(Command7, [this] { Command7_Click(); });
    // The grid moves the shared recordset, which shows the photo already;
    // its pick shows it once more from what the path box holds.
    connect(DataGrid1, &qv::DataGrid::rowPicked, this, [this] { showPhotoQuietly(); });
}

// ---------------------------------------------------------------- load and close

void frmEmployee::formLoad()
{
    // Nothing stops the load: a database that cannot be opened leaves an
    // empty window whose buttons report their own errors.
    passOver([this] { CenterOnScreen(this); });
    passOver([this] { RemoveCloseCommand(this); });
    passOver([this] { RecordForm::formLoad(); });
    passOver([this] { attachGrid(); });
    showPhotoQuietly();
}

void frmEmployee::formUnload(bool& cancel)
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

void frmEmployee::attachGrid()
{
    if (adoPrimaryRS)
        DataGrid1->setDataSource(adoPrimaryRS, gridColumns());
}

void frmEmployee::detachGrid()
{
    DataGrid1->setDataSource(nullptr);
}

// ---------------------------------------------------------------- the record

void frmEmployee::RefreshPhoto()
{
    picture->showPicture();
}

void frmEmployee::showPhotoQuietly()
{
    passOver([this] { RefreshPhoto(); });
}

void frmEmployee::adoPrimaryRS_MoveComplete()
{
    RecordForm::adoPrimaryRS_MoveComplete();
    // A photo that cannot be shown must not stop a move.
    showPhotoQuietly();
}

void frmEmployee::cmdFirst_Click()
{
    // First also reports a photo that cannot be shown.
    reportErrors([this] {
        txtfields.value(13)->setFocus();
        adoPrimaryRS->moveFirst();
        RefreshPhoto();
    });
}

void frmEmployee::cmdLast_Click()
{
    txtfields.value(13)->setFocus();
    RecordForm::cmdLast_Click();
    showPhotoQuietly();
}

void frmEmployee::cmdNext_Click()
{
    txtfields.value(13)->setFocus();
    RecordForm::cmdNext_Click();
    showPhotoQuietly();
}

void frmEmployee::cmdPrevious_Click()
{
    txtfields.value(13)->setFocus();
    RecordForm::cmdPrevious_Click();
    showPhotoQuietly();
}

void frmEmployee::cmdAdd_Click()
{
    passOver([this] {
        if (!(adoPrimaryRS->bof() && adoPrimaryRS->eof()))
            SavedBookmark = adoPrimaryRS->bookmark();
    });
    passOver([this] { adoPrimaryRS->addNew(); });
    lblStatus->setText(QStringLiteral("Add record"));
    AddNewFlag = true;
    SetButtons(false);
    // No photo while a new employee is being entered.
    showPhotoQuietly();
    picture->clearPicture();
}

void frmEmployee::cmdUpdate_Click()
{
    if (txtfields.value(13)->text().isEmpty()) {
        // No employee is kept without a social security number: the change is
        // dropped with what was typed for it (a new record goes altogether).
        passOver([this] { adoPrimaryRS->cancelUpdate(); });
        passOver([this] { reshowBoxes(); });
        qv::ui().msgBox(QStringLiteral(" You must enter an ID # for this Employee."));
    }
    try {
        if (!adoPrimaryRS)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        adoPrimaryRS->updateBatch();
        if (!adoPrimaryRS->eof())
            adoPrimaryRS->move(0);
    } catch (const std::exception&) {
        // Adding or editing goes on with Update and Cancel on screen.
        qv::ui().msgBox(QStringLiteral("You have generated an error. Enter a SS# for this employee."));
        return;
    }
    EditFlag = false;
    AddNewFlag = false;
    SetButtons(true);
}

void frmEmployee::cmdCancel_Click()
{
    cancelRereading([this] { detachGrid(); }, [this] { attachGrid(); });
    showPhotoQuietly();
}

void frmEmployee::cmdDelete_Click()
{
    bool deleted = false;
    passOver([&] {
        if (qv::ui().msgBox(QStringLiteral("Delete the Current Record"), qv::MsgStyle::YesNo | qv::MsgStyle::Question,
                            QStringLiteral("Delete Record"))
                == qv::MsgResult::Yes
            && adoPrimaryRS->editMode() != qv::EditMode::Add) {
            adoPrimaryRS->deleteCurrent();
            deleted = true;
        }
    });
    if (deleted) {
        // The deleted row is no record to show: the one after it takes its
        // place, or the last one when it was the last.
        passOver([this] { reshowBoxes(); });
        passOver([this] { adoPrimaryRS->moveNext(); });
        passOver([this] {
            if (adoPrimaryRS->eof())
                adoPrimaryRS->moveLast();
        });
    } else {
        passOver([this] { adoPrimaryRS->move(0); });
        passOver([this] {
            if (adoPrimaryRS->eof())
                adoPrimaryRS->moveLast();
        });
    }
    showPhotoQuietly();
}

void frmEmployee::cmdRefresh_Click()
{
    reportErrors([this] {
        adoPrimaryRS->requery();
        RefreshPhoto();
    });
}

void frmEmployee::cmdClose_Click()
{
    // The connection and the grid go in the unload, after the template has
    // saved what was typed while browsing.
    unload();
}

// ---------------------------------------------------------------- finds

void frmEmployee::afterFind(const QString& typed)
{
    if (typed.isEmpty())
        return;
    passOver([this] { adoPrimaryRS->move(0); });
    showPhotoQuietly();
}

void frmEmployee::bttnFind_Click()
{
    QString typed;
    passOver([&] {
        FindByText(*adoPrimaryRS, QStringLiteral("LastName"), QStringLiteral("Enter an employee's Last Name"),
                   QStringLiteral("Could not find the Employee Name. "), &typed);
    });
    afterFind(typed);
}

void frmEmployee::Command1_Click()
{
    QString typed;
    passOver([&] {
        FindByText(*adoPrimaryRS, QStringLiteral("EmployeeSS"), QStringLiteral("Enter a Social Security #"),
                   QStringLiteral("Could not find this Employee by Social Security#. "), &typed);
    });
    afterFind(typed);
}

// ---------------------------------------------------------------- grid panel and photo

void frmEmployee::Command6_Click()
{
    Picture1->setVisible(true);
    Picture1->raise();
    Command5->setVisible(true);
}

void frmEmployee::Command5_Click()
{
    Picture1->setVisible(false);
    Command5->setVisible(false);
}

void frmEmployee::Command3_Click()
{
    passOver([this] { picture->insertPicture(); });
}

void frmEmployee::Command2_Click()
{
    picture->deletePicture(adoPrimaryRS.get());
    // Saved, so no longer adding or editing; the buttons are left as they are.
    EditFlag = false;
    AddNewFlag = false;
}

// ---------------------------------------------------------------- report

void frmEmployee::Command7_Click()
{
    // The window goes before the report appears; nothing of it is used after.
    unload();
    DataReport7 report;
    reportFill(report, QStringLiteral("SELECT * FROM [EMPLOYEES]"));
}

// ---------------------------------------------------------------- moving the window by its labels

void frmEmployee::Label1_MouseDown(const QPoint& at)
{
    m_dragging = true;
    m_dragFrom = at;
}

void frmEmployee::Label1_MouseMove(const QPoint& at)
{
    if (m_dragging)
        move(x() + at.x() - m_dragFrom.x(), y() + at.y() - m_dragFrom.y());
}

void frmEmployee::Label1_MouseUp()
{
    m_dragging = false;
}
