#include "customers/service_menu.h"

#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "common/window_helpers.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

QV_REGISTER_WINDOW(frmServiceMenu1);


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
    {0, "Service", QString()},
    {1, "Price", kMoneyFormat},
    {2, "Discount", QString()},
    {3, "Quantity", kMoneyFormat},
    {4, "Taxpercent", QString()},
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

frmServiceMenu1::frmServiceMenu1()
{
    setObjectName(QStringLiteral("frmServiceMenu1"));
    setWindowTitle(QStringLiteral("Service Menu"));
    buildLayout();

    for (int slot = 1; slot <= 4; ++slot) {
        onClick(slotButton(slot), [this, slot] { PostService(slot); });
        onClick(clearButton(slot), [this, slot] { ClearSlot(slot); });
    }
    onClick(Command9, [this] { Command9_Click(); });
    onClick(Command10, [this] { Command10_Click(); });

    // Only the user's own pick moves the window to a service: the focus
    // coming to the list (when a clicked button hides itself) would
    // otherwise leave a row being added or edited for the list's first one.
    connect(DataList1, &qv::DataList::picked, this, [this] { guard([this] { SelectServiceFromList(); }); });
}

void frmServiceMenu1::buildLayout()
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

    Label3 = label("Label3", QStringLiteral("Service Menu"), 240, 120, 4800, 420);
    QFont title = Label3->font();
    title.setPointSize(16);
    title.setBold(true);
    Label3->setFont(title);

    Label2 = label("Label2",
                   QStringLiteral("Click on any item on the list to the right. Enter quantity and then click on the "
                                  "buttons#1 etc.. to enter into the Appointment Form.  "),
                   240, 600, 4800, 660);
    Label2->setWordWrap(true);

    DataList1 = new qv::DataList(this);
    DataList1->setObjectName(QStringLiteral("DataList1"));
    qv::place(DataList1, 5280, 240, 4080, 3120);

    // The five boxes: only the Service box follows the row from the start;
    // the others are bound at the first pick in the list.
    const QString captions[5] = {QStringLiteral("Service:"), QStringLiteral("Price:"), QStringLiteral("Comments:"),
                                 QStringLiteral("Tax %"), QStringLiteral("Quantity:")};
    for (int i = 0; i < 5; ++i) {
        QLabel* l = new QLabel(captions[i], this);
        l->setObjectName(QStringLiteral("lblLabels_%1").arg(i));
        lblLabels.insert(i, l);
    }
    qv::place(lblLabels[0], 240, 1350, 1100, 300);
    qv::place(lblLabels[1], 240, 1800, 1100, 300);
    qv::place(lblLabels[2], 240, 2250, 1100, 300);
    qv::place(lblLabels[4], 240, 3270, 1100, 300);
    qv::place(lblLabels[3], 1380, 4080, 900, 255);   // below the Tax % box

    qv::TextBox* service = addField(0, QStringLiteral("Service"));
    qv::place(service, 1380, 1320, 3600, 330);
    for (int i = 1; i < 5; ++i) {
        auto* box = new qv::TextBox(this);
        box->setObjectName(QStringLiteral("txtfields_%1").arg(i));
        txtfields.insert(i, box);
    }
    qv::place(txtfields[1], 1380, 1770, 1800, 330);
    qv::place(txtfields[3], 1380, 3240, 1800, 330);
    qv::place(txtfields[4], 1380, 3720, 900, 330);
    for (int i : {0, 1, 3})
        paintBackground(txtfields[i], kLightGrey);
    paintBackground(txtfields[4], kWhite);
    txtfields[4]->setEnabled(false);
    // The front desk reads a service's name and price; only the manager,
    // after the password, may retype them. A pick in the list still fills them.
    lockNameAndPrice();

    // Comments take several lines, which a one-line box cannot show.
    qv::TextBox* comments = txtfields[2];
    comments->setReadOnly(true);
    commentsView = new qv::ManyLineBox(comments, this);
    commentsView->setObjectName(QStringLiteral("commentsView"));
    commentsView->setTabChangesFocus(false);
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
    for (int i : {0, 1, 2, 3, 4}) {
        txtfields[i]->setSelectOnFocus(true);
        txtfields[i]->gotFocus = [this, i] { txtfields_GotFocus(i); };
        txtfields[i]->lostFocus = [this, i] { txtfields_LostFocus(i); };
    }

    // Slot buttons in a row, each "X" below its button.
    const char* slotNames[4] = {"Command1", "Command2", "Command3", "Command4"};
    const char* clearNames[4] = {"Command8", "Command7", "Command6", "Command5"};
    for (int i = 0; i < 4; ++i) {
        const int left = 240 + i * 720;
        m_slotButtons[i] = button(slotNames[i], QStringLiteral("%1#").arg(i + 1), left, 4440, 600, 360);
        m_clearButtons[i] = button(clearNames[i], QStringLiteral("X"), left, 4860, 600, 300);
    }
    Command1 = m_slotButtons[0];
    Command2 = m_slotButtons[1];
    Command3 = m_slotButtons[2];
    Command4 = m_slotButtons[3];
    Command8 = m_clearButtons[0];
    Command7 = m_clearButtons[1];
    Command6 = m_clearButtons[2];
    Command5 = m_clearButtons[3];

    QLabel* edit = label("lblLabels_15", QStringLiteral("EDIT"), 5280, 3480, 720, 255);
    lblLabels.insert(15, edit);
    Command9 = button("Command9", QString(), 5280, 3780, 540, 540);
    Command9->setIcon(lockPicture(false));
    Command9->setIconSize(QSize(32, 32));
    Command9->setToolTip(QStringLiteral("Edit the menu"));
    Command10 = button("Command10", QString(), 5880, 3780, 540, 540);
    Command10->setIcon(lockPicture(true));
    Command10->setIconSize(QSize(32, 32));
    Command10->setToolTip(QStringLiteral("Lock the menu"));
    Command10->hide();

    // Above the Close button of the button bar at the foot of the window.
    Label1 = label("Label1", QStringLiteral("Enter new Menu Items here. "), 4675, 4980, 3600, 255);
}

QPushButton* frmServiceMenu1::slotButton(int slot) const
{
    return slot >= 1 && slot <= 4 ? m_slotButtons[std::size_t(slot - 1)] : nullptr;
}

QPushButton* frmServiceMenu1::clearButton(int slot) const
{
    return slot >= 1 && slot <= 4 ? m_clearButtons[std::size_t(slot - 1)] : nullptr;
}

QString frmServiceMenu1::connectionString() const
{
    return recordWindowConnectionString();
}

QString frmServiceMenu1::recordSource() const
{
    return QStringLiteral("SELECT * FROM ServiceMenu1");
}

// ---------------------------------------------------------------- load

void frmServiceMenu1::formLoad()
{
    MakeTopMost(this);
    RemoveCloseCommand(this);
    cmdUpdate->hide();
    cmdCancel->hide();
    cmdDelete->hide();
    cmdRefresh->hide();
    cmdClose->show();
    cmdEdit->hide();
    cmdAdd->hide();

    // Connection, recordset, and the Service box bound (the only box with its
    // field known to the template at load).
    RecordForm::formLoad();

    // The quantity is typed only to be posted onto a ticket: it never goes
    // into the price list. Registered before the box binds, this runs ahead
    // of the box's own write-back and shows the row's value again instead.
    QPointer<qv::TextBox> quantity = txtfields[3];
    adoPrimaryRS->addCommitHook([quantity] {
        if (quantity && quantity->dataSource())
            quantity->refresh();
    });

    fillList();
}

void frmServiceMenu1::fillList()
{
    DataList1->setRowSource(adoPrimaryRS, QStringLiteral("Service"), QStringLiteral("Service"));
}

void frmServiceMenu1::formGotFocus()
{
    txtfields[0]->setFocus();
}

// ---------------------------------------------------------------- list and boxes

void frmServiceMenu1::bindAllBoxes()
{
    for (const BoxField& b : kBoxes) {
        qv::TextBox* box = txtfields.value(b.index);
        // A box already bound keeps what was typed into it.
        if (box && box->dataSource() != adoPrimaryRS.get())
            box->bind(adoPrimaryRS.get(), QString::fromLatin1(b.field), b.format);
    }
}

void frmServiceMenu1::emptyQuantity()
{
    txtfields[3]->setText(QString());
}

void frmServiceMenu1::SelectServiceFromList()
{
    ignoreErrors([this] { bindAllBoxes(); });
    ignoreErrors([this] {
        const int row = DataList1->currentRow();
        if (row >= 0)
            adoPrimaryRS->setAbsolutePosition(row + 1);
    });
    ignoreErrors([this] { emptyQuantity(); });
}

void frmServiceMenu1::txtfields_GotFocus(int index)
{
    paintBackground(index == 2 ? static_cast<QWidget*>(commentsView) : txtfields[index], kWhite);
}

void frmServiceMenu1::txtfields_LostFocus(int index)
{
    paintBackground(index == 2 ? static_cast<QWidget*>(commentsView) : txtfields[index], kLightGrey);
}

// ---------------------------------------------------------------- locks

void frmServiceMenu1::Command9_Click()
{
    qv::Window* login = qv::Windows::show(QStringLiteral("frmLogin4"));
    if (auto* password = login ? login->findChild<QLineEdit*>(QStringLiteral("txtPassword")) : nullptr)
        password->clear();
}

void frmServiceMenu1::Command10_Click()
{
    Command10->hide();
    Command9->show();
    cmdUpdate->hide();
    cmdCancel->hide();
    cmdDelete->hide();
    cmdRefresh->hide();
    cmdClose->show();
    cmdEdit->hide();
    cmdAdd->hide();
    txtfields[4]->setEnabled(false);
    txtfields[2]->setReadOnly(true);
    lockNameAndPrice();
}

void frmServiceMenu1::lockNameAndPrice()
{
    txtfields[0]->setReadOnly(true);
    txtfields[1]->setReadOnly(true);
}

// ---------------------------------------------------------------- record form

void frmServiceMenu1::cmdUpdate_Click()
{
    reportErrors([this] {
        adoPrimaryRS->updateBatch();
        if (AddNewFlag)
            adoPrimaryRS->moveLast();
        EditFlag = false;
        AddNewFlag = false;
        SetButtons(true);
    });
    // The list shows the Service of every row, a new or renamed one too.
    ignoreErrors([this] { fillList(); });
}

void frmServiceMenu1::cmdDelete_Click()
{
    if (qv::ui().msgBox(QStringLiteral("Do you really want to delete this record?"),
                        qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Ok)
        return;
    ignoreErrors([this] { adoPrimaryRS->deleteCurrent(); });
    ignoreErrors([this] { reshowBoxes(); });
    ignoreErrors([this] { adoPrimaryRS->moveNext(); });
    ignoreErrors([this] {
        if (adoPrimaryRS->eof())
            adoPrimaryRS->moveLast();
    });
    ignoreErrors([this] { fillList(); });
}

void frmServiceMenu1::cmdRefresh_Click()
{
    RecordForm::cmdRefresh_Click();
    ignoreErrors([this] { fillList(); });
}

void frmServiceMenu1::cmdFirst_Click()
{
    RecordForm::cmdFirst_Click();
    emptyQuantity();
}

void frmServiceMenu1::cmdLast_Click()
{
    RecordForm::cmdLast_Click();
    emptyQuantity();
}

void frmServiceMenu1::cmdNext_Click()
{
    RecordForm::cmdNext_Click();
    emptyQuantity();
}

void frmServiceMenu1::cmdPrevious_Click()
{
    RecordForm::cmdPrevious_Click();
    emptyQuantity();
}

// ---------------------------------------------------------------- posting onto the ticket

void frmServiceMenu1::PostService(int slot)
{
    QPushButton* button = slotButton(slot);
    if (!button)
        return;
    Form3* book = Form3::ticketForWriting();
    if (!book)
        return;

    const std::optional<double> quantity = Form3::quantityToPost(txtfields[3]->text());
    if (!quantity) {
        qv::ui().msgBox(QStringLiteral("A quantity for a Product was not included. Please enter now and click the %1# "
                                       "button again.")
                            .arg(slot));
        button->setEnabled(true);
        return;
    }

    const Form3::ServiceSlot target = book->serviceSlot(slot);
    // A quantity that cannot even be read counts as taken: nothing is overwritten.
    bool occupied = true;
    ignoreErrors([&] { occupied = Form3::slotOccupied(target.quantity); });
    if (occupied) {
        button->setEnabled(false);
        qv::ui().msgBox(QStringLiteral(
            "This product entry was already made into the corresponding box on the appointment form, choose another."));
        return;
    }

    ignoreErrors([&] { book->serviceTaxPercent()->setBoxText(txtfields[4]->text()); });
    ignoreErrors([&] { target.name->setBoxText(txtfields[0]->text()); });
    // The Price box shows "$45.50"; the ticket reads a price by its leading
    // number, which the "$" would make 0. The amount goes over as the ticket
    // writes prices; a text that is no amount goes over as it stands.
    ignoreErrors([&] {
        const QString price = txtfields[1]->text();
        const std::optional<qv::Money> amount = qv::tryReadMoney(price);
        target.price->setBoxText(amount ? qv::formatValue(QVariant::fromValue(*amount), QStringLiteral("0.00")) : price);
    });
    ignoreErrors([&] { target.quantity->setBoxText(qv::plainText(*quantity)); });
    button->setEnabled(false);
}

void frmServiceMenu1::ClearSlot(int slot)
{
    QPushButton* button = slotButton(slot);
    if (!button)
        return;
    Form3* book = Form3::ticketForWriting();
    if (!book)
        return;
    if (qv::ui().msgBox(QStringLiteral("Do you really want to delete the information off the Appointment Form?"),
                        qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                        QStringLiteral("Delete Record"))
        != qv::MsgResult::Ok)
        return;
    const Form3::ServiceSlot target = book->serviceSlot(slot);
    ignoreErrors([&] { target.name->setBoxText(QString()); });
    ignoreErrors([&] { target.price->setBoxText(QString()); });
    ignoreErrors([&] { target.quantity->setBoxText(QString()); });
    button->setEnabled(true);
}
