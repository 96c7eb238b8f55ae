#include "shell/data_folder.h"

#include "platform/data/database.h"
#include "platform/services/services.h"

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

// The salon's own data, as the program folder holds it when the program
// was run from there before (or the salon put its files there).
const char* const kSalonData[] = {"KVD.mdb", "KVD.tmp"};

// Copies the salon's data into the user's folder that holds none yet; a
// partial copy never takes the real name. Empty when nothing was to be
// copied, else what the user is told.
QString moveInSalonData(const QDir& from, const QDir& to)
{
    for (const char* name : kSalonData) {
        if (QFile::exists(to.filePath(QString::fromLatin1(name))))
            return QString();
    }
    const QString database = from.filePath(QStringLiteral("KVD.mdb"));
    if (!QFile::exists(database) && !QFile::exists(from.filePath(QStringLiteral("KVD.tmp"))))
        return QString();
    for (const char* name : kSalonData) {
        const QString source = from.filePath(QString::fromLatin1(name));
        const QString target = to.filePath(QString::fromLatin1(name));
        if (!QFile::exists(source))
            continue;
        const QString part = target + QStringLiteral(".part");
        QFile::remove(part);
        QFile in(source);
        if (!in.copy(part) || !QFile::rename(part, target)) {
            QFile::remove(part);
            return QStringLiteral("Quorvel cannot save changes in \"%1\", where the salon's data lies, and could "
                                  "not copy \"%2\" to \"%3\": %4")
                .arg(QDir::toNativeSeparators(from.path()), QString::fromLatin1(name),
                     QDir::toNativeSeparators(to.path()), in.errorString());
        }
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return QStringLiteral("Quorvel cannot save changes in \"%1\", where the salon's data lies. The data was "
                          "copied to \"%2\", and the salon's data now lives there.")
        .arg(QDir::toNativeSeparators(from.path()), QDir::toNativeSeparators(to.path()));
}

} // namespace

bool canWriteIn(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quorvel-XXXXXX")));
    return probe.open();   // removed again when the probe goes
}

QString chooseDataFolder(const QString& programFolder, const QString& userFolder, QString* notice)
{
    if (canWriteIn(programFolder))
        return programFolder;
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder) || !canWriteIn(userFolder))
        return programFolder;
    copyMissingInstallationData(QDir(programFolder), QDir(userFolder));
    const QString said = moveInSalonData(QDir(programFolder), QDir(userFolder));
    if (notice)
        *notice = said;
    // A copy that failed leaves the salon on its own data, where a save is
    // refused and said, rather than on an empty database.
    if (!said.isEmpty() && !QFile::exists(QDir(userFolder).filePath(QStringLiteral("KVD.mdb")))
        && QFile::exists(QDir(programFolder).filePath(QStringLiteral("KVD.mdb"))))
        return programFolder;
    return userFolder;
}

void useDataFolder()
{
    QString notice;
    qv::ProgramFolder::setPath(chooseDataFolder(QCoreApplication::applicationDirPath(),
                                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                                                &notice));
    if (!notice.isEmpty())
        qv::ui().msgBox(notice);
}

} // namespace shell
