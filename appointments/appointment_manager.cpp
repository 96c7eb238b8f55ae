#include "appointments/appointment_manager.h"

#include "common/connections.h"
#include "common/find_by_text.h"
#include "common/ordinary_values.h"
#include "common/window_helpers.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/money.h"
#include "shell/quick_tips.h"

#include <QPainter>
#include <QPointer>
#include <QStyle>

QV_REGISTER_WINDOW_AS(AppointmentManager, "frmServicemenu3");

namespace {

const QString kMoney = QStringLiteral("\"$\"#,##0.00");

const QString kSelect = QStringLiteral(
    "select CustomerID,CustomerPhone,CustomerName,SalonArtist,DateAppointment,TimeAppointment,TimeBlock,Totals "
    "from Servicemenu");

const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        // Each as wide as its caption or its values need (a client's name
        // at its longest, a total in the thousands), and all seven side by
        // side with the scroll bar of a long list, so that "Total Sales" is
        // read without scrolling sideways.
        {"CustomerName", "Customer Name", "", 2850, OrdinaryValue::clientName},
        {"CustomerPhone", "Customer Phone", "", 1440},
        {"SalonArtist", "Salon Artist", "", 1020},
        {"DateAppointment", "Date Of Appointment", "M/d/yyyy", 1845},
        {"TimeAppointment", "Time Of Appointment", "h:nn AM/PM", 1845},
        {"TimeBlock", "Time Block", "h:nn AM/PM", 990},
        {"Totals", "Total Sales", kMoney, 1020},
    };
    return columns;
}

QPixmap notePicture()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 245, 160));
    p.setPen(QColor(120, 100, 0));
    p.drawRect(5, 3, 22, 26);
    p.setPen(QColor(200, 0, 0));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(18);
    p.setFont(f);
    p.drawText(QRect(5, 3, 22, 26), Qt::AlignCenter, QStringLiteral("!"));
    return pm;
}

} // namespace

AppointmentManager::AppointmentManager(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Manage Appointments"));
    buildLayout();
}

QString AppointmentManager::connectionString() const { return shapeConnectionString(); }

QString AppointmentManager::recordSource() const
{
    return QStringLiteral("SHAPE {") + kSelect + QStringLiteral("} AS ParentCMD APPEND ({") + kSelect
        + QStringLiteral(" } AS ChildCMD RELATE CustomerPhone TO CustomerPhone) AS ChildCMD");
}

void AppointmentManager::buildLayout()
{
    // Drawn, as the book is, for the small system font of an 800 x 600 screen.
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    // As wide as the grid's seven columns need with a client's name at its
    // longest, and still inside a screen of 800 x 600 with its frame.
    constexpr int kWidth = 11760, kInner = kWidth - 240;
    setTwipsSize(kWidth, 8400);

    auto label = [this](const QString& name, const QString& caption, int left, int top, int width, int height = 285) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        qv::place(l, left, top, width, height);
        return l;
    };

    // The finders along the top, each with its caption beside it.
    auto finder = [&](QPushButton*& slot, const char* name, const QString& tip, QStyle::StandardPixmap icon,
                      const QString& caption, int left) {
        slot = new QPushButton(this);
        slot->setObjectName(QString::fromLatin1(name));
        slot->setToolTip(tip);
        slot->setIcon(style()->standardIcon(icon));
        qv::place(slot, left, 120, 480, 420);
        label(QStringLiteral("lbl") + QString::fromLatin1(name), caption, left + 540, 180, 2040);
    };
    finder(findByLastNameButton, "Command1", QString(), QStyle::SP_FileDialogListView,
           QStringLiteral("Find by Last Name"), 120);
    finder(findByPhoneButton, "Command11", QStringLiteral("Find Appointments by Phone#"), QStyle::SP_FileDialogInfoView,
           QStringLiteral("Find by Phone #"), 2760);
    finder(findByTicketButton, "Command6", QStringLiteral("Find by ticket"), QStyle::SP_FileDialogStart,
           QStringLiteral("Find by Ticket #"), 5400);

    tipsPicture = new qv::PictureBox(this);
    tipsPicture->setObjectName(QStringLiteral("Image1"));
    tipsPicture->setPixmap(notePicture());
    qv::place(tipsPicture, kWidth - 720, 120, 540, 540);
    connect(tipsPicture, &qv::PictureBox::clicked, this, [this] { guard([this] { showTips(); }); });

    // The ticket's header: label, box; the client's name box holds a name
    // of 30 characters whole.
    constexpr int kCaptionWidth = 1560, kRight = 4980;
    struct Box { int index; const char* field; QString format; const char* caption; int left, top, width; };
    const Box boxes[] = {
        {TicketNumberBox, "CustomerID", "", "TK#", 120, 780, 1200},
        {ClientPhoneBox, "CustomerPhone", "", "Customer Phone:", 120, 1200, 2100},
        {ClientNameBox, "CustomerName", "", "CustomerName:", 120, 1620, 3000},
        {SalonArtistBox, "SalonArtist", "", "Salon Artist:", 120, 2040, 2100},
        {AppointmentDateBox, "DateAppointment", "M/d/yyyy", "DateAppointment:", kRight, 780, 1500},
        {AppointmentTimeBox, "TimeAppointment", "h:nn AM/PM", "TimeAppointment:", kRight, 1200, 1500},
        {TimeBlockBox, "TimeBlock", "h:nn AM/PM", "TimeBlock:", kRight, 1620, 1500},
        {TicketTotalBox, "Totals", kMoney, "Totals:", kRight, 2040, 1500},
    };
    for (const Box& b : boxes) {
        qv::TextBox* box = addField(b.index, QString::fromLatin1(b.field), b.format);
        box->setSelectOnFocus(true);
        QLabel* caption = label(qv::arrayMemberName("lblLabels", b.index), QString::fromLatin1(b.caption), b.left,
                                b.top + 30, kCaptionWidth);
        captionLabels.insert(b.index, caption);
        qv::place(box, b.left + kCaptionWidth + 60, b.top, b.width, 300);
    }
    fieldBoxes.value(TicketNumberBox)->setToolTip(QStringLiteral("Enter Client Ticket"));
    QList<QWidget*> order;
    for (int index : {TicketNumberBox, ClientPhoneBox, ClientNameBox, SalonArtistBox, AppointmentDateBox,
                      AppointmentTimeBox, TimeBlockBox, TicketTotalBox})
        order << fieldBoxes.value(index);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    label(QStringLiteral("lblTimeFormat"), QStringLiteral("Enter Time Format as AM or PM: Example 10AM "),
          kRight + kCaptionWidth + 1680, 1230, 3300, 540);
    label(QStringLiteral("lblScroll"),
          QStringLiteral("Scroll the records to find the record you wish to edit or delete. Or use the Find by "
                         "buttons above."),
          120, 2460, kInner, 300);
    label(QStringLiteral("lblCaution"),
          QStringLiteral("Caution : Do not Delete Closed tickets unless you have deducted the product from inventory "
                         "first. Deleting Closed tickets can affect your inventory. "),
          120, 2760, kInner, 480)
        ->setStyleSheet(QStringLiteral("color: #A00000;"));

    ticketGrid = new qv::DataGrid(this);
    ticketGrid->setObjectName(QStringLiteral("grdDataGrid"));
    qv::place(ticketGrid, 120, 3300, kInner, 3000);

    label(QStringLiteral("lblLastRecord"),
          QStringLiteral("* If you DELETE the last record in the database, you will need to enter the first record "
                         "from this form. Appointment form will be disabled until first record is added from this "
                         "form."),
          120, 6360, kInner, 660);

    refreshRecordsButton->setText(QStringLiteral("&All Clients"));
    refreshRecordsButton->setToolTip(QStringLiteral("Shows all clients in database"));

    onClick(findByLastNameButton, [this] { findByLastName(); });
    onClick(findByPhoneButton, [this] { findByPhone(); });
    onClick(findByTicketButton, [this] { findByTicketNumber(); });
}

// ---------------------------------------------------------------- load and grid

void AppointmentManager::formLoad()
{
    // Every step's error is passed over: a missing database leaves an empty window.
    ignoreErrors([this] { RecordForm::formLoad(); });
    ignoreErrors([this] { removeCloseCommand(this); });
    ignoreErrors([this] { bindGridToChapter(); });
    // After the boxes' own hooks, so that it sees the amounts they put in.
    ignoreErrors([this] {
        primaryRecordset->addCommitHook([manager = QPointer<AppointmentManager>(this)] {
            if (manager)
                manager->storeMoneyToTheCent();
        });
    });
}

// The amounts are stored as the boxes show them, to the cent and rounded as
// the book rounds a ticket's lines: a total typed as "45.505" is kept as the
// $45.51 it shows, not as 45.505.
void AppointmentManager::storeMoneyToTheCent()
{
    if (!primaryRecordset || primaryRecordset->editMode() == qv::EditMode::None)
        return;
    const qv::Money once = qv::Money::fromUnits(10000);
    for (const qv::TextBox* box : std::as_const(fieldBoxes)) {
        if (box->dataFormat() != kMoney)
            continue;
        const QVariant amount = primaryRecordset->value(box->dataField());
        if (amount.metaType() == QMetaType::fromType<qv::Money>())
            primaryRecordset->setValue(box->dataField(),
                                       QVariant::fromValue(qv::Money::lineAmount(amount.value<qv::Money>(), once)));
    }
}

void AppointmentManager::bindGridToChapter()
{
    m_gridShows = GridShows::ClientTickets;
    const std::shared_ptr<qv::Recordset> chapter = currentChapter(QStringLiteral("ChildCMD"));
    ticketGrid->setDataSource(chapter, gridColumns());
}

void AppointmentManager::unbindGrid()
{
    m_gridShows = GridShows::Nothing;
    ticketGrid->setDataSource(nullptr);
}

void AppointmentManager::currentRecordChanged()
{
    RecordForm::currentRecordChanged();
    // The chapter moves with its ticket.
    if (m_gridShows == GridShows::ClientTickets)
        ignoreErrors([this] { bindGridToChapter(); });
}

// ---------------------------------------------------------------- record form

void AppointmentManager::setBrowsingButtons(bool flag)
{
    RecordForm::setBrowsingButtons(flag);
    // The finders move to another ticket, so they wait like the navigation.
    for (QPushButton* b : {findByLastNameButton, findByPhoneButton, findByTicketButton})
        if (b)
            b->setEnabled(flag);
}

void AppointmentManager::updateRecord()
{
    try {
        if (!primaryRecordset)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        primaryRecordset->updateBatch();
        if (addingRecord)
            primaryRecordset->moveLast();
        editingRecord = false;
        addingRecord = false;
        setBrowsingButtons(true);
        bindGridToChapter();
    } catch (const std::exception&) {
        qv::ui().msgBox(QStringLiteral("You have not added any information into the text boxes. Click cancel"));
    }
}

void AppointmentManager::cancelRecordChange()
{
    cancelRereading([this] { unbindGrid(); }, [this] { bindGridToChapter(); });
}

void AppointmentManager::deleteRecord()
{
    if (qv::ui().msgBox(QStringLiteral("Do you really want to delete this record?"),
                        qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Ok)
        return;
    try {
        if (!primaryRecordset)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        primaryRecordset->deleteCurrent();
        reshowBoxes();
        primaryRecordset->moveNext();
        if (primaryRecordset->eof())
            primaryRecordset->moveLast();
    } catch (const std::exception&) {
        qv::ui().msgBox(QStringLiteral("You have deleted the last record in the database."));
    }
}

void AppointmentManager::refreshRecords()
{
    ignoreErrors([this] { unbindGrid(); });
    ignoreErrors([this] {
        primaryRecordset->requery();
        primaryRecordset->moveFirst();
    });
    // Grid and boxes now share the recordset: a row picked is the ticket shown.
    ignoreErrors([this] {
        m_gridShows = GridShows::AllTickets;
        ticketGrid->setDataSource(primaryRecordset, gridColumns());
    });
}

// ---------------------------------------------------------------- finders

void AppointmentManager::find(const QString& field, const QString& prompt, const QString& notFound)
{
    if (!primaryRecordset)
        return;
    findByTextAndShow(*primaryRecordset, field, prompt, notFound);
}

void AppointmentManager::findByLastName()
{
    find(QStringLiteral("CustomerName"), QStringLiteral("Enter a LastName."),
         QStringLiteral("Could not find your client. "));
}

void AppointmentManager::findByPhone()
{
    find(QStringLiteral("CustomerPhone"), QStringLiteral("Enter the client's Phone#."),
         QStringLiteral("Could not find appointment for this number. "));
}

void AppointmentManager::findByTicketNumber()
{
    find(QStringLiteral("CustomerID"), QStringLiteral("Search by ticket to find a scheduled appointment for this client."),
         QStringLiteral("Could not find a client by this ticket. "));
}

void AppointmentManager::showTips()
{
    qv::Windows::show<AppointmentManagerQuickTips>();
}
