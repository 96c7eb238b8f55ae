#pragma once
// A fresh program folder for one test: the database and backup live there.
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

} // namespace qvtest
