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

class EmployeeWindow : public RecordForm {
    Q_OBJECT
public:
    // The boxes by the field each shows.
    enum Box : int {
        EmployeeIdBox = 0,         // EmployeeID
        LastNameBox = 1,           // LastName
        FirstNameBox = 2,          // FirstName
        AddressBox = 3,            // Address
        CityBox = 4,               // City
        StateBox = 5,              // Region
        ZipCodeBox = 6,            // PostalCode
        PhoneBox = 7,              // HomePhone
        ExtensionBox = 8,          // Extension
        BirthDateBox = 9,          // BirthDate
        HireDateBox = 10,          // HireDate
        TitleBox = 11,             // Title
        ReportsToBox = 12,         // ReportsTo
        SocialSecurityBox = 13,    // EmployeeSS
        NotesBox = 14,             // Notes
        TerminationDateBox = 15,   // TerminationDate
        PhotoPathBox = 16,         // Photo
    };
    // The captions that belong to no box of their own number: a box's caption
    // is the one numbered one above it, but the employee number's.
    enum Caption : int { EmployeeIdCaption = 0, ReminderCaption = 1, PhotoCaption = 17 };
    // The labels by which the window is moved.
    enum DragLabel : int { TitleStrip = 0, FindCaption = 11, FindNote = 12 };

    explicit EmployeeWindow(QWidget* parent = nullptr);
    ~EmployeeWindow() override;

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formUnload(bool& cancel) override;

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
    // Finds.
    void findByLastName();
    void findBySocialSecurityNumber();
    // The grid panel.
    void showGridPanel();
    void hideGridPanel();
    // The photo.
    void insertPhoto();   // through the open-file dialog
    void deletePhoto();   // saved at once
    // Print-outs: the employee card (employee_card.cpp) and the report.
    void printEmployeeCard();
    void showEmployeeReport();   // closes this window first

    void buildLayout();
    void connectHandlers();
    void attachGrid();
    void detachGrid();
    // Shows the picture named by the path box now; a file that cannot be
    // shown leaves the frame empty and raises qv::Error.
    void refreshPhoto();
    // refreshPhoto with a picture that cannot be shown passed over.
    void showPhotoQuietly();
    // Re-reads the current record after a find and shows its photo.
    void afterFind(const QString& typed);
    // The fourteen caption and value pairs the card prints, as shown now.
    QList<QPair<QString, QString>> cardLines() const;

    // Controls; tests find them by their objectName.
    QMap<int, QLabel*> dragLabels;   // by DragLabel
    QPushButton *findByLastNameButton = nullptr, *findBySocialSecurityButton = nullptr, *deletePhotoButton = nullptr,
                *insertPhotoButton = nullptr, *printCardButton = nullptr, *hideGridButton = nullptr,
                *showGridButton = nullptr, *reportButton = nullptr;
    QLabel *databaseCaption = nullptr, *pictureCaption = nullptr, *printCaption = nullptr, *deleteCaption = nullptr,
           *reportCaption = nullptr, *requiredMark = nullptr;
    QWidget* gridPanel = nullptr;
    qv::DataGrid* employeeGrid = nullptr;
    PictureViewport* picture = nullptr;
};
