#include "generator/column_bodies.h"

#include "documents/store_access.h"
#include "generator/call_table_column.h"
#include "generator/column_attributes.h"
#include "generator/generator_marking.h"
#include "generator/generator_run.h"
#include "generator/value_code.h"
#include "generator/xsl_comments.h"
#include "generator/xsl_text_escaping.h"

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
    return addUser(userCode(getKey(QStringLiteral("XSL Code-") + c.col + QStringLiteral("@xslCode"))));
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
// column's own Xpath unless "baseXpath" is mapped to one (XSL code names no nodes to loop
// over), so a list outside the row is offered whole in every row. The option's text and
// value are mapped Xpaths seen from the base or the user's XSL code; the value equals the
// text unless "optionValue" is mapped.
QString selectBody(const ColumnContext &c)
{
    const QString displayName = QStringLiteral("displayValue");
    const QString optionName = QStringLiteral("optionValue");
    const QString baseName = QStringLiteral("baseXpath");
    if (getThatAtt(c.col, displayName).isEmpty())
        return {};
    QString base = isXslCalculated(c.col, baseName) ? QString() : getThatAtt(c.col, baseName);
    if (base.isEmpty())
        base = c.colXpath;
    const QString display = attributeValueCode(c.col, displayName, base, false).code;
    const QString option =
        getThatAtt(c.col, optionName).isEmpty()
            ? display
            : attributeValueCode(c.col, optionName, base, false).code;
    return QStringLiteral("<select>") + nameAttribute(c)
           + getAttributes(c.col, QString(), c.type, c.rowXpath)
           + QStringLiteral("<xsl:for-each select='") + attributeText(relativeXpath(c.rowXpath, base))
           + QStringLiteral("'>") + QStringLiteral("<option>")
           + QStringLiteral("<xsl:variable name='_option'>") + option
           + QStringLiteral("</xsl:variable>")
           + attributeElement(QStringLiteral("value"),
                              QStringLiteral("<xsl:value-of "
                                             "select='translate($_option,$_squote,$_dquote)'/>"))
           + display + QStringLiteral("</option>") + QStringLiteral("</xsl:for-each>")
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

bool isHtmlSegment(const QString &type) { return type == QStringLiteral("Text (HTML segment)"); }

namespace {

// A JavaScript string's text: anything but letters, digits and "_.-" as an escape.
QString scriptText(const QString &text)
{
    QString written;
    for (const QChar c : text)
        written += (c.isLetterOrNumber() && c.unicode() < 128) || QStringLiteral("_.-").contains(c)
                       ? QString(c)
                       : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return written;
}

} // namespace

QString segmentFixScript(const QString &tableName, const QStringList &segmentColumns)
{
    if (segmentColumns.isEmpty())
        return {};
    QStringList suffixes;
    for (const QString &col : segmentColumns)
        suffixes.append(u'\'' + scriptText(u'_' + tableName + u'_' + col + u'_') + u'\'');
    return QStringLiteral(
               "<script language='JavaScript'>if (_browserName()=='NS') (function(t,p,s){"
               "var d=Array.prototype.slice.call(t.getElementsByTagName('div'));"
               "for(var i=0;i!=d.length;i++){var r=d[i].id;if(r.indexOf(p)!=0)continue;"
               "r=r.substring(p.length);for(var j=0;j!=s.length;j++){var k=r.indexOf(s[j]);"
               "if(k!=-1)if(/^[0-9]+$/.test(r.substring(0,k)))"
               "if(/^[0-9]+$/.test(r.substring(k+s[j].length)))_FireFoxFix(d[i])}}"
               "})(document.currentScript.previousElementSibling,'r_<xsl:value-of "
               "select='$instanceToken'/>_',[")
           + suffixes.join(u',') + QStringLiteral("])</script>");
}
