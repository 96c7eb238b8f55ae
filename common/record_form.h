#pragma once
// The record form: one record of one recordset at a time in bound boxes, a row
// of edit buttons, four navigation buttons, a status label and keyboard
// navigation. Record windows derive from it and override only the handlers in
// which they differ; other code asks it only whether it is adding or editing
// and which rows it shows.
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include <QLabel>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>

namespace qv { class DataGrid; }

class RecordForm : public qv::Window {
    Q_OBJECT
public:
    explicit RecordForm(QWidget* parent = nullptr);

    // The confirmations Delete may ask (deleteConfirm).
    enum class DeleteConfirm { None, YesNo, OkCancel };

    // What the window is doing with its record, and the rows it shows.
    bool isAddingRecord() const { return addingRecord; }
    bool isEditingRecord() const { return editingRecord; }
    bool isChangingRecord() const { return addingRecord || editingRecord; }
    std::shared_ptr<qv::Recordset> recordset() const { return primaryRecordset; }

    // Whether a way out of the window would drop typed work: a record being
    // added or edited whose boxes no longer show what they showed when Add
    // or Edit began (a stock window adds amounts typed and not posted). An
    // Add or Edit nobody typed into holds nothing to lose.
    virtual bool holdsUnsavedWork() const;
    // Every way out of a record window asks here before the window closes or
    // another takes its place: while it holds typed work it is brought in
    // front of the program's windows and asks the one question, owned by it.
    // Yes saves as Update does, No drops as Cancel does, Cancel keeps it.
    // False when the window must stay as it is: kept by Cancel, or a save it
    // refused (its Update has said why). `way` titles the question.
    bool settleBeforeLeaving(const QString& way);
    // The same for every record window among `leaving`, one after another,
    // before any of them (or any other window) goes: false at the first that
    // must stay, so that the caller closes and opens nothing.
    static bool settleBeforeLeaving(const QList<qv::Window*>& leaving, const QString& way);
    // Before the program ends (Exit Program): every loaded record window.
    static bool settleRecordsBeforeExit();
    // Exit Program from `exiting`: the records are settled first (nothing
    // goes while one is kept or cannot be stored), then every other loaded
    // window is unloaded, one after another, up to one that refuses to go.
    // False when the program must stay open.
    static bool unloadOtherWindowsForExit(qv::Window* exiting);
    // Whether a find may move `rs`: false (the window has said why) when it
    // is the recordset of a record window that may not leave its record now.
    static bool mayFindIn(const qv::Recordset& rs);

protected:
    // What the window opens at load: its connection string and its SELECT or SHAPE text.
    virtual QString connectionString() const = 0;
    virtual QString recordSource() const = 0;
    // Which confirmation Delete asks (none for the user list).
    virtual DeleteConfirm deleteConfirm() const { return DeleteConfirm::None; }
    // Whether moving past either end beeps.
    virtual bool beepAtEnds() const { return true; }
    // Runs first whenever one of the four navigation buttons is used, while
    // the row being left is still current.
    virtual void beforeMove() {}
    // Whether the window may leave the record shown for another one; asked
    // first by the four navigation commands. A window holding something
    // typed that belongs to no field asks about it here.
    virtual bool mayMoveOn() { return true; }
    // Whether the record may be written as it stands; a window whose records
    // need a value says which one is missing and returns false. Update asks
    // it, and so does every move away from a record typed into while browsing.
    virtual bool recordMayBeSaved() { return true; }

    void formLoad() override;
    void formUnload(bool& cancel) override;
    // The status label fills the room between Previous and Next, with Next
    // and Last at the window's right end.
    void formResize() override;
    void formKeyDown(int& keyCode, int shift) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

    // Handlers of the two bars' buttons and of a change of record; each
    // window overrides where it differs.
    virtual void addRecord();
    virtual void editRecord();
    virtual void updateRecord();
    virtual void cancelRecordChange();
    virtual void deleteRecord();
    virtual void refreshRecords();
    virtual void closeRecordWindow();
    virtual void showFirstRecord();
    virtual void showLastRecord();
    virtual void showNextRecord();
    virtual void showPreviousRecord();
    virtual void currentRecordChanged();
    virtual void recordAboutToChange() {}
    // What Yes and No of the way-out question do: Update and Cancel.
    virtual void saveUnsavedWork() { updateRecord(); }
    virtual void dropUnsavedWork() { cancelRecordChange(); }
    // Browsing (true): the edit buttons and the navigation; adding or
    // editing (false): only Update and Cancel.
    virtual void setBrowsingButtons(bool flag);
    // Every shown edit button in its own place, side by side from the left.
    // A window that places its buttons itself, each in a place of its own,
    // overrides it to do nothing.
    virtual void layOutButtonBar();

    // Creates fieldBoxes[index] (named "txtfields_<index>") bound (at load) to
    // the field, with its format.
    qv::TextBox* addField(int index, const QString& field, const QString& format = QString());
    // The named chapter of the row shown, or nullptr while no row is shown
    // (the grids under a record show nothing then).
    std::shared_ptr<qv::Recordset> currentChapter(const QString& name) const;
    // Every box bound to primaryRecordset shows its field again, dropping text
    // typed since the row was shown (after CancelUpdate and Delete, so that
    // no stale text is written into the row that becomes current).
    void reshowBoxes();
    // Cancel for a window whose grid shows the recordset's rows: the grid lets
    // go of them (`detachGrid`) while the change is dropped and the rows are
    // read again, then shows them again (`attachGrid`); either may be empty.
    // `afterReshow` runs once the boxes show the row again. Cancel lands
    // where the template's own Cancel does. Every step's errors are passed over.
    void cancelRereading(const std::function<void()>& detachGrid, const std::function<void()>& attachGrid,
                         const std::function<void()>& afterReshow = {});
    // Every grid and list of the window moves the record shown only while
    // browsing: a row picked while a record is being added or edited would
    // store it half-typed, beyond the reach of Cancel, so the pick is refused
    // with a word why. A typed change the window cannot keep holds it too.
    bool mayPick(QWidget* view) override;
    // True for a grid or list whose pick is meant to save the record being
    // changed, or never touches it; the window says why where it answers so.
    virtual bool pickSavesOnPurpose(const QWidget* view) const { (void)view; return false; }
    // False (after saying why) while a record is being added or edited: a
    // find moves to another record, which would store this one half-typed.
    bool mayFindNow();
    // Each move asks this first, and so does a window's own button that
    // reads the rows again: not while changing (after saying why), and only
    // when the window and what was typed let the record be left.
    bool mayMoveFromRecord();
    // False (the window has said why) when text typed into the record shown
    // cannot be kept; moving away or closing would store it.
    bool typedChangesMayBeKept();
    // Whether text was typed into the record shown while browsing.
    bool typedWhileBrowsing() const;
    // Why a save was refused: `noRecordText` when there is no record to save,
    // else a line saying nothing was saved and, under it, the database's reason.
    void reportRefusedSave(const std::exception& refusal, const QString& noRecordText);
    // Runs one step of a handler that leaves at the first error and shows its
    // description; false when it failed.
    static bool reportErrors(const std::function<void()>& step);
    // Runs one step whose errors are passed over.
    static void ignoreErrors(const std::function<void()>& step);

    // Controls the template creates; the window places them and adds its
    // boxes. The password dialogs and tests find them by their objectName.
    QMap<int, qv::TextBox*> fieldBoxes;
    QMap<int, QLabel*> captionLabels;
    QWidget* recordButtonBar = nullptr;
    QPushButton *addRecordButton = nullptr, *editRecordButton = nullptr, *updateRecordButton = nullptr,
                *cancelChangeButton = nullptr, *deleteRecordButton = nullptr, *refreshRecordsButton = nullptr,
                *closeRecordWindowButton = nullptr;
    QWidget* recordStatusBar = nullptr;
    QPushButton *firstRecordButton = nullptr, *previousRecordButton = nullptr, *nextRecordButton = nullptr,
                *lastRecordButton = nullptr;
    QLabel* recordStatusLabel = nullptr;

    // Whether a record is being added or edited. The windows' own handlers
    // set them; each change tells the form, which then knows when a change
    // began and ended, and so what the boxes showed when it began.
    class ChangeFlag {
    public:
        explicit ChangeFlag(RecordForm* form) : form(form) {}
        ChangeFlag(const ChangeFlag&) = delete;
        ChangeFlag& operator=(const ChangeFlag&) = delete;
        ChangeFlag& operator=(bool on)
        {
            if (on != value) {
                value = on;
                form->changeBeganOrEnded();
            }
            return *this;
        }
        operator bool() const { return value; }

    private:
        RecordForm* form;
        bool value = false;
    };

    // The window's connection, the rows it shows and what it is doing with them.
    std::unique_ptr<qv::Connection> db;
    std::shared_ptr<qv::Recordset> primaryRecordset;
    ChangeFlag editingRecord{this};
    ChangeFlag addingRecord{this};
    double bookmarkBeforeAdd = 0;   // 0: none stored yet

private:
    // The edit buttons in the order they stand in the bar.
    QList<QPushButton*> editButtons() const;
    // The status bar's layout for the window's width (formResize).
    void layOutStatusBar();
    // Both bars at the foot of the window, each as high as its buttons need.
    void dockBars();
    static int barHeightFor(const QWidget* bar);
    // Cancel keeps the user where she was working: on the record being
    // edited, or after an Add on the record shown before it. The first names
    // the record being cancelled (0 for a new one), the second goes back.
    double recordBeingCancelled() const;
    void returnAfterCancel(double recordCancelled);
    static QString saveBeforeLeavingQuestion();
    // False, after saying why, while a record is being added or edited:
    // moving on would store it half-typed. `beforeWhat` ends the message.
    bool refusedWhileChanging(const QString& beforeWhat);
    // With no record shown, and none being added, nothing could keep what is
    // typed into the record's boxes: they take no typing until there is a
    // record (Add, or a row read again). Boxes the window keeps read-only
    // itself stay so.
    void holdTypingWithoutARecord();
    void watchForTyping(QWidget* box);
    QMetaObject::Connection holdingMoves;
    QList<qv::TextBox*> recordBoxes() const;

    // What the record's boxes showed when the change under way began, taken
    // once the window's own Add or Edit handler has run (so that what the
    // window fills in itself is not counted as typed). Until it is taken a
    // change counts as holding work.
    void changeBeganOrEnded();
    void rememberWhatTheBoxesShow();
    bool boxesChangedSinceChangeBegan() const;
    bool changeStartTaken = false;
    bool changeStartedWithTyping = false;
    QList<QPair<QPointer<qv::TextBox>, QString>> shownWhenChangeBegan;
    // Text typed while browsing is stored before the window goes, as a move
    // would store it; false (the window in front, having said why) when the
    // record cannot be stored as it stands.
    bool storeTypingBeforeLeaving();
    // The last way out was kept by Cancel (not by a record refused).
    bool keptByCancel = false;
};
