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

class frmmangement : public qv::Window {
    Q_OBJECT
public:
    frmmangement();

    // Above the frames.
    QToolButton* Command31 = nullptr;   // user list
    QToolButton* Command4 = nullptr;    // "Exit Program"
    QToolButton* Command11 = nullptr;   // service statistics

    // Salon.
    QGroupBox* fraSalon = nullptr;
    QToolButton* Command28 = nullptr;   // service price list
    QToolButton* Command9 = nullptr;    // appointment manager
    QToolButton* Command26 = nullptr;   // customers
    QToolButton* Command14 = nullptr;   // schedule calendar
    QToolButton* Command7 = nullptr;    // appointment book, when it holds tickets

    // Reports.
    QGroupBox* fraReports = nullptr;
    QToolButton* Command30 = nullptr;   // report by date
    QToolButton* Command22 = nullptr;   // memo list
    QToolButton* Command21 = nullptr;   // employee commissions
    QToolButton* Command10 = nullptr;   // salon schedule
    QToolButton* Command6 = nullptr;    // inventory
    QToolButton* Command5 = nullptr;    // products and services

    // Inventory.
    QGroupBox* fraInventory = nullptr;
    QToolButton* Command29 = nullptr;   // non-retail products, when there is stock
    QToolButton* Command27 = nullptr;   // retail products, when there is stock
    QToolButton* Command8 = nullptr;    // vendors
    QToolButton* Command3 = nullptr;    // business assets
    QToolButton* Command2 = nullptr;    // stock control

    // Employee.
    QGroupBox* fraEmployee = nullptr;
    QToolButton* Command13 = nullptr;   // employees
    QToolButton* Command16 = nullptr;   // salon statistics
    QToolButton* Command15 = nullptr;   // product statistics
    QToolButton* Command1 = nullptr;    // commissions

    // The toolbar, in its order.
    QFrame* CBLSalon = nullptr;
    QToolButton* Command32 = nullptr;   // "Help"
    QToolButton* Command19 = nullptr;   // the management key
    QToolButton* Command18 = nullptr;   // customers
    QToolButton* CmdCalulator = nullptr;
    QToolButton* Command17 = nullptr;   // employees
    QToolButton* Cmdtavrine = nullptr;  // business assets
    QToolButton* Command20 = nullptr;   // appointment book, always
    QToolButton* Command12 = nullptr;   // schedule calendar
    QToolButton* Command24 = nullptr;   // vendors
    QToolButton* Command25 = nullptr;   // stock control
    QToolButton* Command23 = nullptr;   // "Exit": nothing attached

    void Command4_Click();
    void Command7_Click();
    void Command20_Click();
    void Command27_Click();
    void Command29_Click();
    void Command22_Click();
    void Command21_Click();
    void Command10_Click();
    void Command6_Click();
    void Command5_Click();
    void Command32_Click();
    void Command19_Click();

protected:
    void formLoad() override;

private:
    // Shows the appointment book, then closes the appointment manager and
    // this menu.
    void OpenAppointmentBook();
    void OpenWhenStockHeld(const QString& window);
};
