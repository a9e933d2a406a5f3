#pragma once

#include <QString>

class XmlTree;

// The absolute Xpath of a node of the XML tree: "/" and the steps below the document
// node, each a caption cut before its first "="; the document node gives "/".
QString xpathOfNode(const XmlTree &tree, int node);
