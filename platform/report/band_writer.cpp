#include "platform/report/band_writer.h"
#include <cmath>

namespace qv {

BandWriter::BandWriter(ReportSection& section, int lineHeight_)
    : lineHeight(lineHeight_), m_section(section)
{
}

ReportControl& BandWriter::add(ReportControl c)
{
    c.font = c.font.name.isEmpty() ? font : c.font;
    m_section.controls.append(std::move(c));
    ReportControl& added = m_section.controls.last();
    m_right = std::max(m_right, added.left + added.width);
    return added;
}

ReportControl& BandWriter::label(const QString& caption, int left, int width)
{
    ReportControl c;
    c.kind = ReportControl::Label;
    c.name = QStringLiteral("Label%1").arg(m_section.controls.size() + 1);
    c.caption = caption;
    c.left = left;
    c.top = y;
    c.font = font;
    c.width = width > 0 ? width : int(std::ceil(reportTextWidth(caption, font))) + 30;
    c.height = std::max(lineHeight - 30, int(std::ceil(reportTextHeight(caption, font, 0, false))));
    return add(std::move(c));
}

ReportControl& BandWriter::field(const QString& dataField, int left, int width, const QString& format)
{
    ReportControl c;
    c.kind = ReportControl::Field;
    c.name = QStringLiteral("txt") + dataField;
    c.dataField = dataField;
    c.format = format;
    c.left = left;
    c.top = y;
    c.width = width;
    c.font = font;
    c.height = std::max(lineHeight - 30, int(std::ceil(reportTextHeight(QStringLiteral("Xg"), font, 0, false))));
    return add(std::move(c));
}

int BandWriter::fieldStart(const ReportControl& label, int fieldLeft) const
{
    return std::max(fieldLeft, label.left + label.width + gap - 30);
}

ReportControl& BandWriter::captioned(const QString& caption, const QString& dataField, int left, int fieldLeft,
                                     int fieldWidth, const QString& format)
{
    const int start = fieldStart(label(caption, left), fieldLeft);
    return field(dataField, start, fieldWidth, format);
}

ReportControl& BandWriter::fieldLine(const QString& caption, const QString& dataField, int fieldLeft, int right,
                                     const QString& format)
{
    ReportControl& f = captioned(caption, dataField, 0, fieldLeft, 0, format);
    f.width = right - f.left;
    next();
    return f;
}

ReportControl& BandWriter::sum(const QString& dataField, int left, int width, const QString& format)
{
    ReportControl& c = field(dataField, left, width, format);
    c.kind = ReportControl::Function;
    c.name = QStringLiteral("sum") + dataField;
    return c;
}

ReportControl& BandWriter::captionedSum(const QString& caption, const QString& dataField, int left, int fieldLeft,
                                        int fieldWidth, const QString& format)
{
    const int start = fieldStart(label(caption, left), fieldLeft);
    return sum(dataField, start, fieldWidth, format);
}

ReportControl& BandWriter::frame(int left, int top, int width, int height)
{
    ReportControl c;
    c.kind = ReportControl::Frame;
    c.name = QStringLiteral("Shape%1").arg(m_section.controls.size() + 1);
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return add(std::move(c));
}

ReportControl& BandWriter::rule(int left, int width)
{
    ReportControl c;
    c.kind = ReportControl::Line;
    c.name = QStringLiteral("Line%1").arg(m_section.controls.size() + 1);
    c.left = left;
    c.top = y + lineHeight / 2;
    c.width = width;
    c.height = 0;
    return add(std::move(c));
}

void BandWriter::next(int lines)
{
    y += lines * lineHeight;
    m_right = 0;
}

void BandWriter::finish(int padding)
{
    int bottom = 0;
    for (const ReportControl& c : m_section.controls)
        bottom = std::max(bottom, c.top + c.height);
    m_section.height = bottom > 0 ? bottom + padding : 0;
}

} // namespace qv
