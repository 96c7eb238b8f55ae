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

class DayView : public OneDayView {
    Q_OBJECT
public:
    explicit DayView(QWidget* parent = nullptr);
    // "temp.htm" in the program folder, with one separator between them.
    static QString htmlPath();

protected:
    QString dayQuery(const QString& sqlDate) const override;
    std::unique_ptr<qv::Report> makeReport() const override;
    void prepareLoad() override;

private:
    // Writes the page to htmlPath() and opens it.
    void showWebPage();
    // The page as written: one table of the grid's current texts, escaped,
    // the field names in its heading row.
    QString htmlPage() const;

    // Controls; tests find them by their objectName.
    QPushButton *printButton = nullptr, *webPageButton = nullptr;
    QLabel *calendarHintLabel = nullptr, *todayLabel = nullptr, *printHintLabel = nullptr, *todayHintLabel = nullptr,
           *printNoteLabel = nullptr;
    qv::PictureBox *hintPicture = nullptr, *infoPicture = nullptr;
};
