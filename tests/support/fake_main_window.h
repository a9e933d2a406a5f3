#pragma once

#include "documents/views/main_window_view.h"
#include "documents/workspace.h"

#include <QHash>
#include <QStringList>
#include <array>

// A main window without widgets for core tests: a tab strip as lists, window sets as
// flags. It registers itself as the workspace's main window for its lifetime.
class FakeMainWindow final : public MainWindowView {
public:
    QString caption;
    QHash<QString, bool> menuEnabled;
    QHash<QString, bool> menuChecked;
    QStringList tabKeys;
    QStringList tabCaptions;
    int selected = -1;
    std::array<bool, maxTables> windowSets{};
    QHash<int, bool> visible; // slot * 10 + window
    int progress = 100;
    QList<int> progressSteps; // every value set, in order
    QStringList shownLog; // "show N" for each window made visible (N the enum's number)

    static QString shown(SlotWindow window) { return QString("show %1").arg(int(window)); }

    FakeMainWindow() { workspace().mainWindow = this; }
    ~FakeMainWindow() override
    {
        if (workspace().mainWindow == this)
            workspace().mainWindow = nullptr;
    }

    void setCaption(const QString &text) override { caption = text; }
    void setMenuEnabled(const QString &name, bool enabled) override { menuEnabled[name] = enabled; }
    void setMenuChecked(const QString &name, bool checked) override { menuChecked[name] = checked; }
    bool hasWindowSet(int slot) const override { return windowSets[size_t(slot)]; }
    void createWindowSet(int slot) override { windowSets[size_t(slot)] = true; }
    bool isWindowVisible(int slot, SlotWindow window) const override
    {
        return visible.value(slot * 10 + int(window));
    }
    void setWindowVisible(int slot, SlotWindow window, bool show) override
    {
        visible[slot * 10 + int(window)] = show;
        if (show)
            shownLog << FakeMainWindow::shown(window);
    }
    void clearWindowSet(int) override {}
    void defaultPos() override {}
    void insertTab(int index, const QString &key, const QString &text) override
    {
        tabKeys.insert(index, key);
        tabCaptions.insert(index, text);
    }
    void selectTab(const QString &key) override { selected = int(tabKeys.indexOf(key)); }
    QString selectedTabKey() const override { return selected < 0 ? QString() : tabKeys[selected]; }
    void removeSelectedTab() override
    {
        tabKeys.removeAt(selected);
        tabCaptions.removeAt(selected);
        selected = tabKeys.isEmpty() ? -1 : std::min(selected, int(tabKeys.size()) - 1);
    }
    void setTabCaption(const QString &key, const QString &text) override
    {
        tabCaptions[tabKeys.indexOf(key)] = text;
    }
    void setProgress(int percent) override
    {
        progress = percent;
        progressSteps << percent;
    }
    void processPendingEvents() override {}
    void shgenXSL_Click() override { commands << "shgenXSL_Click"; }
    void saveX_Click(int index) override { commands << QString("saveX_Click %1").arg(index); }
    QStringList commands; // the XSL menu's commands run
};
