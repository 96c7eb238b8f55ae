#pragma once
// The vendor address book: the business's suppliers (table Suppliers), one at
// a time in bound boxes with a grid of all of them beneath, and a button that
// starts the system's phone dialer. The inventory master lists the same
// vendors in its vendor list.
#include "common/record_form.h"
#include <QPushButton>

namespace qv { class DataGrid; }

class Frmdatabase : public RecordForm {
    Q_OBJECT
public:
    explicit Frmdatabase(QWidget* parent = nullptr);

    void cmdAdd_Click() override;
    void cmdUpdate_Click() override;
    void cmdCancel_Click() override;
    void cmdDelete_Click() override;

    void Command1_Click();   // the phone dialer

    // The program that stands for the phone dialer.
    static QString dialerProgram() { return QStringLiteral("dialer.exe"); }

    qv::DataGrid* DataGrid1 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    QString connectionString() const override;
    QString recordSource() const override;
    void formLoad() override;
    void formUnload(bool& cancel) override;
    void formResize() override {}

private:
    void buildLayout();
    void bindGrid();
};
