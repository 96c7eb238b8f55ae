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
#include <QLabel>
#include <QMap>
#include <QPushButton>

class PictureViewport;
namespace qv {
class DataGrid;
class ManyLineBox;
class RichTextBox;
}

class CustomerWindow : public RecordForm {
    Q_OBJECT
public:
    explicit CustomerWindow(QWidget* parent = nullptr);
    ~CustomerWindow() override;

    // The boxes, by the field each shows.
    enum Box : int {
        NoBox = -1,           // a row of captions without a box
        NameBox = 0,          // CustomerName
        ArtistBox = 1,        // EmployeeID, the salon artist
        ContactNameBox = 2,   // ContactName
        ContactTitleBox = 3,  // ContactTitle
        AddressBox = 4,       // Address
        CityBox = 5,          // City
        StateBox = 6,         // Region
        PostalCodeBox = 7,    // PostalCode
        PhoneBox = 8,         // Phone
        EmailBox = 9,         // Email
        BirthdayBox = 10,     // BirthDay
        CreditTermsBox = 11,  // CreditTerms
        CommentsBox = 12,     // Comments
        CustomerIdBox = 13,   // CustomerID, never typed
        PicturePathBox = 16,  // Image, the path of the client's picture
    };

    // The captions and notes of lblLabels.
    enum Caption : int {
        NameCaption = 0,          // "Customer Name:"
        PhoneReminder = 1,        // "Remember! You must enter a Phone# ..."
        ContactNameCaption = 2,   // "Contact Name:"
        ContactTitleCaption = 3,  // "ContactTitle:"
        AddressCaption = 4,       // "Address:"
        CityCaption = 5,          // "City:"
        StateCaption = 6,         // "State:"
        PostalCodeCaption = 7,    // "PostalCode:"
        PhoneCaption = 8,         // "Phone:"
        ArtistCaption = 9,        // "Salon Artist"
        PictureHint = 10,         // "Insert Picture of your Client below."
        CreditTermsCaption = 11,  // "Credit Terms:"
        CommentsCaption = 12,     // "Comments:"
        EmailCaption = 13,        // "Email:"
        PhoneRequired = 14,       // "Required! *"
        BirthdayCaption = 15,     // "Birthday:"
        CustomerIdCaption = 16,   // "CustomerID:"
        FormulasCaption = 17,     // "Formulas:"
    };

    // The labels in headings; dragging one moves the window.
    enum Heading : int {
        WindowHeading = 0,            // "Customer Database" across the top
        ClientListHeading = 1,        // "Customer Database" over the client grid
        GiftCertificatesCaption = 2,  // "Gift Certificates"
        FindHeading = 11,             // "FIND BY NAME OR PHONE #"
        FindNote = 12,                // how names and numbers are matched
    };

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    DeleteConfirm deleteConfirm() const override { return DeleteConfirm::YesNo; }
    bool recordMayBeSaved() override;
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
    void findByName();
    void findByPhone();
    // Panels.
    void showClientList();
    void hideClientList();
    void showFormulas();
    void hideFormulas();
    // The client's picture.
    void showClientPicture();   // errors passed over
    void insertPicture();
    void deletePicture();
    // Print-outs (client_card.cpp).
    void printClientCard();
    void printFormulas();
    // "Enter": the client into the open ticket (send_to_ticket.cpp).
    void sendClientToTicket();
    // Opened over the appointment book, the window stands where the book's
    // Add and Update stay in sight: "Enter" sends the user to Add first.
    void standClearOfTheBooksButtons();
    void openCustomerReport();   // closes this window first
    void openGiftCertificates();
    // Building the window, the grid, and what the handlers share.
    void buildLayout();
    void connectHandlers();
    void attachGrid();
    void detachGrid();
    // Re-reads the current record after a find and shows its picture.
    void afterFind(const QString& typed);
    // The thirteen caption and value pairs the card prints, as shown now.
    QList<QPair<QString, QString>> cardLines() const;

    // Controls; tests find them by their objectName.
    qv::ManyLineBox* commentsBox = nullptr;   // shows and edits txtfields(CommentsBox) on several lines
    PictureViewport* picture = nullptr;       // the client's picture, by the path in txtfields(PicturePathBox)
    QMap<int, QLabel*> headings;
    QPushButton *findByNameButton = nullptr, *findByPhoneButton = nullptr, *deletePictureButton = nullptr,
                *insertPictureButton = nullptr, *printCardButton = nullptr, *closeClientListButton = nullptr,
                *clientListButton = nullptr, *customerReportButton = nullptr, *giftCertificatesButton = nullptr,
                *sendToTicketButton = nullptr, *formulasButton = nullptr, *closeFormulasButton = nullptr,
                *printFormulasButton = nullptr;
    QLabel *clientListCaption = nullptr, *insertPictureCaption = nullptr, *printCardCaption = nullptr,
           *deletePictureCaption = nullptr, *customerReportCaption = nullptr, *sendToTicketHint = nullptr,
           *formulasHeading = nullptr;
    QWidget *clientListPanel = nullptr, *formulasPanel = nullptr;
    qv::DataGrid* clientGrid = nullptr;
    qv::RichTextBox* formulasBox = nullptr;
};
