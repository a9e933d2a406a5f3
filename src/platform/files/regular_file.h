#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Files opened for reading only when they are regular files (a link to one is followed).
// Nothing else at the path is opened at all (opening some devices has effects of its
// own), and the open never blocks, so a pipe, a device or a folder can never hang or
// feed a reader.

enum class RegularOpen {
    Opened,
    Missing,    // nothing to be found at the path (errno tells why)
    NotRegular, // a pipe, a device, a socket or a folder
    Unopenable, // a regular file that could not be opened (errno tells why)
};

// Opens the regular file at path; fd is its open descriptor when Opened, for the caller to
// close.
RegularOpen openRegularFile(const QByteArray &path, int &fd);

// The same into file, opened read-only and closed with it; "" when it is open, else why
// not, in words for the user.
QString openRegularFile(QFile &file, const QString &path);

// Why nothing at path can be read as a regular file, in words for the user ("It is a named
// pipe, not a regular file: ..."); "" when a regular file is there.
QString notRegularFileReason(const QString &path);
