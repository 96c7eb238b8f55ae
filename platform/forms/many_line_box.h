#pragma once
// A bound box of several lines. A record form binds, saves, cancels and shows
// its one-line boxes again on every move; a text of several lines needs an
// editor of several lines. This view shows and edits the text of such a box,
// which keeps the field out of sight and takes part in every save, cancel and
// move as the others do. The view follows the box's lock, selects its whole
// text when it gets the focus, and is named after the box with "_lines"
// unless the window names it otherwise.
#include <QPlainTextEdit>
#include <QPointer>

namespace qv {

class TextBox;

class ManyLineBox : public QPlainTextEdit {
    Q_OBJECT
public:
    // Takes the box's place: the box is hidden and the view is shown instead,
    // where the box lay and at its turn in the Tab order; the box's focus
    // hooks run when the view gets and loses the focus. Lines wrap at the
    // view's width and Tab moves on to the next control.
    ManyLineBox(TextBox* box, QWidget* parent);

    TextBox* box() const { return m_box; }

    // At most this many characters (0: no limit); longer text is cut there.
    void setMaxLength(int characters);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void showBoxText();
    void takeViewText();

    QPointer<TextBox> m_box;
    // The box as the events it sends name it: compared as a plain object, so
    // that the events of its own destruction, when it is a box no longer,
    // are never taken for a box's.
    const QObject* m_watched = nullptr;
    int m_maxLength = 0;
    bool m_syncing = false;
};

} // namespace qv
