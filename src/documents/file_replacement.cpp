#include "documents/file_replacement.h"

#include "documents/text_files.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int staleMinutes = 10;

const QRegularExpression &replacementName()
{
    static const QRegularExpression name(QStringLiteral("^\\.tarvik-(\\d{1,9})-[0-9a-f]{8}\\.part$"));
    return name;
}

QString newReplacementName()
{
    return QStringLiteral(".tarvik-%1-%2.part")
        .arg(getpid())
        .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
}

bool processGone(qint64 pid)
{
    return pid > 0 && pid != getpid() && kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

bool isStale(const QFileInfo &entry)
{
    const QRegularExpressionMatch match = replacementName().match(entry.fileName());
    return match.hasMatch() && entry.isFile() && !entry.isSymLink() &&
           entry.ownerId() == getuid() &&
           entry.lastModified().addSecs(staleMinutes * 60) < QDateTime::currentDateTime() &&
           processGone(match.captured(1).toLongLong());
}

// A new file of a free name in the folder, opened unbuffered, with a new file's usual
// mode. Creation never follows a link, so nothing planted at that name is written.
bool createIn(const QString &folder, QFile &file)
{
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        file.setFileName(QDir(folder).filePath(newReplacementName()));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (!pathTaken(file.fileName()))
            return false;
    }
    return false;
}

// The rename is recorded in the folder: a crash right after it finds the new file.
// A failure changes nothing for the caller, whose file is in place either way.
void syncFolder(const QString &folder)
{
    const int descriptor = open(QFile::encodeName(folder).constData(),
                                O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    fsync(descriptor);
    close(descriptor);
}

} // namespace

void removeStaleReplacements(const QString &folder)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral(".tarvik-*.part")},
                                   QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries)
        if (isStale(entry))
            QFile::remove(entry.absoluteFilePath());
}

FileReplacement::FileReplacement(const QString &path) : path(path)
{
    const QFileInfo old(path);
    if (old.isFile() && !old.isSymLink() && !old.isWritable())
        return;
    removeStaleReplacements(old.absolutePath());
    created = createIn(old.absolutePath(), file);
    ok = created && (old.isSymLink() || !old.isFile() || file.setPermissions(old.permissions()));
}

FileReplacement::~FileReplacement()
{
    if (created && !committed) {
        file.close();
        file.remove();
    }
}

bool FileReplacement::commit()
{
    ok = ok && file.error() == QFileDevice::NoError && fdatasync(file.handle()) == 0;
    file.close();
    ok = ok && std::rename(QFile::encodeName(file.fileName()).constData(),
                           QFile::encodeName(path).constData()) == 0;
    if (!ok)
        return false; // the destructor removes the new file
    committed = true;
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}
