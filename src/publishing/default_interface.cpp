#include "publishing/default_interface.h"

#include "documents/interface_text.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"

namespace {

class SeenXpaths {
public:
    bool contains(const QString &xpath) const
    {
        return list.contains(QChar(',') + xpath + QChar(','));
    }
    void add(const QString &xpath) { list += QChar(',') + xpath + QChar(','); }

private:
    QString list;
};

// One item per distinct attribute Xpath of the columns, in tree order.
void addColumnItems(const StructureTree::Node &root, QList<InterfaceItem> &items,
                    DefaultInterface &result)
{
    SeenXpaths seen;
    int n = 0;
    for (const auto &column : root.children) {
        const QString &col = column->text;
        for (const auto &attribute : column->children) {
            const QString stored =
                getKey(QStringLiteral("Xpath-") + col + QChar('@') + attribute->text);
            if (stored.isEmpty())
                continue;
            const QString x = pureXpath(stored);
            if (seen.contains(x)) {
                result.dropped = true;
                continue;
            }
            const QString element = pathWithoutAttribute(x);
            if (x.contains(QChar('@')) && !seen.contains(element)) {
                items.append({QStringLiteral("....") + col + QStringLiteral("_element_") + QString::number(n),
                              QStringLiteral("Column ") + col + QStringLiteral("_element_") + attribute->text,
                              element});
                seen.add(element);
                ++n;
            }
            items.append({QStringLiteral("....") + col,
                          QStringLiteral("Column ") + col + QChar('_') + attribute->text, x});
            result.columnsAdded = true;
            seen.add(x);
        }
    }
}

} // namespace

QString pathWithoutAttribute(const QString &path)
{
    const qsizetype at = path.indexOf(QChar('@'));
    return at < 0 ? path : path.left(std::max<qsizetype>(0, at - 1));
}

QString pureXpath(const QString &path)
{
    QString text = path;
    for (const char *quoted : {"\"[\"", "'['", "\"]\"", "']'"})
        replaceFirst(text, QLatin1String(quoted), QString());
    for (;;) {
        const qsizetype open = text.indexOf(QChar('['));
        const qsizetype close = open < 0 ? -1 : text.indexOf(QChar(']'), open);
        if (close < 0)
            return text;
        text.remove(open, close - open + 1);
    }
}

DefaultInterface simulateGetComps()
{
    if (getKey(QStringLiteral("Xpath-Table")).isEmpty())
        setKey(QStringLiteral("Xpath-Table"), QStringLiteral("/"), true);
    QList<InterfaceItem> items{{QStringLiteral("Table"), QStringLiteral("Table"),
                                pureXpath(getKey(QStringLiteral("Xpath-Table")))}};
    DefaultInterface result;
    if (const StructureTree::Node *root = workspace().current().tree.root())
        addColumnItems(*root, items, result);
    result.text = packInterfaceText(items, QString());
    return result;
}
