#pragma once
// The vendor address book: the business's suppliers (table Suppliers), one at
// a time in bound boxes with a grid of all of them beneath, and a button that
// starts the system's phone dialer. The inventory master lists the same
// vendors in its vendor list.
#include "common/record_form.h"
#include <QPushButton>

namespace qv { class DataGrid; }

class VendorBook : public RecordForm {
    Q_OBJECT
public:
    explicit VendorBook(QWidget* parent = nullptr);

    // The vendor's boxes (txtfields), each named for the field it shows;
    // the number is the box's index ("txtfields_10"), and that of its caption.
    enum VendorBox : int {
        ContactBox = 1,        // ContactName
        PhoneBox = 2,          // Phone
        AddressBox = 3,        // Address
        CityBox = 4,           // City
        StateBox = 5,          // Region
        ZipBox = 6,            // PostalCode
        FaxBox = 7,            // Fax
        ContactTitleBox = 8,   // ContactTitle
        CountryBox = 9,        // Country
        CompanyNameBox = 10,   // CompanyName
        WebsiteBox = 11,       // HomePage
    };

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formUnload(bool& cancel) override;
    // The status bar keeps its places: the status label stays out of sight.
    void formResize() override {}

private:
    // Record-form handlers.
    void addRecord() override;
    void updateRecord() override;
    void cancelRecordChange() override;
    void deleteRecord() override;
    bool recordMayBeSaved() override;
    // The dialer button.
    void startDialer();

    void buildLayout();
    void bindGrid();
    // The program that stands for the phone dialer.
    static QString dialerProgram() { return QStringLiteral("dialer.exe"); }

    // Controls; tests find them by their objectName.
    qv::DataGrid* vendorGrid = nullptr;
    QPushButton* dialerButton = nullptr;
};
