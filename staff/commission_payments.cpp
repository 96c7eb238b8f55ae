#include "staff/commission_payments.h"

#include "common/connections.h"
#include "common/drawn_pictures.h"
#include "common/find_by_text.h"
#include "common/lookup_lists.h"
#include "common/window_helpers.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "staff/commissions.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QStyle>

QV_REGISTER_WINDOW(frmtest1);

namespace {

const QString kMoney = QStringLiteral("\"$\"#,##0.00");
const QString kShortDate = QStringLiteral("M/d/yy");
const QString kNameTip = QStringLiteral("Click on drop down list, or Enter Name into Textbox.");

const QColor kFormBack(0xBA, 0xC9, 0xD1);   // &HD1C9BA
const QColor kLightGrey(0xC0, 0xC0, 0xC0);
const QColor kWhite(0xFF, 0xFF, 0xFF);

void paintBack(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}

const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        {"LastName", "Last Name", "", 1250},
        {"FirstName", "First Name", "", 1100},
        {"CommissionsPaid", "Service Commissions", "", 1750},
        {"CommissionsPaidProducts", "Products Commissions.", "", 1900},
        {"DatePaid", "Date Paid", "M/dd/yy", 900},
        {"TotalsPaid", "Total Amount Paid", "\"$\"#,##0.00", 1600},
    };
    return columns;
}

} // namespace

frmtest1::frmtest1(QWidget* parent)
    : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Employee Commissions "));
    buildLayout();
}

QString frmtest1::connectionString() const { return shapeConnectionString(); }

QString frmtest1::recordSource() const
{
    return QStringLiteral("SHAPE {select * from Employees1} AS ParentCMD APPEND ({select * from Employees1} AS "
                          "ChildCMD RELATE LastName TO LastName) AS ChildCMD");
}

void frmtest1::buildLayout()
{
    setTwipsSize(8910, 7200);
    QPalette back = palette();
    back.setColor(QPalette::Window, kFormBack);
    setPalette(back);
    setAutoFillBackground(true);
    // The window was drawn for the small type of its day.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto label = [this](int index, const QString& caption, int left, int top, int width, int height = 255) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QStringLiteral("lblLabels_%1").arg(index));
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        qv::place(l, left, top, width, height);
        lblLabels.insert(index, l);
        return l;
    };

    struct Box { int index; const char* field; const QString* format; int labelIndex; const char* caption; int top, width, height; };
    const Box boxes[] = {
        {1, "LastName", nullptr, 1, "LastName:", 0, 3135, 345},
        {0, "FirstName", nullptr, 0, "FirstName", 400, 3135, 345},
        {3, "CommissionsPaid", &kMoney, 3, "Service Commissions:", 840, 2295, 285},
        {2, "CommissionsPaidProducts", &kMoney, 2, "Products Commissions:", 1200, 2295, 285},
        {4, "DatePaid", &kShortDate, 4, "DatePaid:", 1560, 1815, 285},
        {5, "DateFrom", &kShortDate, 7, "Pay Period", 1920, 1335, 285},
        {6, "TotalsPaid", &kMoney, 6, "TotalsPaid:(Do not enter)", 2760, 1815, 420},
    };
    for (const Box& b : boxes) {
        qv::TextBox* box = addField(b.index, QString::fromLatin1(b.field), b.format ? *b.format : QString());
        qv::place(box, 2520, b.top, b.width, b.height);
        label(b.labelIndex, QString::fromLatin1(b.caption), 120, b.top + 30, 2340, b.height);
    }
    qv::TextBox* dateTo = addField(7, QStringLiteral("DateTo"), kShortDate);
    qv::place(dateTo, 4560, 1920, 1335, 285);
    label(8, QStringLiteral("-> To"), 3960, 1950, 540);

    for (int i : {0, 1, 2, 3, 4, 5, 7})
        paintBack(txtfields.value(i), kLightGrey);
    qv::TextBox* total = txtfields.value(6);
    paintBack(total, kFormBack);
    total->setReadOnly(true);
    QFont totalFont = total->font();
    totalFont.setBold(true);
    totalFont.setPointSizeF(9.75);
    total->setFont(totalFont);

    for (auto it = txtfields.cbegin(); it != txtfields.cend(); ++it) {
        const int index = it.key();
        it.value()->gotFocus = [this, index] { txtfields_GotFocus(index); };
        it.value()->lostFocus = [this, index] { txtfields_LostFocus(index); };
    }
    QList<QWidget*> order;
    for (int index : {1, 0, 3, 2, 4, 5, 7, 6})
        order << txtfields.value(index);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    dcboCustomer = new qv::DataCombo(this);
    dcboCustomer->setObjectName(QStringLiteral("dcboCustomer"));
    dcboCustomer->setToolTip(kNameTip);
    qv::place(dcboCustomer, 5880, 0, 2055, 345);
    DataCombo1 = new qv::DataCombo(this);
    DataCombo1->setObjectName(QStringLiteral("DataCombo1"));
    DataCombo1->setToolTip(kNameTip);
    qv::place(DataCombo1, 5880, 400, 2055, 345);
    connect(dcboCustomer, &QComboBox::activated, this, [this] { guard([this] { dcboCustomer_Click(); }); });
    connect(DataCombo1, &QComboBox::activated, this, [this] { guard([this] { DataCombo1_Click(); }); });

    Command1 = new QPushButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Command1->setIconSize(QSize(24, 24));
    Command1->setToolTip(QStringLiteral("Find Paid Commissions by Last Name"));
    qv::place(Command1, 6120, 1320, 615, 495);
    auto* findCaption = new QLabel(QStringLiteral("Find Paid Commissions by Last Name"), this);
    findCaption->setObjectName(QStringLiteral("Label3"));
    findCaption->setWordWrap(true);
    qv::place(findCaption, 6840, 1320, 1980, 495);

    label(5,
          QStringLiteral("Enter the Name ,service and products commissions. Totals will be added for you when you "
                         "click update.Or you may click Sub Total."),
          6240, 1920, 1980, 1215);   // beside the lamp, not under it

    Command2 = new QPushButton(QStringLiteral("SubTotal"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    qv::place(Command2, 4560, 3000, 975, 375);

    Image3 = new qv::PictureBox(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(lampPicture(28));
    Image3->setToolTip(QStringLiteral("Quick Tips"));
    qv::place(Image3, 8280, 2760, 480, 480);

    grdDataGrid = new qv::DataGrid(this);
    grdDataGrid->setObjectName(QStringLiteral("grdDataGrid"));
    qv::place(grdDataGrid, 240, 3480, 8520, 2625);
    // Long captions over narrow money columns: smaller type in the header.
    QFont headerFont = grdDataGrid->horizontalHeader()->font();
    headerFont.setPointSize(7);
    grdDataGrid->horizontalHeader()->setFont(headerFont);
    // Picking a payment moves the record: not while one is being written.
    grdDataGrid->beforeRowPick = [this] { return !editing(); };

    cmdRefresh->setText(QStringLiteral("&All Emp"));

    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command2, [this] { Command2_Click(); });
    connect(Image3, &qv::PictureBox::clicked, this, [this] { guard([this] { Image3_Click(); }); });
}

void frmtest1::resizeEvent(QResizeEvent* e)
{
    // The two bars keep their own places rather than the foot of the window.
    qv::place(picButtons, 1200, 6240, 7365, 300);
    qv::place(picStatBox, 2040, 6720, 5085, 300);
    qv::Window::resizeEvent(e);
}

// ---------------------------------------------------------------- load

void frmtest1::formLoad()
{
    // A missing database leaves an empty window whose buttons say why.
    ignoreErrors([this] { RecordForm::formLoad(); });
    ignoreErrors([this] { RemoveCloseCommand(this); });
    nameListConnection = lookupConnectionString();
    ignoreErrors([this] { BindNameCombos(); });
    ignoreErrors([this] { bindGridToOwnPayments(); });
}

void frmtest1::BindNameCombos()
{
    ClassEmployees employees;
    if (std::shared_ptr<qv::Recordset> rows = employees.rsemployee(nameListConnection))
        dcboCustomer->setRowSource(rows, QStringLiteral("LastName"));
    if (std::shared_ptr<qv::Recordset> rows = employees.rsemployee(nameListConnection))
        DataCombo1->setRowSource(rows, QStringLiteral("FirstName"));
}

void frmtest1::dcboCustomer_Click()
{
    txtfields.value(1)->setBoxText(dcboCustomer->text());
}

void frmtest1::DataCombo1_Click()
{
    txtfields.value(0)->setBoxText(DataCombo1->text());
}

// ---------------------------------------------------------------- grid

void frmtest1::bindGridToOwnPayments()
{
    m_gridShows = GridShows::OwnPayments;
    const std::shared_ptr<qv::Recordset> chapter = currentChapter(QStringLiteral("ChildCMD"));
    grdDataGrid->setDataSource(chapter, gridColumns());
}

void frmtest1::bindGridToAllPayments()
{
    m_gridShows = GridShows::AllPayments;
    grdDataGrid->setDataSource(adoPrimaryRS, gridColumns());
}

void frmtest1::unbindGrid()
{
    m_gridShows = GridShows::Nothing;
    grdDataGrid->setDataSource(nullptr);
}

void frmtest1::adoPrimaryRS_MoveComplete()
{
    RecordForm::adoPrimaryRS_MoveComplete();
    // The employee's payments follow the payment shown.
    if (m_gridShows == GridShows::OwnPayments)
        ignoreErrors([this] { bindGridToOwnPayments(); });
}

// ---------------------------------------------------------------- total

bool frmtest1::addUpTotal()
{
    // An empty commission counts as none, so that the total stored is always
    // the sum of the two; a commission that is no amount leaves the total
    // alone (the save then names the box's problem).
    const QString services = txtfields.value(3)->text().trimmed();
    const QString products = txtfields.value(2)->text().trimmed();
    qv::TextBox* total = txtfields.value(6);
    std::optional<qv::Money> s = services.isEmpty() ? std::optional<qv::Money>(qv::Money()) : qv::tryReadMoney(services);
    std::optional<qv::Money> p = products.isEmpty() ? std::optional<qv::Money>(qv::Money()) : qv::tryReadMoney(products);
    if (!s || !p)
        return false;
    if (services.isEmpty() && products.isEmpty()) {
        if (!total->text().isEmpty())
            total->setBoxText(QString());
        return true;
    }
    total->setBoxText(qv::plainText(*s + *p));
    if (const std::optional<qv::Money> shown = qv::tryReadMoney(total->text()))
        total->setBoxText(qv::currencyText(*shown));
    return true;
}

void frmtest1::Command2_Click()
{
    addUpTotal();
}

// ---------------------------------------------------------------- record form

void frmtest1::SetButtons(bool flag)
{
    RecordForm::SetButtons(flag);
    // The find moves to another payment, so it waits like the navigation.
    if (Command1)
        Command1->setEnabled(flag);
}

void frmtest1::cmdUpdate_Click()
{
    addUpTotal();
    try {
        if (!adoPrimaryRS)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        adoPrimaryRS->updateBatch();
    } catch (const qv::Error& e) {
        // Nothing was saved: say why and stay in the record, so that the
        // typed payment can be put right or cancelled.
        qv::ui().msgBox(e.description());
        return;
    } catch (const std::exception& e) {
        qv::ui().msgBox(QString::fromLocal8Bit(e.what()));
        return;
    }
    if (AddNewFlag)
        ignoreErrors([this] { adoPrimaryRS->moveLast(); });
    EditFlag = false;
    AddNewFlag = false;
    SetButtons(true);
    ignoreErrors([this] { bindGridToOwnPayments(); });
}

void frmtest1::cmdCancel_Click()
{
    cancelRereading([this] { unbindGrid(); }, [this] { bindGridToOwnPayments(); });
}

void frmtest1::cmdRefresh_Click()
{
    ignoreErrors([this] {
        adoPrimaryRS->moveNext();
        if (adoPrimaryRS->eof())
            adoPrimaryRS->moveFirst();
    });
    ignoreErrors([this] { unbindGrid(); });
    ignoreErrors([this] { adoPrimaryRS->requery(); });
    ignoreErrors([this] { bindGridToAllPayments(); });
}

// ---------------------------------------------------------------- find

void frmtest1::Command1_Click()
{
    if (editing() || !adoPrimaryRS)
        return;
    ignoreErrors([this] {
        adoPrimaryRS->requery();
        adoPrimaryRS->moveFirst();
    });
    QString typed;
    FindByText(*adoPrimaryRS, QStringLiteral("LastName"), QStringLiteral("Enter an employee's Last Name"),
               QStringLiteral("Could not find the Employee Name. "), &typed);
    if (typed.isEmpty())
        return;
    ignoreErrors([this] { bindGridToAllPayments(); });
}

// ---------------------------------------------------------------- boxes

void frmtest1::txtfields_GotFocus(int index)
{
    qv::TextBox* box = txtfields.value(index);
    box->selectAll();
    paintBack(box, kWhite);
}

void frmtest1::txtfields_LostFocus(int index)
{
    paintBack(txtfields.value(index), kLightGrey);
}

void frmtest1::Image3_Click()
{
    qv::Windows::show(QStringLiteral("frmquicktips4"));
}
