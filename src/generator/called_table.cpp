#include "generator/called_table.h"

#include "documents/path_helpers.h"
#include "documents/side_file_restore.h"
#include "documents/table_file_format.h"
#include "documents/table_file_reader.h"
#include "documents/text_files.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <vector>

namespace {

// A table file's XML path and property section, read without the rest of the file (which
// may carry a whole XML document). Only a regular file is read, at most as much as
// readFile would read.
QString tableFileHead(const QString &tableFile)
{
    QFile file(tableFile);
    if (!QFileInfo(tableFile).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const char end = char(sectionEnd.unicode());
    QByteArray head;
    int sectionEnds = 0;
    while (!file.atEnd() && head.size() <= textFileLimit) {
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

// The table files the table file's "Call Table" columns call.
QStringList calledFiles(const QString &tableFile)
{
    QStringList files;
    for (const QString &reference : callReferences(tableFile)) {
        if (const std::optional<CalledTable> called = findCalledTable(reference, getDir(tableFile)))
            files.append(called->file);
    }
    return files;
}

} // namespace

std::optional<CalledTable> findCalledTable(const QString &reference, const QString &callerDir)
{
    const QString fileName = getFileName(reference);
    if (!fileName.contains(QChar('.')))
        return std::nullopt;
    CalledTable called;
    called.name = getBaseName(reference);
    called.file = canonicalPath(resolvedPath(reference, callerDir));
    called.folder = getDir(called.file);
    return called;
}

QString CalledTable::storedPath(const char *extension) const
{
    return resolvedPath(readSideFile(sideFile(extension)), folder);
}

// Depth first along the calls, the chain kept as a stack beside the calls of each of its
// files not yet followed, so that a chain of any length takes no call depth.
QStringList recursiveCallChain(const QString &callerFile, const QString &calledFile)
{
    QStringList chain{canonicalPath(callerFile)};
    std::vector<QStringList> unfollowed{{canonicalPath(calledFile)}};
    QSet<QString> onChain{chain.first()};
    QSet<QString> finished;
    while (!unfollowed.empty()) {
        if (unfollowed.back().isEmpty()) {
            unfollowed.pop_back();
            const QString done = chain.takeLast();
            onChain.remove(done);
            finished.insert(done);
            continue;
        }
        const QString next = unfollowed.back().takeFirst();
        if (onChain.contains(next))
            return chain << next;
        if (finished.contains(next))
            continue;
        chain.append(next);
        onChain.insert(next);
        unfollowed.push_back(calledFiles(next));
    }
    return {};
}

QStringList tablesReachedFrom(const QString &tableFile)
{
    QStringList reached{canonicalPath(tableFile)};
    for (qsizetype next = 0; next < reached.size(); ++next)
        for (const QString &called : calledFiles(reached[next]))
            if (!reached.contains(called))
                reached.append(called);
    return reached;
}
