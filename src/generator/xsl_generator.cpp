#include "generator/xsl_generator.h"

#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/code_field_fault.h"
#include "generator/column_bodies.h"
#include "generator/css_scripts.h"
#include "generator/generator_markers.h"
#include "generator/generator_marking.h"
#include "generator/generator_run.h"
#include "generator/program_version.h"
#include "generator/stylesheet_header.h"
#include "generator/table_rows.h"
#include "generator/xsl_comments.h"
#include "generator/xsl_text_escaping.h"
#include "platform/ui/ui_services.h"
#include "platform/xml/xml_format.h"

#include <libxml/tree.h>

namespace {

QString tableKey(const char *property) { return getKey(QLatin1String(property) + QStringLiteral("-Table")); }

QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(programVersionMajor)
        .arg(programVersionMinor)
        .arg(programVersionRevision);
}

void writeRootTemplate(GeneratorRun &run)
{
    const QString &t = run.tableName;
    run.add(addComment(QStringLiteral("Main template")) + QStringLiteral("<xsl:template match='/'>"));
    run.add(addComment(QStringLiteral("Call the template for table (this is how you would call it "
                                      "from your code)Input parameter is Xpath that points to "
                                      "Table's Xpath"))
            + QStringLiteral("<xsl:call-template name='") + t + QStringLiteral("'>"));
    const QString select = run.tableXpath == QStringLiteral("/") ? run.tableXpath : run.tableXpath.mid(1);
    run.add(QStringLiteral("<xsl:with-param name='inputXML' select='") + attributeText(select) + QStringLiteral("'/>"));
    run.add(QStringLiteral("<xsl:with-param name='instanceToken'>1</xsl:with-param>"));
    run.add(QStringLiteral("<xsl:with-param name='includeCommons'>true</xsl:with-param>"));
    run.add(makeWithParams());
    run.add(QStringLiteral("</xsl:call-template>"));
    run.add(addComment(QStringLiteral("End of your calling code")) + QStringLiteral("</xsl:template>"));
}

void writeTemplateStart(GeneratorRun &run)
{
    const QString &t = run.tableName;
    run.add(addComment(QStringLiteral("XSL template that renders the table"))
            + QStringLiteral("<xsl:template name='") + t + QStringLiteral("'>"));
    run.add(QStringLiteral("<xsl:param name='inputXML'/>"));
    run.add(QStringLiteral("<xsl:param name='instanceToken'>1</xsl:param>"));
    run.add(QStringLiteral("<xsl:param name='includeCommons'>false</xsl:param>"));
    run.add(makeParamDecls());
    run.add(QStringLiteral("<!--Predefined XSL variables-->"));
    run.add(QStringLiteral("<xsl:variable name='_squote'>'</xsl:variable>"
                           "<xsl:variable name='_dquote'>\"</xsl:variable>"
                           "<xsl:variable name='_space'><xsl:text> </xsl:text></xsl:variable>"
                           "<xsl:variable name='_tableName'>")
            + t + QStringLiteral("</xsl:variable>"));
    for (const auto &[variable, page, called] : {std::tuple{"bodyElement", "body", "b_"},
                                                 std::tuple{"htmlElement", "html", "h_"},
                                                 std::tuple{"headElement", "head", "d_"}})
        run.add(QStringLiteral("<xsl:variable name='%1'><xsl:if test='$includeCommons=\"true\"'>%2"
                               "</xsl:if><xsl:if test='$includeCommons!=\"true\"'>%3</xsl:if>"
                               "</xsl:variable>")
                    .arg(QLatin1String(variable), QLatin1String(page), QLatin1String(called)));
}

QString optionalAttribute(const char *name, const QString &value)
{
    if (value.isEmpty())
        return {};
    return QStringLiteral(" ") + QLatin1String(name) + QStringLiteral("='") + literalAttributeText(value) + QStringLiteral("' ");
}

void writePageStart(GeneratorRun &run)
{
    const QString &t = run.tableName;
    run.add(QStringLiteral("<xsl:element name='{$htmlElement}'>"));
    run.add(QStringLiteral("<xsl:element name='{$headElement}'>"));
    const QString title = tableKey("Page Title");
    if (!title.isEmpty())
        run.add(QStringLiteral("<title>") + xmlEscaped(title) + QStringLiteral("</title>"));
    run.add(QStringLiteral("<xsl:if test='$includeCommons=\"true\"'>"));
    run.add(addComment(QStringLiteral("All head templates")) + QStringLiteral("<xsl:call-template name='")
            + t + QStringLiteral("_head'/>"));
    run.add(QStringLiteral("</xsl:if>"));
    run.add(QStringLiteral("</xsl:element>"));
    run.add(QStringLiteral("<xsl:element name='{$bodyElement}'>"));
    run.add(QStringLiteral("<xsl:variable name='_formName'><xsl:value-of "
                           "select='concat(\"f_\",$instanceToken,\"_\",\"")
            + t + QStringLiteral("\")'/></xsl:variable>"));
}

bool isForm() { return tableKey("Table Type") == QStringLiteral("Form"); }

// The form also carries its name as id, which _submitForm looks it up by.
QString formStart()
{
    if (!isForm())
        return {};
    return QStringLiteral("<form style=\"padding:0;margin:0\" name='{$_formName}' "
                          "id='{$_formName}' method=\"POST\">");
}

void writeTableStart(GeneratorRun &run)
{
    const bool idHidden = run.isProduction && tableKey("Enable getElementById") == QStringLiteral("False");
    const QString idAttribute =
        idHidden ? QString()
                 : QStringLiteral(" id='t_{$instanceToken}_") + run.tableName + QStringLiteral("'");
    run.add(addComment(QStringLiteral("Table code")) + formStart() + QStringLiteral("<table")
            + idAttribute + optionalAttribute("cellspacing", tableKey("Cell Spacing"))
            + optionalAttribute("cellpadding", tableKey("Cell Padding")) + QStringLiteral(" class='")
            + run.tableName + QStringLiteral("s0 s0_") + run.tableName + QStringLiteral("'>"));
}

void writePageEnd(GeneratorRun &run)
{
    run.add(addComment(QStringLiteral("End of table")) + QStringLiteral("</table>")
            + (isForm() ? QStringLiteral("</form>") : QString())
            + segmentFixScript(run.tableName, run.segmentColumns));
    run.add(QStringLiteral("</xsl:element>"));
    run.add(QStringLiteral("</xsl:element>"));
    run.add(addComment(QStringLiteral("End of template for table")) + QStringLiteral("</xsl:template>"));
}

void writeCompanionTemplates(GeneratorRun &run)
{
    const QString &t = run.tableName;
    run.add(addComment(QStringLiteral("Tarvik Scripts Template")) + getJS(t));
    run.add(addComment(QStringLiteral("CSS Template")) + getCSS(t));
    run.add(addComment(QStringLiteral("Table Script Template")) + QStringLiteral("<xsl:template name='")
            + t + QStringLiteral("_tableScript'>") + userCode(trimWhiteVar(tableKey("Table Scripts")))
            + markers::script + QStringLiteral("</xsl:template>"));
    run.add(addComment(QStringLiteral("All Templates")) + QStringLiteral("<xsl:template name='") + t
            + QStringLiteral("_head'>") + QStringLiteral("<xsl:call-template name='") + t
            + QStringLiteral("_css'>") + makeWithParams() + QStringLiteral("</xsl:call-template>")
            + QStringLiteral("<xsl:call-template name='") + t + QStringLiteral("_tableScript'/>")
            + QStringLiteral("<xsl:call-template name='") + t + QStringLiteral("_globalScripts'/>")
            + QStringLiteral("</xsl:template>"));
    run.add(addComment(QStringLiteral("Clear extra text")) + QStringLiteral("<xsl:template match='text()'>"));
    run.add(QStringLiteral("</xsl:template>"));
    run.add(QStringLiteral("</xsl:stylesheet>"));
}

bool isXmlName(const QString &text)
{
    const QByteArray name = text.toUtf8();
    return xmlValidateName(reinterpret_cast<const xmlChar *>(name.constData()), 0) == 0;
}

// Column names become element names and parts of ids, attribute names become attribute and
// parameter names; a table file written by hand can hold any text there. Why the first such
// name is refused, or "" when every name is an XML name.
QString firstNameNotXml()
{
    const StructureTree::Node *root = workspace().current().tree.root();
    if (!root)
        return {};
    for (const auto &column : root->children) {
        if (!isXmlName(column->text))
            return QStringLiteral("the column name \"") + column->text + QStringLiteral("\" is not an XML name");
        for (const auto &attribute : column->children) {
            if (attribute->text.isEmpty())
                break;
            if (!isXmlName(attribute->text))
                return QStringLiteral("the attribute name \"") + attribute->text + QStringLiteral("\" of column \"")
                       + column->text + QStringLiteral("\" is not an XML name");
        }
    }
    return {};
}

} // namespace

BuiltStylesheet buildStylesheet(bool isProduction)
{
    GeneratorRun run;
    run.isProduction = isProduction;
    workspace().current().calledFolders.clear();
    run.tableName = getTableName(workspace().curTable);
    run.debugOn = storedBoolean(tableKey("Enable Debug")) && !isProduction;
    run.tableXpath = trimWhiteVar(tableKey("Xpath")).isEmpty() ? QStringLiteral("/") : tableKey("Xpath");

    run.add(makeXslHeader(markers::including));
    run.add(addComment(QStringLiteral("XSL code generated by Tarvik v") + versionText()));
    run.add(addComment(QStringLiteral("Inclusions of external tables and XML documents")));
    run.add(markers::variables);
    run.add(QStringLiteral("<xsl:output method='html' indent='yes'/>"));
    writeRootTemplate(run);
    writeTemplateStart(run);
    writePageStart(run);
    writeTableStart(run);
    writeTableRows(run);
    writePageEnd(run);
    writeCompanionTemplates(run);
    run.replaceMarkers({{markers::css, run.cssCalls}, {markers::script, run.scriptCalls}});
    return withoutUserBounds(run.out.GetStr());
}

QString buildXslCode(bool isProduction) { return buildStylesheet(isProduction).written; }

GeneratedStylesheet indentedStylesheet(bool isProduction, GenerationOutcome &outcome)
{
    const BuiltStylesheet built = buildStylesheet(isProduction);
    if (const QString refusal = firstNameNotXml(); !refusal.isEmpty()) {
        outcome.indented = false;
        outcome.error = refusal;
        return {built.written, QString()};
    }
    XmlFormatResult indented = formatXml(built.written);
    outcome.indented = indented.ok;
    outcome.error = indented.ok ? indented.error
                                : namingFaultyCodeField(indented.error, currentCodeFields());
    if (!indented.ok)
        return {built.written, QString()};
    QString running = markGeneratorElements(indented.text, built);
    return {std::move(indented.text), std::move(running)};
}

QString indentedXslCode(bool isProduction, GenerationOutcome &outcome)
{
    return indentedStylesheet(isProduction, outcome).text;
}

GenerationOutcome generateXSLCode(bool isProduction)
{
    GenerationOutcome outcome;
    GeneratedStylesheet generated = indentedStylesheet(isProduction, outcome);
    TableDocument &doc = workspace().current();
    doc.xslGenerated = std::move(generated.text);
    doc.xslRunning = std::move(generated.running);
    if (!outcome.indented && isProduction)
        ui().message(QStringLiteral("Syntax error in XSL code: ") + outcome.error);
    return outcome;
}

QString generateForOutput()
{
    const ProductionRunGuard output;
    generateXSLCode(true);
    return workspace().current().xslGenerated;
}

ProductionRunGuard::ProductionRunGuard() : previous(workspace().productionRun)
{
    workspace().productionRun = true;
}

ProductionRunGuard::~ProductionRunGuard() { workspace().productionRun = previous; }
