#include "tvktool_commands.h"

#include "designer/xml_document.h"
#include "designer/xpath_of_node.h"

#include <QTextStream>

namespace {

// A line break inside a caption is written as the two characters "\n".
QString oneLine(QString text) { return text.replace(QChar('\n'), QStringLiteral("\\n")); }

void printSubtree(QTextStream &out, const XmlTree &tree, int node, int depth)
{
    out << QString(depth * 2, QChar(' ')) << oneLine(tree.caption(node)) << '\t'
        << oneLine(xpathOfNode(tree, node)) << '\n';
    for (int row = 0; row < tree.childCount(node); ++row)
        printSubtree(out, tree, tree.child(node, row), depth + 1);
}

} // namespace

int xmltreeCommand(const QStringList &arguments)
{
    const XmlTreeParse parsed = parseNow(arguments.first());
    if (!parsed.tree) {
        QTextStream(stderr) << xmlErrorMessage(parsed.error) << '\n';
        return 1;
    }
    QTextStream out(stdout);
    printSubtree(out, *parsed.tree, XmlTree::documentNode, 0);
    return 0;
}
