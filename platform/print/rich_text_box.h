#pragma once
// A rich-text box: formatted text that is stored and read as RTF. Bound to a
// text field of a recordset it shows the field whenever the row is shown
// again and writes its RTF back only when its text was changed. A stored
// value that is not RTF shows as plain text.
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QTextDocument>
#include <QTextEdit>
#include <memory>

namespace qv {

class Recordset;
class PageFormatter;

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);
    ~RichTextBox() override;

    void bind(Recordset* recordset, const QString& field);
    void unbind();
    QString dataField() const { return m_field; }
    Recordset* dataSource() const;
    bool isDirty() const;          // changed since the row was last shown
    // Writes the box into its field now if it changed.
    void commit();
    // Shows the field again.
    void refresh();

    // Loads a file: RTF when it starts with "{\rtf", plain text otherwise.
    // False (and an empty box) when the file cannot be read.
    bool loadFile(const QString& path);
    // The plain text; lines end in "\n".
    QString text() const;
    // Sets plain text, as typing would (the box counts as changed).
    void setText(const QString& text);
    // The content as RTF, and the content from RTF (or from plain text when
    // the value does not start with "{\rtf"); setting counts as a change.
    QString textRTF() const;
    void setTextRTF(const QString& value);

    // Draws, on the program's printer, the lines from character `firstChar`
    // on that fit whole into `rect` (twips in the printable area) when
    // `render` is set, and returns the first character that did not fit (the
    // text's length when all did; `firstChar` when not one line fits). The
    // layout is kept between calls until releaseFormatting().
    int formatRange(const QRectF& rect, int firstChar, bool render = true);
    void releaseFormatting();

    // How many times larger than its stored size the text is shown. A window
    // that rescales itself to the screen scales the box's font, and with
    // this the sizes written in the text go along; what the box stores
    // (textRTF, its field) and prints stays in the size of the window's
    // design, whatever the screen. 1 unless set.
    double displayScale() const { return m_displayScale; }
    void setDisplayScale(double scale);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void showValue(const QString& value);
    // The content with every size as stored: the shown sizes over the scale.
    std::unique_ptr<QTextDocument> storedDocument() const;
    // Multiplies the sizes written in the text (not the box's own font).
    void scaleWrittenSizes(double factor);
    QPointer<Recordset> m_recordset;
    QString m_field;
    int m_hook = -1;
    bool m_showing = false;   // the row's value is being shown: no change of the user's
    bool m_changed = false;
    double m_displayScale = 1.0;
    std::unique_ptr<PageFormatter> m_formatter;
};

} // namespace qv
