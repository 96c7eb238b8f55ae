#include "platform/forms/controls.h"
#include "platform/forms/row_reader.h"
#include "platform/forms/window.h"
#include "platform/values/convert.h"
#include <QAbstractItemView>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTextCharFormat>
#include <QWheelEvent>

namespace qv {

// --- DataList -------------------------------------------------------------

DataList::DataList(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &DataList::picked);
}

void DataList::keyPressEvent(QKeyEvent* e)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(e);
    if (currentRow() < 0 || currentRow() == before)
        return;
    if (!Window::pickAllowed(this)) {
        const QSignalBlocker quiet(this);
        setCurrentRow(before);
        return;
    }
    emit picked();
}

void DataList::mousePressEvent(QMouseEvent* e)
{
    // A click on an item, the current one too, is a pick: asked before the
    // list moves, so that a refused one leaves no trace.
    if (itemAt(e->position().toPoint()) && !Window::pickAllowed(this)) {
        e->accept();
        return;
    }
    QListWidget::mousePressEvent(e);
}

void DataList::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (itemAt(e->position().toPoint()) && !Window::pickAllowed(this)) {
        e->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(e);
}

void DataList::setRowSource(std::shared_ptr<Recordset> recordset, const QString& listField,
                            const QString& boundColumn)
{
    m_source = std::move(recordset);
    m_listField = listField;
    m_boundColumn = boundColumn.isEmpty() ? listField : boundColumn;
    m_bound.clear();
    clear();
    if (!m_source)
        return;
    const QList<QStringList> rows = readRows(*m_source, {m_listField, m_boundColumn});
    for (const QStringList& row : rows) {
        addItem(row.value(0));
        m_bound << row.value(1);
    }
}

QString DataList::boundText() const
{
    const int row = currentRow();
    return row >= 0 && row < m_bound.size() ? m_bound[row] : QString();
}

QString DataList::text() const
{
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

std::shared_ptr<Recordset> DataList::rowSource() const
{
    return m_source;
}

// --- DataCombo ------------------------------------------------------------

struct DataCombo::Impl {
    DataCombo* combo = nullptr;
    std::shared_ptr<Recordset> source;
    QString listField, boundColumn;
    QStringList bound;
    QPointer<Recordset> target;
    QString field;
    int hookId = -1;
    QMetaObject::Connection moved;
    QString shown;

    ~Impl() { detach(); }
    void detach()
    {
        if (target && hookId >= 0)
            target->removeCommitHook(hookId);
        hookId = -1;
        QObject::disconnect(moved);
        target = nullptr;
    }
    void show()
    {
        QString value;
        if (target && target->isOpen() && !target->bof() && !target->eof()) {
            try {
                value = formatValue(target->value(field), QString());
            } catch (const std::exception&) {
                value.clear();
            }
        }
        shown = value;
        combo->setText(value);
    }
    void commit()
    {
        if (!target)
            return;
        const QString text = combo->text();
        if (text == shown)
            return;
        target->setValue(field, combo->boundText());
        shown = text;
    }
};

PickList::PickList(QWidget* parent)
    : QComboBox(parent)
{
}

void PickList::keyPressEvent(QKeyEvent* e)
{
    const bool open = view() && view()->isVisible();
    const bool opens = e->key() == Qt::Key_F4 || (e->key() == Qt::Key_Space && !isEditable())
        || ((e->key() == Qt::Key_Down || e->key() == Qt::Key_Up) && (e->modifiers() & Qt::AltModifier));
    if (open || opens) {
        QComboBox::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        e->ignore();
        return;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!isEditable()) {
            e->ignore();
            return;
        }
        break;
    default:
        // A closed list searches its choices by the letters typed, and picks
        // what it finds: only one that is typed into takes them.
        if (!isEditable() && !e->text().isEmpty() && e->text().at(0).isPrint()) {
            e->ignore();
            return;
        }
        break;
    }
    QComboBox::keyPressEvent(e);
}

void PickList::wheelEvent(QWheelEvent* e)
{
    e->ignore();
}

DataCombo::DataCombo(QWidget* parent)
    : PickList(parent)
    , d(std::make_shared<Impl>())
{
    d->combo = this;
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void DataCombo::setRowSource(std::shared_ptr<Recordset> recordset, const QString& listField,
                             const QString& boundColumn)
{
    const QString keep = text();
    d->source = std::move(recordset);
    d->listField = listField;
    d->boundColumn = boundColumn.isEmpty() ? listField : boundColumn;
    d->bound.clear();
    clear();
    if (d->source) {
        const QList<QStringList> rows = readRows(*d->source, {d->listField, d->boundColumn});
        for (const QStringList& row : rows) {
            addItem(row.value(0));
            d->bound << row.value(1);
        }
    }
    setCurrentIndex(-1);
    setText(keep);
}

void DataCombo::bind(Recordset* recordset, const QString& field)
{
    d->detach();
    d->target = recordset;
    d->field = field;
    if (!recordset)
        return;
    std::weak_ptr<Impl> weak = d;
    d->hookId = recordset->addCommitHook([weak] {
        if (auto impl = weak.lock())
            impl->commit();
    });
    d->moved = connect(recordset, &Recordset::moveComplete, this, [weak] {
        if (auto impl = weak.lock())
            impl->show();
    });
    d->show();
}

void DataCombo::showPopup()
{
    emit listOpening();
    QComboBox::showPopup();
}

QString DataCombo::boundText() const
{
    const QString shownText = text();
    const int row = findText(shownText, Qt::MatchExactly);
    if (row >= 0 && row < d->bound.size())
        return d->bound[row];
    return shownText;   // typed text that is no entry of the list
}

QString DataCombo::text() const
{
    return currentText();
}

void DataCombo::setText(const QString& text)
{
    const int row = findText(text, Qt::MatchExactly);
    if (row >= 0) {
        setCurrentIndex(row);
    } else {
        setCurrentIndex(-1);
        if (isEditable())
            setEditText(text);
    }
}

// --- MonthCalendar --------------------------------------------------------

MonthCalendar::MonthCalendar(QWidget* parent)
    : QCalendarWidget(parent)
{
    setGridVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(this, &QCalendarWidget::clicked, this, &MonthCalendar::dayClicked);
    connect(this, &QCalendarWidget::currentPageChanged, this, &MonthCalendar::monthShown);
}

void MonthCalendar::setDayBold(const QDate& day, bool bold)
{
    QTextCharFormat format = dateTextFormat(day);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    setDateTextFormat(day, format);
}

void MonthCalendar::clearBold()
{
    setDateTextFormat(QDate(), QTextCharFormat());
}

QDate MonthCalendar::firstShownDay() const
{
    const QDate first(yearShown(), QCalendarWidget::monthShown(), 1);
    int back = (first.dayOfWeek() - int(firstDayOfWeek()) + 7) % 7;
    // The calendar always shows some days of the month before in its first row.
    if (back == 0)
        back = 7;
    return first.addDays(-back);
}

// --- PictureBox -----------------------------------------------------------

PictureBox::PictureBox(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QImage readPicture(const QString& path, QSize within, PictureRead how)
{
    if (path.isEmpty())
        return QImage();
    QImageReader reader(path);
    const QSize full = reader.size();
    if (full.isValid() && within.isValid() && (full.width() > within.width() || full.height() > within.height())) {
        // Readers that can (JPEG) decode only what is asked for; the others
        // decode the whole picture once and keep only that.
        if (how == PictureRead::Clip)
            reader.setClipRect(QRect(QPoint(0, 0), full.boundedTo(within)));
        else
            reader.setScaledSize(full.scaled(within, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    }
    // Qt refuses pictures past 256 MB of pixels: a 45-megapixel photo needs
    // three times that while it is decoded. Lifted for this read only; a
    // picture the memory cannot hold still fails here, as a null image.
    constexpr int kLimitMB = 4096;
    const int usualLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(kLimitMB);
    QImage image;
    const bool read = reader.read(&image);
    QImageReader::setAllocationLimit(usualLimit);
    return read ? image : QImage();
}

namespace {
// As far as a picture shown at its natural size can ever be seen: a screen,
// and beyond it the farthest a viewport's scroll bars shift it (32767 twips).
QSize shownPictureBounds()
{
    QSize screen(1920, 1080);
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->virtualSize();
    return screen + QSize(px(32767), px(32767));
}
} // namespace

bool PictureBox::loadPicture(const QString& path)
{
    const QImage picture = readPicture(path, shownPictureBounds(), m_stretch ? PictureRead::Fit : PictureRead::Clip);
    if (picture.isNull()) {
        clearPicture();
        return false;
    }
    m_path = path;
    setScaledContents(m_stretch);
    setPixmap(QPixmap::fromImage(picture));
    return true;
}

void PictureBox::clearPicture()
{
    clear();
    m_path.clear();
}

void PictureBox::setStretch(bool stretch)
{
    m_stretch = stretch;
    setScaledContents(stretch);
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    QLabel::mousePressEvent(e);
    emit clicked();
}

} // namespace qv
