// The modal preview, printing through the printer dialog, and reading a
// caller's recordset without moving it.
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/report/band_writer.h"
#include "platform/report/report.h"
#include "platform/report/report_preview.h"
#include "platform/services/services.h"
#include "platform/values/money.h"
#include "support/program_folder.h"
#include "support/user_hands.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace qv;

namespace {

// The printer dialog "chooses" a PDF file, or a place that cannot be written
// (a printer that cannot print).
class PdfPrinterUi : public ScriptedUi {
public:
    QString outputFile;
    bool printerDialog(QPrinter* printer) override
    {
        const bool ok = ScriptedUi::printerDialog(printer);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(outputFile);
        return ok;
    }
};

struct ScopedUi {
    explicit ScopedUi(UiServices* s) { setUi(s); }
    ~ScopedUi() { setUi(nullptr); }
};

ReportLayout numberedLayout()
{
    ReportLayout l;
    l.title = QStringLiteral("Numbers");
    BandWriter ph(l.section(ReportBand::PageHeader));
    ph.label(QStringLiteral("Page %p"), 0, 2000);
    ph.finish();
    BandWriter d(l.section(ReportBand::Detail));
    d.field(QStringLiteral("N"), 0, 2000);
    d.finish();
    return l;
}

ReportData numbers(int count)
{
    ReportData data;
    data.fields = {QStringLiteral("N")};
    for (int i = 0; i < count; ++i)
        data.rows.append({QVariant(double(i))});
    return data;
}

// Runs `drive` on the preview once it is open; the preview must be closed by it.
void whilePreviewOpen(std::function<void(ReportPreview&)> drive)
{
    QTimer::singleShot(0, [drive] {
        ReportPreview* p = ReportPreview::current();
        ASSERT_NE(p, nullptr);
        drive(*p);
        if (p->isVisible())
            p->reject();
    });
}

// A device that keeps what is drawn on it: each text as the painter hands it
// over, where it stands on the device and the clip it is drawn in.
class DrawnTexts : public QPaintDevice {
public:
    struct Drawn {
        QString text;
        QRectF extent;   // device pixels
        QRectF clip;     // empty when not clipped
    };
    DrawnTexts(double dpi, QSize size) : m_dpi(dpi), m_size(size), m_engine(this) {}
    ~DrawnTexts() override = default;
    QList<Drawn> texts;
    QPaintEngine* paintEngine() const override { return const_cast<Engine*>(&m_engine); }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return qRound(m_dpi);
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return QPaintDevice::metric(m);
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(DrawnTexts* device) : QPaintEngine(AllFeatures), m_device(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            const QTransform t = painter()->transform();
            const QRectF box(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
            const QRectF clip = painter()->hasClipping() ? t.mapRect(painter()->clipBoundingRect()) : QRectF();
            m_device->texts.append({item.text(), t.mapRect(box), clip});
        }
        Type type() const override { return User; }

    private:
        DrawnTexts* m_device;
    };
    double m_dpi;
    QSize m_size;
    Engine m_engine;
};

} // namespace

TEST(ReportPreview, ShowsTitleAndPagesAndPrintsThroughTheDialog)
{
    QTemporaryDir dir;
    PdfPrinterUi ui;
    ScopedUi use(&ui);
    Report report(numberedLayout());
    report.setData(numbers(130));
    int activated = 0;
    report.onActivate = [&] { ++activated; };

    bool ran = false;
    whilePreviewOpen([&](ReportPreview& p) {
        ran = true;
        EXPECT_TRUE(p.isModal());
        EXPECT_EQ(p.windowTitle(), QStringLiteral("Numbers"));
        const int pages = p.document().pageCount();
        ASSERT_GE(pages, 3);
        EXPECT_EQ(p.lblPage->text(), QStringLiteral("Page 1 of %1").arg(pages));
        EXPECT_FALSE(p.cmdPrevious->isEnabled());
        QTest::mouseClick(p.cmdNext, Qt::LeftButton);
        EXPECT_EQ(p.lblPage->text(), QStringLiteral("Page 2 of %1").arg(pages));
        QTest::mouseClick(p.cmdLast, Qt::LeftButton);
        EXPECT_EQ(p.page(), pages - 1);
        EXPECT_FALSE(p.cmdNext->isEnabled());
        QTest::mouseClick(p.cmdFirst, Qt::LeftButton);
        EXPECT_EQ(p.page(), 0);

        // Cancelled dialog: nothing printed, nothing said.
        ui.outputFile = dir.filePath(QStringLiteral("cancelled.pdf"));
        ui.printerAnswers = {false};
        QTest::mouseClick(p.cmdPrint, Qt::LeftButton);
        EXPECT_FALSE(QFile::exists(ui.outputFile));

        // Accepted: every page goes to the printer.
        ui.outputFile = dir.filePath(QStringLiteral("printed.pdf"));
        QTest::mouseClick(p.cmdPrint, Qt::LeftButton);
        QFile printed(ui.outputFile);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        const QByteArray bytes = printed.readAll();
        EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), pages);

        // A printer that cannot print: the engine's error, the preview stays.
        ui.outputFile = dir.filePath(QStringLiteral("missing/folder/x.pdf"));
        QTest::mouseClick(p.cmdPrint, Qt::LeftButton);
        EXPECT_TRUE(p.isVisible());
        for (const UiEvent& e : ui.events)
            EXPECT_EQ(e.owner.data(), &p) << e.text.toStdString() << " came up over another window";
        QTest::mouseClick(p.cmdClose, Qt::LeftButton);
        EXPECT_FALSE(p.isVisible());
    });
    // Opened from a window's button: the print dialog and the engine's
    // refusal still belong to the preview, not to that window.
    QWidget opener;
    opener.show();
    {
        const DialogOwnerScope openerHandler(&opener);
        report.show();
    }
    EXPECT_TRUE(ran);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(ui.messages().size(), 1);
    int dialogs = 0;
    for (const UiEvent& e : ui.events)
        dialogs += e.kind == UiEvent::PrinterDialog;
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(ReportPreview::current(), nullptr);
}

// On the 800 x 600 screen the program is drawn for, the whole preview (its
// Close button and the page's scroll bar too) lies on the screen, the page
// shows its whole width, and the user can make the window smaller or larger.
TEST(ReportPreview, FitsTheScreenAndCanBeResized)
{
    ScriptedUi ui;
    ScopedUi use(&ui);
    Report report(numberedLayout());
    report.setData(numbers(130));

    bool ran = false;
    whilePreviewOpen([&](ReportPreview& p) {
        ran = true;
        // The scroll bars follow the page a moment later; on a busy machine
        // that moment can be long.
        auto* scrollArea = p.findChild<QScrollArea*>();
        ASSERT_TRUE(scrollArea);
        (void)QTest::qWaitFor([&] {
            return scrollArea->verticalScrollBar()->isVisible() && !scrollArea->horizontalScrollBar()->isVisible();
        }, 5000);
        QScreen* screen = p.screen();
        ASSERT_TRUE(screen);
        const QRect area = screen->availableGeometry();
        ASSERT_LE(area.width(), 1024) << "the test means a small screen";
        EXPECT_TRUE(area.contains(p.frameGeometry())) << p.frameGeometry().width() << "x" << p.frameGeometry().height();
        auto onScreen = [&](QWidget* w) {
            return area.contains(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()));
        };
        EXPECT_TRUE(onScreen(p.cmdClose));
        EXPECT_TRUE(onScreen(p.cmdPrint));
        auto* scroll = p.findChild<QScrollArea*>();
        ASSERT_TRUE(scroll);
        ASSERT_TRUE(scroll->verticalScrollBar()->isVisible());
        EXPECT_TRUE(onScreen(scroll->verticalScrollBar()));
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
        // The page is drawn as wide as the room allows, not a thumbnail.
        EXPECT_GE(p.pageImage().width(), area.width() / 2);

        EXPECT_TRUE(p.isSizeGripEnabled());
        EXPECT_LE(p.minimumWidth(), 500);
        p.resize(500, 330);
        QApplication::processEvents();
        EXPECT_EQ(p.size(), QSize(500, 330));
        EXPECT_TRUE(onScreen(p.cmdClose));
        p.resize(area.size() - QSize(40, 60));
        QApplication::processEvents();
        EXPECT_EQ(p.size(), area.size() - QSize(40, 60));
        qvtest::clickAt(p.cmdClose);
        EXPECT_FALSE(p.isVisible());
    });
    report.show();
    EXPECT_TRUE(ran);
}

// On a screen of 800 pixels the page is drawn smaller than at 96 dpi, where
// characters set on whole pixels take a little more room than the print's
// measure gave them: captions fitted to their boxes on paper still show
// whole or end in an ellipsis, lines of a wrapped text too, never cut short.
TEST(ReportPreview, TextsFittedForPrintAreWholeOrEndInAnEllipsisOnASmallScreen)
{
    ScriptedUi ui;
    ScopedUi use(&ui);
    ReportLayout l;
    BandWriter d(l.section(ReportBand::Detail));
    const QStringList captions = {QStringLiteral("Commissions Totals this  Pay Period"),
                                  QStringLiteral("Net Used/Sold - negative value represents wholesale item:"),
                                  QStringLiteral("Total Paid -Gross for Salon to Date:")};
    for (bool bold : {false, true}) {
        d.font.bold = bold;
        for (const QString& caption : captions) {
            d.captioned(caption, QStringLiteral("N"), 0, 2000, 1500);
            d.next();
        }
    }
    d.font.bold = false;
    d.field(QStringLiteral("Note"), 0, 2500).canGrow = true;
    d.finish();
    ReportData data;
    data.fields = {QStringLiteral("N"), QStringLiteral("Note")};
    data.rows.append({QVariant(12.5), QString(captions.join(QLatin1Char(' '))).repeated(3)});
    Report report(l);
    report.setData(data);

    bool ran = false;
    whilePreviewOpen([&](ReportPreview& p) {
        ran = true;
        const QImage shown = p.pageImage();
        const double dpi = shown.logicalDpiX();
        ASSERT_LT(dpi, 90) << "the test means a small screen";
        const ReportPage page = p.document().pages[0];
        DrawnTexts drawn(dpi, shown.size());
        {
            QPainter painter(&drawn);
            renderReportPage(painter, page, dpi);
        }
        const double k = dpi / 1440.0;
        int captionsSeen = 0;
        for (const DrawnTexts::Drawn& t : std::as_const(drawn.texts)) {
            if (!t.clip.isEmpty())
                EXPECT_TRUE(t.clip.adjusted(-0.5, -100, 0.5, 100).contains(t.extent))
                    << "cut: " << t.text.toStdString();
            const ReportItem* owner = nullptr;
            for (const ReportItem& it : page.items)
                if (QRectF(it.rect.left() * k, it.rect.top() * k, it.rect.width() * k, it.rect.height() * k)
                        .contains(t.extent.center()))
                    owner = &it;
            ASSERT_NE(owner, nullptr) << t.text.toStdString();
            EXPECT_LE(t.extent.right(), (owner->rect.right() + 1) * k + 0.5) << t.text.toStdString();
            const bool whole = owner->text.contains(t.text);
            EXPECT_TRUE(whole || (t.text.endsWith(QChar(0x2026)) && owner->text.startsWith(t.text.chopped(1))))
                << t.text.toStdString();
            captionsSeen += captions.contains(t.text);
        }
        EXPECT_GE(captionsSeen, 4);
        p.accept();
    });
    report.show();
    EXPECT_TRUE(ran);
}

TEST(ReportPreview, PrintingErrorGoesToTheHandler)
{
    PdfPrinterUi ui;
    ScopedUi use(&ui);
    ui.outputFile = QStringLiteral("/nonexistent-folder/x.pdf");
    Report report(numberedLayout());
    report.setData(numbers(3));
    QList<int> errors;
    report.onError = [&](int number, bool& show) { errors << number; show = false; };
    const ReportDocument doc = report.run();
    EXPECT_FALSE(report.printWithDialog(doc));
    EXPECT_EQ(errors, QList<int>{ReportError::PrintingImpossible});
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST(ReportPreview, PrintingToFileNeverWritesOverTheOpenDatabase)
{
    qvtest::TempProgramFolder folder;
    const QString file = folder.file(QStringLiteral("KVD.mdb"));
    TableDef t;
    t.name = QStringLiteral("T");
    t.fields = {FieldDef{QStringLiteral("Name"), FieldType::Text}};
    Database::create(file, {t});
    Connection db;
    db.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file + QStringLiteral(";"));
    QFile original(file);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    PdfPrinterUi ui;
    ScopedUi use(&ui);
    Report report(numberedLayout());
    report.setData(numbers(3));
    QList<int> errors;
    report.onError = [&](int number, bool&) { errors << number; };
    const ReportDocument doc = report.run();

    // The file the dialog chose is the database itself.
    ui.outputFile = file;
    EXPECT_FALSE(report.printWithDialog(doc));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_TRUE(original.readAll() == before);
    original.close();
    EXPECT_TRUE(Database::isDatabase(file));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("\"%1\" is a file this program is using and cannot be "
                                                        "printed to. Print again and choose another file.")
                                             .arg(QDir::toNativeSeparators(file))});

    // Another file beside it prints.
    ui.clear();
    ui.outputFile = folder.file(QStringLiteral("report.pdf"));
    EXPECT_TRUE(report.printWithDialog(doc));
    EXPECT_TRUE(QFile(ui.outputFile).size() > 0);
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST(ReportData, CopiesRowsWithoutMovingTheCallersCursor)
{
    qvtest::TempProgramFolder folder;
    const QString file = folder.file(QStringLiteral("rows.db"));
    TableDef t;
    t.name = QStringLiteral("T");
    t.fields = {FieldDef{QStringLiteral("Name"), FieldType::Text}, FieldDef{QStringLiteral("Amount"), FieldType::Currency}};
    Database::create(file, {t});
    Connection db;
    db.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file + QStringLiteral(";"));
    {
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM T"), db);
        for (int i = 1; i <= 5; ++i) {
            rs.addNew();
            rs.setValue(QStringLiteral("Name"), QStringLiteral("row %1").arg(i));
            rs.setValue(QStringLiteral("Amount"), QStringLiteral("%1.25").arg(i));
            rs.update();
        }
    }
    auto rs = std::make_shared<Recordset>();
    rs->open(QStringLiteral("SELECT * FROM T ORDER BY Name"), db);
    rs->setAbsolutePosition(3);
    int moves = 0;
    QObject::connect(rs.get(), &Recordset::moveComplete, [&] { ++moves; });

    const ReportData data = ReportData::fromRecordset(*rs);
    ASSERT_EQ(data.rows.size(), 5);
    EXPECT_EQ(data.fields, (QStringList{QStringLiteral("Name"), QStringLiteral("Amount")}));
    EXPECT_EQ(data.rows[4][0].toString(), QStringLiteral("row 5"));
    EXPECT_EQ(rs->absolutePosition(), 3);
    EXPECT_EQ(rs->value(QStringLiteral("Name")).toString(), QStringLiteral("row 3"));
    EXPECT_EQ(moves, 0);
    // Only the columns asked for (names matched without regard to case), every row.
    const ReportData amounts = ReportData::fromRecordset(*rs, {QStringLiteral("amount")});
    EXPECT_EQ(amounts.fields, QStringList{QStringLiteral("Amount")});
    ASSERT_EQ(amounts.rows.size(), 5);
    EXPECT_EQ(amounts.rows[4].size(), 1);
    EXPECT_EQ(amounts.rows[4][0].value<Money>(), Money::fromUnits(52500));

    // Through a report job as well, and from either end.
    Report report;
    BandWriter f(report.layout().section(ReportBand::ReportFooter));
    f.sum(QStringLiteral("Amount"), 0, 2000, QStringLiteral("\"$\"#,##0.00"));
    f.finish();
    report.setDataSource(rs);
    EXPECT_EQ(report.run().pages.value(0).texts(), QStringList{QStringLiteral("$16.25")});
    EXPECT_EQ(rs->absolutePosition(), 3);
    rs->moveLast();
    rs->moveNext();
    ASSERT_TRUE(rs->eof());
    report.run();
    EXPECT_TRUE(rs->eof());
    rs->moveFirst();
    rs->movePrevious();
    ASSERT_TRUE(rs->bof());
    report.run();
    EXPECT_TRUE(rs->bof());

    // A row being edited: the report shows the pending value, the edit stays
    // pending and nothing reaches the table.
    rs->setAbsolutePosition(2);
    rs->setValue(QStringLiteral("Amount"), QStringLiteral("100"));
    ASSERT_EQ(rs->editMode(), EditMode::InProgress);
    EXPECT_EQ(report.run().pages.value(0).texts(), QStringList{QStringLiteral("$114.00")});
    EXPECT_EQ(rs->editMode(), EditMode::InProgress);
    EXPECT_EQ(rs->absolutePosition(), 2);
    auto stored = db.execute(QStringLiteral("SELECT Amount FROM T WHERE Name = 'row 2'"));
    EXPECT_EQ(stored->value(0).value<Money>(), Money::fromUnits(22500));
    rs->cancelUpdate();
}
