#include "publishing/php_page.h"

#include "documents/string_helpers.h"

#include <QStringList>

namespace {

// The text as the body of a PHP single-quoted string.
QString phpQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    quoted.replace(QStringLiteral("'"), QStringLiteral("\\'"));
    return QChar('\'') + quoted + QChar('\'');
}

QString transformCall(const QString &xmlFile, const QString &xslFile)
{
    return QStringLiteral("passthru('xsltproc ' . escapeshellarg(") + phpQuoted(xslFile) +
           QStringLiteral(") . ' ' . escapeshellarg(") + phpQuoted(xmlFile) +
           QStringLiteral(") ); ");
}

QStringList livePage(const QString &xmlFile, const QString &xslFile, const QString &source,
                     bool noTransform)
{
    QStringList lines{
        QStringLiteral("<?php "),
        QStringLiteral("   $fp = fopen(") + phpQuoted(source) + QStringLiteral(", 'r');"),
        QStringLiteral("   if (is_resource($fp)) {"),
        QStringLiteral("       $content = ''; while(!feof($fp)) $content .= fgets($fp, 1024);"),
        QStringLiteral("       fclose($fp);"),
        QStringLiteral("       $fp = fopen(") + phpQuoted(xmlFile) + QStringLiteral(", 'w+');"),
        QStringLiteral("       if (is_resource($fp)) {"),
        QStringLiteral("           fwrite($fp,$content );"),
        QStringLiteral("           fclose($fp);"),
    };
    if (!noTransform)
        lines.append(QStringLiteral("           ") + transformCall(xmlFile, xslFile));
    lines << QStringLiteral("       }") << QStringLiteral("   }") << QStringLiteral("?>");
    return lines;
}

} // namespace

QString buildPhpPage(const QString &xmlFile, const QString &xslFile, const QString &liveSource,
                     bool noTransform)
{
    const QString source = trimWhiteVar(liveSource);
    QStringList lines;
    if (!source.isEmpty() && source != xmlFile)
        lines = livePage(xmlFile, xslFile, source, noTransform);
    else if (!noTransform)
        lines = {QStringLiteral("<?php ") + transformCall(xmlFile, xslFile) + QStringLiteral("?>")};
    else
        lines = {QStringLiteral("<?php "),
                 QStringLiteral("//Nothing: XML file is not fetched from outside source and XSL "
                                "transformation is not performed"),
                 QStringLiteral(" ?>")};
    return lines.join(QStringLiteral("\r\n"));
}
