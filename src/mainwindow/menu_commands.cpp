#include "mainwindow/menu_commands.h"

#include "documents/main_controls.h"
#include "documents/settings_files.h"
#include "documents/table_slots.h"
#include "documents/views/main_window_view.h"
#include "documents/views/preview_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"
#include "generator/xsl_output_page.h"
#include "mainwindow/menu_style.h"
#include "platform/ui/ui_services.h"

namespace {

using P = Procedure;

void forwardToXmlWindow(Procedure procedure, XmlTreeView &view)
{
    if (procedure == P::cmdBrowse_Click)
        view.cmdBrowse_Click();
    else if (procedure == P::makeit_Click)
        view.makeit_Click();
}

void forwardToTableWindow(Procedure procedure, TableTreeView &view)
{
    switch (procedure) {
    case P::addit_Click: view.addit_Click(); break;
    case P::removeit_Click: view.removeit_Click(); break;
    case P::ren_Click: view.ren_Click(); break;
    case P::badd_Click: view.badd_Click(); break;
    case P::bdel_Click: view.bdel_Click(); break;
    case P::edX_Click: view.edX_Click(); break;
    case P::mup_Click: view.mup_Click(); break;
    case P::mdown_Click: view.mdown_Click(); break;
    default: break;
    }
}

void forwardToPreview(Procedure procedure, PreviewView &view)
{
    switch (procedure) {
    case P::runit_Click: view.runit_Click(); break;
    case P::rbrowser_Click: view.rbrowser_Click(); break;
    case P::goback_Click: view.goback_Click(); break;
    case P::goforward_Click: view.goforward_Click(); break;
    case P::stopit_Click: view.stopit_Click(); break;
    default: break;
    }
}

// The stylesheet view's save commands write the XSL output with or without the view; with
// no table open they do nothing.
void saveXslOutput(Procedure procedure, XslCodeView *view)
{
    if (workspace().current().tablePath.isEmpty())
        return;
    if (procedure == P::savePage)
        savePage();
    else if (procedure == P::savePageAs)
        savePageAs();
    if (view)
        view->showGenerated();
}

// "Show/Hide detailed help tooltips": the flag the table file keeps, and the check mark.
void toggleShowDetails()
{
    Workspace &ws = workspace();
    ws.showDetails = !ws.showDetails;
    if (ws.mainWindow)
        ws.mainWindow->setMenuChecked(QStringLiteral("showDetails"), ws.showDetails);
}

void toggleMenuStyle(MenuHost &host)
{
    const bool style = !host.menuStyle();
    host.setMenuStyle(style);
    saveMenuStyle(style);
}

} // namespace

void forwardToSlotWindow(Procedure procedure)
{
    const SlotViews &views = workspace().currentViews();
    const std::optional<SlotWindow> window = windowOf(procedure);
    if (!window)
        return;
    switch (*window) {
    case SlotWindow::Parser:
        if (views.parser)
            forwardToXmlWindow(procedure, *views.parser);
        break;
    case SlotWindow::Rep:
        if (views.rep)
            forwardToTableWindow(procedure, *views.rep);
        break;
    case SlotWindow::Result:
        if (views.result)
            forwardToPreview(procedure, *views.result);
        break;
    case SlotWindow::XslCode:
        saveXslOutput(procedure, views.xslCode);
        break;
    case SlotWindow::Prop:
        break; // the property sheet is reached by no command
    }
}

void showIfHidden(SlotWindow window)
{
    Workspace &ws = workspace();
    MainWindowView *view = ws.mainWindow;
    if (view && view->hasWindowSet(ws.curTable) && !view->isWindowVisible(ws.curTable, window))
        view->setWindowVisible(ws.curTable, window, true);
}

void saveX_Click(int index)
{
    if (index == 0)
        forwardToSlotWindow(P::savePage);
    else if (index == 10)
        forwardToSlotWindow(P::savePageAs);
}

void viewm_Click(int index, MenuHost &host)
{
    const ActiveChild active = host.activeChild();
    if (active == ActiveChild::none) {
        ui().message(QStringLiteral("Click on a tree or it's window first."));
        return;
    }
    switch (index) {
    case 0:
    case 5:
        if (active == ActiveChild::other)
            ui().message(QStringLiteral("This function doesn't apply to this window."));
        else if (active != ActiveChild::propertySheet) // the property grid holds no tree
            host.expandTree(active, index == 0);
        break;
    case 10: scrollTreesLeft(); break;
    case 20: host.runProcedure(P::shgenXSL_Click, -1); break;
    case 35: toggleMenuStyle(host); break;
    default: break;
    }
}

void loadDefaultXml()
{
    Workspace &ws = workspace();
    ws.presetXmlPath = settingsPath(QStringLiteral("defaultXML.xml"));
    showIfHidden(SlotWindow::Parser);
    forwardToSlotWindow(P::cmdBrowse_Click);
    ws.presetXmlPath.clear();
}

void runMenuCommand(Procedure procedure, int argument, std::optional<SlotWindow> showFirst,
                    MenuHost &host)
{
    if (procedure == P::none)
        return;
    if (showFirst)
        showIfHidden(*showFirst);
    if (windowOf(procedure)) {
        forwardToSlotWindow(procedure);
        return;
    }
    switch (procedure) {
    case P::viewm_Click: viewm_Click(argument, host); return;
    case P::loadDefaultXml: loadDefaultXml(); return;
    case P::showDetails_Click: toggleShowDetails(); break;
    case P::pubPHPXsltProc_Click: workspace().publishPhpMode = true; break;
    case P::genpub_Click: workspace().publishPhpMode = false; break;
    default: break;
    }
    host.runProcedure(procedure, argument);
}

bool menuItemEnabled(const MenuItem &item)
{
    for (const MenuItem *at = &item; at; at = at->parent.isEmpty() ? nullptr : findMenu(at->parent))
        if (!menuEnabled(at->control))
            return false;
    return true;
}

bool toolbarButtonEnabled(const ToolbarButton &button)
{
    if (!button.followsMenuItem)
        return true;
    for (const MenuItem &item : menuBarItems())
        if (item.procedure == button.procedure && item.argument == button.argument)
            return menuItemEnabled(item);
    return true;
}

void runMenuItem(const MenuItem &item, MenuHost &host)
{
    if (menuItemEnabled(item))
        runMenuCommand(item.procedure, item.argument, item.showFirst, host);
}

void runToolbarButton(const ToolbarButton &button, MenuHost &host)
{
    if (toolbarButtonEnabled(button))
        runMenuCommand(button.procedure, button.argument, std::nullopt, host);
}
