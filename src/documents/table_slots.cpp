#include "documents/table_slots.h"

#include "documents/code_editor_pool.h"
#include "documents/main_controls.h"
#include "documents/path_helpers.h"
#include "documents/start_guidance.h"
#include "documents/views/main_window_view.h"
#include "documents/views/property_sheet_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/views/window_frame_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

#include <QDir>

namespace {

int firstSlotWhere(bool used)
{
    const Workspace &ws = workspace();
    for (int slot = 0; slot < maxTables; ++slot)
        if (ws.slotUsed[size_t(slot)] == used)
            return slot;
    return -1;
}

// Hiding order of a slot's windows.
constexpr SlotWindow hideOrder[] = {SlotWindow::Prop, SlotWindow::Parser, SlotWindow::Rep,
                                    SlotWindow::Result, SlotWindow::XslCode};

void enterTableFolder(const QString &path)
{
    const QString folder = getFolder(path);
    if (!folder.isEmpty())
        QDir::setCurrent(folder);
}

} // namespace

int findFreeSlot() { return firstSlotWhere(false); }

int findUsedSlot() { return firstSlotWhere(true); }

QString tabKey(int slot) { return QStringLiteral("k") + QString::number(slot); }

int slotOfTabKey(const QString &key)
{
    bool ok = false;
    const int slot = key.mid(1).toInt(&ok);
    return ok ? slot : -1;
}

QString tabCaption(const QString &path) { return getBaseName(path); }

void hideSlotWindows(int slot)
{
    Workspace &ws = workspace();
    MainWindowView *view = ws.mainWindow;
    if (!view)
        return;
    if (view->hasWindowSet(slot))
        for (SlotWindow window : hideOrder)
            view->setWindowVisible(slot, window, false);
    for (const CodeEditorRecord &editor : ws.xslEditForms)
        if (editor.window && editor.myTab == slot)
            editor.window->setShown(false);
}

bool newTableSlot()
{
    Workspace &ws = workspace();
    const int slot = findFreeSlot();
    if (slot < 0) {
        ui().message(QStringLiteral("Number of open tables limit reached. Please close some of "
                                    "the tables first."));
        return false;
    }
    if (findUsedSlot() >= 0)
        hideSlotWindows(ws.curTable);
    ws.curTable = slot;
    ws.slotUsed[size_t(slot)] = true;
    // A reused slot keeps nothing of its previous table.
    ws.current().reset();
    if (MainWindowView *view = ws.mainWindow) {
        if (!view->hasWindowSet(slot))
            view->createWindowSet(slot);
        view->defaultPos();
    }
    return true;
}

void addTableTab(const QString &path)
{
    Workspace &ws = workspace();
    enterTableFolder(path);
    MainWindowView *view = ws.mainWindow;
    if (!view)
        return;
    ws.tabEventsOn = false;
    view->insertTab(ws.curTable, tabKey(ws.curTable), tabCaption(path));
    view->selectTab(tabKey(ws.curTable));
    ws.tabEventsOn = true;
}

void closeTableTab()
{
    Workspace &ws = workspace();
    MainWindowView *view = ws.mainWindow;
    if (!view)
        return;
    const int slot = slotOfTabKey(view->selectedTabKey());
    if (slot < 0)
        return;
    releaseSlotEditors(slot);
    ws.slotUsed[size_t(slot)] = false;
    view->removeSelectedTab();
}

void commitPendingSheetEdit()
{
    if (PropertySheetView *sheet = workspace().currentViews().allProp)
        sheet->flushEditor();
}

void switchTable()
{
    Workspace &ws = workspace();
    if (!ws.tabEventsOn)
        return;
    commitPendingSheetEdit();
    ws.lastHighlightedColumn.clear();
    if (findUsedSlot() < 0) {
        hideControls();
        return;
    }
    hideSlotWindows(ws.curTable);
    MainWindowView *view = ws.mainWindow;
    const int slot = view ? slotOfTabKey(view->selectedTabKey()) : -1;
    if (slot >= 0)
        ws.curTable = slot;
    enterTableFolder(ws.current().tablePath);
    goControls();
    showStartTip();
}

void selectSavedTab(bool doSelect)
{
    Workspace &ws = workspace();
    if (doSelect && ws.savedActiveSlot != -1 && ws.savedActiveSlot != ws.curTable &&
        ws.mainWindow)
        ws.mainWindow->selectTab(tabKey(ws.savedActiveSlot));
    if (TableTreeView *rep = ws.currentViews().rep)
        rep->fillProps();
}

void scrollTreesLeft()
{
    const SlotViews &views = workspace().currentViews();
    if (views.parser)
        views.parser->scrollLeft();
    if (views.rep)
        views.rep->scrollLeft();
}
