#pragma once
// Static help notes: one fixed text each, kept above other windows, closed by
// the title bar's Close command. Each is opened by a picture on the window it
// explains (commissions, commissions paid, appointment manager, retail products).
#include "platform/forms/window.h"

class QLabel;

class QuickTipNote : public qv::Window {
    Q_OBJECT
public:
    QLabel* Label1 = nullptr;

protected:
    QuickTipNote(const QString& name, const QString& title, const QString& text, int widthTwips);
    void formLoad() override;
};

class frmquicktips : public QuickTipNote {
    Q_OBJECT
public:
    frmquicktips();
};

class frmquicktips1 : public QuickTipNote {
    Q_OBJECT
public:
    frmquicktips1();
};

class frmquicktips4 : public QuickTipNote {
    Q_OBJECT
public:
    frmquicktips4();
};

class Form5 : public QuickTipNote {
    Q_OBJECT
public:
    Form5();
};
