#pragma once
// The folder of the salon's own files: the database "KVD.mdb", its start-up
// copy "KVD.tmp", the exported "temp.htm", and the help and tip texts the
// salon may edit. A program run from a folder the user can write (the build
// folder, a folder the program was copied to) keeps them beside itself. An
// installed program's folder belongs to the system; the user's data folder
// stands in for it then, and gets the installation's help and tip files on
// the first start.
#include <QString>

namespace shell {

// Whether a file can be made in the folder. Tried, not read from permission
// bits, which tell nothing when the folder is on a read-only disk and are
// passed over for the superuser.
bool canWriteIn(const QString& folder);

// The folder for a program in `programFolder`: that folder when it can be
// written, else `userFolder` (made if missing), into which the help and tip
// files that it lacks are copied from the program folder; a copy the user
// already has is never replaced. The salon's data ("KVD.mdb", "KVD.tmp") that
// the program folder holds is copied too, once: never over data the user's
// folder already has; `notice` then says where the data now lives (or why
// it could not be copied, the program staying with its own folder). Stays
// with the program folder when the user folder cannot be made either.
QString chooseDataFolder(const QString& programFolder, const QString& userFolder, QString* notice = nullptr);

// At start: the folder above, for this program and this user, becomes the
// folder every window takes its files from; a copy of the salon's data is
// told in a message.
void useDataFolder();

} // namespace shell
