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
#include "staff/calendar_tips.h"
#include "shell/calendar_login.h"

#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <cmath>

QV_REGISTER_WINDOW_AS(ScheduleCalendar, "frmCalendar");

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

ScheduleCalendar::ScheduleCalendar()
{
    setWindowTitle(QStringLiteral("Employee and Salon Schedule"));
    paint(this, kBackColour);
    setTwipsSize(11385, 7470);

    buildGrid();
    buildTopStrip();
    buildMemoPanel();

    // No Edit and no Delete here; the others wait for the password.
    editRecordButton->hide();
    deleteRecordButton->hide();
    lockRecordButtons();

    onClick(reportButton, [this] { showScheduleReport(); });
    onClick(findButton, [this] { findByMonth(); });
    onClick(padlockButton, [this] { askForPassword(); });
    onClick(lockButton, [this] { lockRecordButtons(); });
    onClick(hideMemoButton, [this] { hideMemoPanel(); });
    onClick(memoUpdateButton, [this] { updateFromMemoPanel(); });
    connect(tipsPicture, &qv::PictureBox::clicked, this, [this] { guard([this] { showCalendarTips(); }); });
    memoButton->installEventFilter(this);
    memoPanel->installEventFilter(this);
}

int ScheduleCalendar::boxIndexOfDay(int day)
{
    if (day <= 15)
        return day - 1;
    if (day == 42)
        return LastDayBox;
    return day;
}

qv::ManyLineBox* ScheduleCalendar::dayCell(int day) const
{
    return m_cells.value(day);
}

qv::ManyLineBox* ScheduleCalendar::cell(int row, int weekday) const
{
    return dayCell(7 * (row - 1) + weekday);
}

void ScheduleCalendar::buildGrid()
{
    monthGrid = new QFrame(this);
    monthGrid->setObjectName(QStringLiteral("fraCalendar"));
    paint(monthGrid, kBackColour);
    qv::place(monthGrid, 480, 600, 10905, 6870);

    const char* names[7] = {"lblSunday", "lblMonday", "lblTuesday", "lblWednesday",
                            "lblThursday", "lblFriday", "lblSaturday"};
    const QString captions[7] = {QStringLiteral("Sunday"),   QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                                 QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                                 QStringLiteral("Saturday")};
    QLabel** labels[7] = {&sundayLabel, &mondayLabel, &tuesdayLabel, &wednesdayLabel, &thursdayLabel, &fridayLabel, &saturdayLabel};
    for (int c = 0; c < 7; ++c) {
        auto* label = new QLabel(captions[c], monthGrid);
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
        auto* view = new qv::ManyLineBox(box, monthGrid);
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

void ScheduleCalendar::buildTopStrip()
{
    reportButton = new QPushButton(QStringLiteral("Report"), this);
    reportButton->setObjectName(QStringLiteral("Command1"));
    qv::place(reportButton, 0, 0, 900, 375);

    tipsPicture = new qv::PictureBox(this);
    tipsPicture->setObjectName(QStringLiteral("Image3"));
    tipsPicture->setPixmap(lampPicture(qv::px(480)));
    tipsPicture->setCursor(Qt::PointingHandCursor);
    tipsPicture->setToolTip(QStringLiteral("Calendar Tips"));
    qv::place(tipsPicture, 960, 120, 480, 480);

    padlockButton = pictureButton(this, "Command4", shell::padlockPicture(qv::px(420)));
    qv::place(padlockButton, 1680, 0, 495, 615);
    lockButton = pictureButton(this, "Command9", shutPadlockPicture(qv::px(420)));
    qv::place(lockButton, 2280, 0, 495, 615);

    datePicker = new QDateEdit(QDate::currentDate(), this);
    datePicker->setObjectName(QStringLiteral("DTPicker1"));
    datePicker->setCalendarPopup(true);
    qv::place(datePicker, 2880, 360, 1620, 330);

    // The record buttons in one row; the locked window shows only Close.
    qv::place(recordButtonBar, 3000, 0, 4260, 345);
    QPushButton* row[5] = {addRecordButton, updateRecordButton, cancelChangeButton, refreshRecordsButton,
                           closeRecordWindowButton};
    for (int i = 0; i < 5; ++i)
        qv::place(row[i], i * 840, 0, 800, 330);

    qv::place(recordStatusBar, 4560, 375, 2730, 315);
    qv::place(firstRecordButton, 0, 0, 330, 300);
    qv::place(previousRecordButton, 345, 0, 330, 300);
    qv::place(recordStatusLabel, 690, 0, 1335, 300);
    qv::place(nextRecordButton, 2040, 0, 330, 300);
    qv::place(lastRecordButton, 2385, 0, 330, 300);

    monthYearCaption = new QLabel(QStringLiteral(" Month and Year"), this);
    monthYearCaption->setObjectName(QStringLiteral("Label1"));
    qv::place(monthYearCaption, 7380, 0, 2340, 240);
    qv::TextBox* month = addField(MonthYearBox, QStringLiteral("MonthYear"));
    month->setSelectOnFocus(true);
    qv::place(month, 7380, 240, 2340, 345);

    findButton = new QPushButton(QStringLiteral("Find"), this);
    findButton->setObjectName(QStringLiteral("Command2"));
    qv::place(findButton, 9840, 240, 780, 345);

    memoButton = new QFrame(this);
    memoButton->setObjectName(QStringLiteral("Picture1"));
    memoButton->setFrameShape(QFrame::Panel);
    memoButton->setFrameShadow(QFrame::Raised);
    memoButton->setCursor(Qt::PointingHandCursor);
    paint(memoButton, kMemoPanel);
    qv::place(memoButton, 10680, 120, 615, 495);
    memoButtonCaption = new QLabel(QStringLiteral("Memo"), memoButton);
    memoButtonCaption->setObjectName(QStringLiteral("Label4"));
    memoButtonCaption->setAlignment(Qt::AlignCenter);
    qv::place(memoButtonCaption, 30, 120, 555, 255);

    for (QWidget* w : {static_cast<QWidget*>(recordButtonBar), static_cast<QWidget*>(recordStatusBar)})
        w->raise();
}

void ScheduleCalendar::buildMemoPanel()
{
    memoPanel = new QFrame(this);
    memoPanel->setObjectName(QStringLiteral("Picture2"));
    memoPanel->setFrameShape(QFrame::Box);
    paint(memoPanel, kMemoPanel);
    // Over the cells of Monday to Wednesday in the second to fourth weeks,
    // whole: no cell shows half under it.
    qv::place(memoPanel, kMemoLeft, kMemoTop, 4680, 3210);

    memoTitle = new QLabel(QStringLiteral("Memo"), memoPanel);
    memoTitle->setObjectName(QStringLiteral("Label2"));
    paint(memoTitle, kTitleStrip);
    QPalette white = memoTitle->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    memoTitle->setPalette(white);
    memoTitle->setIndent(4);
    qv::place(memoTitle, 0, 0, 4425, 240);

    hideMemoButton = new QPushButton(QStringLiteral("X"), memoPanel);
    hideMemoButton->setObjectName(QStringLiteral("Command5"));
    qv::place(hideMemoButton, 4425, 0, 255, 240);

    qv::TextBox* month = addField(PanelMonthYearBox, QStringLiteral("MonthYear"));
    month->setParent(memoPanel);
    month->setSelectOnFocus(true);
    qv::place(month, 1680, 360, 2880, 330);
    month->show();

    qv::TextBox* memo = addField(MemoTextBox, QStringLiteral("Memo"));
    memo->setParent(memoPanel);
    memoBox = new qv::ManyLineBox(memo, memoPanel);
    memoBox->setMaxLength(255);
    memoBox->setToolTip(QStringLiteral("Type in Memo"));
    QPalette p = memoBox->palette();
    p.setColor(QPalette::Text, kMemoText);
    memoBox->setPalette(p);
    qv::place(memoBox, 120, 840, 4440, 2250);

    // Over the panel's top left, but a button of the window.
    memoUpdateButton = new QPushButton(QStringLiteral("Update"), this);
    memoUpdateButton->setObjectName(QStringLiteral("Command6"));
    qv::place(memoUpdateButton, kMemoLeft + 600, kMemoTop + 360, 960, 330);

    hideMemoPanel();

    // The two month boxes are one field: what is typed into one shows in the other.
    qv::TextBox* top = fieldBoxes.value(MonthYearBox);
    connect(month, &QLineEdit::textEdited, top, [top](const QString& text) { top->setBoxText(text); });
    connect(top, &QLineEdit::textEdited, month, [month](const QString& text) { month->setBoxText(text); });
}

// ---------------------------------------------------------------- load and close

QString ScheduleCalendar::connectionString() const
{
    return recordWindowConnectionString();
}

QString ScheduleCalendar::recordSource() const
{
    return QStringLiteral("SELECT * FROM Calendar");
}

void ScheduleCalendar::formLoad()
{
    removeCloseCommand(this);
    try {
        RecordForm::formLoad();
    } catch (...) {
        setTopMost(false);
        throw;   // the handler guard says why; the window stays, empty
    }
    // Unlike the other record windows, the calendar does not stay on top.
    setTopMost(false);
    primaryRecordset->requery();
}

void ScheduleCalendar::saveAll()
{
    if (!primaryRecordset)
        throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
    primaryRecordset->updateBatch();
    if (addingRecord)
        primaryRecordset->moveLast();
}

void ScheduleCalendar::closeRecordWindow()
{
    // A month being added or edited is asked about as every way out does;
    // what was typed while browsing goes into the table.
    if (!settleBeforeLeaving(windowTitle()))
        return;
    // What was typed goes into the table first. A write the database refuses
    // is shown and the window stays, so that the typing is not lost unseen.
    if (primaryRecordset && primaryRecordset->isOpen() && !primaryRecordset->isReadOnly() && !primaryRecordset->bof()
        && !primaryRecordset->eof()) {
        try {
            saveAll();
        } catch (const qv::Error& e) {
            qv::ui().msgBox(e.description());
            return;
        }
    }
    editingRecord = false;
    addingRecord = false;
    unload();
}

void ScheduleCalendar::formUnload(bool& cancel)
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

void ScheduleCalendar::resizeEvent(QResizeEvent* e)
{
    // Resizing moves nothing: the bars stay in the top strip.
    qv::Window::resizeEvent(e);
}

void ScheduleCalendar::formResize() {}

// ---------------------------------------------------------------- record commands

void ScheduleCalendar::setBrowsingButtons(bool)
{
    // The calendar keeps its buttons as the password and the lock left them.
}

void ScheduleCalendar::currentRecordChanged()
{
    ignoreErrors([this] { RecordForm::currentRecordChanged(); });
}

void ScheduleCalendar::addRecord()
{
    ignoreErrors([this] {
        if (!(primaryRecordset->bof() && primaryRecordset->eof()))
            bookmarkBeforeAdd = primaryRecordset->bookmark();
    });
    ignoreErrors([this] { primaryRecordset->addNew(); });
    recordStatusLabel->setText(QStringLiteral("Add record"));
    addingRecord = true;
}

void ScheduleCalendar::updateRecord()
{
    try {
        saveAll();
    } catch (const std::exception&) {
        qv::ui().msgBox(kNothingToUpdate);
        return;
    }
    editingRecord = false;
    addingRecord = false;
}

void ScheduleCalendar::cancelRecordChange()
{
    // Text typed into the cells goes with the dropped change.
    cancelRereading({}, {});
}

// ---------------------------------------------------------------- the window's own buttons

void ScheduleCalendar::showScheduleReport()
{
    SalonScheduleReport report;
    reportFill(report, QStringLiteral("SELECT * FROM Calendar  "));
}

void ScheduleCalendar::findByMonth()
{
    if (!primaryRecordset)
        return;
    QString typed;
    ignoreErrors([&] {
        findByText(*primaryRecordset, QStringLiteral("MonthYear"),
                   QStringLiteral("Enter In the Month and Year you want to find"),
                   QStringLiteral("Sorry, couldn't find this month and year"), &typed);
    });
    if (!typed.isEmpty())
        ignoreErrors([this] { primaryRecordset->move(0); });
}

void ScheduleCalendar::askForPassword()
{
    qv::Windows::show<CalendarLogin>();
}

void ScheduleCalendar::lockRecordButtons()
{
    for (QWidget* w : {static_cast<QWidget*>(lockButton), static_cast<QWidget*>(updateRecordButton),
                       static_cast<QWidget*>(cancelChangeButton), static_cast<QWidget*>(refreshRecordsButton),
                       static_cast<QWidget*>(addRecordButton)})
        w->setVisible(false);
    closeRecordWindowButton->setVisible(true);
}

void ScheduleCalendar::showMemoPanel()
{
    memoPanel->setVisible(true);
    memoPanel->raise();
    hideMemoButton->setVisible(true);
    memoUpdateButton->setVisible(true);
    memoUpdateButton->raise();
}

void ScheduleCalendar::hideMemoPanel()
{
    memoPanel->setVisible(false);
    hideMemoButton->setVisible(false);
    memoUpdateButton->setVisible(false);
}

void ScheduleCalendar::updateFromMemoPanel()
{
    updateRecord();
}

void ScheduleCalendar::showCalendarTips()
{
    qv::Windows::show<CalendarTips>();
}

// ---------------------------------------------------------------- memo button and panel drag

bool ScheduleCalendar::eventFilter(QObject* watched, QEvent* e)
{
    // Every event of the program passes here (the window watches the whole
    // application for keys): only mouse events are ever read as such.
    const QEvent::Type type = e->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
        return RecordForm::eventFilter(watched, e);
    auto* me = static_cast<QMouseEvent*>(e);
    if (watched == memoButton && type == QEvent::MouseButtonPress)
        return true;   // the release over the button is the click
    if (watched == memoButton && type == QEvent::MouseButtonRelease) {
        if (memoButton->rect().contains(me->position().toPoint()))
            guard([this] { showMemoPanel(); });
        return true;
    }
    if (watched == memoPanel) {
        switch (type) {
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
