#include "mainwindow/startup.h"

#include "designer/xml_document.h"
#include "documents/main_controls.h"
#include "documents/path_helpers.h"
#include "documents/progress_bar.h"
#include "documents/recent_tables.h"
#include "documents/settings_files.h"
#include "documents/table_commands.h"
#include "documents/table_slots.h"
#include "documents/text_files.h"
#include "documents/views/main_window_view.h"
#include "documents/workspace.h"
#include "mainwindow/menu_style.h"
#include "mainwindow/startup_window.h"
#include "mainwindow/window_layout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

bool prepareTablesFolder(const QString &examplesFolder)
{
    const QString tables = tablesFolder();
    const bool existed = QFileInfo::exists(tables);
    QDir().mkpath(tables);
    if (existed)
        return false;
    // The example tables come with their XML documents; all of them start with "demo_".
    const QDir examples(examplesFolder);
    for (const QString &name : examples.entryList({QStringLiteral("demo_*")}, QDir::Files)) {
        const QString target = tables + QChar('/') + name;
        if (!QFileInfo::exists(target) && QFile::copy(examples.filePath(name), target))
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    return true;
}

bool updateCheckEnabled()
{
    return readSetting(QStringLiteral("autoupdate-option")) != QStringLiteral("False");
}

void ensureDefaultXml()
{
    const QString path = settingsPath(QStringLiteral("defaultXML.xml"));
    if (readFile(path).isEmpty())
        writeFile(path, QStringLiteral("<root>\r\n  Default XML\r\n</root>"), false);
}

// Paths on the command line count from the folder the program was started in.
void openFromCommandLine(const CommandLine &line)
{
    const QString start = QDir::currentPath();
    const QString xslOutput = resolvedPath(line.xslOutput, start);
    if (!line.tableStart) {
        if (!line.name.isEmpty())
            openXmlForTable(resolvedPath(line.file, start), xslOutput, resolvedPath(line.name, start));
        return;
    }
    if (!openTable(resolvedPath(line.file, start), false) || xslOutput.isEmpty())
        return;
    TableDocument &doc = workspace().current();
    doc.xslFileName = getFileName(xslOutput);
    doc.xslFileDir = getDir(xslOutput);
}

StartupResult runStartUp(StartupWindow &window, LayoutState &layout, const QStringList &arguments,
                         const QString &examplesFolder)
{
    Workspace &ws = workspace();
    ws.tabEventsOn = true;
    if (const std::optional<bool> style = readMenuStyle())
        window.applyMenuStyle(*style);
    const CommandLine line = parseCommandLine(arguments);
    StartupResult result;
    if (line.tableStart)
        result.commandLineName = line.name;
    ws.uiReady = true;
    if (const std::optional<MainGeometry> geometry = readMainGeometry())
        window.applyMainGeometry(*geometry);
    window.ensureNormalState();
    window.createTabStrip();
    ws.curTable = 0;
    window.loadIcons();
    if (prepareTablesFolder(examplesFolder))
        window.maximize();
    hideControls();
    ws.current().tableChanged = false;
    resetEverything();
    letPendingEventsRun();
    ws.startupLoading = true;
    ws.savedActiveSlot = -1;
    window.fillRecentTables(recentTablesMenu());
    ws.startupLoading = false;
    openFromCommandLine(line);
    window.showAndRaise();
    layout.lastClientWidth = std::lround(window.mainWidthTwips());
    layout.lastClientHeight = std::lround(window.mainHeightTwips());
    ws.newColumnType = QStringLiteral("Text (HTML segment)");
    ws.productionRun = false;
    selectSavedTab(true);
    window.setUpdateCheck(updateCheckEnabled());
    ensureDefaultXml();
    return result;
}
