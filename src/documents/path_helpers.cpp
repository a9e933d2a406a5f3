#include "documents/path_helpers.h"

#include "documents/string_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

QString slashPath(const QString &path)
{
    QString copy = path;
    copy.replace(QChar('\\'), QChar('/'));
    return copy;
}

QString getFileName(const QString &path)
{
    const qsizetype p = std::max(path.lastIndexOf(QChar('/')), path.lastIndexOf(QChar('\\')));
    return p < 0 ? path : path.mid(p + 1);
}

QString getBaseName(const QString &path)
{
    const QString name = getFileName(path);
    const qsizetype dot = name.indexOf(QChar('.'));
    return dot < 0 ? name : name.left(dot);
}

QString getDir(const QString &path)
{
    QString copy = slashPath(path);
    while (copy.startsWith(QChar(' ')))
        copy.remove(0, 1);
    while (copy.endsWith(QChar(' ')))
        copy.chop(1);
    const qsizetype p = copy.lastIndexOf(QChar('/'));
    return p < 0 ? QString() : copy.left(p + 1);
}

QString getFolder(const QString &path)
{
    QString dir = getDir(path);
    if (dir.size() > 1 && dir.endsWith(QChar('/')))
        dir.chop(1);
    return dir;
}

namespace {

QStringList folderSteps(const QString &folder)
{
    QString copy = slashPath(trimWhiteVar(folder));
    if (copy.endsWith(QChar('/')))
        copy.chop(1);
    return copy.split(QChar('/'));
}

} // namespace

QString relativePath(const QString &fromDir, const QString &toDir)
{
    const QStringList from = folderSteps(fromDir);
    const QStringList to = folderSteps(toDir);
    const qsizetype length = std::max(from.size(), to.size());
    qsizetype first = 0;
    while (first < length && from.value(first) == to.value(first))
        ++first;
    if (first == length)
        return {};
    QString result = QStringLiteral("../").repeated(std::max<qsizetype>(0, from.size() - first));
    for (qsizetype i = first; i < to.size(); ++i) {
        if (!to[i].isEmpty())
            result += to[i] + QChar('/');
    }
    return result;
}

QString resolvedPath(const QString &stored, const QString &tableDir)
{
    const QString path = slashPath(stored);
    if (path.isEmpty() || (!path.startsWith(QChar('/')) && tableDir.isEmpty()))
        return path;
    const QString full = QDir::cleanPath(path.startsWith(QChar('/')) ? path : slashPath(tableDir) + u'/' + path);
    return path.endsWith(QChar('/')) && !full.endsWith(QChar('/')) ? full + u'/' : full;
}

QString reexpressedPath(const QString &stored, const QString &oldDir, const QString &newDir)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    const QString path = slashPath(stored);
    if (path.isEmpty() || path.startsWith(QChar('/')) || path.contains(scheme) ||
        QDir::cleanPath(oldDir) == QDir::cleanPath(newDir))
        return stored;
    const QString file = resolvedPath(path, oldDir);
    return relativePath(newDir, getDir(file)) + getFileName(file);
}

bool sameNameOtherTable(const QString &table, const QString &other)
{
    return getBaseName(table) == getBaseName(other) && canonicalPath(table) != canonicalPath(other);
}

QString canonicalPath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString urlEncodedPath(const QString &path)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(slashPath(path), "/"));
}

QString fileUrl(const QString &path)
{
    const QString encoded = urlEncodedPath(path);
    return QStringLiteral("file://") + (encoded.startsWith(QChar('/')) ? QString() : QStringLiteral("/"))
           + encoded;
}
