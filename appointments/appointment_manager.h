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

class frmServicemenu3 : public RecordForm {
    Q_OBJECT
public:
    explicit frmServicemenu3(QWidget* parent = nullptr);

    void SetButtons(bool flag) override;
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void cmdDelete_Click() override;
    void cmdRefresh_Click() override;
    void adoPrimaryRS_MoveComplete() override;

    void Command1_Click();    // find by last name
    void Command11_Click();   // find by phone
    void Command6_Click();    // find by ticket number
    void Image1_Click();

    qv::DataGrid* grdDataGrid = nullptr;
    QPushButton *Command1 = nullptr, *Command11 = nullptr, *Command6 = nullptr;
    qv::PictureBox* Image1 = nullptr;

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
    void buildLayout();
    void bindGridToChapter();
    void unbindGrid();
    void find(const QString& field, const QString& prompt, const QString& notFound);
    bool editing() const { return EditFlag || AddNewFlag; }

    GridShows m_gridShows = GridShows::Nothing;
};
