#include "documents/table_commands.h"

#include "documents/path_helpers.h"
#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/views/main_window_view.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"
#include "mainwindow/main_controls.h"
#include "platform/ui_services.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

void setProgress(int percent)
{
    if (MainWindowView *view = workspace().mainWindow)
        view->setProgress(percent);
}

} // namespace

void readProject(const QString &path)
{
    Workspace &ws = workspace();
    const int slot = ws.curTable;
    TableDocument &doc = ws.current();
    if (!path.isEmpty()) {
        doc.xmlPath.clear();
        readTable(path);
        doc.tableChanged = false;
    }
    if (!doc.tablePath.isEmpty()) {
        goControls();
        if (!doc.xmlPath.isEmpty()) {
            if (ws.mainWindow)
                ws.mainWindow->processPendingEvents();
            const CurTableGuard sameSlot(slot); // the table read is the one reloaded
            runIfAutoRun();
        }
        addToRecents(path);
    }
    setProgress(100);
}

void addToRecents(const QString &path)
{
    const QString key = QStringLiteral("set-lastfile");
    QString old = (readSetting(key) + crlf).left(1000);
    const qsizetype found = old.indexOf(path + crlf, 0, Qt::CaseInsensitive);
    if (found >= 0)
        old.remove(found, path.size() + crlf.size());
    writeSetting(key, path + crlf + old + crlf);
}

void saveit()
{
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    writeTableFile(doc.tablePath);
    if (doc.xslFileName.isEmpty())
        doc.xslFileName = getTableName(ws.curTable) + QStringLiteral(".xsl");
    if (doc.xslFileDir.isEmpty())
        doc.xslFileDir = getDir(doc.tablePath);
    if (XslCodeView *xslCode = ws.currentViews().xslCode)
        xslCode->savePage();
}

bool checkDirty(bool allTables)
{
    Workspace &ws = workspace();
    const int remembered = ws.curTable;
    for (int slot = 0; slot < maxTables; ++slot) {
        if (!allTables && slot != remembered)
            continue;
        const TableDocument &doc = ws.tables[size_t(slot)];
        if (!ws.slotUsed[size_t(slot)] || !doc.tableChanged)
            continue;
        const UiServices::Answer answer = ui().askYesNoCancel(
            QStringLiteral("Table ") + doc.tablePath +
            QStringLiteral(" has not been saved. Do you want to save it?"));
        if (answer == UiServices::Answer::Cancel)
            return false;
        if (answer == UiServices::Answer::Yes) {
            const CurTableGuard saving(slot);
            saveit();
        }
    }
    return true;
}
