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
#include "shell/quick_tips.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QStyle>

QV_REGISTER_WINDOW_AS(CommissionPayments, "frmtest1");

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
        // The two commissions as wide as their captions: the six columns and
        // the scroll bar of a long list stay in sight together.
        {"CommissionsPaid", "Service Commissions", "", 1600},
        {"CommissionsPaidProducts", "Products Commissions.", "", 1740},
        {"DatePaid", "Date Paid", "M/dd/yy", 900},
        {"TotalsPaid", "Total Amount Paid", "\"$\"#,##0.00", 1600},
    };
    return columns;
}

} // namespace

CommissionPayments::CommissionPayments(QWidget* parent)
    : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Employee Commissions "));
    buildLayout();
}

QString CommissionPayments::connectionString() const { return shapeConnectionString(); }

QString CommissionPayments::recordSource() const
{
    return QStringLiteral("SHAPE {select * from Employees1} AS ParentCMD APPEND ({select * from Employees1} AS "
                          "ChildCMD RELATE LastName TO LastName) AS ChildCMD");
}

void CommissionPayments::buildLayout()
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
        l->setObjectName(qv::arrayMemberName("lblLabels", index));
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        qv::place(l, left, top, width, height);
        captionLabels.insert(index, l);
        return l;
    };

    struct BoxRow { int index; const char* field; const QString* format; int labelIndex; const char* caption; int top, width, height; };
    const BoxRow boxes[] = {
        {LastNameBox, "LastName", nullptr, LastNameCaption, "LastName:", 0, 3135, 345},
        {FirstNameBox, "FirstName", nullptr, FirstNameCaption, "FirstName", 400, 3135, 345},
        {ServiceCommissionBox, "CommissionsPaid", &kMoney, ServiceCommissionCaption, "Service Commissions:", 840, 2295, 285},
        {ProductsCommissionBox, "CommissionsPaidProducts", &kMoney, ProductsCommissionCaption, "Products Commissions:", 1200, 2295, 285},
        {DatePaidBox, "DatePaid", &kShortDate, DatePaidCaption, "DatePaid:", 1560, 1815, 285},
        {DateFromBox, "DateFrom", &kShortDate, PayPeriodCaption, "Pay Period", 1920, 1335, 285},
        {TotalPaidBox, "TotalsPaid", &kMoney, TotalPaidCaption, "TotalsPaid:(Do not enter)", 2760, 1815, 420},
    };
    for (const BoxRow& b : boxes) {
        qv::TextBox* box = addField(b.index, QString::fromLatin1(b.field), b.format ? *b.format : QString());
        qv::place(box, 2520, b.top, b.width, b.height);
        label(b.labelIndex, QString::fromLatin1(b.caption), 120, b.top + 30, 2340, b.height);
    }
    qv::TextBox* dateTo = addField(DateToBox, QStringLiteral("DateTo"), kShortDate);
    qv::place(dateTo, 4560, 1920, 1335, 285);
    label(DateToCaption, QStringLiteral("-> To"), 3960, 1950, 540);

    for (int i : {FirstNameBox, LastNameBox, ProductsCommissionBox, ServiceCommissionBox, DatePaidBox, DateFromBox,
                  DateToBox})
        paintBack(fieldBoxes.value(i), kLightGrey);
    qv::TextBox* total = fieldBoxes.value(TotalPaidBox);
    paintBack(total, kFormBack);
    total->setReadOnly(true);
    QFont totalFont = total->font();
    totalFont.setBold(true);
    totalFont.setPointSizeF(9.75);
    total->setFont(totalFont);

    for (auto it = fieldBoxes.cbegin(); it != fieldBoxes.cend(); ++it) {
        const int index = it.key();
        it.value()->gotFocus = [this, index] { boxGotFocus(index); };
        it.value()->lostFocus = [this, index] { boxLostFocus(index); };
    }
    QList<QWidget*> order;
    for (int index : {LastNameBox, FirstNameBox, ServiceCommissionBox, ProductsCommissionBox, DatePaidBox, DateFromBox,
                      DateToBox, TotalPaidBox})
        order << fieldBoxes.value(index);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    lastNameList = new qv::DataCombo(this);
    lastNameList->setObjectName(QStringLiteral("dcboCustomer"));
    lastNameList->setToolTip(kNameTip);
    qv::place(lastNameList, 5880, 0, 2055, 345);
    firstNameList = new qv::DataCombo(this);
    firstNameList->setObjectName(QStringLiteral("DataCombo1"));
    firstNameList->setToolTip(kNameTip);
    qv::place(firstNameList, 5880, 400, 2055, 345);
    connect(lastNameList, &QComboBox::activated, this, [this] { guard([this] { pickLastName(); }); });
    connect(firstNameList, &QComboBox::activated, this, [this] { guard([this] { pickFirstName(); }); });

    findByLastNameButton = new QPushButton(this);
    findByLastNameButton->setObjectName(QStringLiteral("Command1"));
    findByLastNameButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    findByLastNameButton->setIconSize(QSize(24, 24));
    findByLastNameButton->setToolTip(QStringLiteral("Find Paid Commissions by Last Name"));
    qv::place(findByLastNameButton, 6120, 1320, 615, 495);
    auto* findCaption = new QLabel(QStringLiteral("Find Paid Commissions by Last Name"), this);
    findCaption->setObjectName(QStringLiteral("Label3"));
    findCaption->setWordWrap(true);
    qv::place(findCaption, 6840, 1320, 1980, 495);

    label(InstructionsCaption,
          QStringLiteral("Enter the Name ,service and products commissions. Totals will be added for you when you "
                         "click update.Or you may click Sub Total."),
          6240, 1920, 1980, 1215);   // beside the lamp, not under it

    subTotalButton = new QPushButton(QStringLiteral("SubTotal"), this);
    subTotalButton->setObjectName(QStringLiteral("Command2"));
    qv::place(subTotalButton, 4560, 3000, 975, 375);

    tipsLamp = new qv::PictureBox(this);
    tipsLamp->setObjectName(QStringLiteral("Image3"));
    tipsLamp->setPixmap(lampPicture(28));
    tipsLamp->setToolTip(QStringLiteral("Quick Tips"));
    qv::place(tipsLamp, 8280, 2760, 480, 480);

    paymentsGrid = new qv::DataGrid(this);
    paymentsGrid->setObjectName(QStringLiteral("grdDataGrid"));
    qv::place(paymentsGrid, 240, 3480, 8520, 2625);
    // Long captions over narrow money columns: smaller type in the header.
    QFont headerFont = paymentsGrid->horizontalHeader()->font();
    headerFont.setPointSize(7);
    paymentsGrid->horizontalHeader()->setFont(headerFont);

    refreshRecordsButton->setText(QStringLiteral("&All Emp"));

    onClick(findByLastNameButton, [this] { findByLastName(); });
    onClick(subTotalButton, [this] { subTotal(); });
    connect(tipsLamp, &qv::PictureBox::clicked, this, [this] { guard([this] { showQuickTips(); }); });
}

void CommissionPayments::resizeEvent(QResizeEvent* e)
{
    // The two bars keep their own places rather than the foot of the window.
    qv::place(recordButtonBar, 1200, 6240, 7365, 300);
    qv::place(recordStatusBar, 2040, 6720, 5085, 300);
    qv::Window::resizeEvent(e);
}

// ---------------------------------------------------------------- load

void CommissionPayments::formLoad()
{
    // A missing database leaves an empty window whose buttons say why.
    ignoreErrors([this] { RecordForm::formLoad(); });
    ignoreErrors([this] { removeCloseCommand(this); });
    nameListConnection = lookupConnectionString();
    ignoreErrors([this] { bindNameLists(); });
    ignoreErrors([this] { bindGridToOwnPayments(); });
}

void CommissionPayments::bindNameLists()
{
    EmployeeLookup employees;
    if (std::shared_ptr<qv::Recordset> rows = employees.rows(nameListConnection))
        lastNameList->setRowSource(rows, QStringLiteral("LastName"));
    if (std::shared_ptr<qv::Recordset> rows = employees.rows(nameListConnection))
        firstNameList->setRowSource(rows, QStringLiteral("FirstName"));
}

void CommissionPayments::pickLastName()
{
    fieldBoxes.value(LastNameBox)->setBoxText(lastNameList->text());
}

void CommissionPayments::pickFirstName()
{
    fieldBoxes.value(FirstNameBox)->setBoxText(firstNameList->text());
}

// ---------------------------------------------------------------- grid

void CommissionPayments::bindGridToOwnPayments()
{
    m_gridShows = GridShows::OwnPayments;
    const std::shared_ptr<qv::Recordset> chapter = currentChapter(QStringLiteral("ChildCMD"));
    paymentsGrid->setDataSource(chapter, gridColumns());
}

void CommissionPayments::bindGridToAllPayments()
{
    m_gridShows = GridShows::AllPayments;
    paymentsGrid->setDataSource(primaryRecordset, gridColumns());
}

void CommissionPayments::unbindGrid()
{
    m_gridShows = GridShows::Nothing;
    paymentsGrid->setDataSource(nullptr);
}

void CommissionPayments::currentRecordChanged()
{
    RecordForm::currentRecordChanged();
    // The employee's payments follow the payment shown.
    if (m_gridShows == GridShows::OwnPayments)
        ignoreErrors([this] { bindGridToOwnPayments(); });
}

// ---------------------------------------------------------------- total

bool CommissionPayments::addUpTotal()
{
    // An empty commission counts as none, so that the total stored is always
    // the sum of the two; a commission that is no amount leaves the total
    // alone (the save then names the box's problem).
    const QString services = fieldBoxes.value(ServiceCommissionBox)->text().trimmed();
    const QString products = fieldBoxes.value(ProductsCommissionBox)->text().trimmed();
    qv::TextBox* total = fieldBoxes.value(TotalPaidBox);
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

void CommissionPayments::subTotal()
{
    addUpTotal();
}

// ---------------------------------------------------------------- record form

void CommissionPayments::setBrowsingButtons(bool flag)
{
    RecordForm::setBrowsingButtons(flag);
    // The find moves to another payment, so it waits like the navigation.
    if (findByLastNameButton)
        findByLastNameButton->setEnabled(flag);
}

void CommissionPayments::updateRecord()
{
    addUpTotal();
    try {
        if (!primaryRecordset)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        primaryRecordset->updateBatch();
    } catch (const qv::Error& e) {
        // Nothing was saved: say why and stay in the record, so that the
        // typed payment can be put right or cancelled.
        qv::ui().msgBox(e.description());
        return;
    } catch (const std::exception& e) {
        qv::ui().msgBox(QString::fromLocal8Bit(e.what()));
        return;
    }
    if (addingRecord)
        ignoreErrors([this] { primaryRecordset->moveLast(); });
    editingRecord = false;
    addingRecord = false;
    setBrowsingButtons(true);
    ignoreErrors([this] { bindGridToOwnPayments(); });
}

void CommissionPayments::cancelRecordChange()
{
    cancelRereading([this] { unbindGrid(); }, [this] { bindGridToOwnPayments(); });
}

void CommissionPayments::refreshRecords()
{
    ignoreErrors([this] {
        primaryRecordset->moveNext();
        if (primaryRecordset->eof())
            primaryRecordset->moveFirst();
    });
    ignoreErrors([this] { unbindGrid(); });
    ignoreErrors([this] { primaryRecordset->requery(); });
    ignoreErrors([this] { bindGridToAllPayments(); });
}

// ---------------------------------------------------------------- find

void CommissionPayments::findByLastName()
{
    // The rows are read again before the find: asked first, as every find is.
    if (!primaryRecordset || !mayFindNow())
        return;
    ignoreErrors([this] {
        primaryRecordset->requery();
        primaryRecordset->moveFirst();
    });
    QString typed;
    findByText(*primaryRecordset, QStringLiteral("LastName"), QStringLiteral("Enter an employee's Last Name"),
               QStringLiteral("Could not find the Employee Name. "), &typed);
    if (typed.isEmpty())
        return;
    ignoreErrors([this] { bindGridToAllPayments(); });
}

// ---------------------------------------------------------------- boxes

void CommissionPayments::boxGotFocus(int index)
{
    qv::TextBox* box = fieldBoxes.value(index);
    box->selectAll();
    paintBack(box, kWhite);
}

void CommissionPayments::boxLostFocus(int index)
{
    paintBack(fieldBoxes.value(index), kLightGrey);
}

void CommissionPayments::showQuickTips()
{
    qv::Windows::show<CommissionPaymentsQuickTips>();
}
