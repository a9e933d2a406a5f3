#pragma once

#include <QString>
#include <QStringList>

// Folders whose tables the user trusts, kept in the settings file "trusted-folders", one
// absolute folder a line. The folder of the example tables is always trusted, and a folder
// where the user makes a New table is added. Trust is exact: a table is trusted when the
// folder its file lies in is listed itself; a subfolder of a listed folder is not, since a
// folder the user trusted says nothing of folders someone else put into it.
//
// A table of an untrusted folder runs restricted: its stylesheet reads files only from its
// own folder and the folders of the tables it calls, its page loads nothing from the web,
// and its plug-in processor does not run. A table with no file yet is the user's own, and
// so is one the user saved (New table, Save As): its folder is trusted.

// The folders of the settings file, cleaned, then the folder of the example tables.
QStringList trustedFolders();
bool folderTrusted(const QString &folder);
// Adds the folder (made absolute and cleaned) unless it is listed; false when its name holds
// a line break or the settings file could not be written (the user has been told).
bool trustFolder(const QString &folder);

// The folder of the current table's file; "" for a table with no file.
QString currentTableFolder();
bool currentTableTrusted();
// Trusts the current table's folder; false when it could not be kept (the user was told).
bool trustCurrentTableFolder();
// The folders a restricted run of the current table may read from: its own folder and the
// folders of the tables it calls (as its last generated stylesheet calls them).
QStringList currentReadableFolders();
// What a restricted run of a table held back: only what it asked for is.
struct HeldBack {
    bool webLoads = false;  // its page asked for something from the web
    bool fileReads = false; // it asked for a file outside the folders it may read
    QString pluginCommand;  // the plug-in command line that was not run; "" for none
    bool any() const { return webLoads || fileReads || !pluginCommand.isEmpty(); }
};
// What was held back from the current table, in one short line.
QString heldBackSummary(const HeldBack &heldBack);
// The same in full words, naming the current table's folder.
QString heldBackNotice(const HeldBack &heldBack);
