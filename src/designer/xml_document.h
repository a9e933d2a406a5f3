#pragma once

#include "designer/xml_tree_parser.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// What the XML document window of a slot holds besides the slot's model: the path box, the
// path before the current load, the tree shown and the caption. The operations below work
// on the current slot with the state of its window.
struct XmlDocumentState {
    QString fileName;    // the path box: the document being or last loaded
    QString prevXmlPath; // the slot's XML path before the current load
    std::shared_ptr<const XmlTree> tree;
    QString caption = QStringLiteral("XML");
    bool bulkExpand = true; // while set, expanding a node does not select it
};

// Parses a file into its XML tree, the document node captioned with the path. The window
// runs it off its thread; tvktool and tests run parseXmlTree directly.
using XmlParseRunner = std::function<XmlTreeParse(const QString &path)>;
XmlTreeParse parseNow(const QString &path);

// Clears the window for a new table.
void initXmlWindow(XmlDocumentState &state);
// Asks for an XML document (or takes the preset one) and loads it.
void cmdBrowse_Click(XmlDocumentState &state, const XmlParseRunner &parse);
// Loads the document in the path box into the current slot; every outcome is recorded in
// the slot's XML path and text and told to the user. True when a new tree was installed.
bool loadXMLFile(XmlDocumentState &state, const XmlParseRunner &parse);
// The nodes a freshly loaded tree shows expanded: every node of a tree of fewer than 100
// nodes, else only the document node.
std::vector<int> nodesToExpand(const XmlTree &tree);

// Maps the selected node of the XML tree to a new column. False when refused.
bool makeit_Click(const XmlDocumentState &state);

// The command-line start with an XML file: a new table of that name with the document
// loaded and the XSL output set. Nothing when no table was created.
void openXmlForTable(const QString &xmlPath, const QString &xslOutput, const QString &tableName);
