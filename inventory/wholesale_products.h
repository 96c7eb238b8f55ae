#pragma once
// The non-retail stock window: the StockControl rows with no selling price
// (Price 0), the items the salon uses up while serving clients. The user
// scrolls to the item used, types the quantity and posts it with Edit and
// Update, which takes it off the stock and recomputes the item's figures.
// After the management password (frmLogin3) a manager may also enter items
// returned to stock and items lost or damaged.
#include "common/record_form.h"
#include <QLabel>
#include <QPushButton>

class QGroupBox;
namespace qv {
class DataGrid;
class ManyLineBox;
class TextBox;
}

class Form10 : public RecordForm {
    Q_OBJECT
public:
    explicit Form10(QWidget* parent = nullptr);
    ~Form10() override;

    void SetButtons(bool flag) override;
    void cmdEdit_Click() override;
    void cmdUpdate_Click() override;    // posts the entry
    void cmdCancel_Click() override;
    void cmdRefresh_Click() override;   // recomputes, saves, reloads
    void cmdClose_Click() override;     // recomputes, saves, reloads, unloads

    void Command1_Click();    // empty quantity and subtotal of the entry, after asking
    void Command19_Click();   // empty returned to stock
    void Command21_Click();   // empty lost or damaged
    void Command6_Click();    // open padlock: the password dialog
    void Command9_Click();    // closed padlock: lock the corrections again

    qv::TextBox* TxtSupplier25 = nullptr;
    qv::DataGrid* DataGrid1 = nullptr;
    qv::ManyLineBox* memoBox = nullptr;   // shows and edits txtfields(6) on several lines
    QLabel *Label1 = nullptr, *Label3 = nullptr;
    QPushButton *Command1 = nullptr, *Command6 = nullptr, *Command9 = nullptr, *Command19 = nullptr,
                *Command21 = nullptr;

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    bool beepAtEnds() const override { return false; }
    void beforeMove() override;
    void formLoad() override;
    void formGotFocus() override;

private:
    void buildLayout();
    void connectHandlers();
    void attachGrid();
    void detachGrid();
    // Update's save: every pending change saved, the row shown again, back to
    // browsing. A save the database refuses is shown and the window stays
    // editing (false), so that no figure is computed on a row that was not saved.
    bool saveAndBrowse();
    // Recompute, then leave the row (which saves it) and read the rows again.
    void recomputeAndReload();
};
