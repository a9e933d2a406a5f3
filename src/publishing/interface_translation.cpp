#include "publishing/interface_translation.h"

#include "documents/string_helpers.h"
#include "generator/value_code.h"
#include "platform/xml/xml_format.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace {

const QString attributesMarker = QStringLiteral("<!-- attributes -->");
constexpr int deepestLevel = 100;
constexpr int rootSlot = 101;

// The level table of one build: table 0 to 100 are nesting levels, 101 the root "/".
class LevelTable {
public:
    explicit LevelTable(QString &body) : body(body) {}

    void open(const InterfaceItem &item)
    {
        const int level = std::min(indentLevel(item.name), deepestLevel);
        closeFrom(level);
        Slot &slot = table[size_t(level)];
        slot = {stripIndent(item.name), item.xpath, parentOf(level), false};
        pathTo(body, relativeXpath(table[size_t(slot.parent)].xpath, slot.xpath), false,
               QStringLiteral("<xsl:for-each select='$interface_xpath_for_") + slot.name
                   + QStringLiteral("'>"),
               slot.name);
    }

    // Closes every open slot from the deepest level up to level.
    void closeFrom(int level)
    {
        for (int k = deepestLevel; k >= level; --k) {
            Slot &slot = table[size_t(k)];
            if (slot.name.isEmpty() || slot.closed)
                continue;
            pathTo(body, relativeXpath(table[size_t(slot.parent)].xpath, slot.xpath), true,
                   QStringLiteral("</xsl:for-each>"), slot.name);
            slot.closed = true;
        }
    }

private:
    struct Slot {
        QString name;
        QString xpath;
        int parent = 0;
        bool closed = false;
    };

    int parentOf(int level)
    {
        if (level == 0) {
            table[rootSlot].xpath = QStringLiteral("/");
            return rootSlot;
        }
        for (int j = level - 1; j >= 0; --j) {
            if (!table[size_t(j)].name.isEmpty())
                return j;
        }
        return 0;
    }

    QString &body;
    std::array<Slot, rootSlot + 1> table{};
};

} // namespace

void fitAttribute(QString &body, const QString &fragment, const QString &marker)
{
    const qsizetype at = body.lastIndexOf(marker);
    if (at >= 0)
        body.insert(at, fragment);
}

void pathTo(QString &body, const QString &path, bool closing, const QString &forEach,
            const QString &itemName)
{
    if (path.contains(QStringLiteral("::")) || path.contains(QChar('.')))
        return;
    const bool attribute = path.contains(QChar('@'));
    QString rest = path;
    if (rest.startsWith(QChar('/')))
        rest.remove(0, 1);
    const qsizetype lastSlash = rest.lastIndexOf(QChar('/'));
    QString fragment;
    if (lastSlash >= 0) {
        for (const QString &step : rest.left(lastSlash).split(QChar('/'), Qt::SkipEmptyParts)) {
            if (closing)
                fragment.prepend(QStringLiteral("</") + step + QChar('>'));
            else
                fragment += QChar('<') + step + QChar('>');
        }
    }
    const QString last = rest.mid(lastSlash + 1);
    if (attribute) {
        if (!closing)
            fitAttribute(body,
                         QStringLiteral("<xsl:attribute name='") + last.mid(1)
                             + QStringLiteral("'><xsl:value-of select='") + last
                             + QStringLiteral("'/></xsl:attribute>"),
                         attributesMarker);
    } else if (closing) {
        fragment = QStringLiteral("</") + last + QChar('>') + forEach + fragment;
    } else {
        fragment += forEach + QChar('<') + last + QChar('>') + attributesMarker
                    + QStringLiteral("<xsl:value-of select='$interface_text_for_") + itemName
                    + QStringLiteral("'/>");
    }
    body += fragment;
}

QString translationBody(const QList<InterfaceItem> &items)
{
    QString body;
    LevelTable levels(body);
    for (const InterfaceItem &item : items)
        levels.open(item);
    levels.closeFrom(0);
    replaceFirst(body, attributesMarker, QString());
    return body;
}

QString translationStylesheet(const QString &body, const QString &tableName)
{
    const QString text = QStringLiteral("<xsl:stylesheet version='1.0' "
                                        "xmlns:xsl='http://www.w3.org/1999/XSL/Transform' >"
                                        "<xsl:template name='interface_")
                         + tableName + QStringLiteral("'>") + body
                         + QStringLiteral("</xsl:template></xsl:stylesheet>");
    const XmlFormatResult indented = formatXml(text);
    return indented.ok ? indented.text : text;
}
