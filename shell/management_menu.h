#pragma once
// The management menu: picture buttons in four frames and a toolbar, from
// which the manager opens every record window, prints the five management
// reports, gets help and ends the program. It has no title text and no Close
// command; its own buttons are the way out.
#include "platform/forms/window.h"

class QFrame;
class QGroupBox;
class QLabel;
class QToolButton;

class ManagementMenu : public qv::Window {
    Q_OBJECT
public:
    ManagementMenu();

protected:
    void formLoad() override;

private:
    // Leaving: ending the program, or giving way to the appointment book.
    void exitProgram();
    void openAppointmentBookWhenTicketsHeld();
    void openAppointmentBook();
    // Shows the appointment book, then closes the appointment manager and
    // this menu.
    void switchToAppointmentBook();

    // The product windows, opened only when there is stock.
    void openRetailProducts();
    void openNonRetailProducts();
    void openWhenStockHeld(const QString& window);

    // The management reports.
    void printMemoList();
    void printCommissions();
    void printSalonSchedule();
    void printInventory();
    void printProductsAndServices();

    // The toolbar's Help and management key.
    void openHelp();
    void redrawMenu();

    // Controls, grouped by where they sit; tests and other windows find them
    // by their objectName. Above the frames:
    QToolButton* userListButton = nullptr;
    QToolButton* exitProgramButton = nullptr;
    QToolButton* serviceStatsButton = nullptr;

    // The Salon frame.
    QGroupBox* salonFrame = nullptr;
    QToolButton* servicePriceListButton = nullptr;
    QToolButton* appointmentManagerButton = nullptr;
    QToolButton* customersButton = nullptr;
    QToolButton* scheduleCalendarButton = nullptr;
    QToolButton* appointmentBookButton = nullptr;   // when the book holds tickets

    // The Reports frame.
    QGroupBox* reportsFrame = nullptr;
    QToolButton* reportByDateButton = nullptr;
    QToolButton* memoListReportButton = nullptr;
    QToolButton* commissionsReportButton = nullptr;
    QToolButton* salonScheduleReportButton = nullptr;
    QToolButton* inventoryReportButton = nullptr;
    QToolButton* productsServicesReportButton = nullptr;

    // The Inventory frame.
    QGroupBox* inventoryFrame = nullptr;
    QToolButton* nonRetailProductsButton = nullptr;   // when there is stock
    QToolButton* retailProductsButton = nullptr;      // when there is stock
    QToolButton* vendorsButton = nullptr;
    QToolButton* businessAssetsButton = nullptr;
    QToolButton* productInventoryButton = nullptr;

    // The Employee frame.
    QGroupBox* employeeFrame = nullptr;
    QToolButton* employeesButton = nullptr;
    QToolButton* salonStatsButton = nullptr;
    QToolButton* productStatsButton = nullptr;
    QToolButton* commissionsButton = nullptr;

    // The toolbar, in its order.
    QFrame* toolbar = nullptr;
    QToolButton* helpButton = nullptr;
    QToolButton* managementKeyButton = nullptr;
    QToolButton* toolbarCustomersButton = nullptr;
    QToolButton* calculatorButton = nullptr;
    QToolButton* toolbarEmployeesButton = nullptr;
    QToolButton* toolbarBusinessAssetsButton = nullptr;
    QToolButton* toolbarAppointmentBookButton = nullptr;   // whatever the book holds
    QToolButton* toolbarCalendarButton = nullptr;
    QToolButton* toolbarVendorsButton = nullptr;
    QToolButton* toolbarProductInventoryButton = nullptr;
    QToolButton* toolbarExitButton = nullptr;   // "Exit": nothing attached
};
