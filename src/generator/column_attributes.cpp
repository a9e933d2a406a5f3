#include "generator/column_attributes.h"

#include "documents/string_helpers.h"
#include "generator/value_code.h"

#include <QHash>
#include <QStringList>

namespace {

constexpr int attributeSearchLimit = 300;

ColumnValue findAttribute(const QString &column, const QString &name, const QString &context,
                          bool cutPredicate)
{
    for (int index = 1; index <= attributeSearchLimit; ++index) {
        ColumnValue value = columnValueCode(column, index, context, cutPredicate);
        if (value.attName.isEmpty())
            break;
        if (value.attName == name)
            return value;
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

QString getThatAttCode(const QString &column, const QString &name, const QString &context)
{
    return findAttribute(column, name, context, true).code;
}

QString getAttributes(const QString &column, const QString &valueText, const QString &type,
                      const QString &context)
{
    QString value = valueText;
    QString attributes;
    for (int index = 1;; ++index) {
        const ColumnValue attribute = columnValueCode(column, index, context, false);
        if (attribute.attName.isEmpty())
            break;
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
