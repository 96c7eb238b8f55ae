#pragma once
// The service price list: the services the salon offers (table ServiceMenu1)
// and the picker from which they go onto the open appointment book's ticket.
// Four slot buttons post the shown service with the typed quantity into
// service slots 1 to 4 of the ticket; the "X" under each empties its slot
// again. Changing the list itself is management work: the edit buttons stay
// hidden until the password dialog frmLogin4 shows them.
//
// Controls carry their names as objectName ("txtfields_3", "Command9",
// "DataList1"); frmLogin4 finds Command9, Command10, the edit buttons and
// txtfields_0, txtfields_1, txtfields_2 and txtfields_4 by those names.
#include "common/record_form.h"

#include <QLabel>
#include <QPushButton>
#include <array>

class QPlainTextEdit;
namespace qv { class DataList; }

class frmServiceMenu1 : public RecordForm {
    Q_OBJECT
public:
    frmServiceMenu1();

    // Controls.
    qv::DataList* DataList1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr,
                *Command9 = nullptr, *Command10 = nullptr;
    // The Comments box as the user sees it: several lines of the text that
    // txtfields(2) holds for the row. txtfields(2) itself stays hidden; its
    // lock and its text are mirrored here.
    QPlainTextEdit* commentsView = nullptr;

    // Slot k (1 to 4): its "k#" button and the "X" below it.
    QPushButton* slotButton(int slot) const;
    QPushButton* clearButton(int slot) const;

    // The user picks a service in the list.
    void SelectServiceFromList();
    void Command9_Click();    // padlock: the password dialog
    void Command10_Click();   // lock: back to the front desk's view
    // Posting into and clearing of ticket slot 1 to 4.
    void PostService(int slot);
    void ClearSlot(int slot);
    void Command1_Click() { PostService(1); }
    void Command2_Click() { PostService(2); }
    void Command3_Click() { PostService(3); }
    void Command4_Click() { PostService(4); }
    void Command8_Click() { ClearSlot(1); }
    void Command7_Click() { ClearSlot(2); }
    void Command6_Click() { ClearSlot(3); }
    void Command5_Click() { ClearSlot(4); }

    // Where the window differs from the record form.
    void cmdUpdate_Click() override;
    void cmdDelete_Click() override;
    void cmdRefresh_Click() override;
    void cmdFirst_Click() override;
    void cmdLast_Click() override;
    void cmdNext_Click() override;
    void cmdPrevious_Click() override;


protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formGotFocus() override;

private:
    void buildLayout();
    void bindAllBoxes();
    void emptyQuantity();
    // While the list is locked the Service and Price boxes take no typing.
    void lockNameAndPrice();
    void fillList();
    void txtfields_GotFocus(int index);
    void txtfields_LostFocus(int index);

    std::array<QPushButton*, 4> m_slotButtons{};
    std::array<QPushButton*, 4> m_clearButtons{};
};
