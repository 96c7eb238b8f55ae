#include "inventory/vendor_book.h"

#include "common/connections.h"
#include "common/window_helpers.h"
#include "inventory/typed_boxes.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"

#include <QPainter>

QV_REGISTER_WINDOW_AS(VendorBook, "Frmdatabase");

namespace {

const QColor kBackground(0xBA, 0xC9, 0xD1);

QPixmap phonePicture()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(30, 30, 30));
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(2, 4, 20, 6, 3, 3);      // handset
    p.setBrush(QColor(200, 40, 40));
    p.drawRoundedRect(4, 11, 16, 10, 2, 2);    // body
    p.setBrush(Qt::white);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(7 + c * 4, 13 + r * 4, 2, 2);
    return pm;
}

} // namespace

VendorBook::VendorBook(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Vendor Address Book"));
    buildLayout();
}

QString VendorBook::connectionString() const { return recordWindowConnectionString(); }

QString VendorBook::recordSource() const
{
    return QStringLiteral("SELECT [CompanyName], [ContactName], [ContactTitle], [Address], [City], [Region], "
                          "[PostalCode], [Country], [Phone], [Fax], [HomePage] FROM [Suppliers]");
}

void VendorBook::buildLayout()
{
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    for (QWidget* panel : {recordButtonBar, recordStatusBar}) {
        panel->setAutoFillBackground(true);
        panel->setPalette(pal);
    }
    // A fixed dialog frame: no minimize or maximize, no resizing.
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setTwipsSize(8340, 5625);
    setFixedSize(size());

    auto caption = [this](int index, const QString& text, int left, int top, int width, Qt::Alignment align) {
        auto* l = new QLabel(text, this);
        l->setObjectName(qv::arrayMemberName("lblLabels", index));
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(align);
        qv::place(l, left, top, width, 255);
        captionLabels.insert(index, l);
    };
    auto box = [this](int index, const char* field, int left, int top, int width) {
        qv::TextBox* b = addField(index, QString::fromLatin1(field));
        b->setSelectOnFocus(true);
        qv::place(b, left, top, width, 300);
        return b;
    };

    // In Tab order: the left column (captions to the left), then the right (captions above).
    struct Left { int index; const char* field; const char* caption; };
    const Left left[] = {
        {CompanyNameBox, "CompanyName", "Company Name:"},
        {PhoneBox, "Phone", "Phone:"},
        {AddressBox, "Address", "Address:"},
        {CityBox, "City", "City:"},
        {StateBox, "Region", "State:"},
        {ZipBox, "PostalCode", "Zip:"},
        {FaxBox, "Fax", "Fax:"},
    };
    int top = 120;
    for (const Left& l : left) {
        caption(l.index, QString::fromLatin1(l.caption), 60, top + 30, 1500, Qt::AlignRight | Qt::AlignVCenter);
        box(l.index, l.field, 1620, top, l.index == CompanyNameBox || l.index == AddressBox ? 3300 : 2400);
        top += 345;
    }
    const Left right[] = {
        {ContactBox, "ContactName", "Contact:"},
        {ContactTitleBox, "ContactTitle", "Contact Title:"},
        {CountryBox, "Country", "Country:"},
        {WebsiteBox, "HomePage", "Business Website:"},
    };
    top = 120;
    for (const Left& r : right) {
        caption(r.index, QString::fromLatin1(r.caption), 5160, top, 3000, Qt::AlignLeft | Qt::AlignBottom);
        box(r.index, r.field, 5160, top + 255, 3000);
        top += 600;
    }
    QList<QWidget*> order;
    for (int index : {CompanyNameBox, PhoneBox, AddressBox, CityBox, StateBox, ZipBox, FaxBox, ContactBox,
                      ContactTitleBox, CountryBox, WebsiteBox})
        order << fieldBoxes.value(index);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The dialer beside the phone box.
    dialerButton = new QPushButton(this);
    dialerButton->setObjectName(QStringLiteral("Command1"));
    dialerButton->setIcon(QIcon(phonePicture()));
    dialerButton->setIconSize(QSize(24, 24));
    dialerButton->setFocusPolicy(Qt::NoFocus);
    qv::place(dialerButton, 4080, 120 + 345 - 45, 480, 390);

    vendorGrid = new qv::DataGrid(this);
    vendorGrid->setObjectName(QStringLiteral("DataGrid1"));
    qv::place(vendorGrid, 120, 2610, 8100, 2235);

    // The status label keeps its texts out of sight.
    recordStatusLabel->setVisible(false);

    onClick(dialerButton, [this] { startDialer(); });
}

// ---------------------------------------------------------------- load and close

void VendorBook::formLoad()
{
    makeTopMost(this);
    removeCloseCommand(this);
    // Still a fixed dialog frame once the title bar has lost its Close command.
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    makeTopMost(this);
    // A database that cannot be opened is reported (by the window's guard)
    // and leaves an empty window whose buttons say what is wrong.
    RecordForm::formLoad();
    bindGrid();
}

void VendorBook::bindGrid()
{
    vendorGrid->setDataSource(primaryRecordset);
}

void VendorBook::formUnload(bool& cancel)
{
    // What was typed while browsing is saved first, or the window stays open.
    RecordForm::formUnload(cancel);
    if (cancel)
        return;
    ignoreErrors([this] {
        if (primaryRecordset)
            primaryRecordset->close();
    });
    ignoreErrors([this] {
        if (db)
            db->close();
        db.reset();
    });
    ignoreErrors([this] { vendorGrid->setDataSource(nullptr); });
}

// ---------------------------------------------------------------- record form

void VendorBook::addRecord()
{
    ignoreErrors([this] {
        if (!(primaryRecordset->bof() && primaryRecordset->eof()))
            bookmarkBeforeAdd = primaryRecordset->bookmark();
    });
    ignoreErrors([this] { primaryRecordset->addNew(); });
    recordStatusLabel->setText(QStringLiteral("Add record"));
    addingRecord = true;
    setBrowsingButtons(false);
    ignoreErrors([this] { bindGrid(); });
}

void VendorBook::updateRecord()
{
    const QString nothingToSave =
        QStringLiteral("You have not entered a record. Enter information or click cancel to continue.");
    // A vendor with nothing typed is no vendor: it would be a blank entry in the vendor list.
    if (!primaryRecordset
        || (addingRecord && primaryRecordset->editMode() == qv::EditMode::Add && nothingTyped(fieldBoxes))) {
        qv::ui().msgBox(nothingToSave);
        return;
    }
    if (!recordMayBeSaved())
        return;
    try {
        primaryRecordset->updateBatch();
        if (addingRecord)
            primaryRecordset->moveLast();
        editingRecord = false;
        addingRecord = false;
        setBrowsingButtons(true);
    } catch (const std::exception& e) {
        reportRefusedSave(e, nothingToSave);
    }
}

bool VendorBook::recordMayBeSaved()
{
    // The inventory master lists vendors by their company name: one without
    // it would be a blank entry there.
    qv::TextBox* name = fieldBoxes.value(CompanyNameBox);
    if (!name->text().trimmed().isEmpty())
        return true;
    qv::ui().msgBox(QStringLiteral("You have not entered a Company Name for this vendor. Enter one, or click "
                                   "cancel to drop the change."));
    name->setFocus();
    return false;
}

void VendorBook::cancelRecordChange()
{
    cancelRereading([this] { vendorGrid->setDataSource(nullptr); }, [this] { bindGrid(); });
}

void VendorBook::deleteRecord()
{
    qv::ui().beep();
    if (qv::ui().msgBox(QStringLiteral("Delete the Current Record"), qv::MsgStyle::YesNo | qv::MsgStyle::Question,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Yes)
        return;
    // Reported by the window's guard: an empty table has no row to delete.
    if (!primaryRecordset)
        throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
    if (primaryRecordset->editMode() == qv::EditMode::Add)
        return;
    primaryRecordset->deleteCurrent();
    // The deleted row stays current until the user moves; its texts go from the boxes.
    reshowBoxes();
}

// ---------------------------------------------------------------- dialer

void VendorBook::startDialer()
{
    // The dialer starts without a number; whether it started is not looked at.
    try {
        qv::ui().launch(dialerProgram(), {});
    } catch (const std::exception&) {
    }
}
