#pragma once

// A calling table "Caller" in slot 0 (folder "caller/" of the data folder) and a called
// table "Called" written to disk from slot 1 with its XML document, table file and side
// files, for the tests of "Call Table" columns.

#include "documents/table_file_writer.h"
#include "documents/text_files.h"
#include "generator/side_files.h"
#include "table_fixture.h"

#include <QDir>

inline const QString calledXml = QStringLiteral(
    "<list><item><c>x1</c><d>y1</d></item><item><c>x2</c><d>y2</d></item></list>");
inline const QString callerXml = QStringLiteral(
    "<rows><row><name>r1</name><item><c>m1</c><d>n1</d></item><item><c>m2</c><d>n2</d></item>"
    "</row></rows>");

class CallTableFixture {
public:
    CallTableFixture() : caller("Caller")
    {
        QDir().mkpath(callerDir());
        workspace().current().tablePath = callerDir() + "Caller.tvk";
        workspace().current().xmlPath = callerDir() + "rows.xml";
        writeFile(workspace().current().xmlPath, callerXml, true);
        caller.addColumn("name", "Text", "/rows/row/name");
    }

    QString callerDir() const { return caller.home.file("caller/"); }
    QString dir(const QString &folder) const { return caller.home.file(folder) + '/'; }

    // The called table with columns c and d over /list/item, in the folder (relative to
    // the data folder), with extra store entries; its side files written as a preview does.
    void writeCalled(const QString &folder, const QList<std::pair<QString, QString>> &entries = {},
                     const QString &name = QStringLiteral("Called"))
    {
        QDir().mkpath(dir(folder));
        const CurTableGuard guard(1);
        workspace().slotUsed[1] = true;
        TableDocument &doc = workspace().current();
        doc.tablePath = dir(folder) + name + ".tvk";
        doc.xmlPath = dir(folder) + "list.xml";
        writeFile(doc.xmlPath, calledXml, true);
        setKey("Xpath-Table", "/list/item", false);
        for (const char *column : {"c", "d"}) {
            doc.tree.add(StructureTree::tableKey, column, column);
            setKey(QString("Type-") + column, "Text", false);
            doc.tree.add(column, QString(column) + "-value", "value");
            setKey(QString("Xpath-") + column + "@value", QString("/list/item/") + column, false);
        }
        for (const auto &[key, value] : entries)
            setKey(key, value, false);
        writeTableFile(doc.tablePath);
        getXSLFile();
    }

    // A "Call Table" column of the caller calling the reference.
    void addCall(const QString &column, const QString &reference)
    {
        caller.addColumn(column, "Call Table");
        caller.addAttribute(column, "inputXML");
        caller.set("Table-" + column + "@table", reference);
    }

    TableFixture caller;
};
