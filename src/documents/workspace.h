#pragma once

#include "documents/table_document.h"
#include "documents/views/slot_views.h"

#include <QHash>
#include <QString>
#include <array>
#include <utility>

class InterfaceDialogsView;
class MainWindowView;
class OutputPageView;
class TipView;
class WindowFrameView;

constexpr int maxTables = 121;
constexpr int codeEditorPoolSize = 121;

// One code editor of the pool shared by all slots; its slot is myTab.
struct CodeEditorRecord {
    bool exists = false;
    QString myElement;  // key of the edited node
    QString myFunction; // kind of code edited
    int myTab = -1;     // owning table slot
    WindowGeometry geometry;
    bool xslEditShown = false;
    // Its code was loaded by opening it from the sheet: until then a window reused from a
    // released editor holds another table's code and is neither shown nor asked about.
    bool opened = false;
    WindowFrameView *window = nullptr; // null until the editor window exists
};

// The open tables and the program-wide flags.
struct Workspace {
    std::array<TableDocument, maxTables> tables;
    std::array<bool, maxTables> slotUsed{};
    std::array<SlotViews, maxTables> views{};
    std::array<CodeEditorRecord, codeEditorPoolSize> xslEditForms{};
    int curTable = 0;
    MainWindowView *mainWindow = nullptr; // the main window; null without one (tvktool)
    TipView *tipView = nullptr;           // the balloon of the once-only tips; null: no tips
    InterfaceDialogsView *interfaceDialogs = nullptr; // null: no interface dialogs
    OutputPageView *outputPage = nullptr; // the generator's output page writer
    bool tabEventsOn = true;               // a tab strip click switches tables only while true

    bool productionRun = false;
    bool uiReady = true;
    bool startupLoading = false;   // true while start-up fills the recent-tables menu; a table
                                   // file read meanwhile reports no invalid file
    int savedActiveSlot = -1;      // slot named by the last table file read, -1 for none
    bool showDetails = true;       // "Show/Hide detailed help tooltips" is checked
    bool publishPhpMode = false;   // publishing started from "PHP (xsltproc)"
    QString presetXmlPath;         // when set, the XML window loads this file without a dialog
    QString newColumnType = QStringLiteral("Text (HTML segment)");
    QString lastHighlightedColumn;
    QString lastHighlightedId;
    QString interfaceTranslation;

    TableDocument &current() { return tables[size_t(curTable)]; }
    SlotViews &currentViews() { return views[size_t(curTable)]; }
};

Workspace &workspace();
// Back to the state at start-up (tests use it between cases).
void resetWorkspace();

// Makes another slot current for the guard's lifetime.
class CurTableGuard {
public:
    explicit CurTableGuard(int slot);
    ~CurTableGuard();
    CurTableGuard(const CurTableGuard &) = delete;
    CurTableGuard &operator=(const CurTableGuard &) = delete;

private:
    int saved;
};
