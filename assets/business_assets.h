#pragma once
// The register of the business's own assets and equipment (table Business):
// one item per record in bound boxes, all of them in a grid, the item's
// picture by path, three pick lists, a month calendar that tells the quarter
// and week of a day, the record print-out, the two asset reports, a find by
// item name, a bar of links to the program's other main windows and tool
// buttons that start programs of the system. The window rescales itself from
// its 800 x 600 design to the screen.
//
// Controls carry their names as objectName: "txtfields_16", "lblLabels_22",
// "Combo3", "Command13", "PicDest", "DataGrid2", "MonthView1", "rtf3".
#include "common/control_rescaling.h"
#include "common/record_form.h"
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QVector>

class PictureViewport;
namespace qv {
class DataGrid;
class MonthCalendar;
class RichTextBox;
}

class Form2 : public RecordForm {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

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
    void cmdUpdate_LostFocus();

    // The current record's picture, from the path box; never fails.
    void ShowItemPicture();
    void ShowGridRowPicture();

    // Pick lists.
    void Combo3_Click();
    void Combo3_Change();
    void Combo2_Click();
    void Combo2_Change();
    void Combo6_Click();
    void Combo6_Change();

    // Date display.
    void ShowQuarterAndWeek();
    // Which of `count` shown days from the first one are bold: the first day
    // of every week row when the week starts on `firstDayOfWeek` (1 = Sunday).
    static QVector<bool> MonthView1_GetDayBold(int firstDayOfWeek, int count);
    // The quarter and week text of a day.
    static QString quarterAndWeek(const QDate& day);

    // Print-out of the record as shown (asset_printout.cpp).
    void Command1_Click();
    // Caption and value of every printed line, and whether the value stands
    // ten blanks off its caption.
    struct PrintLine {
        QString caption;
        QString text;
        bool stepped;
    };
    QList<PrintLine> printLines() const;

    // Pictures, find, reports.
    void Command2_Click();    // insert a picture
    void Command3_Click();    // delete the picture
    void Command6_Click();    // find by item name
    void Command21_Click();   // totals report
    void Image4_Click();      // asset report

    // Panels.
    void Command13_Click();   // business / address on
    void Command16_Click();   // and off
    void Picture2_Click();
    void Command15_Click();   // grid on
    void Command5_Click();    // grid off
    void Image1_Click();      // calendar on
    void Command22_Click();   // calendar off
    void Command12_Click();   // empties Location
    void Command14_Click();   // empties Category

    // Navigation bar.
    void Command18_Click();   // employees
    void CmdCalulator_Click();
    void Command17_Click();   // customers
    void Cmdtavrine_Click();  // this window
    void Command20_Click();   // appointment book
    void Command24_Click();   // vendors
    void Command25_Click();   // inventory
    void Command19_Click();   // management menu
    void Command23_Click();   // Exit Program

    // Tools.
    void Command4_Click();    // calculator
    void Command10_Click();   // help
    void Command11_Click();   // picture browser
    void Image3_Click();      // tip of the day
    void Picture4_Click();    // text editor
    void Command9_Click();    // paint program
    void Command7_Click();    // scanning programs
    void Command8_Click();    // the web page

    // Scaling.
    SelfRescaling scaling;

    // Controls.
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QComboBox *Combo2 = nullptr, *Combo3 = nullptr, *Combo6 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr,
                *Command9 = nullptr, *Command10 = nullptr, *Command11 = nullptr, *Command12 = nullptr,
                *Command13 = nullptr, *Command14 = nullptr, *Command15 = nullptr, *Command16 = nullptr,
                *Command17 = nullptr, *Command18 = nullptr, *Command19 = nullptr, *Command20 = nullptr,
                *Command21 = nullptr, *Command22 = nullptr, *Command23 = nullptr, *Command24 = nullptr,
                *Command25 = nullptr, *CmdCalulator = nullptr, *Cmdtavrine = nullptr;
    QPushButton *Picture4 = nullptr, *Image1 = nullptr, *Image3 = nullptr, *Image4 = nullptr;
    QWidget *CBLSalon = nullptr, *Picture2 = nullptr, *Picture3 = nullptr;
    qv::DataGrid* DataGrid2 = nullptr;
    qv::MonthCalendar* MonthView1 = nullptr;
    qv::RichTextBox *rtf3 = nullptr, *RichTextBox1 = nullptr, *RichTextBox2 = nullptr;
    PictureViewport* picture = nullptr;

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formUnload(bool& cancel) override;
    void formActivate() override;
    void formResize() override;
    void formKeyDown(int& keyCode, int shift) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildLayout();
    void buildBar();
    void buildTools();
    void buildPanels();
    void connectHandlers();
    void attachGrid();
    void detachGrid();
    void markBoldDays();
    // Starts a program of the system by the name the window asks for.
    void startProgram(const QString& name);
};
