#include "designer/xpath_of_node.h"

#include "designer/xml_tree.h"

#include <QStringList>

QString xpathOfNode(const XmlTree &tree, int node)
{
    QStringList steps;
    for (int at = node; tree.parent(at) >= 0; at = tree.parent(at)) {
        const QString caption = tree.caption(at);
        steps.prepend(caption.left(caption.indexOf(QChar('='))));
    }
    return QChar('/') + steps.join(QChar('/'));
}
