// Quorvel starts here: the backup window first, as every start does.
#include "common/schema.h"
#include "platform/forms/window.h"
#include "platform/print/printer.h"
#include "platform/services/services.h"
#include "platform/values/error.h"
#include "shell/backup_window.h"
#include "shell/data_folder.h"
#include "shell/database_lock.h"
#include "shell/version.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(shell::kVersionMajor).arg(shell::kVersionMinor).arg(shell::kVersionRevision));
    // The window layer decides when the program ends: when no window is
    // loaded any more, or when the user closes the last visible one.
    QApplication::setQuitOnLastWindowClosed(false);
    // Beside the program, or in the user's data folder when the program is installed.
    shell::useDataFolder();

    const QString database = shell::databaseFile();
    // Printing to a file must never land on the salon's data.
    qv::protectFromPrintOutput(database);
    qv::protectFromPrintOutput(shell::backupFile());
    shell::createDatabaseOnFirstStart();
    // Held for the program's life, so that another copy started meanwhile
    // finds the database in use.
    shell::DatabaseLock::holdShared(database);

    qv::Windows::show<BackupWindow>();
    if (qv::Windows::all().isEmpty())
        return 0;
    return app.exec();
}
