#pragma once
// A client-side recordset: a snapshot of the rows a SELECT or SHAPE text
// returns, with a current row, edits that are written back to the table by
// rowid, and the notifications bound controls rely on.
//
// Values are QVariants: null (invalid QVariant), QString, double, qint64,
// bool, qv::Money, QDateTime.
#include "platform/data/database.h"
#include "platform/values/error.h"
#include <QList>
#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>

namespace qv {

enum class EditMode { None, InProgress, Add };

class Recordset : public QObject {
    Q_OBJECT
public:
    Recordset();
    ~Recordset() override;

    // Opens the SELECT or SHAPE text on the connection and positions on the
    // first row (raising moveComplete). The connection may be closed later:
    // a disconnected recordset keeps its rows and cannot write.
    void open(const QString& source, Connection& connection);
    // Opens on a connection string of its own, then detaches from it
    // (the lookup lists).
    void openDisconnected(const QString& source, const QString& connectionString);
    void close();
    bool isOpen() const;
    bool isReadOnly() const;

    // Position.
    bool bof() const;
    bool eof() const;
    // Open, positioned on a row, and that row not deleted.
    bool hasCurrentRecord() const;
    int recordCount() const;
    // 1-based; -1 unknown, -2 at BOF, -3 at EOF.
    int absolutePosition() const;
    void setAbsolutePosition(int position);
    // A bookmark keeps naming its row across moves and a Requery.
    double bookmark() const;
    void setBookmark(double bookmark);
    bool supportsBookmarks() const { return true; }
    bool supportsFind() const { return true; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // A move by zero rows puts pending box values into the row and shows it
    // again, without writing the table.
    void move(int rows);

    // Fields.
    int fieldCount() const;
    QString fieldName(int index) const;
    FieldType fieldType(int index) const;
    int fieldIndex(const QString& name) const;   // -1 when absent; case ignored
    QVariant value(const QString& field) const;  // throws when there is no current row
    QVariant value(int index) const;
    // Changes the current row (starting an edit). The value is converted to
    // the field's type; one that does not fit throws and the row keeps its old
    // value. An empty text sets null.
    void setValue(const QString& field, const QVariant& value);
    // Any row's value without moving (grids and lists): row is 0-based in the
    // recordset's order, as recordCount() counts; the current row shows its
    // pending changes.
    QVariant valueAt(int row, int field) const;
    // Every row's values of the given fields (0-based field indexes), in the
    // recordset's order, each as valueAt gives it, without moving: a whole
    // report's rows copied in one pass.
    QList<QVector<QVariant>> valuesOf(const QVector<int>& fields) const;
    // The same values handed over a row at a time (one value per field, in
    // the order given), so that a caller keeping them in a form of its own
    // never holds all of them at once.
    void forEachRow(const QVector<int>& fields, const std::function<void(const QVariant*)>& visit) const;
    bool isChanged(const QString& field) const;

    // Editing.
    EditMode editMode() const;
    void addNew();
    // Writes the current row's pending changes (only the changed fields).
    void update();
    // Writes every pending change of the recordset.
    void updateBatch();
    // Discards the current row's pending changes; after AddNew the row that
    // was current before becomes current again.
    void cancelUpdate();
    // Deletes the current row at once; the position stays until the next move.
    void deleteCurrent();
    // Reads the rows again and moves to the first; an error while adding or editing.
    void requery();
    // Reads the current row again from its table, as another window may have
    // saved it since: the bound boxes' texts go into the row first, and its
    // pending changes stay laid over what the table now holds; the row is
    // then shown again. An error when the table no longer holds the row. A
    // row being added is not in the table yet and is only shown again.
    void resync();

    // Find: the first row, from the current one on, whose field contains the
    // pattern ("*" and "?" act as wildcards, letter case ignored). Moves there
    // and returns true, or moves to EOF and returns false. The text is data,
    // never SQL.
    bool find(const QString& field, const QString& likePattern);

    // The chapter of the current row (SHAPE ... AS name): the related child
    // rows, read-only, positioned on the first. Chapter fields are not among
    // the recordset's fields. With no current row the chapter is empty.
    std::shared_ptr<Recordset> chapter(const QString& name) const;
    bool hasChapter(const QString& name) const;

    // Bound controls register a hook that writes their changed texts into the
    // current row; it runs before the row is left, saved or shown again.
    int addCommitHook(std::function<void()> hook);
    void removeCommitHook(int id);

    // Bytes the rows of this recordset take in memory (for measurements).
    std::size_t memoryUsed() const;

signals:
    // After every move, move by zero rows, save and Requery: the row is shown again.
    void moveComplete();
    // Before a row's values change or the row is saved.
    void willChangeRecord();

private:
    void openWith(const std::shared_ptr<detail::SqliteHandle>& handle, const QString& source, bool writable,
                  const QVariantList& params = {});
    void load();
    void runCommitHooks();
    void leaveRow();
    void purgeDeleted();
    void requireCurrent() const;
    void requireWritable() const;
    void save();
    void moveTo(long long position);

    struct Impl;
    std::unique_ptr<Impl> d;
    friend class Connection;
};

// "Cannot convert" and the other errors say which field and value.
QVariant convertForField(FieldType type, const QVariant& value, const QString& fieldName);

} // namespace qv
