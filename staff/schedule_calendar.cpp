#include "staff/schedule_calendar.h"

#include "common/connections.h"
#include "common/drawn_pictures.h"
#include "common/find_by_text.h"
#include "common/window_helpers.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include "reports/report_fill.h"
#include "reports/salon_schedule_report.h"
#include "shell/pictures.h"

#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <cmath>

QV_REGISTER_WINDOW(frmCalendar);

namespace {

const QColor kBackColour(0xBA, 0xC9, 0xD1);    // &HD1C9BA
const QColor kCellBack(0xE0, 0xE0, 0xE0);
const QColor kMemoPanel(0xFF, 0xFF, 0xC0);     // &HC0FFFF
const QColor kMemoText(0x00, 0x00, 0x80);      // &H800000
const QColor kTitleStrip(0x80, 0x80, 0x80);

// Grid: column lefts and widths (Sunday to Saturday), row tops, in twips inside the frame.
constexpr int kColumnLeft[7] = {0, 1560, 3120, 4680, 6240, 7800, 9240};
constexpr int kColumnWidth[7] = {1575, 1575, 1575, 1575, 1575, 1455, 1455};
constexpr int kRowTop[6] = {360, 1440, 2520, 3600, 4680, 5760};
constexpr int kCellHeight = 1055;
// The memo panel's place in the window.
constexpr int kMemoLeft = 2040;
constexpr int kMemoTop = 2040;

const QString kNothingToUpdate = QStringLiteral("You have nothing to update.Click Cancel or make an entry.");

void paint(QWidget* w, const QColor& back)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, back);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QPushButton* pictureButton(QWidget* parent, const char* name, const QPixmap& picture)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(picture));
    b->setIconSize(picture.size());
    return b;
}

// The lock button: a shut padlock with its shackle drawn down.
QPixmap shutPadlockPicture(int size)
{
    return drawnPicture(size, [](QPainter& p, double s) {
        p.setPen(QPen(QColor(90, 90, 90), 2.2 * s));
        p.drawArc(QRectF(7 * s, 3 * s, 10 * s, 14 * s), 0, 180 * 16);
        p.setPen(QColor(120, 40, 0));
        p.setBrush(QColor(200, 70, 40));
        p.drawRoundedRect(QRectF(4 * s, 10 * s, 16 * s, 11 * s), 2 * s, 2 * s);
        p.setBrush(QColor(40, 20, 0));
        p.drawEllipse(QPointF(12 * s, 15 * s), 1.6 * s, 1.6 * s);
    });
}

} // namespace

// ---------------------------------------------------------------- layout

frmCalendar::frmCalendar()
{
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("Employee and Salon Schedule"));
    paint(this, kBackColour);
    setTwipsSize(11385, 7470);

    buildGrid();
    buildTopStrip();
    buildMemoPanel();

    // No Edit and no Delete here; the others wait for the password.
    cmdEdit->hide();
    cmdDelete->hide();
    Command9_Click();

    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command2, [this] { Command2_Click(); });
    onClick(Command4, [this] { Command4_Click(); });
    onClick(Command9, [this] { Command9_Click(); });
    onClick(Command5, [this] { Command5_Click(); });
    onClick(Command6, [this] { Command6_Click(); });
    connect(Image3, &qv::PictureBox::clicked, this, [this] { guard([this] { Image3_Click(); }); });
    Picture1->installEventFilter(this);
    Picture2->installEventFilter(this);
}

int frmCalendar::boxIndexOfDay(int day)
{
    if (day <= 15)
        return day - 1;
    if (day == 42)
        return 15;
    return day;
}

qv::ManyLineBox* frmCalendar::dayCell(int day) const
{
    return m_cells.value(day);
}

qv::ManyLineBox* frmCalendar::cell(int row, int weekday) const
{
    return dayCell(7 * (row - 1) + weekday);
}

void frmCalendar::buildGrid()
{
    fraCalendar = new QFrame(this);
    fraCalendar->setObjectName(QStringLiteral("fraCalendar"));
    paint(fraCalendar, kBackColour);
    qv::place(fraCalendar, 480, 600, 10905, 6870);

    const char* names[7] = {"lblSunday", "lblMonday", "lblTuesday", "lblWednesday",
                            "lblThursday", "lblFriday", "lblSaturday"};
    const QString captions[7] = {QStringLiteral("Sunday"),   QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                                 QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                                 QStringLiteral("Saturday")};
    QLabel** labels[7] = {&lblSunday, &lblMonday, &lblTuesday, &lblWednesday, &lblThursday, &lblFriday, &lblSaturday};
    for (int c = 0; c < 7; ++c) {
        auto* label = new QLabel(captions[c], fraCalendar);
        label->setObjectName(QString::fromLatin1(names[c]));
        label->setAlignment(Qt::AlignCenter);
        qv::place(label, kColumnLeft[c], 120, kColumnWidth[c], 255);
        *labels[c] = label;
    }

    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    font.setBold(true);
    QWidget* previous = nullptr;
    for (int day = 1; day <= 42; ++day) {
        const int row = (day - 1) / 7;
        const int column = (day - 1) % 7;
        qv::TextBox* box = addField(boxIndexOfDay(day), QStringLiteral("day%1").arg(day));
        auto* view = new qv::ManyLineBox(box, fraCalendar);
        view->setFont(font);
        QPalette p = view->palette();
        p.setColor(QPalette::Base, kCellBack);
        p.setColor(QPalette::Text, Qt::red);
        view->setPalette(p);
        qv::place(view, kColumnLeft[column], kRowTop[row], kColumnWidth[column], day == 42 ? 1050 : kCellHeight);
        m_cells.insert(day, view);
        if (previous)
            setTabOrder(previous, view);
        previous = view;
    }
}

void frmCalendar::buildTopStrip()
{
    Command1 = new QPushButton(QStringLiteral("Report"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    qv::place(Command1, 0, 0, 900, 375);

    Image3 = new qv::PictureBox(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(lampPicture(qv::px(480)));
    Image3->setCursor(Qt::PointingHandCursor);
    Image3->setToolTip(QStringLiteral("Calendar Tips"));
    qv::place(Image3, 960, 120, 480, 480);

    Command4 = pictureButton(this, "Command4", shell::padlockPicture(qv::px(420)));
    qv::place(Command4, 1680, 0, 495, 615);
    Command9 = pictureButton(this, "Command9", shutPadlockPicture(qv::px(420)));
    qv::place(Command9, 2280, 0, 495, 615);

    DTPicker1 = new QDateEdit(QDate::currentDate(), this);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setCalendarPopup(true);
    qv::place(DTPicker1, 2880, 360, 1620, 330);

    // The record buttons in one row; the locked window shows only Close.
    qv::place(picButtons, 3000, 0, 4260, 345);
    QPushButton* row[5] = {cmdAdd, cmdUpdate, cmdCancel, cmdRefresh, cmdClose};
    for (int i = 0; i < 5; ++i)
        qv::place(row[i], i * 840, 0, 800, 330);

    qv::place(picStatBox, 4560, 375, 2730, 315);
    qv::place(cmdFirst, 0, 0, 330, 300);
    qv::place(cmdPrevious, 345, 0, 330, 300);
    qv::place(lblStatus, 690, 0, 1335, 300);
    qv::place(cmdNext, 2040, 0, 330, 300);
    qv::place(cmdLast, 2385, 0, 330, 300);

    Label1 = new QLabel(QStringLiteral(" Month and Year"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    qv::place(Label1, 7380, 0, 2340, 240);
    qv::TextBox* month = addField(43, QStringLiteral("MonthYear"));
    month->setSelectOnFocus(true);
    qv::place(month, 7380, 240, 2340, 345);

    Command2 = new QPushButton(QStringLiteral("Find"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    qv::place(Command2, 9840, 240, 780, 345);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::Panel);
    Picture1->setFrameShadow(QFrame::Raised);
    Picture1->setCursor(Qt::PointingHandCursor);
    paint(Picture1, kMemoPanel);
    qv::place(Picture1, 10680, 120, 615, 495);
    Label4 = new QLabel(QStringLiteral("Memo"), Picture1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setAlignment(Qt::AlignCenter);
    qv::place(Label4, 30, 120, 555, 255);

    for (QWidget* w : {static_cast<QWidget*>(picButtons), static_cast<QWidget*>(picStatBox)})
        w->raise();
}

void frmCalendar::buildMemoPanel()
{
    Picture2 = new QFrame(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setFrameShape(QFrame::Box);
    paint(Picture2, kMemoPanel);
    // Over the cells of Monday to Wednesday in the second to fourth weeks,
    // whole: no cell shows half under it.
    qv::place(Picture2, kMemoLeft, kMemoTop, 4680, 3210);

    Label2 = new QLabel(QStringLiteral("Memo"), Picture2);
    Label2->setObjectName(QStringLiteral("Label2"));
    paint(Label2, kTitleStrip);
    QPalette white = Label2->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label2->setPalette(white);
    Label2->setIndent(4);
    qv::place(Label2, 0, 0, 4425, 240);

    Command5 = new QPushButton(QStringLiteral("X"), Picture2);
    Command5->setObjectName(QStringLiteral("Command5"));
    qv::place(Command5, 4425, 0, 255, 240);

    qv::TextBox* month = addField(42, QStringLiteral("MonthYear"));
    month->setParent(Picture2);
    month->setSelectOnFocus(true);
    qv::place(month, 1680, 360, 2880, 330);
    month->show();

    qv::TextBox* memo = addField(44, QStringLiteral("Memo"));
    memo->setParent(Picture2);
    memoBox = new qv::ManyLineBox(memo, Picture2);
    memoBox->setMaxLength(255);
    memoBox->setToolTip(QStringLiteral("Type in Memo"));
    QPalette p = memoBox->palette();
    p.setColor(QPalette::Text, kMemoText);
    memoBox->setPalette(p);
    qv::place(memoBox, 120, 840, 4440, 2250);

    // Over the panel's top left, but a button of the window.
    Command6 = new QPushButton(QStringLiteral("Update"), this);
    Command6->setObjectName(QStringLiteral("Command6"));
    qv::place(Command6, kMemoLeft + 600, kMemoTop + 360, 960, 330);

    Command5_Click();

    // The two month boxes are one field: what is typed into one shows in the other.
    qv::TextBox* top = txtfields.value(43);
    connect(month, &QLineEdit::textEdited, top, [top](const QString& text) { top->setBoxText(text); });
    connect(top, &QLineEdit::textEdited, month, [month](const QString& text) { month->setBoxText(text); });
}

// ---------------------------------------------------------------- load and close

QString frmCalendar::connectionString() const
{
    return recordWindowConnectionString();
}

QString frmCalendar::recordSource() const
{
    return QStringLiteral("SELECT * FROM Calendar");
}

void frmCalendar::formLoad()
{
    RemoveCloseCommand(this);
    try {
        RecordForm::formLoad();
    } catch (...) {
        setTopMost(false);
        throw;   // the handler guard says why; the window stays, empty
    }
    // Unlike the other record windows, the calendar does not stay on top.
    setTopMost(false);
    adoPrimaryRS->requery();
}

void frmCalendar::saveAll()
{
    if (!adoPrimaryRS)
        throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
    adoPrimaryRS->updateBatch();
    if (AddNewFlag)
        adoPrimaryRS->moveLast();
}

void frmCalendar::cmdClose_Click()
{
    // What was typed goes into the table first. A write the database refuses
    // is shown and the window stays, so that the typing is not lost unseen.
    if (adoPrimaryRS && adoPrimaryRS->isOpen() && !adoPrimaryRS->isReadOnly() && !adoPrimaryRS->bof()
        && !adoPrimaryRS->eof()) {
        try {
            saveAll();
        } catch (const qv::Error& e) {
            qv::ui().msgBox(e.description());
            return;
        }
    }
    EditFlag = false;
    AddNewFlag = false;
    unload();
}

void frmCalendar::formUnload(bool& cancel)
{
    RecordForm::formUnload(cancel);
    if (cancel)
        return;
    ignoreErrors([this] {
        if (db)
            db->close();
    });
    db.reset();
}

void frmCalendar::resizeEvent(QResizeEvent* e)
{
    // Resizing moves nothing: the bars stay in the top strip.
    qv::Window::resizeEvent(e);
}

void frmCalendar::formResize() {}

// ---------------------------------------------------------------- record commands

void frmCalendar::SetButtons(bool)
{
    // The calendar keeps its buttons as the password and the lock left them.
}

void frmCalendar::adoPrimaryRS_MoveComplete()
{
    ignoreErrors([this] { RecordForm::adoPrimaryRS_MoveComplete(); });
}

void frmCalendar::cmdAdd_Click()
{
    ignoreErrors([this] {
        if (!(adoPrimaryRS->bof() && adoPrimaryRS->eof()))
            SavedBookmark = adoPrimaryRS->bookmark();
    });
    ignoreErrors([this] { adoPrimaryRS->addNew(); });
    lblStatus->setText(QStringLiteral("Add record"));
    AddNewFlag = true;
}

void frmCalendar::cmdUpdate_Click()
{
    try {
        saveAll();
    } catch (const std::exception&) {
        qv::ui().msgBox(kNothingToUpdate);
        return;
    }
    EditFlag = false;
    AddNewFlag = false;
}

void frmCalendar::cmdCancel_Click()
{
    // Text typed into the cells goes with the dropped change.
    cancelRereading({}, {});
}

// ---------------------------------------------------------------- the window's own buttons

void frmCalendar::Command1_Click()
{
    DataReport5 report;
    reportFill(report, QStringLiteral("SELECT * FROM Calendar  "));
}

void frmCalendar::Command2_Click()
{
    if (!adoPrimaryRS)
        return;
    QString typed;
    ignoreErrors([&] {
        FindByText(*adoPrimaryRS, QStringLiteral("MonthYear"), QStringLiteral("Enter In the Month and Year you want to find"),
                   QStringLiteral("Sorry, couldn't find this month and year"), &typed);
    });
    if (!typed.isEmpty())
        ignoreErrors([this] { adoPrimaryRS->move(0); });
}

void frmCalendar::Command4_Click()
{
    qv::Windows::show(QStringLiteral("frmLogin5"));
}

void frmCalendar::Command9_Click()
{
    for (QWidget* w : {static_cast<QWidget*>(Command9), static_cast<QWidget*>(cmdUpdate),
                       static_cast<QWidget*>(cmdCancel), static_cast<QWidget*>(cmdRefresh),
                       static_cast<QWidget*>(cmdAdd)})
        w->setVisible(false);
    cmdClose->setVisible(true);
}

void frmCalendar::Picture1_Click()
{
    Picture2->setVisible(true);
    Picture2->raise();
    Command5->setVisible(true);
    Command6->setVisible(true);
    Command6->raise();
}

void frmCalendar::Command5_Click()
{
    Picture2->setVisible(false);
    Command5->setVisible(false);
    Command6->setVisible(false);
}

void frmCalendar::Command6_Click()
{
    cmdUpdate_Click();
}

void frmCalendar::Image3_Click()
{
    qv::Windows::show(QStringLiteral("frmquicktips3"));
}

// ---------------------------------------------------------------- memo button and panel drag

bool frmCalendar::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == Picture1 && e->type() == QEvent::MouseButtonPress)
        return true;   // the release over the button is the click
    if (watched == Picture1 && e->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(e);
        if (Picture1->rect().contains(me->position().toPoint()))
            guard([this] { Picture1_Click(); });
        return true;
    }
    if (watched == Picture2) {
        auto* me = static_cast<QMouseEvent*>(e);
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            m_dragging = true;
            m_dragStart = QPoint(int(std::lround(me->position().x() * qv::kTwipsPerPixel)),
                                 int(std::lround(me->position().y() * qv::kTwipsPerPixel)));
            return true;
        case QEvent::MouseMove:
            if (m_dragging) {
                // The window follows the pointer's offset from where the panel was taken.
                const double x = me->position().x() * qv::kTwipsPerPixel;
                const double y = me->position().y() * qv::kTwipsPerPixel;
                const int dx = int(std::lround((x - m_dragStart.x()) / qv::kTwipsPerPixel));
                const int dy = int(std::lround((y - m_dragStart.y()) / qv::kTwipsPerPixel));
                if (dx != 0 || dy != 0)
                    move(pos() + QPoint(dx, dy));
            }
            return true;
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            return true;
        default:
            break;
        }
    }
    return RecordForm::eventFilter(watched, e);
}
