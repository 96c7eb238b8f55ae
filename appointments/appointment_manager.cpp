#include "appointments/appointment_manager.h"

#include "common/connections.h"
#include "common/find_by_text.h"
#include "common/window_helpers.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"

#include <QPainter>
#include <QStyle>

QV_REGISTER_WINDOW(frmServicemenu3);

namespace {

const QString kSelect = QStringLiteral(
    "select CustomerID,CustomerPhone,CustomerName,SalonArtist,DateAppointment,TimeAppointment,TimeBlock,Totals "
    "from Servicemenu");

const QList<qv::GridColumn>& gridColumns()
{
    static const QList<qv::GridColumn> columns = {
        // Each as wide as its caption or its values need, and all seven
        // side by side with the scroll bar of a long list, so that "Total
        // Sales" is read without scrolling sideways.
        {"CustomerName", "Customer Name", "", 1620},
        {"CustomerPhone", "Customer Phone", "", 1620},
        {"SalonArtist", "Salon Artist", "", 1170},
        {"DateAppointment", "Date Of Appointment", "M/d/yyyy", 2040},
        {"TimeAppointment", "Time Of Appointment", "h:nn AM/PM", 2040},
        {"TimeBlock", "Time Block", "h:nn AM/PM", 1110},
        {"Totals", "Total Sales", "\"$\"#,##0.00", 1110},
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

frmServicemenu3::frmServicemenu3(QWidget* parent) : RecordForm(parent)
{
    setWindowTitle(QStringLiteral("Manage Appointments"));
    buildLayout();
}

QString frmServicemenu3::connectionString() const { return shapeConnectionString(); }

QString frmServicemenu3::recordSource() const
{
    return QStringLiteral("SHAPE {") + kSelect + QStringLiteral("} AS ParentCMD APPEND ({") + kSelect
        + QStringLiteral(" } AS ChildCMD RELATE CustomerPhone TO CustomerPhone) AS ChildCMD");
}

void frmServicemenu3::buildLayout()
{
    setTwipsSize(11400, 8400);

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
    finder(Command1, "Command1", QString(), QStyle::SP_FileDialogListView, QStringLiteral("Find by Last Name"), 120);
    finder(Command11, "Command11", QStringLiteral("Find Appointments by Phone#"), QStyle::SP_FileDialogInfoView,
           QStringLiteral("Find by Phone #"), 2760);
    finder(Command6, "Command6", QStringLiteral("Find by ticket"), QStyle::SP_FileDialogStart,
           QStringLiteral("Find by Ticket #"), 5400);

    Image1 = new qv::PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(notePicture());
    qv::place(Image1, 10680, 120, 540, 540);
    connect(Image1, &qv::PictureBox::clicked, this, [this] { guard([this] { Image1_Click(); }); });

    // The ticket's header: label, box.
    struct Box { int index; const char* field; const char* format; const char* caption; int left, top, width; };
    const Box boxes[] = {
        {50, "CustomerID", "", "TK#", 120, 780, 1200},
        {0, "CustomerPhone", "", "Customer Phone:", 120, 1200, 2100},
        {1, "CustomerName", "", "CustomerName:", 120, 1620, 2100},
        {2, "SalonArtist", "", "Salon Artist:", 120, 2040, 2100},
        {3, "DateAppointment", "M/d/yyyy", "DateAppointment:", 4380, 780, 1500},
        {4, "TimeAppointment", "h:nn AM/PM", "TimeAppointment:", 4380, 1200, 1500},
        {5, "TimeBlock", "h:nn AM/PM", "TimeBlock:", 4380, 1620, 1500},
        {6, "Totals", "\"$\"#,##0.00", "Totals:", 4380, 2040, 1500},
    };
    for (const Box& b : boxes) {
        qv::TextBox* box = addField(b.index, QString::fromLatin1(b.field), QString::fromLatin1(b.format));
        box->setSelectOnFocus(true);
        QLabel* caption = label(QStringLiteral("lblLabels_%1").arg(b.index), QString::fromLatin1(b.caption), b.left,
                                b.top + 30, 1860);
        lblLabels.insert(b.index, caption);
        qv::place(box, b.left + 1900, b.top, b.width, 300);
    }
    txtfields.value(50)->setToolTip(QStringLiteral("Enter Client Ticket"));
    QList<QWidget*> order;
    for (int index : {50, 0, 1, 2, 3, 4, 5, 6})
        order << txtfields.value(index);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    label(QStringLiteral("lblTimeFormat"), QStringLiteral("Enter Time Format as AM or PM: Example 10AM "), 7920, 1230,
          3300, 540);
    label(QStringLiteral("lblScroll"),
          QStringLiteral("Scroll the records to find the record you wish to edit or delete. Or use the Find by "
                         "buttons above."),
          120, 2460, 11160, 300);
    label(QStringLiteral("lblCaution"),
          QStringLiteral("Caution : Do not Delete Closed tickets unless you have deducted the product from inventory "
                         "first. Deleting Closed tickets can affect your inventory. "),
          120, 2760, 11160, 480)
        ->setStyleSheet(QStringLiteral("color: #A00000;"));

    grdDataGrid = new qv::DataGrid(this);
    grdDataGrid->setObjectName(QStringLiteral("grdDataGrid"));
    qv::place(grdDataGrid, 120, 3300, 11160, 3000);
    // Picking a row moves the ticket: not while one is being written.
    grdDataGrid->beforeRowPick = [this] { return !editing(); };

    label(QStringLiteral("lblLastRecord"),
          QStringLiteral("* If you DELETE the last record in the database, you will need to enter the first record "
                         "from this form. Appointment form will be disabled until first record is added from this "
                         "form."),
          120, 6360, 11160, 660);

    cmdRefresh->setText(QStringLiteral("&All Clients"));
    cmdRefresh->setToolTip(QStringLiteral("Shows all clients in database"));

    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command11, [this] { Command11_Click(); });
    onClick(Command6, [this] { Command6_Click(); });
}

// ---------------------------------------------------------------- load and grid

void frmServicemenu3::formLoad()
{
    // Every step's error is passed over: a missing database leaves an empty window.
    ignoreErrors([this] { RecordForm::formLoad(); });
    ignoreErrors([this] { RemoveCloseCommand(this); });
    ignoreErrors([this] { bindGridToChapter(); });
}

void frmServicemenu3::bindGridToChapter()
{
    m_gridShows = GridShows::ClientTickets;
    const std::shared_ptr<qv::Recordset> chapter = currentChapter(QStringLiteral("ChildCMD"));
    grdDataGrid->setDataSource(chapter, gridColumns());
}

void frmServicemenu3::unbindGrid()
{
    m_gridShows = GridShows::Nothing;
    grdDataGrid->setDataSource(nullptr);
}

void frmServicemenu3::adoPrimaryRS_MoveComplete()
{
    RecordForm::adoPrimaryRS_MoveComplete();
    // The chapter moves with its ticket.
    if (m_gridShows == GridShows::ClientTickets)
        ignoreErrors([this] { bindGridToChapter(); });
}

// ---------------------------------------------------------------- record form

void frmServicemenu3::SetButtons(bool flag)
{
    RecordForm::SetButtons(flag);
    // The finders move to another ticket, so they wait like the navigation.
    for (QPushButton* b : {Command1, Command11, Command6})
        if (b)
            b->setEnabled(flag);
}

void frmServicemenu3::cmdUpdate_Click()
{
    try {
        if (!adoPrimaryRS)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        adoPrimaryRS->updateBatch();
        if (AddNewFlag)
            adoPrimaryRS->moveLast();
        EditFlag = false;
        AddNewFlag = false;
        SetButtons(true);
        bindGridToChapter();
    } catch (const std::exception&) {
        qv::ui().msgBox(QStringLiteral("You have not added any information into the text boxes. Click cancel"));
    }
}

void frmServicemenu3::cmdCancel_Click()
{
    cancelRereading([this] { unbindGrid(); }, [this] { bindGridToChapter(); });
}

void frmServicemenu3::cmdDelete_Click()
{
    if (qv::ui().msgBox(QStringLiteral("Do you really want to delete this record?"),
                        qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Ok)
        return;
    try {
        if (!adoPrimaryRS)
            throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
        adoPrimaryRS->deleteCurrent();
        reshowBoxes();
        adoPrimaryRS->moveNext();
        if (adoPrimaryRS->eof())
            adoPrimaryRS->moveLast();
    } catch (const std::exception&) {
        qv::ui().msgBox(QStringLiteral("You have deleted the last record in the database."));
    }
}

void frmServicemenu3::cmdRefresh_Click()
{
    ignoreErrors([this] { unbindGrid(); });
    ignoreErrors([this] {
        adoPrimaryRS->requery();
        adoPrimaryRS->moveFirst();
    });
    // Grid and boxes now share the recordset: a row picked is the ticket shown.
    ignoreErrors([this] {
        m_gridShows = GridShows::AllTickets;
        grdDataGrid->setDataSource(adoPrimaryRS, gridColumns());
    });
}

// ---------------------------------------------------------------- finders

void frmServicemenu3::find(const QString& field, const QString& prompt, const QString& notFound)
{
    if (editing() || !adoPrimaryRS)
        return;
    FindByTextAndShow(*adoPrimaryRS, field, prompt, notFound);
}

void frmServicemenu3::Command1_Click()
{
    find(QStringLiteral("CustomerName"), QStringLiteral("Enter a LastName."),
         QStringLiteral("Could not find your client. "));
}

void frmServicemenu3::Command11_Click()
{
    find(QStringLiteral("CustomerPhone"), QStringLiteral("Enter the client's Phone#."),
         QStringLiteral("Could not find appointment for this number. "));
}

void frmServicemenu3::Command6_Click()
{
    find(QStringLiteral("CustomerID"), QStringLiteral("Search by ticket to find a scheduled appointment for this client."),
         QStringLiteral("Could not find a client by this ticket. "));
}

void frmServicemenu3::Image1_Click()
{
    qv::Windows::show(QStringLiteral("Form5"));
}
