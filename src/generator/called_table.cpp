#include "generator/called_table.h"

#include "documents/path_helpers.h"
#include "documents/table_file_format.h"
#include "documents/table_file_reader.h"
#include "documents/text_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

QString resolved(const QString &reference, const QString &folder)
{
    const QDir base(folder.isEmpty() ? QDir::currentPath() : folder);
    return canonicalPath(base.filePath(slashPath(reference)));
}

// A table file's XML path and property section, read without the rest of the file (which
// may carry a whole XML document).
QString tableFileHead(const QString &tableFile)
{
    QFile file(tableFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const char end = char(sectionEnd.unicode());
    QByteArray head;
    int sectionEnds = 0;
    while (!file.atEnd()) {
        qsizetype at = head.size();
        head += file.read(64 * 1024);
        while ((at = head.indexOf(end, at)) >= 0) {
            if (++sectionEnds == 2)
                return decodeText(head.left(at + 1));
            ++at;
        }
    }
    return decodeText(head);
}

// The references of the "Call Table" columns in a table file's property section.
QStringList callReferences(const QString &tableFile)
{
    const QString text = tableFileHead(tableFile);
    qsizetype pos = text.indexOf(sectionEnd) + 1;
    if (pos <= 0)
        return {};
    QHash<QString, QString> properties;
    QString key;
    QString value;
    while (pos < text.size() && text[pos] != sectionEnd && readRecord(pos, text, key, value) == 2)
        properties.insert(key, value);
    QStringList references;
    const QString suffix = QStringLiteral("@table");
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        const QString &name = it.key();
        if (!name.startsWith(QStringLiteral("Table-")) || !name.endsWith(suffix) || it->isEmpty())
            continue;
        const QString column = name.mid(6, name.size() - 6 - suffix.size());
        if (properties.value(QStringLiteral("Type-") + column) == QStringLiteral("Call Table"))
            references.append(*it);
    }
    return references;
}

// Depth first along the calls from chain's last file; true with the repeated file
// appended when a call comes back to a file on the chain.
bool extendToCycle(QStringList &chain, QSet<QString> &finished)
{
    const QString last = chain.last();
    if (chain.indexOf(last) < chain.size() - 1)
        return true;
    if (finished.contains(last))
        return false;
    for (const QString &reference : callReferences(last)) {
        const std::optional<CalledTable> called = findCalledTable(reference, getDir(last));
        if (!called)
            continue;
        chain.append(called->file);
        if (extendToCycle(chain, finished))
            return true;
        chain.removeLast();
    }
    finished.insert(last);
    return false;
}

} // namespace

QString canonicalPath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

std::optional<CalledTable> findCalledTable(const QString &reference, const QString &callerDir)
{
    const QString fileName = getFileName(reference);
    if (!fileName.contains(QChar('.')))
        return std::nullopt;
    CalledTable called;
    called.name = getBaseName(reference);
    called.file = resolved(reference, callerDir);
    called.folder = getDir(called.file);
    return called;
}

QStringList recursiveCallChain(const QString &callerFile, const QString &calledFile)
{
    QStringList chain{canonicalPath(callerFile), canonicalPath(calledFile)};
    QSet<QString> finished;
    return extendToCycle(chain, finished) ? chain : QStringList();
}
