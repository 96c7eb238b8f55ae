#include "customers/service_menu.h"

#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "common/window_helpers.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "shell/service_menu_login.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

QV_REGISTER_WINDOW_AS(ServicePriceList, "frmServiceMenu1");


namespace {

const QColor kBackground(0xBA, 0xC9, 0xD1);
const QColor kLightGrey(0xC0, 0xC0, 0xC0);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QString kMoneyFormat = QStringLiteral("\"$\"#,##0.00");

struct BoxField {
    int index;
    const char* field;
    QString format;
};
const BoxField kBoxes[] = {
    {ServicePriceList::ServiceBox, "Service", QString()},
    {ServicePriceList::PriceBox, "Price", kMoneyFormat},
    {ServicePriceList::CommentsBox, "Discount", QString()},
    {ServicePriceList::QuantityBox, "Quantity", kMoneyFormat},
    {ServicePriceList::TaxPercentBox, "Taxpercent", QString()},
};

void paintBackground(QWidget* box, const QColor& colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    box->setPalette(p);
}

// A padlock, shut or open, for the two picture buttons.
QIcon lockPicture(bool open)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 3));
    QPainterPath shackle;
    const qreal right = open ? 28 : 23;
    shackle.moveTo(9, 15);
    shackle.lineTo(9, 10);
    shackle.arcTo(QRectF(9, 2, 14, 14), 180, -180);
    shackle.lineTo(23, open ? 10 : 15);
    if (open)
        shackle.translate(right - 23, -3);
    p.drawPath(shackle);
    p.setPen(QPen(QColor(0x80, 0x60, 0x10), 1));
    p.setBrush(QColor(0xE0, 0xB0, 0x30));
    p.drawRoundedRect(QRectF(5, 14, 22, 16), 2, 2);
    p.setBrush(QColor(0x40, 0x30, 0x10));
    p.drawEllipse(QPointF(16, 21), 2.5, 2.5);
    return QIcon(pixmap);
}

} // namespace

ServicePriceList::ServicePriceList()
{
    setWindowTitle(QStringLiteral("Service Menu"));
    buildLayout();

    for (int slot = 1; slot <= 4; ++slot) {
        onClick(slotButton(slot), [this, slot] { postService(slot); });
        onClick(clearButton(slot), [this, slot] { clearSlot(slot); });
    }
    onClick(unlockButton, [this] { askManagerPassword(); });
    onClick(lockButton, [this] { lockList(); });

    // Only the user's own pick moves the window to a service: the focus
    // coming to the list (when a clicked button hides itself) would
    // otherwise leave a row being added or edited for the list's first one.
    connect(serviceList, &qv::DataList::picked, this, [this] { guard([this] { selectPickedService(); }); });
}

void ServicePriceList::buildLayout()
{
    setTwipsSize(9600, 6000);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);

    auto label = [this](const char* name, const QString& text, int left, int top, int width, int height) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextFormat(Qt::PlainText);
        qv::place(l, left, top, width, height);
        return l;
    };
    auto button = [this](const char* name, const QString& caption, int left, int top, int width, int height) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        qv::place(b, left, top, width, height);
        return b;
    };

    heading = label("Label3", QStringLiteral("Service Menu"), 240, 120, 4800, 420);
    QFont title = heading->font();
    title.setPointSize(16);
    title.setBold(true);
    heading->setFont(title);

    instructions = label("Label2",
                   QStringLiteral("Click on any item on the list to the right. Enter quantity and then click on the "
                                  "buttons#1 etc.. to enter into the Appointment Form.  "),
                   240, 600, 4800, 660);
    instructions->setWordWrap(true);

    serviceList = new qv::DataList(this);
    serviceList->setObjectName(QStringLiteral("DataList1"));
    qv::place(serviceList, 5280, 240, 4080, 3120);

    // The five boxes follow the row from the start, so that a service added
    // or edited before any pick in the list is saved with all that is typed.
    const QString captions[5] = {QStringLiteral("Service:"), QStringLiteral("Price:"), QStringLiteral("Comments:"),
                                 QStringLiteral("Tax %"), QStringLiteral("Quantity:")};
    for (int i : {ServiceCaption, PriceCaption, CommentsCaption, TaxPercentCaption, QuantityCaption}) {
        QLabel* l = new QLabel(captions[i], this);
        l->setObjectName(qv::arrayMemberName("lblLabels", i));
        captionLabels.insert(i, l);
    }
    qv::place(captionLabels[ServiceCaption], 240, 1350, 1100, 300);
    qv::place(captionLabels[PriceCaption], 240, 1800, 1100, 300);
    qv::place(captionLabels[CommentsCaption], 240, 2250, 1100, 300);
    qv::place(captionLabels[QuantityCaption], 240, 3270, 1100, 300);
    qv::place(captionLabels[TaxPercentCaption], 1380, 4080, 900, 255);   // below the Tax % box

    for (const BoxField& b : kBoxes) {
        // The Quantity box is bound at load, after the hook that keeps what
        // is typed there out of the list (formLoad).
        if (b.index == QuantityBox) {
            auto* box = new qv::TextBox(this);
            box->setObjectName(qv::arrayMemberName("txtfields", b.index));
            fieldBoxes.insert(b.index, box);
        } else {
            addField(b.index, QString::fromLatin1(b.field), b.format);
        }
    }
    qv::place(fieldBoxes[ServiceBox], 1380, 1320, 3600, 330);
    qv::place(fieldBoxes[PriceBox], 1380, 1770, 1800, 330);
    qv::place(fieldBoxes[QuantityBox], 1380, 3240, 1800, 330);
    qv::place(fieldBoxes[TaxPercentBox], 1380, 3720, 900, 330);
    for (int i : {ServiceBox, PriceBox, QuantityBox})
        paintBackground(fieldBoxes[i], kLightGrey);
    paintBackground(fieldBoxes[TaxPercentBox], kWhite);
    fieldBoxes[TaxPercentBox]->setEnabled(false);
    // The front desk reads a service's name and price; only the manager,
    // after the password, may retype them. A pick in the list still fills them.
    lockNameAndPrice();

    // Comments take several lines, which a one-line box cannot show.
    qv::TextBox* comments = fieldBoxes[CommentsBox];
    comments->setReadOnly(true);
    commentsView = new qv::ManyLineBox(comments, this);
    commentsView->setObjectName(QStringLiteral("commentsView"));
    commentsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    commentsView->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(9);
    commentsView->setFont(arial);
    QPalette red = commentsView->palette();
    red.setColor(QPalette::Text, Qt::red);
    red.setColor(QPalette::Base, kLightGrey);
    commentsView->setPalette(red);
    qv::place(commentsView, 1380, 2220, 3600, 900);

    // Each box selects its whole text when it gets the focus, also by a
    // click; the comments' view runs the hooks of the box it shows.
    for (int i : {ServiceBox, PriceBox, CommentsBox, QuantityBox, TaxPercentBox}) {
        fieldBoxes[i]->setSelectOnFocus(true);
        fieldBoxes[i]->gotFocus = [this, i] { highlightBox(i); };
        fieldBoxes[i]->lostFocus = [this, i] { dimBox(i); };
    }

    // Slot buttons in a row, each "X" below its button.
    const char* slotNames[4] = {"Command1", "Command2", "Command3", "Command4"};
    const char* clearNames[4] = {"Command8", "Command7", "Command6", "Command5"};
    for (int i = 0; i < 4; ++i) {
        const int left = 240 + i * 720;
        m_slotButtons[i] = button(slotNames[i], QStringLiteral("%1#").arg(i + 1), left, 4440, 600, 360);
        m_clearButtons[i] = button(clearNames[i], QStringLiteral("X"), left, 4860, 600, 300);
    }

    QLabel* edit = label("lblLabels_15", QStringLiteral("EDIT"), 5280, 3480, 720, 255);
    captionLabels.insert(EditCaption, edit);
    unlockButton = button("Command9", QString(), 5280, 3780, 540, 540);
    unlockButton->setIcon(lockPicture(false));
    unlockButton->setIconSize(QSize(32, 32));
    unlockButton->setToolTip(QStringLiteral("Edit the menu"));
    lockButton = button("Command10", QString(), 5880, 3780, 540, 540);
    lockButton->setIcon(lockPicture(true));
    lockButton->setIconSize(QSize(32, 32));
    lockButton->setToolTip(QStringLiteral("Lock the menu"));
    lockButton->hide();

    // Above the Close button of the button bar at the foot of the window.
    newItemsHint = label("Label1", QStringLiteral("Enter new Menu Items here. "), 4675, 4980, 3600, 255);
}

QPushButton* ServicePriceList::slotButton(int slot) const
{
    return slot >= 1 && slot <= 4 ? m_slotButtons[std::size_t(slot - 1)] : nullptr;
}

QPushButton* ServicePriceList::clearButton(int slot) const
{
    return slot >= 1 && slot <= 4 ? m_clearButtons[std::size_t(slot - 1)] : nullptr;
}

QString ServicePriceList::connectionString() const
{
    return recordWindowConnectionString();
}

QString ServicePriceList::recordSource() const
{
    return QStringLiteral("SELECT * FROM ServiceMenu1");
}

// ---------------------------------------------------------------- load

void ServicePriceList::formLoad()
{
    makeTopMost(this);
    removeCloseCommand(this);
    updateRecordButton->hide();
    cancelChangeButton->hide();
    deleteRecordButton->hide();
    refreshRecordsButton->hide();
    closeRecordWindowButton->show();
    editRecordButton->hide();
    addRecordButton->hide();

    // Connection, recordset, and every box but the Quantity box bound.
    RecordForm::formLoad();

    // The quantity is typed only to be posted onto a ticket: it never goes
    // into the price list. Registered before the box binds, this runs ahead
    // of the box's own write-back and shows the row's value again instead.
    QPointer<qv::TextBox> quantity = fieldBoxes[QuantityBox];
    primaryRecordset->addCommitHook([quantity] {
        if (quantity && quantity->dataSource())
            quantity->refresh();
    });
    quantity->bind(primaryRecordset.get(), QStringLiteral("Quantity"), kMoneyFormat);
    emptyQuantity();

    fillList();
}

void ServicePriceList::fillList()
{
    serviceList->setRowSource(primaryRecordset, QStringLiteral("Service"), QStringLiteral("Service"));
}

void ServicePriceList::formGotFocus()
{
    fieldBoxes[ServiceBox]->setFocus();
}

// ---------------------------------------------------------------- list and boxes

void ServicePriceList::emptyQuantity()
{
    fieldBoxes[QuantityBox]->setText(QString());
}

void ServicePriceList::selectPickedService()
{
    ignoreErrors([this] {
        const int row = serviceList->currentRow();
        if (row >= 0)
            primaryRecordset->setAbsolutePosition(row + 1);
    });
    ignoreErrors([this] { emptyQuantity(); });
}

void ServicePriceList::highlightBox(int index)
{
    paintBackground(index == CommentsBox ? static_cast<QWidget*>(commentsView) : fieldBoxes[index], kWhite);
}

void ServicePriceList::dimBox(int index)
{
    paintBackground(index == CommentsBox ? static_cast<QWidget*>(commentsView) : fieldBoxes[index], kLightGrey);
}

// ---------------------------------------------------------------- locks

void ServicePriceList::askManagerPassword()
{
    if (auto* login = qv::Windows::show<ServiceMenuLogin>())
        login->clearPassword();
}

void ServicePriceList::lockList()
{
    lockButton->hide();
    unlockButton->show();
    updateRecordButton->hide();
    cancelChangeButton->hide();
    deleteRecordButton->hide();
    refreshRecordsButton->hide();
    closeRecordWindowButton->show();
    editRecordButton->hide();
    addRecordButton->hide();
    fieldBoxes[TaxPercentBox]->setEnabled(false);
    fieldBoxes[CommentsBox]->setReadOnly(true);
    lockNameAndPrice();
}

void ServicePriceList::lockNameAndPrice()
{
    fieldBoxes[ServiceBox]->setReadOnly(true);
    fieldBoxes[PriceBox]->setReadOnly(true);
}

// ---------------------------------------------------------------- record form

const QString ServicePriceList::kNoServiceName =
    QStringLiteral("You have not entered a service, click cancel or enter information.");

void ServicePriceList::updateRecord()
{
    // A service without a name could never be picked from the list nor told
    // apart on a ticket: nothing is saved and what was typed stays.
    if (fieldBoxes[ServiceBox]->text().trimmed().isEmpty()) {
        qv::ui().msgBox(kNoServiceName);
        fieldBoxes[ServiceBox]->setFocus();
        return;
    }
    reportErrors([this] {
        primaryRecordset->updateBatch();
        if (addingRecord)
            primaryRecordset->moveLast();
        editingRecord = false;
        addingRecord = false;
        setBrowsingButtons(true);
    });
    // The list shows the Service of every row, a new or renamed one too.
    ignoreErrors([this] { fillList(); });
}

void ServicePriceList::deleteRecord()
{
    if (qv::ui().msgBox(QStringLiteral("Do you really want to delete this record?"),
                        qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Ok)
        return;
    ignoreErrors([this] { primaryRecordset->deleteCurrent(); });
    ignoreErrors([this] { reshowBoxes(); });
    ignoreErrors([this] { primaryRecordset->moveNext(); });
    ignoreErrors([this] {
        if (primaryRecordset->eof())
            primaryRecordset->moveLast();
    });
    ignoreErrors([this] { fillList(); });
}

void ServicePriceList::refreshRecords()
{
    RecordForm::refreshRecords();
    ignoreErrors([this] { fillList(); });
}

void ServicePriceList::showFirstRecord()
{
    RecordForm::showFirstRecord();
    emptyQuantity();
}

void ServicePriceList::showLastRecord()
{
    RecordForm::showLastRecord();
    emptyQuantity();
}

void ServicePriceList::showNextRecord()
{
    RecordForm::showNextRecord();
    emptyQuantity();
}

void ServicePriceList::showPreviousRecord()
{
    RecordForm::showPreviousRecord();
    emptyQuantity();
}

// ---------------------------------------------------------------- posting onto the ticket

void ServicePriceList::postService(int slot)
{
    QPushButton* button = slotButton(slot);
    if (!button)
        return;
    AppointmentBook* book = AppointmentBook::ticketForWriting();
    if (!book)
        return;

    const std::optional<double> quantity = AppointmentBook::quantityToPost(fieldBoxes[QuantityBox]->text());
    if (!quantity) {
        qv::ui().msgBox(QStringLiteral("A quantity for a Product was not included. Please enter now and click the %1# "
                                       "button again.")
                            .arg(slot));
        button->setEnabled(true);
        return;
    }

    const AppointmentBook::ServiceSlot target = book->serviceSlot(slot);
    // A quantity that cannot even be read counts as taken: nothing is overwritten.
    bool occupied = true;
    ignoreErrors([&] { occupied = AppointmentBook::slotOccupied(target.quantity); });
    if (occupied) {
        button->setEnabled(false);
        qv::ui().msgBox(QStringLiteral(
            "This product entry was already made into the corresponding box on the appointment form, choose another."));
        return;
    }

    const QString price = fieldBoxes[PriceBox]->text();
    const QString taxPercent = fieldBoxes[TaxPercentBox]->text();

    ignoreErrors([&] { book->serviceTaxPercent()->setBoxText(taxPercent); });
    ignoreErrors([&] { target.name->setBoxText(fieldBoxes[ServiceBox]->text()); });
    // The Price box shows "$45.50"; the ticket reads a price by its leading
    // number, which the "$" would make 0. The amount goes over as the ticket
    // writes prices; a text that is no amount goes over as it stands.
    ignoreErrors([&] {
        const std::optional<qv::Money> amount = qv::tryReadMoney(price);
        target.price->setBoxText(amount ? qv::formatValue(QVariant::fromValue(*amount), QStringLiteral("0.00")) : price);
    });
    ignoreErrors([&] { target.quantity->setBoxText(qv::plainText(*quantity)); });
    button->setEnabled(false);
    book->ticketLinesChanged();
}

void ServicePriceList::clearSlot(int slot)
{
    QPushButton* button = slotButton(slot);
    if (!button)
        return;
    AppointmentBook* book = AppointmentBook::ticketForWriting();
    if (!book)
        return;
    if (qv::ui().msgBox(QStringLiteral("Do you really want to delete the information off the Appointment Form?"),
                        qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Ok)
        return;
    const AppointmentBook::ServiceSlot target = book->serviceSlot(slot);
    ignoreErrors([&] { target.name->setBoxText(QString()); });
    ignoreErrors([&] { target.price->setBoxText(QString()); });
    ignoreErrors([&] { target.quantity->setBoxText(QString()); });
    button->setEnabled(true);
    book->ticketLinesChanged();
}
