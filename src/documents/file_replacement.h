#pragma once

#include <QFile>
#include <QString>

// A file replaced by bytes written piece by piece. The bytes go to a new file beside it,
// named ".tarvik-<process id>-<8 hex digits>.part", which commit() renames over the path
// once they are on the disk; the folder is then synced. Until then the path keeps what it
// held, and a replacement destroyed uncommitted removes its new file. The new file takes
// the mode of the regular file it replaces before a byte goes in (a password file stays
// its owner's throughout). A rename never follows a link at its destination: a link
// there is replaced and its target, dangling or not, stays as it was. A regular file the
// user may not write is not replaced. Making the new file first removes the stale new
// files of replacements in the folder that a killed program never committed.
class FileReplacement {
public:
    explicit FileReplacement(const QString &path);
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    // False when no new file could be made.
    bool isOpen() const { return created; }
    // Where the bytes go, unbuffered: a failing write (a full disk, a file size limit)
    // fails at once and is never lost in a buffer.
    QIODevice &device() { return file; }
    // Puts the new file in the path's place; false, the path unchanged, when the new file
    // could not be made, a write to it failed or the rename failed.
    bool commit();
    // True when the new file could not be made or a write or the commit failed.
    bool failed() const { return !ok || file.error() != QFileDevice::NoError; }

private:
    QString path;
    QFile file;
    bool created = false;   // the new file is ours to remove
    bool ok = false;        // nothing has failed so far
    bool committed = false;
};

// Removes the new files of replacements in the folder that were never committed: those of
// a process that is gone, unwritten for ten minutes and owned by the user. Nothing else is
// touched, however it is named; a link of that name is left alone.
void removeStaleReplacements(const QString &folder);
