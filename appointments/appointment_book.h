#pragma once
// The appointment book: one ticket of table Servicemenu at a time (the
// appointment and its sales ticket), the client's other tickets beside it,
// the ticket's money, the receipt, the finders and the buttons that open the
// front desk's other windows.
//
// Other windows write into the current ticket through box(i) / input(i) (or
// the slot accessors) with TextBox::setBoxText, exactly as typing would; the
// values reach the table when the book saves the ticket or moves off it.
// Controls carry their names as objectName: "txtfields_9", "txtinput_0",
// "lblBilling_5", "Command5", "cmdAdd", "DataGrid1".
#include "common/record_form.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
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

class Form3 : public RecordForm {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);
    ~Form3() override;

    // The ticket's boxes by their index (nullptr for an index the book lacks).
    qv::TextBox* box(int index) const { return txtfields.value(index); }
    qv::TextBox* input(int index) const { return txtinput.value(index); }

    struct ServiceSlot { qv::TextBox *name, *price, *quantity; };
    struct ProductSlot { qv::TextBox *stockNumber, *name, *price, *quantity; };
    // Slots are numbered from 1: services 1 to 4, products 1 to 5.
    ServiceSlot serviceSlot(int slot) const;
    ProductSlot productSlot(int slot) const;
    qv::TextBox* serviceTaxPercent() const { return input(0); }
    qv::TextBox* productTaxPercent() const { return input(3); }
    qv::TextBox* clientName() const { return box(8); }
    qv::TextBox* clientPhone() const { return box(0); }
    qv::TextBox* salonArtist() const { return box(1); }
    // A slot is taken when its quantity box reads 1 or more.
    static bool slotOccupied(const qv::TextBox* quantity);
    // The quantity the service menu and the product window post into a slot,
    // read the one way both share: a plain number (digits with at most one
    // "."; blanks around it) of 1 or more. Anything else ("", "0.5", "3abc",
    // "$2") is no quantity. What the ticket and the stock get is this number.
    static std::optional<double> quantityToPost(const QString& typed);

    // The windows that write into the ticket (client, services, products)
    // need the book loaded and on a ticket, a new one being added included:
    // a product booked against stock on no ticket is a sale nobody can find.
    // Otherwise this says so (kNoTicket) and gives nullptr; it never loads
    // the book.
    static Form3* ticketForWriting();
    bool showsTicket() const;
    static const QString kNoTicket;

    // Record-form handlers where the book differs from the template.
    void SetButtons(bool flag) override;
    void cmdAdd_Click() override;
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void cmdDelete_Click() override {}
    void cmdRefresh_Click() override;
    void cmdClose_Click() override;
    void cmdFirst_Click() override;
    void cmdLast_Click() override;
    void cmdNext_Click() override;
    void cmdPrevious_Click() override;
    void adoPrimaryRS_MoveComplete() override;

    // Ticket money (ticket_totals.cpp). False when a priced line was
    // reported without its quantity (the focus is then in that line's
    // quantity box); an error that stops the totals is shown and gives true,
    // as nothing is then reported missing.
    bool CalcTicketTotals();
    void Command5_Click() { CalcTicketTotals(); }
    void Command17_Click();

    // Receipt (receipt.cpp): Cmdprint and Command16.
    void PrintReceipt();
    // The eleven caption and value pairs the receipt prints, as shown now.
    QList<QPair<QString, QString>> receiptLines() const;

    // Finders (ticket_finders.cpp).
    void Command11_Click();   // by phone
    void Command12_Click();   // by client name
    void Command6_Click();    // by ticket number
    void Command7_Click();    // date range
    void Command8_Click();    // clear the range
    QString queryText() const { return m_queryText; }

    // Date, time and the other buttons.
    void Combo_Click(QComboBox* list, qv::TextBox* target);
    void Combo_Change(QComboBox* list, qv::TextBox* target);
    void MonthView1_DateClick(const QDate& day);
    void MonthView1_GetDayBold();
    // Indexes (0 = first shown day) that the calendar shows bold: every
    // Sunday when the week starts on Sunday (startOfWeek 1).
    static QList<int> boldDayIndexes(int count, int startOfWeek);
    void ExitProgram();
    void ShowHelpContents();
    void LoadArtistList();
    void CopyArtistFromList();
    void ClearTenderedAndChange();

    // Controls.
    QMap<int, qv::TextBox*> txtinput;
    QMap<int, QLabel*> lblBilling;
    qv::DataGrid* DataGrid1 = nullptr;
    qv::DataCombo* dcboCustomer = nullptr;
    qv::MonthCalendar* MonthView1 = nullptr;
    QComboBox *Combo1 = nullptr, *Combo3 = nullptr;
    QCheckBox* Check2 = nullptr;
    QLabel *Label2 = nullptr, *Label5 = nullptr, *Label7 = nullptr, *Label10 = nullptr, *Label22 = nullptr,
           *Label49 = nullptr, *Label55 = nullptr, *Label56 = nullptr;
    qv::PictureBox *Image2 = nullptr, *Image9 = nullptr, *Picture13 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr,
                *Command9 = nullptr, *Command10 = nullptr, *Command11 = nullptr, *Command12 = nullptr,
                *Command13 = nullptr, *Command14 = nullptr, *Command15 = nullptr, *Command16 = nullptr,
                *Command17 = nullptr, *Command19 = nullptr, *Command23 = nullptr, *CmdX = nullptr,
                *Cmdprint = nullptr;

    // Which rows the grid lists.
    enum class GridShows { Nothing, ClientHistory, AllTickets, DateRange };
    GridShows gridShows() const { return m_gridShows; }

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formKeyDown(int& keyCode, int shift) override;
    void formUnload(bool& cancel) override;

private:
    void buildLayout();
    void connectHandlers();
    void bindBoxes();
    void bindGridToChapter();
    void bindGridTo(std::shared_ptr<qv::Recordset> rs, GridShows shows);
    void unbindGrid();
    bool editing() const { return EditFlag || AddNewFlag; }
    void countGuardedShow(const QString& windowName);
    void findTicket(const QString& field, const QString& prompt, const QString& notFound);

    QString m_lookupConnection;   // handed to the employee lookup
    QString m_queryText;          // shared by the date find and the count-guarded openers
    std::unique_ptr<qv::Connection> m_searchConnection;
    std::shared_ptr<qv::Recordset> m_searchResult;
    std::shared_ptr<qv::Recordset> m_artists;
    GridShows m_gridShows = GridShows::Nothing;
};
