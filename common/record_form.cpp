#include "common/record_form.h"
#include "common/pass_over.h"
#include "common/window_helpers.h"
#include "platform/forms/controls.h"
#include "platform/forms/many_line_box.h"
#include "platform/services/services.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QResizeEvent>
#include <QShowEvent>
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

// Cancel at a way-out question leaves the user where she was: the keyboard
// goes back to the window she was in (a login over the book, the menu),
// which may stand above the windows asked about.
void returnKeyboardTo(const QPointer<QWidget>& window)
{
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

// While a window is asked about its record it is shown, in front of every
// other window of the program, kept on top or not, so that the user sees the
// record she answers for; it goes back to its own layer after.
class InFrontWhileAsked {
public:
    explicit InFrontWhileAsked(qv::Window* window)
        : window(window)
    {
        if (window->isMinimized())
            window->showNormal();
        else if (window->isHidden())
            window->show();
        window->standAboveWindowsKeptOnTop(true);
        window->raise();
        window->activateWindow();
    }
    ~InFrontWhileAsked()
    {
        if (window)
            window->standAboveWindowsKeptOnTop(false);
    }
    InFrontWhileAsked(const InFrontWhileAsked&) = delete;
    InFrontWhileAsked& operator=(const InFrontWhileAsked&) = delete;

private:
    QPointer<qv::Window> window;
};

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

    recordButtonBar = new QWidget(this);
    recordButtonBar->setObjectName(QStringLiteral("picButtons"));
    addRecordButton = makeButton(recordButtonBar, "cmdAdd", QStringLiteral("&Add"));
    editRecordButton = makeButton(recordButtonBar, "cmdEdit", QStringLiteral("&Edit"));
    updateRecordButton = makeButton(recordButtonBar, "cmdUpdate", QStringLiteral("&Update"));
    cancelChangeButton = makeButton(recordButtonBar, "cmdCancel", QStringLiteral("&Cancel"));
    deleteRecordButton = makeButton(recordButtonBar, "cmdDelete", QStringLiteral("&Delete"));
    refreshRecordsButton = makeButton(recordButtonBar, "cmdRefresh", QStringLiteral("&Refresh"));
    closeRecordWindowButton = makeButton(recordButtonBar, "cmdClose", QStringLiteral("&Close"));
    // The shown buttons stand side by side, in this order (layOutButtonBar):
    // while browsing Add, Edit, Delete, Refresh, Close; while adding or
    // editing Update and Cancel in the places of Add and Edit; a window that
    // shows more of them at once gives each its own place.
    for (QPushButton* b : editButtons()) {
        qv::place(b, 0, 0, kEditButtonWidth, kButtonHeight);
        // A button shown or hidden: every shown one takes its own place again.
        new EventHook(b, {QEvent::ShowToParent, QEvent::HideToParent}, [this] { layOutButtonBar(); });
    }

    recordStatusBar = new QWidget(this);
    recordStatusBar->setObjectName(QStringLiteral("picStatBox"));
    firstRecordButton = makeNavButton(recordStatusBar, "cmdFirst", QStyle::SP_MediaSkipBackward,
                                      QStringLiteral("First"));
    previousRecordButton = makeNavButton(recordStatusBar, "cmdPrevious", QStyle::SP_MediaSeekBackward,
                                         QStringLiteral("Previous"));
    nextRecordButton = makeNavButton(recordStatusBar, "cmdNext", QStyle::SP_MediaSeekForward, QStringLiteral("Next"));
    lastRecordButton = makeNavButton(recordStatusBar, "cmdLast", QStyle::SP_MediaSkipForward, QStringLiteral("Last"));
    recordStatusLabel = new QLabel(recordStatusBar);
    recordStatusLabel->setObjectName(QStringLiteral("lblStatus"));
    recordStatusLabel->setFrameShape(QFrame::Panel);
    recordStatusLabel->setFrameShadow(QFrame::Sunken);
    recordStatusLabel->setIndent(4);
    // The label lies under the navigation buttons, so that it can never take
    // their clicks.
    recordStatusLabel->lower();
    qv::place(firstRecordButton, 0, 0, kNavButtonWidth, kButtonHeight);
    qv::place(previousRecordButton, 345, 0, kNavButtonWidth, kButtonHeight);
    qv::place(recordStatusLabel, 690, 0, 3360, kButtonHeight);
    qv::place(nextRecordButton, 4050, 0, kNavButtonWidth, kButtonHeight);
    qv::place(lastRecordButton, 4390, 0, kNavButtonWidth, kButtonHeight);

    // What the boxes show once the window's own handler has run is what a
    // way out compares with: an Add or Edit left untouched asks nothing.
    onClick(addRecordButton, [this] {
        addRecord();
        rememberWhatTheBoxesShow();
    });
    onClick(editRecordButton, [this] {
        // With no record shown there is nothing to edit.
        bool recordShown = false;
        passOver([&] { recordShown = primaryRecordset && primaryRecordset->hasCurrentRecord(); });
        if (!recordShown)
            return;
        editRecord();
        rememberWhatTheBoxesShow();
    });
    onClick(updateRecordButton, [this] { updateRecord(); });
    onClick(cancelChangeButton, [this] { cancelRecordChange(); });
    onClick(deleteRecordButton, [this] { deleteRecord(); });
    onClick(refreshRecordsButton, [this] { refreshRecords(); });
    onClick(closeRecordWindowButton, [this] { closeRecordWindow(); });
    onClick(firstRecordButton, [this] { showFirstRecord(); });
    onClick(previousRecordButton, [this] { showPreviousRecord(); });
    onClick(nextRecordButton, [this] { showNextRecord(); });
    onClick(lastRecordButton, [this] { showLastRecord(); });

    setBrowsingButtons(true);
    setTwipsSize(6000, 4000);
    layOutButtonBar();
}

QList<QPushButton*> RecordForm::editButtons() const
{
    return {addRecordButton, editRecordButton, updateRecordButton, cancelChangeButton, deleteRecordButton,
            refreshRecordsButton, closeRecordWindowButton};
}

void RecordForm::layOutButtonBar()
{
    // The gap between the buttons grows with them when the window rescales.
    const double scale = double(addRecordButton->width()) / qv::px(kEditButtonWidth);
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
    const int statusHeight = barHeightFor(recordStatusBar);
    const int buttonsHeight = barHeightFor(recordButtonBar);
    recordStatusBar->setGeometry(0, height() - statusHeight, width(), statusHeight);
    recordButtonBar->setGeometry(0, height() - statusHeight - buttonsHeight, width(), buttonsHeight);
}

void RecordForm::layOutStatusBar()
{
    // The label spans the window less 1500 twips, Next stands 700 twips
    // past the label's width and Last 340 past Next: steps of the layout
    // drawn for an 800 x 600 screen, grown with the buttons when the window
    // rescales, so that Next and Last never run into each other or the label.
    const double scale = double(nextRecordButton->width()) / qv::px(kNavButtonWidth);
    const auto scaled = [scale](int twipsValue) { return int(std::lround(twipsValue * scale)); };
    recordStatusLabel->setGeometry(recordStatusLabel->x(), nextRecordButton->y(),
                                   qMax(0, qv::px(twipsWidth() - scaled(kStatusShorter))),
                                   nextRecordButton->height());
    nextRecordButton->move(qv::px(qv::twips(recordStatusLabel->width()) + scaled(kNextPastStatus)),
                           nextRecordButton->y());
    lastRecordButton->move(qv::px(qv::twips(nextRecordButton->x()) + scaled(kLastPastNext)), lastRecordButton->y());
}

qv::TextBox* RecordForm::addField(int index, const QString& field, const QString& format)
{
    auto* box = new qv::TextBox(this);
    box->setObjectName(qv::arrayMemberName("txtfields", index));
    box->setProperty(kFieldProperty, field);
    box->setProperty(kFormatProperty, format);
    fieldBoxes.insert(index, box);
    watchForTyping(box);
    if (primaryRecordset)   // added after load: bind at once
        box->bind(primaryRecordset.get(), field, format);
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
    if (!primaryRecordset)
        return;
    for (qv::TextBox* box : findChildren<qv::TextBox*>())
        if (box->dataSource() == primaryRecordset.get())
            box->refresh();
}

std::shared_ptr<qv::Recordset> RecordForm::currentChapter(const QString& name) const
{
    if (!primaryRecordset || !primaryRecordset->isOpen() || primaryRecordset->bof() || primaryRecordset->eof())
        return nullptr;
    std::shared_ptr<qv::Recordset> chapter = primaryRecordset->chapter(name);
    // A chapter that holds the record shown (the client's tickets beside the
    // ticket, the products of its category) stands on it, so that its grid
    // highlights the record the boxes show rather than its first row. Both
    // read the same table, so the record's bookmark names its row there; a
    // chapter without it stays on its first row.
    if (chapter && primaryRecordset->editMode() != qv::EditMode::Add)
        ignoreErrors([&] { chapter->setBookmark(primaryRecordset->bookmark()); });
    return chapter;
}

void RecordForm::setBrowsingButtons(bool flag)
{
    addRecordButton->setVisible(flag);
    editRecordButton->setVisible(flag);
    deleteRecordButton->setVisible(flag);
    closeRecordWindowButton->setVisible(flag);
    refreshRecordsButton->setVisible(flag);
    updateRecordButton->setVisible(!flag);
    cancelChangeButton->setVisible(!flag);
    nextRecordButton->setEnabled(flag);
    firstRecordButton->setEnabled(flag);
    lastRecordButton->setEnabled(flag);
    previousRecordButton->setEnabled(flag);
}

void RecordForm::formLoad()
{
    makeTopMost(this);
    // The recordset and its boxes are wired before anything can fail, so that
    // a missing database leaves a window whose buttons report errors.
    primaryRecordset = std::make_shared<qv::Recordset>();
    connect(primaryRecordset.get(), &qv::Recordset::moveComplete, this,
            [this] { guard([this] { currentRecordChanged(); }); });
    connect(primaryRecordset.get(), &qv::Recordset::willChangeRecord, this,
            [this] { guard([this] { recordAboutToChange(); }); });
    for (qv::TextBox* box : std::as_const(fieldBoxes)) {
        const QVariant field = box->property(kFieldProperty);
        if (field.isValid())
            box->bind(primaryRecordset.get(), field.toString(), box->property(kFormatProperty).toString());
    }
    // Until the rows are read (and when they cannot be) there is no record.
    holdTypingWithoutARecord();
    db = std::make_unique<qv::Connection>();
    db->open(connectionString());
    primaryRecordset->open(recordSource(), *db);
}

void RecordForm::formUnload(bool& cancel)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    // Whatever closes the window (Close, Esc, the title bar, Alt+F4, a
    // button that puts another window in its place) asks about typed work;
    // text typed while browsing belongs to the record, as a move to another
    // record would save it. A save refused is shown and the window stays.
    if (!settleBeforeLeaving(windowTitle().isEmpty() ? QStringLiteral("Close") : windowTitle()))
        cancel = true;
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
    // A grid or list moves its own highlight, and its pick moves the record:
    // moved here as well, one key would go two records on.
    if (qobject_cast<const QAbstractItemView*>(receiver))
        return alongLine || acrossLines;
    return false;
}

} // namespace

void RecordForm::formKeyDown(int& keyCode, int shift)
{
    // Esc is a way out while adding or editing too: the window asks first.
    if (keyCode == qv::Key::Escape && isChangingRecord()) {
        keyCode = 0;
        closeRecordWindow();
        return;
    }
    if (editingRecord || addingRecord)
        return;
    if (keyMovesWithinTheText(keyReceiver(), keyCode, shift))
        return;
    switch (keyCode) {
    case qv::Key::Escape:
        closeRecordWindow();
        break;
    case qv::Key::End:
        showLastRecord();
        break;
    case qv::Key::Home:
        showFirstRecord();
        break;
    case qv::Key::Up:
    case qv::Key::PageUp:
        if (shift == qv::ShiftState::Ctrl)
            showFirstRecord();
        else
            showPreviousRecord();
        break;
    case qv::Key::Down:
    case qv::Key::PageDown:
        if (shift == qv::ShiftState::Ctrl)
            showLastRecord();
        else
            showNextRecord();
        break;
    default:
        break;
    }
}

void RecordForm::currentRecordChanged()
{
    // A new record has no place among the others until it is saved; a move
    // notice while it is being added (the book's totals re-read the row)
    // must not make it look like a saved one.
    if (primary(primaryRecordset).editMode() == qv::EditMode::Add) {
        recordStatusLabel->setText(QStringLiteral("Add record"));
        return;
    }
    recordStatusLabel->setText(QStringLiteral("Record: ")
                               + QString::number(primary(primaryRecordset).absolutePosition()));
}

void RecordForm::addRecord()
{
    reportErrors([this] {
        if (!(primary(primaryRecordset).bof() && primary(primaryRecordset).eof()))
            bookmarkBeforeAdd = primary(primaryRecordset).bookmark();
        primary(primaryRecordset).addNew();
        recordStatusLabel->setText(QStringLiteral("Add record"));
        addingRecord = true;
        setBrowsingButtons(false);
    });
}

void RecordForm::editRecord()
{
    reportErrors([this] {
        recordStatusLabel->setText(QStringLiteral("Edit record"));
        editingRecord = true;
        setBrowsingButtons(false);
    });
}

void RecordForm::updateRecord()
{
    if (!recordMayBeSaved())
        return;
    try {
        primary(primaryRecordset).updateBatch();
        if (addingRecord)
            primary(primaryRecordset).moveLast();
        editingRecord = false;
        addingRecord = false;
        setBrowsingButtons(true);
    } catch (const std::exception& e) {
        // Adding or editing goes on: Update and Cancel stay on screen.
        reportRefusedSave(e, QStringLiteral(" You have no record to update. Click cancel and add a record."));
    }
}

void RecordForm::reportRefusedSave(const std::exception& refusal, const QString& noRecordText)
{
    bool recordThere = false;
    passOver([&] { recordThere = primaryRecordset && primaryRecordset->isOpen() && primaryRecordset->hasCurrentRecord(); });
    if (!recordThere) {
        qv::ui().msgBox(noRecordText);
        return;
    }
    // A record the database would not take (the file cannot be written, a
    // second copy of the program holds it, the disk is full): the advice to
    // cancel would throw away what was typed, so the real reason is given.
    const auto* error = dynamic_cast<const qv::Error*>(&refusal);
    const QString reason = error ? error->description() : QString::fromLocal8Bit(refusal.what());
    qv::ui().msgBox(QStringLiteral("The record was not saved; what you typed is still here.\r\n") + reason);
}

bool RecordForm::typedWhileBrowsing() const
{
    if (isChangingRecord())
        return false;
    bool typed = false;
    passOver([&] {
        if (!primaryRecordset || !primaryRecordset->hasCurrentRecord() || primaryRecordset->isReadOnly())
            return;
        typed = primaryRecordset->editMode() != qv::EditMode::None;
        for (const qv::TextBox* box : findChildren<qv::TextBox*>())
            typed = typed || (box->dataSource() == primaryRecordset.get() && box->isDirty());
    });
    return typed;
}

bool RecordForm::typedChangesMayBeKept()
{
    return !typedWhileBrowsing() || recordMayBeSaved();
}

bool RecordForm::holdsUnsavedWork() const
{
    return isChangingRecord() && (!changeStartTaken || changeStartedWithTyping || boxesChangedSinceChangeBegan());
}

void RecordForm::changeBeganOrEnded()
{
    // A change that begins is measured once its handler has run; one that
    // ends leaves nothing to compare.
    changeStartTaken = false;
    changeStartedWithTyping = false;
    shownWhenChangeBegan.clear();
}

void RecordForm::rememberWhatTheBoxesShow()
{
    if (!isChangingRecord() || changeStartTaken)
        return;
    // An Edit begun over text typed while browsing holds that text already.
    bool pending = false;
    passOver([&] { pending = primaryRecordset && primaryRecordset->editMode() == qv::EditMode::InProgress; });
    changeStartedWithTyping = pending;
    for (qv::TextBox* box : recordBoxes()) {
        changeStartedWithTyping = changeStartedWithTyping || box->isDirty();
        shownWhenChangeBegan.append({QPointer<qv::TextBox>(box), box->text()});
    }
    changeStartTaken = true;
}

bool RecordForm::boxesChangedSinceChangeBegan() const
{
    for (const auto& [box, shown] : shownWhenChangeBegan)
        if (box && box->text() != shown)
            return true;
    return false;
}

bool RecordForm::refusedWhileChanging(const QString& beforeWhat)
{
    if (!isChangingRecord())
        return false;
    qv::ui().msgBox(QStringLiteral("Click Update to save this record, or Cancel to drop it, before ") + beforeWhat);
    return true;
}

bool RecordForm::mayPick(QWidget* view)
{
    if (pickSavesOnPurpose(view))
        return true;
    return !refusedWhileChanging(QStringLiteral("you move to another record.")) && typedChangesMayBeKept();
}

bool RecordForm::mayFindNow()
{
    return !refusedWhileChanging(QStringLiteral("you search.")) && typedChangesMayBeKept();
}

bool RecordForm::mayFindIn(const qv::Recordset& rs)
{
    for (qv::Window* window : qv::Windows::all()) {
        auto* form = qobject_cast<RecordForm*>(window);
        if (form && form->primaryRecordset.get() == &rs) {
            const qv::DialogOwnerScope owner(form);
            return form->mayFindNow();
        }
    }
    return true;
}

bool RecordForm::mayMoveFromRecord()
{
    // The move buttons are disabled while changing, but a window's own keys
    // or buttons may still call a move.
    return !refusedWhileChanging(QStringLiteral("you move to another record.")) && mayMoveOn()
           && typedChangesMayBeKept();
}

QList<qv::TextBox*> RecordForm::recordBoxes() const
{
    QList<qv::TextBox*> boxes = fieldBoxes.values();
    for (qv::TextBox* box : findChildren<qv::TextBox*>())
        if (primaryRecordset && box->dataSource() == primaryRecordset.get() && !boxes.contains(box))
            boxes << box;
    return boxes;
}

void RecordForm::holdTypingWithoutARecord()
{
    bool noRecord = true;
    passOver([&] {
        noRecord = !addingRecord
                   && !(primaryRecordset && primaryRecordset->isOpen()
                        && (primaryRecordset->editMode() == qv::EditMode::Add || primaryRecordset->hasCurrentRecord()));
    });
    // A box held here is let go here; one the window keeps read-only (or a
    // list it disables) itself stays so.
    static const char* const kHeld = "qvHeldWithoutRecord";
    const auto hold = [noRecord](QWidget* w, bool takesInput, const std::function<void(bool)>& takeInput) {
        if (noRecord && takesInput) {
            takeInput(false);
            w->setProperty(kHeld, true);
        } else if (!noRecord && w->property(kHeld).toBool()) {
            takeInput(true);
            w->setProperty(kHeld, false);
        }
    };
    for (qv::TextBox* box : recordBoxes())
        hold(box, !box->isReadOnly(), [box](bool on) { box->setReadOnly(!on); });
    // A drop-down list writes its choice into one of those boxes, where
    // nothing could keep it either: it waits for a record as they do.
    for (qv::PickList* list : findChildren<qv::PickList*>())
        hold(list, list->isEnabled(), [list](bool on) { list->setEnabled(on); });
}

void RecordForm::showEvent(QShowEvent* e)
{
    qv::Window::showEvent(e);
    // By the first showing every window has made its boxes, its views of
    // several lines and its recordset, whatever its own load does.
    if (!holdingMoves && primaryRecordset) {
        holdingMoves = connect(primaryRecordset.get(), &qv::Recordset::moveComplete, this,
                               [this] { holdTypingWithoutARecord(); });
        const QList<qv::TextBox*> boxes = recordBoxes();
        for (qv::TextBox* box : boxes)
            watchForTyping(box);
        for (qv::ManyLineBox* lines : findChildren<qv::ManyLineBox*>())
            if (boxes.contains(lines->box()))
                watchForTyping(lines);
    }
    holdTypingWithoutARecord();
}

void RecordForm::watchForTyping(QWidget* box)
{
    static const char* const kWatched = "qvWatchedForTyping";
    if (box->property(kWatched).toBool())
        return;
    box->setProperty(kWatched, true);
    // Asked again as the user reaches a box, so that a record come or gone
    // since the last move is seen before the first key.
    new EventHook(box, {QEvent::FocusIn, QEvent::KeyPress, QEvent::MouseButtonPress, QEvent::ContextMenu,
                        QEvent::DragEnter, QEvent::InputMethod},
                  [this] { holdTypingWithoutARecord(); });
}

QString RecordForm::saveBeforeLeavingQuestion()
{
    return QStringLiteral("This record is still being added or changed. Save it before the window closes?");
}

bool RecordForm::settleBeforeLeaving(const QString& way)
{
    keptByCancel = false;
    // An Add or Edit nobody typed into goes as Cancel would drop it: there
    // is nothing to ask about, and Yes would store an empty record.
    if (isChangingRecord() && !holdsUnsavedWork())
        reportErrors([this] { dropUnsavedWork(); });
    if (!holdsUnsavedWork())
        return storeTypingBeforeLeaving();
    const QPointer<QWidget> wasActive = QApplication::activeWindow();
    const InFrontWhileAsked inFront(this);
    const qv::DialogOwnerScope owner(this);
    const int answer = qv::ui().msgBox(saveBeforeLeavingQuestion(),
                                       qv::MsgStyle::YesNoCancel | qv::MsgStyle::Question, way);
    if (answer == qv::MsgResult::Yes) {
        // Update says itself why it refused; the record stays on screen.
        reportErrors([this] { saveUnsavedWork(); });
        return !holdsUnsavedWork() && storeTypingBeforeLeaving();
    }
    if (answer == qv::MsgResult::No) {
        reportErrors([this] { dropUnsavedWork(); });
        return !holdsUnsavedWork();
    }
    keptByCancel = true;
    if (wasActive != this)
        returnKeyboardTo(wasActive);
    return false;
}

bool RecordForm::storeTypingBeforeLeaving()
{
    if (isChangingRecord() || !typedWhileBrowsing())
        return true;
    bool stored = false;
    {
        // A refusal is about this record: it is seen above the others.
        const InFrontWhileAsked inFront(this);
        const qv::DialogOwnerScope owner(this);
        if (!recordMayBeSaved())
            return false;
        guard([&] {
            primaryRecordset->update();
            stored = true;
        });
    }
    if (!stored) {
        // The window with the record that could not be stored keeps the
        // keyboard, so that the user can mend it.
        raise();
        activateWindow();
    }
    return stored;
}

bool RecordForm::settleBeforeLeaving(const QList<qv::Window*>& leaving, const QString& way)
{
    // Where the user was before the first window was brought forward.
    const QPointer<QWidget> wasActive = QApplication::activeWindow();
    for (qv::Window* window : leaving) {
        auto* form = qobject_cast<RecordForm*>(window);
        if (form && qv::Windows::all().contains(window) && !form->settleBeforeLeaving(way)) {
            // Cancel leaves the user where she was; a record refused keeps
            // the keyboard in its window, to be mended.
            if (form->keptByCancel)
                returnKeyboardTo(wasActive);
            return false;
        }
    }
    return true;
}

bool RecordForm::settleRecordsBeforeExit()
{
    return settleBeforeLeaving(qv::Windows::all(), QStringLiteral("Exit Program"));
}

bool RecordForm::unloadOtherWindowsForExit(qv::Window* exiting)
{
    if (!settleRecordsBeforeExit())
        return false;
    // A window that still refuses to go (it has said why) stops the whole
    // way out: the program must not end behind its back.
    const QList<qv::Window*> windows = qv::Windows::all();
    for (qv::Window* w : windows) {
        if (w == exiting || !qv::Windows::all().contains(w))
            continue;
        w->unload();
        if (qv::Windows::all().contains(w))
            return false;
    }
    return true;
}

void RecordForm::cancelRecordChange()
{
    const double cancelled = recordBeingCancelled();
    ignoreErrors([this] { setBrowsingButtons(true); });
    editingRecord = false;
    addingRecord = false;
    ignoreErrors([this] { primary(primaryRecordset).cancelUpdate(); });
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
        if (!addingRecord && primary(primaryRecordset).editMode() != qv::EditMode::Add)
            bookmark = primary(primaryRecordset).bookmark();
    });
    return bookmark;
}

void RecordForm::returnAfterCancel(double recordCancelled)
{
    // Back on the record that was being edited, or, after an Add, on the one
    // shown when Add was pressed (the first when there was none).
    const double back = recordCancelled > 0 ? recordCancelled : bookmarkBeforeAdd;
    passOver([&] {
        if (back > 0)
            primary(primaryRecordset).setBookmark(back);
        else
            primary(primaryRecordset).moveFirst();
    });
}

void RecordForm::cancelRereading(const std::function<void()>& detachGrid, const std::function<void()>& attachGrid,
                                 const std::function<void()>& afterReshow)
{
    const double cancelled = recordBeingCancelled();
    passOver([this] { setBrowsingButtons(true); });
    editingRecord = false;
    addingRecord = false;
    if (detachGrid)
        passOver(detachGrid);
    // The pending change goes before the rows are read again (a re-read is
    // refused while a change is pending), and what was typed goes with it:
    // it must not be written into the row that becomes current.
    passOver([this] { primary(primaryRecordset).cancelUpdate(); });
    passOver([this] { reshowBoxes(); });
    if (afterReshow)
        passOver(afterReshow);
    passOver([this] { primary(primaryRecordset).requery(); });
    if (attachGrid)
        passOver(attachGrid);
    returnAfterCancel(cancelled);
}

void RecordForm::deleteRecord()
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
        primary(primaryRecordset).deleteCurrent();
        reshowBoxes();
        primary(primaryRecordset).moveNext();
        if (primary(primaryRecordset).eof())
            primary(primaryRecordset).moveLast();
    });
}

void RecordForm::refreshRecords()
{
    reportErrors([this] { primary(primaryRecordset).requery(); });
}

void RecordForm::closeRecordWindow()
{
    unload();
}

void RecordForm::showFirstRecord()
{
    if (!mayMoveFromRecord())
        return;
    beforeMove();
    reportErrors([this] { primary(primaryRecordset).moveFirst(); });
}

void RecordForm::showLastRecord()
{
    if (!mayMoveFromRecord())
        return;
    beforeMove();
    reportErrors([this] { primary(primaryRecordset).moveLast(); });
}

void RecordForm::showNextRecord()
{
    if (!mayMoveFromRecord())
        return;
    beforeMove();
    reportErrors([this] {
        if (!primary(primaryRecordset).eof())
            primary(primaryRecordset).moveNext();
        if (primary(primaryRecordset).eof() && primary(primaryRecordset).recordCount() > 0) {
            if (beepAtEnds())
                qv::ui().beep();
            primary(primaryRecordset).moveLast();
        }
    });
}

void RecordForm::showPreviousRecord()
{
    if (!mayMoveFromRecord())
        return;
    beforeMove();
    reportErrors([this] {
        if (!primary(primaryRecordset).bof())
            primary(primaryRecordset).movePrevious();
        if (primary(primaryRecordset).bof() && primary(primaryRecordset).recordCount() > 0) {
            if (beepAtEnds())
                qv::ui().beep();
            primary(primaryRecordset).moveFirst();
        }
    });
}
