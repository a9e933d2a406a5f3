#pragma once

// A table built directly in the model of slot 0 (store entries and tree nodes), with a
// fresh data folder, for the generator's tests. The table lies in that folder, trusted.

#include "documents/column_types.h"
#include "documents/store_access.h"
#include "documents/trusted_folders.h"
#include "documents/workspace.h"
#include "support/temp_home.h"

#include <QString>

class TableFixture {
public:
    explicit TableFixture(const QString &tableName = QStringLiteral("T"),
                          const QString &rowXpath = QStringLiteral("/rows/row"))
    {
        workspace().current().tablePath = home.path() + QChar('/') + tableName + QStringLiteral(".tvk");
        trustFolder(home.path());
        if (!rowXpath.isEmpty())
            setKey(QStringLiteral("Xpath-Table"), rowXpath, false);
    }

    // A column of the type, its required attribute mapped to the Xpath ("" leaves it
    // unmapped).
    void addColumn(const QString &name, const QString &type, const QString &xpath = {})
    {
        tree().add(StructureTree::tableKey, name, name);
        setKey(QStringLiteral("Type-") + name, type, false);
        const QString main = mainAttributeOf(type);
        if (!main.isEmpty())
            addAttribute(name, main, xpath);
    }

    void addAttribute(const QString &column, const QString &name, const QString &xpath = {})
    {
        tree().add(column, column + QChar('-') + name, name);
        if (!xpath.isEmpty())
            setKey(QStringLiteral("Xpath-") + column + QChar('@') + name, xpath, false);
    }

    // An attribute whose value is the user's XSL code.
    void addCodeAttribute(const QString &column, const QString &name, const QString &code)
    {
        if (!tree().find(column + QChar('-') + name))
            tree().add(column, column + QChar('-') + name, name);
        const QString owner = column + QChar('@') + name;
        setKey(QStringLiteral("XSL Calculated-") + owner, QStringLiteral("True"), false);
        setKey(QStringLiteral("XSL Code-") + owner, code, false);
    }

    void set(const QString &key, const QString &value) { setKey(key, value, false); }

    StructureTree &tree() { return workspace().current().tree; }

    TempHome home;
};

// The text between the first occurrence of start (after from) and the next occurrence
// of end, both excluded; "<missing>" when either is absent.
inline QString between(const QString &text, const QString &start, const QString &end,
                       qsizetype from = 0)
{
    const qsizetype s = text.indexOf(start, from);
    if (s < 0)
        return QStringLiteral("<missing>");
    const qsizetype e = text.indexOf(end, s + start.size());
    if (e < 0)
        return QStringLiteral("<missing>");
    return text.mid(s + start.size(), e - s - start.size());
}
