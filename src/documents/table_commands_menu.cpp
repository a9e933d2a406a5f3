#include "documents/table_commands_menu.h"

#include "documents/file_dialog.h"
#include "documents/main_controls.h"
#include "documents/path_helpers.h"
#include "documents/recent_tables.h"
#include "documents/settings_files.h"
#include "documents/string_helpers.h"
#include "documents/store_access.h"
#include "documents/structure_tree.h"
#include "documents/table_commands.h"
#include "documents/table_slots.h"
#include "documents/text_files.h"
#include "documents/trusted_folders.h"
#include "documents/views/main_window_view.h"
#include "documents/views/preview_view.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

#include <QFile>

namespace {

using Answer = UiServices::Answer;

const QString tableFilter = QStringLiteral("Table file|*.tvk");

bool tellWhenNoTable()
{
    if (!workspace().current().tablePath.isEmpty())
        return false;
    ui().message(QStringLiteral("No table currently open. Create new table first."));
    return true;
}

// An XSL output that was the old table's default follows the table to its new file, so
// that the new table does not overwrite the old table's stylesheet.
void moveDefaultXslOutput(TableDocument &doc, const QString &newPath)
{
    const QString oldName = getBaseName(doc.tablePath) + QStringLiteral(".xsl");
    if (doc.xslFileName != oldName || doc.xslFileDir != getDir(doc.tablePath))
        return;
    doc.xslFileName = getBaseName(newPath) + QStringLiteral(".xsl");
    doc.xslFileDir = getDir(newPath);
}

// A call names its table from the calling table's folder: moved to another folder, the
// table goes on calling the same tables, and its stylesheet imports them from there.
void keepCalledTables(const QString &oldDir, const QString &newDir)
{
    const StructureTree::Node *root = workspace().current().tree.root();
    if (!root)
        return;
    for (const auto &column : root->children) {
        const QString key = QStringLiteral("Table-") + column->key + QStringLiteral("@table");
        const QString reference = slashPath(getKey(key));
        if (!reference.isEmpty())
            setKey(key, reexpressedPath(reference, oldDir, newDir), false);
    }
}

// The "Import XSLT Files" entries name their files from the XSL output folder.
void keepImports(const QString &oldDir, const QString &newDir)
{
    const QString key = QStringLiteral("Import XSLT Files-Table");
    const QString list = getKey(key);
    QStringList entries = list.split(QChar(','));
    for (QString &entry : entries) {
        const QString path = trimWhiteVar(entry);
        if (!path.isEmpty())
            entry.replace(entry.indexOf(path), path.size(), reexpressedPath(path, oldDir, newDir));
    }
    if (entries.join(QChar(',')) != list)
        setKey(key, entries.join(QChar(',')), false);
}

// Moved to another folder, the table goes on using the same files: the tables it calls,
// its XML document and the stylesheets it imports.
void moveTable(TableDocument &doc, const QString &newPath)
{
    const QString oldDir = getDir(doc.tablePath);
    const QString oldImportDir = doc.xslOutputFolder();
    moveDefaultXslOutput(doc, newPath);
    keepCalledTables(oldDir, getDir(newPath));
    doc.xmlPath = reexpressedPath(doc.xmlPath, oldDir, getDir(newPath));
    doc.tablePath = newPath;
    keepImports(oldImportDir, doc.xslOutputFolder());
}

} // namespace

void newProject_Click() { createNewProject(QString()); }

void openProject_Click()
{
    const QString path = showFileDialog(true, QStringLiteral("Open table"), tableFilter,
                                        QStringLiteral("tvk"), false, QString(), tablesFolder());
    if (!path.isEmpty())
        openTable(path);
}

void docloseit_Click()
{
    commitPendingSheetEdit();
    if (!checkDirty(false))
        return;
    workspace().current().reset();
    resetEverything();
    closeTableTab();
    switchTable();
}

void dosave_Click()
{
    if (tellWhenNoTable())
        return;
    commitPendingSheetEdit();
    workspace().savedActiveSlot = workspace().curTable;
    saveit();
}

void saveall_Click()
{
    Workspace &ws = workspace();
    commitPendingSheetEdit();
    ws.savedActiveSlot = ws.curTable;
    for (int slot = 0; slot < maxTables; ++slot) {
        if (ws.slotUsed[size_t(slot)]) {
            const CurTableGuard guard(slot);
            saveit();
        }
    }
}

void saveas_Click()
{
    if (tellWhenNoTable())
        return;
    commitPendingSheetEdit();
    const QString path = askTableFileToSave(QStringLiteral("Save Table As"),
                                            getTableName(workspace().curTable));
    if (path.isEmpty())
        return;
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    if (path != doc.tablePath && isProjectOpen(path)) {
        ui().message(tableIsOpenMessage());
        return;
    }
    if (pathTaken(path) &&
        ui().askYesNo(QStringLiteral("File ") + path +
                      QStringLiteral(" already exists. Do you want to overwrite it?")) !=
            Answer::Yes)
        return;
    moveTable(doc, path);
    trustCurrentTableFolder(); // the user's own folder
    if (PreviewView *preview = ws.currentViews().result)
        preview->runit_Click();
    saveit();
    addToRecents(path);
    if (ws.mainWindow)
        ws.mainWindow->setTabCaption(tabKey(ws.curTable), tabCaption(path));
    goControls();
}

void delProject_Click()
{
    const QString path = showFileDialog(true, QStringLiteral("Delete table"), tableFilter,
                                        QStringLiteral("tvk"), false, QString(), QString());
    if (path.isEmpty())
        return;
    if (isProjectOpen(path)) {
        ui().message(QStringLiteral("Can't delete currently open table. Close it first."));
        return;
    }
    if (ui().askYesNo(QStringLiteral("Are you sure you want to delete this table?")) !=
        Answer::Yes)
        return;
    QFile file(path);
    if (file.remove())
        ui().message(QStringLiteral("Table deleted."));
    else
        ui().message(file.errorString());
}

void rTableList_Click(const QString &caption)
{
    if (caption != noRecentTablesCaption())
        openTable(caption);
}
