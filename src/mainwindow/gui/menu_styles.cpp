#include "mainwindow/gui/menu_styles.h"

QString menuStyleSheet(bool office2003)
{
    if (!office2003)
        return QStringLiteral(
            "QMenuBar { background: #d4d0c8; }"
            "QMenuBar::item:selected { background: #0a246a; color: white; }"
            "QMenu { background: #d4d0c8; border: 1px solid #808080; }"
            "QMenu::item:selected { background: #0a246a; color: white; }");
    return QStringLiteral(
        "QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f8fd,"
        " stop:1 #c3daf9); }"
        "QMenuBar::item:selected { background: #ffeec2; border: 1px solid #000080; }"
        "QMenu { background: #fcfcf9; border: 1px solid #002d96; }"
        "QMenu::item { padding: 3px 24px 3px 28px; }"
        "QMenu::item:selected { background: #ffeec2; border: 1px solid #000080; color: black; }"
        "QMenu::item:disabled { color: #8d8d8d; }"
        "QMenu::separator { height: 1px; background: #6a8ccb; margin: 2px 4px 2px 28px; }");
}
