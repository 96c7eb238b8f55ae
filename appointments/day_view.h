#pragma once
// One day's appointments from the appointment book: a day clicked on the
// calendar lists its tickets by artist and time; they print as the
// appointments-by-date report, and the grid goes out as a web page
// ("temp.htm" in the program folder) opened with the program the system
// associates with it.
#include "appointments/one_day_view.h"
#include <QLabel>
#include <QPushButton>

namespace qv { class PictureBox; }

class Form7 : public OneDayView {
    Q_OBJECT
public:
    explicit Form7(QWidget* parent = nullptr);

    void cmdshowhtml_Click();
    // The page as written: the grid's current texts, unescaped, the table left open.
    QString htmlPage() const;
    // "temp.htm" in the program folder, with one separator between them.
    static QString htmlPath();

    QPushButton *Cmdprint = nullptr, *cmdshowhtml = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    qv::PictureBox *Image1 = nullptr, *Image2 = nullptr;

protected:
    QString dayQuery(const QString& sqlDate) const override;
    std::unique_ptr<qv::Report> makeReport() const override;
    void prepareLoad() override;
};
