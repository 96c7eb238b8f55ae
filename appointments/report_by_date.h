#pragma once
// One day's tickets for the manager: a day clicked on the calendar lists
// every field of its tickets by time; they print as the products and
// services report.
#include "appointments/one_day_view.h"
#include <QLabel>
#include <QPushButton>

class FRMGETR : public OneDayView {
    Q_OBJECT
public:
    explicit FRMGETR(QWidget* parent = nullptr);

    QPushButton* CmdPrint = nullptr;
    QLabel* Label1 = nullptr;

protected:
    QString dayQuery(const QString& sqlDate) const override;
    std::unique_ptr<qv::Report> makeReport() const override;
};
