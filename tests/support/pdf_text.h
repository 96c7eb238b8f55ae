#pragma once
// Reading a printed PDF as a person searching or copying it would: the text
// layer of each page, through poppler's pdftotext.
#include <QRectF>
#include <QString>
#include <QStringList>

namespace qvtest {

// True when pdftotext is at hand; tests that need it skip otherwise.
bool canReadPdfText();

// The text layer of every page, in page order; lines as pdftotext gives them
// with the page's layout kept (-layout). Fails the running test when the file
// cannot be read.
QList<QStringList> pdfPageLines(const QString& pdfPath);

// A word of a PDF page as pdftotext -bbox finds it: its text and its box in
// points from the page's top-left corner.
struct PdfWord {
    QString text;
    QRectF box;
};
struct PdfPageWords {
    QSizeF size;   // points
    QList<PdfWord> words;
};
// Every page's words with their boxes, in page order.
QList<PdfPageWords> pdfPageWords(const QString& pdfPath);

// Turns the file's pages into PNG pictures at `dpi` next to it
// ("<stem>-1.png", ...) and returns their paths, for looking at.
QStringList pdfPagePictures(const QString& pdfPath, int dpi = 60);

} // namespace qvtest
