#pragma once

#include "mainwindow/gui/vantor.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QTemporaryDir>

// A fresh data folder, scripted dialogs and a started main window.
struct Started {
    TempHome home;
    ScopedScriptedUi ui;
    QTemporaryDir examples;
    Vantor window;

    explicit Started(const QStringList &arguments = {}) { window.startUp(arguments, examples.path()); }
};
