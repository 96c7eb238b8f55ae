#include "common/record_form.h"
#include "common/pass_over.h"
#include "common/window_helpers.h"
#include "platform/services/services.h"
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QStyle>
#include <QTextEdit>
#include <cmath>

namespace {
// Sizes of the two button bars, in twips, as drawn for an 800 x 600 screen;
// a window that rescales itself scales them with the rest.
constexpr int kBarHeight = 345;
constexpr int kButtonHeight = 300;
constexpr int kEditButtonWidth = 1095;
constexpr int kEditButtonGap = 59;
constexpr int kNavButtonWidth = 330;
// The status bar's steps, from the window's width.
constexpr int kStatusShorter = 1500;
constexpr int kNextPastStatus = 700;
constexpr int kLastPastNext = 340;

qv::Recordset& primary(const std::shared_ptr<qv::Recordset>& rs)
{
    if (!rs)
        throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
    return *rs;
}

const char* const kFieldProperty = "qvDataField";
const char* const kFormatProperty = "qvDataFormat";

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QPushButton* makeNavButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

RecordForm::RecordForm(QWidget* parent)
    : qv::Window(parent)
{
    setKeyPreview(true);

    picButtons = new QWidget(this);
    picButtons->setObjectName(QStringLiteral("picButtons"));
    cmdAdd = makeButton(picButtons, "cmdAdd", QStringLiteral("&Add"));
    cmdEdit = makeButton(picButtons, "cmdEdit", QStringLiteral("&Edit"));
    cmdUpdate = makeButton(picButtons, "cmdUpdate", QStringLiteral("&Update"));
    cmdCancel = makeButton(picButtons, "cmdCancel", QStringLiteral("&Cancel"));
    cmdDelete = makeButton(picButtons, "cmdDelete", QStringLiteral("&Delete"));
    cmdRefresh = makeButton(picButtons, "cmdRefresh", QStringLiteral("&Refresh"));
    cmdClose = makeButton(picButtons, "cmdClose", QStringLiteral("&Close"));
    // The shown buttons stand side by side, in this order (layOutButtonBar):
    // while browsing Add, Edit, Delete, Refresh, Close; while adding or
    // editing Update and Cancel in the places of Add and Edit; a window that
    // shows more of them at once gives each its own place.
    for (QPushButton* b : editButtons()) {
        qv::place(b, 0, 0, kEditButtonWidth, kButtonHeight);
        // A button shown or hidden: every shown one takes its own place again.
        new EventHook(b, {QEvent::ShowToParent, QEvent::HideToParent}, [this] { layOutButtonBar(); });
    }

    picStatBox = new QWidget(this);
    picStatBox->setObjectName(QStringLiteral("picStatBox"));
    cmdFirst = makeNavButton(picStatBox, "cmdFirst", QStyle::SP_MediaSkipBackward, QStringLiteral("First"));
    cmdPrevious = makeNavButton(picStatBox, "cmdPrevious", QStyle::SP_MediaSeekBackward, QStringLiteral("Previous"));
    cmdNext = makeNavButton(picStatBox, "cmdNext", QStyle::SP_MediaSeekForward, QStringLiteral("Next"));
    cmdLast = makeNavButton(picStatBox, "cmdLast", QStyle::SP_MediaSkipForward, QStringLiteral("Last"));
    lblStatus = new QLabel(picStatBox);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setFrameShape(QFrame::Panel);
    lblStatus->setFrameShadow(QFrame::Sunken);
    lblStatus->setIndent(4);
    // The label lies under the navigation buttons, so that it can never take
    // their clicks.
    lblStatus->lower();
    qv::place(cmdFirst, 0, 0, kNavButtonWidth, kButtonHeight);
    qv::place(cmdPrevious, 345, 0, kNavButtonWidth, kButtonHeight);
    qv::place(lblStatus, 690, 0, 3360, kButtonHeight);
    qv::place(cmdNext, 4050, 0, kNavButtonWidth, kButtonHeight);
    qv::place(cmdLast, 4390, 0, kNavButtonWidth, kButtonHeight);

    onClick(cmdAdd, [this] { cmdAdd_Click(); });
    onClick(cmdEdit, [this] { cmdEdit_Click(); });
    onClick(cmdUpdate, [this] { cmdUpdate_Click(); });
    onClick(cmdCancel, [this] { cmdCancel_Click(); });
    onClick(cmdDelete, [this] { cmdDelete_Click(); });
    onClick(cmdRefresh, [this] { cmdRefresh_Click(); });
    onClick(cmdClose, [this] { cmdClose_Click(); });
    onClick(cmdFirst, [this] { cmdFirst_Click(); });
    onClick(cmdPrevious, [this] { cmdPrevious_Click(); });
    onClick(cmdNext, [this] { cmdNext_Click(); });
    onClick(cmdLast, [this] { cmdLast_Click(); });

    SetButtons(true);
    setTwipsSize(6000, 4000);
    layOutButtonBar();
}

QList<QPushButton*> RecordForm::editButtons() const
{
    return {cmdAdd, cmdEdit, cmdUpdate, cmdCancel, cmdDelete, cmdRefresh, cmdClose};
}

void RecordForm::layOutButtonBar()
{
    // The gap between the buttons grows with them when the window rescales.
    const double scale = double(cmdAdd->width()) / qv::px(kEditButtonWidth);
    const int gap = qMax(1, int(std::lround(double(kEditButtonGap) / qv::kTwipsPerPixel * scale)));
    int left = gap;
    for (QPushButton* b : editButtons()) {
        if (b->isHidden())
            continue;
        b->move(left, b->y());
        left += b->width() + gap;
    }
}

int RecordForm::barHeightFor(const QWidget* bar)
{
    // The bar holds its tallest button whole, with the design's room under it.
    int tallest = 0;
    for (const QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        tallest = qMax(tallest, child->geometry().bottom() + 1);
    const int room = int(std::lround(double(tallest) * (kBarHeight - kButtonHeight) / kButtonHeight));
    return qMax(qv::px(kBarHeight), tallest + room);
}

void RecordForm::dockBars()
{
    // The two bars sit at the foot of the window, the status bar lowest.
    const int statusHeight = barHeightFor(picStatBox);
    const int buttonsHeight = barHeightFor(picButtons);
    picStatBox->setGeometry(0, height() - statusHeight, width(), statusHeight);
    picButtons->setGeometry(0, height() - statusHeight - buttonsHeight, width(), buttonsHeight);
}

void RecordForm::layOutStatusBar()
{
    // The label spans the window less 1500 twips, Next stands 700 twips
    // past the label's width and Last 340 past Next: steps of the layout
    // drawn for an 800 x 600 screen, grown with the buttons when the window
    // rescales, so that Next and Last never run into each other or the label.
    const double scale = double(cmdNext->width()) / qv::px(kNavButtonWidth);
    const auto scaled = [scale](int twipsValue) { return int(std::lround(twipsValue * scale)); };
    lblStatus->setGeometry(lblStatus->x(), cmdNext->y(), qMax(0, qv::px(twipsWidth() - scaled(kStatusShorter))),
                           cmdNext->height());
    cmdNext->move(qv::px(qv::twips(lblStatus->width()) + scaled(kNextPastStatus)), cmdNext->y());
    cmdLast->move(qv::px(qv::twips(cmdNext->x()) + scaled(kLastPastNext)), cmdLast->y());
}

qv::TextBox* RecordForm::addField(int index, const QString& field, const QString& format)
{
    auto* box = new qv::TextBox(this);
    box->setObjectName(QStringLiteral("txtfields_%1").arg(index));
    box->setProperty(kFieldProperty, field);
    box->setProperty(kFormatProperty, format);
    txtfields.insert(index, box);
    if (adoPrimaryRS)   // added after load: bind at once
        box->bind(adoPrimaryRS.get(), field, format);
    return box;
}

bool RecordForm::reportErrors(const std::function<void()>& step)
{
    bool done = false;
    guard([&] {
        step();
        done = true;
    });
    return done;
}

void RecordForm::ignoreErrors(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

void RecordForm::reshowBoxes()
{
    if (!adoPrimaryRS)
        return;
    for (qv::TextBox* box : findChildren<qv::TextBox*>())
        if (box->dataSource() == adoPrimaryRS.get())
            box->refresh();
}

std::shared_ptr<qv::Recordset> RecordForm::currentChapter(const QString& name) const
{
    if (!adoPrimaryRS || !adoPrimaryRS->isOpen() || adoPrimaryRS->bof() || adoPrimaryRS->eof())
        return nullptr;
    return adoPrimaryRS->chapter(name);
}

void RecordForm::SetButtons(bool flag)
{
    cmdAdd->setVisible(flag);
    cmdEdit->setVisible(flag);
    cmdDelete->setVisible(flag);
    cmdClose->setVisible(flag);
    cmdRefresh->setVisible(flag);
    cmdUpdate->setVisible(!flag);
    cmdCancel->setVisible(!flag);
    cmdNext->setEnabled(flag);
    cmdFirst->setEnabled(flag);
    cmdLast->setEnabled(flag);
    cmdPrevious->setEnabled(flag);
}

void RecordForm::formLoad()
{
    MakeTopMost(this);
    // The recordset and its boxes are wired before anything can fail, so that
    // a missing database leaves a window whose buttons report errors.
    adoPrimaryRS = std::make_shared<qv::Recordset>();
    connect(adoPrimaryRS.get(), &qv::Recordset::moveComplete, this,
            [this] { guard([this] { adoPrimaryRS_MoveComplete(); }); });
    connect(adoPrimaryRS.get(), &qv::Recordset::willChangeRecord, this,
            [this] { guard([this] { adoPrimaryRS_WillChangeRecord(); }); });
    for (qv::TextBox* box : std::as_const(txtfields)) {
        const QVariant field = box->property(kFieldProperty);
        if (field.isValid())
            box->bind(adoPrimaryRS.get(), field.toString(), box->property(kFormatProperty).toString());
    }
    db = std::make_unique<qv::Connection>();
    db->open(connectionString());
    adoPrimaryRS->open(recordSource(), *db);
}

void RecordForm::formUnload(bool& cancel)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    // Text typed into the boxes while browsing belongs to the record, as a
    // move to another record would save it; closing the window must not drop
    // it. A save the database refuses is shown and the window stays open, so
    // nothing is lost unseen. (Adding and editing end only by Update or
    // Cancel; the window's own buttons decide about those.)
    if (EditFlag || AddNewFlag || !adoPrimaryRS || !adoPrimaryRS->hasCurrentRecord() || adoPrimaryRS->isReadOnly())
        return;
    bool saved = false;
    guard([&] {
        adoPrimaryRS->update();
        saved = true;
    });
    cancel = !saved;
}

void RecordForm::resizeEvent(QResizeEvent* e)
{
    // The window's own resize step runs first (a window that rescales itself
    // moves every control then); the bars are docked at the foot after it,
    // holding their buttons whole, each button in its place.
    qv::Window::resizeEvent(e);
    dockBars();
    layOutButtonBar();
}

void RecordForm::formResize()
{
    ignoreErrors([this] { layOutStatusBar(); });
}

namespace {

// Keys that move the cursor within the text of the box being typed in belong
// to that box: Home and End in any editable box, and Up, Down, Page Up and
// Page Down too in a box of several lines. Taken for the records, they would
// move to another record and the typing that follows would change that one.
// With Ctrl they are the record form's keys everywhere.
bool keyMovesWithinTheText(const QWidget* receiver, int keyCode, int shift)
{
    if (!receiver || (shift & qv::ShiftState::Ctrl))
        return false;
    const bool alongLine = keyCode == qv::Key::Home || keyCode == qv::Key::End;
    const bool acrossLines = keyCode == qv::Key::Up || keyCode == qv::Key::Down || keyCode == qv::Key::PageUp
        || keyCode == qv::Key::PageDown;
    if (auto* line = qobject_cast<const QLineEdit*>(receiver))
        return alongLine && !line->isReadOnly();
    if (auto* list = qobject_cast<const QComboBox*>(receiver))
        return alongLine && list->isEditable();
    if (auto* lines = qobject_cast<const QPlainTextEdit*>(receiver))
        return (alongLine || acrossLines) && !lines->isReadOnly();
    if (auto* lines = qobject_cast<const QTextEdit*>(receiver))
        return (alongLine || acrossLines) && !lines->isReadOnly();
    return false;
}

} // namespace

void RecordForm::formKeyDown(int& keyCode, int shift)
{
    if (EditFlag || AddNewFlag)
        return;
    if (keyMovesWithinTheText(keyReceiver(), keyCode, shift))
        return;
    switch (keyCode) {
    case qv::Key::Escape:
        cmdClose_Click();
        break;
    case qv::Key::End:
        cmdLast_Click();
        break;
    case qv::Key::Home:
        cmdFirst_Click();
        break;
    case qv::Key::Up:
    case qv::Key::PageUp:
        if (shift == qv::ShiftState::Ctrl)
            cmdFirst_Click();
        else
            cmdPrevious_Click();
        break;
    case qv::Key::Down:
    case qv::Key::PageDown:
        if (shift == qv::ShiftState::Ctrl)
            cmdLast_Click();
        else
            cmdNext_Click();
        break;
    default:
        break;
    }
}

void RecordForm::adoPrimaryRS_MoveComplete()
{
    lblStatus->setText(QStringLiteral("Record: ") + QString::number(primary(adoPrimaryRS).absolutePosition()));
}

void RecordForm::cmdAdd_Click()
{
    reportErrors([this] {
        if (!(primary(adoPrimaryRS).bof() && primary(adoPrimaryRS).eof()))
            SavedBookmark = primary(adoPrimaryRS).bookmark();
        primary(adoPrimaryRS).addNew();
        lblStatus->setText(QStringLiteral("Add record"));
        AddNewFlag = true;
        SetButtons(false);
    });
}

void RecordForm::cmdEdit_Click()
{
    reportErrors([this] {
        lblStatus->setText(QStringLiteral("Edit record"));
        EditFlag = true;
        SetButtons(false);
    });
}

void RecordForm::cmdUpdate_Click()
{
    try {
        primary(adoPrimaryRS).updateBatch();
        if (AddNewFlag)
            primary(adoPrimaryRS).moveLast();
        EditFlag = false;
        AddNewFlag = false;
        SetButtons(true);
    } catch (const std::exception&) {
        // Adding or editing goes on: Update and Cancel stay on screen.
        qv::ui().msgBox(QStringLiteral(" You have no record to update. Click cancel and add a record."));
    }
}

void RecordForm::cmdCancel_Click()
{
    const double cancelled = recordBeingCancelled();
    ignoreErrors([this] { SetButtons(true); });
    EditFlag = false;
    AddNewFlag = false;
    ignoreErrors([this] { primary(adoPrimaryRS).cancelUpdate(); });
    // Text typed into the boxes belongs to the discarded change; it must not
    // be written into the row that becomes current.
    ignoreErrors([this] { reshowBoxes(); });
    returnAfterCancel(cancelled);
}

double RecordForm::recordBeingCancelled() const
{
    // An Edit keeps its record; a dropped new record has none of its own.
    double bookmark = 0;
    passOver([&] {
        if (!AddNewFlag && primary(adoPrimaryRS).editMode() != qv::EditMode::Add)
            bookmark = primary(adoPrimaryRS).bookmark();
    });
    return bookmark;
}

void RecordForm::returnAfterCancel(double recordCancelled)
{
    // Back on the record that was being edited, or, after an Add, on the one
    // shown when Add was pressed (the first when there was none).
    const double back = recordCancelled > 0 ? recordCancelled : SavedBookmark;
    passOver([&] {
        if (back > 0)
            primary(adoPrimaryRS).setBookmark(back);
        else
            primary(adoPrimaryRS).moveFirst();
    });
}

void RecordForm::cancelRereading(const std::function<void()>& detachGrid, const std::function<void()>& attachGrid,
                                 const std::function<void()>& afterReshow)
{
    const double cancelled = recordBeingCancelled();
    passOver([this] { SetButtons(true); });
    EditFlag = false;
    AddNewFlag = false;
    if (detachGrid)
        passOver(detachGrid);
    // The pending change goes before the rows are read again (a re-read is
    // refused while a change is pending), and what was typed goes with it:
    // it must not be written into the row that becomes current.
    passOver([this] { primary(adoPrimaryRS).cancelUpdate(); });
    passOver([this] { reshowBoxes(); });
    if (afterReshow)
        passOver(afterReshow);
    passOver([this] { primary(adoPrimaryRS).requery(); });
    if (attachGrid)
        passOver(attachGrid);
    returnAfterCancel(cancelled);
}

void RecordForm::cmdDelete_Click()
{
    reportErrors([this] {
        switch (deleteConfirm()) {
        case DeleteConfirm::YesNo:
            if (qv::ui().msgBox(QStringLiteral("Delete the Current Record"),
                                qv::MsgStyle::YesNo | qv::MsgStyle::Question, QStringLiteral("Delete Record"))
                != qv::MsgResult::Yes)
                return;
            break;
        case DeleteConfirm::OkCancel:
            if (qv::ui().msgBox(QStringLiteral("Do you really want to delete this record?"),
                                qv::MsgStyle::OkCancel | qv::MsgStyle::Question | qv::MsgStyle::DefaultButton3,
                                QStringLiteral("Delete Record"))
                != qv::MsgResult::Ok)
                return;
            break;
        case DeleteConfirm::None:
            break;
        }
        primary(adoPrimaryRS).deleteCurrent();
        reshowBoxes();
        primary(adoPrimaryRS).moveNext();
        if (primary(adoPrimaryRS).eof())
            primary(adoPrimaryRS).moveLast();
    });
}

void RecordForm::cmdRefresh_Click()
{
    reportErrors([this] { primary(adoPrimaryRS).requery(); });
}

void RecordForm::cmdClose_Click()
{
    unload();
}

void RecordForm::cmdFirst_Click()
{
    beforeMove();
    reportErrors([this] { primary(adoPrimaryRS).moveFirst(); });
}

void RecordForm::cmdLast_Click()
{
    beforeMove();
    reportErrors([this] { primary(adoPrimaryRS).moveLast(); });
}

void RecordForm::cmdNext_Click()
{
    beforeMove();
    reportErrors([this] {
        if (!primary(adoPrimaryRS).eof())
            primary(adoPrimaryRS).moveNext();
        if (primary(adoPrimaryRS).eof() && primary(adoPrimaryRS).recordCount() > 0) {
            if (beepAtEnds())
                qv::ui().beep();
            primary(adoPrimaryRS).moveLast();
        }
    });
}

void RecordForm::cmdPrevious_Click()
{
    beforeMove();
    reportErrors([this] {
        if (!primary(adoPrimaryRS).bof())
            primary(adoPrimaryRS).movePrevious();
        if (primary(adoPrimaryRS).bof() && primary(adoPrimaryRS).recordCount() > 0) {
            if (beepAtEnds())
                qv::ui().beep();
            primary(adoPrimaryRS).moveFirst();
        }
    });
}
