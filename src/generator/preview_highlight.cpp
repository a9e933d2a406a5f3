#include "generator/preview_highlight.h"

#include "documents/store_access.h"
#include "documents/views/preview_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/workspace.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// The selected column, or the column of a selected attribute; null otherwise.
const StructureTree::Node *selectedColumn()
{
    const StructureTree::Node *node = currentColumn();
    return node && node->parent ? node : nullptr;
}

bool isColumn(const QString &key)
{
    const StructureTree::Node *node = workspace().current().tree.find(key);
    return node && node->parent && !node->parent->parent;
}

// The sheet shows the selected node again and its column's cell is outlined.
void refillAndOutline(TableTreeView *rep)
{
    if (rep)
        rep->fillProps();
    highlightInPreview();
}

} // namespace

QString columnOfCellId(const QString &id, const QString &tableName)
{
    static const QRegularExpression rowPrefix(QStringLiteral("^r_1_[0-9]+_"));
    const QRegularExpressionMatch row = rowPrefix.match(id);
    if (!row.hasMatch())
        return {};
    const QString rest = id.mid(row.capturedLength());
    const QString tablePart = tableName + u'_';
    return rest.startsWith(tablePart) ? rest.mid(tablePart.size()) : QString();
}

void highlightInPreview()
{
    Workspace &ws = workspace();
    PreviewView *preview = ws.currentViews().result;
    const StructureTree::Node *column = selectedColumn();
    if (!preview || !column)
        return;
    PreviewHighlight request;
    request.tableName = getTableName(ws.curTable);
    request.column = column->key;
    if (!ws.lastHighlightedColumn.isEmpty()) {
        request.previousId = ws.lastHighlightedId;
        const char *const borders[] = {"Left Border-", "Right Border-", "Top Border-",
                                       "Bottom Border-", "Border-"};
        for (int i = 0; i < 5; ++i)
            request.previousBorders[i] =
                getKey(QLatin1String(borders[i]) + ws.lastHighlightedColumn);
    }
    preview->highlightCell(request);
}

void recordHighlight(const QString &column, const QString &id)
{
    Workspace &ws = workspace();
    ws.lastHighlightedColumn = column;
    ws.lastHighlightedId = id;
}

QString selectClickedColumn(const QStringList &ids)
{
    const QString tableName = getTableName(workspace().curTable);
    TableTreeView *rep = workspace().currentViews().rep;
    auto id = std::find_if(ids.begin(), ids.end(), [](const QString &i) { return !i.isEmpty(); });
    bool cellOfNoColumn = false;
    for (; id != ids.end() && !id->isEmpty(); ++id) {
        const QString column = columnOfCellId(*id, tableName);
        if (!isColumn(column)) {
            cellOfNoColumn = cellOfNoColumn || !column.isEmpty();
            continue;
        }
        workspace().current().selectedNodeKey = column;
        if (rep)
            rep->selectNode(column);
        refillAndOutline(rep);
        return column;
    }
    if (cellOfNoColumn)
        refillAndOutline(rep);
    return {};
}
