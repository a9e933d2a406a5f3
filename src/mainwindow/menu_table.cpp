#include "mainwindow/menu_table.h"

namespace {

using P = Procedure;
using W = SlotWindow;

MenuItem item(const char *parent, const char *control, int index, const char *caption,
              Procedure procedure, const char *shortcut = "", int argument = -1,
              std::optional<SlotWindow> showFirst = std::nullopt)
{
    return {QString::fromLatin1(parent), QString::fromLatin1(control), index,
            QString::fromLatin1(caption), QString::fromLatin1(shortcut), procedure,
            argument, showFirst, false};
}

MenuItem menu(const char *control, const char *caption)
{
    return item("", control, -1, caption, Procedure::none);
}

MenuItem separator(const char *parent, const char *control, int index = -1)
{
    return item(parent, control, index, "-", P::none);
}

MenuItem checkedItem(const char *parent, const char *control, const char *caption,
                     Procedure procedure)
{
    MenuItem made = item(parent, control, -1, caption, procedure);
    made.checked = true;
    return made;
}

std::vector<MenuItem> fileMenu()
{
    return {
        menu("mainFile", "&File"),
        item("mainFile", "openProject", -1, "&Open table", P::openProject_Click),
        item("mainFile", "newProject", -1, "&New table", P::newProject_Click),
        separator("mainFile", "dash", 0),
        item("mainFile", "docloseit", -1, "&Close table", P::docloseit_Click),
        separator("mainFile", "das11"),
        item("mainFile", "dosave", -1, "&Save table", P::dosave_Click, "Ctrl+S"),
        item("mainFile", "saveall", -1, "Sa&ve all tables", P::saveall_Click),
        item("mainFile", "saveas", -1, "Save table &As", P::saveas_Click),
        separator("mainFile", "dash93"),
        item("mainFile", "propsum", -1, "Properties summary", P::propsum_Click),
        separator("mainFile", "dash1"),
        item("mainFile", "gopub", -1, "Publish", P::none),
        item("gopub", "pubPHPXsltProc", -1, "PHP (xsltproc)", P::pubPHPXsltProc_Click),
        item("gopub", "genpub", -1, "Only XML and XSL (general purpose)", P::genpub_Click),
        separator("mainFile", "dash543"),
        item("mainFile", "delProject", -1, "D&elete table", P::delProject_Click),
        separator("mainFile", "dash9"),
        item("mainFile", "recTables", -1, "&Recent tables", P::none),
        separator("mainFile", "dash83"),
        item("mainFile", "doexit", -1, "E&xit", P::doexit_Click),
    };
}

std::vector<MenuItem> viewAndXmlMenus()
{
    return {
        menu("mview", "&View"),
        item("mview", "viewm", 0, "Expand  tree", P::viewm_Click, "Ctrl+F1", 0),
        item("mview", "viewm", 5, "Collapse tree", P::viewm_Click, "Ctrl+F2", 5),
        item("mview", "viewm", 10, "Scroll trees to left", P::viewm_Click, "Ctrl+F3", 10),
        separator("mview", "viewm", 15),
        item("mview", "viewm", 20, "Generated XSL code", P::viewm_Click, "", 20),
        separator("mview", "viewm", 30),
        item("mview", "viewm", 35, "Toggle menu style", P::viewm_Click, "", 35),
        menu("xmlmenu", "&XML"),
        item("xmlmenu", "xmlfile", 0, "Open XML file", P::cmdBrowse_Click, "", -1, W::Parser),
        item("xmlmenu", "xmlfile", 10, "Load default XML file", P::loadDefaultXml),
        separator("xmlmenu", "xmlfile", 20),
        item("xmlmenu", "newx", -1, "New column", P::makeit_Click),
    };
}

std::vector<MenuItem> tableAndAttributeMenus()
{
    return {
        menu("tableMenu", "&Table"),
        item("tableMenu", "tableOp", 0, "New column", P::addit_Click, "Ctrl+T", -1, W::Rep),
        item("tableMenu", "tableOp", 5, "Delete column", P::removeit_Click, "", -1, W::Rep),
        item("tableMenu", "tableOp", 10, "Rename column", P::ren_Click, "", -1, W::Rep),
        separator("tableMenu", "tableOp", 15),
        item("tableMenu", "tableOp", 20, "Show column properties", P::showColumnProperties, "",
             -1, W::Rep),
        menu("attMenu", "&Attributes"),
        item("attMenu", "attm", 0, "New", P::badd_Click, "Ctrl+R", -1, W::Rep),
        item("attMenu", "attm", 5, "Delete", P::bdel_Click, "", -1, W::Rep),
        separator("attMenu", "dash87"),
        item("attMenu", "editA", -1, "Edit attribute", P::edX_Click),
    };
}

std::vector<MenuItem> xslAndRunMenus()
{
    return {
        menu("xslmenu", "X&SL"),
        item("xslmenu", "shgenXSL", -1, "Show generated XSL", P::shgenXSL_Click, "Ctrl+F8"),
        separator("xslmenu", "dash13"),
        item("xslmenu", "saveX", 0, "Save XSL", P::savePage, "Shift+F3"),
        item("xslmenu", "saveX", 10, "Save XSL as", P::savePageAs),
        menu("run", "&Run"),
        item("run", "rw", -1, "Run in window", P::runit_Click, "F5", -1, W::Result),
        item("run", "runbrowser", -1, "Run in browser", P::rbrowser_Click, "F4"),
    };
}

std::vector<MenuItem> windowsMenu()
{
    return {
        menu("showWins", "&Windows"),
        item("showWins", "doCascade", 0, "Cascade", P::doCascade_Click),
        item("showWins", "doTileH", 5, "Tile Horizontally", P::doTileH_Click),
        item("showWins", "doTileV", 10, "Tile Vertically", P::doTileV_Click),
        item("showWins", "doArrange", -1, "Arrange", P::doArrange_Click),
        item("showWins", "doDef", -1, "Arrange default", P::doDef_Click, "Ctrl+F4"),
        item("showWins", "doFit", -1, "Fit to container resize", P::doFit_Click, "Ctrl+F5"),
        separator("showWins", "dash2", 15),
        item("showWins", "showWin", -1, "Show", P::none),
        item("showWin", "showOne", 20, "XML Document", P::showOne_Click, "", 20),
        item("showWin", "showOne", 25, "Table", P::showOne_Click, "", 25),
        item("showWin", "showOne", 35, "Properties", P::showOne_Click, "", 35),
        item("showWin", "showOne", 40, "Web Page", P::showOne_Click, "", 40),
        item("showWin", "showOne", 45, "XSL code", P::showOne_Click, "", 45),
    };
}

std::vector<MenuItem> helpMenu()
{
    return {
        menu("doH", "&Help"),
        item("doH", "doHelp", 0, "Help", P::doHelp_Click, "F1", 0),
        separator("doH", "dash67"),
        item("doH", "cnow", -1, "Check for updates", P::cnow_Click),
        checkedItem("doH", "checkU", "Check for updates on startup", P::checkU_Click),
        item("doH", "whatsNew", -1, "What's new", P::whatsNew_Click),
        separator("doH", "dash19"),
        checkedItem("doH", "showDetails", "Show/Hide detailed help tooltips",
                    P::showDetails_Click),
        item("doH", "showT", -1, "Show first-time helpers again", P::showT_Click, "Shift+F1"),
        separator("doH", "dash43"),
        item("doH", "doabout", -1, "About", P::doabout_Click),
    };
}

std::vector<MenuItem> buildMenuBar()
{
    std::vector<MenuItem> items;
    for (const auto &part : {fileMenu(), viewAndXmlMenus(), tableAndAttributeMenus(),
                             xslAndRunMenus(), windowsMenu(), helpMenu()})
        items.insert(items.end(), part.begin(), part.end());
    return items;
}

std::vector<MenuItem> buildPopups()
{
    return {
        menu("mainX", "mainX"),
        item("mainX", "addXcolumn", -1, "Map to new column", P::makeit_Click),
        menu("mainR", "mainR"),
        item("mainR", "addCol", -1, "New column", P::addit_Click),
        item("mainR", "addAttribute", -1, "New Attribute", P::badd_Click),
        separator("mainR", "dash92"),
        item("mainR", "editAttribute", -1, "Edit attribute", P::edX_Click),
        separator("mainR", "dash91"),
        item("mainR", "renameColumn", -1, "Rename Column", P::ren_Click),
        separator("mainR", "dash921"),
        item("mainR", "moveUp", -1, "Move column up", P::mup_Click),
        item("mainR", "moveDown", -1, "Move column down", P::mdown_Click),
        separator("mainR", "dash94"),
        item("mainR", "deleteColumn", -1, "Delete Column", P::removeit_Click),
        item("mainR", "deleteAttribute", -1, "Delete Attribute", P::bdel_Click),
    };
}

ToolbarButton button(const char *control, int index, const char *tooltip, Procedure procedure,
                     int argument = -1)
{
    return {QString::fromLatin1(control), index, QString::fromLatin1(tooltip), procedure, argument};
}

ToolbarButton showButton(const char *control, const char *tooltip, int argument)
{
    ToolbarButton made = button(control, -1, tooltip, P::showOne_Click, argument);
    made.followsMenuItem = false;
    return made;
}

std::vector<ToolbarButton> buildToolbar()
{
    return {
        button("tb", 0, "New table", P::newProject_Click),
        button("tb", 1, "Open table", P::openProject_Click),
        button("tb", 2, "Save current table", P::dosave_Click),
        button("tb", 3, "Save all", P::saveall_Click),
        button("psum", -1, "Properties Summary", P::propsum_Click),
        button("sx", -1, "Save XSL", P::savePage),
        button("edX", -1, "Edit properties", P::edX_Click),
        showButton("showXML", "Show XML window", 20),
        showButton("showTable", "Show table window", 25),
        showButton("showProperty", "Show properties window", 35),
        showButton("showWeb", "Show web window", 40),
        showButton("showXSL", "Show XSL code", 45),
        button("runit", -1, "Reload", P::runit_Click),
        button("rbrowser", -1, "Show web page in browser", P::rbrowser_Click),
        button("goback", -1, "Back", P::goback_Click),
        button("goforward", -1, "Forward", P::goforward_Click),
        button("stopit", -1, "Stop loading page", P::stopit_Click),
    };
}

} // namespace

std::optional<SlotWindow> windowOf(Procedure procedure)
{
    switch (procedure) {
    case P::cmdBrowse_Click:
    case P::makeit_Click:
        return W::Parser;
    case P::addit_Click:
    case P::removeit_Click:
    case P::ren_Click:
    case P::badd_Click:
    case P::bdel_Click:
    case P::edX_Click:
    case P::mup_Click:
    case P::mdown_Click:
        return W::Rep;
    case P::runit_Click:
    case P::rbrowser_Click:
    case P::goback_Click:
    case P::goforward_Click:
    case P::stopit_Click:
        return W::Result;
    case P::savePage:
    case P::savePageAs:
        return W::XslCode;
    default:
        return std::nullopt;
    }
}

const std::vector<MenuItem> &menuBarItems()
{
    static const std::vector<MenuItem> items = buildMenuBar();
    return items;
}

const std::vector<MenuItem> &popupMenuItems()
{
    static const std::vector<MenuItem> items = buildPopups();
    return items;
}

const MenuItem *findMenu(const QString &control)
{
    for (const auto *list : {&menuBarItems(), &popupMenuItems()})
        for (const MenuItem &item : *list)
            if (item.control == control)
                return &item;
    return nullptr;
}

const std::vector<ToolbarButton> &toolbarButtons()
{
    static const std::vector<ToolbarButton> buttons = buildToolbar();
    return buttons;
}
