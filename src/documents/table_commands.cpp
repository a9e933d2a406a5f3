#include "documents/table_commands.h"

#include "documents/column_types.h"
#include "documents/file_dialog.h"
#include "documents/main_controls.h"
#include "documents/path_helpers.h"
#include "documents/progress_bar.h"
#include "documents/recent_tables.h"
#include "documents/start_guidance.h"
#include "documents/store_access.h"
#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/table_slots.h"
#include "documents/text_files.h"
#include "documents/trusted_folders.h"
#include "documents/views/output_page_view.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

namespace {

using Answer = UiServices::Answer;

// Whether a new table may be written to the path; the user has been asked or told.
bool mayCreateAt(const QString &path)
{
    if (pathTaken(path) &&
        ui().askYesNo(QStringLiteral("Table with this name already exists. Do you want to "
                                     "overwrite it?")) != Answer::Yes)
        return false;
    if (isProjectOpen(path)) {
        ui().message(tableIsOpenMessage());
        return false;
    }
    return true;
}

} // namespace

QString askTableFileToSave(const QString &title, const QString &fileName)
{
    for (;;) {
        const QString path =
            showFileDialog(false, title, QStringLiteral("Tarvik Table|*.tvk"),
                           QStringLiteral("*.tvk"), true, fileName, QString());
        if (path.isEmpty() || isValidName(getBaseName(path), false))
            return path;
    }
}

QString tableIsOpenMessage()
{
    return QStringLiteral("Table with this name is currently open. Please close it first.");
}

bool hasValidTableName()
{
    const QString name = getTableName(workspace().curTable);
    return !name.isEmpty() && isValidName(name, true);
}

QString invalidTableNameMessage()
{
    return QStringLiteral("Table name '") + getTableName(workspace().curTable) +
           QStringLiteral("' can't be used in a stylesheet: a table name can contain letters, "
                          "digits and underscore only and can't start with a digit. Please save "
                          "the table under a valid name (Save As).");
}

bool isProjectOpen(const QString &path)
{
    const Workspace &ws = workspace();
    for (int slot = 0; slot < maxTables; ++slot)
        if (ws.slotUsed[size_t(slot)] && ws.tables[size_t(slot)].tablePath == path)
            return true;
    return false;
}

bool createNewProject(const QString &name)
{
    QString path = name;
    if (!path.isEmpty() && !isValidName(getBaseName(path), false))
        path.clear();
    if (path.isEmpty())
        path = askTableFileToSave(QStringLiteral("Save new Table in folder"),
                                  QStringLiteral("newTable.tvk"));
    if (path.isEmpty() || !mayCreateAt(path) || !newTableSlot())
        return false;
    addTableTab(path);
    TableDocument &doc = workspace().current();
    doc.tablePath = path;
    trustCurrentTableFolder(); // the user's own folder
    resetEverything();
    addToRecents(path);
    doc.tableChanged = true;
    saveit();
    showStartTip();
    return true;
}

bool openTable(const QString &path, bool withStartTip)
{
    if (!normalFileExists(path)) {
        ui().message(QStringLiteral("Can't find file ") + path +
                     QStringLiteral(". Please make sure file exists and you have access to it."));
        return false;
    }
    if (isProjectOpen(path)) {
        ui().message(QStringLiteral("Table is already open."));
        return false;
    }
    if (!newTableSlot())
        return false;
    addTableTab(path);
    resetEverything();
    readProject(path);
    if (withStartTip)
        showStartTip();
    return true;
}

void readProject(const QString &path)
{
    Workspace &ws = workspace();
    const int slot = ws.curTable;
    TableDocument &doc = ws.current();
    if (!path.isEmpty()) {
        doc.xmlPath.clear();
        readTable(path);
        doc.tableChanged = false;
        if (!doc.tablePath.isEmpty() && !hasValidTableName())
            ui().message(invalidTableNameMessage());
    }
    if (!doc.tablePath.isEmpty()) {
        goControls();
        if (!doc.xmlPath.isEmpty()) {
            letPendingEventsRun();
            const CurTableGuard sameSlot(slot); // the table read is the one reloaded
            runIfAutoRun();
        }
        addToRecents(path);
    }
    setProgress(100);
}

bool saveit()
{
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    if (doc.tablePath.isEmpty())
        return false;
    const bool written = writeTableFile(doc.tablePath);
    if (doc.xslFileName.isEmpty())
        doc.xslFileName = getTableName(ws.curTable) + QStringLiteral(".xsl");
    if (doc.xslFileDir.isEmpty())
        doc.xslFileDir = getDir(doc.tablePath);
    if (OutputPageView *outputPage = ws.outputPage)
        outputPage->savePage();
    if (XslCodeView *xslCode = ws.currentViews().xslCode)
        xslCode->showGenerated();
    return written;
}

bool checkDirty(bool allTables)
{
    const Workspace &ws = workspace();
    const int remembered = ws.curTable;
    for (int slot = 0; slot < maxTables; ++slot) {
        const TableDocument &doc = ws.tables[size_t(slot)];
        if ((!allTables && slot != remembered) || !ws.slotUsed[size_t(slot)] ||
            !doc.tableChanged)
            continue;
        const Answer answer = ui().askYesNoCancel(
            QStringLiteral("Table ") + doc.tablePath +
            QStringLiteral(" has not been saved. Do you want to save it?"));
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes) {
            const CurTableGuard guard(slot);
            if (!saveit())
                return false; // the user has seen why; going on would lose the changes
        }
    }
    return true;
}
