#include "platform/forms/many_line_box.h"
#include "platform/forms/controls.h"
#include "platform/forms/pasting.h"
#include "platform/forms/window.h"

#include <QFocusEvent>
#include <QTextCursor>

namespace qv {

ManyLineBox::ManyLineBox(TextBox* box, QWidget* parent)
    : QPlainTextEdit(parent), m_box(box)
{
    setObjectName(box->objectName() + QStringLiteral("_lines"));
    setTabChangesFocus(true);
    // The scroll bar comes when there is more to read than the box shows;
    // until then the lines have the box's whole width.
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setReadOnly(box->isReadOnly());
    // Where the box lay, and next in the Tab order after it.
    if (box->parentWidget() == parent) {
        setGeometry(box->geometry());
        QWidget::setTabOrder(box, this);
    }
    box->hide();
    box->setFocusPolicy(Qt::NoFocus);
    m_watched = box;
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this] { showBoxText(); });
    connect(this, &QPlainTextEdit::textChanged, this, [this] { takeViewText(); });
    showBoxText();
}

void ManyLineBox::setMaxLength(int characters)
{
    m_maxLength = characters;
    if (m_box && characters > 0)
        m_box->setMaxLength(characters);
    takeViewText();
}

void ManyLineBox::showBoxText()
{
    if (m_syncing || !m_box)
        return;
    // The box's text is what the row holds, whatever its line ends; showing
    // it must not count as typing, or every row shown would be saved again.
    m_syncing = true;
    const QString text = m_box->text();
    if (toPlainText() != text)
        setPlainText(text);
    m_syncing = false;
}

void ManyLineBox::takeViewText()
{
    if (m_syncing || !m_box)
        return;
    m_syncing = true;
    QString text = toPlainText();
    if (m_maxLength > 0 && text.size() > m_maxLength) {
        text.truncate(m_maxLength);
        setPlainText(text);
        moveCursor(QTextCursor::End);
    }
    if (m_box->text() != text)
        m_box->setBoxText(text);
    m_syncing = false;
}

bool ManyLineBox::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::ReadOnlyChange && watched == m_watched && m_box)
        setReadOnly(m_box->isReadOnly());
    return QPlainTextEdit::eventFilter(watched, e);
}

bool ManyLineBox::canInsertFromMimeData(const QMimeData* source) const
{
    return offersSomethingToPaste(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void ManyLineBox::insertFromMimeData(const QMimeData* source)
{
    if (offersSomethingToPaste(source))
        QPlainTextEdit::insertFromMimeData(source);
}

void ManyLineBox::focusInEvent(QFocusEvent* e)
{
    const bool keyboardBack = e->reason() == Qt::ActiveWindowFocusReason;
    const int caret = textCursor().position();
    QPlainTextEdit::focusInEvent(e);
    // As every bound box of a record form: the whole text is selected; but
    // the keyboard coming back to the window finds the caret where it was.
    if (e->reason() != Qt::PopupFocusReason && !keyboardBack)
        selectAll();
    // The window's handlers of the box's focus run for the view that shows it.
    if (m_box && m_box->gotFocus)
        Window::guard(m_box->gotFocus);
    if (keyboardBack) {
        QTextCursor cursor = textCursor();
        cursor.setPosition(caret);
        setTextCursor(cursor);
    }
}

void ManyLineBox::focusOutEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusOutEvent(e);
    if (m_box && m_box->lostFocus)
        Window::guard(m_box->lostFocus);
}

} // namespace qv
