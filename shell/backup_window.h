#pragma once
// The window the program starts with: it checks that nobody else holds the
// database, copies it to "KVD.tmp" beside it, and hands over to the splash.
#include "platform/forms/window.h"
#include <QMap>

class QFrame;
class QLabel;

class BackupWindow : public qv::Window {
    Q_OBJECT
public:
    // The progress blocks and their texts by the step they show; the values
    // are the numbers in their objectNames ("Shape1_1", "lblPct_3").
    enum ProgressBlock : int { CopyingBlock = 1, CompactingBlock = 3, BackedUpBlock = 0 };
    enum ProgressText : int { CopyingText = 3, CompactingText = 2, BackedUpText = 0 };

    BackupWindow();

protected:
    void formLoad() override;
    void showEvent(QShowEvent* e) override;
    void formUnload(bool& cancel) override;

private:
    void runBackup();
    void showStep(ProgressBlock shape, ProgressText pct);
    void finish();
    void reportNoExclusiveUse(const QString& secondLine);

    // Controls; tests and other windows find them by their objectName.
    QLabel* progressCaption = nullptr;
    QLabel* everyStartNote = nullptr;
    QFrame* progressPanel = nullptr;
    QMap<int, QFrame*> progressBlocks;   // by ProgressBlock
    QMap<int, QLabel*> progressTexts;    // by ProgressText

    // Whether the backup has started (it runs once per start of the program).
    bool m_started = false;
    // The backup is under way; a close meanwhile takes effect after its step.
    bool m_running = false;
    bool m_closeAsked = false;
};

namespace shell {

// The database and its start-up copy, in the program folder.
QString databaseFile();
QString backupFile();

// The backup's failure, with the system's error number and text.
struct BackupFailure {
    int number;
    QString description;
    bool damaged = false;   // the copy read back as a damaged database
};

// A first start finds neither the database nor its backup. Only then is an
// empty database made: a missing database beside its backup must not be
// replaced by an empty one, which the backup would then copy over the last
// good copy.
bool needsNewDatabase();
// Makes the empty salon database when `needsNewDatabase()`; a failure is
// shown and the start goes on.
void createDatabaseOnFirstStart();

// Copies the database to the backup path so that the previous backup is
// replaced only by a copy that is complete and opens as a database: the copy
// goes to a file of its own first, has every page checked, and then takes the old one's
// place in one step. Throws BackupFailure.
void replaceBackup(const QString& database, const QString& backup);

} // namespace shell
