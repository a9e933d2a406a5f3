#pragma once

#include "mainwindow/main_geometry.h"

#include <QStringList>

// The main window as start-up and shut-down drive it.
class StartupWindow {
public:
    virtual ~StartupWindow() = default;

    // One of the two menu styles.
    virtual void applyMenuStyle(bool office2003) = 0;
    virtual void applyMainGeometry(const MainGeometry &geometry) = 0;
    // A minimized window, or one of no height, is put into the normal state.
    virtual void ensureNormalState() = 0;
    // The tab strip window, shown, with no tabs.
    virtual void createTabStrip() = 0;
    // The 14 tree icons.
    virtual void loadIcons() = 0;
    virtual void maximize() = 0;
    virtual void fillRecentTables(const QStringList &entries) = 0;
    // Shows the window when hidden and brings it to the front.
    virtual void showAndRaise() = 0;
    // The main window's width and height in twips.
    virtual double mainWidthTwips() const = 0;
    virtual double mainHeightTwips() const = 0;
    // Enables the one-shot update timer and checks "Check for updates on startup", or not.
    virtual void setUpdateCheck(bool enabled) = 0;
};
