#pragma once

#include "documents/views/main_window_view.h"
#include "documents/workspace.h"
#include "mainwindow/gui/main_menus.h"
#include "mainwindow/menu_host.h"
#include "mainwindow/startup_window.h"
#include "mainwindow/window_layout.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

class InterfaceDialogs;

class AboutWindow;
class QMdiArea;
class QProgressBar;
class SlotWindowSet;
class SlotSubWindow;
class TabStrip;

// The main window `vantor`: menus, toolbar, the tab strip and the windows of the table
// slots in its client area. It registers itself as the workspace's main window.
class Vantor : public QMainWindow,
               public MainWindowView,
               public StartupWindow,
               public MenuHost {
    Q_OBJECT
public:
    Vantor();
    ~Vantor() override;

    // Start-up with the command-line arguments (program name left out); examples is the
    // folder of the example tables.
    void startUp(const QStringList &arguments, const QString &examples);

    QMdiArea *mdiArea() const { return area; }
    TabStrip *tabStrip() const { return tabs; }
    const MainMenus &mainMenus() const { return menus; }
    SlotSubWindow *slotWindow(int slot, SlotWindow kind) const;
    QProgressBar *progressBar() const { return pb; }
    // The hidden menus other windows pop up: "mainX" and "mainR".
    QMenu *popupMenu(const QString &name) const { return menus.popups.value(name); }
    const QString &commandLineName() const { return cmdName; }
    bool updateTimerActive() const { return autou.isActive(); }

    // Twips per pixel of the screen.
    TwipsPerPixel screenTwips() const;
    // Pushes the geometry the model holds for the slot's windows onto them.
    void applySlotGeometry(int slot);

    // Handlers of the Windows menu and the Show entries.
    void checkPos_Timer();
    void doDef_Click();
    void doFit_Click();
    void showOne_Click(int index);
    void tileSubWindows(Qt::Orientation bands);
    // "Show generated XSL", also called by the property sheet.
    void shgenXSL_Click() override;
    void arrangeIcons();
    void finishAll();
    // "About": the one About window, created on first use, shown modally.
    void doabout_Click();
    AboutWindow *aboutWindow() const { return about; }
    // The help page compiled into the program.
    static QString helpPage();

    // MainWindowView
    void setCaption(const QString &caption) override;
    void saveX_Click(int index) override;
    void setMenuEnabled(const QString &name, bool enabled) override;
    void setMenuChecked(const QString &name, bool checked) override;
    void setMenuCaption(const QString &name, const QString &caption) override;
    void popUpMenu(const QString &name) override;
    bool hasWindowSet(int slot) const override;
    void createWindowSet(int slot) override;
    bool isWindowVisible(int slot, SlotWindow window) const override;
    void setWindowVisible(int slot, SlotWindow window, bool visible) override;
    void clearWindowSet(int slot) override;
    void defaultPos() override;
    void insertTab(int index, const QString &key, const QString &caption) override;
    void selectTab(const QString &key) override;
    QString selectedTabKey() const override;
    void removeSelectedTab() override;
    void setTabCaption(const QString &key, const QString &caption) override;
    void setProgress(int percent) override;
    void processPendingEvents() override;

    // StartupWindow
    void applyMenuStyle(bool office2003Style) override;
    void applyMainGeometry(const MainGeometry &geometry) override;
    void ensureNormalState() override;
    void createTabStrip() override;
    void loadIcons() override;
    void maximize() override;
    void fillRecentTables(const QStringList &entries) override;
    void showAndRaise() override;
    double mainWidthTwips() const override;
    double mainHeightTwips() const override;
    void setUpdateCheck(bool enabled) override;

    // MenuHost
    ActiveChild activeChild() const override;
    void expandTree(ActiveChild window, bool expand) override;
    bool menuStyle() const override { return office2003; }
    void setMenuStyle(bool style) override { applyMenuStyle(style); }
    void runProcedure(Procedure procedure, int argument) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showColumnProperties();
    void showAndFocus(SlotWindow kind);
    void listChildWindows(QMenu *menu);
    void placeTabStrip();
    QSize clientSize() const;
    double clientWidthTwips() const;
    double clientHeightTwips() const;

    QMdiArea *area;
    TabStrip *tabs = nullptr;
    QProgressBar *pb;
    MainMenus menus;
    std::array<std::unique_ptr<SlotWindowSet>, maxTables> sets;
    QTimer checkPos;
    QTimer autou;
    LayoutState layout;
    bool office2003 = true;
    bool finished = false;
    QString cmdName;
    AboutWindow *about = nullptr;
    std::unique_ptr<InterfaceDialogs> interfaceDialogs; // the sheet's interface dialogs
};
