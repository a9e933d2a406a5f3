#include "generator/css_scripts.h"

#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/generator_markers.h"
#include "generator/generator_marking.h"
#include "generator/stylesheet_header.h"
#include "generator/xsl_text_escaping.h"

#include <utility>

namespace {

const QString crlf = QStringLiteral("\r\n");

// Script lines; a leading tab where the line is inside a function.
const char *const scriptLines[] = {
    "function _browserName(){",
    "\tvar browsername=navigator.appName;",
    "\tif (browsername.indexOf('Netscape')!=-1) {browsername='NS'}",
    "\telse if (browsername.indexOf('Microsoft')!=-1) {browsername='MSIE'}",
    "\treturn browsername;",
    "}",
    "function _FireFoxFix(e) {",
    "\tvar x = e.innerHTML",
    "\tx=x.replace(/&lt;/ig,'<')",
    "\tx=x.replace(/&gt;/ig,'>')",
    "\tx=x.replace(/&amp;/ig,'&')",
    "\te.innerHTML = x",
    "}",
    "function _submitForm(formName,url) {",
    "\tvar cform",
    "\tcform=document.getElementById(formName)",
    "\tif (cform!=null) cform.action=url",
    "\tif (cform!=null) cform.submit()",
    "}",
};

using Declaration = std::pair<const char *, const char *>; // CSS property, store key

QString declarations(std::initializer_list<Declaration> list, const QString &owner)
{
    QString text;
    for (const auto &[property, key] : list) {
        const QString value = getKey(QLatin1String(key) + owner);
        if (!value.isEmpty())
            text += QLatin1String(property) + QChar(':') + cdataText(value) + QChar(';');
    }
    return text;
}

QString rule(const QString &selector, const QString &body)
{
    return selector + QStringLiteral(" {") + body + QStringLiteral("}") + crlf;
}

QString tableStyleRule(const QString &tableName)
{
    QString style = getKey(QStringLiteral("CSS Style-Table"));
    const QString selector = QStringLiteral(".s0_") + tableName + QStringLiteral(" {");
    if (trimWhiteVar(style).isEmpty())
        return selector + QStringLiteral(";}");
    stripBreaks(style);
    return selector + userCode(style) + QStringLiteral(";}");
}

QString columnRules(const QString &tableName)
{
    QString rules;
    const StructureTree::Node *root = workspace().current().tree.root();
    if (!root)
        return rules;
    int i = 0;
    for (const auto &node : root->children) {
        const QString &col = node->text;
        QString body = declarations({{"border-left", "Left Border-"},
                                     {"border-top", "Top Border-"},
                                     {"border-right", "Right Border-"},
                                     {"border-bottom", "Bottom Border-"},
                                     {"border", "Border-"},
                                     {"font", "Font-"},
                                     {"padding", "Padding-"},
                                     {"color", "Color-"},
                                     {"width", "Width-"},
                                     {"height", "Height-"},
                                     {"background-color", "Background Color-"}},
                                    col);
        if (getKey(QStringLiteral("Hidden-") + col) == QStringLiteral("Invisible"))
            body += QStringLiteral("display:none;");
        rules += rule(QChar('.') + tableName + QChar('s') + QString::number(++i), body);
    }
    return rules;
}

} // namespace

QString getJS(const QString &tableName)
{
    QString text = QStringLiteral("<xsl:template name='") + tableName
                   + QStringLiteral("_globalScripts'><script language='JavaScript'><![CDATA[") + crlf;
    for (const char *line : scriptLines)
        text += QLatin1String(line) + crlf;
    return text + crlf + QStringLiteral("]]>") + crlf + QStringLiteral("</script></xsl:template>");
}

QString getCSS(const QString &tableName)
{
    return QStringLiteral("<xsl:template name='") + tableName + QStringLiteral("_css'>")
           + makeParamDecls() + QStringLiteral("<style type='text/css'>") + crlf
           + tableStyleRule(tableName) + QStringLiteral("<![CDATA[") + crlf
           + getTableCSS(tableName) + crlf + getHeaderCSS(tableName) + crlf
           + columnRules(tableName) + crlf + QStringLiteral("]]>") + crlf
           + QStringLiteral("</style>") + markers::css + QStringLiteral("</xsl:template>");
}

QString getTableCSS(const QString &tableName)
{
    const QString table = QStringLiteral("Table");
    const QString body = declarations({{"border", "Border-"},
                                       {"font", "Font-"},
                                       {"width", "Width-"},
                                       {"height", "Height-"},
                                       {"min-height", "Height-"},
                                       {"color", "Color-"},
                                       {"background-color", "Background Color-"}},
                                      table);
    return rule(QChar('.') + tableName + QStringLiteral("s0"), body);
}

QString getHeaderCSS(const QString &tableName)
{
    const QString body = declarations({{"border", "Headers Border-"},
                                       {"font", "Headers Font-"},
                                       {"color", "Headers Color-"},
                                       {"background-color", "Headers Background Color-"},
                                       {"padding", "Headers Padding-"}},
                                      QStringLiteral("Table"));
    return rule(QChar('.') + tableName + QStringLiteral("sh"), body);
}
