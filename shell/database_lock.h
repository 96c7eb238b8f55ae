#pragma once
// Keeps other copies of the program from taking the database file for their
// own backup while this one runs, and tells whether anybody else holds it.
//
// The program holds a shared flock() on the file for its whole life. A second
// copy of the program finds that shared lock when it asks for the file
// exclusively; the check also sees the byte-range (fcntl) locks that other
// SQLite programs take while they read or write the file. flock() is used for
// our own hold because it is tied to our own descriptor: SQLite closing its
// descriptors does not drop it, and it does not stand in the way of SQLite's
// own byte-range locks, so several copies of the program can still write.
#include <QString>

namespace shell {

class DatabaseLock {
public:
    // Takes the program's shared hold on the file (replacing an earlier one).
    // False when the file cannot be opened or another process holds it
    // exclusively.
    static bool holdShared(const QString& file);
    static void release();
    static bool holds();
    static QString heldFile();

    // Whether nobody but this program holds the file: it exists, no other
    // process holds a flock() on it and no other process holds a byte-range
    // lock on it. The program's own shared hold, if any, is kept. On false,
    // `why` tells what stood in the way.
    static bool exclusiveAvailable(const QString& file, QString* why = nullptr);
};

} // namespace shell
