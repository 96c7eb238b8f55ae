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

class CommissionPayments : public RecordForm {
    Q_OBJECT
public:
    // The boxes by the field each shows, and the captions beside them.
    enum Box : int {
        FirstNameBox = 0,            // FirstName
        LastNameBox = 1,             // LastName
        ProductsCommissionBox = 2,   // CommissionsPaidProducts
        ServiceCommissionBox = 3,    // CommissionsPaid
        DatePaidBox = 4,             // DatePaid
        DateFromBox = 5,             // DateFrom, first day of the pay period
        TotalPaidBox = 6,            // TotalsPaid, always worked out by the window
        DateToBox = 7,               // DateTo, last day of the pay period
    };
    enum Caption : int {
        FirstNameCaption = 0,
        LastNameCaption = 1,
        ProductsCommissionCaption = 2,
        ServiceCommissionCaption = 3,
        DatePaidCaption = 4,
        InstructionsCaption = 5,
        TotalPaidCaption = 6,
        PayPeriodCaption = 7,
        DateToCaption = 8,
    };

    explicit CommissionPayments(QWidget* parent = nullptr);

    // Which payments the grid lists.
    enum class GridShows { Nothing, OwnPayments, AllPayments };
    GridShows gridShows() const { return m_gridShows; }

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    DeleteConfirm deleteConfirm() const override { return DeleteConfirm::OkCancel; }
    void formLoad() override;
    // The two bars keep their own places rather than the template's at the foot.
    void formResize() override {}
    void resizeEvent(QResizeEvent* e) override;
    // The find waits, like the navigation, while a payment is being written.
    void setBrowsingButtons(bool flag) override;

private:
    // Record-form handlers where the window differs from the template.
    void updateRecord() override;
    void cancelRecordChange() override;
    void refreshRecords() override;
    void currentRecordChanged() override;
    // The name lists write the picked name into its box.
    void pickLastName();
    void pickFirstName();
    // The window's own buttons and the tips lamp.
    void subTotal();
    void findByLastName();
    void showQuickTips();
    // A box is white, its text selected, while it has the focus; grey otherwise.
    void boxGotFocus(int index);
    void boxLostFocus(int index);

    void buildLayout();
    void bindNameLists();
    // The total of the two commissions into its box; false when a commission
    // is no amount (the total is then left as it was).
    bool addUpTotal();
    void bindGridToOwnPayments();
    void bindGridToAllPayments();
    void unbindGrid();
    bool editing() const { return editingRecord || addingRecord; }

    // Controls; tests find them by their objectName.
    qv::DataGrid* paymentsGrid = nullptr;
    qv::DataCombo* lastNameList = nullptr;
    qv::DataCombo* firstNameList = nullptr;
    QPushButton* findByLastNameButton = nullptr;
    QPushButton* subTotalButton = nullptr;
    qv::PictureBox* tipsLamp = nullptr;

    // The string the name lists are read with.
    QString nameListConnection;
    GridShows m_gridShows = GridShows::Nothing;
};
