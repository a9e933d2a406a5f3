#include "generator/side_files.h"

#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/xsl_generator.h"

#include <utility>

void writeSideFiles(const QString &outputXsl)
{
    const Workspace &ws = workspace();
    const TableDocument &doc = workspace().current();
    if (doc.tablePath.isEmpty())
        return;
    const QString stem = getTableDir(ws.curTable) + getTableName(ws.curTable);
    const std::pair<const char *, QString> files[] = {
        {".xmf", doc.xmlPath},
        {".xsl", outputXsl},
        {".xmp", doc.xslFileDir + doc.xslFileName},
        {".txp", getKey(QStringLiteral("Xpath-Table"))},
        {".txi", getKey(QStringLiteral("XSLT Input Parameters-Table"))},
        {".tic", getKey(QStringLiteral("Table Interface-Table"))},
    };
    for (const auto &[extension, text] : files)
        writeFile(stem + QLatin1String(extension), text, false);
}

void getXSLFile()
{
    TableDocument &doc = workspace().current();
    if (doc.tablePath.isEmpty())
        return;
    const QString preview = doc.xslGenerated;
    const QString output = generateForOutput();
    doc.xslGenerated = preview;
    writeSideFiles(output);
}
