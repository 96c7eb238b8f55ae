#pragma once
// The client records (table Customers): name, phone, address lines, artist,
// birthday, the client's picture by path and the hair-colour formulas as rich
// text. Around the record: finds by name and by phone, a grid of all clients,
// the formulas panel, the client card and formulas print-outs, the customer
// report, the gift certificates and "Enter", which copies the client into the
// open ticket of the appointment book.
//
// Controls carry their names as objectName: "txtfields_8", "lblLabels_17",
// "Label1_0", "Command9", "bttnFind", "rtf3", "DataGrid1", "Picture1".
#include "common/record_form.h"
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QPushButton>

class PictureViewport;
class QScrollBar;
namespace qv {
class DataGrid;
class ManyLineBox;
class PictureBox;
class RichTextBox;
}

class frmCustomers : public RecordForm {
    Q_OBJECT
public:
    explicit frmCustomers(QWidget* parent = nullptr);
    ~frmCustomers() override;

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

    // Finds.
    void bttnFind_Click();   // by name
    void Command1_Click();   // by phone

    // Panels.
    void Command6_Click();   // grid panel on
    void Command5_Click();   // grid panel off
    void Command10_Click();  // formulas panel on
    void Command11_Click();  // formulas panel off

    // The client's picture.
    void ShowPicture();      // errors passed over
    void Command3_Click();   // insert
    void Command2_Click();   // delete

    // Print-outs (client_card.cpp).
    void Command4_Click();   // client card
    void Command12_Click();  // formulas alone
    // The thirteen caption and value pairs the card prints, as shown now.
    QList<QPair<QString, QString>> cardLines() const;

    // "Enter": the client into the open ticket (send_to_ticket.cpp).
    void Command9_Click();

    void Command7_Click();   // customer report (closes this window first)
    void Command8_Click();   // gift certificates

    // The title labels move the window while the mouse is held on them.
    void Label1_MouseDown(const QPoint& at);
    void Label1_MouseMove(const QPoint& at);
    void Label1_MouseUp();

    // Controls.
    QMap<int, QLabel*> Label1;
    QPushButton *bttnFind = nullptr, *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr,
                *Command4 = nullptr, *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr,
                *Command8 = nullptr, *Command9 = nullptr, *Command10 = nullptr, *Command11 = nullptr,
                *Command12 = nullptr;
    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr,
           *Label7 = nullptr, *Label9 = nullptr;
    QWidget *Picture1 = nullptr, *Picture2 = nullptr;
    qv::DataGrid* DataGrid1 = nullptr;
    qv::RichTextBox* rtf3 = nullptr;
    qv::ManyLineBox* commentsBox = nullptr;   // shows and edits txtfields(12) on several lines
    PictureViewport* picture = nullptr;

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    DeleteConfirm deleteConfirm() const override { return DeleteConfirm::YesNo; }
    void formLoad() override;
    void formUnload(bool& cancel) override;

private:
    void buildLayout();
    void connectHandlers();
    void attachGrid();
    void detachGrid();
    // Re-reads the current record after a find and shows its picture.
    void afterFind(const QString& typed);

    bool m_dragging = false;
    QPoint m_dragFrom;
};
