// tvktool dump T.tvk: the table document as tab-separated lines.
#include "tvktool_commands.h"

#include "documents/table_file_format.h"
#include "documents/text_files.h"
#include "documents/workspace.h"

#include <QTextStream>

namespace {

// Backslash, Tab, CR and LF as \\, \t, \r and \n; other control characters as \xNN.
QString escaped(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == QChar('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QChar('\t'))
            out += QStringLiteral("\\t");
        else if (c == QChar('\r'))
            out += QStringLiteral("\\r");
        else if (c == QChar('\n'))
            out += QStringLiteral("\\n");
        else if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
        else
            out += c;
    }
    return out;
}

void line(QTextStream &out, const QStringList &fields)
{
    QStringList cells;
    for (const QString &field : fields)
        cells.append(escaped(field));
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
