#include "generator/stylesheet_header.h"

#include "documents/path_helpers.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/generator_marking.h"
#include "generator/xsl_text_escaping.h"

#include <QRegularExpression>

namespace {

const QString xsltNamespace = QStringLiteral("http://www.w3.org/1999/XSL/Transform");

QString fixedNamespaces()
{
    return QStringLiteral("xmlns:msxsl=\"urn:schemas-microsoft-com:xslt\" "
                          "xmlns:exsl=\"http://exslt.org/common\" "
                          "xmlns:xalan=\"http://xml.apache.org/xalan\" ");
}

// The table's own declarations as typed, each quoted value made safe for its attribute.
QString tableNamespaces()
{
    static const QRegularExpression quotedValue(QStringLiteral("=\\s*([\"'])(.*?)\\1"),
                                                QRegularExpression::DotMatchesEverythingOption);
    const QString typed = getKey(QStringLiteral("eXSLT Namespaces-Table"));
    QString written;
    qsizetype done = 0;
    for (auto matches = quotedValue.globalMatch(typed); matches.hasNext();) {
        const QRegularExpressionMatch value = matches.next();
        written += typed.mid(done, value.capturedStart(2) - done) + attributeText(value.captured(2));
        done = value.capturedEnd(2);
    }
    return written + typed.mid(done);
}

QString importElements()
{
    const QString list = trimWhiteVar(getKey(QStringLiteral("Import XSLT Files-Table")));
    if (list.isEmpty())
        return {};
    QString imports;
    for (const QString &entry : list.split(QChar(','))) {
        const QString path = trimWhiteVar(entry);
        if (!path.isEmpty())
            imports += QStringLiteral("<xsl:import href='") + importHref(path) + QStringLiteral("'/>");
    }
    return imports;
}

} // namespace

QList<InputParameter> inputParameters()
{
    return parseInputParameters(getKey(QStringLiteral("XSLT Input Parameters-Table")));
}

QList<InputParameter> parseInputParameters(QString rest)
{
    QList<InputParameter> parameters;
    for (;;) {
        bool missing = false;
        InputParameter parameter;
        parameter.name = takeTokenFound(rest, QString(QChar(14)), missing);
        if (missing)
            break;
        parameter.value = takeTokenFound(rest, QString(QChar(15)), missing);
        if (missing)
            break;
        parameters.append(parameter);
    }
    return parameters;
}

QString makeXslHeader(const QString &extra)
{
    const QString ns = tableNamespaces() + fixedNamespaces();
    return QStringLiteral("<xsl:stylesheet version='1.0' xmlns:xsl='") + xsltNamespace
           + QStringLiteral("' ") + ns + QStringLiteral(">") + extra
           + QStringLiteral("<!--Called tables-->") + importElements()
           + QStringLiteral("<!--Input parameters-->") + makeParamDecls();
}

// Defaults are stored as XML text already, markup included; the escaping keeps their references
// and elements and mends a bare '<' or '&' of a table file written by hand.
QString makeParamDecls()
{
    QString text;
    for (const InputParameter &parameter : inputParameters())
        text += QStringLiteral("<xsl:param name='") + attributeText(parameter.name) + QStringLiteral("'>")
                + userCode(markupText(parameter.value)) + QStringLiteral("</xsl:param>");
    return text;
}

QString makeWithParams()
{
    QString text;
    for (const InputParameter &parameter : inputParameters()) {
        const QString name = attributeText(parameter.name);
        text += QStringLiteral("<xsl:with-param name='") + name + QStringLiteral("'><xsl:value-of select='$") + name
                + QStringLiteral("'/></xsl:with-param>");
    }
    return text;
}

QString xslOutputFolder() { return workspace().current().xslOutputFolder(); }

QString relativeToXslFolder(const QString &path)
{
    const QString slashed = slashPath(path);
    if (!slashed.startsWith(QChar('/')))
        return slashed;
    return relativePath(xslOutputFolder(), getDir(path)) + getFileName(path);
}

QString importHref(const QString &path) { return urlEncodedPath(relativeToXslFolder(path)); }
