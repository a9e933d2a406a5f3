#include "generator/interface_substitution.h"

#include "documents/interface_text.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "generator/value_code.h"

#include <QStringList>

namespace {

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QChar('_') || c == QChar('-') || c == QChar('.');
}

// The raw item names of the interface being substituted, with the mapping they read.
class Substitution {
public:
    Substitution(const QList<InterfaceItem> &items, const QString &columnKey)
        : columnKey(columnKey)
    {
        for (const InterfaceItem &item : items)
            names.append(item.name);
    }

    QString currentPath(qsizetype i) const
    {
        return getKey(QStringLiteral("Call Xpath-") + columnKey + QChar('-') + stripIndent(names[i]));
    }

    // A nested item's mapped path as seen from its parent item's mapped path.
    QString getRealPath(qsizetype i) const
    {
        const QString path = currentPath(i);
        const int level = indentLevel(names[i]);
        if (level == 0)
            return path;
        qsizetype j = i;
        while (j >= 1 && indentLevel(names[j]) >= level)
            --j;
        return relativeXpath(currentPath(j), path);
    }

    void apply(const QString &contextXpath, QString &code) const
    {
        for (qsizetype i = 0; i < names.size(); ++i) {
            QString path = getRealPath(i);
            if (indentLevel(names[i]) == 0)
                path = relativeXpath(contextXpath, path);
            const QString item = stripIndent(names[i]);
            replaceFirstWholeName(code, QStringLiteral("$interface_xpath_for_") + item, path);
            replaceFirstWholeName(code, QStringLiteral("$interface_text_for_") + item,
                                  path.contains(QChar('@')) ? QStringLiteral(".")
                                                            : QStringLiteral("./text()"));
        }
    }

private:
    QString columnKey;
    QStringList names;
};

} // namespace

bool replaceFirstWholeName(QString &text, const QString &placeholder, const QString &replacement)
{
    for (qsizetype at = text.indexOf(placeholder); at >= 0; at = text.indexOf(placeholder, at + 1)) {
        const qsizetype after = at + placeholder.size();
        if (after < text.size() && isNameCharacter(text[after]))
            continue;
        text.replace(at, placeholder.size(), replacement);
        return true;
    }
    return false;
}

void makeSubstCode(const QString &interfaceText, const QString &columnKey,
                   const QString &contextXpath, QString &code)
{
    const InterfaceRecords records = readInterfaceText(interfaceText);
    if (records.hasBody)
        code = records.body;
    Substitution(records.items, columnKey).apply(contextXpath, code);
}
