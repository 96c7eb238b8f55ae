#pragma once
// Jump to a record by typing part of one field's value: an input box, then a
// search of the whole recordset from its first row for the field containing
// the typed text (letter case ignored, "*" and "?" acting as wildcards).
#include "platform/data/recordset.h"
#include <QString>

// Returns true when a record was found and made current. Nothing typed (or
// Cancel) changes nothing. When nothing matches, the not-found text followed
// directly by the typed text is shown and the record current before the find
// is current again. The typed text is data: an apostrophe matches itself.
// `typed`, when given, receives the text the user typed. A find over the
// records of a window adding or editing one is refused before it asks
// (RecordForm::mayFindIn).
bool findByText(qv::Recordset& rs, const QString& field, const QString& prompt, const QString& notFound,
                QString* typed = nullptr);

// findByText, after which, when something was typed, the record then current
// (the one found, or the one current before) is shown again: every box and
// grid bound to the recordset follows it. Errors of that showing are passed
// over.
bool findByTextAndShow(qv::Recordset& rs, const QString& field, const QString& prompt, const QString& notFound);
