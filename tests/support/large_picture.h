#pragma once
// A picture file as today's cameras write them, far larger than any screen,
// written without holding its pixels in memory.
#include <QColor>
#include <QSize>
#include <QString>

namespace qvtest {

// Writes an 8-bit RGB PNG of that size: its left half `left`, its right half
// `right`. False when the file cannot be written.
bool writeLargePng(const QString& path, QSize size, const QColor& left, const QColor& right);

} // namespace qvtest
