#include "platform/files/regular_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

QString whatItIs(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

QString notRegularWords(const QString &what)
{
    return QStringLiteral("It is ") + what +
           QStringLiteral(", not a regular file: only regular files are read.");
}

QString missingWords(int error)
{
    if (error == ENOENT)
        return QStringLiteral("There is no file of this name.");
    return qt_error_string(error);
}

} // namespace

RegularOpen openRegularFile(const QByteArray &path, int &fd)
{
    fd = -1;
    struct stat status;
    if (stat(path.constData(), &status) != 0)
        return RegularOpen::Missing;
    if (!S_ISREG(status.st_mode))
        return RegularOpen::NotRegular;
    fd = open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return RegularOpen::Unopenable;
    // The path may have changed since it was looked at: the open file is what counts.
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
        return RegularOpen::Opened;
    close(fd);
    fd = -1;
    return RegularOpen::NotRegular;
}

QString openRegularFile(QFile &file, const QString &path)
{
    int fd = -1;
    switch (openRegularFile(QFile::encodeName(path), fd)) {
    case RegularOpen::Opened:
        if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            return {};
        close(fd);
        return file.errorString();
    case RegularOpen::Missing:
        return missingWords(errno);
    case RegularOpen::NotRegular: {
        // Looked at again: what the path is now, or, had it turned regular meanwhile, what it was.
        const QString why = notRegularFileReason(path);
        return why.isEmpty() ? notRegularWords(QStringLiteral("something else")) : why;
    }
    case RegularOpen::Unopenable:
        break;
    }
    return qt_error_string(errno);
}

QString notRegularFileReason(const QString &path)
{
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        return missingWords(errno);
    return S_ISREG(status.st_mode) ? QString() : notRegularWords(whatItIs(status.st_mode));
}
