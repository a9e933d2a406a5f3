#include "generator/xsl_comments.h"

#include "documents/string_helpers.h"
#include "generator/xsl_text_escaping.h"

QString addComment(const QString &text)
{
    QString escaped = commentText(xmlEscaped(text));
    replaceAll(escaped, QStringLiteral("\r\n"), QStringLiteral(" -->\r\n<!-- "));
    return QStringLiteral("<!-- ") + escaped + QStringLiteral(" -->");
}

QString addUser(const QString &code) { return code + QStringLiteral("\r\n"); }
