#include "inventory/wholesale_products.h"

#include "common/window_helpers.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "retail/stock_posting.h"
#include "shell/pictures.h"
#include "shell/wholesale_login.h"

#include <QGroupBox>
#include <QPainter>
#include <QShowEvent>

QV_REGISTER_WINDOW_AS(NonRetailProducts, "Form10");

namespace {

// Placement in pixels of the 800 x 600 design, turned into twips.
void at(QWidget* w, int x, int y, int width, int height)
{
    qv::place(w, x * qv::kTwipsPerPixel, y * qv::kTwipsPerPixel, width * qv::kTwipsPerPixel,
              height * qv::kTwipsPerPixel);
}

const QString kInstructions = QStringLiteral(
    "Enter Your non retail use of Items as they are used per Client. The items will be deducted from inventory as "
    "as they are used. Scroll to item used during service. Enter quantity. Click edit then update.");

const char* const kBackground = "#BAC9D1";
const char* const kGrey = "#C0C0C0";

QPixmap openPadlockPicture(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // The shackle swung up and aside: the lock is open.
    p.setPen(QPen(QColor(0x70, 0x70, 0x78), size / 10.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(size * 0.08, size * 0.02, size * 0.4, size * 0.6), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd4, 0xa0, 0x17));
    const double w = size * 0.62, h = size * 0.42;
    p.drawRoundedRect(QRectF((size - w) / 2, size * 0.48, w, h), 3, 3);
    return pm;
}

} // namespace

NonRetailProducts::NonRetailProducts(QWidget* parent) : StockWindow(parent)
{
    setWindowTitle(QStringLiteral("Wholesale Products"));
    categoryColumnTwips = 2700;
    buildLayout();
    connectHandlers();
    setBrowsingButtons(true);
}

NonRetailProducts::~NonRetailProducts() = default;

QString NonRetailProducts::recordSource() const
{
    return QStringLiteral(
        "SELECT *  FROM StockControl Where StockControl.Price=0 Order BY StockControl.WholeSale DESC");
}

// ---------------------------------------------------------------- layout

void NonRetailProducts::buildLayout()
{
    setTwipsSize(800 * qv::kTwipsPerPixel, 575 * qv::kTwipsPerPixel);
    setStyleSheet(QStringLiteral("NonRetailProducts { background-color: %1; }").arg(QLatin1String(kBackground)));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(QLatin1String(kBackground)));
    setPalette(pal);
    setAutoFillBackground(true);
    for (QWidget* bar : {recordButtonBar, recordStatusBar}) {
        bar->setPalette(pal);
        bar->setAutoFillBackground(true);
    }

    auto label = [this](const QString& caption, int x, int y, int width, int height = 21,
                        Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
        auto* l = new QLabel(caption, this);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(align);
        at(l, x, y, width, height);
        return l;
    };
    auto captionOf = [this, &label](int index, const QString& caption, int x, int y, int width) {
        QLabel* l = label(caption, x, y, width);
        l->setObjectName(qv::arrayMemberName("lblLabels", index));
        captionLabels.insert(index, l);
        return l;
    };
    auto button = [this](const QString& name, const QString& caption, int x, int y, int width, int height) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        at(b, x, y, width, height);
        return b;
    };
    auto colour = [](qv::TextBox* box, const char* background) {
        if (background)
            box->setStyleSheet(QStringLiteral("qv--TextBox, QLineEdit { background-color: %1; }")
                                   .arg(QLatin1String(background)));
    };
    // A bound box: read-only boxes take no typing; the colour is its back colour.
    auto field = [this, &colour](int index, const QString& name, const QString& format, bool readOnly,
                                 const char* background) {
        qv::TextBox* box = addField(index, name, format);
        box->setReadOnly(readOnly);
        box->setSelectOnFocus(true);
        colour(box, background);
        return box;
    };
    // The small "$" panel in front of a money box.
    auto dollar = [this](int x, int y) {
        auto* panel = new QLabel(QStringLiteral("$"), this);
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        at(panel, x, y, 14, 21);
        return panel;
    };

    headingLabel = label(QStringLiteral("Non Retail Inventory"), 10, 8, 360, 30, Qt::AlignLeft | Qt::AlignVCenter);
    headingLabel->setObjectName(QStringLiteral("Label1"));
    QFont heading = headingLabel->font();
    heading.setPointSize(heading.pointSize() + 6);
    heading.setBold(true);
    headingLabel->setFont(heading);

    // The item's description, a column at the left.
    struct Described { int index; const char* field; const char* caption; };
    const Described described[] = {
        {StockNumberBox, "SystemStockNumber", "StockNumber:"}, {CategoryBox, "Category", "Category:"},
        {ItemBox, "Item", "Item Description:"}, {UnitSizeBox, "UnitSize", "Unit Size:"},
        {LocationBox, "Location", "Location:"}, {VendorStockNumberBox, "SuppliersStockNumber", "Vendor Stock Number:"},
        {SubstituteBox, "Substitute", "Substitute:"},
    };
    // The boxes reach almost to the figures' captions: a product's or a
    // vendor's name of 30 characters shows whole.
    constexpr int boxWidth = 215;
    int y = 50;
    for (const Described& d : described) {
        captionOf(d.index, QString::fromLatin1(d.caption), 10, y, 145);
        at(field(d.index, QString::fromLatin1(d.field), QString(), true, kGrey), 160, y, boxWidth, 21);
        y += 26;
    }
    label(QStringLiteral("Supplier:"), 10, y, 145);
    supplierBox = new qv::TextBox(this);
    supplierBox->setObjectName(QStringLiteral("TxtSupplier_25"));
    supplierBox->setReadOnly(true);
    supplierBox->setSelectOnFocus(true);
    colour(supplierBox, kGrey);
    at(supplierBox, 160, y, boxWidth, 21);
    y += 26;
    captionOf(StockPosting::StartingBox, QStringLiteral("Quantity start:"), 10, y, 145);
    at(field(StockPosting::StartingBox, QStringLiteral("StartingQuantity"), QString(), true, kGrey), 160, y, 90, 21);
    y += 26;
    captionOf(CommentBox, QStringLiteral("Comment:"), 10, y, 145);
    at(field(CommentBox, QStringLiteral("Comment"), QString(), false, nullptr), 160, y, boxWidth, 21);
    y += 26;
    captionOf(MemoBox, QStringLiteral("Memo:"), 10, y, 145);
    at(field(MemoBox, QStringLiteral("Memo"), QString(), false, nullptr), 160, y, boxWidth, 48);
    // A memo keeps its line breaks: it is shown and typed on several lines.
    memoBox = new qv::ManyLineBox(fieldBoxes.value(MemoBox), this);

    // Figures at the right.
    struct Figure { int index; const char* field; const char* caption; const char* format; bool readOnly;
                    const char* background; bool money; };
    const Figure figures[] = {
        {StockPosting::PriceBox, "Price", "Selling Price:", "#,##0.00", true, "#FFFFC0", true},
        {StockPosting::CostBox, "CostValueOfStock", "Cost:", "#,##0.00", true, kBackground, true},
        {StockPosting::SoldBox, "Sold", "Quantity Sold/Used:", "", true, kGrey, false},
        {StockPosting::InStockBox, "CurrentlyInStock", "Currently in Stock:", "0", false, kGrey, false},
        {StockPosting::QuantityBox, nullptr, "Quantity This Entry", "", false, nullptr, false},
        {StockPosting::ReturnedBox, "ReturnedToStock", "Returned To Stock:", "", false, nullptr, false},
        {StockPosting::LostBox, "LostOrDamaged", "Lost/Damaged:", "", false, nullptr, false},
        {StockPosting::GrossBox, "GrossSales", "Gross:", "0.00", true, kGrey, true},
        {StockPosting::NetBox, "NetProfitFromSales", "Net:", "0.00", true, kGrey, true},
        {StockPosting::StockValueBox, "QuantityStatus", "$ Value of Items In Stock:", "#,##0.00", true, kGrey, true},
    };
    y = 50;
    for (const Figure& f : figures) {
        captionOf(f.index, QString::fromLatin1(f.caption), 380, y, 170);
        if (f.money)
            dollar(555, y);
        qv::TextBox* box = nullptr;
        if (f.field) {
            box = field(f.index, QString::fromLatin1(f.field), QString::fromLatin1(f.format), f.readOnly,
                        f.background);
        } else {
            // The quantity used now belongs to no field.
            box = new qv::TextBox(this);
            box->setObjectName(qv::arrayMemberName("txtfields", f.index));
            box->setSelectOnFocus(true);
            fieldBoxes.insert(f.index, box);
        }
        at(box, 572, y, 100, 21);
        y += 26;
    }
    // The corrections stay shut until the management password opens them.
    fieldBoxes.value(StockPosting::ReturnedBox)->setEnabled(false);
    fieldBoxes.value(StockPosting::LostBox)->setEnabled(false);

    const int entryRow = 50 + 4 * 26, returnedRow = entryRow + 26, lostRow = returnedRow + 26;
    clearEntryButton = button(QStringLiteral("Command1"), QStringLiteral("X"), 676, entryRow + 3, 17, 17);
    clearEntryButton->setToolTip(QStringLiteral("Clear entry"));
    clearReturnedButton = button(QStringLiteral("Command19"), QStringLiteral("X"), 676, returnedRow + 3, 17, 17);
    clearReturnedButton->setToolTip(QStringLiteral("Clear Entry"));
    clearLostButton = button(QStringLiteral("Command21"), QStringLiteral("X"), 676, lostRow + 3, 17, 17);
    clearLostButton->setToolTip(QStringLiteral("Clear Entry"));

    QLabel* manager = captionOf(ManagerEditCaption, QStringLiteral("MGR EDIT"), 704, returnedRow - 22, 80);
    manager->setAlignment(Qt::AlignCenter);
    const QSize padlock(24, 24);
    unlockButton = button(QStringLiteral("Command6"), QString(), 712, returnedRow, 30, 30);
    unlockButton->setIcon(QIcon(openPadlockPicture(padlock.width())));
    unlockButton->setIconSize(padlock);
    unlockButton->setToolTip(QStringLiteral("Management password"));
    lockButton = button(QStringLiteral("Command9"), QString(), 746, returnedRow, 30, 30);
    lockButton->setIcon(QIcon(shell::padlockPicture(padlock.width())));
    lockButton->setIconSize(padlock);
    lockButton->setVisible(false);

    // Boxes that carry their fields out of sight: the entry date, the entry
    // subtotal and the two running totals.
    // lblLabels(21) is the "MGR EDIT" caption; the subtotal's caption is a plain label.
    QLabel* subtotalCaption = label(QStringLiteral("SubTotal Entry:"), 380, y, 170);
    QLabel* subtotalDollar = dollar(555, y);
    qv::TextBox* subtotal = field(StockPosting::EntryTotalBox, QStringLiteral("Totals"), QStringLiteral("#,##0.00"),
                                  true, kGrey);
    at(subtotal, 572, y, 100, 21);
    for (QWidget* hidden : {static_cast<QWidget*>(subtotalCaption), static_cast<QWidget*>(subtotalDollar),
                            static_cast<QWidget*>(subtotal)})
        hidden->setVisible(false);
    QLabel* dateCaption = label(QStringLiteral("Entry Date:"), 380, y + 26, 170);
    qv::TextBox* date = field(EntryDateBox, QStringLiteral("Date"), QStringLiteral("M/d/yy"), false, "#FFFFFF");
    at(date, 572, y + 26, 100, 21);
    dateCaption->setVisible(false);
    date->setVisible(false);
    qv::TextBox* returnedTotal = field(StockPosting::ReturnedTotalBox, QStringLiteral("ReturnToStockTotals"), QString(),
                                       true, kGrey);
    qv::TextBox* lostTotal = field(StockPosting::LostTotalBox, QStringLiteral("LostDamagedTotals"), QString(), true,
                                   kGrey);
    at(returnedTotal, 680, y, 50, 21);
    at(lostTotal, 735, y, 50, 21);
    returnedTotal->setVisible(false);
    lostTotal->setVisible(false);

    // Instructions, the grid, and the record form's buttons at the foot.
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    at(frame, 10, 388, 360, 120);
    instructionsLabel = new QLabel(kInstructions, frame);
    instructionsLabel->setObjectName(QStringLiteral("Label3"));
    instructionsLabel->setTextFormat(Qt::PlainText);
    instructionsLabel->setWordWrap(true);
    instructionsLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    at(instructionsLabel, 8, 8, 344, 106);

    stockGrid = new qv::DataGrid(this);
    stockGrid->setObjectName(QStringLiteral("DataGrid1"));
    at(stockGrid, 380, 388, 410, 132);

    placeButtonsWithoutAddAndDelete();
}

void NonRetailProducts::connectHandlers()
{
    connectEntryButtons();
    onClick(unlockButton, [this] { askManagerPassword(); });
    onClick(lockButton, [this] { lockCorrections(); });
}

// ---------------------------------------------------------------- focus

void NonRetailProducts::formGotFocus()
{
    qv::TextBox* quantity = fieldBoxes.value(StockPosting::QuantityBox);
    quantity->setFocus();
    quantity->setText(QString());
}

void NonRetailProducts::showEvent(QShowEvent* e)
{
    StockWindow::showEvent(e);
    if (!e->spontaneous())
        fieldBoxes.value(StockPosting::QuantityBox)->setFocus();
}

// ---------------------------------------------------------------- password gate

void NonRetailProducts::askManagerPassword() { qv::Windows::show<NonRetailProductsLogin>(); }

void NonRetailProducts::lockCorrections()
{
    lockButton->setVisible(false);
    unlockButton->setVisible(true);
    fieldBoxes.value(StockPosting::ReturnedBox)->setEnabled(false);
    fieldBoxes.value(StockPosting::LostBox)->setEnabled(false);
}
