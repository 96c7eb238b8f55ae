#include "platform/print/printer.h"
#include "platform/print/print_devices.h"
#include "platform/services/services.h"
#include "platform/values/error.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPrinter>
#include <QTextLayout>
#include <cmath>
#include <sys/stat.h>

namespace qv {

namespace {
// A print zone is this many columns wide.
constexpr int kZoneColumns = 14;
// Positions closer than this count as the same (twips).
constexpr double kSlack = 0.5;
}

double PrintDevice::unitsPerTwip()
{
    return measureDevice()->logicalDpiY() / kTwipsPerInch;
}

Printer::Printer() = default;

Printer::~Printer()
{
    // The system device paints on m_systemPrinter: let it go first.
    m_device.reset();
}

QFont Printer::font() const
{
    QFont f(m_fontName);
    f.setPointSizeF(m_fontSize > 0 ? m_fontSize : 10);
    f.setBold(m_bold);
    return f;
}

PrintDevice& Printer::device() const
{
    if (!m_device) {
        auto* self = const_cast<Printer*>(this);
        self->m_device = std::make_unique<SystemPrintDevice>(self->systemPrinter());
    }
    return *m_device;
}

void Printer::setDevice(std::unique_ptr<PrintDevice> device)
{
    // A job open on the old device is dropped with it.
    m_jobOpen = false;
    m_page = 0;
    m_x = m_y = 0;
    m_device = std::move(device);
}

RecordingPrintDevice& Printer::useRecording()
{
    auto recorder = std::make_unique<RecordingPrintDevice>();
    RecordingPrintDevice& result = *recorder;
    setDevice(std::move(recorder));
    return result;
}

void Printer::useSystemPrinter()
{
    setDevice(std::make_unique<SystemPrintDevice>(systemPrinter()));
}

QPrinter* Printer::systemPrinter()
{
    if (!m_systemPrinter)
        m_systemPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_systemPrinter.get();
}

void Printer::useSystemPdfFile(const QString& path)
{
    QPrinter* p = systemPrinter();
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    useSystemPrinter();
}

double Printer::pageWidth() const { return device().paperSize().width(); }
double Printer::pageHeight() const { return device().paperSize().height(); }
double Printer::scaleWidth() const { return device().printableRect().width(); }
double Printer::scaleHeight() const { return device().printableRect().height(); }
double Printer::physicalOffsetX() const { return device().printableRect().left(); }
double Printer::physicalOffsetY() const { return device().printableRect().top(); }

double Printer::textWidth(const QString& text) const
{
    PrintDevice& d = device();
    return QFontMetricsF(font(), d.measureDevice()).horizontalAdvance(text) / d.unitsPerTwip();
}

double Printer::textHeight() const
{
    PrintDevice& d = device();
    return QFontMetricsF(font(), d.measureDevice()).lineSpacing() / d.unitsPerTwip();
}

void Printer::ensureJob()
{
    if (m_jobOpen)
        return;
    device().beginJob(QCoreApplication::applicationName().isEmpty() ? UiServices::programTitle()
                                                                    : QCoreApplication::applicationName(),
                      m_quality);
    m_jobOpen = true;
    m_page = 1;
}

void Printer::print(std::initializer_list<PrintItem> items, bool endLine)
{
    print(QList<PrintItem>(items), endLine);
}

void Printer::print(const QList<PrintItem>& items, bool endLine)
{
    ensureJob();
    PrintDevice& d = device();
    const QFontMetricsF fm(font(), d.measureDevice());
    const double upt = d.unitsPerTwip();
    const double column = fm.averageCharWidth() / upt;
    for (const PrintItem& item : items) {
        switch (item.kind()) {
        case PrintItem::Text:
            printText(item.text());
            break;
        case PrintItem::WrappedText:
            printWrapped(item.text());
            break;
        case PrintItem::Tab: {
            const double target = (std::max(1, item.count()) - 1) * column;
            if (m_x > target + kSlack)
                lineFeed();
            m_x = target;
            break;
        }
        case PrintItem::Spc:
            m_x += std::max(0, item.count()) * fm.horizontalAdvance(QLatin1Char(' ')) / upt;
            break;
        case PrintItem::Zone: {
            const double zone = kZoneColumns * column;
            m_x = (std::floor((m_x + kSlack) / zone) + 1) * zone;
            break;
        }
        }
    }
    if (endLine)
        lineFeed();
}

void Printer::printText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList parts = t.split(QLatin1Char('\n'));
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0)
            lineFeed();
        if (parts[i].isEmpty())
            continue;
        breakPageIfFull();
        device().drawText(QPointF(m_x, m_y), parts[i], font());
        m_x += textWidth(parts[i]);
    }
}

void Printer::printWrapped(const QString& text)
{
    PrintDevice& d = device();
    const double upt = d.unitsPerTwip();
    const double left = m_x;
    // Not narrower than one character, so that every line takes some text.
    const double width = std::max(scaleWidth() - left, QFontMetricsF(font(), d.measureDevice()).maxWidth() / upt);
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    bool firstLine = true;
    for (const QString& paragraph : t.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font(), d.measureDevice());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        QStringList lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width * upt);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        if (lines.isEmpty())
            lines << QString();
        for (const QString& line : std::as_const(lines)) {
            if (!firstLine) {
                lineFeed();
                m_x = left;
            }
            firstLine = false;
            // The blank a line was broken at stays behind, unseen.
            QString shown = line;
            while (!shown.isEmpty() && shown.back().isSpace())
                shown.chop(1);
            if (shown.isEmpty())
                continue;
            breakPageIfFull();
            d.drawText(QPointF(m_x, m_y), shown, font());
            m_x += textWidth(shown);
        }
    }
}

void Printer::lineFeed()
{
    m_x = 0;
    m_y += textHeight();
}

void Printer::breakPageIfFull()
{
    if (m_y > kSlack && m_y + textHeight() > scaleHeight() + kSlack) {
        const double x = m_x;
        newPage();
        m_x = x;
    }
}

void Printer::paintPicture(const QImage& picture, double x, double y, double width, double height)
{
    if (picture.isNull())
        return;
    ensureJob();
    device().drawPicture(picture, QRectF(x, y, width, height));
}

void Printer::newPage()
{
    ensureJob();
    device().newPage();
    ++m_page;
    m_x = m_y = 0;
}

void Printer::endDoc()
{
    if (!m_jobOpen)
        return;
    m_jobOpen = false;
    m_page = 0;
    m_x = m_y = 0;
    device().endJob();
}

namespace {
Printer* g_printer = nullptr;
}

Printer& printer()
{
    if (!g_printer) {
        g_printer = new Printer;
        // The system printer must not outlive the application object.
        if (QCoreApplication::instance())
            qAddPostRoutine([] {
                delete g_printer;
                g_printer = nullptr;
            });
    }
    return *g_printer;
}

namespace {

QStringList& protectedOutputs()
{
    static QStringList paths;
    return paths;
}

// The place a path names, for a file that need not exist yet: its folder
// with links resolved, and its name.
QString placeOf(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir(folder.isEmpty() ? info.absolutePath() : folder).filePath(info.fileName());
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether one of the program's open descriptors is that file (under any of
// its names: links, another path to the same folder).
bool heldOpen(const struct stat& file)
{
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : descriptors.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        struct stat open {};
        if (::stat(QFile::encodeName(descriptors.filePath(fd)).constData(), &open) == 0 && S_ISREG(open.st_mode)
            && sameFile(open, file))
            return true;
    }
    return false;
}

} // namespace

void protectFromPrintOutput(const QString& path)
{
    if (!path.isEmpty() && !protectedOutputs().contains(path))
        protectedOutputs().append(path);
}

bool isProtectedFromPrintOutput(const QString& path)
{
    if (path.isEmpty())
        return false;
    struct stat target {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &target) == 0;
    if (exists && heldOpen(target))
        return true;
    const QString place = placeOf(path);
    for (const QString& kept : std::as_const(protectedOutputs())) {
        struct stat other {};
        if (exists && ::stat(QFile::encodeName(kept).constData(), &other) == 0 && sameFile(other, target))
            return true;
        if (placeOf(kept) == place)
            return true;
    }
    return false;
}

bool choosePrinter()
{
    return choosePrinter(printer().systemPrinter());
}

bool choosePrinter(QPrinter* chosen)
{
    if (!ui().printerDialog(chosen))
        return false;
    const QString file = chosen ? chosen->outputFileName() : QString();
    if (!isProtectedFromPrintOutput(file))
        return true;
    // Printed over, the file would be lost with all it holds; the next job
    // printed without the dialog must not go there either.
    chosen->setOutputFileName(QString());
    ui().msgBox(QStringLiteral("\"%1\" is a file this program is using and cannot be printed to. "
                               "Print again and choose another file.")
                    .arg(QDir::toNativeSeparators(file)),
                MsgStyle::Exclamation, QStringLiteral("Print"));
    return false;
}

} // namespace qv
