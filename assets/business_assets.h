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

class BusinessAssets : public RecordForm {
    Q_OBJECT
public:
    // The record's boxes by the field each shows; the number is the one
    // in the box's objectName ("txtfields_16"). There is no box 15.
    enum Box : int {
        CategoryBox = 0,
        LocationBox = 1,
        ItemNameBox = 2,            // ItemName: the item's name or number
        ItemDescriptionBox = 3,
        ManufacturerBox = 4,
        ModelBox = 5,
        SerialVinBox = 6,
        PurchasePriceBox = 7,       // money
        PurchaseDateBox = 8,
        PurchasedFromBox = 9,
        ReplacementCostBox = 10,    // money
        AppraisedValueBox = 11,     // money
        AppraisalDateBox = 12,
        AppraisedByBox = 13,        // AppriasedBy (so spelled in the table)
        MethodOfPaymentBox = 14,    // MethodofPayment
        PicturePathBox = 16,        // Imagekey: the path of the item's picture
        SiteBox = 17,               // On_OffSite, written by the site list
        SiteAgainBox = 18,          // On_OffSite again, beside the picture
        ZipBox = 19,
        StateBox = 20,
        CityBox = 21,
        AddressBox = 22,
        BusinessNameBox = 23,       // Business_Name
        BusinessNameAgainBox = 24,  // Business_Name again, beside the picture
    };
    // The captions by what they name; the number is the one in the
    // caption's objectName ("lblLabels_22").
    enum Caption : int {
        NoCaption = -1,               // a box without a caption of these
        CategoryCaption = 0,
        LocationCaption = 1,
        ItemNameCaption = 2,          // "ItemID:"
        ItemDescriptionCaption = 3,
        ManufacturerCaption = 4,
        ModelCaption = 5,
        SerialVinCaption = 6,
        PurchasePriceCaption = 7,
        PurchaseDateCaption = 8,
        PurchasedFromCaption = 9,
        ReplacementCostCaption = 10,
        AppraisedValueCaption = 11,
        AppraisalDateCaption = 12,
        AppraisedByCaption = 13,
        MethodOfPaymentCaption = 14,
        NotesCaption = 15,
        PicturePathCaption = 16,      // "Image Location:"
        ZipCaption = 17,
        StateCaption = 18,
        CityCaption = 19,
        AddressCaption = 20,
        BusinessNameCaption = 21,
        BusinessNameHint = 22,        // "Enter a Business name for this record."
        ViewReportCaption = 23,       // "View Report", under the asset report button
        QuickTipsCaption = 24,        // "Click Light for Quick Tips", under the tip-of-the-day button
        FindByItemNameCaption = 25,   // "Find by Item ID:"
    };

    explicit BusinessAssets(QWidget* parent = nullptr);
    ~BusinessAssets() override;

    // The window's rescaling to the screen; tests set the screen size it reads.
    SelfRescaling scaling;
    // The quarter and week text of a day.
    static QString quarterAndWeek(const QDate& day);
    // Which of `count` shown days from the first one are bold: the first day
    // of every week row when the week starts on `firstDayOfWeek` (1 = Sunday).
    static QVector<bool> boldWeekStarts(int firstDayOfWeek, int count);

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formUnload(bool& cancel) override;
    void formActivate() override;
    void formResize() override;
    void formKeyDown(int& keyCode, int shift) override;
    // Update losing the focus, a click on the business panel, a click into a
    // list's own text box.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Record-form handlers where the window differs from the template.
    void addRecord() override;
    void updateRecord() override;
    void cancelRecordChange() override;
    void deleteRecord() override;
    void refreshRecords() override;
    void closeRecordWindow() override;
    void showFirstRecord() override;
    void showLastRecord() override;
    void showNextRecord() override;
    void showPreviousRecord() override;
    void currentRecordChanged() override;
    // The item's picture.
    void reloadPictureAfterSave();
    void showGridRowPicture();
    void insertPicture();
    void deletePicture();
    // Pick lists and their clear buttons.
    void takeCategoryFromList();
    void emptyCategoryWithList();
    void takeLocationFromList();
    void emptyLocationWithList();
    void takeSiteFromList();
    void emptySiteWithList();
    void clearLocation();
    void clearCategory();
    // The month calendar.
    void showQuarterAndWeek();
    void markBoldDays();
    // Print-out, find, reports.
    void printRecord();   // asset_printout.cpp
    void findByItemName();
    void showTotalsReport();
    void showAssetReport();
    // Panels.
    void showBusinessPanel();
    void hideBusinessPanel();
    void focusBusinessName();
    void showGridPanel();
    void hideGridPanel();
    void showCalendar();
    void hideCalendar();
    // Navigation bar.
    void openEmployeeWindow();
    void openCalculatorFromBar();
    void openCustomerWindow();
    void bringAssetsToFront();
    void openAppointmentBook();
    void openVendorBook();
    void openInventoryMaster();
    void openManagementMenu();
    void exitProgram();
    // Tools.
    void openCalculator();
    void openHelp();
    void openPictureBrowser();
    void openTipOfTheDay();
    void startTextEditor();
    void startPaintProgram();
    void startScanningPrograms();
    void visitWebPage();

    void buildLayout();
    void buildBar();
    void buildTools();
    void buildPanels();
    void connectHandlers();
    void attachGrid();
    void detachGrid();
    // The current record's picture, from the path box; never fails.
    void showItemPicture();
    // Starts a program of the system by the name the window asks for.
    void startProgram(const QString& name);
    // Caption and value of every printed line, and whether the value stands
    // ten blanks off its caption.
    struct PrintLine {
        QString caption;
        QString text;
        bool stepped;
    };
    QList<PrintLine> printLines() const;

    // Controls; tests find them by their objectName.
    QLabel *headingLabel = nullptr, *timeLabel = nullptr, *dateLabel = nullptr, *calendarLabel = nullptr,
           *siteLabel = nullptr;
    QComboBox *locationList = nullptr, *categoryList = nullptr, *siteList = nullptr;
    QPushButton *printButton = nullptr, *insertPictureButton = nullptr, *deletePictureButton = nullptr,
                *calculatorButton = nullptr, *closeGridButton = nullptr, *findByItemNameButton = nullptr,
                *scanButton = nullptr, *webPageButton = nullptr, *paintButton = nullptr, *helpButton = nullptr,
                *pictureBrowserButton = nullptr, *clearLocationButton = nullptr, *businessPanelButton = nullptr,
                *clearCategoryButton = nullptr, *viewDatabaseButton = nullptr, *closeBusinessPanelButton = nullptr,
                *customersButton = nullptr, *employeesButton = nullptr, *managementButton = nullptr,
                *appointmentBookButton = nullptr, *totalsReportButton = nullptr, *closeCalendarButton = nullptr,
                *exitProgramButton = nullptr, *vendorsButton = nullptr, *inventoryButton = nullptr,
                *barCalculatorButton = nullptr, *businessAssetsButton = nullptr;
    QPushButton *textEditorButton = nullptr, *calendarButton = nullptr, *tipOfTheDayButton = nullptr,
                *assetReportButton = nullptr;
    QWidget *navigationBar = nullptr, *businessPanel = nullptr, *gridPanel = nullptr;
    qv::DataGrid* assetGrid = nullptr;
    qv::MonthCalendar* calendar = nullptr;
    qv::RichTextBox *notesBox = nullptr, *picturePathCopy = nullptr, *pictureOverlayText = nullptr;
    PictureViewport* picture = nullptr;
};
