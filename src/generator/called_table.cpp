#include "generator/called_table.h"

#include "documents/path_helpers.h"
#include "documents/side_file_restore.h"
#include "documents/structure_tree.h"
#include "documents/table_file_format.h"
#include "documents/table_file_reader.h"
#include "documents/text_files.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <vector>

namespace {

// What a table file says of its calls: its properties and the captions of its columns, read
// from its XML path, property section and template without the rest of the file (which may
// carry a whole XML document). Only a regular file is read, at most as much as readFile
// would read; isTable says whether all three sections were found whole.
struct TableCalls {
    QHash<QString, QString> properties;
    QStringList columns;
    bool isTable = false;
};

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
            if (++sectionEnds == 3)
                return decodeText(head.left(at + 1));
            ++at;
        }
    }
    return decodeText(head);
}

// Reads the records of one section from pos to its end, which pos then passes; false when
// the section is not whole.
template <typename Take>
bool readSection(const QString &text, qsizetype &pos, Take take)
{
    QString first;
    QString second;
    while (pos < text.size() && text[pos] != sectionEnd && readRecord(pos, text, first, second) == 2)
        take(first, second);
    return pos < text.size() && text[pos++] == sectionEnd;
}

TableCalls readCalls(const QString &tableFile)
{
    const QString text = tableFileHead(tableFile);
    TableCalls calls;
    qsizetype pos = text.indexOf(sectionEnd) + 1;
    if (pos <= 0)
        return calls;
    const bool properties = readSection(text, pos, [&](const QString &key, const QString &value) {
        calls.properties.insert(key, value);
    });
    // A column's record: "Table", then its key and caption.
    calls.isTable = properties && readSection(text, pos, [&](const QString &parent, const QString &column) {
        if (parent == StructureTree::tableKey)
            calls.columns.append(column.mid(column.indexOf(fieldSeparator) + 1));
    });
    return calls;
}

enum class Calls {
    Named, // every "Call Table" column of the property section
    Made,  // only those of the template's columns that its generation writes
};

// The references of the table's "Call Table" columns.
QStringList callReferences(const TableCalls &calls, Calls which)
{
    QStringList references;
    const QString suffix = QStringLiteral("@table");
    for (auto it = calls.properties.cbegin(); it != calls.properties.cend(); ++it) {
        const QString &name = it.key();
        if (!name.startsWith(QStringLiteral("Table-")) || !name.endsWith(suffix) || it->isEmpty())
            continue;
        const QString column = name.mid(6, name.size() - 6 - suffix.size());
        if (calls.properties.value(QStringLiteral("Type-") + column) != QStringLiteral("Call Table"))
            continue;
        if (which == Calls::Made
            && (!calls.columns.contains(column)
                || calls.properties.value(QStringLiteral("Hidden-") + column)
                       == QStringLiteral("Omitted except for ordering")))
            continue;
        references.append(*it);
    }
    return references;
}

// The table files the table file's "Call Table" columns call.
QStringList calledFiles(const QString &tableFile, const TableCalls &calls, Calls which)
{
    QStringList files;
    for (const QString &reference : callReferences(calls, which)) {
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
        unfollowed.push_back(calledFiles(next, readCalls(next), Calls::Named));
    }
    return {};
}

QStringList tablesReachedFrom(const QString &tableFile)
{
    QStringList met{canonicalPath(tableFile)};
    QSet<QString> seen{met.first()};
    QStringList reached;
    for (qsizetype next = 0; next < met.size(); ++next) {
        const TableCalls calls = readCalls(met[next]);
        if (!calls.isTable)
            continue;
        reached.append(met[next]);
        for (const QString &called : calledFiles(met[next], calls, Calls::Made))
            if (!seen.contains(called)) {
                seen.insert(called);
                met.append(called);
            }
    }
    return reached;
}
