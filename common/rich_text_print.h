#pragma once
// Rich-text printing: the whole formatted content of a rich-text box on the
// program's printer, page after page, inside margins measured in twips from
// the edges of the sheet. Whatever the caller printed before stays on the
// first page; the job is ended afterwards (the caller's own end of document
// then does nothing).
#include <QTextDocument>

namespace qv { class RichTextBox; }

// Lines are never cut between pages; every page uses the same rectangle, but
// that on the first page the content never starts above the print position,
// so that it cannot be drawn over what the caller printed there (it goes on
// the next page when not one line fits below). A whole page that cannot hold
// even one line ends the job there.
// Printer errors (no printer) are raised to the caller.
void printRichText(qv::RichTextBox& box, int leftMargin, int topMargin, int rightMargin, int bottomMargin);
void printRichText(const QTextDocument& document, int leftMargin, int topMargin, int rightMargin, int bottomMargin);
