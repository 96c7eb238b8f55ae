#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/values/convert.h"
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <unordered_map>

namespace qv {

namespace {

// The fields of a recordset as the boxes bound to it last saw them. It is
// connected to the recordset's moves before any of its boxes, so on every
// move it reads the field names first and the boxes then find their fields
// by name only when the names have changed (a recordset opened again on
// other rows): a form of many boxes shows a row without one lookup per box.
class FieldNames {
public:
    static std::shared_ptr<FieldNames> of(Recordset* rs)
    {
        static std::unordered_map<Recordset*, std::weak_ptr<FieldNames>> lists;
        auto it = lists.find(rs);
        if (it != lists.end())
            if (auto names = it->second.lock(); names && names->m_rs == rs)
                return names;
        std::erase_if(lists, [](const auto& entry) { return entry.second.expired(); });
        auto names = std::make_shared<FieldNames>(rs);
        lists[rs] = names;
        return names;
    }

    explicit FieldNames(Recordset* rs)
        : m_rs(rs)
    {
        read();
        m_moved = QObject::connect(rs, &Recordset::moveComplete, rs, [this] { read(); });
    }
    ~FieldNames() { QObject::disconnect(m_moved); }
    FieldNames(const FieldNames&) = delete;
    FieldNames& operator=(const FieldNames&) = delete;

    // Changes whenever the names do; never 0.
    quint64 version() const { return m_version; }

private:
    void read()
    {
        const bool open = m_rs && m_rs->isOpen();
        bool same = open == m_open;
        if (same && open) {
            const int count = m_rs->fieldCount();
            same = count == m_names.size();
            for (int i = 0; same && i < count; ++i)
                same = m_rs->fieldName(i) == m_names[i];
        }
        if (same && m_version != 0)
            return;
        m_open = open;
        m_names.clear();
        if (open)
            for (int i = 0; i < m_rs->fieldCount(); ++i)
                m_names << m_rs->fieldName(i);
        static quint64 versions = 0;
        m_version = ++versions;
    }

    QPointer<Recordset> m_rs;
    QMetaObject::Connection m_moved;
    bool m_open = false;
    QStringList m_names;
    quint64 m_version = 0;
};

} // namespace

struct TextBox::Impl {
    TextBox* box = nullptr;
    QPointer<Recordset> rs;
    QString field;
    QString format;
    int hookId = -1;
    QMetaObject::Connection moved;
    std::shared_ptr<FieldNames> names;
    int fieldIndex = -1;          // where the field was found...
    quint64 foundInVersion = 0;   // ...among these names
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
        names.reset();
        foundInVersion = 0;
    }

    // The field's index, found again only when the names have changed since.
    int index()
    {
        if (foundInVersion != names->version()) {
            fieldIndex = rs->fieldIndex(field);
            foundInVersion = names->version();
        }
        return fieldIndex;
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
    // The names are connected first, so that they are read before the box shows a move.
    d->names = FieldNames::of(recordset);
    d->moved = connect(recordset, &Recordset::moveComplete, this, [this] { showRow(true); });
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
    showRow(false);
}

void TextBox::showRow(bool moved)
{
    QString value;
    Recordset* rs = d->rs.data();
    if (rs && rs->isOpen() && !rs->bof() && !rs->eof()) {
        try {
            // On a move the names were just read; otherwise they may be stale.
            value = formatValue(moved ? rs->value(d->index()) : rs->value(d->field), d->format);
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
    // The keyboard coming back to the window (after a message box, a
    // question answered Cancel, another window) finds the box as the user
    // left it: the caret where it was and nothing selected, so that the next
    // key does not replace what was typed.
    if (e->reason() == Qt::ActiveWindowFocusReason) {
        const int caret = cursorPosition();
        QLineEdit::focusInEvent(e);
        if (gotFocus)
            Window::guard(gotFocus);
        deselect();
        setCursorPosition(caret);
        return;
    }
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
