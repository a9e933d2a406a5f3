#include "generator/stylesheet_header.h"

#include "documents/path_helpers.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/xsl_text_escaping.h"

namespace {

const QString xsltNamespace = QStringLiteral("http://www.w3.org/1999/XSL/Transform");

QString fixedNamespaces()
{
    return QStringLiteral("xmlns:msxsl=\"urn:schemas-microsoft-com:xslt\" "
                          "xmlns:exsl=\"http://exslt.org/common\" "
                          "xmlns:xalan=\"http://xml.apache.org/xalan\" ");
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
            imports += QStringLiteral("<xsl:import href='") + attributeText(relativeToXslFolder(path))
                       + QStringLiteral("'/>");
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
    const QString ns = getKey(QStringLiteral("eXSLT Namespaces-Table")) + fixedNamespaces();
    return QStringLiteral("<xsl:stylesheet version='1.0' xmlns:xsl='") + xsltNamespace
           + QStringLiteral("' ") + ns + QStringLiteral(">") + extra
           + QStringLiteral("<!--Called tables-->") + importElements()
           + QStringLiteral("<!--Input parameters-->") + makeParamDecls();
}

QString makeParamDecls()
{
    QString text;
    for (const InputParameter &parameter : inputParameters())
        text += QStringLiteral("<xsl:param name='") + parameter.name + QStringLiteral("'>")
                + parameter.value + QStringLiteral("</xsl:param>");
    return text;
}

QString makeWithParams()
{
    QString text;
    for (const InputParameter &parameter : inputParameters())
        text += QStringLiteral("<xsl:with-param name='") + parameter.name
                + QStringLiteral("'><xsl:value-of select='$") + parameter.name
                + QStringLiteral("'/></xsl:with-param>");
    return text;
}

QString xslOutputFolder()
{
    const QString tableDir = getTableDir(workspace().curTable);
    const QString folder = workspace().current().xslFileDir;
    return folder.isEmpty() ? tableDir : resolvedPath(folder, tableDir);
}

QString relativeToXslFolder(const QString &path)
{
    const QString slashed = slashPath(path);
    if (!slashed.startsWith(QChar('/')))
        return slashed;
    return relativePath(xslOutputFolder(), getDir(path)) + getFileName(path);
}
