#include "generator/column_bodies.h"

#include "documents/store_access.h"
#include "generator/call_table_column.h"
#include "generator/column_attributes.h"
#include "generator/generator_run.h"
#include "generator/value_code.h"
#include "generator/xsl_comments.h"

#include <QHash>
#include <functional>

namespace {

QString attributeElement(const QString &name, const QString &content)
{
    return QStringLiteral("<xsl:attribute name='") + name + QStringLiteral("'>") + content
           + QStringLiteral("</xsl:attribute>");
}

QString nameAttribute(const ColumnContext &c) { return attributeElement(QStringLiteral("name"), c.col); }

QString passThrough(const ColumnContext &c)
{
    return getAttributes(c.col, QString(), c.type, c.colXpath);
}

QString code(const ColumnContext &c, const QString &name)
{
    return getThatAttCode(c.col, name, c.colXpath);
}

QString textBody(const ColumnContext &c)
{
    return QStringLiteral("<span>") + passThrough(c) + code(c, QStringLiteral("value"))
           + QStringLiteral("</span>");
}

QString htmlSegmentBody(const ColumnContext &c)
{
    return QStringLiteral("<div id='{$colId}'>") + passThrough(c)
           + QStringLiteral("<xsl:variable name='tx'>") + code(c, QStringLiteral("value"))
           + QStringLiteral("</xsl:variable>")
           + QStringLiteral("<xsl:value-of select='$tx' disable-output-escaping='yes'/>")
           + QStringLiteral("</div>");
}

QString xslCodeBody(const ColumnContext &c)
{
    return addUser(getKey(QStringLiteral("XSL Code-") + c.col + QStringLiteral("@xslCode")));
}

QString webLinkBody(const ColumnContext &c)
{
    const QString href = code(c, QStringLiteral("href"));
    return QStringLiteral("<a>") + attributeElement(QStringLiteral("href"), href)
           + getAttributes(c.col, href, c.type, c.colXpath) + QStringLiteral("</a>");
}

QString imageBody(const ColumnContext &c)
{
    const QString image = QStringLiteral("<img  border='0'>")
                          + attributeElement(QStringLiteral("src"), code(c, QStringLiteral("src")))
                          + passThrough(c) + QStringLiteral("</img>");
    const QString webLink = code(c, QStringLiteral("webLink"));
    if (webLink.isEmpty())
        return image;
    const QString target = code(c, QStringLiteral("target"));
    const QString targetAttribute =
        target.isEmpty() ? QString() : attributeElement(QStringLiteral("target"), target);
    return QStringLiteral("<a>") + attributeElement(QStringLiteral("href"), webLink)
           + targetAttribute + image + QStringLiteral("</a>");
}

QString textareaBody(const ColumnContext &c)
{
    return QStringLiteral("<textarea >") + nameAttribute(c) + passThrough(c)
           + code(c, QStringLiteral("value"))
           + QStringLiteral("<xsl:value-of select='$_space'/></textarea>");
}

QString inputFieldBody(const ColumnContext &c)
{
    return QStringLiteral("<input type='text'>") + nameAttribute(c)
           + attributeElement(QStringLiteral("value"), code(c, QStringLiteral("value")))
           + passThrough(c) + QStringLiteral("</input>");
}

// A mapped onclick or submitURL gives its value in the page, not the text of its Xpath.
QString clickAttribute(const ColumnContext &c)
{
    const QString onclick = code(c, QStringLiteral("onclick"));
    if (!onclick.isEmpty())
        return attributeElement(QStringLiteral("onclick"), onclick);
    return attributeElement(QStringLiteral("onclick"),
                            QStringLiteral("javascript:_submitForm('<xsl:value-of "
                                           "select=\"$_formName\"/>','")
                                + code(c, QStringLiteral("submitURL"))
                                + QStringLiteral("')"));
}

QString submitButtonBody(const ColumnContext &c)
{
    return QStringLiteral("<input type='submit'>") + nameAttribute(c) + clickAttribute(c)
           + passThrough(c) + QStringLiteral("</input>");
}

QString hiddenFieldBody(const ColumnContext &c)
{
    return QStringLiteral("Hidden field, value=") + code(c, QStringLiteral("value"))
           + QStringLiteral("<input type='hidden'>") + nameAttribute(c) + passThrough(c)
           + QStringLiteral("</input>");
}

// One select per row. Its options loop runs from the row over the base, which is the
// column's own Xpath unless "baseXpath" is mapped, so a list outside the row is offered
// whole in every row. The option values equal the display values unless "optionValue"
// is mapped.
QString selectBody(const ColumnContext &c)
{
    const QString displayXpath = getThatAtt(c.col, QStringLiteral("displayValue"));
    if (displayXpath.isEmpty())
        return {};
    QString base = getThatAtt(c.col, QStringLiteral("baseXpath"));
    if (base.isEmpty())
        base = c.colXpath;
    const QString display = relativeXpath(base, displayXpath);
    const QString optionXpath = getThatAtt(c.col, QStringLiteral("optionValue"));
    const QString option = optionXpath.isEmpty() ? display : relativeXpath(base, optionXpath);
    return QStringLiteral("<select>") + nameAttribute(c)
           + getAttributes(c.col, QString(), c.type, c.rowXpath)
           + QStringLiteral("<xsl:for-each select='") + relativeXpath(c.rowXpath, base)
           + QStringLiteral("'>") + QStringLiteral("<option>")
           + QStringLiteral("<xsl:attribute name='value'><xsl:value-of select='translate(")
           + option + QStringLiteral(",$_squote,$_dquote)'/></xsl:attribute>")
           + QStringLiteral("<xsl:value-of select='") + display + QStringLiteral("'/>")
           + QStringLiteral("</option>") + QStringLiteral("</xsl:for-each>")
           + QStringLiteral("</select>");
}

using BodyWriter = std::function<QString(const ColumnContext &)>;

const QHash<QString, BodyWriter> &bodyWriters()
{
    static const QHash<QString, BodyWriter> writers = {
        {QString(), textBody},
        {QStringLiteral("Text"), textBody},
        {QStringLiteral("Text (HTML segment)"), htmlSegmentBody},
        {QStringLiteral("XSL Code"), xslCodeBody},
        {QStringLiteral("Web Link"), webLinkBody},
        {QStringLiteral("Image"), imageBody},
        {QStringLiteral("Input Text Box (Textarea)"), textareaBody},
        {QStringLiteral("Input Field"), inputFieldBody},
        {QStringLiteral("Submit Button"), submitButtonBody},
        {QStringLiteral("Hidden Field"), hiddenFieldBody},
        {QStringLiteral("Select"), selectBody},
    };
    return writers;
}

} // namespace

void writeColumnBody(GeneratorRun &run, const ColumnContext &column)
{
    if (column.type == QStringLiteral("Call Table")) {
        writeCallTableBody(run, column);
        return;
    }
    const auto writer = bodyWriters().constFind(column.type);
    if (writer != bodyWriters().cend())
        run.add((*writer)(column));
}

bool loopsOverColumnNodes(const QString &type) { return type != QStringLiteral("Select"); }

QString fixScriptFor(const QString &type)
{
    if (type != QStringLiteral("Text (HTML segment)"))
        return {};
    return QStringLiteral("<script language='JavaScript'>")
           + QStringLiteral("if (_browserName()=='NS') _FireFoxFix(document.getElementById(\""
                            "<xsl:value-of select='$colId'/>\"))")
           + QStringLiteral("</script>");
}
