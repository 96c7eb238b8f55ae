#include "support/layout_check.h"

#include "support/user_hands.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <QToolButton>

namespace qvtest {

namespace {

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

QSize textSize(const QFontMetrics& fm, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = qMax(width, fm.horizontalAdvance(line));
    return QSize(width, fm.height() + (lines.size() - 1) * fm.lineSpacing());
}

QString numbers(const QString& what, QSize need, QSize have)
{
    return QStringLiteral("%1 needs %2x%3, has %4x%5").arg(what).arg(need.width()).arg(need.height())
        .arg(have.width()).arg(have.height());
}

void checkText(QWidget* w, const QString& name, QStringList& out)
{
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->textFormat() == Qt::RichText || label->text().isEmpty() || label->pixmap().isNull() == false)
            return;
        const QString text = plain(label->text());
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                          -label->margin());
        const QFontMetrics fm(label->font());
        if (label->wordWrap()) {
            const int need = fm.boundingRect(room, Qt::TextWordWrap | label->alignment(), text).height();
            // A word longer than the line is cut even when wrapping.
            int longest = 0;
            for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                longest = qMax(longest, fm.horizontalAdvance(word));
            if (need > room.height() || longest > room.width())
                out << QStringLiteral("%1: caption \"%2\" is cut: %3").arg(name, text,
                                                                          numbers(QStringLiteral("wrapped"), QSize(longest, need), room.size()));
        } else {
            const QSize need = textSize(fm, text);
            if (need.width() > room.width() || need.height() > room.height())
                out << QStringLiteral("%1: caption \"%2\" is cut: %3").arg(name, text, numbers(QStringLiteral("text"), need, room.size()));
        }
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        const QString text = plain(button->text());
        if (text.isEmpty())
            return;
        const QFontMetrics fm(button->font());
        QSize need = textSize(fm, text);
        int extra = 0;
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            const QStyle* style = w->style();
            const bool check = qobject_cast<QCheckBox*>(w);
            extra = style->pixelMetric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth, nullptr, w)
                + style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
        } else {
            // A push button's frame and the room the style keeps beside its text.
            // A push button keeps its frame and a pixel of air each side of its text.
            extra = 2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w) + 2;
            if (!button->icon().isNull())
                extra += button->iconSize().width() + 4;
        }
        need.rwidth() += extra;
        if (need.width() > button->width() || need.height() > button->height())
            out << QStringLiteral("%1: button \"%2\" is cut: %3").arg(name, text, numbers(QStringLiteral("text"), need, button->size()));
        return;
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        auto* table = qobject_cast<QTableView*>(w);
        QHeaderView* header = table ? table->horizontalHeader() : nullptr;
        if (!header || header->isHidden() || !view->model())
            return;
        const QFontMetrics fm(header->font());
        const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int col = 0; col < view->model()->columnCount(); ++col) {
            if (header->isSectionHidden(col) || header->sectionSize(col) == 0)
                continue;
            const QString text = view->model()->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
            const int need = textSize(fm, text).width() + margin;
            if (need > header->sectionSize(col))
                out << QStringLiteral("%1: column header \"%2\" is cut: needs %3, has %4").arg(name, text).arg(need)
                           .arg(header->sectionSize(col));
            // The rows on screen: a value cut in its cell reads as another value.
            const QFontMetrics cellFm(view->font());
            const int cellMargin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
            for (int row = 0; row < view->model()->rowCount(); ++row) {
                const QRect cell = view->visualRect(view->model()->index(row, col));
                if (cell.top() > view->viewport()->height())
                    break;
                const QString value = view->model()->index(row, col).data(Qt::DisplayRole).toString();
                if (value.contains(QLatin1Char('\n')))
                    continue;   // notes of several lines are read in their own box
                const int needCell = cellFm.horizontalAdvance(value) + cellMargin;
                if (needCell > header->sectionSize(col)) {
                    out << QStringLiteral("%1: cell \"%2\" (row %3, column \"%4\") is cut: needs %5, has %6")
                               .arg(name, value).arg(row).arg(text).arg(needCell).arg(header->sectionSize(col));
                    break;
                }
            }
        }
    }
}

bool takesInput(QWidget* w)
{
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w)
        || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)
        || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QCalendarWidget*>(w);
}

} // namespace

QStringList layoutFaults(QWidget* window, const QString& windowName)
{
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow() || insideComposite(w, window) || !shownOnScreen(w, window) || w->size().isEmpty())
            continue;
        if (w->objectName().startsWith(QStringLiteral("qt_")))
            continue;
        const QString name = describe(w);
        QWidget* parent = w->parentWidget();
        const QRect inParent = w->geometry();
        if (parent && !parent->rect().contains(inParent)) {
            const QRect r = inParent;
            out << QStringLiteral("%1: lies outside %2: at %3,%4 size %5x%6 in %7x%8")
                       .arg(name, parent == window ? QStringLiteral("the window") : describe(parent))
                       .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(parent->width()).arg(parent->height());
        }
        if (takesInput(w) && w->isEnabled()) {
            QWidget* hit = widgetAtCentreOf(w);
            if (!hit || !isPartOf(hit, w)) {
                const QPoint c = w->mapTo(window, w->rect().center());
                out << QStringLiteral("%1: covered at its centre %2,%3 by %4").arg(name).arg(c.x()).arg(c.y())
                           .arg(hit ? describe(hit) : QStringLiteral("nothing (outside the window)"));
            }
        }
        checkText(w, name, out);
    }
    for (QString& line : out)
        line.prepend(windowName + QStringLiteral(" ") + QString::number(window->width()) + QLatin1Char('x')
                     + QString::number(window->height()) + QStringLiteral(": "));
    return out;
}

} // namespace qvtest
