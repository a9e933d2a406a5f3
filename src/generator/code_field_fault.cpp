#include "generator/code_field_fault.h"

#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/column_attributes.h"
#include "generator/xsl_syntax_check.h"
#include "generator/xsl_text_escaping.h"
#include "platform/xml/xml_check.h"
#include "platform/xml/xpath_check.h"

namespace {

constexpr const char *tablePlaces[] = {"Exclude Row If", "CSS Style", "Row (Debug)",
                                       "Table Scripts"};
constexpr const char *columnPlaces[] = {"Exclude Column If", "CSS Style", "Column (Debug)",
                                        "Header Title"};

QString quoted(const QString &text) { return QChar('"') + text + QChar('"'); }

void addField(QList<CodeField> &fields, const QString &caption, const QString &column,
              const QString &attribute, const QString &code)
{
    if (!trimWhiteVar(code).isEmpty())
        fields.append({caption, fieldOwner(column, attribute), code,
                       fieldKind(caption, column, attribute)});
}

// Each field keyed by its caption and its node: "Exclude Row If-Table", "CSS Style-price".
template <size_t N>
void addPlaces(QList<CodeField> &fields, const char *const (&places)[N], const QString &node,
               const QString &column)
{
    for (const char *place : places) {
        const QString caption = QLatin1String(place);
        addField(fields, caption, column, QString(), getKey(caption + QChar('-') + node));
    }
}

void addColumnFields(QList<CodeField> &fields, const StructureTree::Node &column)
{
    const QString &col = column.text;
    addPlaces(fields, columnPlaces, col, col);
    for (const auto &attribute : column.children)
        if (isXslCalculated(col, attribute->text))
            addField(fields, QStringLiteral("XSL Code"), col, attribute->text,
                     getKey(QStringLiteral("XSL Code-") + col + QChar('@') + attribute->text));
}

// Where the field's text, written as content, fails inside a template: the line of it as
// typed and what is wrong there.
std::optional<QString> faultInTemplate(const QString &prefix, const QString &content,
                                       const QString &typed)
{
    const auto fault = snippetFault(prefix, content);
    if (!fault)
        return std::nullopt;
    const QString line = typed.section(QChar('\n'), fault->error.line - 1, fault->error.line - 1);
    return QStringLiteral("\nLine ") + QString::number(fault->error.line) +
           QStringLiteral(" of it: ") + trimWhiteVar(line) + QChar('\n') + fault->error.reason;
}

// How the field fails where the generator writes it, nullopt when it holds there.
std::optional<QString> faultOf(const CodeField &field, const QString &prefix)
{
    switch (field.kind) {
    case FieldKind::Xpath:
        if (checkXpathSyntax(attributeText(field.code)))
            return QString();
        return std::nullopt;
    case FieldKind::Text:
        return faultInTemplate(prefix, markupText(field.code), field.code);
    case FieldKind::Code:
        break;
    }
    return faultInTemplate(prefix, field.code, field.code);
}

} // namespace

FieldKind fieldKind(const QString &caption, const QString &column, const QString &attribute)
{
    if (caption == QLatin1String("Xpath") || caption == QLatin1String("Exclude Row If")
        || caption == QLatin1String("Exclude Column If"))
        return FieldKind::Xpath;
    if (caption == QLatin1String("Header Title"))
        return FieldKind::Text;
    // A Call Table's calculated input is a select, unless it makes an XML fragment.
    if (caption == QLatin1String("XSL Code") && attribute == QLatin1String("inputXML")
        && getKey(QStringLiteral("Type-") + column) == QLatin1String("Call Table")
        && getKey(QStringLiteral("XML Fragment-") + column + QStringLiteral("@inputXML"))
               != QLatin1String("True"))
        return FieldKind::Xpath;
    return FieldKind::Code;
}

QString fieldKindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Xpath:
        return QStringLiteral("Xpath");
    case FieldKind::Text:
        return QStringLiteral("text");
    case FieldKind::Code:
        break;
    }
    return QStringLiteral("XSL code");
}

QString fieldOwner(const QString &column, const QString &attribute)
{
    if (column.isEmpty())
        return QStringLiteral("Table");
    const QString owner = QStringLiteral("column ") + quoted(column);
    if (attribute.isEmpty())
        return owner;
    return owner + QStringLiteral(" (attribute ") + quoted(attribute) + QChar(')');
}

QString namedField(const CodeField &field)
{
    return quoted(field.caption) + QStringLiteral(" of ") + field.owner;
}

CodeFields currentCodeFields()
{
    CodeFields written;
    written.prefix = snippetPrefix();
    addPlaces(written.fields, tablePlaces, QStringLiteral("Table"), QString());
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
        if (const auto fault = faultOf(field, written.prefix))
            return message + QStringLiteral("\nThe ") + fieldKindName(field.kind)
                   + QStringLiteral(" in ") + namedField(field)
                   + QStringLiteral(" breaks the stylesheet.") + *fault;
    return message;
}
