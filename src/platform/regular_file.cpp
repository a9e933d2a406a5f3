#include "platform/regular_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
    case RegularOpen::NotRegular:
        return QStringLiteral("Not a regular file (a folder, a pipe or a device): only regular "
                              "files are read.");
    case RegularOpen::Missing:
    case RegularOpen::Unopenable:
        break;
    }
    return qt_error_string(errno);
}
