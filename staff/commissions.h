#pragma once
// Sales totals per artist over a typed range of appointment dates (services,
// products or both), and a one-step calculator that turns the picked
// artist's total and a typed fraction into the commission. Nothing here is
// written to the database; the payments themselves are entered in the
// commission payments window, which this window opens.
#include "common/control_rescaling.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/values/money.h"

#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <memory>


// Currency times currency, as fixed-point money multiplies: four decimals,
// halves to even. Throws qv::Error ("Overflow") beyond the currency range.
qv::Money currencyProduct(qv::Money a, qv::Money b);
// The commission on a total at the rate typed: a fraction (.60) or, above 1,
// a percentage (60). Rounded and bounded as currencyProduct.
qv::Money commissionOn(qv::Money total, qv::Money rate);

class Frmcommissions : public qv::Window {
    Q_OBJECT
public:
    explicit Frmcommissions(QWidget* parent = nullptr);
    ~Frmcommissions() override;

    // Controls.
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr;
    QPushButton *Command5 = nullptr, *Command7 = nullptr, *Command8 = nullptr, *Command11 = nullptr;
    qv::TextBox *txtBegDate = nullptr, *txtEndDate = nullptr;
    QMap<int, qv::TextBox*> txtfields;   // 5 Totals, 7 commission, 10 SalonArtist, 14 fraction
    QMap<int, QLabel*> lblLabels;
    qv::DataGrid* DataGrid5 = nullptr;
    qv::PictureBox* Image3 = nullptr;

    // Window state.
    std::unique_ptr<qv::Connection> db;
    std::shared_ptr<qv::Recordset> adoPrimaryRS;
    SelfRescaling rescaling;

    // Handlers.
    void Command5_Click();   // "Services"
    void Command8_Click();   // "Products"
    void Command7_Click();   // "All Totals"
    void Command11_Click();  // "="
    void Command1_Click();   // "Report Of Commissions"
    void Command2_Click();   // "Enter Commissions"
    void Command3_Click();   // "Close"
    void Image3_Click();

    // A query button's back colour, as the last query left it.
    static QColor backColor(const QPushButton* button);

    // The last statement built (kept until the program ends) and its dates.
    static QString lastStatement();
    static void forgetLastStatement();   // tests start from a fresh run

protected:
    void formLoad() override;
    void formUnload(bool& cancel) override;
    void formActivate() override;
    void showEvent(QShowEvent* e) override;

private:
    enum class Sum { Services, Products, All };
    void buildLayout();
    void runQuery(Sum sum, QPushButton* clicked);
    void openLastStatement();
    void bindBoxes();

    // The rows the load showed in the boxes, kept while they show them.
    std::shared_ptr<qv::Recordset> m_loadResult;
};
