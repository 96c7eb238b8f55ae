#include "platform/print/rich_text_box.h"
#include "platform/data/recordset.h"
#include "platform/print/page_formatter.h"
#include "platform/print/printer.h"
#include "platform/print/rtf.h"
#include <QFile>
#include <QStringDecoder>
#include <QTextDocument>

namespace qv {

RichTextBox::RichTextBox(QWidget* parent)
    : QTextEdit(parent)
{
    setAcceptRichText(true);
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
    return writeRtf(*document());
}

void RichTextBox::setTextRTF(const QString& value)
{
    setDocumentValue(document(), value);
}

int RichTextBox::formatRange(const QRectF& rect, int firstChar, bool render)
{
    if (!m_formatter)
        m_formatter = std::make_unique<PageFormatter>(*document());
    return m_formatter->formatRange(printer(), rect, firstChar, render);
}

void RichTextBox::releaseFormatting()
{
    m_formatter.reset();
}

} // namespace qv
