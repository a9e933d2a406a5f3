#include "generator/column_attributes.h"

#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/value_code.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <span>

namespace {

constexpr int attributeSearchLimit = 300;

// The column's attribute nodes in order; none for an unknown column.
std::span<const std::unique_ptr<StructureTree::Node>> attributeNodes(const QString &column)
{
    const StructureTree::Node *node = workspace().current().tree.find(column);
    if (!node)
        return {};
    return node->children;
}

ColumnValue findAttribute(const QString &column, const QString &name, const QString &context,
                          bool cutPredicate)
{
    const auto all = attributeNodes(column);
    for (const auto &attribute : all.first(std::min<size_t>(all.size(), attributeSearchLimit))) {
        if (attribute->text.isEmpty())
            break;
        if (attribute->text == name)
            return attributeValueCode(column, name, context, cutPredicate);
    }
    return {};
}

bool consumedByType(const QString &type, const QString &name)
{
    static const QHash<QString, QStringList> consumed = {
        {QStringLiteral("Text"), {QStringLiteral("value")}},
        {QStringLiteral("Text (HTML segment)"), {QStringLiteral("value")}},
        {QStringLiteral("Input Text Box (Textarea)"), {QStringLiteral("value")}},
        {QStringLiteral("Select"),
         {QStringLiteral("displayValue"), QStringLiteral("optionValue"),
          QStringLiteral("baseXpath")}},
        {QStringLiteral("Submit Button"), {QStringLiteral("submitURL")}},
        {QStringLiteral("Web Link"), {QStringLiteral("href"), QStringLiteral("value")}},
        {QStringLiteral("Image"),
         {QStringLiteral("webLink"), QStringLiteral("src"), QStringLiteral("target")}},
    };
    return consumed.value(type).contains(name);
}

} // namespace

QString getThatAtt(const QString &column, const QString &name)
{
    return findAttribute(column, name, QString(), false).rawXpath;
}

bool isXslCalculated(const QString &column, const QString &name)
{
    return getKey(QStringLiteral("XSL Calculated-") + column + QChar('@') + name) ==
           QLatin1String("True");
}

QString getThatAttCode(const QString &column, const QString &name, const QString &context)
{
    return findAttribute(column, name, context, true).code;
}

QString getAttributes(const QString &column, const QString &valueText, const QString &type,
                      const QString &context)
{
    QString value = valueText;
    QString attributes;
    for (const auto &node : attributeNodes(column)) {
        if (node->text.isEmpty())
            break;
        const ColumnValue attribute = attributeValueCode(column, node->text, context, false);
        if (attribute.code.isEmpty())
            continue;
        if (type == QStringLiteral("Web Link") && attribute.attName == QStringLiteral("value")) {
            if (!trimWhiteVar(attribute.code).isEmpty())
                value = attribute.code;
            continue;
        }
        if (consumedByType(type, attribute.attName))
            continue;
        attributes += QStringLiteral("<xsl:attribute name='") + attribute.attName
                      + QStringLiteral("'>") + attribute.code + QStringLiteral("</xsl:attribute>");
    }
    return attributes + value;
}
