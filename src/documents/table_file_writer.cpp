#include "documents/table_file_writer.h"

#include "documents/add_string.h"
#include "documents/code_editor_pool.h"
#include "documents/column_types.h"
#include "documents/side_file_restore.h"
#include "documents/store_access.h"
#include "documents/table_file_format.h"
#include "documents/text_values.h"
#include "documents/text_files.h"
#include "documents/workspace.h"

namespace {

// Assembles the file in one AddString; every field loses its separators on the way.
class RecordWriter {
public:
    void field(const QString &text) { out.Add(cleanField(text)); }
    void mark(QChar separator) { out.Add(QString(separator)); }
    void raw(const QString &text) { out.Add(text); }
    void record(const QString &first, const QString &second)
    {
        field(first);
        mark(fieldSeparator);
        field(second);
        mark(recordEnd);
    }
    void record(const QString &first, const QString &second, const QString &third)
    {
        field(first);
        mark(fieldSeparator);
        record(second, third);
    }
    QString text() const { return out.GetStr(); }

private:
    AddString out;
};

void writeProperties(RecordWriter &out, const TableDocument &doc)
{
    for (const PropertyStore::Entry &entry : doc.store.entries())
        out.record(entry.key, entry.text);
    out.mark(sectionEnd);
}

void writeTemplate(RecordWriter &out, const TableDocument &doc)
{
    if (const StructureTree::Node *root = doc.tree.root()) {
        for (const auto &column : root->children) {
            out.record(StructureTree::tableKey, column->key, column->text);
            for (const auto &attribute : column->children)
                out.record(column->key, attribute->key, attribute->text);
        }
    }
    out.mark(sectionEnd);
}

void writeSize(RecordWriter &out, const WindowGeometry &geometry)
{
    out.record(formatSingle(geometry.height), formatSingle(geometry.width));
}

void writePlace(RecordWriter &out, const WindowGeometry &geometry)
{
    out.record(formatSingle(geometry.left), formatSingle(geometry.top));
}

void writeWindows(RecordWriter &out, TableDocument &doc)
{
    for (SlotWindow window : windowFileOrder)
        writeSize(out, doc.geometryOf(window));
    for (SlotWindow window : windowFileOrder)
        writePlace(out, doc.geometryOf(window));
    out.record(doc.xslFileName, doc.xslFileDir);
    out.record(QString(), doc.xmlText);
    out.record(QString(), QString());
    out.record(QString::number(doc.autoReload), QStringLiteral("0"));
    const bool noXml = doc.xmlPath.isEmpty();
    for (SlotWindow window : windowFileOrder)
        out.record(flagText(noXml || doc.shown(window)), QString());
    out.record(doc.xmlNodeIndex < 0 ? QString() : QString::number(doc.xmlNodeIndex), QString());
}

void writeEditors(RecordWriter &out, const TableDocument &doc, int slot)
{
    const Workspace &ws = workspace();
    for (int index : slotEditors(slot)) {
        const CodeEditorRecord &editor = ws.xslEditForms[size_t(index)];
        out.record(editor.myElement, editor.myFunction);
        writeSize(out, editor.geometry);
        writePlace(out, editor.geometry);
        out.record(flagText(!doc.xmlPath.isEmpty() && editor.xslEditShown), QString());
    }
    out.mark(sectionEnd);
}

// The text of the column the selection belongs to: the table, a column, or the column of
// a selected attribute; "" when nothing is selected.
QString currentColumnText(const TableDocument &doc)
{
    const StructureTree::Node *node = doc.tree.find(doc.selectedNodeKey);
    if (!node || doc.selectedNodeKey.isEmpty())
        return {};
    if (nodeKind(*node) == NodeKind::Attribute && node->parent)
        node = node->parent;
    return node->text;
}

void writeSelection(RecordWriter &out, const TableDocument &doc)
{
    const Workspace &ws = workspace();
    out.record(currentColumnText(doc), doc.selectedPropertyCaption);
    out.record(QString(), flagText(ws.showDetails));
    out.record(QString(), QString::number(doc.rowLimitIndex));
    out.record(QString::number(ws.savedActiveSlot), QString());
}

void writeSidePieces(RecordWriter &out, const QStringList &pieces)
{
    out.mark(sideFileMark);
    for (qsizetype i = 0; i < sideFileExtensions().size(); ++i) {
        out.raw(cleanSidePiece(pieces.value(i)));
        out.mark(sideFileMark);
    }
}

} // namespace

QStringList readSideFiles()
{
    const int slot = workspace().curTable;
    QStringList pieces;
    const QString name = getTableName(slot);
    for (const QString &extension : sideFileExtensions())
        pieces.append(name.isEmpty() ? QString() : readSideFile(getTableDir(slot) + name + extension));
    return pieces;
}

QString serializeTable() { return serializeTableWith(readSideFiles()); }

QString serializeTableWith(const QStringList &sidePieces)
{
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    RecordWriter out;
    out.field(doc.xmlPath);
    out.mark(sectionEnd);
    writeProperties(out, doc);
    writeTemplate(out, doc);
    writeWindows(out, doc);
    writeEditors(out, doc, ws.curTable);
    writeSelection(out, doc);
    writeSidePieces(out, sidePieces);
    return out.text();
}

bool writeTableFile(const QString &path) { return writeTableFile(path, readSideFiles()); }

bool writeTableFile(const QString &path, const QStringList &sidePieces)
{
    if (!writeFile(path, serializeTableWith(sidePieces), false))
        return false;
    workspace().current().tableChanged = false;
    return true;
}
