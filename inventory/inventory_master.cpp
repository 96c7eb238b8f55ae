#include "inventory/inventory_master.h"

#include "common/connections.h"
#include "common/find_by_text.h"
#include "common/lookup_lists.h"
#include "common/ordinary_values.h"
#include "common/window_helpers.h"
#include "inventory/typed_boxes.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "inventory/products_sold.h"
#include "inventory/vendor_book.h"

#include <QPainter>
#include <QStyle>

QV_REGISTER_WINDOW_AS(InventoryMaster, "Form6a");

namespace {

const QColor kBackground(0xBA, 0xC9, 0xD1);
const QColor kLightGrey(0xE0, 0xE0, 0xE0);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QString kMoney = QStringLiteral("\"$\"#,##0.00");

// The form's client area, in twips: a little taller than the old design,
// which had the grid too narrow for its three columns.
constexpr int kClientWidth = 11325;
constexpr int kClientHeight = 7380;

void paintBase(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, colour);
    w->setPalette(pal);
}

const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        {QStringLiteral("Category"), QStringLiteral("Category"), QString(), 1650, OrdinaryValue::productName},
        {QStringLiteral("SystemStockNumber"), QStringLiteral("System Stock #"), QString(), 1440},
        // A price in the thousands, "$1,234.50".
        {QStringLiteral("Price"), QStringLiteral("Price"), kMoney, 960},
    };
    return columns;
}

QPixmap salesPicture()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(3, 3, 26, 26);
    p.setBrush(QColor(60, 120, 200));
    p.drawRect(7, 17, 4, 9);
    p.drawRect(14, 11, 4, 15);
    p.drawRect(21, 7, 4, 19);
    return pm;
}

QPixmap vendorPicture()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(70, 50, 20));
    p.setBrush(QColor(200, 160, 90));
    p.drawRect(3, 3, 18, 18);
    p.setPen(QPen(QColor(0, 110, 0), 3));
    p.drawLine(12, 7, 12, 17);
    p.drawLine(7, 12, 17, 12);
    return pm;
}

} // namespace

InventoryMaster::InventoryMaster(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("StockControl"));
    buildLayout();
}

QString InventoryMaster::connectionString() const { return shapeConnectionString(); }

QString InventoryMaster::recordSource() const
{
    return QStringLiteral("SHAPE {select* from StockControl} AS ParentCMD APPEND ({select "
                          "Category,SystemStockNumber,Price from StockControl } AS ChildCMD RELATE Category TO "
                          "Category) AS ChildCMD");
}

// ---------------------------------------------------------------- layout

void InventoryMaster::buildLayout()
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
    setTwipsSize(kClientWidth, kClientHeight);

    auto label = [this](const QString& name, const QString& caption, int left, int top, int width, int height = 285) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        qv::place(l, left, top, width, height);
        return l;
    };

    // Two halves: at the left the stock row's boxes, at the right the finds,
    // the grid of the category with its three columns in sight, and the
    // vendor. The boxes of a name are wide enough for a product's name of
    // 30 characters; short figures stand two to a row below them.
    constexpr int L = 120, top0 = 600, step = 345;
    constexpr int captionWidth = 1860, boxLeft = L + captionWidth + 60, leftEnd = 5400;
    constexpr int boxWidth = leftEnd - boxLeft;
    // The second figure of a row: its caption and box.
    constexpr int pairCaption = 3240, pairCaptionWidth = 1260, pairBox = pairCaption + pairCaptionWidth + 60;
    constexpr int pairWidth = leftEnd - pairBox, figureWidth = pairCaption - 120 - boxLeft;
    auto row = [](int n) { return top0 + n * step; };

    lastRowNote = label(
        QStringLiteral("Label2"),
        QStringLiteral("NOTE: If you delete the last record from the inventory database you will not be "
                       "able to load the retail or non retail products forms."),
        L, 60, 7080, 420);
    lastRowNote->setStyleSheet(QStringLiteral("color: #800000;"));

    // The boxes: index, field, caption, format, colour (none: default), where.
    enum class State { Shown, Hidden };
    struct Box {
        int index;
        const char* field;
        const char* caption;
        bool money;
        bool coloured;
        State state;
        int left, top, width;   // the caption's left; the box follows it
    };
    // In the order of reading, which is the order of the Tab key.
    const Box boxes[] = {
        {CategoryBox, "Category", "Category:", false, true, State::Shown, L, row(0), boxWidth},
        {ItemBox, "item", "Item Description:", false, true, State::Shown, L, row(1), boxWidth},
        {StockNumberBox, "SystemStockNumber", "SystemStockNumber:", false, true, State::Shown, L, row(2), boxWidth},
        {VendorStockNumberBox, "SuppliersStockNumber", "Suppliers Stock#:", false, true, State::Shown, L, row(3),
         boxWidth},
        {LocationBox, "Location", "Location:", false, true, State::Shown, L, row(4), boxWidth},
        {CommentBox, "Comment", "Comment:", false, true, State::Shown, L, row(5), boxWidth},
        {MemoBox, "Memo", "Memo:", false, true, State::Shown, L, row(6), boxWidth},
        {SubstituteBox, "Substitute", "Substitute:", false, true, State::Shown, L, row(8), boxWidth},
        {DateBox, "Date", "Date:", false, true, State::Shown, L, row(9), figureWidth},
        {RetailBox, "Retail", "Retail:", false, true, State::Shown, pairCaption, row(9), pairWidth},
        {UnitSizeBox, "UnitSize", "Unit Size:", false, true, State::Shown, L, row(10), figureWidth},
        {NonRetailBox, "WholeSale", "Non Retail:", false, true, State::Shown, pairCaption, row(10), pairWidth},
        {TaxPercentBox, "taxpercent1", "Tax %:", false, true, State::Shown, L, row(11), figureWidth},
        {ReorderLevelBox, "ReOrderLevel", "Re-OrderLevel:", false, true, State::Shown, pairCaption, row(11),
         pairWidth},
        {CostBox, "CostValueOfStock", "Cost:", true, true, State::Shown, L, row(12), figureWidth},
        {PriceBox, "Price", "Sell Price:", true, true, State::Shown, pairCaption, row(12), pairWidth},
        {StartingQuantityBox, "StartingQuantity", "StartingQuantity:", false, true, State::Shown, L, row(13),
         figureWidth},
        {InStockBox, "CurrentlyInStock", "Currently In Stock", false, false, State::Shown, pairCaption, row(13),
         pairWidth},
        {VendorBox, "SourceOrSupplier", "Supplier / Vendor:", false, true, State::Shown, 0, 0, 0},   // placed below
        // Never shown.
        {EmployeeIdBox, "EmployeeID", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {GrossSalesBox, "GrossSales", nullptr, true, false, State::Hidden, 0, 0, 1000},
        {LostTotalBox, "LostDamagedTotals", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {LostBox, "LostOrDamaged", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {NetProfitBox, "NetProfitFromSales", nullptr, true, false, State::Hidden, 0, 0, 1000},
        {QuantitySoldBox, "QuantitySold", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {StockValueBox, "QuantityStatus", nullptr, true, false, State::Hidden, 0, 0, 1000},
        {QuantityThisEntryBox, "QuantityThisEntry", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {ReturnedBox, "ReturnedToStock", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {ReturnedTotalBox, "ReturnToStockTotals", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {SoldBox, "Sold", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {SupplierIdBox, "SupplierID", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {BarCodeBox, "BarCode", "Barcodes", false, true, State::Hidden, 0, 0, 1000},
        // Bound, but out of sight and out of the Tab order: a box below the
        // window's edge would take typing nobody sees.
        {TotalsBox, "Totals", "Totals:", false, false, State::Hidden, 0, 0, 1500},
        {TotalThisSaleBox, "TotalThisSale", "TotalThisSale:", false, false, State::Hidden, 0, 0, 1500},
        {OffScreenUnitSizeBox, "UnitSize", "UnitSize:", false, false, State::Hidden, 0, 0, 1500},
        {OffScreenWholeSaleBox, "WholeSale", "WholeSale:", false, false, State::Hidden, 0, 0, 1500},
    };
    for (const Box& b : boxes) {
        qv::TextBox* box = addField(b.index, QString::fromLatin1(b.field), b.money ? kMoney : QString());
        const int i = b.index;
        // The whole text is selected, also when a click gave the focus.
        box->setSelectOnFocus(true);
        box->gotFocus = [this, i] { boxGotFocus(i); };
        box->lostFocus = [this, i] { boxLostFocus(i); };
        if (b.coloured)
            paintBase(box, kBackground);
        QLabel* caption = nullptr;
        if (b.caption) {
            // Named for their box: lblLabels(2), (6), (31) and (32) are other captions of this window.
            const bool second = b.left == pairCaption;
            caption = label(qv::arrayMemberName("lblField", i), QString::fromLatin1(b.caption), b.left, b.top + 30,
                            second ? pairCaptionWidth : captionWidth);
            caption->setWordWrap(false);
            m_captions.insert(i, caption);
        }
        switch (b.state) {
        case State::Hidden:
            box->setVisible(false);
            box->setFocusPolicy(Qt::NoFocus);
            if (caption)
                caption->setVisible(false);
            break;
        case State::Shown:
            qv::place(box, b.left == pairCaption ? pairBox : boxLeft, b.top, b.width, 300);
            break;
        }
    }
    // A memo keeps its line breaks: it is shown and typed on several lines,
    // in a box two rows high (the rows below it stand one row lower).
    memoBox = new qv::ManyLineBox(fieldBoxes.value(MemoBox), this);
    memoBox->resize(memoBox->width(), qv::px(step + 300));
    paintBase(memoBox, kBackground);

    // A sell price in the thousands ("$1,234.50") needs more room than the
    // figures beside it; its caption is short, so the box starts before theirs.
    constexpr int priceBox = pairBox - 180;
    qv::place(m_captions.value(PriceBox), pairCaption, row(12) + 30, priceBox - 60 - pairCaption, 285);
    qv::place(fieldBoxes.value(PriceBox), priceBox, row(12), leftEnd - priceBox, 300);

    // The amount in stock is computed by the product windows, never typed here.
    qv::TextBox* inStock = fieldBoxes.value(InStockBox);
    inStock->setReadOnly(true);
    paintBase(inStock, kLightGrey);
    QPalette red = inStock->palette();
    red.setColor(QPalette::Text, QColor(0xFF, 0, 0));
    inStock->setPalette(red);
    QFont big = inStock->font();
    big.setPointSizeF(13.5);
    inStock->setFont(big);
    m_captions.value(InStockBox)->setWordWrap(true);
    qv::place(m_captions.value(InStockBox), pairCaption, row(13), pairCaptionWidth, 450);
    qv::place(inStock, pairBox, row(13), pairWidth, 450);

    // The note on new rows, on its grey panel, under the figures it speaks of.
    auto* note = label(QStringLiteral("lblLabels_6"),
                       QStringLiteral("When adding a new product, the amount Currently in Stock will be unavailable "
                                      "until the either the Products Non Retail or Retail forms are activated Or used "
                                      ", and you have clicked refresh on those forms."),
                       L, row(13) + 555, leftEnd - L, 900);
    note->setAutoFillBackground(true);
    QPalette grey = note->palette();
    grey.setColor(QPalette::Window, kLightGrey);
    note->setPalette(grey);
    note->setMargin(4);
    captionLabels.insert(NewProductNoteCaption, note);

    // The right half: the finds, the grid, "View All" with the products-sold
    // picture, then the vendor. The grid is as wide as the half: its three
    // columns, a product's name of 30 characters in the first, and the
    // scroll bar of a long list.
    constexpr int R = leftEnd + 120, rightEnd = kClientWidth - 120, gridWidth = rightEnd - R;
    // The finds' captions end at their buttons and leave the room before
    // them to the note above the boxes.
    constexpr int findCaption = 7320;
    auto findButton = [this](QPushButton*& slot, const char* name, int top) {
        slot = new QPushButton(this);
        slot->setObjectName(QString::fromLatin1(name));
        slot->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
        qv::place(slot, 10560, top, 480, 375);
    };
    captionLabels.insert(
        FindByCategoryCaption,
        label(QStringLiteral("lblLabels_32"), QStringLiteral("Search for product by Category"), findCaption, 120,
              10500 - findCaption));
    findButton(findByCategoryButton, "Command4", 60);
    captionLabels.insert(
        FindByStockNumberCaption,
        label(QStringLiteral("lblLabels_31"), QStringLiteral("Search for product by StockNumber"), findCaption, 540,
              10500 - findCaption));
    findButton(findByStockNumberButton, "Command7", 480);
    for (int i : {FindByStockNumberCaption, FindByCategoryCaption})
        captionLabels.value(i)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    stockGrid = new qv::DataGrid(this);
    stockGrid->setObjectName(QStringLiteral("grdDataGrid"));
    stockGrid->setWindowTitle(QStringLiteral("Stock Control"));
    stockGrid->setFocusPolicy(Qt::NoFocus);
    auto* gridCaption =
        label(QStringLiteral("grdDataGridCaption"), QStringLiteral("Stock Control"), R, 960, gridWidth, 255);
    gridCaption->setAlignment(Qt::AlignCenter);
    gridCaption->setAutoFillBackground(true);
    QPalette captionPal = gridCaption->palette();
    captionPal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    captionPal.setColor(QPalette::WindowText, Qt::white);
    gridCaption->setPalette(captionPal);
    qv::place(stockGrid, R, 1215, gridWidth, 3225);

    viewAllButton = new QPushButton(QStringLiteral("&View All"), this);
    viewAllButton->setObjectName(QStringLiteral("Command1"));
    qv::place(viewAllButton, R, 4560, 1200, 345);

    productsSoldHint = label(QStringLiteral("Label1"),
                             QStringLiteral("Click on the image at right to find products sold by dates."), R + 1320,
                             4530, 10500 - R - 1320, 480);
    productsSoldPicture = new qv::PictureBox(this);
    productsSoldPicture->setObjectName(QStringLiteral("Image1"));
    productsSoldPicture->setPixmap(salesPicture());
    productsSoldPicture->setCursor(Qt::PointingHandCursor);
    qv::place(productsSoldPicture, 10620, 4500, 540, 540);

    // The vendor list with its caption, the vendor's box under the list, and
    // the button to a new vendor under them: wide enough for a vendor's
    // whole company name.
    constexpr int vendorCaptionWidth = 1500, vendorLeft = R + vendorCaptionWidth + 60, vendorWidth = 3135;
    constexpr int vendorTop = 5160;
    qv::place(m_captions.value(VendorBox), R, vendorTop + 30, vendorCaptionWidth, 285);
    vendorList = new qv::DataCombo(this);
    vendorList->setObjectName(QStringLiteral("dcboCustomer"));
    vendorList->setEditable(false);
    qv::place(vendorList, vendorLeft, vendorTop - 15, vendorWidth, 315);
    qv::place(fieldBoxes.value(VendorBox), vendorLeft, vendorTop + step, vendorWidth, 300);

    captionLabels.insert(NewVendorCaption, label(QStringLiteral("lblLabels_2"), QStringLiteral("New Vendor?"), R,
                                                 vendorTop + 2 * step + 90, vendorCaptionWidth));
    newVendorButton = new QPushButton(this);
    newVendorButton->setObjectName(QStringLiteral("Check2"));
    newVendorButton->setCheckable(true);
    newVendorButton->setIcon(QIcon(vendorPicture()));
    newVendorButton->setIconSize(QSize(24, 24));
    newVendorButton->setToolTip(QStringLiteral("Click on button if this Vendor is new."));
    qv::place(newVendorButton, vendorLeft, vendorTop + 2 * step, 480, 420);
    // The Tab key goes down the right half as it reads: the finds, "View
    // All", the vendor list, the vendor's box under it, "New Vendor?".
    setTabOrder(viewAllButton, vendorList);
    setTabOrder(vendorList, fieldBoxes.value(VendorBox));
    setTabOrder(fieldBoxes.value(VendorBox), newVendorButton);

    // No status text on this window.
    qv::place(recordStatusLabel, 690, 0, 0, 300);

    onClick(viewAllButton, [this] { viewAll(); });
    onClick(findByCategoryButton, [this] { findByCategory(); });
    onClick(findByStockNumberButton, [this] { findByStockNumber(); });
    onClick(newVendorButton, [this] { openVendorBook(); });
    connect(productsSoldPicture, &qv::PictureBox::clicked, this, [this] { guard([this] { openProductsSold(); }); });
    // A pick in the list (by mouse or keys) is the vendor chosen.
    connect(vendorList, &QComboBox::activated, this, [this] { guard([this] { copyVendorChoice(); }); });
    // The list shows the vendor book as it is now, a vendor just added
    // through "New Vendor?" included.
    connect(vendorList, &qv::DataCombo::listOpening, this, [this] {
        guard([this] {
            if (db && db->isOpen())
                fillVendorList();
        });
    });
}

// ---------------------------------------------------------------- load

void InventoryMaster::formLoad()
{
    // Every step's error is passed over: a missing database leaves an empty window.
    makeTopMost(this);
    removeCloseCommand(this);
    m_plainConnection = lookupConnectionString();
    ignoreErrors([this] { RecordForm::formLoad(); });
    ignoreErrors([this] { bindGridToChapter(); });
    // Without the database the list would only say again that it cannot be read.
    if (db && db->isOpen())
        fillVendorList();
}

void InventoryMaster::fillVendorList()
{
    SupplierLookup suppliers;
    std::shared_ptr<qv::Recordset> rows = suppliers.rows(m_plainConnection);
    vendorList->setRowSource(rows, QStringLiteral("CompanyName"), QStringLiteral("SupplierID"));
}

void InventoryMaster::copyVendorChoice()
{
    // The vendor's name, as the product windows show it under "Supplier:".
    fieldBoxes.value(VendorBox)->setBoxText(vendorList->text());
}

// ---------------------------------------------------------------- grid

void InventoryMaster::bindGridToChapter()
{
    m_gridShows = GridShows::Category;
    const std::shared_ptr<qv::Recordset> chapter = currentChapter(QStringLiteral("ChildCMD"));
    stockGrid->setDataSource(chapter, gridColumns());
}

void InventoryMaster::unbindGrid()
{
    m_gridShows = GridShows::Nothing;
    stockGrid->setDataSource(nullptr);
}

void InventoryMaster::currentRecordChanged()
{
    // No status text; the category view follows the current row.
    if (m_gridShows == GridShows::Category)
        ignoreErrors([this] { bindGridToChapter(); });
}

void InventoryMaster::viewAll()
{
    // The rows read again would drop what is being typed into the record.
    if (!mayMoveFromRecord())
        return;
    ignoreErrors([this] { unbindGrid(); });
    ignoreErrors([this] { primaryRecordset->requery(); });
    ignoreErrors([this] {
        // Grid and boxes share the recordset now: a row picked is the row shown.
        m_gridShows = GridShows::AllRows;
        stockGrid->setDataSource(primaryRecordset, gridColumns());
    });
    stockGrid->setFocusPolicy(Qt::StrongFocus);
}

// ---------------------------------------------------------------- finds

void InventoryMaster::find(const QString& field, const QString& prompt, const QString& notFound)
{
    if (!primaryRecordset)
        return;
    ignoreErrors([&] { findByTextAndShow(*primaryRecordset, field, prompt, notFound); });
}

void InventoryMaster::findByCategory()
{
    find(QStringLiteral("Category"), QStringLiteral("Enter a Category for this product."),
         QStringLiteral("Could not find your category. "));
}

void InventoryMaster::findByStockNumber()
{
    find(QStringLiteral("SystemStockNumber"), QStringLiteral("Enter a SystemStockNumber for this product."),
         QStringLiteral("Could not find your Product by Stock#. "));
}

// ---------------------------------------------------------------- other windows

void InventoryMaster::openVendorBook()
{
    qv::Windows::show<VendorBook>();
}

void InventoryMaster::openProductsSold()
{
    qv::Windows::show<ProductsSold>();
}

// ---------------------------------------------------------------- focus colours

QWidget* InventoryMaster::shownBox(int index) const
{
    return index == 11 ? static_cast<QWidget*>(memoBox) : fieldBoxes.value(index);
}

void InventoryMaster::boxGotFocus(int index)
{
    // The box selects its whole text itself.
    paintBase(shownBox(index), kWhite);
}

void InventoryMaster::boxLostFocus(int index)
{
    paintBase(shownBox(index), kBackground);
}

// ---------------------------------------------------------------- record form

void InventoryMaster::addRecord()
{
    ignoreErrors([this] {
        if (!(primaryRecordset->bof() && primaryRecordset->eof()))
            bookmarkBeforeAdd = primaryRecordset->bookmark();
    });
    ignoreErrors([this] { primaryRecordset->addNew(); });
    recordStatusLabel->setText(QStringLiteral("Add record"));
    addingRecord = true;
    setBrowsingButtons(false);
    vendorList->setText(QString());
}

void InventoryMaster::deleteRecord()
{
    if (qv::ui().msgBox(QStringLiteral("Do you really want to delete this record?"),
                        qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Ok)
        return;
    ignoreErrors([this] { primaryRecordset->deleteCurrent(); });
    // The deleted row's texts must not be written anywhere.
    ignoreErrors([this] { reshowBoxes(); });
    ignoreErrors([this] { primaryRecordset->move(0); });
    ignoreErrors([this] {
        if (primaryRecordset->eof())
            primaryRecordset->moveLast();
    });
    ignoreErrors([this] {
        if (m_gridShows == GridShows::Category)
            bindGridToChapter();
    });
}

void InventoryMaster::refreshRecords()
{
    ignoreErrors([this] { unbindGrid(); });
    ignoreErrors([this] { primaryRecordset->requery(); });
    ignoreErrors([this] { bindGridToChapter(); });
}

void InventoryMaster::cancelRecordChange()
{
    cancelRereading([this] { unbindGrid(); }, [this] { bindGridToChapter(); });
}

void InventoryMaster::updateRecord()
{
    const QString nothingToSave = QStringLiteral(" You have nothing to update. Click cancel and make an entry.");
    // A new row with nothing typed in it is not kept.
    if (!primaryRecordset
        || (addingRecord && primaryRecordset->editMode() == qv::EditMode::Add && nothingTyped(fieldBoxes))) {
        qv::ui().msgBox(nothingToSave);
        return;
    }
    try {
        primaryRecordset->updateBatch();
        if (!primaryRecordset->eof())
            primaryRecordset->move(0);
        editingRecord = false;
        addingRecord = false;
        setBrowsingButtons(true);
        bindGridToChapter();
    } catch (const std::exception& e) {
        reportRefusedSave(e, nothingToSave);
    }
}
