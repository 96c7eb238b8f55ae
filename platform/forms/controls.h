#pragma once
// Bound controls: text boxes bound to a recordset's field with a display
// format, a read-only data grid over a recordset or a chapter, a data list and
// a data combo filled from a recordset, a month calendar and picture boxes.
#include "platform/data/recordset.h"
#include <QCalendarWidget>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <functional>
#include <memory>

namespace qv {

// A text box. Bound to a field, it shows the field in its format whenever the
// row is shown again; text typed or written into it stays as written until
// then; only a box whose text changed is written back into its field,
// converted by the field's type. Two boxes on one field mirror each other.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    void bind(Recordset* recordset, const QString& field, const QString& format = QString());
    void unbind();
    QString dataField() const;
    QString dataFormat() const;
    Recordset* dataSource() const;
    bool isDirty() const;              // text changed since the row was last shown
    // Writes the text into the field now if it changed (throws on a value the field refuses).
    void commit();
    // Shows the field again in its format.
    void refresh();

    // Sets the text as a program write (marks the box changed, like typing).
    void setBoxText(const QString& text);

    // Key-press hook: set keyAscii to 0 to swallow the key.
    std::function<void(int& keyAscii)> keyPress;
    std::function<void()> gotFocus;
    std::function<void()> lostFocus;
    // Selects the whole text when the box gets the focus.
    void setSelectOnFocus(bool on);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void showRow(bool moved);
    struct Impl;
    std::shared_ptr<Impl> d;
};

struct GridColumn {
    QString field;
    QString caption;
    QString format;
    int widthTwips = 0;
    // A value as long as the longest the column ordinarily shows: a column
    // given a width is never narrower than this text needs in the grid's type.
    QString room = QString();
};

// Read-only grid; it shares the current row with its recordset: picking a row
// moves the recordset, a move of the recordset selects the row.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;
    // Empty columns: every field, captioned by its name. A column without a
    // width is as wide as its caption and the values it shows need. A column
    // the user has widened or narrowed keeps that width, whatever rows the
    // grid is given next, for as long as the grid lives.
    void setDataSource(std::shared_ptr<Recordset> recordset, const QList<GridColumn>& columns = {});
    std::shared_ptr<Recordset> dataSource() const;
    void refresh();
    // Called when the user picks a row, before the recordset moves; return false to refuse the move.
    std::function<bool()> beforeRowPick;

    // Columns given a width keep it times this factor (1 unless the window
    // has rescaled the grid); scaling multiplies the widths shown now too.
    void scaleColumns(double factor);
    double columnScale() const;

signals:
    void rowPicked();

protected:
    // Rows are as high as the grid's type needs, whatever type it is given.
    void changeEvent(QEvent* e) override;

private:
    void rowShownAgain();
    void selectCurrentRow();
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A list filled from a recordset: shows listField, bound column gives boundText.
class DataList : public QListWidget {
    Q_OBJECT
public:
    explicit DataList(QWidget* parent = nullptr);
    void setRowSource(std::shared_ptr<Recordset> recordset, const QString& listField, const QString& boundColumn = QString());
    QString boundText() const;       // the bound column of the picked row
    QString text() const;            // the list field of the picked row
    std::shared_ptr<Recordset> rowSource() const;

signals:
    // The user picked an item: a click on one (the same one again too), or a
    // key that moved to another. The focus arriving on the list makes its
    // first item current without any pick, and so does the program setting
    // the current item. A pick the list's window refuses (Window::mayPick)
    // leaves the list as it was and is no pick.
    void picked();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    std::shared_ptr<Recordset> m_source;
    QString m_listField, m_boundColumn;
    QStringList m_bound;
};

// A drop-down list whose choice is written somewhere (a record's box): it
// picks only when the user means it, by a click on a choice or Enter in the
// open list. While it is closed the wheel passes over it and the moving
// keys (Up, Down, Page Up, Page Down, and Home and End unless typed into)
// are left to the window, which moves between records with them; a closed
// list that cannot be typed into takes no letters either. Alt+Down, F4 and
// Space still open it.
class PickList : public QComboBox {
    Q_OBJECT
public:
    explicit PickList(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
};

// A drop-down combo filled from a recordset; it may also be bound to a field
// of another recordset (DataField), whose value it shows and writes.
class DataCombo : public PickList {
    Q_OBJECT
public:
    explicit DataCombo(QWidget* parent = nullptr);
    void setRowSource(std::shared_ptr<Recordset> recordset, const QString& listField, const QString& boundColumn = QString());
    void bind(Recordset* recordset, const QString& field);
    QString boundText() const;
    QString text() const;
    void setText(const QString& text);

signals:
    // The list is about to drop down: a window whose list should show its
    // rows as they are at that moment fills it again here.
    void listOpening();

protected:
    void showPopup() override;

private:
    struct Impl;
    std::shared_ptr<Impl> d;
};

// A month calendar whose days are clicked, with days that can be shown bold.
class MonthCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget* parent = nullptr);
    void setDayBold(const QDate& day, bool bold);
    void clearBold();
    // Days of the shown month, so that callers can mark them.
    QDate firstShownDay() const;
signals:
    void dayClicked(const QDate& day);
    void monthShown(int year, int month);
};

// Reads a picture file no larger than it is shown or printed: with Clip only
// the part from its top-left corner that fits in `within` (a picture shown at
// its natural size), with Fit the whole picture scaled down to fit in
// `within`, proportions kept (a picture printed or stretched). A picture
// within the bounds is read whole. A camera's picture far beyond Qt's usual
// memory limit is read too; a null image when the file cannot be read.
enum class PictureRead { Clip, Fit };
QImage readPicture(const QString& path, QSize within, PictureRead how);

// A picture loaded from a file path; scaled or clipped as the window wants.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    // False (and an empty picture) when the file cannot be read. A picture
    // larger than any screen is read only as far as it can ever be seen:
    // the screen's size and the farthest the viewports scroll.
    bool loadPicture(const QString& path);
    void clearPicture();
    void setStretch(bool stretch);
    QString picturePath() const { return m_path; }
signals:
    void clicked();
protected:
    void mousePressEvent(QMouseEvent* e) override;
private:
    QString m_path;
    bool m_stretch = false;
};

} // namespace qv
