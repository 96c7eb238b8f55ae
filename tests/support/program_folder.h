#pragma once
// A fresh program folder for one test: the database and backup live there.
#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QString>

namespace qvtest {

class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray fileBytes(const QString& path);
// The names in a folder, hidden ones too, sorted.
QStringList folderEntries(const QString& folder);

} // namespace qvtest
