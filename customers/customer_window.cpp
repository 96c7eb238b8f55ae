#include "customers/customer_window.h"

#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "common/drawn_pictures.h"
#include "common/find_by_text.h"
#include "common/ordinary_values.h"
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
#include "customers/gift_certificate.h"

#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

QV_REGISTER_WINDOW_AS(CustomerWindow, "frmCustomers");

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
    {360, CustomerWindow::CustomerIdCaption, "CustomerID:", CustomerWindow::CustomerIdBox, "CustomerID"},
    {660, CustomerWindow::NameCaption, "Customer Name:", CustomerWindow::NameBox, "CustomerName"},
    {960, CustomerWindow::PhoneCaption, "Phone:", CustomerWindow::PhoneBox, "Phone"},
    {1290, CustomerWindow::ContactNameCaption, "Contact Name:", CustomerWindow::ContactNameBox, "ContactName"},
    {1620, CustomerWindow::ContactTitleCaption, "ContactTitle:", CustomerWindow::ContactTitleBox, "ContactTitle"},
    {1935, CustomerWindow::AddressCaption, "Address:", CustomerWindow::AddressBox, "Address"},
    {2265, CustomerWindow::CityCaption, "City:", CustomerWindow::CityBox, "City"},
    {2580, CustomerWindow::StateCaption, "State:", CustomerWindow::StateBox, "Region"},
    {2895, CustomerWindow::PostalCodeCaption, "PostalCode:", CustomerWindow::PostalCodeBox, "PostalCode"},
    {3240, CustomerWindow::EmailCaption, "Email:", CustomerWindow::EmailBox, "Email"},
    {3600, CustomerWindow::CreditTermsCaption, "Credit Terms:", CustomerWindow::CreditTermsBox, "CreditTerms"},
    {3960, CustomerWindow::CommentsCaption, "Comments:", CustomerWindow::CommentsBox, "Comments"},
    {4320, CustomerWindow::FormulasCaption, "Formulas:", CustomerWindow::NoBox, nullptr},
    {4680, CustomerWindow::ArtistCaption, "Salon Artist", CustomerWindow::ArtistBox, "EmployeeID"},
    {5040, CustomerWindow::BirthdayCaption, "Birthday:", CustomerWindow::BirthdayBox, "BirthDay"},
};

const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        // Wide enough for a client's name at its longest and for a number
        // written with its area code, "(212) 555-1212".
        {"CustomerName", "Customer Name", "", 1920, OrdinaryValue::clientName},
        {"Phone", "Phone", "", 1530},
        {"EmployeeID", "Salon Artist", "", 1125},
        {"BirthDay", "Birthday", "m/d", 840},
    };
    return columns;
}

} // namespace

CustomerWindow::CustomerWindow(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Customers"));
    buildLayout();
    connectHandlers();
}

CustomerWindow::~CustomerWindow() = default;

QString CustomerWindow::connectionString() const { return recordWindowConnectionString(); }

QString CustomerWindow::recordSource() const { return QStringLiteral("SELECT * FROM [Customers]"); }

// ---------------------------------------------------------------- layout

void CustomerWindow::buildLayout()
{
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("CustomerWindow { background-color: %1; }").arg(kBackground));
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

    headings.insert(WindowHeading, label("Label1_0", "Customer Database", 0, 0, 10590, 300));
    titleStrip(headings.value(WindowHeading));

    // The column of fields.
    for (const FieldRow& row : kRows) {
        // "Phone:" leaves the rest of its row to "Required! *".
        const int captionWidth = row.box == PhoneBox ? 660 : 1800;
        captionLabels.insert(row.label,
                             label(qv::arrayMemberName("lblLabels", row.label), QString::fromLatin1(row.caption),
                                   120, row.top + 30, captionWidth));
        if (row.box < 0)
            continue;
        qv::TextBox* box = addField(row.box, QString::fromLatin1(row.field));
        box->setSelectOnFocus(true);
        qv::place(box, 2040, row.top, 3375, row.box == CommentsBox ? 645 : 285);
    }
    fieldBoxes.value(CustomerIdBox)->setReadOnly(true);
    fieldBoxes.value(CustomerIdBox)->setStyleSheet(QStringLiteral("background-color: #E0E0E0;"));
    fieldBoxes.value(CustomerIdBox)->setFocusPolicy(Qt::NoFocus);
    // Comments are kept with their line breaks: they are shown and typed on
    // several lines.
    commentsBox = new qv::ManyLineBox(fieldBoxes.value(CommentsBox), this);
    commentsBox->setStyleSheet(QStringLiteral("background-color: %1;").arg(kBackground));
    // Between the caption "Phone:" and its box, so that it is read with them.
    captionLabels.insert(PhoneRequired, label("lblLabels_14", "Required! *", 795, 990, 1125));
    captionLabels.value(PhoneRequired)->setStyleSheet(QStringLiteral("color: #C00000;"));
    captionLabels.insert(PhoneReminder,
                         label("lblLabels_1", "Remember! You must enter a Phone# for each Customer.", 6480, 5400, 4000,
                               420));
    captionLabels.value(PhoneReminder)->setWordWrap(true);
    captionLabels.value(PhoneReminder)->setFont(small);
    // Beside its caption: the comments box reaches down to the caption's row.
    formulasButton = pictureButton("Command10", QString(), standard(QStyle::SP_FileDialogDetailedView), 1320, 4290);
    formulasButton->resize(qv::px(495), qv::px(315));

    // Finds.
    headings.insert(FindHeading, label("Label1_11", "FIND BY NAME OR PHONE #", 5640, 330, 4800, 240));
    findByNameButton = pictureButton("bttnFind", "Find By LastName", standard(QStyle::SP_FileDialogContentsView), 5640, 585);
    findByPhoneButton = pictureButton("Command1", "Find By Phone Number", standard(QStyle::SP_FileDialogInfoView), 6240, 585);
    headings.insert(FindNote, label("Label1_12",
                            "Note: Names are not case sensitive. Numbers must be formatted exactly as they were "
                            "originally inserted. Ie. (212) 555-1212",
                            6840, 570, 3700, 600));
    headings.value(FindNote)->setWordWrap(true);
    headings.value(FindNote)->setFont(small);
    moveByLabel(headings.value(FindHeading), this);
    moveByLabel(headings.value(FindNote), this);

    // The picture: its caption on one line over its path, the path over the
    // frame; the strip left of them stays free for the datasheet panel.
    captionLabels.insert(PictureHint,
                         label("lblLabels_10", "Insert Picture of your Client below.", 7200, 1200, 3255, 240));
    captionLabels.value(PictureHint)->setFont(small);
    qv::TextBox* path = addField(PicturePathBox, QStringLiteral("Image"));
    path->setSelectOnFocus(true);
    path->setStyleSheet(QStringLiteral("background-color: #FFFFC0;"));
    qv::place(path, 7200, 1440, 3255, 360);
    picture = new PictureViewport(this, path);
    picture->place(7200, 1800, 3015, 2535, 4080, 10200, 255);

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
        {&clientListButton, "Command6", &clientListCaption, "Label2", "Database", "", standard(QStyle::SP_FileDialogListView)},
        {&insertPictureButton, "Command3", &insertPictureCaption, "Label3", "Picture", "", standard(QStyle::SP_DirOpenIcon)},
        {&printCardButton, "Command4", &printCardCaption, "Label4", "Print", "", printIcon()},
        {&deletePictureButton, "Command2", &deletePictureCaption, "Label5", "Delete ", "Delete the picture from the database.", standard(QStyle::SP_TrashIcon)},
        {&customerReportButton, "Command7", &customerReportCaption, "Label6", "Report", "Report of Customers", standard(QStyle::SP_FileIcon)},
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
    giftCertificatesButton = pictureButton("Command8", "Use a color printer!", standard(QStyle::SP_DialogYesButton), 5760, 4440);
    headings.insert(GiftCertificatesCaption, label("Label1_2", "Gift Certificates", 5460, 4920, 1110, 420));
    headings.value(GiftCertificatesCaption)->setWordWrap(true);
    headings.value(GiftCertificatesCaption)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    moveByLabel(headings.value(GiftCertificatesCaption), this);

    // "Enter".
    sendToTicketButton = new QPushButton(QStringLiteral("Enter"), this);
    sendToTicketButton->setObjectName(QStringLiteral("Command9"));
    qv::place(sendToTicketButton, 2040, 5400, 855, 330);
    sendToTicketHint = label("Label7", "Click on Enter to add this Customer directly into the Appointment form.", 2970, 5370, 3450, 420);
    sendToTicketHint->setWordWrap(true);
    sendToTicketHint->setFont(small);

    // The formulas panel, with the rich-text box lying on it.
    formulasPanel = new QWidget(this);
    formulasPanel->setObjectName(QStringLiteral("Picture2"));
    formulasPanel->setAutoFillBackground(true);
    formulasPanel->setStyleSheet(QStringLiteral("#Picture2 { background-color: %1; border: 1px solid #808080; }").arg(kGrey));
    qv::place(formulasPanel, 1200, 1680, 5895, 3495);
    formulasHeading = new QLabel(QStringLiteral("Type in your Formulas here"), formulasPanel);
    formulasHeading->setObjectName(QStringLiteral("Label9"));
    qv::place(formulasHeading, 120, 60, 3000, 255);
    printFormulasButton = new QPushButton(QStringLiteral("Print"), formulasPanel);
    printFormulasButton->setObjectName(QStringLiteral("Command12"));
    qv::place(printFormulasButton, 4380, 30, 855, 300);
    closeFormulasButton = new QPushButton(QStringLiteral("X"), formulasPanel);
    closeFormulasButton->setObjectName(QStringLiteral("Command11"));
    qv::place(closeFormulasButton, 5340, 30, 435, 300);
    formulasBox = new qv::RichTextBox(this);
    formulasBox->setObjectName(QStringLiteral("rtf3"));
    qv::place(formulasBox, 1320, 2040, 5655, 3015);
    formulasPanel->hide();
    formulasBox->hide();

    // The grid panel, wide enough that its four columns (a client's name at
    // its longest in the first) and the scroll bar of a long client list
    // show side by side. It lies wholly over the rows
    // from "Contact Name" to "Credit Terms" (the name and phone of the client
    // stay in sight above it) and stops short of the picture and of the row
    // of tools under it, which stay free to click.
    clientListPanel = new QWidget(this);
    clientListPanel->setObjectName(QStringLiteral("Picture1"));
    clientListPanel->setAutoFillBackground(true);
    clientListPanel->setStyleSheet(QStringLiteral("#Picture1 { background-color: %1; border: 1px solid #808080; }").arg(kGrey));
    qv::place(clientListPanel, 60, 1260, 7110, 2670);
    auto* gridTitle = new QLabel(QStringLiteral("Customer Database"), clientListPanel);
    gridTitle->setObjectName(QStringLiteral("Label1_1"));
    qv::place(gridTitle, 120, 60, 6270, 270);
    headings.insert(ClientListHeading, gridTitle);
    titleStrip(gridTitle);
    closeClientListButton = new QPushButton(QStringLiteral("X"), clientListPanel);
    closeClientListButton->setObjectName(QStringLiteral("Command5"));
    qv::place(closeClientListButton, 6555, 45, 435, 285);
    clientGrid = new qv::DataGrid(clientListPanel);
    clientGrid->setObjectName(QStringLiteral("DataGrid1"));
    clientGrid->setToolTip(QStringLiteral("Customer Database"));
    qv::place(clientGrid, 60, 360, 6990, 2220);
    clientListPanel->hide();

    // The edit and navigation bars lie at the foot (the template places them).
    recordButtonBar->raise();
    recordStatusBar->raise();
}

void CustomerWindow::connectHandlers()
{
    onClick(findByNameButton, [this] { findByName(); });
    onClick(findByPhoneButton, [this] { findByPhone(); });
    onClick(deletePictureButton, [this] { deletePicture(); });
    onClick(insertPictureButton, [this] { insertPicture(); });
    onClick(printCardButton, [this] { printClientCard(); });
    onClick(closeClientListButton, [this] { hideClientList(); });
    onClick(clientListButton, [this] { showClientList(); });
    onClick(customerReportButton, [this] { openCustomerReport(); });
    onClick(giftCertificatesButton, [this] { openGiftCertificates(); });
    onClick(sendToTicketButton, [this] { sendClientToTicket(); });
    onClick(formulasButton, [this] { showFormulas(); });
    onClick(closeFormulasButton, [this] { hideFormulas(); });
    onClick(printFormulasButton, [this] { printFormulas(); });
    connect(clientGrid, &qv::DataGrid::rowPicked, this, [this] { showClientPicture(); });
}

// ---------------------------------------------------------------- load and close

void CustomerWindow::formLoad()
{
    // Nothing stops the load: a database that cannot be opened leaves an
    // empty window whose buttons report their own errors.
    passOver([this] { removeCloseCommand(this); });
    passOver([this] { RecordForm::formLoad(); });
    passOver([this] { attachGrid(); });
    passOver([this] { formulasBox->bind(primaryRecordset.get(), QStringLiteral("Formulas")); });
    showClientPicture();
    passOver([this] { standClearOfTheBooksButtons(); });
}

void CustomerWindow::standClearOfTheBooksButtons()
{
    AppointmentBook* book = qv::Windows::loaded<AppointmentBook>();
    QWidget* bar = book && book->isVisible() ? book->findChild<QWidget*>(QStringLiteral("picButtons")) : nullptr;
    if (!bar || !book->screen())
        return;
    // This window's frame, before it is shown, is taken to be the book's.
    const QRect bookFrame = book->frameGeometry();
    const QSize frame(width() + bookFrame.width() - book->width(), height() + bookFrame.height() - book->height());
    const QRect screen = book->screen()->availableGeometry();
    const int barTop = bar->mapToGlobal(QPoint(0, 0)).y();
    // Right above the bar, so that the book's own bar of buttons at its top
    // stays in sight as well where there is room for it.
    const int top = qMax(screen.top(), barTop - frame.height());
    const int left = qBound(screen.left(), bookFrame.center().x() - frame.width() / 2,
                            qMax(screen.left(), screen.right() + 1 - frame.width()));
    move(left, top);
}

void CustomerWindow::formUnload(bool& cancel)
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

void CustomerWindow::attachGrid()
{
    if (primaryRecordset)
        clientGrid->setDataSource(primaryRecordset, gridColumns());
}

void CustomerWindow::detachGrid()
{
    clientGrid->setDataSource(nullptr);
}

// ---------------------------------------------------------------- the record

void CustomerWindow::showClientPicture()
{
    passOver([this] { picture->showPicture(); });
}

void CustomerWindow::currentRecordChanged()
{
    RecordForm::currentRecordChanged();
    showClientPicture();
}

void CustomerWindow::showFirstRecord()
{
    // First alone also reports a picture that cannot be shown.
    reportErrors([this] {
        primaryRecordset->moveFirst();
        picture->showPicture();
    });
}

void CustomerWindow::showLastRecord()
{
    RecordForm::showLastRecord();
    showClientPicture();
}

void CustomerWindow::showNextRecord()
{
    RecordForm::showNextRecord();
    showClientPicture();
}

void CustomerWindow::showPreviousRecord()
{
    RecordForm::showPreviousRecord();
    showClientPicture();
}

void CustomerWindow::addRecord()
{
    passOver([this] {
        if (!(primaryRecordset->bof() && primaryRecordset->eof()))
            bookmarkBeforeAdd = primaryRecordset->bookmark();
    });
    passOver([this] { primaryRecordset->addNew(); });
    recordStatusLabel->setText(QStringLiteral("Add record"));
    addingRecord = true;
    setBrowsingButtons(false);
    // The new record has no picture.
    picture->clearPicture();
}

bool CustomerWindow::recordMayBeSaved()
{
    // A client without a phone is not kept, and blanks are no phone: the
    // desk finds clients by it. Nor is what was typed thrown away: the
    // window stays on the record, waiting for the number (Cancel drops the
    // change).
    if (!fieldBoxes.value(PhoneBox)->text().trimmed().isEmpty())
        return true;
    qv::ui().msgBox(QStringLiteral(" You must enter a phone number for this client."));
    fieldBoxes.value(PhoneBox)->setFocus();
    return false;
}

void CustomerWindow::updateRecord()
{
    if (!recordMayBeSaved())
        return;
    try {
        primaryRecordset->updateBatch();
        if (!primaryRecordset->eof())
            primaryRecordset->move(0);
    } catch (const std::exception&) {
        // Adding or editing goes on with Update and Cancel on screen.
        qv::ui().msgBox(QStringLiteral("You have not entered a Phone#  or The Phone # you are trying to enter is "
                                       "already in the database. Select another, Click cancel or add A letter to "
                                       "the Phone # ie 858-9899F"));
        return;
    }
    editingRecord = false;
    addingRecord = false;
    setBrowsingButtons(true);
}

void CustomerWindow::cancelRecordChange()
{
    cancelRereading([this] { detachGrid(); }, [this] { attachGrid(); }, [this] { formulasBox->refresh(); });
    showClientPicture();
}

void CustomerWindow::deleteRecord()
{
    passOver([this] {
        if (qv::ui().msgBox(QStringLiteral("Delete the Current Record"), qv::MsgStyle::YesNo | qv::MsgStyle::Question,
                            QStringLiteral("Delete Record"))
            == qv::MsgResult::Yes) {
            if (primaryRecordset->editMode() != qv::EditMode::Add) {
                passOver([this] { primaryRecordset->deleteCurrent(); });
                passOver([this] { reshowBoxes(); });
                passOver([this] { formulasBox->refresh(); });
                passOver([this] { primaryRecordset->moveNext(); });
                passOver([this] {
                    if (primaryRecordset->eof())
                        primaryRecordset->moveLast();
                });
            }
        }
    });
    showClientPicture();
}

void CustomerWindow::refreshRecords()
{
    reportErrors([this] {
        primaryRecordset->requery();
        showClientPicture();
        sendToTicketButton->setEnabled(true);
    });
}

void CustomerWindow::closeRecordWindow()
{
    // The connection and the grid go in the unload, after the template has
    // saved what was typed while browsing.
    unload();
}

// ---------------------------------------------------------------- finds

void CustomerWindow::afterFind(const QString& typed)
{
    if (typed.isEmpty())
        return;
    passOver([this] { primaryRecordset->move(0); });
    showClientPicture();
}

void CustomerWindow::findByName()
{
    QString typed;
    findByText(*primaryRecordset, QStringLiteral("CustomerName"),
               QStringLiteral("Enter a customers First &  Last Name"),
               QStringLiteral("Could not find the Customer Name. "), &typed);
    afterFind(typed);
}

void CustomerWindow::findByPhone()
{
    QString typed;
    passOver([&] {
        findByText(*primaryRecordset, QStringLiteral("Phone"), QStringLiteral("Enter a Phone Number"),
                   QStringLiteral("Could not find Phone Number. "), &typed);
    });
    afterFind(typed);
}

// ---------------------------------------------------------------- panels and pictures

void CustomerWindow::showClientList()
{
    clientListPanel->setVisible(true);
    clientListPanel->raise();
    closeClientListButton->setVisible(true);
    clientGrid->setVisible(true);
}

void CustomerWindow::hideClientList()
{
    clientListPanel->setVisible(false);
    closeClientListButton->setVisible(false);
    clientGrid->setVisible(false);
}

void CustomerWindow::showFormulas()
{
    formulasPanel->setVisible(true);
    formulasPanel->raise();
    closeFormulasButton->setVisible(true);
    printFormulasButton->setVisible(true);
    formulasBox->setVisible(true);
    formulasBox->raise();
}

void CustomerWindow::hideFormulas()
{
    formulasPanel->setVisible(false);
    closeFormulasButton->setVisible(false);
    printFormulasButton->setVisible(false);
    formulasBox->setVisible(false);
}

void CustomerWindow::insertPicture()
{
    passOver([this] { picture->insertPicture(); });
}

void CustomerWindow::deletePicture()
{
    picture->deletePicture(primaryRecordset.get());
}

// ---------------------------------------------------------------- report and certificates

void CustomerWindow::openCustomerReport()
{
    // The window goes before the report appears; nothing of it is used after.
    // A client being added or edited is asked about first, and may keep it.
    unload();
    if (!isUnloading())
        return;
    CustomerReport report;
    reportFill(report, QStringLiteral(
        "SELECT [CustomerName], [CustomerID], [ContactName], [ContactTitle], [Address], [City], [Region], "
        "[PostalCode], [Country], [Phone], [Fax], [Email], [DateAppointment], [CreditTerms], [BirthDay], "
        "[Comments], [Image], [ClientDetails], [EmployeeID] FROM [Customers]"));
}

void CustomerWindow::openGiftCertificates()
{
    qv::Windows::show<GiftCertificate>();
}
