#include "generator/code_field_fault.h"

#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/column_attributes.h"
#include "generator/xsl_syntax_check.h"
#include "platform/xml_check.h"

namespace {

struct Place {
    const char *caption;
    bool inTest;
};

constexpr Place tablePlaces[] = {
    {"Exclude Row If", true},
    {"CSS Style", false},
    {"Row (Debug)", false},
    {"Table Scripts", false},
};
constexpr Place columnPlaces[] = {
    {"Exclude Column If", true},
    {"CSS Style", false},
    {"Column (Debug)", false},
    {"Header Title", false},
};

QString quoted(const QString &text) { return QChar('"') + text + QChar('"'); }

void addField(QList<CodeField> &fields, const QString &caption, const QString &owner,
              const QString &code, bool inTest)
{
    if (!trimWhiteVar(code).isEmpty())
        fields.append({caption, owner, code, inTest});
}

// Each field keyed by its caption and its node: "Exclude Row If-Table", "CSS Style-price".
template <size_t N>
void addPlaces(QList<CodeField> &fields, const Place (&places)[N], const QString &node,
               const QString &owner)
{
    for (const Place &place : places) {
        const QString caption = QLatin1String(place.caption);
        addField(fields, caption, owner, getKey(caption + QChar('-') + node), place.inTest);
    }
}

void addColumnFields(QList<CodeField> &fields, const StructureTree::Node &column)
{
    const QString &col = column.text;
    addPlaces(fields, columnPlaces, col, QStringLiteral("column ") + quoted(col));
    for (const auto &attribute : column.children)
        if (isXslCalculated(col, attribute->text))
            addField(fields, QStringLiteral("XSL Code"),
                     QStringLiteral("column ") + quoted(col) + QStringLiteral(" (attribute ")
                         + quoted(attribute->text) + QChar(')'),
                     getKey(QStringLiteral("XSL Code-") + col + QChar('@') + attribute->text),
                     false);
}

// The field's code where the generator writes it.
QString placed(const CodeField &field)
{
    if (!field.inTest)
        return field.code;
    return QStringLiteral("<xsl:if test='not (") + field.code + QStringLiteral(")'/>");
}

} // namespace

CodeFields currentCodeFields()
{
    CodeFields written;
    written.prefix = snippetPrefix();
    addPlaces(written.fields, tablePlaces, QStringLiteral("Table"), QStringLiteral("Table"));
    if (const StructureTree::Node *root = workspace().current().tree.root())
        for (const auto &column : root->children)
            addColumnFields(written.fields, *column);
    return written;
}

QString namingFaultyCodeField(const QString &message, const CodeFields &written)
{
    // A header that breaks every snippet blames none of them.
    if (checkWellFormed(snippetDocument(written.prefix, QString())))
        return message;
    for (const CodeField &field : written.fields)
        if (checkWellFormed(snippetDocument(written.prefix, placed(field))))
            return message + QStringLiteral("\nThe XSL code in ") + quoted(field.caption)
                   + QStringLiteral(" of ") + field.owner
                   + QStringLiteral(" breaks the stylesheet.");
    return message;
}
