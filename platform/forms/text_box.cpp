#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/values/convert.h"
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace qv {

struct TextBox::Impl {
    TextBox* box = nullptr;
    QPointer<Recordset> rs;
    QString field;
    QString format;
    int hookId = -1;
    QMetaObject::Connection moved;
    // The text as the row last showed it; the box is changed when it differs.
    QString shown;
    bool selectOnFocus = false;

    ~Impl() { detach(); }
    void detach()
    {
        if (rs && hookId >= 0)
            rs->removeCommitHook(hookId);
        hookId = -1;
        QObject::disconnect(moved);
        rs = nullptr;
    }
};

TextBox::TextBox(QWidget* parent)
    : QLineEdit(parent)
    , d(std::make_shared<Impl>())
{
    d->box = this;
}

void TextBox::bind(Recordset* recordset, const QString& field, const QString& format)
{
    d->detach();
    d->field = field;
    d->format = format;
    d->rs = recordset;
    if (!recordset)
        return;
    std::weak_ptr<Impl> weak = d;
    d->hookId = recordset->addCommitHook([weak] {
        if (auto impl = weak.lock())
            impl->box->commit();
    });
    d->moved = connect(recordset, &Recordset::moveComplete, this, &TextBox::refresh);
    refresh();
}

void TextBox::unbind()
{
    d->detach();
}

QString TextBox::dataField() const
{
    return d->field;
}

QString TextBox::dataFormat() const
{
    return d->format;
}

Recordset* TextBox::dataSource() const
{
    return d->rs.data();
}

bool TextBox::isDirty() const
{
    return text() != d->shown;
}

void TextBox::commit()
{
    if (!d->rs || !isDirty())
        return;
    // The recordset converts the text by the field's type; a text the field
    // refuses throws and the row keeps its old value.
    const QString current = text();
    d->rs->setValue(d->field, current);
    d->shown = current;
}

void TextBox::refresh()
{
    QString value;
    Recordset* rs = d->rs.data();
    if (rs && rs->isOpen() && !rs->bof() && !rs->eof()) {
        try {
            value = formatValue(rs->value(d->field), d->format);
        } catch (const std::exception&) {
            value.clear();   // a deleted row shows empty, as no row does
        }
    }
    d->shown = value;
    setText(value);
    setCursorPosition(0);
}

void TextBox::setBoxText(const QString& text)
{
    setText(text);
}

void TextBox::setSelectOnFocus(bool on)
{
    d->selectOnFocus = on;
}

void TextBox::keyPressEvent(QKeyEvent* e)
{
    const int original = keyAsciiOf(e);
    if (keyPress && original != 0) {
        int keyAscii = original;
        Window::guard([&] { keyPress(keyAscii); });
        if (keyAscii == 0) {
            e->accept();
            return;
        }
        if (keyAscii != original) {
            QKeyEvent replaced(e->type(), e->key(), e->modifiers(), QString(QChar(keyAscii)),
                               e->isAutoRepeat(), e->count());
            QLineEdit::keyPressEvent(&replaced);
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void TextBox::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (d->selectOnFocus) {
        selectAll();
        // A mouse click that gave the focus would drop the selection again.
        QPointer<TextBox> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self && self->hasFocus())
                self->selectAll();
        });
    }
    if (gotFocus)
        Window::guard(gotFocus);
}

void TextBox::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (lostFocus)
        Window::guard(lostFocus);
}

} // namespace qv
