#pragma once
// Managing appointments: the header of one ticket at a time (number, client,
// phone, artist, date, time, block, total) for browsing, correcting and
// deleting tickets, and for entering the first ticket of an empty book; the
// grid beside it lists every ticket of the same client phone, or every
// ticket after "All Clients".
#include "common/record_form.h"
#include <QLabel>
#include <QPushButton>

namespace qv {
class DataGrid;
class PictureBox;
}

class AppointmentManager : public RecordForm {
    Q_OBJECT
public:
    explicit AppointmentManager(QWidget* parent = nullptr);

    // The ticket header's boxes (txtfields), each named for the field it
    // shows; the number is the box's index ("txtfields_50").
    enum HeaderBox : int {
        ClientPhoneBox = 0,       // CustomerPhone
        ClientNameBox = 1,        // CustomerName
        SalonArtistBox = 2,       // SalonArtist
        AppointmentDateBox = 3,   // DateAppointment
        AppointmentTimeBox = 4,   // TimeAppointment
        TimeBlockBox = 5,         // TimeBlock
        TicketTotalBox = 6,       // Totals
        TicketNumberBox = 50,     // CustomerID
    };

    // Which rows the grid lists.
    enum class GridShows { Nothing, ClientTickets, AllTickets };
    GridShows gridShows() const { return m_gridShows; }

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    DeleteConfirm deleteConfirm() const override { return DeleteConfirm::OkCancel; }
    void formLoad() override;
    void formResize() override {}

private:
    // Record-form handlers where the window differs from the template.
    void setBrowsingButtons(bool flag) override;
    void updateRecord() override;
    void cancelRecordChange() override;
    void deleteRecord() override;
    void refreshRecords() override;
    void currentRecordChanged() override;
    // Finders.
    void findByLastName();
    void findByPhone();
    void findByTicketNumber();
    // The quick tips, opened by the note picture.
    void showTips();
    // Building the window, the grid, and what the finders share.
    void buildLayout();
    void bindGridToChapter();
    void unbindGrid();
    void find(const QString& field, const QString& prompt, const QString& notFound);
    // Before a save: the money boxes' amounts go into the row to the cent.
    void storeMoneyToTheCent();
    bool editing() const { return editingRecord || addingRecord; }

    // Controls; tests find them by their objectName.
    qv::DataGrid* ticketGrid = nullptr;
    QPushButton *findByLastNameButton = nullptr, *findByPhoneButton = nullptr, *findByTicketButton = nullptr;
    qv::PictureBox* tipsPicture = nullptr;

    GridShows m_gridShows = GridShows::Nothing;
};
