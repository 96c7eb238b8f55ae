#pragma once
// The salon's monthly schedule: one sheet per month in table Calendar, a grid
// of 42 day cells (six weeks, Sunday to Saturday) into which the staff type
// the day numbers and each day's schedule, the month and year, and a memo.
// Nothing here computes dates; the sheet holds what was typed.
//
// The cells, the month boxes and the memo can always be typed into; adding,
// saving, cancelling and re-reading are behind the manager's password
// (frmLogin5 shows those buttons, the lock button hides them again).
#include "common/record_form.h"

#include <QMap>
#include <QPoint>

class QDateEdit;
class QFrame;
class QLabel;
class QPushButton;
namespace qv { class ManyLineBox; class PictureBox; }

class frmCalendar : public RecordForm {
    Q_OBJECT
public:
    frmCalendar();

    // The cell of week row 1..6 and weekday 1 (Sunday) .. 7 (Saturday): its
    // field is day(7 * (row - 1) + weekday).
    qv::ManyLineBox* cell(int row, int weekday) const;
    // The cell showing field dayN, N = 1..42.
    qv::ManyLineBox* dayCell(int day) const;
    // txtfields(index) of a cell: day1..day15 are 0..14, day42 is 15, day16..day41 are 16..41.
    static int boxIndexOfDay(int day);

    QFrame* fraCalendar = nullptr;
    QLabel *lblSunday = nullptr, *lblMonday = nullptr, *lblTuesday = nullptr, *lblWednesday = nullptr,
           *lblThursday = nullptr, *lblFriday = nullptr, *lblSaturday = nullptr;
    QPushButton* Command1 = nullptr;   // Report
    qv::PictureBox* Image3 = nullptr;  // tips
    QPushButton* Command4 = nullptr;   // padlock: the password dialog
    QPushButton* Command9 = nullptr;   // lock
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label1 = nullptr;          // " Month and Year"
    QPushButton* Command2 = nullptr;   // Find
    QFrame* Picture1 = nullptr;        // the memo button
    QLabel* Label4 = nullptr;
    QFrame* Picture2 = nullptr;        // the memo panel
    QLabel* Label2 = nullptr;
    QPushButton* Command5 = nullptr;   // X: hides the memo panel
    QPushButton* Command6 = nullptr;   // Update over the memo panel
    qv::ManyLineBox* memoBox = nullptr;    // shows txtfields(44)

    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void Command9_Click();
    void Command5_Click();
    void Command6_Click();
    void Picture1_Click();
    void Image3_Click();

    void SetButtons(bool flag) override;
    void cmdAdd_Click() override;
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void cmdClose_Click() override;
    void adoPrimaryRS_MoveComplete() override;

    bool isDragging() const { return m_dragging; }

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formUnload(bool& cancel) override;
    void formResize() override;
    void resizeEvent(QResizeEvent* e) override;
    // The record buttons keep their own places in the top strip.
    void layOutButtonBar() override {}
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildTopStrip();
    void buildGrid();
    void buildMemoPanel();
    // Writes what is pending; false when the database refused it.
    void saveAll();

    QMap<int, qv::ManyLineBox*> m_cells;   // by day number
    bool m_dragging = false;
    QPoint m_dragStart;   // twips, inside the memo panel
};
