#pragma once

#include "designer/queued_dialog_answers.h"
#include "documents/views/property_sheet_view.h"
#include "documents/workspace.h"
#include "support/recording_tips.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <map>

namespace {

// The property sheet's calls, in order.
struct SheetCalls final : PropertySheetView {
    QStringList calls;
    void setLoading(bool) override {}
    void selectRow(const QString &caption) override { calls << "selectRow " + caption; }
    void fillProps() override { calls << "fillProps"; }
    void props_InplaceButtonDown() override { calls << "props_InplaceButtonDown"; }
};

// A table of the designer tests, saved in the data folder's "a" folder, with its windows
// recorded, its tips recorded and its dialogs answered from queues. Columns are added
// with their type and required attribute; a column's Xpath is set only when given.
struct DesignerTable {
    TempHome home;
    ScopedScriptedUi ui;
    RecordingTips tips;
    RecordingViews views;
    SheetCalls sheet;
    QueuedDialogAnswers dialogs;

    DesignerTable()
    {
        workspace().slotUsed[0] = true;
        QDir(home.path()).mkpath("a");
        QDir(home.path()).mkpath("tables"); // the tips' markers
        doc().tablePath = home.file("a/t.tvk");
        doc().autoReload = 1;
        views.attach(workspace().currentViews());
        workspace().currentViews().allProp = &sheet;
    }
    static TableDocument &doc() { return workspace().current(); }
    static QString value(const QString &key) { return doc().store.value(key); }

    void addColumn(const QString &name, const QString &type, const QString &required,
                   const QString &xpath = {})
    {
        doc().tree.add("Table", name, name);
        doc().store.set("Type-" + name, type);
        doc().tree.add(name, name + "-" + required, required);
        if (!xpath.isEmpty())
            doc().store.set("Xpath-" + name + "@" + required, xpath);
    }
    static QStringList childrenOf(const QString &key)
    {
        QStringList texts;
        for (const auto &child : doc().tree.find(key)->children)
            texts << child->text;
        return texts;
    }
    static std::map<QString, QString> store()
    {
        std::map<QString, QString> entries;
        for (const auto &entry : doc().store.entries())
            entries[entry.key] = entry.text;
        return entries;
    }
    // The entries added or changed since the snapshot, as "key=value", and the removed
    // keys as "-key".
    static QStringList changesSince(const std::map<QString, QString> &before)
    {
        QStringList changes;
        const std::map<QString, QString> now = store();
        for (const auto &[key, value] : now) {
            const auto old = before.find(key);
            if (old == before.end() || old->second != value)
                changes << key + "=" + value;
        }
        for (const auto &[key, value] : before)
            if (!now.count(key))
                changes << "-" + key;
        return changes;
    }
};

} // namespace
