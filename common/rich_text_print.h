#pragma once
// Rich-text printing: the whole formatted content of a rich-text box on the
// program's printer, page after page, inside margins measured in twips from
// the edges of the sheet. Whatever the caller printed before stays on the
// first page; the job is ended afterwards (the caller's own end of document
// then does nothing).
#include <QTextDocument>

namespace qv { class RichTextBox; }

// Lines are never cut between pages; every page uses the same rectangle. A
// rectangle that cannot hold even one line ends the job there.
// Printer errors (no printer) are raised to the caller.
void printRichText(qv::RichTextBox& box, int leftMargin, int topMargin, int rightMargin, int bottomMargin);
void printRichText(const QTextDocument& document, int leftMargin, int topMargin, int rightMargin, int bottomMargin);
