#pragma once
// The salon's monthly schedule: one sheet per month in table Calendar, a grid
// of 42 day cells (six weeks, Sunday to Saturday) into which the staff type
// the day numbers and each day's schedule, the month and year, and a memo.
// Nothing here computes dates; the sheet holds what was typed.
//
// The cells, the month boxes and the memo can always be typed into; adding,
// saving, cancelling and re-reading are behind the manager's password
// (the calendar's login shows those buttons, the lock button hides them again).
#include "common/record_form.h"

#include <QMap>
#include <QPoint>

class QDateEdit;
class QFrame;
class QLabel;
class QPushButton;
namespace qv { class ManyLineBox; class PictureBox; }

class ScheduleCalendar : public RecordForm {
    Q_OBJECT
public:
    // The boxes that show no day of its own number (a day's box is boxIndexOfDay).
    enum Box : int {
        LastDayBox = 15,          // day42
        PanelMonthYearBox = 42,   // MonthYear, in the memo panel
        MonthYearBox = 43,        // MonthYear, in the top strip
        MemoTextBox = 44,         // Memo
    };

    ScheduleCalendar();
    // The cell of week row 1..6 and weekday 1 (Sunday) .. 7 (Saturday): its
    // field is day(7 * (row - 1) + weekday).
    qv::ManyLineBox* cell(int row, int weekday) const;
    // The cell showing field dayN, N = 1..42.
    qv::ManyLineBox* dayCell(int day) const;
    // Whether the memo panel is held by the mouse, the window following it.
    bool isDragging() const { return m_dragging; }

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formUnload(bool& cancel) override;
    // The record buttons keep their own places in the top strip: resizing
    // moves nothing, and the password and the lock alone show or hide them.
    void formResize() override;
    void resizeEvent(QResizeEvent* e) override;
    void layOutButtonBar() override {}
    void setBrowsingButtons(bool flag) override;
    // The memo button's click and the memo panel's drag.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Record-form handlers where the window differs from the template.
    void addRecord() override;
    void updateRecord() override;
    void cancelRecordChange() override;
    void closeRecordWindow() override;
    void currentRecordChanged() override;
    // The window's own buttons and the tips picture.
    void showScheduleReport();
    void findByMonth();
    void askForPassword();
    void lockRecordButtons();
    void showCalendarTips();
    // The memo panel.
    void showMemoPanel();
    void hideMemoPanel();
    void updateFromMemoPanel();

    void buildTopStrip();
    void buildGrid();
    void buildMemoPanel();
    // The box index of a day's cell ("txtfields_<index>"): day1..day15 are
    // 0..14, day42 is 15, day16..day41 are 16..41.
    static int boxIndexOfDay(int day);
    // Writes what is pending; raises qv::Error when the database refuses it.
    void saveAll();

    // Controls; the calendar's login and tests find them by their objectName.
    QFrame* monthGrid = nullptr;
    QLabel *sundayLabel = nullptr, *mondayLabel = nullptr, *tuesdayLabel = nullptr, *wednesdayLabel = nullptr,
           *thursdayLabel = nullptr, *fridayLabel = nullptr, *saturdayLabel = nullptr;
    QPushButton* reportButton = nullptr;
    qv::PictureBox* tipsPicture = nullptr;
    QPushButton* padlockButton = nullptr;   // opens the password dialog
    QPushButton* lockButton = nullptr;
    QDateEdit* datePicker = nullptr;
    QLabel* monthYearCaption = nullptr;
    QPushButton* findButton = nullptr;
    QFrame* memoButton = nullptr;
    QLabel* memoButtonCaption = nullptr;
    QFrame* memoPanel = nullptr;
    QLabel* memoTitle = nullptr;
    QPushButton* hideMemoButton = nullptr;
    QPushButton* memoUpdateButton = nullptr;   // lies over the memo panel
    qv::ManyLineBox* memoBox = nullptr;   // MemoTextBox on several lines

    QMap<int, qv::ManyLineBox*> m_cells;   // by day number
    bool m_dragging = false;
    QPoint m_dragStart;   // twips, inside the memo panel
};
