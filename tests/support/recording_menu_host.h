#pragma once

#include "mainwindow/menu_host.h"

#include <QStringList>

// A main window stand-in that records what the menus ask of it, as "run N:argument",
// "expand N:flag" and "style flag" (N the enum's number).
class RecordingMenuHost final : public MenuHost {
public:
    QStringList calls;
    ActiveChild active = ActiveChild::tableWindow;
    bool style = false;

    static QString ran(Procedure procedure, int argument = -1)
    {
        return QString("run %1:%2").arg(int(procedure)).arg(argument);
    }

    ActiveChild activeChild() const override { return active; }
    void expandTree(ActiveChild window, bool expand) override
    {
        calls << QString("expand %1:%2").arg(int(window)).arg(expand);
    }
    bool menuStyle() const override { return style; }
    void setMenuStyle(bool flag) override
    {
        style = flag;
        calls << QString("style %1").arg(flag);
    }
    void runProcedure(Procedure procedure, int argument) override
    {
        calls << ran(procedure, argument);
    }
};
