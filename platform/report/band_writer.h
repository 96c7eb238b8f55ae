#pragma once
// Places the controls of one band line by line, so that a layout reads as the
// list of what it shows: labels, fields with their captions before them on
// the same line, sums, frames and rules. All positions in twips.
#include "platform/report/report.h"

namespace qv {

class BandWriter {
public:
    explicit BandWriter(ReportSection& section, int lineHeight = 250);

    ReportFont font;      // of the controls that follow
    int gap = 90;         // between a caption and its field
    int y = 0;            // top of the current line
    int lineHeight;

    // A label; width 0 fits its text. The reference lives until the next control.
    ReportControl& label(const QString& caption, int left, int width = 0);
    ReportControl& field(const QString& dataField, int left, int width, const QString& format = QString());
    // A caption and its field on the current line: the field starts at
    // fieldLeft, or right after the caption when that is wider.
    ReportControl& captioned(const QString& caption, const QString& dataField, int left, int fieldLeft,
                             int fieldWidth, const QString& format = QString());
    // A caption at the left edge and its field reaching to `right`, then the
    // next line: one field per line, as record listings show them.
    ReportControl& fieldLine(const QString& caption, const QString& dataField, int fieldLeft, int right,
                             const QString& format = QString());
    // A sum of the column over all rows.
    ReportControl& sum(const QString& dataField, int left, int width, const QString& format);
    ReportControl& captionedSum(const QString& caption, const QString& dataField, int left, int fieldLeft,
                                int fieldWidth, const QString& format);
    ReportControl& frame(int left, int top, int width, int height);
    ReportControl& rule(int left, int width);   // a horizontal line across the current line's middle

    // Where the next control may start on the current line.
    int right() const { return m_right; }
    void next(int lines = 1);
    // The band ends below its lowest control plus the padding.
    void finish(int padding = 60);

private:
    ReportControl& add(ReportControl c);
    // Where a field after the label starts: at fieldLeft, or past the label when that is wider.
    int fieldStart(const ReportControl& label, int fieldLeft) const;
    ReportSection& m_section;
    int m_right = 0;
};

} // namespace qv
