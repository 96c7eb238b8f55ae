#include "shell/data_folder.h"

#include "platform/data/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace shell {

namespace {

// The installation's files the program reads from its folder.
const char* const kInstallationData[] = {"Index.rtf", "TIPOFDAY.TXT", "TIPOFDAY1.TXT"};

void copyMissingInstallationData(const QDir& from, const QDir& to)
{
    for (const char* name : kInstallationData) {
        const QString source = from.filePath(QString::fromLatin1(name));
        const QString target = to.filePath(QString::fromLatin1(name));
        if (QFile::exists(target) || !QFile::exists(source))
            continue;
        // The installed file is read-only; the user's copy is theirs to edit.
        if (QFile::copy(source, target))
            QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    }
}

} // namespace

bool canWriteIn(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quorvel-XXXXXX")));
    return probe.open();   // removed again when the probe goes
}

QString chooseDataFolder(const QString& programFolder, const QString& userFolder)
{
    if (canWriteIn(programFolder))
        return programFolder;
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder) || !canWriteIn(userFolder))
        return programFolder;
    copyMissingInstallationData(QDir(programFolder), QDir(userFolder));
    return userFolder;
}

void useDataFolder()
{
    qv::ProgramFolder::setPath(chooseDataFolder(QCoreApplication::applicationDirPath(),
                                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
}

} // namespace shell
