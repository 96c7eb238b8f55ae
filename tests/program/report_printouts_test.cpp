// The management menu's reports over long texts, as the salon writes them: a
// client note of several pages, a name or a service too long for its field,
// a stock comment longer than a page. Read back from the preview and from the
// PDF the way a person searching or copying the print-out meets it.
#include "platform/report/report_preview.h"
#include "shell/management_menu.h"
#include "support/pdf_text.h"
#include "support/window_fixture.h"

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QChar kEllipsis(0x2026);

// Numbered words, so that a lost, doubled or reordered piece shows.
QString numberedWords(const QString& prefix, int count)
{
    QStringList words;
    for (int i = 1; i <= count; ++i)
        words << prefix + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
    return words.join(QLatin1Char(' '));
}

class ReportPrintouts : public qvtest::WindowFixture {
protected:
    // Clicks a report button of the menu; returns what the preview showed and
    // keeps it as a PDF.
    qv::ReportDocument printFrom(const char* button, const QString& pdf)
    {
        qv::ReportDocument shown;
        QTimer::singleShot(0, [&] {
            qv::ReportPreview* preview = qv::ReportPreview::current();
            if (!preview)
                return;
            shown = preview->document();
            layout = preview->report().layout();
            EXPECT_TRUE(preview->report().exportPdf(shown, pdf));
            preview->cmdClose->click();
        });
        click(menu->findChild<QToolButton*>(QString::fromLatin1(button)));
        EXPECT_FALSE(shown.pages.isEmpty()) << button;
        return shown;
    }

    // Every text stands inside the page's margins; every word of the PDF
    // inside the box of a text that shows it.
    void expectAllTextInItsBoxes(const qv::ReportDocument& doc, const QString& pdf)
    {
        const qv::ReportLayout& l = layout;
        const QRect inside(l.leftMargin, l.topMargin, l.reportWidth(), l.pageHeight - l.topMargin - l.bottomMargin);
        for (int p = 0; p < doc.pageCount(); ++p)
            for (const qv::ReportItem& it : doc.pages[p].items)
                if (it.kind == qv::ReportItem::Text && !it.text.isEmpty())
                    EXPECT_TRUE(inside.contains(it.rect)) << "page " << p + 1 << " " << it.control.toStdString() << " "
                                                          << it.text.left(40).toStdString();
        if (!qvtest::canReadPdfText())
            return;
        const QList<qvtest::PdfPageWords> pages = qvtest::pdfPageWords(pdf);
        ASSERT_EQ(pages.size(), doc.pageCount());
        for (int p = 0; p < pages.size(); ++p)
            for (const qvtest::PdfWord& w : pages[p].words) {
                bool boxed = false;
                for (const qv::ReportItem& it : doc.pages[p].items) {
                    // Twips to points, with room for the glyphs' own overhang.
                    const QRectF box = QRectF(it.rect.x() / 20.0, it.rect.y() / 20.0, it.rect.width() / 20.0,
                                              it.rect.height() / 20.0)
                                           .adjusted(-1.5, -3, 1.5, 3);
                    if (it.kind == qv::ReportItem::Text && it.text.contains(w.text) && box.contains(w.box)) {
                        boxed = true;
                        break;
                    }
                }
                EXPECT_TRUE(boxed) << "page " << p + 1 << ": \"" << w.text.toStdString() << "\" at " << w.box.x() << ","
                                   << w.box.y() << " - " << w.box.right() << "," << w.box.bottom()
                                   << " lies outside every box that shows it";
            }
    }

    static QStringList pdfWordsOf(const QString& pdf)
    {
        QStringList words;
        for (const qvtest::PdfPageWords& page : qvtest::pdfPageWords(pdf))
            for (const qvtest::PdfWord& w : page.words)
                words << w.text;
        return words;
    }

    // The pieces a record's field shows, page by page, in order.
    static QList<QPair<int, qv::ReportItem>> piecesOf(const qv::ReportDocument& doc, const QString& control, int record)
    {
        QList<QPair<int, qv::ReportItem>> out;
        for (int p = 0; p < doc.pageCount(); ++p)
            for (const qv::ReportItem& it : doc.pages[p].items)
                if (it.control == control && it.record == record)
                    out << qMakePair(p, it);
        return out;
    }

    void SetUp() override
    {
        WindowFixture::SetUp();
        menu = &showWindow<ManagementMenu>();
        out = qEnvironmentVariable("QV_REPORT_OUT", db.folder());
        QDir().mkpath(out);
    }

    ManagementMenu* menu = nullptr;
    qv::ReportLayout layout;   // of the report last shown
    QString out;
};

TEST_F(ReportPrintouts, ALongClientNoteGoesOnOverPagesAndALongNameEndsInAnEllipsis)
{
    const QString note = numberedWords(QStringLiteral("n"), 1100);
    const QString name = QStringLiteral("Maximiliana Alexandra Featherstonehaugh-Worthington Thirdly");
    db.insert("Servicemenu", {{"CustomerID", "9001"}, {"CustomerName", name}, {"SalonArtist", "Maria"},
                              {"DateAppointment", QDate(2001, 7, 3)}, {"Memo", note}});
    const QString pdf = QDir(out).filePath(QStringLiteral("memo-list-long-note.pdf"));
    const qv::ReportDocument doc = printFrom("Command22", pdf);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();

    // The note reads on over several pages, whole and in order, each page's
    // part starting at the top of the page (under the page header).
    int record = -1;
    for (const qv::ReportPage& page : doc.pages)
        for (const qv::ReportItem& it : page.items)
            if (it.control == QStringLiteral("txtCustomerName") && it.text.startsWith(QStringLiteral("Maximiliana")))
                record = it.record;
    ASSERT_GE(record, 0);
    const QList<QPair<int, qv::ReportItem>> parts = piecesOf(doc, QStringLiteral("txtMemo"), record);
    ASSERT_GE(parts.size(), 3);
    QStringList read;
    for (int i = 0; i < parts.size(); ++i) {
        read << parts[i].second.text;
        if (i > 0) {
            EXPECT_EQ(parts[i].first, parts[i - 1].first + 1);
            int headerBottom = 0;
            for (const qv::ReportItem& h : doc.pages[parts[i].first].itemsIn(qv::ReportBand::PageHeader))
                headerBottom = std::max(headerBottom, h.rect.bottom());
            EXPECT_GT(parts[i].second.rect.top(), headerBottom);
            EXPECT_LT(parts[i].second.rect.top(), headerBottom + 300);
        }
    }
    EXPECT_EQ(read.join(QLatin1Char(' ')), note);

    // The name keeps to its field: its beginning and an ellipsis.
    const qv::ReportPage firstPart = doc.pages[parts.first().first];
    const qv::ReportItem* shownName = nullptr;
    for (const qv::ReportItem& it : firstPart.items)
        if (it.control == QStringLiteral("txtCustomerName") && it.record == record)
            shownName = &it;
    ASSERT_NE(shownName, nullptr);
    EXPECT_TRUE(shownName->text.endsWith(kEllipsis)) << shownName->text.toStdString();
    EXPECT_TRUE(name.startsWith(shownName->text.chopped(1).trimmed())) << shownName->text.toStdString();
    // The tickets after it follow the note's last part.
    const int lastPage = parts.last().first;
    for (const qv::ReportItem& it : doc.pages[lastPage].items)
        if (it.record > record)
            EXPECT_GE(it.rect.top(), parts.last().second.rect.bottom()) << it.text.toStdString();

    expectAllTextInItsBoxes(doc, pdf);
    if (!qvtest::canReadPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QStringList words = pdfWordsOf(pdf);
    EXPECT_EQ(words.filter(QRegularExpression(QStringLiteral("^n\\d{4}$"))), note.split(QLatin1Char(' ')));
    EXPECT_FALSE(words.contains(QStringLiteral("Thirdly")));
}

TEST_F(ReportPrintouts, ALongServiceNameAndALongStockCommentStayInsideTheirFieldsAndPages)
{
    const QString service = QStringLiteral("Keratin smoothing treatment with deep conditioning and scalp massage");
    db.insert("Servicemenu", {{"CustomerID", "9002"}, {"CustomerName", "Zoe Park"}, {"SalonArtist", "Jenny"},
                              {"DateAppointment", QDate(2001, 7, 4)}, {"Service", service}, {"ServicePrice1", 180.0},
                              {"QuantityService1", "1"}, {"Price", 180.0}, {"Totals", 180.0}});
    QString pdf = QDir(out).filePath(QStringLiteral("products-services-long-service.pdf"));
    qv::ReportDocument doc = printFrom("Command5", pdf);
    QStringList services;
    for (const qv::ReportPage& page : doc.pages)
        for (const qv::ReportItem& it : page.items)
            if (it.control == QStringLiteral("txtService") && it.text.startsWith(QStringLiteral("Keratin")))
                services << it.text;
    ASSERT_EQ(services.size(), 1);
    EXPECT_TRUE(services[0].endsWith(kEllipsis)) << services[0].toStdString();
    EXPECT_TRUE(service.startsWith(services[0].chopped(1).trimmed()));
    expectAllTextInItsBoxes(doc, pdf);
    if (qvtest::canReadPdfText())
        EXPECT_FALSE(pdfWordsOf(pdf).contains(QStringLiteral("massage")));

    // A comment longer than a page: it goes on over the page break, and the
    // item's other lines follow it in their order.
    const QString comment = numberedWords(QStringLiteral("c"), 900);
    db.insert("StockControl", {{"Item", "Long comment item"}, {"Category", "Zz last"}, {"Comment", comment},
                               {"Memo", "after the comment"}, {"Price", 9.5}, {"SystemStockNumber", "7777"}});
    pdf = QDir(out).filePath(QStringLiteral("inventory-long-comment.pdf"));
    doc = printFrom("Command6", pdf);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
    int record = -1;
    for (const qv::ReportPage& page : doc.pages)
        for (const qv::ReportItem& it : page.items)
            if (it.text == QStringLiteral("Long comment item"))
                record = it.record;
    ASSERT_GE(record, 0);
    const QList<QPair<int, qv::ReportItem>> parts = piecesOf(doc, QStringLiteral("txtComment"), record);
    ASSERT_GE(parts.size(), 2);
    QStringList read;
    for (const auto& part : parts)
        read << part.second.text;
    EXPECT_EQ(read.join(QLatin1Char(' ')), comment);
    const QList<QPair<int, qv::ReportItem>> memo = piecesOf(doc, QStringLiteral("txtMemo"), record);
    ASSERT_EQ(memo.size(), 1);
    EXPECT_EQ(memo[0].second.text, QStringLiteral("after the comment"));
    EXPECT_EQ(memo[0].first, parts.last().first);
    EXPECT_GE(memo[0].second.rect.top(), parts.last().second.rect.bottom());
    expectAllTextInItsBoxes(doc, pdf);
    if (qvtest::canReadPdfText())
        EXPECT_EQ(pdfWordsOf(pdf).filter(QRegularExpression(QStringLiteral("^c\\d{4}$"))), comment.split(QLatin1Char(' ')));
}

} // namespace
