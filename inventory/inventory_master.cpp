#include "inventory/inventory_master.h"

#include "common/connections.h"
#include "common/find_by_text.h"
#include "common/lookup_lists.h"
#include "common/window_helpers.h"
#include "inventory/typed_boxes.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"

#include <QPainter>
#include <QStyle>

QV_REGISTER_WINDOW(Form6a);

namespace {

const QColor kBackground(0xBA, 0xC9, 0xD1);
const QColor kLightGrey(0xE0, 0xE0, 0xE0);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QString kMoney = QStringLiteral("\"$\"#,##0.00");

// The form's client area, in twips.
constexpr int kClientWidth = 11325;
constexpr int kClientHeight = 7065;

void paintBase(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, colour);
    w->setPalette(pal);
}

const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        {QStringLiteral("Category"), QStringLiteral("Category"), QString(), 1650},
        {QStringLiteral("SystemStockNumber"), QStringLiteral("System Stock #"), QString(), 1545},
        {QStringLiteral("Price"), QStringLiteral("Price"), kMoney, 855},
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

Form6a::Form6a(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("StockControl"));
    buildLayout();
}

QString Form6a::connectionString() const { return shapeConnectionString(); }

QString Form6a::recordSource() const
{
    return QStringLiteral("SHAPE {select* from StockControl} AS ParentCMD APPEND ({select "
                          "Category,SystemStockNumber,Price from StockControl } AS ChildCMD RELATE Category TO "
                          "Category) AS ChildCMD");
}

// ---------------------------------------------------------------- layout

void Form6a::buildLayout()
{
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    for (QWidget* panel : {picButtons, picStatBox}) {
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

    Label2 = label(QStringLiteral("Label2"),
                   QStringLiteral("NOTE: If you delete the last record from the inventory database you will not be "
                                  "able to load the retail or non retail products forms."),
                   120, 60, 6000, 420);
    Label2->setStyleSheet(QStringLiteral("color: #800000;"));

    // The boxes: index, field, caption, format, colour (none: default), where.
    enum class State { Shown, Hidden };
    struct Box {
        int index;
        const char* field;
        const char* caption;
        bool money;
        bool coloured;
        State state;
        int left, top, width;   // label's left; the box follows the label
    };
    // Left column: captions at 120, boxes at 2040, wide enough to read an
    // item's description; middle column: captions at 4320, boxes at 5820.
    constexpr int L = 120, M = 4320, top0 = 600, step = 345;
    constexpr int captionWidth = 1860, middleCaptionWidth = 1440, boxWidth = 2160;
    auto row = [](int n) { return top0 + n * step; };
    const Box boxes[] = {
        {0, "Category", "Category:", false, true, State::Shown, L, row(0), boxWidth},
        {7, "item", "Item Description:", false, true, State::Shown, L, row(1), boxWidth},
        {26, "SystemStockNumber", "SystemStockNumber:", false, true, State::Shown, L, row(2), boxWidth},
        {25, "SuppliersStockNumber", "Suppliers Stock#:", false, true, State::Shown, L, row(3), boxWidth},
        {8, "Location", "Location:", false, true, State::Shown, L, row(4), boxWidth},
        {1, "Comment", "Comment:", false, true, State::Shown, L, row(5), boxWidth},
        {11, "Memo", "Memo:", false, true, State::Shown, L, row(6), boxWidth},
        {23, "Substitute", "Substitute:", false, true, State::Shown, L, row(8), boxWidth},
        {4, "Date", "Date:", false, true, State::Shown, L, row(9), boxWidth},
        {17, "Retail", "Retail:", false, true, State::Shown, L, row(10), boxWidth},
        {31, "UnitSize", "Unit Size:", false, true, State::Shown, L, row(11), boxWidth},
        {32, "WholeSale", "Non Retail:", false, true, State::Shown, L, row(12), boxWidth},
        {33, "taxpercent1", "Tax %:", false, true, State::Shown, L, row(13), boxWidth},
        {34, "ReOrderLevel", "Re-OrderLevel:", false, true, State::Shown, L, row(14), boxWidth},
        {2, "CostValueOfStock", "Cost:", true, true, State::Shown, M, row(0), 960},
        {13, "Price", "Sell Price:", true, true, State::Shown, M, row(1), 960},
        {22, "StartingQuantity", "StartingQuantity:", false, true, State::Shown, M, row(2), 960},
        {3, "CurrentlyInStock", "Currently In Stock", false, false, State::Shown, M, row(3), 960},
        {21, "SourceOrSupplier", "Supplier / Vendor:", false, true, State::Shown, M, row(7), 2520},
        // Never shown.
        {5, "EmployeeID", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {6, "GrossSales", nullptr, true, false, State::Hidden, 0, 0, 1000},
        {9, "LostDamagedTotals", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {10, "LostOrDamaged", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {12, "NetProfitFromSales", nullptr, true, false, State::Hidden, 0, 0, 1000},
        {14, "QuantitySold", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {15, "QuantityStatus", nullptr, true, false, State::Hidden, 0, 0, 1000},
        {16, "QuantityThisEntry", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {18, "ReturnedToStock", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {19, "ReturnToStockTotals", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {20, "Sold", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {24, "SupplierID", nullptr, false, false, State::Hidden, 0, 0, 1000},
        {35, "BarCode", "Barcodes", false, true, State::Hidden, 0, 0, 1000},
        // Bound, but out of sight and out of the Tab order: a box below the
        // window's edge would take typing nobody sees.
        {27, "Totals", "Totals:", false, false, State::Hidden, 0, 0, 1500},
        {28, "TotalThisSale", "TotalThisSale:", false, false, State::Hidden, 0, 0, 1500},
        {29, "UnitSize", "UnitSize:", false, false, State::Hidden, 0, 0, 1500},
        {30, "WholeSale", "WholeSale:", false, false, State::Hidden, 0, 0, 1500},
    };
    for (const Box& b : boxes) {
        qv::TextBox* box = addField(b.index, QString::fromLatin1(b.field), b.money ? kMoney : QString());
        const int i = b.index;
        // The whole text is selected, also when a click gave the focus.
        box->setSelectOnFocus(true);
        box->gotFocus = [this, i] { txtfields_GotFocus(i); };
        box->lostFocus = [this, i] { txtfields_LostFocus(i); };
        if (b.coloured)
            paintBase(box, kBackground);
        QLabel* caption = nullptr;
        if (b.caption) {
            // Named for their box: lblLabels(2), (6), (31) and (32) are other captions of this window.
            caption = label(QStringLiteral("lblField_%1").arg(i), QString::fromLatin1(b.caption), b.left, b.top + 30,
                            b.left == M ? middleCaptionWidth : captionWidth);
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
            qv::place(box, b.left + (b.left == M ? 1500 : captionWidth + 60), b.top, b.width, 300);
            break;
        }
    }
    // A memo keeps its line breaks: it is shown and typed on several lines,
    // in a box two rows high (the rows below it stand one row lower).
    memoBox = new qv::ManyLineBox(txtfields.value(11), this);
    memoBox->resize(memoBox->width(), qv::px(step + 300));
    paintBase(memoBox, kBackground);

    // The vendor's box lies under the vendor list, its caption above both.
    qv::place(m_captions.value(21), M, row(5) + 30, 2460, 285);
    qv::place(txtfields.value(21), M, row(7), 2460, 300);

    // The amount in stock is computed by the product windows, never typed here.
    qv::TextBox* inStock = txtfields.value(3);
    inStock->setReadOnly(true);
    paintBase(inStock, kLightGrey);
    QPalette red = inStock->palette();
    red.setColor(QPalette::Text, QColor(0xFF, 0, 0));
    inStock->setPalette(red);
    QFont big = inStock->font();
    big.setPointSizeF(13.5);
    inStock->setFont(big);
    m_captions.value(3)->setWordWrap(true);
    qv::place(m_captions.value(3), M, row(3), middleCaptionWidth, 450);
    qv::place(inStock, M + 1500, row(3), 960, 450);

    dcboCustomer = new qv::DataCombo(this);
    dcboCustomer->setObjectName(QStringLiteral("dcboCustomer"));
    dcboCustomer->setEditable(false);
    qv::place(dcboCustomer, M, row(6), 2460, 315);

    lblLabels.insert(2, label(QStringLiteral("lblLabels_2"), QStringLiteral("New Vendor?"), M, row(8) + 60, 1100));
    Check2 = new QPushButton(this);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setCheckable(true);
    Check2->setIcon(QIcon(vendorPicture()));
    Check2->setIconSize(QSize(24, 24));
    Check2->setToolTip(QStringLiteral("Click on button if this Vendor is new."));
    qv::place(Check2, M + 1140, row(8), 480, 420);

    // The note on new rows, on its grey panel.
    auto* note = label(QStringLiteral("lblLabels_6"),
                       QStringLiteral("When adding a new product, the amount Currently in Stock will be unavailable "
                                      "until the either the Products Non Retail or Retail forms are activated Or used "
                                      ", and you have clicked refresh on those forms."),
                       M, row(10), 2460, 1950);
    note->setAutoFillBackground(true);
    QPalette grey = note->palette();
    grey.setColor(QPalette::Window, kLightGrey);
    note->setPalette(grey);
    note->setMargin(4);
    lblLabels.insert(6, note);

    // The finds, the grid and the products-sold picture at the right.
    constexpr int R = 6870, gridWidth = 4335;
    auto findButton = [this](QPushButton*& slot, const char* name, int top) {
        slot = new QPushButton(this);
        slot->setObjectName(QString::fromLatin1(name));
        slot->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
        qv::place(slot, 10560, top, 480, 375);
    };
    lblLabels.insert(32, label(QStringLiteral("lblLabels_32"), QStringLiteral("Search for product by Category"), R,
                               120, 10500 - R));
    findButton(Command4, "Command4", 60);
    lblLabels.insert(31, label(QStringLiteral("lblLabels_31"), QStringLiteral("Search for product by StockNumber"), R,
                               540, 10500 - R));
    findButton(Command7, "Command7", 480);
    for (int i : {31, 32})
        lblLabels.value(i)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    grdDataGrid = new qv::DataGrid(this);
    grdDataGrid->setObjectName(QStringLiteral("grdDataGrid"));
    grdDataGrid->setWindowTitle(QStringLiteral("Stock Control"));
    grdDataGrid->setFocusPolicy(Qt::NoFocus);
    auto* gridCaption = label(QStringLiteral("grdDataGridCaption"), QStringLiteral("Stock Control"), R, 960, gridWidth, 255);
    gridCaption->setAlignment(Qt::AlignCenter);
    gridCaption->setAutoFillBackground(true);
    QPalette captionPal = gridCaption->palette();
    captionPal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    captionPal.setColor(QPalette::WindowText, Qt::white);
    gridCaption->setPalette(captionPal);
    qv::place(grdDataGrid, R, 1215, gridWidth, 3225);

    Command1 = new QPushButton(QStringLiteral("&View All"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    qv::place(Command1, R, 4560, 1200, 345);

    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Click on the image at right to find products sold by dates."),
                   R + 1320, 4560, 10500 - R - 1320, 720);
    Image1 = new qv::PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(salesPicture());
    Image1->setCursor(Qt::PointingHandCursor);
    qv::place(Image1, 10620, 4530, 540, 540);

    // No status text on this window.
    qv::place(lblStatus, 690, 0, 0, 300);

    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command4, [this] { Command4_Click(); });
    onClick(Command7, [this] { Command7_Click(); });
    onClick(Check2, [this] { Check2_Click(); });
    connect(Image1, &qv::PictureBox::clicked, this, [this] { guard([this] { Image1_Click(); }); });
    // A pick in the list (by mouse or keys) is the vendor chosen.
    connect(dcboCustomer, &QComboBox::activated, this, [this] { guard([this] { CopySupplierChoice(); }); });
    // The list shows the vendor book as it is now, a vendor just added
    // through "New Vendor?" included.
    connect(dcboCustomer, &qv::DataCombo::listOpening, this, [this] {
        guard([this] {
            if (db && db->isOpen())
                FillSupplierCombo();
        });
    });
}

// ---------------------------------------------------------------- load

void Form6a::formLoad()
{
    // Every step's error is passed over: a missing database leaves an empty window.
    MakeTopMost(this);
    RemoveCloseCommand(this);
    m_plainConnection = lookupConnectionString();
    ignoreErrors([this] { RecordForm::formLoad(); });
    ignoreErrors([this] { bindGridToChapter(); });
    // Without the database the list would only say again that it cannot be read.
    if (db && db->isOpen())
        FillSupplierCombo();
}

void Form6a::FillSupplierCombo()
{
    Customers suppliers;
    std::shared_ptr<qv::Recordset> rows = suppliers.rsCustomer(m_plainConnection);
    dcboCustomer->setRowSource(rows, QStringLiteral("CompanyName"), QStringLiteral("SupplierID"));
}

void Form6a::CopySupplierChoice()
{
    // The vendor's name, as the product windows show it under "Supplier:".
    txtfields.value(21)->setBoxText(dcboCustomer->text());
}

// ---------------------------------------------------------------- grid

void Form6a::bindGridToChapter()
{
    m_gridShows = GridShows::Category;
    const std::shared_ptr<qv::Recordset> chapter = currentChapter(QStringLiteral("ChildCMD"));
    grdDataGrid->setDataSource(chapter, gridColumns());
}

void Form6a::unbindGrid()
{
    m_gridShows = GridShows::Nothing;
    grdDataGrid->setDataSource(nullptr);
}

void Form6a::adoPrimaryRS_MoveComplete()
{
    // No status text; the category view follows the current row.
    if (m_gridShows == GridShows::Category)
        ignoreErrors([this] { bindGridToChapter(); });
}

void Form6a::Command1_Click()
{
    ignoreErrors([this] { unbindGrid(); });
    ignoreErrors([this] { adoPrimaryRS->requery(); });
    ignoreErrors([this] {
        // Grid and boxes share the recordset now: a row picked is the row shown.
        m_gridShows = GridShows::AllRows;
        grdDataGrid->setDataSource(adoPrimaryRS, gridColumns());
    });
    grdDataGrid->setFocusPolicy(Qt::StrongFocus);
}

// ---------------------------------------------------------------- finds

void Form6a::find(const QString& field, const QString& prompt, const QString& notFound)
{
    if (!adoPrimaryRS)
        return;
    ignoreErrors([&] { FindByTextAndShow(*adoPrimaryRS, field, prompt, notFound); });
}

void Form6a::Command4_Click()
{
    find(QStringLiteral("Category"), QStringLiteral("Enter a Category for this product."),
         QStringLiteral("Could not find your category. "));
}

void Form6a::Command7_Click()
{
    find(QStringLiteral("SystemStockNumber"), QStringLiteral("Enter a SystemStockNumber for this product."),
         QStringLiteral("Could not find your Product by Stock#. "));
}

// ---------------------------------------------------------------- other windows

void Form6a::Check2_Click()
{
    qv::Windows::show(QStringLiteral("Frmdatabase"));
}

void Form6a::Image1_Click()
{
    qv::Windows::show(QStringLiteral("Form1"));
}

// ---------------------------------------------------------------- focus colours

QWidget* Form6a::shownBox(int index) const
{
    return index == 11 ? static_cast<QWidget*>(memoBox) : txtfields.value(index);
}

void Form6a::txtfields_GotFocus(int index)
{
    // The box selects its whole text itself.
    paintBase(shownBox(index), kWhite);
}

void Form6a::txtfields_LostFocus(int index)
{
    paintBase(shownBox(index), kBackground);
}

// ---------------------------------------------------------------- record form

void Form6a::cmdAdd_Click()
{
    ignoreErrors([this] {
        if (!(adoPrimaryRS->bof() && adoPrimaryRS->eof()))
            SavedBookmark = adoPrimaryRS->bookmark();
    });
    ignoreErrors([this] { adoPrimaryRS->addNew(); });
    lblStatus->setText(QStringLiteral("Add record"));
    AddNewFlag = true;
    SetButtons(false);
    dcboCustomer->setText(QString());
}

void Form6a::cmdDelete_Click()
{
    if (qv::ui().msgBox(QStringLiteral("Do you really want to delete this record?"),
                        qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Ok)
        return;
    ignoreErrors([this] { adoPrimaryRS->deleteCurrent(); });
    // The deleted row's texts must not be written anywhere.
    ignoreErrors([this] { reshowBoxes(); });
    ignoreErrors([this] { adoPrimaryRS->move(0); });
    ignoreErrors([this] {
        if (adoPrimaryRS->eof())
            adoPrimaryRS->moveLast();
    });
    ignoreErrors([this] {
        if (m_gridShows == GridShows::Category)
            bindGridToChapter();
    });
}

void Form6a::cmdRefresh_Click()
{
    ignoreErrors([this] { unbindGrid(); });
    ignoreErrors([this] { adoPrimaryRS->requery(); });
    ignoreErrors([this] { bindGridToChapter(); });
}

void Form6a::cmdCancel_Click()
{
    cancelRereading([this] { unbindGrid(); }, [this] { bindGridToChapter(); });
}

void Form6a::cmdUpdate_Click()
{
    try {
        if (!adoPrimaryRS)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        // A new row with nothing typed in it is not kept.
        if (AddNewFlag && adoPrimaryRS->editMode() == qv::EditMode::Add && nothingTyped(txtfields))
            throw qv::Error(QStringLiteral("Nothing was entered."));
        adoPrimaryRS->updateBatch();
        if (!adoPrimaryRS->eof())
            adoPrimaryRS->move(0);
        EditFlag = false;
        AddNewFlag = false;
        SetButtons(true);
        bindGridToChapter();
    } catch (const std::exception&) {
        qv::ui().msgBox(QStringLiteral(" You have nothing to update. Click cancel and make an entry."));
    }
}
