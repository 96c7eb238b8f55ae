#pragma once
// The front desk's retail product window: the retail rows of StockControl
// (Price above 0), one product at a time, with a grid of all of them. A
// product goes onto one of the five product slots of the appointment book's
// current ticket with the quantity typed, and its stock figures are booked at
// once. After the management password (frmLogin2) a manager may empty ticket
// slots and enter returned and lost amounts.
#include "common/record_form.h"
#include <QLabel>
#include <QPushButton>

class QGroupBox;
namespace qv {
class DataGrid;
class ManyLineBox;
class PictureBox;
class TextBox;
}

class FormProductsA : public RecordForm {
    Q_OBJECT
public:
    explicit FormProductsA(QWidget* parent = nullptr);
    ~FormProductsA() override;

    // Slot buttons, slot 1 to 5: "1#", "#2", "#3", "#4", "#5".
    QPushButton* slotButton(int slot) const;
    // Manager-mode buttons that empty ticket slot 1 to 5.
    QPushButton* slotClearButton(int slot) const;

    void SetButtons(bool flag) override;
    void cmdEdit_Click() override;
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void cmdRefresh_Click() override;
    void cmdClose_Click() override;

    // Sends the current product into ticket slot 1 to 5.
    void PostToSlot(int slot);
    void Command16_Click() { PostToSlot(1); }
    void Command17_Click() { PostToSlot(2); }
    void Command18_Click() { PostToSlot(3); }
    void Command15_Click() { PostToSlot(4); }
    void Command14_Click() { PostToSlot(5); }
    // Manager mode: empties ticket slot 1 to 5 (stock figures stay).
    void ClearSlot(int slot);

    void Command7_Click();    // find by category
    void Command8_Click();    // find by stock number
    void Command3_Click();    // entry subtotal "="
    void Command1_Click();    // clear quantity and subtotal of the entry
    void Command19_Click();   // clear returned
    void Command21_Click();   // clear lost
    void Command4_Click();    // open padlock: the password dialog
    void Command9_Click();    // closed padlock: leave manager mode

    qv::TextBox* TxtSupplier25 = nullptr;
    qv::DataGrid* DataGrid1 = nullptr;
    qv::ManyLineBox* memoBox = nullptr;   // shows and edits txtfields(6) on several lines
    QLabel *Label1 = nullptr, *Label9 = nullptr;
    QGroupBox* Frame1 = nullptr;
    qv::PictureBox* Image3 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr,
                *Command9 = nullptr, *Command12 = nullptr, *Command13 = nullptr, *Command14 = nullptr,
                *Command15 = nullptr, *Command16 = nullptr, *Command17 = nullptr, *Command18 = nullptr,
                *Command19 = nullptr, *Command21 = nullptr;

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    bool beepAtEnds() const override { return false; }
    void beforeMove() override;
    void formLoad() override;

private:
    void buildLayout();
    void connectHandlers();
    void attachGrid();
    void detachGrid();
    // Update's save: the grid attached, every pending change saved, the row
    // shown again, back to browsing. A save the database refuses is shown and
    // the window stays as it was (false), so a lost change never looks saved.
    bool saveAndBrowse();
    // Posts the steps, then leaves the row (which saves it) and reads the rows again.
    void postAndReload(unsigned steps);
    void findProduct(const QString& field, const QString& prompt, const QString& notFound);
};
