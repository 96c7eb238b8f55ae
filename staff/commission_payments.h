#pragma once
// The commission payments made to employees, one record per payment: names,
// the service and product commissions, the day paid, the pay period and the
// total paid, which the window always works out itself. The grid lists the
// payments of the shown employee (same last name) or, after "All Emp" or a
// find, every payment. Two lists of the employees fill in the names.
#include "common/record_form.h"

#include <QLabel>
#include <QPushButton>

namespace qv {
class DataCombo;
class DataGrid;
class PictureBox;
}

class frmtest1 : public RecordForm {
    Q_OBJECT
public:
    explicit frmtest1(QWidget* parent = nullptr);

    qv::DataGrid* grdDataGrid = nullptr;
    qv::DataCombo* dcboCustomer = nullptr;   // last names
    qv::DataCombo* DataCombo1 = nullptr;     // first names
    QPushButton* Command1 = nullptr;         // find by last name
    QPushButton* Command2 = nullptr;         // "SubTotal"
    qv::PictureBox* Image3 = nullptr;

    // The string the name lists are read with.
    QString nameListConnection;

    void BindNameCombos();
    void dcboCustomer_Click();
    void DataCombo1_Click();
    void Command2_Click();
    void Command1_Click();
    void Image3_Click();
    void txtfields_GotFocus(int index);
    void txtfields_LostFocus(int index);

    void SetButtons(bool flag) override;
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void cmdRefresh_Click() override;
    void adoPrimaryRS_MoveComplete() override;

    // Which payments the grid lists.
    enum class GridShows { Nothing, OwnPayments, AllPayments };
    GridShows gridShows() const { return m_gridShows; }

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    DeleteConfirm deleteConfirm() const override { return DeleteConfirm::OkCancel; }
    void formLoad() override;
    void formResize() override {}
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildLayout();
    // The total of the two commissions into its box; false when a commission
    // is no amount (the total is then left as it was).
    bool addUpTotal();
    void bindGridToOwnPayments();
    void bindGridToAllPayments();
    void unbindGrid();
    bool editing() const { return EditFlag || AddNewFlag; }

    GridShows m_gridShows = GridShows::Nothing;
};
