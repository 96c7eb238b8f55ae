#pragma once
// The appointment book: one ticket of table Servicemenu at a time (the
// appointment and its sales ticket), the client's other tickets beside it,
// the ticket's money, the receipt, the finders and the buttons that open the
// front desk's other windows.
//
// Other windows reach the current ticket through ticketForWriting() and
// write into it through the boxes it hands out for them: the client window
// into clientName(), clientPhone() and salonArtist(), the service price list
// into serviceSlot() and serviceTaxPercent(), the product window into
// productSlot() and productTaxPercent(). They write with TextBox::setBoxText,
// exactly as typing would; the values reach the table when the book saves
// the ticket or moves off it.
//
// Controls carry their names as objectName: "txtfields_9", "txtinput_0",
// "lblBilling_5", "Command5", "cmdAdd", "DataGrid1".
#include "common/record_form.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <memory>
#include <optional>

namespace qv {
class Connection;
class DataCombo;
class DataGrid;
class MonthCalendar;
class PictureBox;
class Recordset;
class TextBox;
}

class AppointmentBook : public RecordForm {
    Q_OBJECT
public:
    explicit AppointmentBook(QWidget* parent = nullptr);
    ~AppointmentBook() override;

    // The ticket's boxes (txtfields), each named for the field it shows;
    // the number is the box's index, which its objectName carries
    // ("txtfields_50").
    enum TicketBox : int {
        // The appointment.
        TicketNumberBox = 50,          // CustomerID
        ClientNameBox = 8,             // CustomerName
        ClientPhoneBox = 0,            // CustomerPhone
        SalonArtistBox = 1,            // SalonArtist
        AppointmentDateBox = 5,        // DateAppointment
        AppointmentTimeBox = 6,        // TimeAppointment
        TimeBlockBox = 38,             // TimeBlock
        MemoBox = 19,                  // Memo
        // Service slots 1 to 4: name, price, quantity.
        Service1NameBox = 7,           // Service
        Service1PriceBox = 34,         // ServicePrice1
        Service1QuantityBox = 31,      // QuantityService1
        Service2NameBox = 28,          // Service1
        Service2PriceBox = 35,         // ServicePrice2
        Service2QuantityBox = 32,      // QuantityService2
        Service3NameBox = 29,          // Service2
        Service3PriceBox = 36,         // ServicePrice3
        Service3QuantityBox = 25,      // QuantityService3
        Service4NameBox = 30,          // Service3
        Service4PriceBox = 37,         // ServicePrice4
        Service4QuantityBox = 33,      // QuantityService4
        // Product slots 1 to 5: stock number, name, price, quantity.
        Product1StockNumberBox = 40,   // SystemStockNumber
        Product1NameBox = 3,           // ProductsSold
        Product1PriceBox = 11,         // ProductsPrice
        Product1QuantityBox = 16,      // Quantity
        Product2StockNumberBox = 41,   // SystemStockNumber1
        Product2NameBox = 10,          // ProductsSold1
        Product2PriceBox = 12,         // ProductsPrice1
        Product2QuantityBox = 20,      // Quantity1
        Product3StockNumberBox = 42,   // SystemStockNumber2
        Product3NameBox = 18,          // ProductsSold2
        Product3PriceBox = 15,         // ProductsPrice2
        Product3QuantityBox = 21,      // Quantity2
        Product4StockNumberBox = 43,   // SystemStockNumber3
        Product4NameBox = 13,          // ProductsSold3
        Product4PriceBox = 17,         // ProductsPrice3
        Product4QuantityBox = 22,      // Quantity3
        Product5StockNumberBox = 44,   // SystemStockNumber4
        Product5NameBox = 14,          // ProductsSold4
        Product5PriceBox = 26,         // ProductsPrice4
        Product5QuantityBox = 24,      // Quantity4
        // The ticket's money.
        ServiceTotalsBox = 9,          // Price
        ServiceTaxBox = 27,            // TaxTotals
        ProductSalesBox = 4,           // ProductSales
        ProductSalesPlainBox = 23,     // ProductSales, without the dollar sign
        ProductTaxBox = 39,            // TaxTotals1
        TicketTotalBox = 2,            // Totals
        // The tender row and the date find; only the first is stored.
        TenderTotalBox = 47,           // Totals
        TenderedBox = 46,
        ChangeBox = 45,
        RangeFromBox = 48,
        RangeToBox = 49,
    };

    // The four tax boxes (txtinput), by the field each shows.
    enum TaxBox : int {
        ServiceTaxPercentBox = 0,   // TaxPercent
        ServicesWithTaxBox = 1,     // Taxamount
        ProductsWithTaxBox = 2,     // taxamount1
        ProductTaxPercentBox = 3,   // taxpercent1
    };

    // The captions of the tax boxes and tax amounts (lblBilling).
    enum BillingCaption : int {
        ServiceTaxPercentCaption = 0,
        ServicesWithTaxCaption = 1,
        ProductsWithTaxCaption = 2,
        ProductTaxPercentCaption = 3,
        ProductTaxCaption = 4,
        ServiceTaxCaption = 5,
    };

    // Which rows the grid lists.
    enum class GridShows { Nothing, ClientHistory, AllTickets, DateRange };

    struct ServiceSlot { qv::TextBox *name, *price, *quantity; };
    struct ProductSlot { qv::TextBox *stockNumber, *name, *price, *quantity; };

    // The windows that write into the ticket (client, services, products)
    // need the book loaded and on a ticket, a new one being added included:
    // a product booked against stock on no ticket is a sale nobody can find.
    // Otherwise this says so (kNoTicket) and gives nullptr; it never loads
    // the book.
    static AppointmentBook* ticketForWriting();
    static const QString kNoTicket;
    // The client window writes the client into these.
    qv::TextBox* clientName() const { return box(ClientNameBox); }
    qv::TextBox* clientPhone() const { return box(ClientPhoneBox); }
    qv::TextBox* salonArtist() const { return box(SalonArtistBox); }
    // Slots are numbered from 1: services 1 to 4, products 1 to 5.
    ServiceSlot serviceSlot(int slot) const;
    ProductSlot productSlot(int slot) const;
    qv::TextBox* serviceTaxPercent() const { return taxBox(ServiceTaxPercentBox); }
    qv::TextBox* productTaxPercent() const { return taxBox(ProductTaxPercentBox); }
    // A slot is taken when its quantity box reads 1 or more.
    static bool slotOccupied(const qv::TextBox* quantity);
    // The quantity the service menu and the product window post into a slot,
    // read the one way both share: a plain number (digits with at most one
    // "."; blanks around it) of 1 or more. Anything else ("", "0.5", "3abc",
    // "$2") is no quantity. What the ticket and the stock get is this number.
    static std::optional<double> quantityToPost(const QString& typed);
    // The price list and the product window call this after writing or
    // emptying a line. A ticket being browsed is stored as it stands when
    // the book moves off it, with no Update to compute its money: its totals
    // are computed at once, so that what is stored charges what it lists. A
    // ticket being added or edited gets them at Update, as ever.
    void ticketLinesChanged();
    // The product window books the stock of a line the moment it writes it.
    // For a ticket being added or edited it hands over here how to give
    // that stock back: should the ticket be dropped (Cancel, or the book
    // closed before Update) the sale goes back to stock, as nobody could
    // find it on a ticket; Update keeps it.
    void onTicketDropped(std::function<void()> giveBack);
    // The ticket's boxes by what they show (nullptr for a box the book lacks).
    qv::TextBox* box(int index) const { return fieldBoxes.value(index); }
    qv::TextBox* taxBox(int index) const { return taxBoxes.value(index); }
    GridShows gridShows() const { return m_gridShows; }
    // The last query of the date find or of a count-guarded opener.
    QString queryText() const { return m_queryText; }
    // Indexes (0 = first shown day) that the calendar shows bold: every
    // Sunday when the week starts on Sunday (startOfWeek 1).
    static QList<int> boldDayIndexes(int count, int startOfWeek);

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formKeyDown(int& keyCode, int shift) override;

private:
    // Record-form handlers where the book differs from the template.
    void setBrowsingButtons(bool flag) override;
    void addRecord() override;
    void updateRecord() override;
    void cancelRecordChange() override;
    void deleteRecord() override {}
    void refreshRecords() override;
    void closeRecordWindow() override;
    void showFirstRecord() override;
    void showLastRecord() override;
    void showNextRecord() override;
    void showPreviousRecord() override;
    void currentRecordChanged() override;
    // Ticket money (ticket_totals.cpp). False when a priced line was
    // reported without its quantity (the focus is then in that line's
    // quantity box); an error that stops the totals is shown and gives true,
    // as nothing is then reported missing.
    bool computeTicketTotals();
    // Whenever the ticket is stored (Update, a move, a find, closing), its
    // money is put into the row from the lines being stored, as Subtotal
    // works it out: a price typed while only looking at a ticket must not
    // leave it stored with the totals of the old one.
    void storeTicketTotals();
    bool m_totalsBeingShown = false;   // Subtotal shows and stores them itself
    void subtotal() { computeTicketTotals(); }
    void computeChange();
    // Receipt (receipt.cpp), printed by either print button.
    void printReceipt();
    // Finders (ticket_finders.cpp).
    void findByPhone();
    void findByClientName();
    void findByTicketNumber();
    void findDateRange();
    void clearDateRange();
    // Date, time and the other buttons.
    void takeTimeFromList(QComboBox* list, qv::TextBox* target);
    void timeListEdited(QComboBox* list, qv::TextBox* target);
    void takeDateFromCalendar(const QDate& day);
    void boldSundays();
    void exitProgram();
    void showHelpContents();
    void loadArtistList();
    void copyArtistFromList();
    void clearTenderedAndChange();
    // Building the window, binding it, and what the handlers share.
    void buildLayout();
    void connectHandlers();
    void bindBoxes();
    // The grid lists the client history (the chapter of the ticket shown),
    // the given rows, or nothing.
    void bindGridToChapter();
    void bindGridTo(std::shared_ptr<qv::Recordset> rs, GridShows shows);
    void unbindGrid();
    bool editing() const { return editingRecord || addingRecord; }
    // On a ticket, a new one being added included.
    bool showsTicket() const;
    // Opens the named window only when table StockControl has rows.
    void countGuardedShow(const QString& windowName);
    // Jumps to the first ticket whose field contains the text asked for.
    void findTicket(const QString& field, const QString& prompt, const QString& notFound);
    // The eleven caption and value pairs the receipt prints, as shown now.
    QList<QPair<QString, QString>> receiptLines() const;

    // Controls; tests find them by their objectName.
    QMap<int, qv::TextBox*> taxBoxes;
    QMap<int, QLabel*> billingCaptions;
    qv::DataGrid* ticketGrid = nullptr;
    qv::DataCombo* artistList = nullptr;
    qv::MonthCalendar* appointmentCalendar = nullptr;
    QComboBox *blockList = nullptr, *timeList = nullptr;
    QCheckBox* newClientCheck = nullptr;
    QLabel *tenderTotalsLabel = nullptr, *ticketTotalLabel = nullptr, *productSalesLabel = nullptr,
           *serviceTotalsLabel = nullptr, *dateFormatHint = nullptr, *dateRangeLabel = nullptr, *changeLabel = nullptr,
           *tenderedLabel = nullptr;
    qv::PictureBox *calendarPicture = nullptr, *tipsPicture = nullptr, *nonRetailPicture = nullptr;
    QPushButton *aboutButton = nullptr, *calculatorButton = nullptr, *customersButton = nullptr,
                *appointmentsByDateButton = nullptr, *subtotalButton = nullptr, *findByTicketButton = nullptr,
                *findDateRangeButton = nullptr, *clearDateRangeButton = nullptr, *calendarButton = nullptr,
                *managementButton = nullptr, *findByPhoneButton = nullptr, *findByNameButton = nullptr,
                *scheduleButton = nullptr, *productMenuButton = nullptr, *serviceMenuButton = nullptr,
                *tenderReceiptButton = nullptr, *changeButton = nullptr, *helpButton = nullptr, *exitButton = nullptr,
                *closeCalendarButton = nullptr, *printReceiptButton = nullptr;

    QString m_lookupConnection;   // handed to the employee lookup
    QString m_queryText;          // shared by the date find and the count-guarded openers
    std::unique_ptr<qv::Connection> m_searchConnection;
    std::shared_ptr<qv::Recordset> m_searchResult;
    std::shared_ptr<qv::Recordset> m_artists;
    GridShows m_gridShows = GridShows::Nothing;
    // What goes back to stock should the ticket being added or edited be dropped.
    QList<std::function<void()>> m_giveBackOnDrop;
    void giveBackDroppedSales();
};
