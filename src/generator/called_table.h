#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The table a "Call Table" column calls, found from the column's reference: the called
// table's file relative to the calling table's folder ("/" or "\" separators).
struct CalledTable {
    QString name;   // the file name cut before its first ".": its template and side files
    QString folder; // its folder, absolute, ending in "/"
    QString file;   // its table file, absolute

    QString sideFile(const char *extension) const { return folder + name + QLatin1String(extension); }
    // The path a side file holds (".xmf" its XML document, ".xmp" its XSL output page) as a
    // full path: a relative one is taken from the called table's folder.
    QString storedPath(const char *extension) const;
};

// The called table, with a relative reference resolved against callerDir, the calling
// table's folder; none when the reference's file name holds no ".".
std::optional<CalledTable> findCalledTable(const QString &reference, const QString &callerDir);

// The table files met when the call from callerFile to calledFile is followed through the
// called tables' own "Call Table" columns (as their table files hold them), up to the
// first file met twice; empty when every chain of calls ends.
QStringList recursiveCallChain(const QString &callerFile, const QString &calledFile);

// The table file and every table file its calls reach, at any depth, each once, with links
// resolved: only files that are table files, and only the calls their generation makes
// (the template's "Call Table" columns that are not omitted). A missing file, or one that is
// no table file, is not reached and reaches nothing.
QStringList tablesReachedFrom(const QString &tableFile);
