#include "documents/store_access.h"

#include "documents/path_helpers.h"
#include "documents/string_helpers.h"
#include "documents/views/preview_view.h"
#include "documents/workspace.h"

void setKey(const QString &key, const QString &value, bool markChanged)
{
    TableDocument &doc = workspace().current();
    if (markChanged)
        doc.tableChanged = true;
    doc.store.set(key, value);
}

void removeKey(const QString &key)
{
    TableDocument &doc = workspace().current();
    doc.tableChanged = true;
    doc.store.remove(key);
}

QString getKey(const QString &key) { return workspace().current().store.value(key); }

QString getKeyFlat(const QString &key)
{
    QString value = getKey(key);
    stripBreaks(value);
    return value;
}

void getKeyTo(const QString &key, QString &target) { target = getKey(key); }

QString getTableName(int slot) { return getBaseName(workspace().tables[size_t(slot)].tablePath); }

QString getTableDir(int slot) { return getDir(workspace().tables[size_t(slot)].tablePath); }

void runIfAutoRun()
{
    Workspace &ws = workspace();
    PreviewView *preview = ws.currentViews().result;
    if (ws.current().autoReload == 1 && preview)
        preview->runit_Click();
}
