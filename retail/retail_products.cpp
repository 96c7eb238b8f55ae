#include "retail/retail_products.h"

#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "common/find_by_text.h"
#include "common/pass_over.h"
#include "common/window_helpers.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "retail/stock_posting.h"
#include "shell/quick_tips.h"
#include "shell/retail_products_login.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

QV_REGISTER_WINDOW_AS(RetailProducts, "FormProductsA");

namespace {

// Placement in pixels of the 800 x 600 design, turned into twips.
void at(QWidget* w, int x, int y, int width, int height)
{
    qv::place(w, x * qv::kTwipsPerPixel, y * qv::kTwipsPerPixel, width * qv::kTwipsPerPixel,
              height * qv::kTwipsPerPixel);
}

const QString kInstructions = QStringLiteral(
    "Scroll to the product that your client is purchasing. Enter Quantity. Click on button #1. The product will "
    "now appear on the Appointment form in the corresponding box. Do the same for other products that are being "
    "purchased. (Management)To delete an entry which has been updated on the Appointment Form, you MUST first "
    "enter the returned to stock amount. Click on the X corresponding to the product entered on the Appointment "
    "form. Click edit then update and refresh. Close.");

// Slot buttons, their captions and the slot-clearing buttons beneath them.
const char* const kSlotButtons[5] = {"Command16", "Command17", "Command18", "Command15", "Command14"};
const char* const kSlotCaptions[5] = {"1#", "#2", "#3", "#4", "#5"};
const char* const kClearButtons[5] = {"Command6", "Command5", "Command2", "Command12", "Command13"};

QPixmap padlockPicture(bool open)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(Qt::NoBrush);
    if (open)
        p.drawArc(3, 2, 10, 14, 0, 180 * 16);
    else
        p.drawArc(7, 2, 10, 14, 0, 180 * 16);
    p.setPen(QColor(120, 90, 0));
    p.setBrush(QColor(230, 190, 60));
    p.drawRect(5, 10, 14, 11);
    return pm;
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

} // namespace

RetailProducts::RetailProducts(QWidget* parent) : StockWindow(parent)
{
    setWindowTitle(QStringLiteral("Products Menu"));
    buildLayout();
    connectHandlers();
    setBrowsingButtons(true);
}

RetailProducts::~RetailProducts() = default;

QString RetailProducts::recordSource() const
{
    return QStringLiteral("SELECT *  FROM StockControl Where StockControl.Price>0 Order BY StockControl.Category DESC");
}

QPushButton* RetailProducts::slotButton(int slot) const
{
    if (slot < 1 || slot > 5)
        return nullptr;
    return findChild<QPushButton*>(QString::fromLatin1(kSlotButtons[slot - 1]));
}

QPushButton* RetailProducts::slotClearButton(int slot) const
{
    if (slot < 1 || slot > 5)
        return nullptr;
    return findChild<QPushButton*>(QString::fromLatin1(kClearButtons[slot - 1]));
}

// ---------------------------------------------------------------- layout

void RetailProducts::buildLayout()
{
    setTwipsSize(800 * qv::kTwipsPerPixel, 575 * qv::kTwipsPerPixel);

    auto label = [this](const QString& caption, int x, int y, int width, int height = 21,
                        Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* l = new QLabel(caption, this);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(align);
        at(l, x, y, width, height);
        return l;
    };
    auto button = [this](const QString& name, const QString& caption, int x, int y, int width, int height) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        at(b, x, y, width, height);
        return b;
    };
    auto pictureButton = [&](const QString& name, const QPixmap& picture, int x, int y) {
        QPushButton* b = button(name, QString(), x, y, 28, 28);
        b->setIcon(QIcon(picture));
        b->setIconSize(picture.size());
        return b;
    };
    auto field = [this](int index, const QString& name, const QString& format, bool locked) {
        qv::TextBox* box = addField(index, name, format);
        box->setReadOnly(locked);
        box->setSelectOnFocus(true);
        return box;
    };

    windowHeading = label(QStringLiteral("Salon Retail Products "), 10, 6, 230, 26);
    windowHeading->setObjectName(QStringLiteral("Label1"));
    QFont heading = windowHeading->font();
    heading.setPointSize(heading.pointSize() + 4);
    heading.setBold(true);
    windowHeading->setFont(heading);

    label(QStringLiteral("Search for product by Category->"), 236, 8, 216, 24, Qt::AlignRight | Qt::AlignVCenter);
    findByCategoryButton = pictureButton(QStringLiteral("Command7"), style()->standardPixmap(QStyle::SP_FileDialogContentsView), 455, 6);
    findByCategoryButton->setToolTip(QStringLiteral("Search for product by Category"));
    label(QStringLiteral("Search for product by StockNumber->"), 490, 8, 230, 24, Qt::AlignRight | Qt::AlignVCenter);
    findByStockNumberButton = pictureButton(QStringLiteral("Command8"), style()->standardPixmap(QStyle::SP_FileDialogContentsView), 725, 6);
    findByStockNumberButton->setToolTip(QStringLiteral("Search for product by StockNumber"));

    // Master fields, a column at the left.
    struct Master { int index; const char* field; const char* caption; };
    const Master masters[] = {
        {StockNumberBox, "SystemStockNumber", "StockNumber:"}, {CategoryBox, "Category", "Category:"},
        {StockPosting::StartingBox, "StartingQuantity", "Quantity start:"}, {LocationBox, "Location", "Location:"},
        {ItemDescriptionBox, "Item", "Item Description:"}, {UnitSizeBox, "UnitSize", "Unit Size:"},
        {VendorStockNumberBox, "SuppliersStockNumber", "Vendor Stock Number:"},
        {SubstituteBox, "Substitute", "Substitute:"},
    };
    int y = 44;
    for (const Master& m : masters) {
        label(QString::fromLatin1(m.caption), 10, y, 145);
        at(field(m.index, QString::fromLatin1(m.field), QString(), true), 158, y, 190, 21);
        y += 26;
    }
    label(QStringLiteral("Returned To Stock:"), 10, y, 145);
    qv::TextBox* returned = field(StockPosting::ReturnedBox, QStringLiteral("ReturnedToStock"), QString(), false);
    at(returned, 158, y, 70, 21);
    returned->setEnabled(false);
    clearReturnedButton = button(QStringLiteral("Command19"), QStringLiteral("X"), 228, y, 24, 21);
    clearReturnedButton->setToolTip(QStringLiteral("Clear Entry"));
    qv::TextBox* returnedTotal = field(StockPosting::ReturnedTotalBox, QStringLiteral("ReturnToStockTotals"), QString(), true);
    at(returnedTotal, 265, y, 80, 21);
    returnedTotal->setVisible(false);
    y += 26;
    label(QStringLiteral("Lost/Damaged:"), 10, y, 145);
    qv::TextBox* lost = field(StockPosting::LostBox, QStringLiteral("LostOrDamaged"), QString(), false);
    at(lost, 158, y, 70, 21);
    lost->setEnabled(false);
    clearLostButton = button(QStringLiteral("Command21"), QStringLiteral("X"), 228, y, 24, 21);
    clearLostButton->setToolTip(QStringLiteral("Clear Entry"));
    qv::TextBox* lostTotal = field(StockPosting::LostTotalBox, QStringLiteral("LostDamagedTotals"), QString(), true);
    at(lostTotal, 265, y, 80, 21);
    lostTotal->setVisible(false);
    y += 26;
    label(QStringLiteral("Supplier:"), 10, y, 145);
    supplierBox = new qv::TextBox(this);
    supplierBox->setObjectName(QStringLiteral("TxtSupplier_25"));
    supplierBox->setReadOnly(true);
    at(supplierBox, 158, y, 190, 21);
    y += 26;
    label(QStringLiteral("Memo:"), 10, y, 145);
    at(field(MemoBox, QStringLiteral("Memo"), QString(), false), 158, y, 190, 44);
    // A memo keeps its line breaks: it is shown and typed on several lines.
    memoBox = new qv::ManyLineBox(fieldBoxes.value(MemoBox), this);
    qv::TextBox* date = field(DateBox, QStringLiteral("Date"), QStringLiteral("M/d/yy"), true);
    at(date, 265, 6, 60, 21);
    date->setVisible(false);

    // The money column at the right.
    struct Money { int index; const char* field; const char* caption; const char* format; bool locked; bool dollar; };
    const Money money[] = {
        {StockPosting::PriceBox, "Price", "Selling Price:", "#,##0.00", true, true},
        {StockPosting::CostBox, "CostValueOfStock", "Cost:", "#,##0.00", true, true},
        {StockPosting::SoldBox, "Sold", "Quantity Sold/Used:", "", true, false},
        {StockPosting::QuantityBox, nullptr, "Quantity This Entry", "", false, false},
        {StockPosting::EntryTotalBox, "Totals", "SubTotal Entry:", "#,##0.00", true, true},
        {StockPosting::GrossBox, "GrossSales", "Gross:", "0.00", true, true},
        {StockPosting::NetBox, "NetProfitFromSales", "Net:", "0.00", true, true},
        {StockPosting::InStockBox, "CurrentlyInStock", "Currently in Stock:", "0", false, false},
        {StockPosting::StockValueBox, "QuantityStatus", "$ Value of Items In Stock:", "#,##0.00", true, true},
        {TaxPercentBox, "taxpercent1", "Tax %:", "", true, false},
    };
    y = 44;
    for (const Money& m : money) {
        label(QString::fromLatin1(m.caption), 380, y, 165, 21, Qt::AlignRight | Qt::AlignVCenter);
        if (m.dollar)
            label(QStringLiteral("$"), 550, y, 10);
        qv::TextBox* box = nullptr;
        if (m.field) {
            box = field(m.index, QString::fromLatin1(m.field), QString::fromLatin1(m.format), m.locked);
        } else {
            // The quantity being sold now belongs to no field.
            box = new qv::TextBox(this);
            box->setObjectName(qv::arrayMemberName("txtfields", m.index));
            box->setSelectOnFocus(true);
            fieldBoxes.insert(m.index, box);
        }
        at(box, 562, y, 110, 21);
        if (m.index != StockPosting::PriceBox && m.index != StockPosting::CostBox && m.index != StockPosting::GrossBox
            && m.index != StockPosting::NetBox && m.index != TaxPercentBox)
            box->setAlignment(Qt::AlignCenter);
        if (m.index == StockPosting::PriceBox)
            box->setStyleSheet(QStringLiteral("qv--TextBox, QLineEdit { background-color: #FFFFC0; }"));
        y += 26;
    }
    clearEntryButton = button(QStringLiteral("Command1"), QStringLiteral("X"), 676, 44 + 3 * 26, 28, 21);
    clearEntryButton->setToolTip(QStringLiteral("Clear entry"));
    subtotalButton = button(QStringLiteral("Command3"), QStringLiteral("="), 676, 44 + 4 * 26, 28, 21);
    subtotalButton->setToolTip(QStringLiteral("Sub Total The entry"));

    // The five slot buttons in slot order, the manager's clearing buttons beneath.
    for (int i = 0; i < 5; ++i) {
        QPushButton* post = button(QString::fromLatin1(kSlotButtons[i]), QString::fromLatin1(kSlotCaptions[i]),
                                   470 + i * 62, 316, 56, 26);
        post->setToolTip(QStringLiteral("Send the product to the appointment form"));
        QPushButton* clear = pictureButton(QString::fromLatin1(kClearButtons[i]),
                                           style()->standardPixmap(QStyle::SP_DialogDiscardButton), 484 + i * 62, 346);
        clear->setVisible(false);
    }

    label(QStringLiteral("MGR EDIT"), 372, 316, 80, 21, Qt::AlignCenter);
    unlockButton = pictureButton(QStringLiteral("Command4"), padlockPicture(true), 380, 342);
    lockButton = pictureButton(QStringLiteral("Command9"), padlockPicture(false), 414, 342);
    lockButton->setVisible(false);
    quickTipsPicture = new qv::PictureBox(this);
    quickTipsPicture->setObjectName(QStringLiteral("Image3"));
    quickTipsPicture->setPixmap(bulbPicture());
    quickTipsPicture->setToolTip(QStringLiteral("Quick Tips"));
    at(quickTipsPicture, 750, 44, 24, 24);

    // Instructions, grid, and the record form's buttons at the foot.
    instructionsFrame = new QGroupBox(this);
    instructionsFrame->setObjectName(QStringLiteral("Frame1"));
    at(instructionsFrame, 10, 384, 360, 140);
    instructions = new QLabel(kInstructions, instructionsFrame);
    instructions->setObjectName(QStringLiteral("Label9"));
    instructions->setTextFormat(Qt::PlainText);
    instructions->setWordWrap(true);
    instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    at(instructions, 6, 6, 348, 130);

    stockGrid = new qv::DataGrid(this);
    stockGrid->setObjectName(QStringLiteral("DataGrid1"));
    at(stockGrid, 380, 384, 410, 140);

    placeButtonsWithoutAddAndDelete();
}

void RetailProducts::connectHandlers()
{
    for (int slot = 1; slot <= 5; ++slot) {
        onClick(slotButton(slot), [this, slot] { postToSlot(slot); });
        onClick(slotClearButton(slot), [this, slot] { clearSlot(slot); });
    }
    onClick(findByCategoryButton, [this] { findByCategory(); });
    onClick(findByStockNumberButton, [this] { findByStockNumber(); });
    onClick(subtotalButton, [this] { subtotalEntry(); });
    connectEntryButtons();
    onClick(unlockButton, [this] { askManagerPassword(); });
    onClick(lockButton, [this] { leaveManagerMode(); });
    connect(quickTipsPicture, &qv::PictureBox::clicked, this,
            [] { guard([] { qv::Windows::show<RetailProductsQuickTips>(); }); });
}

// ---------------------------------------------------------------- finds, entry

void RetailProducts::findProduct(const QString& field, const QString& prompt, const QString& notFound)
{
    // A find leaves the item shown, and with it any entry typed.
    if (editingRecord || !settleEntry())
        return;
    passOver([&] { findByText(*primaryRecordset, field, prompt, notFound); });
    passOver([this] { primaryRecordset->move(0); });
}

void RetailProducts::findByCategory()
{
    findProduct(QStringLiteral("Category"), QStringLiteral("Enter a Category for this product."),
                QStringLiteral("Could not find your category. "));
}

void RetailProducts::findByStockNumber()
{
    findProduct(QStringLiteral("SystemStockNumber"), QStringLiteral("Enter a SystemStockNumber for this product."),
                QStringLiteral("Could not find your Product by Stock#. "));
}

void RetailProducts::subtotalEntry()
{
    const double price = qv::leadingNumber(fieldBoxes.value(StockPosting::PriceBox)->text());
    const double quantity = qv::leadingNumber(fieldBoxes.value(StockPosting::QuantityBox)->text());
    qv::TextBox* subtotal = fieldBoxes.value(StockPosting::EntryTotalBox);
    subtotal->setBoxText(qv::plainText(quantity * price));
    subtotal->setBoxText(qv::currencyText(qv::readMoney(subtotal->text())));
}

// ---------------------------------------------------------------- the ticket

void RetailProducts::postToSlot(int slot)
{
    QPushButton* button = slotButton(slot);
    qv::TextBox* quantity = fieldBoxes.value(StockPosting::QuantityBox);
    if (!button)
        return;

    // Read as the service menu reads it: what the ticket gets and what the
    // stock counts is this one number, or nothing is posted.
    const std::optional<double> typed = AppointmentBook::quantityToPost(quantity->text());
    if (!typed) {
        quantity->setFocus();
        qv::ui().msgBox(QStringLiteral("A quantity for a Product was not included. Please enter now and click the %1# "
                                       "button again.")
                            .arg(slot));
        return;
    }
    AppointmentBook* book = AppointmentBook::ticketForWriting();
    if (!book)
        return;
    // A product must be shown: a posting of no product would put a bare
    // quantity on the ticket and count it against no stock.
    if (!primaryRecordset || !primaryRecordset->isOpen() || primaryRecordset->bof() || primaryRecordset->eof())
        return;

    const AppointmentBook::ProductSlot target = book->productSlot(slot);
    if (AppointmentBook::slotOccupied(target.quantity)) {
        button->setEnabled(false);
        qv::ui().msgBox(slot == 2 ? QStringLiteral("This product entry was already made into the corresponding box on "
                                                   "the Appointment Form, choose another.")
                                  : QStringLiteral("This product entry was already made into the corresponding box on "
                                                   "the appointment form, choose another."));
        quantity->setBoxText(QString());
        fieldBoxes.value(StockPosting::EntryTotalBox)->setBoxText(QString());
        return;
    }

    // The sale is booked and saved first: a product whose stock could not
    // be booked does not go onto the ticket.
    const QString sold = qv::plainText(*typed);
    const double bookedOn = primaryRecordset->bookmark();
    passOver([this] { attachGrid(); });
    const bool booked = post(StockPosting::kTicketSale, [&] {
        book->productTaxPercent()->setBoxText(fieldBoxes.value(TaxPercentBox)->text());
        target.stockNumber->setBoxText(fieldBoxes.value(StockNumberBox)->text());
        target.name->setBoxText(fieldBoxes.value(CategoryBox)->text());
        target.price->setBoxText(fieldBoxes.value(StockPosting::PriceBox)->text());
        target.quantity->setBoxText(sold);
        button->setEnabled(false);
    });
    if (booked) {
        book->ticketLinesChanged();
        book->onTicketDropped([bookedOn, count = *typed] { giveBackTicketSale(bookedOn, count); });
        browse();
    }
}

void RetailProducts::giveBackTicketSale(double row, double count)
{
    // Booked on a connection of its own: the window may be editing that very
    // row, or showing another, or be closed.
    bool given = false;
    RecordForm::reportErrors([&] {
        qv::Connection connection;
        connection.open(recordWindowConnectionString());
        qv::Recordset stock;
        stock.open(QStringLiteral("SELECT * FROM StockControl"), connection);
        try {
            stock.setBookmark(row);
        } catch (const qv::Error&) {
            return;   // the product was deleted since: there is no stock to give back to
        }
        StockPosting::run(stock, -count, StockPosting::kGiveBack);
        stock.update();
        given = true;
    });
    // The window shows the row as the table now holds it, anything typed
    // over it kept.
    RetailProducts* window = qv::Windows::loaded<RetailProducts>();
    if (given && window && window->itemShown())
        passOver([&] {
            if (window->primaryRecordset->bookmark() == row)
                window->primaryRecordset->resync();
        });
}

void RetailProducts::clearSlot(int slot)
{
    AppointmentBook* book = AppointmentBook::ticketForWriting();
    if (!book)
        return;
    passOver([&] {
        if (qv::ui().msgBox(QStringLiteral("Delete the Current product from the Appointment form?"),
                            qv::MsgStyle::YesNo | qv::MsgStyle::Question, QStringLiteral("Delete Product"))
            != qv::MsgResult::Yes)
            return;
        const AppointmentBook::ProductSlot target = book->productSlot(slot);
        for (qv::TextBox* box : {target.stockNumber, target.name, target.price, target.quantity})
            passOver([box] { box->setBoxText(QString()); });
        book->ticketLinesChanged();
    });
}

// ---------------------------------------------------------------- manager mode

void RetailProducts::askManagerPassword()
{
    if (auto* dialog = qv::Windows::show<RetailProductsLogin>())
        dialog->clearPassword();
}

void RetailProducts::leaveManagerMode()
{
    unlockButton->setVisible(true);
    lockButton->setVisible(false);
    for (int slot = 1; slot <= 5; ++slot)
        slotClearButton(slot)->setVisible(false);
    fieldBoxes.value(StockPosting::ReturnedBox)->setEnabled(false);
    fieldBoxes.value(StockPosting::LostBox)->setEnabled(false);
    qv::ui().msgBox(QStringLiteral("Remember that deleting and then re-inserting the product will not place the item "
                                   "back as a re-stocked item. It will still appear as a sold product. You must add "
                                   "the item back to *Return to Stock"));
}
