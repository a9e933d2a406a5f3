#pragma once

#include "mainwindow/command_line.h"

#include <QString>
#include <QStringList>
#include <optional>

class StartupWindow;
struct LayoutState;

// The program comes up in one fixed order; see runStartUp.

// Creates the "tables" folder in the data folder. At the first start (no entry "tables"
// existed) the example tables of examplesFolder are copied into it, none overwritten,
// and the result is true.
bool prepareTablesFolder(const QString &examplesFolder);
// Anything but "False" in "autoupdate-option", a missing file included, keeps it on.
bool updateCheckEnabled();
// Writes the default XML document when "defaultXML.xml" reads as "".
void ensureDefaultXml();
// Opens what the command line names: a table file through the table file reader, or an
// XML file in a new table of the name given with it.
void openFromCommandLine(const CommandLine &line);

struct StartupResult {
    QString commandLineName; // the third piece when the first names a table file
};

// Start-up in its fixed order: menu style, command line, geometry, tab strip, icons, the
// tables folder and the example tables, the recent tables menu, the command line's table,
// showing the window, the update timer and the default XML file.
StartupResult runStartUp(StartupWindow &window, LayoutState &layout, const QStringList &arguments,
                         const QString &examplesFolder);
