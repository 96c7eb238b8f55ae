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

QV_REGISTER_WINDOW_AS(EmployeeWindow, "frmEmployee");

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
    {EmployeeWindow::EmployeeIdBox, "EmployeeID", "EmployeeID:"},
    {EmployeeWindow::SocialSecurityBox, "EmployeeSS", "Employee SS#:"},
    {EmployeeWindow::LastNameBox, "LastName", "LastName:"},
    {EmployeeWindow::FirstNameBox, "FirstName", "FirstName:"},
    {EmployeeWindow::AddressBox, "Address", "Address:"},
    {EmployeeWindow::CityBox, "City", "City:"},
    {EmployeeWindow::StateBox, "Region", "State:"},
    {EmployeeWindow::ZipCodeBox, "PostalCode", "ZipCode:"},
    {EmployeeWindow::PhoneBox, "HomePhone", "Phone:"},
    {EmployeeWindow::ExtensionBox, "Extension", "Extension:"},
    {EmployeeWindow::BirthDateBox, "BirthDate", "BirthDate:"},
    {EmployeeWindow::HireDateBox, "HireDate", "HireDate:"},
    {EmployeeWindow::TerminationDateBox, "TerminationDate", "Termination Date:"},
    {EmployeeWindow::TitleBox, "Title", "Title:"},
    {EmployeeWindow::ReportsToBox, "ReportsTo", "ReportsTo:"},
    {EmployeeWindow::NotesBox, "Notes", "Notes:"},
};

int labelOf(int box)
{
    return box == EmployeeWindow::EmployeeIdBox ? EmployeeWindow::EmployeeIdCaption : box + 1;
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

EmployeeWindow::EmployeeWindow(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Employee Database"));
    buildLayout();
    connectHandlers();
}

EmployeeWindow::~EmployeeWindow() = default;

QString EmployeeWindow::connectionString() const { return recordWindowConnectionString(); }

QString EmployeeWindow::recordSource() const { return QStringLiteral("SELECT *FROM [Employees]"); }

// ---------------------------------------------------------------- layout

void EmployeeWindow::buildLayout()
{
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

    dragLabels.insert(TitleStrip, label("Label1_0", "Employee Database", 0, 0, 10590, 300));
    dragLabels.value(TitleStrip)->setAlignment(Qt::AlignCenter);
    dragLabels.value(TitleStrip)->setAutoFillBackground(true);
    dragLabels.value(TitleStrip)->setStyleSheet(QStringLiteral("background-color: %1; font-weight: bold;").arg(kGrey));
    moveByLabel(dragLabels.value(TitleStrip), this);

    // The column of fields.
    int top = 420;
    for (const FieldRow& row : kRows) {
        const int index = labelOf(row.box);
        captionLabels.insert(index,
                             label(qv::arrayMemberName("lblLabels", index), QString::fromLatin1(row.caption), 120,
                                   top + 30, 1560));
        qv::TextBox* box = addField(row.box, QString::fromLatin1(row.field),
                                    row.box == TerminationDateBox ? "M/dd/yy" : QString());
        box->setSelectOnFocus(true);
        qv::place(box, 1740, top, 3615, 285);
        top += 330;
    }
    // The table numbers its employees; a number typed here could only be refused.
    fieldBoxes.value(EmployeeIdBox)->setReadOnly(true);
    fieldBoxes.value(EmployeeIdBox)->setFocusPolicy(Qt::NoFocus);
    fieldBoxes.value(EmployeeIdBox)->setStyleSheet(QStringLiteral("background-color: %1;").arg(kGrey));
    requiredMark = label("Label7", "*", 5400, 750 + 15, 120);
    requiredMark->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));
    captionLabels.insert(ReminderCaption, label("lblLabels_1", "Remember!  Social Security # is a required field.", 120,
                                                top + 30, 5235));

    // The photo: its path above the frame.
    captionLabels.insert(PhotoCaption,
                         label("lblLabels_17", "Insert Picture of your Employee below.", 6600, 390, 3615));
    qv::TextBox* path = addField(PhotoPathBox, QStringLiteral("Photo"));
    path->setSelectOnFocus(true);
    path->setStyleSheet(QStringLiteral("background-color: #FFFFC0;"));
    qv::place(path, 6600, 690, 3615, 315);
    picture = new PictureViewport(this, path);
    picture->place(6600, 1200, 3375, 2775, 3960, 9960, 255);
    qv::place(picture->horizontalScrollBar, 6600, 3960, 3615, 255);

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
        {&showGridButton, "Command6", &databaseCaption, "Label2", "Database", "", standard(QStyle::SP_FileDialogListView)},
        {&insertPhotoButton, "Command3", &pictureCaption, "Label3", "Picture", "", standard(QStyle::SP_DirOpenIcon)},
        {&printCardButton, "Command4", &printCaption, "Label4", "Print", "", printIcon()},
        {&deletePhotoButton, "Command2", &deleteCaption, "Label5", "Delete", "Delete the picture from the database.",
         standard(QStyle::SP_TrashIcon)},
        {&reportButton, "Command7", &reportCaption, "Label6", "Report", "Report Of Employees", standard(QStyle::SP_FileIcon)},
    };
    int buttonTop = 1200;
    for (const BarButton& b : bar) {
        *b.slot = pictureButton(QString::fromLatin1(b.name), QString::fromLatin1(b.tip), b.icon, 5790, buttonTop);
        *b.caption = label(QString::fromLatin1(b.captionName), QString::fromLatin1(b.label), 5520, buttonTop + 450, 1035);
        (*b.caption)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        buttonTop += 720;
    }

    // The finds, under the photo.
    findByLastNameButton = pictureButton("bttnFind", "Find By LastName", standard(QStyle::SP_FileDialogContentsView),
                                         6600, 4320);
    findBySocialSecurityButton = pictureButton("Command1", "Find By ID", standard(QStyle::SP_FileDialogInfoView), 7200,
                                               4320);
    dragLabels.insert(FindCaption, label("Label1_11", "FIND BY NAME <-OR-> ID #", 6600, 4830, 3615, 240));
    dragLabels.insert(FindNote, label("Label1_12",
                                      "Note: Names are not case sensitive. Numbers must be formatted exactly as they were "
                                      "originally inserted. Ie. 000-00-0000",
                                      6600, 5100, 3615, 810));
    dragLabels.value(FindNote)->setWordWrap(true);
    moveByLabel(dragLabels.value(FindCaption), this);
    moveByLabel(dragLabels.value(FindNote), this);

    // The grid panel, over the middle of the fields: whole rows of them, so
    // that no box shows half under it. It reaches as far as the buttons'
    // captions allow, the grid filling it but for a thin margin: the four
    // columns and the scroll bar of a long list stay in sight together.
    gridPanel = new QWidget(this);
    gridPanel->setObjectName(QStringLiteral("Picture1"));
    gridPanel->setAutoFillBackground(true);
    gridPanel->setStyleSheet(QStringLiteral("#Picture1 { background-color: %1; border: 1px solid #808080; }").arg(kBackground));
    qv::place(gridPanel, 60, 1395, 5505, 2970);
    auto* gridCaption = new QLabel(QStringLiteral("Employee Database"), gridPanel);
    gridCaption->setObjectName(QStringLiteral("DataGrid1_Caption"));
    gridCaption->setAlignment(Qt::AlignCenter);
    gridCaption->setAutoFillBackground(true);
    gridCaption->setStyleSheet(QStringLiteral("background-color: %1; font-weight: bold;").arg(kGrey));
    qv::place(gridCaption, 45, 60, 4890, 270);
    hideGridButton = new QPushButton(QStringLiteral("X"), gridPanel);
    hideGridButton->setObjectName(QStringLiteral("Command5"));
    qv::place(hideGridButton, 5025, 45, 435, 285);
    employeeGrid = new qv::DataGrid(gridPanel);
    employeeGrid->setObjectName(QStringLiteral("DataGrid1"));
    qv::place(employeeGrid, 45, 360, 5415, 2520);
    gridPanel->hide();

    // The edit and navigation bars lie at the foot (the template places them).
    recordButtonBar->raise();
    recordStatusBar->raise();
}

void EmployeeWindow::connectHandlers()
{
    onClick(findByLastNameButton, [this] { findByLastName(); });
    onClick(findBySocialSecurityButton, [this] { findBySocialSecurityNumber(); });
    onClick(deletePhotoButton, [this] { deletePhoto(); });
    onClick(insertPhotoButton, [this] { insertPhoto(); });
    onClick(printCardButton, [this] { printEmployeeCard(); });
    onClick(hideGridButton, [this] { hideGridPanel(); });
    onClick(showGridButton, [this] { showGridPanel(); });
    onClick(reportButton, [this] { showEmployeeReport(); });
    // The grid moves the shared recordset, which shows the photo already;
    // its pick shows it once more from what the path box holds.
    connect(employeeGrid, &qv::DataGrid::rowPicked, this, [this] { showPhotoQuietly(); });
}

// ---------------------------------------------------------------- load and close

void EmployeeWindow::formLoad()
{
    // Nothing stops the load: a database that cannot be opened leaves an
    // empty window whose buttons report their own errors.
    passOver([this] { centerOnScreen(this); });
    passOver([this] { removeCloseCommand(this); });
    passOver([this] { RecordForm::formLoad(); });
    passOver([this] { attachGrid(); });
    showPhotoQuietly();
}

void EmployeeWindow::formUnload(bool& cancel)
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

void EmployeeWindow::attachGrid()
{
    if (primaryRecordset)
        employeeGrid->setDataSource(primaryRecordset, gridColumns());
}

void EmployeeWindow::detachGrid()
{
    employeeGrid->setDataSource(nullptr);
}

// ---------------------------------------------------------------- the record

void EmployeeWindow::refreshPhoto()
{
    picture->showPicture();
}

void EmployeeWindow::showPhotoQuietly()
{
    passOver([this] { refreshPhoto(); });
}

void EmployeeWindow::currentRecordChanged()
{
    RecordForm::currentRecordChanged();
    // A photo that cannot be shown must not stop a move.
    showPhotoQuietly();
}

void EmployeeWindow::showFirstRecord()
{
    // First also reports a photo that cannot be shown.
    reportErrors([this] {
        fieldBoxes.value(SocialSecurityBox)->setFocus();
        primaryRecordset->moveFirst();
        refreshPhoto();
    });
}

void EmployeeWindow::showLastRecord()
{
    fieldBoxes.value(SocialSecurityBox)->setFocus();
    RecordForm::showLastRecord();
    showPhotoQuietly();
}

void EmployeeWindow::showNextRecord()
{
    fieldBoxes.value(SocialSecurityBox)->setFocus();
    RecordForm::showNextRecord();
    showPhotoQuietly();
}

void EmployeeWindow::showPreviousRecord()
{
    fieldBoxes.value(SocialSecurityBox)->setFocus();
    RecordForm::showPreviousRecord();
    showPhotoQuietly();
}

void EmployeeWindow::addRecord()
{
    passOver([this] {
        if (!(primaryRecordset->bof() && primaryRecordset->eof()))
            bookmarkBeforeAdd = primaryRecordset->bookmark();
    });
    passOver([this] { primaryRecordset->addNew(); });
    recordStatusLabel->setText(QStringLiteral("Add record"));
    addingRecord = true;
    setBrowsingButtons(false);
    // No photo while a new employee is being entered.
    showPhotoQuietly();
    picture->clearPicture();
}

void EmployeeWindow::updateRecord()
{
    if (fieldBoxes.value(SocialSecurityBox)->text().isEmpty()) {
        // No employee is kept without a social security number. Nothing is
        // saved, and nothing typed is lost either: the window stays in adding
        // or editing with the focus where the number goes (Cancel drops it).
        qv::ui().msgBox(QStringLiteral(" You must enter an ID # for this Employee."));
        fieldBoxes.value(SocialSecurityBox)->setFocus();
        return;
    }
    try {
        if (!primaryRecordset)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        primaryRecordset->updateBatch();
        if (!primaryRecordset->eof())
            primaryRecordset->move(0);
    } catch (const std::exception&) {
        // Adding or editing goes on with Update and Cancel on screen.
        qv::ui().msgBox(QStringLiteral("You have generated an error. Enter a SS# for this employee."));
        return;
    }
    editingRecord = false;
    addingRecord = false;
    setBrowsingButtons(true);
}

void EmployeeWindow::cancelRecordChange()
{
    cancelRereading([this] { detachGrid(); }, [this] { attachGrid(); });
    showPhotoQuietly();
}

void EmployeeWindow::deleteRecord()
{
    bool deleted = false;
    passOver([&] {
        if (qv::ui().msgBox(QStringLiteral("Delete the Current Record"), qv::MsgStyle::YesNo | qv::MsgStyle::Question,
                            QStringLiteral("Delete Record"))
                == qv::MsgResult::Yes
            && primaryRecordset->editMode() != qv::EditMode::Add) {
            primaryRecordset->deleteCurrent();
            deleted = true;
        }
    });
    if (deleted) {
        // The deleted row is no record to show: the one after it takes its
        // place, or the last one when it was the last.
        passOver([this] { reshowBoxes(); });
        passOver([this] { primaryRecordset->moveNext(); });
        passOver([this] {
            if (primaryRecordset->eof())
                primaryRecordset->moveLast();
        });
    } else {
        passOver([this] { primaryRecordset->move(0); });
        passOver([this] {
            if (primaryRecordset->eof())
                primaryRecordset->moveLast();
        });
    }
    showPhotoQuietly();
}

void EmployeeWindow::refreshRecords()
{
    reportErrors([this] {
        primaryRecordset->requery();
        refreshPhoto();
    });
}

void EmployeeWindow::closeRecordWindow()
{
    // The connection and the grid go in the unload, after the template has
    // saved what was typed while browsing.
    unload();
}

// ---------------------------------------------------------------- finds

void EmployeeWindow::afterFind(const QString& typed)
{
    if (typed.isEmpty())
        return;
    passOver([this] { primaryRecordset->move(0); });
    showPhotoQuietly();
}

void EmployeeWindow::findByLastName()
{
    QString typed;
    passOver([&] {
        findByText(*primaryRecordset, QStringLiteral("LastName"), QStringLiteral("Enter an employee's Last Name"),
                   QStringLiteral("Could not find the Employee Name. "), &typed);
    });
    afterFind(typed);
}

void EmployeeWindow::findBySocialSecurityNumber()
{
    QString typed;
    passOver([&] {
        findByText(*primaryRecordset, QStringLiteral("EmployeeSS"), QStringLiteral("Enter a Social Security #"),
                   QStringLiteral("Could not find this Employee by Social Security#. "), &typed);
    });
    afterFind(typed);
}

// ---------------------------------------------------------------- grid panel and photo

void EmployeeWindow::showGridPanel()
{
    gridPanel->setVisible(true);
    gridPanel->raise();
    hideGridButton->setVisible(true);
}

void EmployeeWindow::hideGridPanel()
{
    gridPanel->setVisible(false);
    hideGridButton->setVisible(false);
}

void EmployeeWindow::insertPhoto()
{
    passOver([this] { picture->insertPicture(); });
}

void EmployeeWindow::deletePhoto()
{
    picture->deletePicture(primaryRecordset.get());
    // Saved, so no longer adding or editing; the buttons are left as they are.
    editingRecord = false;
    addingRecord = false;
}

// ---------------------------------------------------------------- report

void EmployeeWindow::showEmployeeReport()
{
    // The window goes before the report appears; nothing of it is used after.
    // An employee being added or edited is asked about first, and may keep it.
    unload();
    if (!isUnloading())
        return;
    EmployeeReport report;
    reportFill(report, QStringLiteral("SELECT * FROM [EMPLOYEES]"));
}

