#include "documents/table_file_reader.h"

#include "documents/code_editor_pool.h"
#include "documents/column_types.h"
#include "documents/progress_bar.h"
#include "documents/store_access.h"
#include "documents/table_file_format.h"
#include "documents/text_values.h"
#include "documents/text_files.h"
#include "documents/views/preview_view.h"
#include "documents/views/property_sheet_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

#include <array>

namespace {

enum class Step { Go, EndNormally, Invalid };

// The records W1 to W20 of the window section, counted from 0.
constexpr int windowRecordCount = 20;
constexpr int xslFileRecord = 10;    // W11: XSL output file name and folder
constexpr int xmlTextRecord = 11;    // W12: the XML document's text
constexpr int autoReloadRecord = 13; // W14: the preview's auto-reload box
constexpr int firstShownRecord = 14; // W15 to W19: the windows' shown flags
constexpr int xmlNodeRecord = 19;    // W20: the selected node of the XML tree
constexpr int rowLimitChoices = 5; // "all rows", "first 5", "first 10", "first 20", "first 50"

// Keys of older table files that name their properties differently.
QString currentKeyName(const QString &key)
{
    static const QString legacyPrefix = QStringLiteral("Eliminate If-");
    if (!key.startsWith(legacyPrefix))
        return key;
    if (key == QStringLiteral("Eliminate If-Table"))
        return QStringLiteral("Exclude Row If-Table");
    return QStringLiteral("Exclude Column If-") + key.mid(legacyPrefix.size());
}

void setIfNumber(double &target, const QString &text)
{
    if (const auto number = parseWholeNumber(text))
        target = *number;
}

// Height and width, or left and top (place); a field that is no number changes nothing.
void readGeometry(WindowGeometry &geometry, bool place, const QString &field1,
                  const QString &field2)
{
    setIfNumber(place ? geometry.left : geometry.height, field1);
    setIfNumber(place ? geometry.top : geometry.width, field2);
}

// The property sheet's isLoading flag, True for the reader's whole run, however it ends.
class LoadingScope {
public:
    explicit LoadingScope(PropertySheetView *sheet) : sheet(sheet)
    {
        if (sheet)
            sheet->setLoading(true);
    }
    ~LoadingScope()
    {
        if (sheet)
            sheet->setLoading(false);
    }
    LoadingScope(const LoadingScope &) = delete;
    LoadingScope &operator=(const LoadingScope &) = delete;

private:
    PropertySheetView *sheet;
};

class TableFileReader {
public:
    // The embedded side files after the first Chr(5) are not the reader's.
    TableFileReader(const QString &path, const QString &fileText)
        : ws(workspace()), doc(ws.current()), views(ws.currentViews()), path(path),
          text(fileText.left(fileText.indexOf(sideFileMark)))
    {
    }

    TableReadOutcome run();

private:
    Step readXmlPath();
    Step readProperties();
    Step readTemplate();
    Step readWindows();
    Step readEditors();
    Step readSelection();
    void finish();

    bool mayHoldRecords(const QString &parentKey) const;
    void applyWindowRecord(int index, const QString &field1, const QString &field2);
    std::optional<bool> shownFlag(const QString &field, bool needsXml) const;
    void applyEditor(const std::array<QString, 8> &fields);
    void applySelection(int index, const QString &field1, const QString &field2);
    void setRowLimitIndex(int index);

    bool atSectionEnd() const { return pos < text.size() && text[pos] == sectionEnd; }
    int record(QString &field1, QString &field2) { return readRecord(pos, text, field1, field2); }
    static Step stepOf(int recordResult)
    {
        return recordResult == 2 ? Step::Go
                                 : (recordResult == 1 ? Step::Invalid : Step::EndNormally);
    }

    Workspace &ws;
    TableDocument &doc;
    const SlotViews &views;
    const QString path;
    const QString text;
    qsizetype pos = 0;
};

TableReadOutcome TableFileReader::run()
{
    LoadingScope loading(views.allProp);
    setProgress(0);
    setRowLimitIndex(0);
    Step step = Step::Go;
    for (auto section : {&TableFileReader::readXmlPath, &TableFileReader::readProperties,
                         &TableFileReader::readTemplate, &TableFileReader::readWindows,
                         &TableFileReader::readEditors, &TableFileReader::readSelection}) {
        step = (this->*section)();
        if (step != Step::Go)
            break;
    }
    if (step == Step::Go)
        setProgress(100);
    if (step == Step::Invalid) {
        if (!ws.startupLoading)
            ui().message(invalidTableFileMessage(path));
        return TableReadOutcome::Invalid;
    }
    finish();
    return TableReadOutcome::Complete;
}

Step TableFileReader::readXmlPath()
{
    const qsizetype end = text.indexOf(sectionEnd);
    if (end < 0)
        return Step::Invalid;
    doc.xmlPath = text.left(end);
    pos = end + 1;
    return Step::Go;
}

Step TableFileReader::readProperties()
{
    QString key;
    QString value;
    while (!atSectionEnd()) {
        const Step step = stepOf(record(key, value));
        if (step != Step::Go)
            return step;
        setKey(currentKeyName(key), value, true);
    }
    ++pos;
    setProgress(10);
    return Step::Go;
}

// Only the root "Table" (for columns) and its columns (for attributes) take records; any
// other parent would let a file build a tree of any depth.
bool TableFileReader::mayHoldRecords(const QString &parentKey) const
{
    const StructureTree::Node *parent = doc.tree.find(parentKey);
    const StructureTree::Node *root = doc.tree.root();
    return parent && root && (parent == root || parent->parent == root);
}

// Each record holds three fields: parent key, key and caption.
Step TableFileReader::readTemplate()
{
    QString parentKey;
    QString keyAndCaption;
    while (!atSectionEnd()) {
        const Step step = stepOf(record(parentKey, keyAndCaption));
        if (step != Step::Go)
            return step;
        const qsizetype separator = keyAndCaption.indexOf(fieldSeparator);
        if (separator < 0)
            return Step::Invalid;
        const QString key = keyAndCaption.left(separator);
        if (key.isEmpty() || !mayHoldRecords(parentKey))
            continue;
        if (StructureTree::Node *node =
                doc.tree.add(parentKey, key, keyAndCaption.mid(separator + 1)))
            setNodeIcon(*node, doc.store);
    }
    ++pos;
    if (views.rep)
        views.rep->showTree();
    setProgress(20);
    return Step::Go;
}

Step TableFileReader::readWindows()
{
    QString field1;
    QString field2;
    for (int index = 0; index < windowRecordCount; ++index) {
        const Step step = stepOf(record(field1, field2));
        if (step != Step::Go)
            return step;
        applyWindowRecord(index, field1, field2);
        if (index == autoReloadRecord)
            setProgress(30);
    }
    return Step::Go;
}

void TableFileReader::applyWindowRecord(int index, const QString &field1, const QString &field2)
{
    const int perWindow = slotWindowCount;
    if (index < 2 * perWindow) {
        const SlotWindow window = windowFileOrder[size_t(index % perWindow)];
        readGeometry(doc.geometryOf(window), index >= perWindow, field1, field2);
    } else if (index == xslFileRecord) {
        doc.xslFileName = field1;
        doc.xslFileDir = field2;
        doc.xslPathFromFile = !field1.isEmpty() || !field2.isEmpty();
        doc.cachedXmlText.clear();
    } else if (index == xmlTextRecord) {
        doc.cachedXmlText = field2;
    } else if (index == autoReloadRecord) {
        const auto value = parseWholeNumber(field1);
        if (value && (*value == 0 || *value == 1)) {
            doc.autoReload = *value;
            if (views.result)
                views.result->setAutoReload(*value);
        }
    } else if (index >= firstShownRecord && index < firstShownRecord + perWindow) {
        const SlotWindow window = windowFileOrder[size_t(index - firstShownRecord)];
        if (const auto flag = shownFlag(field1, window != SlotWindow::Parser))
            doc.shown(window) = *flag;
    } else if (index == xmlNodeRecord) {
        if (field1.isEmpty())
            doc.xmlNodeIndex = -1;
        else if (const auto node = parseWholeNumber(field1))
            doc.xmlNodeIndex = *node;
    }
}

// A shown flag as read: without an XML document only the XML document window
// (needsXml false) may be shown.
std::optional<bool> TableFileReader::shownFlag(const QString &field, bool needsXml) const
{
    auto flag = parseFlag(field);
    if (flag && *flag && needsXml && doc.xmlPath.isEmpty())
        flag = false;
    return flag;
}

// An editor's four records are read whole before any is applied, so that an editor cut
// off by the end of the file is left out and a full pool keeps the records in step. A file
// that ends inside an editor's record ends there too: the partial editor is skipped.
Step TableFileReader::readEditors()
{
    while (!atSectionEnd()) {
        std::array<QString, 8> fields;
        for (size_t i = 0; i < fields.size(); i += 2)
            if (record(fields[i], fields[i + 1]) != 2)
                return Step::EndNormally;
        applyEditor(fields);
    }
    ++pos;
    return Step::Go;
}

void TableFileReader::applyEditor(const std::array<QString, 8> &fields)
{
    const int index = getXslEditor(fields[0], fields[1]);
    if (index < 0)
        return;
    CodeEditorRecord &editor = ws.xslEditForms[size_t(index)];
    readGeometry(editor.geometry, false, fields[2], fields[3]);
    readGeometry(editor.geometry, true, fields[4], fields[5]);
    if (const auto flag = shownFlag(fields[6], true))
        editor.xslEditShown = *flag;
    editor.myTab = ws.curTable;
}

Step TableFileReader::readSelection()
{
    QString field1;
    QString field2;
    for (int index = 0; index < 4; ++index) {
        const Step step = stepOf(record(field1, field2));
        if (step != Step::Go)
            return step;
        applySelection(index, field1, field2);
        if (index == 1)
            setProgress(40);
    }
    return Step::Go;
}

// S1 to S4, counted from 0: selected node and property row, detailed tooltips, row limit,
// saved active slot.
void TableFileReader::applySelection(int index, const QString &field1, const QString &field2)
{
    if (index == 0) {
        if (!field1.isEmpty() && doc.tree.find(field1)) {
            doc.selectedNodeKey = field1;
            if (views.rep) {
                views.rep->selectNode(field1);
                views.rep->doTClick();
            }
        }
        if (!field2.isEmpty()) {
            doc.selectedPropertyCaption = field2;
            if (views.allProp)
                views.allProp->selectRow(field2);
        }
    } else if (index == 1) {
        if (const auto flag = parseFlag(field2))
            ws.showDetails = *flag;
    } else if (index == 2) {
        auto limit = parseWholeNumber(field2);
        if (limit && *limit == -1)
            limit = 0;
        if (limit && *limit >= 0 && *limit < rowLimitChoices)
            setRowLimitIndex(*limit);
    } else {
        const auto slot = parseWholeNumber(field1);
        if (slot && *slot >= 0 && *slot < maxTables && ws.slotUsed[size_t(*slot)])
            ws.savedActiveSlot = *slot;
    }
}

// The preview's row limit, set with uiReady held at False so that the list's handler
// neither marks the table changed nor renders.
void TableFileReader::setRowLimitIndex(int index)
{
    ws.uiReady = false;
    doc.rowLimitIndex = index;
    if (views.result)
        views.result->setRowLimitIndex(index);
    ws.uiReady = true;
}

void TableFileReader::finish()
{
    doc.tablePath = path;
    if (XmlTreeView *parser = views.parser) {
        const int selected = doc.xmlNodeIndex; // a load starts with a fresh selection
        parser->loadXMLFile();
        if (selected >= 0)
            parser->selectNodeIndex(selected);
        parser->scrollLeft();
    }
    if (views.rep) {
        views.rep->scrollLeft();
        views.rep->fillProps();
    }
}

} // namespace

int readRecord(qsizetype &pos, const QString &text, QString &field1, QString &field2)
{
    const qsizetype separator = text.indexOf(fieldSeparator, pos);
    if (separator < 0)
        return 0;
    field1 = text.mid(pos, separator - pos);
    pos = separator + 1;
    const qsizetype end = text.indexOf(recordEnd, pos);
    if (end < 0)
        return 1;
    field2 = text.mid(pos, end - pos);
    pos = end + 1;
    return 2;
}

QString invalidTableFileMessage(const QString &path)
{
    return QStringLiteral("Table file ") + path +
           QStringLiteral(": this doesn't appear to be valid table file. Please select "
                          "another file.");
}

TableReadOutcome readTableText(const QString &path, const QString &text)
{
    return TableFileReader(path, text).run();
}

TableReadOutcome readTable(const QString &path) { return readTableText(path, readFile(path)); }
