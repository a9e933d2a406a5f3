#include "generator/preview_highlight.h"

#include "documents/store_access.h"
#include "documents/views/preview_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/workspace.h"

#include <QRegularExpression>

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
    qsizetype i = 0;
    while (i < ids.size() && ids[i].isEmpty())
        ++i;
    for (; i < ids.size() && !ids[i].isEmpty(); ++i) {
        const QString column = columnOfCellId(ids[i], tableName);
        if (column.isEmpty() || !isColumn(column))
            continue;
        SlotViews &views = workspace().currentViews();
        workspace().current().selectedNodeKey = column;
        if (views.rep) {
            views.rep->selectNode(column);
            views.rep->fillProps();
        }
        highlightInPreview();
        return column;
    }
    return {};
}
