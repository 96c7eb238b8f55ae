#pragma once
// One day's tickets for the manager: a day clicked on the calendar lists
// every field of its tickets by time; they print as the products and
// services report.
#include "appointments/one_day_view.h"
#include <QLabel>
#include <QPushButton>

class ReportByDate : public OneDayView {
    Q_OBJECT
public:
    explicit ReportByDate(QWidget* parent = nullptr);

protected:
    QString dayQuery(const QString& sqlDate) const override;
    std::unique_ptr<qv::Report> makeReport() const override;

private:
    // Controls; tests find them by their objectName.
    QPushButton* reportButton = nullptr;
    QLabel* hintLabel = nullptr;
};
