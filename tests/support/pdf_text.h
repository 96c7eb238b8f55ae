#pragma once
// Reading a printed PDF as a person searching or copying it would: the text
// layer of each page, through poppler's pdftotext.
#include <QString>
#include <QStringList>

namespace qvtest {

// True when pdftotext is at hand; tests that need it skip otherwise.
bool canReadPdfText();

// The text layer of every page, in page order; lines as pdftotext gives them
// with the page's layout kept (-layout). Fails the running test when the file
// cannot be read.
QList<QStringList> pdfPageLines(const QString& pdfPath);

// Turns the file's pages into PNG pictures at `dpi` next to it
// ("<stem>-1.png", ...) and returns their paths, for looking at.
QStringList pdfPagePictures(const QString& pdfPath, int dpi = 60);

} // namespace qvtest
