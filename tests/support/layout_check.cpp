#include "support/layout_check.h"

#include "support/user_hands.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <cmath>

namespace qvtest {

namespace {

// Below this the type is too small to read on the screens the salon has.
constexpr double kSmallestPoints = 8.0;

// Parts that belong to a composite control (a grid's scroll bars, a
// calendar's buttons, a combo's edit) are its own business.
bool insideComposite(const QWidget* w, const QWidget* window)
{
    for (const QWidget* up = w->parentWidget(); up && up != window; up = up->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(up) || qobject_cast<const QComboBox*>(up)
            || qobject_cast<const QCalendarWidget*>(up) || qobject_cast<const QAbstractSpinBox*>(up))
            return true;
    }
    return false;
}

bool shownOnScreen(const QWidget* w, const QWidget* window)
{
    for (const QWidget* up = w; up && up != window; up = up->parentWidget())
        if (up->isHidden())
            return false;
    return w->isVisibleTo(const_cast<QWidget*>(window));
}

QString plain(QString text)
{
    // A single "&" marks a shortcut and takes no room; "&&" shows one "&".
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// Text is laid out at fractions of a pixel: a text whose width is a hair
// over the room it has is cut, so widths are rounded up.
int advance(const QFont& font, const QString& text)
{
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

QSize textSize(const QFont& font, const QString& text)
{
    const QFontMetrics fm(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = qMax(width, advance(font, line));
    return QSize(width, fm.height() + int(lines.size() - 1) * fm.lineSpacing());
}

QString numbers(const QString& what, QSize need, QSize have)
{
    return QStringLiteral("%1 needs %2x%3, has %4x%5").arg(what).arg(need.width()).arg(need.height())
        .arg(have.width()).arg(have.height());
}

double pointsOf(const QFont& font, const QWidget* w)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return font.pixelSize() * 72.0 / qMax(1, w->logicalDpiY());
}

// ---------------------------------------------------------------- where text lies

// The room a label gives its text, inside its frame, margin and indent.
QRect labelRoom(const QLabel* label)
{
    QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
    if (indent > 0) {
        const Qt::Alignment a = label->alignment();
        if (a & Qt::AlignLeft)
            room.setLeft(room.left() + indent);
        if (a & Qt::AlignRight)
            room.setRight(room.right() - indent);
        if (a & Qt::AlignTop)
            room.setTop(room.top() + indent);
        if (a & Qt::AlignBottom)
            room.setBottom(room.bottom() - indent);
    }
    return room;
}

// Where the label draws its text, in its own coordinates.
QRect labelTextRect(const QLabel* label)
{
    const QString text = plain(label->text());
    const QRect room = labelRoom(label);
    const QFontMetrics fm(label->font());
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return fm.boundingRect(room, flags, text) & label->rect();
}

// Where a push or tool button draws its text, centred as the styles do.
QRect buttonTextRect(const QAbstractButton* button)
{
    const QSize need = textSize(button->font(), plain(button->text()));
    QRect r(QPoint(0, 0), need);
    r.moveCenter(button->rect().center());
    if (auto* tool = qobject_cast<const QToolButton*>(button)) {
        if (tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon)
            r.moveBottom(button->rect().bottom() - 3);
        else if (tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
            r.moveLeft(qMin(button->width() - need.width(), 3 + tool->iconSize().width() + 4));
    }
    return r & button->rect();
}

QRect textRectOf(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->textFormat() == Qt::RichText || label->text().isEmpty() || !label->pixmap().isNull())
            return QRect();
        return labelTextRect(label);
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        if (button->text().isEmpty() || qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
            return QRect();
        return buttonTextRect(button);
    }
    return QRect();
}

// ---------------------------------------------------------------- what paints where

// A plain container or a label paints only its frame, its text and its
// picture, unless it fills its background; everything else paints its whole
// rectangle.
bool paintsAt(const QWidget* w, QPoint local)
{
    if (w->autoFillBackground() || !w->styleSheet().isEmpty())
        return true;
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (!label->pixmap().isNull() || label->textFormat() == Qt::RichText)
            return true;
        if (label->frameShape() != QFrame::NoFrame && !label->contentsRect().contains(local))
            return true;
        return labelTextRect(label).contains(local);
    }
    if (auto* box = qobject_cast<const QGroupBox*>(w)) {
        const int titleBottom = box->contentsRect().top();
        return local.y() < titleBottom || !box->rect().adjusted(2, 2, -2, -2).contains(local);
    }
    if (auto* frame = qobject_cast<const QFrame*>(w)) {
        if (qobject_cast<const QAbstractScrollArea*>(w))
            return true;
        return frame->frameShape() != QFrame::NoFrame && !frame->contentsRect().contains(local);
    }
    if (QString::fromLatin1(w->metaObject()->className()) == QLatin1String("QWidget"))
        return false;
    return true;
}

// The topmost widget that paints at the point (in `parent`'s coordinates).
QWidget* painterAt(QWidget* parent, QPoint p)
{
    const QObjectList& children = parent->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto* c = qobject_cast<QWidget*>(*it);
        if (!c || c->isWindow() || c->isHidden() || !c->geometry().contains(p))
            continue;
        const QPoint local = p - c->pos();
        if (!qobject_cast<QAbstractScrollArea*>(c) && !qobject_cast<QComboBox*>(c)
            && !qobject_cast<QAbstractSpinBox*>(c) && !qobject_cast<QCalendarWidget*>(c))
            if (QWidget* inner = painterAt(c, local))
                return inner;
        if (paintsAt(c, local))
            return c;
    }
    return nullptr;
}

// ---------------------------------------------------------------- text in its control

void checkLabel(QLabel* label, const QString& name, QStringList& out)
{
    if (label->textFormat() == Qt::RichText || label->text().isEmpty() || !label->pixmap().isNull())
        return;
    const QString text = plain(label->text());
    const QRect room = labelRoom(label);
    const QFontMetrics fm(label->font());
    if (label->wordWrap()) {
        const int need = fm.boundingRect(room, Qt::TextWordWrap | label->alignment(), text).height();
        // A word longer than the line is cut even when wrapping.
        int longest = 0;
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            longest = qMax(longest, advance(label->font(), word));
        if (need > room.height() || longest > room.width())
            out << QStringLiteral("%1: caption \"%2\" is cut: %3")
                       .arg(name, text, numbers(QStringLiteral("wrapped"), QSize(longest, need), room.size()));
    } else {
        const QSize need = textSize(label->font(), text);
        if (need.width() > room.width() || need.height() > room.height())
            out << QStringLiteral("%1: caption \"%2\" is cut: %3")
                       .arg(name, text, numbers(QStringLiteral("text"), need, room.size()));
    }
}

void checkButton(QAbstractButton* button, const QString& name, QStringList& out)
{
    const QString text = plain(button->text());
    if (text.isEmpty())
        return;
    QWidget* w = button;
    const QStyle* style = w->style();
    const QSize textNeed = textSize(button->font(), text);
    QSize need = textNeed;
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        const bool check = qobject_cast<QCheckBox*>(w);
        need.rwidth() += style->pixelMetric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth,
                                            nullptr, w)
            + style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
    } else if (auto* tool = qobject_cast<QToolButton*>(w)) {
        // A tool button draws its label inside its frame; the text goes
        // under or beside the picture, or alone.
        const int frame = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
        const QSize icon = tool->icon().isNull() ? QSize() : tool->iconSize();
        switch (tool->toolButtonStyle()) {
        case Qt::ToolButtonIconOnly:
            return;
        case Qt::ToolButtonTextUnderIcon:
            need = QSize(qMax(icon.width(), textNeed.width()), icon.height() + 4 + textNeed.height());
            break;
        case Qt::ToolButtonTextBesideIcon:
            need = QSize(icon.width() + 4 + textNeed.width(), qMax(icon.height(), textNeed.height()));
            break;
        default:
            break;
        }
        need += QSize(frame, frame);
    } else {
        // A push button: its text stays inside the frame with a pixel of air
        // each side; a picture beside it takes its own room.
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
        need.rwidth() += 2 * (frame + 1);
        if (!button->icon().isNull())
            need.rwidth() += button->iconSize().width() + 4;
    }
    if (need.width() > button->width() || need.height() > button->height())
        out << QStringLiteral("%1: button \"%2\" is cut: %3").arg(name, text, numbers(QStringLiteral("text"), need, button->size()));
}

// A value of a grid or list in the words and the type its view shows it in.
QString shownText(const QAbstractItemView* view, const QStyledItemDelegate* delegate, const QModelIndex& index)
{
    const QVariant value = index.data(Qt::DisplayRole);
    return delegate ? delegate->displayText(value, view->locale()) : value.toString();
}

QFont fontOf(const QAbstractItemView* view, const QModelIndex& index)
{
    const QVariant own = index.data(Qt::FontRole);
    return own.canConvert<QFont>() ? own.value<QFont>().resolve(view->font()) : view->font();
}

// A grid: every header caption in its section, every value shown in its
// cell (in its delegate's words and font), no row lower than its type.
void checkTable(QTableView* view, const QString& name, QStringList& out)
{
    QAbstractItemModel* model = view->model();
    if (!model)
        return;
    QHeaderView* header = view->horizontalHeader();
    const int textMargin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    for (int col = 0; col < model->columnCount(); ++col) {
        if (view->isColumnHidden(col) || view->columnWidth(col) == 0)
            continue;
        const QString caption = model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
        if (!header->isHidden()) {
            QFont font = header->font();
            const QVariant headerFont = model->headerData(col, Qt::Horizontal, Qt::FontRole);
            if (headerFont.canConvert<QFont>())
                font = headerFont.value<QFont>().resolve(font);
            // A header that marks the current row's columns draws their captions bold.
            if (header->highlightSections() && view->selectionModel()
                && view->selectionModel()->columnIntersectsSelection(col, QModelIndex()))
                font.setBold(true);
            QStyleOptionHeader opt;
            opt.initFrom(header);
            opt.rect = QRect(0, 0, header->sectionSize(col), header->height());
            opt.section = col;
            opt.text = caption;
            opt.fontMetrics = QFontMetrics(font);
            const QRect label = header->style()->subElementRect(QStyle::SE_HeaderLabel, &opt, header);
            const QSize need = textSize(font, caption);
            if (need.width() > label.width() || need.height() > header->height())
                out << QStringLiteral("%1: column header \"%2\" is cut: %3")
                           .arg(name, caption, numbers(QStringLiteral("text"), need, label.size()));
        }
        auto* delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegateForColumn(col));
        if (!delegate)
            delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegate());
        for (int row = 0; row < model->rowCount(); ++row) {
            if (view->isRowHidden(row))
                continue;
            const QModelIndex index = model->index(row, col);
            const QRect cell = view->visualRect(index);
            if (cell.top() > view->viewport()->height())
                break;   // the rows below are seen by scrolling, as these are
            QString shown = shownText(view, delegate, index);
            if (shown.isEmpty())
                continue;
            const QFont font = fontOf(view, index);
            const QFontMetrics fm(font);
            if (shown.contains(QLatin1Char('\n'))) {
                // Lines are read as a whole in their own box: a grid shows the first.
                shown = shown.section(QLatin1Char('\n'), 0, 0);
            }
            const QSize need(advance(font, shown) + 2 * textMargin, fm.height());
            if (need.width() > cell.width() || need.height() > cell.height()) {
                out << QStringLiteral("%1: cell \"%2\" (row %3, column \"%4\") is cut: %5")
                           .arg(name, shown).arg(row).arg(caption, numbers(QStringLiteral("text"), need, cell.size()));
                break;
            }
        }
    }
}

// A grid's columns in sight. A grid whose columns would all fit across its
// window shows them all: a column seen only by scrolling sideways is easily
// never seen. A grid of more columns than its window is wide is read by
// scrolling, but its last column does not end just past the grid's edge,
// its values cut there. A grid whose rows can outgrow it is judged with the
// vertical scroll bar a long list brings, whether its rows need it now or not.
void checkColumnsInSight(QTableView* view, QWidget* window, const QString& name, QStringList& out)
{
    QAbstractItemModel* model = view->model();
    if (!model)
        return;
    QStringList hidden;
    int total = 0, last = -1;
    int room = view->viewport()->width();
    QString withBar;
    if (view->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && !view->verticalScrollBar()->isVisible()) {
        const int bar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view->verticalScrollBar());
        room -= bar;
        withBar = QStringLiteral(" once a long list brings its vertical scroll bar (%1 px)").arg(bar);
    }
    for (int col = 0; col < model->columnCount(); ++col) {
        if (view->isColumnHidden(col) || view->columnWidth(col) == 0)
            continue;
        total += view->columnWidth(col);
        last = col;
        if (total > room)
            hidden << QLatin1Char('"') + model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString()
                    + QLatin1Char('"');
    }
    if (total <= room)
        return;
    const int around = view->width() - room;   // its frame, and a scroll bar shown
    if (total + around <= window->width())
        out << QStringLiteral("%1: shows %2 only by scrolling sideways%3: the columns need %4, the grid shows %5, "
                              "its window is %6 wide")
                   .arg(name, hidden.join(QStringLiteral(", ")), withBar)
                   .arg(total).arg(room).arg(window->width());
    else if (total - view->columnWidth(last) < room)
        out << QStringLiteral("%1: its last column \"%2\" runs past the grid's edge%3: the columns need %4, the grid "
                              "has %5")
                   .arg(name, model->headerData(last, Qt::Horizontal, Qt::DisplayRole).toString(), withBar)
                   .arg(total).arg(room);
}

// A list (a drop-down's choices, a list box): every row whole in its line.
void checkList(QListView* view, const QString& name, QStringList& out)
{
    QAbstractItemModel* model = view->model();
    if (!model)
        return;
    const int textMargin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    auto* delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegate());
    const int column = view->modelColumn();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, column);
        const QRect line = view->visualRect(index);
        if (line.isEmpty() || line.top() > view->viewport()->height())
            continue;
        const QString shown = shownText(view, delegate, index);
        if (shown.isEmpty())
            continue;
        const QFont font = fontOf(view, index);
        const QFontMetrics fm(font);
        int iconRoom = 0;
        if (!index.data(Qt::DecorationRole).isNull())
            iconRoom = view->iconSize().isValid() ? view->iconSize().width() + 4 : 20;
        const QSize need(advance(font, shown) + 2 * textMargin + iconRoom, fm.height());
        const QRect room = line & view->viewport()->rect().adjusted(0, -line.height(), 0, line.height());
        if (need.width() > room.width() || need.height() > line.height()) {
            out << QStringLiteral("%1: row \"%2\" is cut: %3").arg(name, shown, numbers(QStringLiteral("text"), need, room.size()));
            break;
        }
    }
}

// A box of several lines: it offers a scroll bar only when there is
// something to scroll, and no short line wraps only because a scroll bar
// takes its room.
void checkLines(QAbstractScrollArea* area, QTextDocument* document, const QString& name, QStringList& out)
{
    QScrollBar* bar = area->verticalScrollBar();
    if (!bar || !bar->isVisible())
        return;
    if (bar->maximum() == 0 && !document->isEmpty())
        out << QStringLiteral("%1: shows a vertical scroll bar with nothing to scroll (%2 px of %3 wide taken)")
                   .arg(name).arg(bar->width()).arg(area->width());
    const int roomWithoutBar = area->viewport()->width() + bar->width();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() < 2)
            continue;
        const QFontMetricsF fm(block.charFormat().font().resolve(area->font()));
        const double need = fm.horizontalAdvance(block.text()) + 2 * document->documentMargin();
        if (need <= roomWithoutBar)
            out << QStringLiteral("%1: line \"%2\" wraps after \"%3\" only because the scroll bar takes %4 px")
                       .arg(name, block.text(), block.text().left(layout->lineAt(0).textLength()).trimmed())
                       .arg(bar->width());
    }
}

// A box of one line, or a closed drop-down: the value it shows whole in
// the room its frame leaves (a longer one would be read only by moving
// the caret along it, or not at all).
void checkBoxText(QLineEdit* box, const QString& name, QStringList& out)
{
    const QString shown = box->displayText();
    if (shown.isEmpty())
        return;
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.rect = box->rect();
    opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
    const QMargins margins = box->textMargins();
    // The box keeps two pixels clear on either side of its text.
    const QRect room = box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box)
                           .marginsRemoved(margins)
                           .adjusted(2, 0, -2, 0);
    const int need = advance(box->font(), shown);
    if (need > room.width())
        out << QStringLiteral("%1: value \"%2\" is cut: %3")
                   .arg(name, shown, numbers(QStringLiteral("text"), QSize(need, box->fontMetrics().height()), room.size()));
}

void checkComboText(QComboBox* combo, const QString& name, QStringList& out)
{
    if (combo->isEditable()) {
        if (combo->lineEdit())
            checkBoxText(combo->lineEdit(), name, out);
        return;
    }
    const QString shown = combo->currentText();
    if (shown.isEmpty())
        return;
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = false;
    opt.currentText = shown;
    opt.frame = combo->hasFrame();
    const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
    const int need = advance(combo->font(), shown);
    if (need > room.width())
        out << QStringLiteral("%1: choice \"%2\" is cut: %3")
                   .arg(name, shown, numbers(QStringLiteral("text"), QSize(need, combo->fontMetrics().height()), room.size()));
}

void checkText(QWidget* w, QWidget* window, const QString& name, QStringList& out)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        checkLabel(label, name, out);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        checkButton(button, name, out);
    else if (auto* table = qobject_cast<QTableView*>(w)) {
        checkTable(table, name, out);
        checkColumnsInSight(table, window, name, out);
    }
    else if (auto* list = qobject_cast<QListView*>(w))
        checkList(list, name, out);
    else if (auto* box = qobject_cast<QLineEdit*>(w))
        checkBoxText(box, name, out);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        checkComboText(combo, name, out);
    else if (auto* plainBox = qobject_cast<QPlainTextEdit*>(w))
        checkLines(plainBox, plainBox->document(), name, out);
    else if (auto* richBox = qobject_cast<QTextEdit*>(w))
        checkLines(richBox, richBox->document(), name, out);
}

bool carriesText(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->pixmap().isNull() && !label->text().isEmpty();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return !button->text().isEmpty();
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w)
        || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w);
}

void checkTypeSize(QWidget* w, const QString& name, QStringList& out)
{
    if (!carriesText(w))
        return;
    const double points = pointsOf(w->font(), w);
    if (points > 0 && points < kSmallestPoints - 0.05)
        out << QStringLiteral("%1: type of %2 points is smaller than %3").arg(name).arg(points, 0, 'f', 1).arg(kSmallestPoints);
}

// ---------------------------------------------------------------- covered controls and text

bool takesInput(QWidget* w)
{
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w)
        || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)
        || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QCalendarWidget*>(w);
}

// What lies on a control: the points of the control (of its text, for a
// caption, which paints nothing else) that another control paints over.
// A control wholly under another (a panel shown over the window) is hidden
// by it; one partly under another is cut by it, and its frame or text is
// lost there.
enum class Cover { None, Partly, Wholly };

struct Covering {
    Cover cover = Cover::None;
    QWidget* by = nullptr;
    QPoint at;
};

Covering coveringOf(QWidget* w, QWidget* window)
{
    const bool caption = qobject_cast<QLabel*>(w) != nullptr;
    const QRect area = caption ? textRectOf(w) : w->rect();
    Covering result;
    if (area.width() < 1 || area.height() < 1)
        return result;
    // Boxes of one kind may share their border line, as a table's cells do:
    // the line is drawn either way, whatever lies on it.
    QList<QRect> sharedBorders;
    if (QWidget* parent = w->parentWidget()) {
        for (QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (sibling == w || sibling->isHidden() || sibling->metaObject() != w->metaObject())
                continue;
            const QRect shared = w->geometry() & sibling->geometry();
            if (!shared.isEmpty() && qMin(shared.width(), shared.height()) <= 1)
                sharedBorders << shared.translated(-w->pos());
        }
    }
    const auto onSharedBorder = [&sharedBorders](QPoint local) {
        for (const QRect& r : sharedBorders)
            if (r.contains(local))
                return true;
        return false;
    };
    const int steps = caption ? 3 : 5;
    int inside = 0, covered = 0;
    for (int i = 0; i < steps; ++i) {
        for (int j = 0; j < steps; ++j) {
            const QPoint local(area.left() + (area.width() - 1) * i / (steps - 1),
                               area.top() + (area.height() - 1) * j / (steps - 1));
            const QPoint at = w->mapTo(window, local);
            if (!window->rect().contains(at) || onSharedBorder(local))
                continue;   // reported as lying outside, or a border it shares
            ++inside;
            QWidget* top = painterAt(window, at);
            if (!top || isPartOf(top, w))
                continue;
            if (!result.by) {
                result.by = top;
                result.at = at;
            }
            ++covered;
        }
    }
    if (covered > 0)
        result.cover = covered >= inside ? Cover::Wholly : Cover::Partly;
    return result;
}

// A panel shown over a window's controls hides them by design (a grid, a
// memo, an address): the cover is a container that fills its background
// and holds controls of its own, and the covered control is not inside it.
bool underPanel(QWidget* w, QWidget* cover)
{
    for (QWidget* up = cover; up; up = up->parentWidget()) {
        if (isPartOf(w, up))
            return false;   // the cover shares this container with the control
        const bool fills = up->autoFillBackground() || !up->styleSheet().isEmpty();
        if (fills && !up->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty()
            && !qobject_cast<QAbstractScrollArea*>(up))
            return true;
        if (up->isWindow())
            break;
    }
    return false;
}

// ---------------------------------------------------------------- frames

bool isFramedPanel(const QWidget* w)
{
    if (qobject_cast<const QGroupBox*>(w))
        return true;
    auto* frame = qobject_cast<const QFrame*>(w);
    return frame && QString::fromLatin1(w->metaObject()->className()) == QLatin1String("QFrame")
        && frame->frameShape() != QFrame::NoFrame;
}

// Framed panels side by side: neither runs into the other, and a panel's
// edge does not lie on the window's, where it would be lost.
void checkFrames(QWidget* window, const QList<QWidget*>& shown, QStringList& out)
{
    QList<QWidget*> panels;
    for (QWidget* w : shown)
        if (isFramedPanel(w))
            panels << w;
    for (int i = 0; i < panels.size(); ++i) {
        QWidget* a = panels[i];
        const QRect ra(a->mapTo(window, QPoint(0, 0)), a->size());
        if (a->parentWidget() == window && (ra.right() >= window->width() - 1 || ra.bottom() >= window->height() - 1)
            && ra.width() < window->width())
            out << QStringLiteral("%1: its frame runs to the window's edge: at %2,%3 size %4x%5 in %6x%7")
                       .arg(describe(a)).arg(ra.x()).arg(ra.y()).arg(ra.width()).arg(ra.height())
                       .arg(window->width()).arg(window->height());
        for (int j = i + 1; j < panels.size(); ++j) {
            QWidget* b = panels[j];
            if (a->parentWidget() != b->parentWidget())
                continue;
            const QRect overlap = a->geometry() & b->geometry();
            if (!overlap.isEmpty() && !a->geometry().contains(b->geometry()) && !b->geometry().contains(a->geometry()))
                out << QStringLiteral("%1: its frame runs into %2 by %3x%4 px")
                           .arg(describe(a), describe(b)).arg(overlap.width()).arg(overlap.height());
        }
    }
}

QList<QWidget*> shownControls(QWidget* window)
{
    QList<QWidget*> shown;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow() || insideComposite(w, window) || !shownOnScreen(w, window) || w->size().isEmpty())
            continue;
        if (w->objectName().startsWith(QStringLiteral("qt_")))
            continue;
        shown << w;
    }
    return shown;
}

// The choices of a drop-down the user has opened.
void checkOpenDropDowns(QWidget* window, QStringList& out)
{
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        QAbstractItemView* view = combo->view();
        if (!view || !view->isVisible())
            continue;
        if (auto* list = qobject_cast<QListView*>(view))
            checkList(list, describe(combo) + QStringLiteral(" list"), out);
    }
}

} // namespace

QStringList layoutFaults(QWidget* window, const QString& windowName, const LayoutChecks& checks)
{
    QStringList out;
    const QList<QWidget*> shown = shownControls(window);
    for (QWidget* w : shown) {
        const QString name = describe(w);
        QWidget* parent = w->parentWidget();
        const QRect inParent = w->geometry();
        if (parent && !parent->rect().contains(inParent)) {
            const QRect r = inParent;
            out << QStringLiteral("%1: lies outside %2: at %3,%4 size %5x%6 in %7x%8")
                       .arg(name, parent == window ? QStringLiteral("the window") : describe(parent))
                       .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(parent->width()).arg(parent->height());
        }
        if (!takesInput(w) && !carriesText(w))
            continue;
        const Covering covering = coveringOf(w, window);
        if (covering.cover == Cover::Wholly) {
            if (underPanel(w, covering.by))
                continue;   // hidden under a panel shown over it
            out << QStringLiteral("%1: wholly covered by %2").arg(name, describe(covering.by));
            continue;
        }
        if (covering.cover == Cover::Partly)
            out << QStringLiteral("%1: %2 is covered at %3,%4 by %5")
                       .arg(name, qobject_cast<QLabel*>(w) ? QStringLiteral("its text") : QStringLiteral("part of it"))
                       .arg(covering.at.x()).arg(covering.at.y()).arg(describe(covering.by));
        if (takesInput(w) && w->isEnabled()) {
            // Where the mouse goes: a caption lying on a button takes its
            // clicks even where the caption draws nothing.
            QWidget* hit = widgetAtCentreOf(w);
            if (!hit || !isPartOf(hit, w)) {
                const QPoint c = w->mapTo(window, w->rect().center());
                out << QStringLiteral("%1: a click at its centre %2,%3 reaches %4").arg(name).arg(c.x()).arg(c.y())
                           .arg(hit ? describe(hit) : QStringLiteral("nothing (outside the window)"));
            }
        }
        checkText(w, window, name, out);
        if (checks.typeSize)
            checkTypeSize(w, name, out);
    }
    checkFrames(window, shown, out);
    checkOpenDropDowns(window, out);
    for (QString& line : out)
        line.prepend(windowName + QStringLiteral(" ") + QString::number(window->width()) + QLatin1Char('x')
                     + QString::number(window->height()) + QStringLiteral(": "));
    return out;
}

} // namespace qvtest
