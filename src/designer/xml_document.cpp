#include "designer/xml_document.h"

#include "designer/map_xml_box.h"
#include "designer/new_column_dialog.h"
#include "designer/xml_text.h"
#include "designer/xpath_of_node.h"
#include "documents/file_dialog.h"
#include "documents/main_controls.h"
#include "documents/path_helpers.h"
#include "documents/progress_bar.h"
#include "documents/side_file_restore.h"
#include "documents/start_guidance.h"
#include "documents/store_access.h"
#include "documents/table_commands.h"
#include "documents/text_files.h"
#include "documents/tree_selection.h"
#include "documents/views/main_window_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/workspace.h"
#include "platform/files/regular_file.h"
#include "platform/ui/ui_services.h"

#include <QDir>
#include <QFileInfo>

namespace {

using Answer = UiServices::Answer;

QString cachedCopyQuestion()
{
    return QStringLiteral("The originial XML file used when project was created is not "
                          "available.\r\n\r\nDo you want to use cached XML file? Click Yes to "
                          "use cached XML file, or No to provide your own XML file.");
}

// The table's own copy of its XML text: the table's name with ".xml" in its folder.
QString cachedCopyPath()
{
    const int slot = workspace().curTable;
    return getTableDir(slot) + getTableName(slot) + QStringLiteral(".xml");
}

// The document is there to be read. The table's own copy is read only as a regular file of
// its own, as the table's side files are: a link there would bring in a file from outside.
bool documentPresent(const QString &path)
{
    if (QDir::cleanPath(QFileInfo(path).absoluteFilePath()) == QDir::cleanPath(cachedCopyPath()))
        return sideFileExists(path);
    return normalFileExists(path);
}

// Why the document is not there to be read, in words for the user.
QString whyAbsent(const QString &path)
{
    const QString reason = notRegularFileReason(path);
    if (!reason.isEmpty())
        return reason;
    return QStringLiteral("It is a link or a hidden file: the table's own copy of its XML is read "
                          "only as a file of its own.");
}

enum class Missing { Stop, Load };

// The document in the path box is not there: offer the copy of its text kept in the
// table. An existing file at the copy's place is replaced only when the user agrees.
Missing offerCachedCopy(XmlDocumentState &state)
{
    const TableDocument &doc = workspace().current();
    if (doc.cachedXmlText.isEmpty()) {
        ui().message(QStringLiteral("Can't find XML file. Please open XML file.\r\n\r\n") +
                     state.fileName + QStringLiteral("\r\n") + whyAbsent(state.fileName));
        return Missing::Stop;
    }
    if (ui().askYesNo(cachedCopyQuestion()) != Answer::Yes)
        return Missing::Load;
    const QString copy = cachedCopyPath();
    if (pathTaken(copy) &&
        ui().askYesNo(QStringLiteral("File already exists. Overwrite?")) != Answer::Yes)
        return Missing::Stop;
    writeFile(copy, withUtf8Declaration(doc.cachedXmlText), false);
    state.fileName = copy;
    return Missing::Load;
}

void reportFailure(XmlDocumentState &state, const XmlLoadError &error)
{
    TableDocument &doc = workspace().current();
    doc.cachedXmlText.clear();
    ui().message(xmlErrorMessage(error));
    doc.xmlPath = state.prevXmlPath;
    state.fileName = state.prevXmlPath;
    if (state.prevXmlPath.isEmpty())
        goControls();
}

void install(XmlDocumentState &state, std::shared_ptr<const XmlTree> tree)
{
    TableDocument &doc = workspace().current();
    state.tree = std::move(tree);
    doc.tableChanged = true;
    // Expanding the document node selects it, unless the window is fresh.
    doc.xmlNodeIndex = state.bulkExpand ? -1 : 1;
    doc.xmlNodeXpath = state.bulkExpand ? QString() : QStringLiteral("/");
    state.bulkExpand = false;
}

void recordLoad(XmlDocumentState &state)
{
    TableDocument &doc = workspace().current();
    doc.xmlText = readXmlText(state.fileName);
    if (state.fileName != doc.xmlFile()) // the stored form of the same file stays as it is
        doc.xmlPath = state.fileName;
    state.caption = QStringLiteral("XML: ") + state.fileName;
    doc.repShown = true;
    doc.propShown = true;
    doc.resultShown = true;
    goControls();
}

QString askXmlFile(const XmlDocumentState &state)
{
    const QString preset = workspace().presetXmlPath;
    if (!preset.isEmpty())
        return preset;
    return showFileDialog(true, QStringLiteral("Open XML file"), QStringLiteral("XML files|*.xml"),
                          QStringLiteral("*.xml"), false, getFileName(state.fileName),
                          getDir(state.fileName));
}

// A table without columns shows its own properties once it has a document.
void showTableProperties()
{
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    const StructureTree::Node *root = doc.tree.root();
    if (!ws.mainWindow || !ws.mainWindow->isWindowVisible(ws.curTable, SlotWindow::Prop) ||
        !root || !root->children.empty())
        return;
    selectTreeNode(StructureTree::tableKey);
    if (TableTreeView *rep = ws.currentViews().rep)
        rep->doTClick();
}

// The path box names the document the slot uses: the load was refused before it began.
bool refused(XmlDocumentState &state)
{
    state.fileName = workspace().current().xmlFile();
    return false;
}

} // namespace

XmlTreeParse parseNow(const QString &path) { return parseXmlTree(path, path); }

void initXmlWindow(XmlDocumentState &state)
{
    state.bulkExpand = true;
    state.prevXmlPath.clear();
    state.tree.reset();
    state.caption = QStringLiteral("XML");
}

void cmdBrowse_Click(XmlDocumentState &state, const XmlParseRunner &parse)
{
    const TableDocument &doc = workspace().current();
    const QString candidate = askXmlFile(state);
    if (candidate.isEmpty()) {
        state.fileName = doc.xmlFile();
        return;
    }
    if (!doc.tablePath.isEmpty() && !doc.xmlPath.isEmpty() &&
        ui().askYesNo(QStringLiteral("Are you sure you want to replace current XML?")) !=
            Answer::Yes) {
        state.fileName = doc.xmlFile();
        return;
    }
    state.fileName = candidate;
    state.prevXmlPath = doc.xmlPath;
    const bool loaded = loadXMLFile(state, parse);
    runIfAutoRun();
    showTableProperties();
    if (!loaded)
        return;
    // The user chose this document: the next step's tip points at the loaded tree.
    if (XmlTreeView *parser = workspace().currentViews().parser)
        parser->showLoaded();
    showStartTip();
}

bool loadXMLFile(XmlDocumentState &state, const XmlParseRunner &parse)
{
    if (state.fileName.isEmpty())
        return false;
    if (workspace().current().tablePath.isEmpty()) {
        ui().message(QStringLiteral("No table currently open. Open or create table first."));
        return refused(state);
    }
    if (!documentPresent(state.fileName) && offerCachedCopy(state) == Missing::Stop)
        return refused(state);
    // Declined, the copy leaves the document missing: the load fails without reading it.
    XmlTreeParse result;
    if (documentPresent(state.fileName)) {
        result = parse(state.fileName);
    } else {
        result.error.file = state.fileName;
        result.error.reason = whyAbsent(state.fileName);
    }
    const bool installed = result.tree != nullptr;
    if (installed)
        install(state, std::move(result.tree));
    else
        reportFailure(state, result.error);
    setProgress(100);
    recordLoad(state);
    return installed;
}

std::vector<int> nodesToExpand(const XmlTree &tree)
{
    constexpr int expandAllBelow = 100;
    if (tree.nodeCount() >= expandAllBelow)
        return {XmlTree::documentNode};
    std::vector<int> nodes;
    for (int node = 0; node < tree.nodeCount(); ++node)
        nodes.push_back(node);
    return nodes;
}

bool makeit_Click(const XmlDocumentState &state)
{
    Workspace &ws = workspace();
    const TableDocument &doc = ws.current();
    const int node = doc.xmlNodeIndex - 1;
    if (doc.xmlPath.isEmpty()) {
        ui().message(QStringLiteral("Please load XML file first."));
        return false;
    }
    if (!state.tree || node < 0 || node >= state.tree->nodeCount()) {
        ui().message(QStringLiteral("Please select XML element first."));
        return false;
    }
    if (state.tree->caption(node) == state.tree->caption(XmlTree::documentNode)) {
        ui().message(QStringLiteral("Please select XML element first, instead of XML file name."));
        return false;
    }
    mapXmlBox() = {true, true};
    const QString xpath = xpathOfNode(*state.tree, node);
    ws.current().xmlNodeXpath = xpath;
    if (getKey(QStringLiteral("Xpath-Table")).isEmpty())
        setKey(QStringLiteral("Xpath-Table"), xpath, true);
    addSingleColumn();
    return true;
}

void openXmlForTable(const QString &xmlPath, const QString &xslOutput, const QString &tableName)
{
    if (!createNewProject(tableName))
        return;
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    doc.xmlPath = xmlPath;
    if (XmlTreeView *parser = ws.currentViews().parser)
        parser->loadXMLFile();
    doc.xslFileName = getFileName(xslOutput);
    doc.xslFileDir = getDir(xslOutput);
}
