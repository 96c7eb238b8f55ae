#pragma once
// Rich text is stored as RTF. The reader takes what word processors write:
// groups, paragraphs and line breaks, tabs, bold, italic, underline, strike,
// raised and lowered text, font table and sizes, colour table, paragraph
// alignment, indents and spacing, \'hh and \uN escapes; it skips the
// destinations it does not show (style sheet, document info, pictures,
// objects, headers and footers, field instructions and every {\*\...}).
// The writer writes the same subset.
#include <QString>

class QTextDocument;

namespace qv {

// True when the value is RTF: it starts with "{\rtf".
bool isRtf(const QString& value);

// Replaces the document's content by the RTF. Bytes above 127 in the text
// (and \'hh escapes) are read in the document's code page (Windows-1252
// unless \ansicpg says otherwise); characters above 255 are taken as they are.
void readRtf(const QString& rtf, QTextDocument* document);

// The document as RTF (7-bit: other characters as \uN escapes).
QString writeRtf(const QTextDocument& document);

// Sets the document from a stored value: RTF when isRtf(), plain text otherwise.
void setDocumentValue(QTextDocument* document, const QString& value);

} // namespace qv
