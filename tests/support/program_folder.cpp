#include "support/program_folder.h"
#include "platform/data/database.h"

#include <QDir>
#include <QFile>

namespace qvtest {

TempProgramFolder::TempProgramFolder()
    : m_previous(qv::ProgramFolder::path())
{
    qv::ProgramFolder::setPath(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    qv::ProgramFolder::setPath(m_previous);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace qvtest
