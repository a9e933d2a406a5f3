#pragma once

#include "documents/table_document.h"

#include <QString>
#include <optional>
#include <vector>

// Every procedure that a menu item, a popup item or a toolbar button of the main window
// reaches, named after the handler it runs.
enum class Procedure {
    none, // top-level menus, submenus and separators
    // The main window's own handlers.
    openProject_Click,
    newProject_Click,
    docloseit_Click,
    dosave_Click,
    saveall_Click,
    saveas_Click,
    propsum_Click,
    pubPHPXsltProc_Click,
    genpub_Click,
    delProject_Click,
    doexit_Click,
    viewm_Click,
    loadDefaultXml,
    showColumnProperties,
    shgenXSL_Click,
    doCascade_Click,
    doTileH_Click,
    doTileV_Click,
    doArrange_Click,
    doDef_Click,
    doFit_Click,
    showOne_Click,
    doHelp_Click,
    cnow_Click,
    checkU_Click,
    whatsNew_Click,
    showDetails_Click,
    showT_Click,
    doabout_Click,
    // The current slot's XML document window.
    cmdBrowse_Click,
    makeit_Click,
    // The current slot's table window.
    addit_Click,
    removeit_Click,
    ren_Click,
    badd_Click,
    bdel_Click,
    edX_Click,
    mup_Click,
    mdown_Click,
    // The current slot's preview.
    runit_Click,
    rbrowser_Click,
    goback_Click,
    goforward_Click,
    stopit_Click,
    // The current slot's stylesheet view.
    savePage,
    savePageAs,
};

// The slot window a procedure belongs to; nullopt for the main window's own.
std::optional<SlotWindow> windowOf(Procedure procedure);

// One item of the menu bar or of a hidden popup menu.
struct MenuItem {
    QString parent;  // control name of the menu that holds it; "" for a top-level menu
    QString control; // its control name
    int index;       // its index in a control array; -1 when it is no array element
    QString caption; // with "&" before the access key; "-" for a separator
    QString shortcut; // portable key sequence text, "" for none
    Procedure procedure = Procedure::none;
    int argument = -1; // the index passed to an indexed procedure
    std::optional<SlotWindow> showFirst; // made visible, when hidden, before the call
    bool checked = false;                // carries a check mark from the start

    bool isSeparator() const { return caption == QStringLiteral("-"); }
};

// One image button of the toolbar; its text is its tooltip.
struct ToolbarButton {
    QString control;
    int index; // -1 when it is no array element
    QString tooltip;
    Procedure procedure;
    int argument = -1;
    // Enabled with the menu item of the same procedure and argument; the Show buttons stay
    // enabled and say themselves what is missing.
    bool followsMenuItem = true;
};

// The menu bar, top-level menus first in their order, each followed by its items; a
// submenu's items follow their holder.
const std::vector<MenuItem> &menuBarItems();
// The two hidden menus "mainX" and "mainR" that other windows pop up, the same way.
const std::vector<MenuItem> &popupMenuItems();
// The menu bar or popup item of that control name, or null.
const MenuItem *findMenu(const QString &control);
// The 17 toolbar buttons in their order on the toolbar, the table commands first.
const std::vector<ToolbarButton> &toolbarButtons();
