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
#include <optional>

// Currency times currency, as fixed-point money multiplies: four decimals,
// halves to even. Throws qv::Error ("Overflow") beyond the currency range.
qv::Money currencyProduct(qv::Money a, qv::Money b);
// The commission on a total at the rate typed: a fraction (.60) or, above 1,
// a percentage (60). Rounded and bounded as currencyProduct.
qv::Money commissionOn(qv::Money total, qv::Money rate);
// The commission on a total at a rate as typed: "65%" is 65 %, ".65" and
// "65" as commissionOn reads them; nothing when the rate cannot be read or
// lies below zero.
std::optional<qv::Money> commissionFor(qv::Money total, const QString& rateText);

class Commissions : public qv::Window {
    Q_OBJECT
public:
    // The boxes by what each shows, and the one numbered caption.
    enum Box : int {
        TotalsBox = 5,        // Totals of the artist picked
        CommissionBox = 7,    // the commission "=" works out (names CommissionsPaid, which no sum yields)
        ArtistBox = 10,       // SalonArtist
        PercentageBox = 14,   // the percentage typed; no field
    };
    enum Caption : int { TipsCaption = 24 };

    explicit Commissions(QWidget* parent = nullptr);
    ~Commissions() override;

    // A query button's back colour, as the last query left it.
    static QColor backColor(const QPushButton* button);
    // The last statement a query button built; it is kept until the program
    // ends, so that reopening the window shows its first row again.
    static QString lastStatement();
    // Forgets that statement and its dates, as at the program's start; tests
    // begin each case from there.
    static void forgetLastStatement();

protected:
    void formLoad() override;
    void formUnload(bool& cancel) override;
    void formActivate() override;
    void showEvent(QShowEvent* e) override;

private:
    // The buttons.
    void sumServices();
    void sumProducts();
    void sumAllTotals();
    void calculateCommission();   // "="
    void showCommissionsReport();
    void enterCommissions();
    void closeWindow();
    // The tips lamp.
    void showQuickTips();

    enum class Sum { Services, Products, All };
    void buildLayout();
    void runQuery(Sum sum, QPushButton* clicked);
    void openLastStatement();
    void bindBoxes();

    // Controls; tests find them by their objectName.
    QPushButton *commissionsReportButton = nullptr, *enterCommissionsButton = nullptr, *closeButton = nullptr;
    QPushButton *servicesButton = nullptr, *allTotalsButton = nullptr, *productsButton = nullptr,
                *calculateCommissionButton = nullptr;
    qv::TextBox *firstDateBox = nullptr, *lastDateBox = nullptr;
    QMap<int, qv::TextBox*> fieldBoxes;   // by Box
    QMap<int, QLabel*> captionLabels;   // by Caption
    qv::DataGrid* totalsGrid = nullptr;
    qv::PictureBox* tipsLamp = nullptr;

    std::unique_ptr<qv::Connection> db;
    // The totals the boxes and the grid show.
    std::shared_ptr<qv::Recordset> artistTotals;
    // The rows the load showed in the boxes, kept while they show them.
    std::shared_ptr<qv::Recordset> m_loadResult;
    SelfRescaling rescaling;
};
