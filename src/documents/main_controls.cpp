#include "documents/main_controls.h"

#include "documents/views/main_window_view.h"
#include "documents/views/preview_view.h"
#include "documents/views/window_frame_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"

#include <QStringList>

namespace {

void setMenus(MainWindowView &view, const QStringList &names, bool enabled)
{
    for (const QString &name : names)
        view.setMenuEnabled(name, enabled);
}

// The menus that need an XML document; "xmlmenu" is enabled with it but follows the table
// file when there is none.
const QStringList &xmlDocumentMenus()
{
    static const QStringList names{
        QStringLiteral("xslmenu"),  QStringLiteral("gopub"),     QStringLiteral("run"),
        QStringLiteral("tableMenu"), QStringLiteral("propsum"),  QStringLiteral("newx"),
        QStringLiteral("attMenu"),  QStringLiteral("showWins")};
    return names;
}

const QStringList &tableFileMenus()
{
    static const QStringList names{QStringLiteral("xmlmenu"), QStringLiteral("docloseit"),
                                   QStringLiteral("saveall"), QStringLiteral("dosave"),
                                   QStringLiteral("saveas")};
    return names;
}

void showByFlag(MainWindowView &view, int slot, SlotWindow window, bool flag)
{
    if (flag && !view.isWindowVisible(slot, window))
        view.setWindowVisible(slot, window, true);
}

void showSlotWindowsByFlags(MainWindowView &view, Workspace &ws)
{
    const int slot = ws.curTable;
    TableDocument &doc = ws.current();
    if (view.hasWindowSet(slot)) {
        showByFlag(view, slot, SlotWindow::Rep, doc.repShown);
        showByFlag(view, slot, SlotWindow::Prop, doc.propShown);
        showByFlag(view, slot, SlotWindow::Result, doc.resultShown);
        showByFlag(view, slot, SlotWindow::XslCode, doc.xslCodeShown);
    }
    for (const CodeEditorRecord &editor : ws.xslEditForms) {
        if (!editor.window)
            continue;
        const bool shown = editor.myTab == slot && editor.xslEditShown && editor.opened;
        if (shown) // at the place the model holds, which a table file may have changed
            editor.window->applyGeometry(editor.geometry);
        editor.window->setShown(shown);
    }
}

void hideDocumentWindows(MainWindowView &view, int slot)
{
    if (!view.hasWindowSet(slot))
        return;
    for (SlotWindow window :
         {SlotWindow::Rep, SlotWindow::Prop, SlotWindow::Result, SlotWindow::XslCode})
        view.setWindowVisible(slot, window, false);
}

} // namespace

QString getTitle() { return QStringLiteral("Tarvik: "); }

void hideControls()
{
    Workspace &ws = workspace();
    MainWindowView *view = ws.mainWindow;
    if (!view)
        return;
    const int slot = ws.curTable;
    if (view->hasWindowSet(slot))
        for (SlotWindow window :
             {SlotWindow::Parser, SlotWindow::Rep, SlotWindow::Prop, SlotWindow::Result})
            view->setWindowVisible(slot, window, false);
    view->setMenuEnabled(QStringLiteral("mainFile"), true);
    setMenus(*view, tableFileMenus(), false);
    setMenus(*view, xmlDocumentMenus(), false);
}

bool menuEnabled(const QString &name)
{
    Workspace &ws = workspace();
    const TableDocument &doc = ws.current();
    const bool hasTable = !doc.tablePath.isEmpty();
    const bool hasXml = !doc.xmlPath.isEmpty();
    // A slot whose table file could not be read stays in use and can be closed.
    if (name == QStringLiteral("docloseit"))
        return ws.slotUsed[size_t(ws.curTable)];
    if (name == QStringLiteral("xmlmenu"))
        return hasTable || hasXml;
    if (tableFileMenus().contains(name))
        return hasTable;
    return hasXml || !xmlDocumentMenus().contains(name);
}

void goControls()
{
    Workspace &ws = workspace();
    MainWindowView *view = ws.mainWindow;
    if (!view)
        return;
    const int slot = ws.curTable;
    const TableDocument &doc = ws.current();
    const bool hasTable = !doc.tablePath.isEmpty();
    view->setCaption(getTitle() + (hasTable ? QStringLiteral("Table ") + doc.tablePath
                                            : QStringLiteral("No table open")));
    for (const QString &name : tableFileMenus() + xmlDocumentMenus())
        view->setMenuEnabled(name, menuEnabled(name));
    view->setMenuChecked(QStringLiteral("showDetails"), ws.showDetails);

    const bool hasXml = !doc.xmlPath.isEmpty();
    if (hasXml)
        showSlotWindowsByFlags(*view, ws);
    else
        hideDocumentWindows(*view, slot);
    if (XmlTreeView *parser = ws.currentViews().parser)
        parser->showMakeit(hasXml);

    if (view->hasWindowSet(slot) && view->isWindowVisible(slot, SlotWindow::Parser) != hasTable)
        view->setWindowVisible(slot, SlotWindow::Parser, hasTable);
}

void resetEverything()
{
    Workspace &ws = workspace();
    if (ws.mainWindow && ws.mainWindow->hasWindowSet(ws.curTable))
        ws.mainWindow->clearWindowSet(ws.curTable);
    if (XslCodeView *xslCode = ws.currentViews().xslCode)
        xslCode->clearCode();
    if (PreviewView *preview = ws.currentViews().result) {
        const TableDocument &doc = ws.current();
        preview->clearPage();
        ws.uiReady = false;
        preview->setRowLimitIndex(doc.rowLimitIndex);
        preview->setAutoReload(doc.autoReload);
        ws.uiReady = true;
    }
    goControls();
}
