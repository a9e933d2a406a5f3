// tvktool dump T.tvk: the table document as tab-separated lines.
#include "tvktool_commands.h"

#include "documents/string_helpers.h"
#include "documents/table_file_format.h"
#include "documents/text_files.h"
#include "documents/workspace.h"

#include <QTextStream>

namespace {

void line(QTextStream &out, const QStringList &fields)
{
    QStringList cells;
    for (const QString &field : fields)
        cells.append(escapedControls(field));
    out << cells.join(QChar('\t')) << '\n';
}

} // namespace

int runDump(const QStringList &arguments)
{
    const QString path = arguments.first();
    if (!loadTableFile(path))
        return 1;
    const TableDocument &doc = workspace().current();
    QTextStream out(stdout);
    line(out, {"xmlPath", doc.xmlPath});
    for (const PropertyStore::Entry &entry : doc.store.entries())
        line(out, {"prop", entry.key, entry.text});
    if (const StructureTree::Node *root = doc.tree.root()) {
        for (const auto &column : root->children) {
            line(out, {"node", root->key, column->key, column->text});
            for (const auto &attribute : column->children)
                line(out, {"node", column->key, attribute->key, attribute->text});
        }
    }
    line(out, {"xslFileName", doc.xslFileName});
    line(out, {"xslFileDir", doc.xslFileDir});
    const QStringList pieces = embeddedSidePieces(readFile(path));
    for (qsizetype i = 0; i < pieces.size(); ++i)
        line(out, {"side", sideFileExtensions()[i], QString::number(pieces[i].size())});
    return 0;
}
