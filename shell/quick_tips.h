#pragma once
// Static help notes: one fixed text each, kept above other windows, closed by
// the title bar's Close command. Each is opened by a picture on the window it
// explains (commissions, commissions paid, appointment manager, retail products).
#include "platform/forms/window.h"

class QLabel;

class QuickTipNote : public qv::Window {
    Q_OBJECT
protected:
    // The window's title and text; its height is what the text needs
    // at the given width.
    QuickTipNote(const QString& title, const QString& text, int widthTwips);
    void formLoad() override;

private:
    // Controls; tests and other windows find them by their objectName.
    QLabel* noteText = nullptr;
};

class CommissionsQuickTips : public QuickTipNote {
    Q_OBJECT
public:
    CommissionsQuickTips();
};

class RetailProductsQuickTips : public QuickTipNote {
    Q_OBJECT
public:
    RetailProductsQuickTips();
};

class CommissionPaymentsQuickTips : public QuickTipNote {
    Q_OBJECT
public:
    CommissionPaymentsQuickTips();
};

class AppointmentManagerQuickTips : public QuickTipNote {
    Q_OBJECT
public:
    AppointmentManagerQuickTips();
};
