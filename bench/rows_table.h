#pragma once

// A saved table of six columns of one type ("Text" unless said) over a generated XML document
// of many rows, in the current slot, with the data folder (TARVIK_HOME) set to the given folder.
#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/workspace.h"

#include <QTemporaryDir>

namespace bench {

constexpr int columnCount = 6;
constexpr int first50 = 4; // row-limit list index of "first 50"

inline QString rowsXml(int rowCount)
{
    QString xml = QStringLiteral("<rows>");
    for (int row = 1; row <= rowCount; ++row) {
        xml += QStringLiteral("<row>");
        for (int column = 1; column <= columnCount; ++column)
            xml += QStringLiteral("<c%1>value %2.%1</c%1>").arg(column).arg(row);
        xml += QStringLiteral("</row>");
    }
    return xml + QStringLiteral("</rows>");
}

// Returns the table's document.
inline TableDocument &buildRowsTable(const QTemporaryDir &dir, int rowCount,
                                     const QString &columnType = QStringLiteral("Text"))
{
    qputenv("TARVIK_HOME", dir.path().toUtf8());
    resetWorkspace();
    TableDocument &doc = workspace().current();
    doc.tablePath = dir.filePath(QStringLiteral("Bench.tvk"));
    doc.xmlPath = dir.filePath(QStringLiteral("rows.xml"));
    writeFile(doc.xmlPath, rowsXml(rowCount), true);
    setKey(QStringLiteral("Xpath-Table"), QStringLiteral("/rows/row"), false);
    setKey(QStringLiteral("Headers Visible-Table"), QStringLiteral("True"), false);
    for (int column = 1; column <= columnCount; ++column) {
        const QString name = QStringLiteral("c%1").arg(column);
        doc.tree.add(StructureTree::tableKey, name, name);
        doc.tree.add(name, name + QStringLiteral("-value"), QStringLiteral("value"));
        setKey(QStringLiteral("Type-") + name, columnType, false);
        setKey(QStringLiteral("Xpath-") + name + QStringLiteral("@value"),
               QStringLiteral("/rows/row/") + name, false);
    }
    return doc;
}

} // namespace bench
