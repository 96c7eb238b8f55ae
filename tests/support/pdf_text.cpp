#include "support/pdf_text.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace qvtest {

bool canReadPdfText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

namespace {

// What pdftotext writes for the file in the given mode; a failure fails the test.
QString pdftotext(const QString& mode, const QString& pdfPath)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {mode, pdfPath, QStringLiteral("-")});
    if (!run.waitForFinished(60000) || run.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext could not read " << pdfPath.toStdString() << ": "
                      << run.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(run.readAllStandardOutput());
}

} // namespace

QList<QStringList> pdfPageLines(const QString& pdfPath)
{
    // Pages end in a form feed; the last one is followed by nothing.
    QStringList pages = pdftotext(QStringLiteral("-layout"), pdfPath).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    QList<QStringList> out;
    for (const QString& page : std::as_const(pages)) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        out << lines;
    }
    return out;
}

QList<PdfPageWords> pdfPageWords(const QString& pdfPath)
{
    const QString xhtml = pdftotext(QStringLiteral("-bbox"), pdfPath);
    static const QRegularExpression tag(QStringLiteral(
        "<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|"
        "<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    QList<PdfPageWords> pages;
    for (auto it = tag.globalMatch(xhtml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages.append(PdfPageWords{QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
            continue;
        }
        if (pages.isEmpty())
            continue;
        QString text = m.captured(7);
        text.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&apos;"), QLatin1String("'"))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        const QPointF topLeft(m.captured(3).toDouble(), m.captured(4).toDouble());
        const QPointF bottomRight(m.captured(5).toDouble(), m.captured(6).toDouble());
        pages.last().words.append(PdfWord{text, QRectF(topLeft, bottomRight)});
    }
    return pages;
}

QStringList pdfPagePictures(const QString& pdfPath, int dpi)
{
    const QFileInfo file(pdfPath);
    const QString stem = file.dir().filePath(file.completeBaseName());
    QProcess run;
    run.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), pdfPath, stem});
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return {};
    QStringList pictures;
    const QStringList names = file.dir().entryList({file.completeBaseName() + QStringLiteral("-*.png")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        pictures << file.dir().filePath(name);
    return pictures;
}

} // namespace qvtest
