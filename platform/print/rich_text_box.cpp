#include "platform/print/rich_text_box.h"
#include "platform/data/recordset.h"
#include "platform/forms/pasting.h"
#include "platform/print/page_formatter.h"
#include "platform/print/printer.h"
#include "platform/print/rtf.h"
#include <QFile>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace qv {

namespace {

// Multiplies every size written in the text; text without a size of its own
// follows the document's font and is left alone.
void scaleSizes(QTextDocument* doc, double factor)
{
    struct Run { int from, length; double points; };
    QList<Run> runs;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat cf = f.charFormat();
            if (cf.hasProperty(QTextFormat::FontPointSize) && cf.fontPointSize() > 0)
                runs.append({f.position(), f.length(), cf.fontPointSize() * factor});
        }
    QTextCursor cursor(doc);
    for (const Run& run : std::as_const(runs)) {
        cursor.setPosition(run.from);
        cursor.setPosition(run.from + run.length, QTextCursor::KeepAnchor);
        QTextCharFormat size;
        size.setFontPointSize(run.points);
        cursor.mergeCharFormat(size);
    }
}

} // namespace

RichTextBox::RichTextBox(QWidget* parent)
    : QTextEdit(parent)
{
    setAcceptRichText(true);
    // Tab moves on to the next control, as from every other box.
    setTabChangesFocus(true);
    // A page layout made for the old text is no good for the new one.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        releaseFormatting();
        if (!m_showing)
            m_changed = true;
    });
}

RichTextBox::~RichTextBox()
{
    unbind();
}

Recordset* RichTextBox::dataSource() const
{
    return m_recordset.data();
}

void RichTextBox::bind(Recordset* recordset, const QString& field)
{
    unbind();
    m_field = field;
    m_recordset = recordset;
    if (!recordset)
        return;
    QPointer<RichTextBox> self(this);
    m_hook = recordset->addCommitHook([self] {
        if (self)
            self->commit();
    });
    connect(recordset, &Recordset::moveComplete, this, &RichTextBox::refresh);
    refresh();
}

void RichTextBox::unbind()
{
    if (m_recordset) {
        if (m_hook >= 0)
            m_recordset->removeCommitHook(m_hook);
        disconnect(m_recordset, nullptr, this, nullptr);
    }
    m_hook = -1;
    m_recordset = nullptr;
}

bool RichTextBox::isDirty() const
{
    return m_changed;
}

void RichTextBox::commit()
{
    Recordset* rs = m_recordset.data();
    if (!rs || !isDirty() || !rs->isOpen() || rs->bof() || rs->eof())
        return;
    // An emptied box empties the field rather than storing an empty document.
    const QString value = document()->isEmpty() ? QString() : textRTF();
    rs->setValue(m_field, value);
    m_changed = false;
}

void RichTextBox::refresh()
{
    QString value;
    Recordset* rs = m_recordset.data();
    if (rs && rs->isOpen() && !rs->bof() && !rs->eof()) {
        try {
            value = rs->value(m_field).toString();
        } catch (const std::exception&) {
            value.clear();   // a deleted row shows empty
        }
    }
    showValue(value);
}

void RichTextBox::showValue(const QString& value)
{
    m_showing = true;
    setDocumentValue(document(), value);
    scaleWrittenSizes(m_displayScale);
    moveCursor(QTextCursor::Start);
    m_showing = false;
    m_changed = false;
}

bool RichTextBox::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("{\\rtf")) {
        // RTF is bytes; the reader decodes them by the file's own code page.
        readRtf(QString::fromLatin1(bytes), document());
        scaleWrittenSizes(m_displayScale);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8.decode(bytes);
        if (utf8.hasError()) {
            QStringDecoder ansi("windows-1252");
            text = ansi.isValid() ? ansi.decode(bytes) : QString::fromLatin1(bytes);
        }
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        document()->setPlainText(text);
    }
    moveCursor(QTextCursor::Start);
    return true;
}

QString RichTextBox::text() const
{
    return document()->toPlainText();
}

void RichTextBox::setText(const QString& text)
{
    document()->setPlainText(text);
}

QString RichTextBox::textRTF() const
{
    if (m_displayScale == 1.0)
        return writeRtf(*document());
    return writeRtf(*storedDocument());
}

void RichTextBox::setTextRTF(const QString& value)
{
    setDocumentValue(document(), value);
    scaleWrittenSizes(m_displayScale);
}

void RichTextBox::setDisplayScale(double scale)
{
    if (!(scale > 0) || scale == m_displayScale)
        return;
    // Showing the same text larger or smaller is no change of the user's.
    const bool wasShowing = m_showing;
    m_showing = true;
    scaleWrittenSizes(scale / m_displayScale);
    m_showing = wasShowing;
    m_displayScale = scale;
}

void RichTextBox::scaleWrittenSizes(double factor)
{
    if (factor == 1.0)
        return;
    // A rescaling is not a step the user could undo.
    QTextDocument* doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    scaleSizes(doc, factor);
    doc->setUndoRedoEnabled(undo);
}

std::unique_ptr<QTextDocument> RichTextBox::storedDocument() const
{
    std::unique_ptr<QTextDocument> stored(document()->clone());
    QFont base = document()->defaultFont();
    if (base.pointSizeF() > 0)
        base.setPointSizeF(base.pointSizeF() / m_displayScale);
    stored->setDefaultFont(base);
    scaleSizes(stored.get(), 1.0 / m_displayScale);
    return stored;
}

int RichTextBox::formatRange(const QRectF& rect, int firstChar, bool render)
{
    if (!m_formatter)
        m_formatter = m_displayScale == 1.0 ? std::make_unique<PageFormatter>(*document())
                                            : std::make_unique<PageFormatter>(*storedDocument());
    return m_formatter->formatRange(printer(), rect, firstChar, render);
}

void RichTextBox::releaseFormatting()
{
    m_formatter.reset();
}

bool RichTextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return offersSomethingToPaste(source) && QTextEdit::canInsertFromMimeData(source);
}

void RichTextBox::insertFromMimeData(const QMimeData* source)
{
    if (offersSomethingToPaste(source))
        QTextEdit::insertFromMimeData(source);
}

} // namespace qv
