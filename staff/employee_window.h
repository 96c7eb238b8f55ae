#pragma once
// The staff records (table Employees): one employee at a time in bound
// boxes, optionally all of them in a grid, with the employee's photo kept by
// path beside the boxes. Finds by last name and by social security number,
// the employee card on the printer and the employee report. A record is not
// saved without a social security number.
//
// Controls carry their names as objectName: "txtfields_13", "lblLabels_1",
// "Label1_0", "Command4", "bttnFind", "DataGrid1", "Picture1", "PicDest".
#include "common/record_form.h"
#include <QLabel>
#include <QMap>
#include <QPushButton>

class PictureViewport;
namespace qv {
class DataGrid;
}

class frmEmployee : public RecordForm {
    Q_OBJECT
public:
    explicit frmEmployee(QWidget* parent = nullptr);
    ~frmEmployee() override;

    // Record-form handlers where the window differs from the template.
    void cmdAdd_Click() override;
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void cmdDelete_Click() override;
    void cmdRefresh_Click() override;
    void cmdClose_Click() override;
    void cmdFirst_Click() override;
    void cmdLast_Click() override;
    void cmdNext_Click() override;
    void cmdPrevious_Click() override;
    void adoPrimaryRS_MoveComplete() override;

    // Shows the picture named by the path box now; a file that cannot be
    // shown leaves the frame empty and raises qv::Error.
    void RefreshPhoto();

    // Finds.
    void bttnFind_Click();   // by last name
    void Command1_Click();   // by social security number

    // The grid panel.
    void Command6_Click();   // on
    void Command5_Click();   // off

    // The photo.
    void Command3_Click();   // insert through the open-file dialog
    void Command2_Click();   // delete, saved at once

    // The employee card (employee_card.cpp).
    void Command4_Click();
    // The fourteen caption and value pairs the card prints, as shown now.
    QList<QPair<QString, QString>> cardLines() const;

    void Command7_Click();   // employee report (closes this window first)

    // The title strip and the find labels move the window while the mouse is held on them.
    void Label1_MouseDown(const QPoint& at);
    void Label1_MouseMove(const QPoint& at);
    void Label1_MouseUp();

    // Controls.
    QMap<int, QLabel*> Label1;
    QPushButton *bttnFind = nullptr, *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr,
                *Command4 = nullptr, *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr;
    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr,
           *Label7 = nullptr;
    QWidget* Picture1 = nullptr;
    qv::DataGrid* DataGrid1 = nullptr;
    PictureViewport* picture = nullptr;

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formUnload(bool& cancel) override;

private:
    void buildLayout();
    void connectHandlers();
    void attachGrid();
    void detachGrid();
    // RefreshPhoto with a picture that cannot be shown passed over.
    void showPhotoQuietly();
    // Re-reads the current record after a find and shows its photo.
    void afterFind(const QString& typed);

    bool m_dragging = false;
    QPoint m_dragFrom;
};
