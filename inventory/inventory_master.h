#pragma once
// The inventory master: every StockControl row, retail and non-retail, one
// at a time, and the only window that adds and deletes stock rows. Beside the
// boxes a grid lists the rows of the current row's category (or, after
// "View All", every row). Finds by category and by system stock number, a
// vendor list from the Suppliers table that writes the chosen vendor into the
// row, and buttons to the vendor address book and the products-sold window.
#include "common/record_form.h"
#include <QLabel>
#include <QPushButton>

namespace qv {
class DataCombo;
class DataGrid;
class ManyLineBox;
class PictureBox;
}

class Form6a : public RecordForm {
    Q_OBJECT
public:
    explicit Form6a(QWidget* parent = nullptr);

    void cmdAdd_Click() override;
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void cmdDelete_Click() override;
    void cmdRefresh_Click() override;
    void adoPrimaryRS_MoveComplete() override;

    void FillSupplierCombo();    // at load and whenever the vendor list is opened
    void CopySupplierChoice();   // a vendor picked in the list
    void Command1_Click();       // "&View All"
    void Command4_Click();       // find by category
    void Command7_Click();       // find by system stock number
    void Check2_Click();         // the vendor address book
    void Image1_Click();         // the products-sold window

    void txtfields_GotFocus(int index);
    void txtfields_LostFocus(int index);

    // Which rows the grid lists.
    enum class GridShows { Nothing, Category, AllRows };
    GridShows gridShows() const { return m_gridShows; }

    qv::DataGrid* grdDataGrid = nullptr;
    qv::DataCombo* dcboCustomer = nullptr;
    QPushButton *Check2 = nullptr, *Command1 = nullptr, *Command4 = nullptr, *Command7 = nullptr;
    qv::PictureBox* Image1 = nullptr;
    qv::ManyLineBox* memoBox = nullptr;   // shows and edits txtfields(11) on several lines
    QLabel *Label1 = nullptr, *Label2 = nullptr;

    // The connection string the vendor list is read with.
    QString supplierConnectionString() const { return m_plainConnection; }

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formResize() override {}

private:
    void buildLayout();
    void bindGridToChapter();
    void unbindGrid();
    void find(const QString& field, const QString& prompt, const QString& notFound);
    // The control the user sees for a box: the memo shows in its box of several lines.
    QWidget* shownBox(int index) const;

    QString m_plainConnection;
    QMap<int, QLabel*> m_captions;   // the boxes' captions, by box index
    GridShows m_gridShows = GridShows::Nothing;
};
