#pragma once
// The modal preview of a laid-out report: one page at a time, the buttons to
// go to the first, previous, next and last page, a Print button that goes
// through the printer dialog, and Close. It opens within the screen's free
// area and the user may resize it.
#include "platform/report/report.h"
#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace qv {

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(Report& report, ReportDocument document, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // The preview that is open now (the innermost, if one opened another); tests drive it.
    static ReportPreview* current();

    const ReportDocument& document() const { return m_document; }
    Report& report() const { return m_report; }
    int page() const { return m_page; }   // 0-based
    void showPage(int page);
    // What the page shows, as drawn on the screen.
    QImage pageImage() const;

    QPushButton* cmdFirst = nullptr;
    QPushButton* cmdPrevious = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdLast = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblPage = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void fitToScreen();
    Report& m_report;
    ReportDocument m_document;
    int m_page = 0;
    double m_dpi = 96;
    QSize m_wanted;   // the preview's size when the screen has room for it
    bool m_activated = false;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_view = nullptr;
    ReportPreview* m_outer = nullptr;
};

} // namespace qv
