#include "appointments/day_view.h"

#include "common/connections.h"
#include "common/drawn_pictures.h"
#include "platform/forms/controls.h"
#include "platform/forms/flex_grid.h"
#include "platform/services/services.h"
#include "platform/values/clock.h"
#include "platform/values/convert.h"
#include "reports/appointments_by_date_report.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QStyle>

QV_REGISTER_WINDOW_AS(DayView, "Form7");

DayView::DayView(QWidget* parent) : OneDayView(parent)
{
    setWindowTitle(QStringLiteral("Find Appointment's By Date"));
    setAutoFillBackground(true);
    QPalette shade = palette();
    shade.setColor(QPalette::Window, QColor(0xBA, 0xC9, 0xD1));
    setPalette(shade);
    setTwipsSize(10800, 7800);

    auto label = [this](QLabel*& slot, const char* name, const QString& text, int left, int top, int width,
                        int height) {
        slot = new QLabel(text, this);
        slot->setObjectName(QString::fromLatin1(name));
        slot->setTextFormat(Qt::PlainText);
        slot->setWordWrap(true);
        qv::place(slot, left, top, width, height);
    };
    label(calendarHintLabel, "Label1",
          QStringLiteral("Click on any date on the Calendar to find              all appointments scheduled for "
                         "that date."),
          4320, 180, 4200, 660);
    label(todayLabel, "Label2", QString(), 4320, 900, 4200, 300);
    label(todayHintLabel, "Label4", QStringLiteral("Click on red Circle to get today's appointments."), 4320, 1230,
          4300, 480);
    label(printHintLabel, "Label3", QStringLiteral("Print Information from Grid:"), 4320, 1860, 2580, 300);
    label(printNoteLabel, "Label5",
          QStringLiteral("NOTE: You must click on a date before clicking on the print icon to get the appointments "
                         "by date."),
          4320, 2310, 4300, 660);

    auto pictureButton = [this](const char* name, const QIcon& icon, int left, int top) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(icon);
        b->setIconSize(QSize(24, 24));
        qv::place(b, left, top, 600, 510);
        return b;
    };
    printButton = pictureButton("Cmdprint", printIcon(), 6960, 1740);
    webPageButton = pictureButton("cmdshowhtml", style()->standardIcon(QStyle::SP_DirLinkIcon), 7680, 1740);

    auto picture = [this](const char* name, QStyle::StandardPixmap icon, int left, int top) {
        auto* p = new qv::PictureBox(this);
        p->setObjectName(QString::fromLatin1(name));
        p->setPixmap(style()->standardIcon(icon).pixmap(32, 32));
        qv::place(p, left, top, 540, 540);
        return p;
    };
    hintPicture = picture("Image1", QStyle::SP_FileDialogDetailedView, 8760, 240);
    infoPicture = picture("Image2", QStyle::SP_MessageBoxInformation, 8760, 2280);

    qv::place(dayCalendar, 120, 120, 4140, 2760);
    qv::place(dayGrid, 120, 3000, 10560, 4680);

    onClick(printButton, [this] { printCurrentRows(); });
    onClick(webPageButton, [this] { showWebPage(); });
}

void DayView::prepareLoad()
{
    todayLabel->setText(QStringLiteral("Today's date....")
                        + qv::formatValue(QDateTime(qv::Clock::today(), QTime(0, 0)), QStringLiteral("Short Date")));
}

QString DayView::dayQuery(const QString& sqlDate) const
{
    return QStringLiteral("SELECT DateAppointment,") + QStringLiteral("TimeAppointment,") + QStringLiteral("CustomerID,")
        + QStringLiteral("CustomerPhone,") + QStringLiteral("CustomerName,") + QStringLiteral("SalonArtist,")
        + QStringLiteral("Service,") + QStringLiteral("Service1,") + QStringLiteral("Service2,")
        + QStringLiteral("Service3,") + QStringLiteral("Totals ") + QStringLiteral("From ServiceMenu ")
        + QStringLiteral("WHERE DateAppointment =#") + sqlDate + QStringLiteral("#")
        + QStringLiteral(" ORDER BY SalonArtist, DateAppointment, TimeAppointment") + QStringLiteral(";");
}

std::unique_ptr<qv::Report> DayView::makeReport() const
{
    return std::make_unique<AppointmentsByDateReport>();
}

QString DayView::htmlPage() const
{
    const QString crlf = QStringLiteral("\r\n");
    const qv::FlexGrid* grid = dayGrid;
    QString t = QStringLiteral("<TABLE BORDER=1 BGCOLOR=#COCOCO CELLPADDING=5>") + crlf;
    t += QStringLiteral("<TR>") + crlf;
    // Cell texts are the salon's own (client names, services): written as
    // text, so that "<b>" or "&" in a name shows as typed and a "<script>"
    // never runs in the browser.
    const auto cell = [grid](int r, int c) { return grid->textMatrix(r, c).toHtmlEscaped(); };
    for (int c = 0; c < grid->cols(); ++c)
        t += QStringLiteral("  <TH>") + cell(0, c) + QStringLiteral("</TH>") + crlf;
    t += QStringLiteral("</TR>") + crlf;
    for (int r = 1; r < grid->rows(); ++r) {
        t += QStringLiteral("<TR>") + crlf;
        for (int c = 0; c < grid->cols(); ++c)
            t += QStringLiteral("  <TD>") + cell(r, c) + QStringLiteral("</TD>") + crlf;
        t += QStringLiteral("</TR>") + crlf;
    }
    t += QStringLiteral("</TABLE>") + crlf;
    // The page is written in UTF-8 and says so: a browser left to guess
    // would read "Zoë" in the legacy Western code page as "ZoÃ«".
    return QStringLiteral("<HTML><HEAD><meta charset=\"utf-8\"></HEAD><BODY>") + crlf + t
           + QStringLiteral("</BODY></HTML>");
}

QString DayView::htmlPath()
{
    // A "\" in the folder is a separator here too, as in the database path.
    QString folder = programFolder();
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("temp.htm");
}

void DayView::showWebPage()
{
    const QString path = htmlPath();
    QFile file(path);
    QStringEncoder encoder(QStringConverter::Utf8);
    const QByteArray bytes = encoder.encode(htmlPage() + QStringLiteral("\r\n"));
    // A page that could not be written is not opened: the old one, if any,
    // would be shown as if it were this day's.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        qv::ui().msgBox(QStringLiteral("Could not write the web page ") + path + QStringLiteral(": ")
                        + file.errorString());
        return;
    }
    file.close();
    // With no program set up to open web pages nothing would show: the user
    // is told where the page is, to open it by hand.
    if (!qv::ui().launch(path))
        qv::ui().msgBox(QStringLiteral("The web page of the day was written to ")
                        + QDir::toNativeSeparators(QDir::cleanPath(path))
                        + QStringLiteral(". No program is set up to open web pages: open it from there."));
}
