#include "publishing/call_mapping.h"

#include "documents/interface_text.h"
#include "documents/once_only_tips.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/text_files.h"
#include "documents/tree_selection.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"
#include "properties/called_table_interface.h"
#include "publishing/interface_tips.h"

namespace {

// The current column followed by "@table"; "" without a column.
QString callOwner()
{
    const StructureTree::Node *column = currentColumn();
    if (!column || column == workspace().current().tree.root())
        return {};
    return column->text + QStringLiteral("@table");
}

QString mappingKey(const QString &owner, const QString &name)
{
    return QStringLiteral("Call Xpath-") + owner + QChar('-') + stripIndent(name);
}

QString temporaryKey(int i) { return QStringLiteral("Temporary Interface-") + QString::number(i); }

} // namespace

QList<CallMappingRow> callInterfaceRows()
{
    const QString owner = callOwner();
    if (owner.isEmpty())
        return {};
    const QString ticPath = calledInterfacePath(getKey(QStringLiteral("Table-") + owner),
                                                getTableDir(workspace().curTable));
    if (ticPath.isEmpty())
        return {};
    QList<CallMappingRow> rows;
    const QList<InterfaceItem> items = readInterfaceText(readFile(ticPath)).items;
    for (const InterfaceItem &item : items) {
        rows.append({item.name, getKey(mappingKey(owner, item.name))});
        setKey(temporaryKey(int(rows.size())), item.description, false);
    }
    return rows;
}

QString callItemDescription(int i) { return getKey(temporaryKey(i)); }

bool askClearMappings()
{
    return ui().askYesNoCancel(QStringLiteral("Are you sure you want to delete all Xpath Item Mappings?"))
           == UiServices::Answer::Yes;
}

bool saveCallMapping(const QList<CallMappingRow> &rows, bool allCleared)
{
    const QString owner = callOwner();
    if (rows.isEmpty() || owner.isEmpty())
        return false;
    bool mapped = false;
    for (const CallMappingRow &row : rows) {
        setKey(mappingKey(owner, row.name), row.xpath, true);
        mapped = mapped || !row.xpath.isEmpty();
    }
    const QString used = QStringLiteral("Interface Used-") + owner;
    if (allCleared)
        setKey(used, QStringLiteral("False"), true);
    if (mapped && getKey(used) == QStringLiteral("False"))
        showTipAtControl(tipControl(SlotWindow::Rep, QStringLiteral("template")),
                         interface_tips::enablingInterface());
    runIfAutoRun();
    return true;
}

bool mapCallItem(const QString &item, const QString &xpath)
{
    QList<CallMappingRow> rows = callInterfaceRows();
    bool found = false;
    for (CallMappingRow &row : rows) {
        if (stripIndent(row.name) == item) {
            row.xpath = xpath;
            found = true;
        }
    }
    return found && saveCallMapping(rows, false);
}
