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

class ServicePriceList : public RecordForm {
    Q_OBJECT
public:
    ServicePriceList();

    // Update of a service whose name is empty.
    static const QString kNoServiceName;

    // The boxes, by the field each shows.
    enum Box : int {
        ServiceBox = 0,     // Service
        PriceBox = 1,       // Price
        CommentsBox = 2,    // Discount, which holds the comments; shown in commentsView
        QuantityBox = 3,    // Quantity, typed only to be posted onto a ticket
        TaxPercentBox = 4,  // Taxpercent
    };

    // The captions of lblLabels.
    enum Caption : int {
        ServiceCaption = 0,     // "Service:"
        PriceCaption = 1,       // "Price:"
        CommentsCaption = 2,    // "Comments:"
        TaxPercentCaption = 3,  // "Tax %"
        QuantityCaption = 4,    // "Quantity:"
        EditCaption = 15,       // "EDIT"
    };

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formGotFocus() override;

private:
    // Record-form handlers where the window differs from the template.
    void updateRecord() override;
    void deleteRecord() override;
    void refreshRecords() override;
    void showFirstRecord() override;
    void showLastRecord() override;
    void showNextRecord() override;
    void showPreviousRecord() override;
    // The user picks a service in the list.
    void selectPickedService();
    // Posting into and clearing of ticket slot 1 to 4.
    void postService(int slot);
    void clearSlot(int slot);
    // The locks of the list.
    void askManagerPassword();
    void lockList();   // back to the front desk's view
    // Building the window, binding the boxes, and what the handlers share.
    void buildLayout();
    void fillList();
    void emptyQuantity();
    // While the list is locked the Service and Price boxes take no typing.
    void lockNameAndPrice();
    void highlightBox(int index);
    void dimBox(int index);
    // Slot k (1 to 4): its "k#" button and the "X" below it.
    QPushButton* slotButton(int slot) const;
    QPushButton* clearButton(int slot) const;

    // Controls; tests and the password dialog find them by their objectName.
    qv::DataList* serviceList = nullptr;
    QLabel *newItemsHint = nullptr, *instructions = nullptr, *heading = nullptr;
    QPushButton *unlockButton = nullptr, *lockButton = nullptr;
    // The slot buttons ("1#" to "4#") and their "X"s, by slot.
    std::array<QPushButton*, 4> m_slotButtons{};
    std::array<QPushButton*, 4> m_clearButtons{};
    // The Comments box as the user sees it: several lines of the text that
    // txtfields(CommentsBox) holds for the row. txtfields(CommentsBox) itself
    // stays hidden; its lock and its text are mirrored here.
    QPlainTextEdit* commentsView = nullptr;
};
