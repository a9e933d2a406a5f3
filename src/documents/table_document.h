#pragma once

#include "documents/property_store.h"
#include "documents/structure_tree.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

// The five windows every table slot has.
enum class SlotWindow { Parser, Rep, Prop, Result, XslCode };
constexpr int slotWindowCount = 5;

// A window's place and size in twips, relative to the main window's client area.
struct WindowGeometry {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Everything about one open table that is not a window: the model the windows show.
struct TableDocument {
    PropertyStore store;
    StructureTree tree;

    QString tablePath;         // the table file, "" for none
    QString xmlPath;           // the table's XML document, as stored (a bare name too)
    QString xmlText;           // that document's text as loaded
    QString cachedXmlText;     // that document's text as read back from the table file
    QString xslFileName;       // the XSL output file's name
    QString xslFileDir;        // the XSL output file's folder, ending in "/"
    // The XSL output name or folder came from the table file, not from the user's dialog;
    // writes outside the table's folder then ask first (stylesheet_destination.h).
    bool xslPathFromFile = false;
    QHash<QString, bool> stylesheetPathAnswers; // the user's answers, by path
    QString xslGenerated;      // the last generated stylesheet
    // The same text with the elements the generator wrote marked, "" when nothing is marked.
    QString xslRunning;
    QStringList calledFolders; // the folders of the tables it calls, at any depth
    QString xsltProcessorUsed; // "msxsl" or the plug-in command line
    bool tableChanged = false;

    bool parserShown = false;
    bool repShown = false;
    bool propShown = false;
    bool resultShown = false;
    bool xslCodeShown = false;
    std::array<WindowGeometry, slotWindowCount> geometry{};

    QString selectedNodeKey;         // selected node of the structure tree
    QString selectedPropertyCaption; // selected row of the property sheet
    int rowLimitIndex = 0;           // preview row-limit list index, -1 for no entry
    int autoReload = 0;              // preview auto-reload box: 1 ticked, 0 not
    int xmlNodeIndex = -1;           // selected node of the XML tree, -1 for none
    QString xmlNodeXpath;            // that node's Xpath, "" for none

    // The XML document's full path: a relative xmlPath is taken from the table file's folder.
    QString xmlFile() const;
    // The folder of the XSL output page (a relative one taken from the table file's
    // folder), else the table file's folder.
    QString xslOutputFolder() const;

    // Back to an empty table: fresh store root, tree with the root "Table", no paths.
    void reset();

    WindowGeometry &geometryOf(SlotWindow window) { return geometry[size_t(window)]; }
    const WindowGeometry &geometryOf(SlotWindow window) const { return geometry[size_t(window)]; }
    bool &shown(SlotWindow window);
};
