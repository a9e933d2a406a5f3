#include "generator/xsl_syntax_check.h"

#include "generator/stylesheet_header.h"
#include "platform/ui_services.h"
#include "platform/xml_check.h"

#include <QStringList>

namespace {

const QString crlf = QStringLiteral("\r\n");

// The character offset of a 1-based line and column in the text, and that line's length.
std::pair<qsizetype, qsizetype> lineAndOffset(const QString &text, int line, int column)
{
    qsizetype start = 0;
    for (int current = 1; current < line; ++current) {
        const qsizetype next = text.indexOf(QChar('\n'), start);
        if (next < 0)
            break;
        start = next + 1;
    }
    qsizetype end = text.indexOf(QChar('\n'), start);
    if (end < 0)
        end = text.size();
    if (end > start && text[end - 1] == QChar('\r'))
        --end;
    return {start + std::max(column, 1) - 1, end - start};
}

} // namespace

QString snippetPrefix()
{
    return QStringLiteral("<?xml version='1.0'?>") + crlf + makeXslHeader(QString())
           + QStringLiteral("<xsl:template match='/'>") + crlf;
}

QString snippetDocument(const QString &prefix, const QString &code)
{
    return prefix + code + QStringLiteral("</xsl:template></xsl:stylesheet>");
}

XslSyntaxResult checkXslSyntax(const QString &code)
{
    const QString prefix = snippetPrefix();
    const QString wrapped = snippetDocument(prefix, code);
    const auto error = checkWellFormed(wrapped);
    XslSyntaxResult result;
    if (!error)
        return result;
    result.ok = false;
    result.reason = error->reason;
    const auto [offset, lineLength] = lineAndOffset(wrapped, error->line, error->column);
    const qsizetype start = std::clamp<qsizetype>(offset - prefix.size(), 0, code.size());
    result.selectionStart = int(start);
    result.selectionLength = int(std::clamp<qsizetype>(lineLength, 0, code.size() - start));
    ui().message(QStringLiteral("Syntax error in XSL code: ") + error->reason);
    return result;
}
